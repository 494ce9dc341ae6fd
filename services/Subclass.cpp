#include "services/Subclass.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/runtime/Error.h"
#include "platform/runtime/ProgramName.h"
#include "platform/window/Windows.h"
#include "services/ServiceError.h"

namespace tabula {

namespace {

// A dispatch under way: the clients it will still call, so that a client that ends
// meanwhile can take itself out. Frames nest when a client sends another message.
struct DispatchFrame {
    DispatchFrame(UINT msg, std::vector<ISubclass*> clients);
    ~DispatchFrame();
    DispatchFrame(const DispatchFrame&) = delete;
    DispatchFrame& operator=(const DispatchFrame&) = delete;

    UINT msg;
    std::vector<ISubclass*> clients;  // attach order; null once a client has ended
    DispatchFrame* outer;
};

thread_local UINT tCurrentMessage = 0;
thread_local DispatchFrame* tInnermost = nullptr;
thread_local std::function<bool(std::string_view)> tWriteHook;

DispatchFrame::DispatchFrame(UINT msg, std::vector<ISubclass*> clients)
    : msg(msg), clients(std::move(clients)), outer(tInnermost) {
    tInnermost = this;
}

DispatchFrame::~DispatchFrame() {
    tInnermost = outer;
    if (outer) tCurrentMessage = outer->msg;
}

LRESULT SubclassWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

intptr_t Identity(const ISubclass& client) {
    return reinterpret_cast<intptr_t>(&client);
}

// --- Property names and values ----------------------------------------------------------

std::string ProcName(HWND hwnd) {
    return std::to_string(hwnd);
}
std::string AttachmentsName(HWND hwnd) {
    std::string name = "C";
    return name.append(ProcName(hwnd));
}
std::string CountName(HWND hwnd, UINT msg) {
    return ProcName(hwnd) + "#" + std::to_string(msg) + "C";
}
std::string EntryName(HWND hwnd, UINT msg, intptr_t index) {
    return ProcName(hwnd) + "#" + std::to_string(msg) + "#" + std::to_string(index);
}

std::string Hex(uintptr_t value) {
    char text[2 * sizeof(uintptr_t) + 1];
    std::snprintf(text, sizeof text, "%jX", static_cast<uintmax_t>(value));
    return text;
}

// Every bookkeeping write goes through here; `trace` composes its line only when someone
// watches. False when the write failed.
template <typename Trace>
bool Write(HWND hwnd, const std::string& name, intptr_t value, Trace&& trace) {
    if (tWriteHook && !tWriteHook(trace())) return false;
    return SetProp(hwnd, name, value);
}

intptr_t Attachments(HWND hwnd) {
    return GetProp(hwnd, AttachmentsName(hwnd));
}
bool SetAttachments(HWND hwnd, intptr_t count) {
    return Write(hwnd, AttachmentsName(hwnd), count, [&] {
        return "Changed message count for " + Hex(hwnd) + " to " + std::to_string(count);
    });
}

intptr_t PreviousProc(HWND hwnd) {
    return GetProp(hwnd, ProcName(hwnd));
}
bool SetPreviousProc(HWND hwnd, intptr_t proc) {
    return Write(hwnd, ProcName(hwnd), proc, [&] {
        return "Changed Window Proc for " + Hex(hwnd) + " to " + Hex(static_cast<uintptr_t>(proc));
    });
}

intptr_t ClientCount(HWND hwnd, UINT msg) {
    return GetProp(hwnd, CountName(hwnd, msg));
}
bool SetClientCount(HWND hwnd, UINT msg, intptr_t count) {
    return Write(hwnd, CountName(hwnd, msg), count, [&] {
        return "Changed message count for " + Hex(hwnd) + " Message " + std::to_string(msg) +
               " to " + std::to_string(count);
    });
}

intptr_t Entry(HWND hwnd, UINT msg, intptr_t index) {
    return GetProp(hwnd, EntryName(hwnd, msg, index));
}
bool SetEntry(HWND hwnd, UINT msg, intptr_t index, intptr_t identity) {
    return Write(hwnd, EntryName(hwnd, msg, index), identity, [&] {
        return "Changed message class for " + Hex(hwnd) + " Message " + std::to_string(msg) +
               " Index " + std::to_string(index) + " to " + Hex(static_cast<uintptr_t>(identity));
    });
}

// --- Windows and errors -----------------------------------------------------------------

bool IsOwnWindow(HWND hwnd) {
    uint32_t processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    return processId == GetCurrentProcessId();
}

bool IsOnTop(HWND hwnd) {
    return GetWindowLongPtr(hwnd, GWLP_WNDPROC) == ProcToValue(SubclassWindowProc);
}

// Takes our procedure out of the window's chain. Only possible while it is on top: when
// another procedure was installed after ours, putting our previous one back would cut
// that procedure out, and it would later restore ours with nothing behind it. Ours then
// stays in the chain, keeping the previous procedure, and passes every message on until
// it finds itself on top again.
void LeaveChain(HWND hwnd) {
    if (!IsOnTop(hwnd)) return;
    if (const intptr_t previous = PreviousProc(hwnd))
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, previous);
    SetPreviousProc(hwnd, 0);
}

const char* ServiceErrorDescription(int32_t number) {
    switch (number) {
        case kErrCantSubclass:
            return "Can't subclass window";
        case kErrMessageHandled:
            return "Message already handled by another class";
        case kErrInvalidWindow:
            return "Invalid window";
        case kErrExternalWindow:
            return "Can't modify external window";
        default:
            return "";
    }
}

[[noreturn]] void RaiseSubclassError(int32_t number) {
    RaiseServiceError(number, ServiceErrorDescription(number));
}

// Removes the first entry of `identity` from the clients of (hwnd, msg), and unhooks the
// window with its last attachment. Silent: there may be nothing to remove.
void RemoveClient(intptr_t identity, HWND hwnd, UINT msg) {
    if (!IsWindow(hwnd) || !IsOwnWindow(hwnd)) return;
    const intptr_t n = ClientCount(hwnd, msg);
    intptr_t at = 1;
    while (at <= n && Entry(hwnd, msg, at) != identity)
        ++at;
    if (at > n) return;
    for (intptr_t i = at; i < n; ++i)
        SetEntry(hwnd, msg, i, Entry(hwnd, msg, i + 1));
    SetEntry(hwnd, msg, n, 0);
    SetClientCount(hwnd, msg, n - 1);
    const intptr_t attachments = Attachments(hwnd);
    if (attachments == 1) LeaveChain(hwnd);
    // Zero after the window was unhooked by its WM_DESTROY: nothing left to count down.
    if (attachments > 0) SetAttachments(hwnd, attachments - 1);
}

// The clients of (hwnd, msg) in attach order.
std::vector<ISubclass*> Clients(HWND hwnd, UINT msg) {
    std::vector<ISubclass*> clients;
    const intptr_t n = ClientCount(hwnd, msg);
    for (intptr_t i = 1; i <= n; ++i) {
        if (const intptr_t identity = Entry(hwnd, msg, i))
            clients.push_back(reinterpret_cast<ISubclass*>(identity));
    }
    return clients;
}

// The one procedure installed on every subclassed window.
LRESULT SubclassWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const intptr_t previousValue = PreviousProc(hwnd);
    if (previousValue == 0) return 0;
    const WNDPROC previous = ValueToProc(previousValue);
    auto callPrevious = [&] { return CallWindowProc(previous, hwnd, msg, wParam, lParam); };

