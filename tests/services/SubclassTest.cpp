// Window subclassing driven through real window messages: clients and a window's own
// procedure write into one trail, so the order of calls can be read off it.

#include "services/Subclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/runtime/Error.h"
#include "platform/runtime/ProgramName.h"
#include "platform/window/Desktop.h"
#include "platform/window/Windows.h"

namespace tabula::test {
namespace {

using Log = std::vector<std::string>;

constexpr LRESULT kOwnResult = 99;

class SubclassTest : public testing::Test {
protected:
    // Logs its name and answers 1 for "A", 2 for "B" and so on.
    class Client : public ISubclass {
    public:
        Client(SubclassTest& test, std::string name, EMsgResponse response = emrConsume)
            : test_(test), name_(std::move(name)), response_(response) {
            test_.names_[Identity(*this)] = name_;
        }
        EMsgResponse MsgResponse() const override { return response_; }
        void SetMsgResponse(EMsgResponse response) override { response_ = response; }
        LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM, LPARAM) override {
            test_.log_.push_back(name_);
            if (onMessage) onMessage(hwnd, msg);
            return name_[0] - 'A' + 1;
        }

        std::function<void(HWND, UINT)> onMessage;

    private:
        SubclassTest& test_;
        std::string name_;
        EMsgResponse response_;
    };

    ~SubclassTest() override { MSubclass::SetWriteHook({}); }

    static intptr_t Identity(const ISubclass& client) {
        return reinterpret_cast<intptr_t>(&client);
    }

    // A window whose own procedure logs "w" for WM_SETFOCUS, WM_DESTROY and the messages
    // from WM_USER on, and answers kOwnResult.
    HWND MakeWindow(uint32_t processId = 0, WNDPROC proc = OwnProc) {
        const HWND hwnd = CreateWindowEx({.rect = {0, 0, 100, 50},
                                          .proc = proc,
                                          .userData = reinterpret_cast<intptr_t>(this),
                                          .className = "w",
                                          .processId = processId});
        log_.clear();
        return hwnd;
    }

    // Puts the other procedure on top of whatever the window has now, as another
    // subclasser would.
    static void InstallOther(HWND hwnd) {
        SetProp(hwnd, "other", SetWindowLongPtr(hwnd, GWLP_WNDPROC, ProcToValue(OtherProc)));
    }
    static void RemoveOther(HWND hwnd) {
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, RemoveProp(hwnd, "other"));
    }

    // "own", "other", "hooked" (the service's) or "none": the window's procedure now.
    static std::string Proc(HWND hwnd) {
        const intptr_t proc = GetWindowLongPtr(hwnd, GWLP_WNDPROC);
        if (proc == ProcToValue(OwnProc)) return "own";
        if (proc == ProcToValue(OtherProc)) return "other";
        return proc ? "hooked" : "none";
    }

    // The service's properties for one message of the window: its attachment count, the
    // stored procedure, the message's client count and its clients by name.
    std::string Bookkeeping(HWND hwnd, UINT msg) {
        const std::string h = std::to_string(hwnd), m = std::to_string(msg);
        const intptr_t stored = GetProp(hwnd, h);
        std::string out = "C=";
        out.append(std::to_string(GetProp(hwnd, std::string("C").append(h))));
        out.append(" P=").append(stored == ProcToValue(OwnProc) ? "own" : std::to_string(stored));
        const intptr_t n = GetProp(hwnd, h + "#" + m + "C");
        out.append(" N=").append(std::to_string(n));
        for (intptr_t i = 1; i <= n + 1; ++i) {  // one beyond, to see a stale entry
            if (const intptr_t id = GetProp(hwnd, h + "#" + m + "#" + std::to_string(i)))
                out.append(" ").append(names_.count(id) ? names_[id] : "?");
        }
        return out;
    }

    std::string Trail() {
        std::string out;
        for (const std::string& line : log_)
            out += (out.empty() ? "" : " ") + line;
        log_.clear();
        return out;
    }

    Log log_;
    std::map<intptr_t, std::string> names_;
    std::function<void()> onOwnMessage;
    bool otherLeavesOnDestroy = false;
    Desktop desktop_{800, 600};

