#pragma once

// Window subclassing: objects receive chosen messages of any window of this process, in
// front of or behind the window's own procedure.
//
// All bookkeeping lives in properties of the subclassed window, named with decimal texts
// (H = window handle, M = message, I = 1-based index):
//   "C" H          number of attachments (client and message pairs) on the window
//   H              the procedure that ours replaced; present while ours is in the chain
//   H "#" M "C"    number of clients of message M
//   H "#" M "#" I  identity (address) of the I-th client of message M
// A value of 0 removes the property. One shared procedure, SubclassWindowProc, reads them
// for every message.
//
// Call flow of one message to a subclassed window:
//   SubclassWindowProc(H, msg)
//     nothing attached to the window -> forward to the previous procedure (and leave the
//                                       chain when on top of it)
//     no client for msg              -> forward; on WM_DESTROY unhook the window first
//     clients                        -> copy the client list, then run it from the last
//                                       attached to the first; the first-attached
//                                       client's MsgResponse places the previous procedure
//
// A client that ends detaches itself from everything it attached (see ~ISubclass), so no
// window ever holds the address of a dead client.

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/window/Messages.h"

namespace tabula {

// Where the window's previous procedure runs relative to a client.
enum EMsgResponse : int32_t {
    emrConsume = 0,      // only the client handles the message
    emrPostProcess = 1,  // the client first, then the previous procedure
    emrPreprocess = 2,   // the previous procedure first, then the client
};

// The service's own error numbers, raised as services/ServiceError.h says (OR 0x80040000,
// with the source "<program>.WindowProc").
constexpr int32_t kErrCantSubclass = 13081;
constexpr int32_t kErrMessageHandled = 13082;
constexpr int32_t kErrInvalidWindow = 13083;
constexpr int32_t kErrExternalWindow = 13084;

class ISubclass;

// The service's operations as plain procedures; the grid calls these with itself as the
// client.
namespace MSubclass {

// Sends `client` the message `msg` of window `hwnd` from now on. Raises 13083 for a
// handle that names no window, 13084 for another process's window, 13082 when the client
// already has this message of this window, 13081 when the window's procedure cannot be
// replaced, and 5 when a property cannot be written. A failed attach leaves the window as
// it found it.
void AttachMessage(ISubclass& client, HWND hwnd, UINT msg);
// Stops sending `msg` of `hwnd` to `client`. Silent when there is nothing to detach; the
// window gets its previous procedure back with its last attachment.
void DetachMessage(ISubclass& client, HWND hwnd, UINT msg);
// The message being dispatched to clients on this thread (the innermost, when a client
// sends another), or the last one dispatched; 0 before any.
UINT CurrentMessage();
// Calls the procedure that the service replaced on `hwnd`; 0 when there is none.
LRESULT CallOldWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Watches this thread's bookkeeping writes: the hook gets each write's trace line
// ("Changed message count for 1A to 1") before the write, and a false answer fails the
// write as the platform would. For diagnostics and tests; an empty hook (the default)
// composes no lines.
void SetWriteHook(std::function<bool(std::string_view trace)> hook);

}  // namespace MSubclass

// A receiver of subclassed messages. Its address is its identity in the bookkeeping, so
// it can be neither copied nor moved.
class ISubclass {
public:
    ISubclass() = default;
    ISubclass(const ISubclass&) = delete;
    ISubclass& operator=(const ISubclass&) = delete;

    // Detaches from every message still attached, and drops out of any dispatch under
    // way, so a client that ends is never called again.
    virtual ~ISubclass();

    virtual EMsgResponse MsgResponse() const = 0;
    virtual void SetMsgResponse(EMsgResponse response) = 0;
    virtual LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;

private:
    friend void MSubclass::AttachMessage(ISubclass&, HWND, UINT);
    friend void MSubclass::DetachMessage(ISubclass&, HWND, UINT);

    std::vector<std::pair<HWND, UINT>> attached_;  // (window, message) pairs, attach order
};

// The service as an object, for callers that hold one; the same as MSubclass.
class GSubclass {
public:
    void AttachMessage(ISubclass& client, HWND hwnd, UINT msg) {
        MSubclass::AttachMessage(client, hwnd, msg);
    }
    void DetachMessage(ISubclass& client, HWND hwnd, UINT msg) {
        MSubclass::DetachMessage(client, hwnd, msg);
    }
    UINT CurrentMessage() const { return MSubclass::CurrentMessage(); }
    LRESULT CallOldWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return MSubclass::CallOldWindowProc(hwnd, msg, wParam, lParam);
    }
};

}  // namespace tabula