    if (Attachments(hwnd) <= 0) {
        // Left in the chain under another procedure when the last client went.
        LeaveChain(hwnd);
        return callPrevious();
    }
    std::vector<ISubclass*> clients = Clients(hwnd, msg);
    if (clients.empty()) {
        if (msg == WM_DESTROY) {
            // Nobody listens for the window's end: unhook it now. The entries of other
            // messages go with the window.
            LeaveChain(hwnd);
            SetAttachments(hwnd, 0);
        }
        return callPrevious();
    }

    // The clients attached when the message arrived each run once, from the last attached
    // to the first, whatever they attach or detach meanwhile; one that ends before its
    // turn is skipped.
    DispatchFrame frame(msg, std::move(clients));
    LRESULT result = 0;
    bool previousCalled = false;
    bool firstRan = false;
    EMsgResponse firstResponse = emrConsume;
    for (size_t i = frame.clients.size(); i-- > 0;) {
        ISubclass* client = frame.clients[i];
        if (!client) continue;
        const EMsgResponse response = client->MsgResponse();
        if (i == 0) {
            firstRan = true;
            firstResponse = response;
            if (response == emrPreprocess) {
                result = callPrevious();
                previousCalled = true;
            }
        }
        if (!frame.clients[i]) continue;  // ended by the previous procedure
        tCurrentMessage = msg;
        result = client->WindowProc(hwnd, msg, wParam, lParam);
    }
    // The first-attached client decides where the previous procedure runs. When it ended
    // before its turn the message still reaches the window's own procedure.
    if (!previousCalled && (!firstRan || firstResponse == emrPostProcess)) result = callPrevious();
    return result;
}

}  // namespace