    static SubclassTest* TestOf(HWND hwnd) {
        return reinterpret_cast<SubclassTest*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    }

    static LRESULT OwnProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
        SubclassTest* test = TestOf(hwnd);
        if (!test || (msg < WM_USER && msg != WM_SETFOCUS && msg != WM_DESTROY)) return 0;
        if (msg == WM_DESTROY)
            test->log_.push_back(Proc(hwnd) == "own" ? "w:DESTROY restored" : "w:DESTROY hooked");
        else
            test->log_.push_back("w");
        if (test->onOwnMessage) test->onOwnMessage();
        return kOwnResult;
    }

    // Chains to the procedure it replaced. With otherLeavesOnDestroy it takes itself out
    // after handling WM_DESTROY and asks the window once more, logging the answer.
    static LRESULT OtherProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        SubclassTest* test = TestOf(hwnd);
        test->log_.push_back("x");
        const LRESULT result =
            CallWindowProc(ValueToProc(GetProp(hwnd, "other")), hwnd, msg, wParam, lParam);
        if (msg == WM_DESTROY && test->otherLeavesOnDestroy) {
            RemoveOther(hwnd);
            test->log_.push_back("x:" + std::to_string(SendMessage(hwnd, WM_USER, 0, 0)));
        }
        return result;
    }
};

TEST_F(SubclassTest, RefusedAttachesRaiseTheirErrorAndChangeNothing) {
    Client a(*this, "A");
    struct Case {
        const char* what;
        std::function<HWND()> window;
        int32_t number;
        const char* description;
    };
    const Case cases[] = {
        {"no window", [] { return HWND(0); }, 13083, "Invalid window"},
        {"destroyed window",
         [&] {
             const HWND hwnd = MakeWindow();
             DestroyWindow(hwnd);
             return hwnd;
         },
         13083, "Invalid window"},
        {"foreign window", [&] { return MakeWindow(777); }, 13084, "Can't modify external window"},
        {"window without procedure", [&] { return MakeWindow(0, nullptr); }, 13081,
         "Can't subclass window"},
        {"client already attached",
         [&] {
             const HWND hwnd = MakeWindow();
             MSubclass::AttachMessage(a, hwnd, WM_USER);
             return hwnd;
         },
         13082, "Message already handled by another class"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HWND hwnd = c.window();
        const std::string before = Bookkeeping(hwnd, WM_USER) + " " + Proc(hwnd);
        try {
            MSubclass::AttachMessage(a, hwnd, WM_USER);
            ADD_FAILURE() << "nothing raised";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number, static_cast<int32_t>(0x80040000u | uint32_t(c.number)));
            EXPECT_EQ(error.source, ProgramName() + ".WindowProc");
            EXPECT_EQ(error.description, c.description);
        }
        EXPECT_EQ(Bookkeeping(hwnd, WM_USER) + " " + Proc(hwnd), before);
    }
}

// Each bookkeeping write of an attach failed in turn: the attach raises 5 and takes back
// what it wrote, whether it hooked the window itself or found it hooked for another
// message.
TEST_F(SubclassTest, AFailedWriteRaisesFiveAndUndoesTheAttach) {
    struct Case {
        bool hookedBefore;
        int failingWrite;  // 1-based, counting the attach's writes
        std::string after;
    };
    const Case cases[] = {
        {false, 1, "C=0 P=0 N=0 own"},     {false, 2, "C=0 P=0 N=0 own"},
        {false, 3, "C=0 P=0 N=0 own"},     {false, 4, "C=0 P=0 N=0 own"},
        {true, 1, "C=1 P=own N=0 hooked"}, {true, 2, "C=1 P=own N=0 hooked"},
        {true, 3, "C=1 P=own N=0 hooked"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hookedBefore << " " << c.failingWrite);
        Client a(*this, "A"), b(*this, "B");
        const HWND hwnd = MakeWindow();
        if (c.hookedBefore) MSubclass::AttachMessage(b, hwnd, WM_USER + 1);
        int writes = 0;
        MSubclass::SetWriteHook([&](std::string_view) { return ++writes != c.failingWrite; });
        try {
            MSubclass::AttachMessage(a, hwnd, WM_USER);
            ADD_FAILURE() << "nothing raised";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number, 5);
            EXPECT_EQ(error.source, ProgramName());
            EXPECT_EQ(error.description, "Invalid procedure call or argument");
        }
        MSubclass::SetWriteHook({});
        EXPECT_EQ(Bookkeeping(hwnd, WM_USER) + " " + Proc(hwnd), c.after);
        EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), kOwnResult);
        EXPECT_EQ(Trail(), "w");
    }
}

