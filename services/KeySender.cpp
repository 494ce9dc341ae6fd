#include "services/KeySender.h"

#include <charconv>
#include <initializer_list>
#include <utility>

#include "platform/runtime/Error.h"
#include "platform/runtime/ProgramName.h"
#include "platform/text/CaseFold.h"
#include "platform/text/Utf8.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {

uint8_t ModifierKey(char32_t c) {
    switch (c) {
        case U'+':
            return VK_SHIFT;
        case U'^':
            return VK_CONTROL;
        case U'%':
            return VK_MENU;
        default:
            return 0;
    }
}

// A syntax fault: the message names the place, positions counting characters from 1.
struct SyntaxFault {
    std::string message;
};

[[noreturn]] void Fault(std::string message) {
    throw SyntaxFault{std::move(message)};
}

// A repeat count: a whole number from 0 to kMaxRepeat, nothing else.
bool ParseCount(std::string_view text, int32_t& count) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, count);
    return error == std::errc{} && at == end && count >= 0 && count <= cSendKeys::kMaxRepeat;
}

}  // namespace

cSendKeys::cSendKeys() {
    const std::initializer_list<std::pair<const char*, uint8_t>> table = {
        {"BACKSPACE", VK_BACK}, {"BS", VK_BACK},       {"BKSP", VK_BACK},   {"BREAK", 19},
        {"CAPSLOCK", 20},       {"DELETE", VK_DELETE}, {"DEL", VK_DELETE},  {"DOWN", VK_DOWN},
        {"END", VK_END},        {"ENTER", VK_RETURN},  {"~", VK_RETURN},    {"ESC", VK_ESCAPE},
        {"HELP", 47},           {"HOME", VK_HOME},     {"INS", VK_INSERT},  {"INSERT", VK_INSERT},
        {"LEFT", VK_LEFT},      {"NUMLOCK", 144},      {"PGDN", VK_NEXT},   {"PGUP", VK_PRIOR},
        {"PRTSC", 42},          {"RIGHT", VK_RIGHT},   {"SCROLLLOCK", 145}, {"TAB", VK_TAB},
        {"UP", VK_UP}};
    for (const auto& [name, vk] : table)
        names_.emplace(FoldCase(name), vk);
    for (int n = 1; n <= 16; ++n)
        names_.emplace(FoldCase(std::string(1, 'F').append(std::to_string(n))),
                       static_cast<uint8_t>(111 + n));
}

void cSendKeys::SendKeys(std::string_view keys, bool) {
    const std::u32string text = DecodeUtf8(keys);
    const size_t n = text.size();
    try {
        size_t i = 0;  // 0-based here; messages count from 1
        while (i < n) {
            const char32_t c = text[i];
            if (const uint8_t modifier = ModifierKey(c)) {
                if (i + 1 < n && text[i + 1] == U'(') {
                    held_.push_back(c);
                    Press(modifier);
                    i += 2;
                } else {
                    // A modifier without a group taps its key and acts on nothing else.
                    Press(modifier);
                    Release(modifier);
                    i += 1;
                }
            } else if (c == U'~') {
                KeyPress("~");
                i += 1;
            } else if (c == U')') {
                if (held_.empty())
                    Fault("Invalid sendkeys command: unmatched ) at position " +
                          std::to_string(i + 1));
                Release(ModifierKey(held_.back()));
                held_.pop_back();
                i += 1;
            } else if (c == U'{') {
                if (i + 2 >= n)
                    Fault(
                        "Invalid sendkeys command; opening { without content or closing } at "
                        "position " +
                        std::to_string(i + 1));
                // The search starts past the first character so that "{}}" names "}".
                const size_t close = text.find(U'}', i + 2);
                if (close == std::u32string::npos)
                    Fault("Invalid sendkeys command; opening { without closing } at position " +
                          std::to_string(i + 1));
                const std::string content = EncodeUtf8(text.substr(i + 1, close - i - 1));
                i = close + 1;
                const size_t space = content.find(' ');
                int32_t count = 1;
                if (space != std::string::npos &&
                    !ParseCount(std::string_view(content).substr(space + 1), count)) {
                    Fault("Invalid sendkeys command; key repetitions '" +
                          content.substr(space + 1) + "' is invalid near position " +
                          std::to_string(i + 1));
                }
                KeyPress(std::string_view(content).substr(0, space), count);
            } else {
                KeyPress(EncodeUtf8(std::u32string_view(&text[i], 1)));
                i += 1;
            }
        }
        if (!held_.empty())
            Fault("Invalid sendkeys command: more open brackets than close brackets.");
    } catch (const SyntaxFault& fault) {
        ReleaseHeld();
        RaiseError(kErrInvalidCall, ProgramName() + ".cSendKeys", fault.message);
    } catch (const RuntimeError& error) {
        ReleaseHeld();
        RaiseError(error.number, ProgramName() + ".cSendKeys", error.description);
    }
}

void cSendKeys::KeyPress(std::string_view key, int32_t count) {
    int32_t code = 0;
    if (const auto found = names_.find(FoldCase(key)); found != names_.end()) code = found->second;
    // Only a single character stands for its own key: an unknown name is no key.
    else if (Utf8Length(key) == 1)
        code = KeyCode(key);
    if (code == 0)
        RaiseError(kErrSubscriptOutOfRange, {},
                   "Key " + std::string(key) + " could not be interpreted.");
    for (int32_t k = 0; k < count; ++k) {
        Press(static_cast<uint8_t>(code));
        Release(static_cast<uint8_t>(code));
    }
}

int32_t cSendKeys::KeyCode(std::string_view text) const {
    const std::u32string chars = DecodeUtf8(text);
    if (chars.empty()) return 0;
    const int16_t scan = VkKeyScan(chars.front());
    // The shift state in the high byte is dropped; no key at all is 0.
    return scan == -1 ? 0 : scan & 0xFF;
}

void cSendKeys::Press(uint8_t vk) {
    keybd_event(vk, 0, KEYEVENTF_EXTENDEDKEY, 0);
}

void cSendKeys::Release(uint8_t vk) {
    keybd_event(vk, 0, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}

void cSendKeys::ReleaseHeld() {
    while (!held_.empty()) {
        Release(ModifierKey(held_.back()));
        held_.pop_back();
    }
}

}  // namespace tabula
