// Send-keys texts typed into a form with two text boxes on a headless desktop: the keys
// are queued and then pumped to the box with the keyboard. Errors the sender raises for
// a bad text are expected. Input: a first byte (bit 0: the multi-line box starts with the
// keyboard), then the send-keys text.
//
// Repeat counts go up to 10000, so the texts are kept short and the boxes hold at most
// 100 characters: every input then sends a bounded number of keys, and each stays fast.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzGrid.h"
#include "fuzz/FuzzInput.h"
#include "platform/forms/Form.h"
#include "platform/forms/TextBox.h"
#include "platform/runtime/Error.h"
#include "services/KeySender.h"

using namespace tabula;

namespace {

constexpr size_t kMaxInput = 40;
constexpr int32_t kMaxText = 100;

void ExpectSound(const TextBox& box) {
    if (!fuzz::IsValidUtf8(box.Text())) fuzz::Finding("a text box holds text that is not UTF-8");
    if (box.SelStart() < 0 || box.SelStart() + box.SelLength() > box.TextLength()) {
        fuzz::Finding("the selection " + std::to_string(box.SelStart()) + "+" +
                      std::to_string(box.SelLength()) + " is outside the text of " +
                      std::to_string(box.TextLength()) + " characters");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxInput) return 0;
    fuzz::FuzzInput in(data, size);
    const bool multiFirst = in.Bit();
    const std::string_view keys = in.Rest();

    fuzz::DesktopLease lease;
    Form form(Rect{0, 0, 200, 150}, "fuzz");
    TextBox single(form.hWnd(), Rect{10, 10, 190, 30});
    TextBox multi(form.hWnd(), Rect{10, 40, 190, 140}, true);
    single.SetText("first");
    multi.SetText("one\r\ntwo");
    single.SetMaxLength(kMaxText);
    multi.SetMaxLength(kMaxText);
    form.Show();
    (multiFirst ? multi : single).SetFocus();

    cSendKeys sender;
    try {
        sender.SendKeys(keys);
    } catch (const RuntimeError&) {
    }
    lease.Host().GetDesktop().PumpMessages();
    ExpectSound(single);
    ExpectSound(multi);
    return 0;
}