// The client's stored identity is read back whole: on the stack, far above 4 GiB on a
// 64-bit system, a truncated one would show as "?" and never be called.
TEST_F(SubclassTest, OneClientOnTwoMessagesHooksTheWindowOnce) {
    Client a(*this, "A");
    if constexpr (sizeof(intptr_t) == 8) {
        ASSERT_GT(static_cast<uintptr_t>(Identity(a)), 0xFFFFFFFFu);
    }
    const HWND hwnd = MakeWindow();
    MSubclass::AttachMessage(a, hwnd, WM_USER);
    MSubclass::AttachMessage(a, hwnd, WM_USER + 1);
    EXPECT_EQ(Bookkeeping(hwnd, WM_USER + 1), "C=2 P=own N=1 A");
    const std::pair<UINT, LRESULT> sends[] = {{WM_USER, 1}, {WM_USER + 1, 1}, {WM_USER + 2, 99}};
    for (const auto& [msg, result] : sends)
        EXPECT_EQ(SendMessage(hwnd, msg, 0, 0), result) << msg;
    EXPECT_EQ(Trail(), "A A w");
}

// Two clients on one message: the later-attached runs first, and the first-attached one's
// response alone places the window's own procedure (in front of that client itself, with
// emrPreprocess) and picks the result.
TEST_F(SubclassTest, TheFirstAttachedClientPlacesThePreviousProcedure) {
    struct Case {
        EMsgResponse first, second;
        const char* trail;
        LRESULT result;
    };
    const Case cases[] = {
        {emrConsume, emrPreprocess, "B A", 1},
        {emrPostProcess, emrConsume, "B A w", kOwnResult},
        {emrPreprocess, emrPostProcess, "B w A", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trail);
        Client a(*this, "A", c.first), b(*this, "B", c.second);
        const HWND hwnd = MakeWindow();
        MSubclass::AttachMessage(a, hwnd, WM_USER);
        MSubclass::AttachMessage(b, hwnd, WM_USER);
        EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), c.result);
        EXPECT_EQ(Trail(), c.trail);
    }
}

TEST_F(SubclassTest, TheLastDetachRestoresTheWindow) {
    Client a(*this, "A"), b(*this, "B"), c(*this, "C");
    const HWND hwnd = MakeWindow();
    for (Client* client : {&a, &b, &c})
        MSubclass::AttachMessage(*client, hwnd, WM_USER);
    MSubclass::AttachMessage(a, hwnd, WM_USER + 1);

    MSubclass::DetachMessage(b, hwnd, WM_USER);  // the later entry moves down
    EXPECT_EQ(Bookkeeping(hwnd, WM_USER), "C=3 P=own N=2 A C");
    SendMessage(hwnd, WM_USER, 0, 0);
    EXPECT_EQ(Trail(), "C A");
    MSubclass::DetachMessage(a, hwnd, WM_USER);
    MSubclass::DetachMessage(c, hwnd, WM_USER);
    EXPECT_EQ(Bookkeeping(hwnd, WM_USER) + " " + Proc(hwnd), "C=1 P=own N=0 hooked");
    MSubclass::DetachMessage(a, hwnd, WM_USER + 1);
    EXPECT_EQ(Bookkeeping(hwnd, WM_USER + 1) + " " + Proc(hwnd), "C=0 P=0 N=0 own");

    // Nothing left to detach: silently ignored.
    MSubclass::AttachMessage(b, hwnd, WM_USER);
    const HWND foreign = MakeWindow(777);
    MSubclass::DetachMessage(a, hwnd, WM_USER);
    MSubclass::DetachMessage(b, hwnd, WM_USER + 1);
    MSubclass::DetachMessage(b, foreign, WM_USER);
    MSubclass::DetachMessage(b, 0, WM_USER);
    EXPECT_EQ(Bookkeeping(hwnd, WM_USER) + " " + Proc(hwnd), "C=1 P=own N=1 B hooked");
}