ISubclass::~ISubclass() {
    for (DispatchFrame* frame = tInnermost; frame; frame = frame->outer)
        std::replace(frame->clients.begin(), frame->clients.end(), this,
                     static_cast<ISubclass*>(nullptr));
    const auto attached = std::move(attached_);
    for (const auto& [hwnd, msg] : attached)
        RemoveClient(Identity(*this), hwnd, msg);
}

namespace MSubclass {

void AttachMessage(ISubclass& client, HWND hwnd, UINT msg) {
    if (!IsWindow(hwnd)) RaiseSubclassError(kErrInvalidWindow);
    if (!IsOwnWindow(hwnd)) RaiseSubclassError(kErrExternalWindow);
    const intptr_t identity = Identity(client);
    const intptr_t n = ClientCount(hwnd, msg);
    for (intptr_t i = 1; i <= n; ++i) {
        if (Entry(hwnd, msg, i) == identity) RaiseSubclassError(kErrMessageHandled);
    }

    // Each failure from here on takes back what this call wrote before raising.
    if (!SetClientCount(hwnd, msg, n + 1)) RaiseSubclassError(kErrInvalidCall);
    if (!SetEntry(hwnd, msg, n + 1, identity)) {
        SetClientCount(hwnd, msg, n);
        RaiseSubclassError(kErrInvalidCall);
    }
    auto dropEntry = [&] {
        SetEntry(hwnd, msg, n + 1, 0);
        SetClientCount(hwnd, msg, n);
    };
    // Our procedure goes in once per window. It may still be in the chain with nothing
    // attached (see LeaveChain); installing it again would make it its own predecessor.
    bool installed = false;
    if (PreviousProc(hwnd) == 0) {
        const intptr_t previous =
            SetWindowLongPtr(hwnd, GWLP_WNDPROC, ProcToValue(SubclassWindowProc));
        if (previous == 0) {
            // A window without a procedure has nothing for ours to pass messages to.
            if (IsOnTop(hwnd)) SetWindowLongPtr(hwnd, GWLP_WNDPROC, 0);
            dropEntry();
            RaiseSubclassError(kErrCantSubclass);
        }
        if (!SetPreviousProc(hwnd, previous)) {
            SetWindowLongPtr(hwnd, GWLP_WNDPROC, previous);
            dropEntry();
            RaiseSubclassError(kErrInvalidCall);
        }
        installed = true;
    }
    if (!SetAttachments(hwnd, Attachments(hwnd) + 1)) {
        dropEntry();
        if (installed) LeaveChain(hwnd);
        RaiseSubclassError(kErrInvalidCall);
    }

    // Windows destroyed since need no detaching when the client ends.
    std::erase_if(client.attached_, [](const auto& pair) { return !IsWindow(pair.first); });
    client.attached_.emplace_back(hwnd, msg);
}

void DetachMessage(ISubclass& client, HWND hwnd, UINT msg) {
    auto& attached = client.attached_;
    if (auto it = std::find(attached.begin(), attached.end(), std::pair{hwnd, msg});
        it != attached.end())
        attached.erase(it);
    RemoveClient(Identity(client), hwnd, msg);
}

UINT CurrentMessage() {
    return tCurrentMessage;
}

LRESULT CallOldWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsOwnWindow(hwnd)) return 0;
    const intptr_t previous = PreviousProc(hwnd);
    return previous ? CallWindowProc(ValueToProc(previous), hwnd, msg, wParam, lParam) : 0;
}

void SetWriteHook(std::function<bool(std::string_view trace)> hook) {
    tWriteHook = std::move(hook);
}

}  // namespace MSubclass

}  // namespace tabula