// A window destroyed while nobody listens for WM_DESTROY is unhooked on the way: its own
// procedure is back in place when WM_DESTROY reaches it. Under another procedure that
// leaves during WM_DESTROY, the window still answers afterwards.
TEST_F(SubclassTest, ADestroyedWindowGetsItsProcedureBack) {
    struct Case {
        std::vector<UINT> messages;
        bool other;
        const char* trail;
    };
    const Case cases[] = {
        {{WM_SETFOCUS}, false, "w:DESTROY restored"},
        {{WM_SETFOCUS, WM_DESTROY}, false, "w:DESTROY hooked A"},
        {{WM_SETFOCUS}, true, "x w:DESTROY hooked w x:99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trail);
        Client a(*this, "A", emrPreprocess);
        const HWND hwnd = MakeWindow();
        for (UINT msg : c.messages)
            MSubclass::AttachMessage(a, hwnd, msg);
        SetFocus(hwnd);
        EXPECT_EQ(Trail(), "w A");
        if (c.other) InstallOther(hwnd);
        otherLeavesOnDestroy = c.other;
        DestroyWindow(hwnd);
        EXPECT_EQ(Trail(), c.trail);
    }
}

// CallOldWindowProc reaches the replaced procedure only; CurrentMessage is the innermost
// message being dispatched.
TEST_F(SubclassTest, TheServiceCallsTheOldProcedureAndNamesTheCurrentMessage) {
    GSubclass service;
    Client a(*this, "A"), b(*this, "B");
    const HWND plain = MakeWindow(), hwnd = MakeWindow();
    service.AttachMessage(a, hwnd, WM_USER);
    service.AttachMessage(b, hwnd, WM_USER + 1);
    EXPECT_EQ(service.CallOldWindowProc(plain, WM_USER, 0, 0), 0);
    EXPECT_EQ(Trail(), "");
    EXPECT_EQ(service.CallOldWindowProc(hwnd, WM_USER, 0, 0), kOwnResult);
    EXPECT_EQ(Trail(), "w");
    std::vector<UINT> seen;
    a.onMessage = [&](HWND, UINT) {
        seen.push_back(service.CurrentMessage());
        SendMessage(hwnd, WM_USER + 1, 0, 0);
        seen.push_back(service.CurrentMessage());
    };
    b.onMessage = [&](HWND, UINT) { seen.push_back(service.CurrentMessage()); };
    SendMessage(hwnd, WM_USER, 0, 0);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_USER}));
    EXPECT_EQ(service.CurrentMessage(), WM_USER);
}

// A client that ends without detaching leaves the window's bookkeeping and is never
// called again, also when it ends in the middle of a message it was due to get.
TEST_F(SubclassTest, AnEndedClientIsNeverCalled) {
    struct Case {
        const char* what;
        std::function<void(std::unique_ptr<Client>& a, Client& b)> arrange;
    };
    const Case cases[] = {
        {"ended before the message", [](auto& a, Client&) { a.reset(); }},
        {"ended by a client called before it",
         [](auto& a, Client& b) { b.onMessage = [&](HWND, UINT) { a.reset(); }; }},
        {"ended by the window's own procedure",
         [this](auto& a, Client&) {
             a->SetMsgResponse(emrPreprocess);
             onOwnMessage = [&] { a.reset(); };
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto a = std::make_unique<Client>(*this, "A", emrPostProcess);
        Client b(*this, "B", emrPostProcess);
        const HWND hwnd = MakeWindow();
        MSubclass::AttachMessage(*a, hwnd, WM_USER);
        MSubclass::AttachMessage(b, hwnd, WM_USER);
        c.arrange(a, b);
        EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), kOwnResult);
        EXPECT_EQ(Trail(), "B w");
        EXPECT_EQ(Bookkeeping(hwnd, WM_USER), "C=1 P=own N=1 B");
        onOwnMessage = nullptr;
        b.onMessage = nullptr;
    }
    // The only client ends: the window is unhooked.
    auto a = std::make_unique<Client>(*this, "A");
    const HWND hwnd = MakeWindow();
    MSubclass::AttachMessage(*a, hwnd, WM_USER);
    MSubclass::AttachMessage(*a, hwnd, WM_USER + 1);
    a.reset();
    EXPECT_EQ(Bookkeeping(hwnd, WM_USER + 1) + " " + Proc(hwnd), "C=0 P=0 N=0 own");
}

// Clients attached when a message arrives each run once for it, whatever the clients
// attach and detach while it is dispatched; the changes count from the next message.
TEST_F(SubclassTest, ADispatchRunsTheClientsItStartedWith) {
    struct Case {
        const char* what;
        std::function<void(HWND, Client& a, Client& b, Client& c, Client& d)> during;
        bool inB;  // run by B (after C ran) instead of by C (first)
        const char* next;
    };
    const Case cases[] = {
        {"C detaches A, not yet run",
         [](HWND h, Client& a, Client&, Client&, Client&) {
             MSubclass::DetachMessage(a, h, WM_USER);
         },
         false, "C B"},
        {"C detaches itself",
         [](HWND h, Client&, Client&, Client& c, Client&) {
             MSubclass::DetachMessage(c, h, WM_USER);
         },
         false, "B A"},
        {"B detaches C, already run",
         [](HWND h, Client&, Client&, Client& c, Client&) {
             MSubclass::DetachMessage(c, h, WM_USER);
         },
         true, "B A"},
        {"C attaches D",
         [](HWND h, Client&, Client&, Client&, Client& d) {
             MSubclass::AttachMessage(d, h, WM_USER);
         },
         false, "D C B A"},
        {"C moves A to the end",
         [](HWND h, Client& a, Client&, Client&, Client&) {
             MSubclass::DetachMessage(a, h, WM_USER);
             MSubclass::AttachMessage(a, h, WM_USER);
         },
         false, "A C B"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Client a(*this, "A"), b(*this, "B"), c(*this, "C"), d(*this, "D");
        const HWND hwnd = MakeWindow();
        for (Client* client : {&a, &b, &c})
            MSubclass::AttachMessage(*client, hwnd, WM_USER);
        bool done = false;
        (k.inB ? b : c).onMessage = [&](HWND h, UINT) {
            if (!std::exchange(done, true)) k.during(h, a, b, c, d);
        };
        SendMessage(hwnd, WM_USER, 0, 0);
        EXPECT_EQ(Trail(), "C B A");
        SendMessage(hwnd, WM_USER, 0, 0);
        EXPECT_EQ(Trail(), k.next);
    }
}

// Another procedure installed after the service's: the service's last attachment going
// away must neither cut that procedure out nor leave a procedure that answers nothing.
TEST_F(SubclassTest, HooksRemovedOutOfOrderKeepTheChain) {
    struct Case {
        const char* what;
        std::function<void(HWND, std::unique_ptr<Client>&)> leave;
    };
    const Case cases[] = {
        {"last client detaches", [](HWND h, auto& a) { MSubclass::DetachMessage(*a, h, WM_USER); }},
        {"last client ends", [](HWND, auto& a) { a.reset(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto a = std::make_unique<Client>(*this, "A", emrPostProcess);
        Client b(*this, "B", emrPostProcess);
        const HWND hwnd = MakeWindow();
        MSubclass::AttachMessage(*a, hwnd, WM_USER);
        InstallOther(hwnd);
        c.leave(hwnd, a);
        EXPECT_EQ(Proc(hwnd), "other");
        EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), kOwnResult);
        EXPECT_EQ(Trail(), "x w");
        // A new attachment reuses the service's place in the chain.
        MSubclass::AttachMessage(b, hwnd, WM_USER);
        EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), kOwnResult);
        EXPECT_EQ(Trail(), "x B w");
        MSubclass::DetachMessage(b, hwnd, WM_USER);
        // The other procedure leaves; the service's follows at the next message.
        RemoveOther(hwnd);
        EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), kOwnResult);
        EXPECT_EQ(Trail(), "w");
        EXPECT_EQ(Bookkeeping(hwnd, WM_USER) + " " + Proc(hwnd), "C=0 P=0 N=0 own");
    }
}

}  // namespace
}  // namespace tabula::test
