#pragma once
// Message-sequence recording for GUI tests: record the messages a control or window receives
// (sent or posted, at the control itself or at its parent) and compare them with an expected
// sequence in which entries may be optional or check their parameters. A mismatch prints the
// expected and the actual sequence side by side.
//
//   kvltest::TMessageSequence seq;
//   kvltest::TWindowProcRecorder rec(seq, control);             // through the control's WindowProc
//   kvltest::TWindowRecorder parentRec(seq, parentWnd, kvltest::msParent);
//   ... act ...
//   EXPECT_TRUE(seq.Matches({{WM_SHOWWINDOW}, {WM_WINDOWPOSCHANGING, kvltest::msOptional},
//                            {CM_SHOWINGCHANGED}}));
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/controls/Messages.h"
#include "tests/support/MessagePump.h"

namespace kvltest {

enum TMsgSeqFlags : unsigned {
    msSent = 0x01,      // delivered straight to the procedure (SendMessage, Perform)
    msPosted = 0x02,    // taken from the queue and dispatched
    msParent = 0x04,    // seen by a recorder that watches a parent
    msOptional = 0x08,  // expected entry that may be missing
    msWParam = 0x10,    // expected entry: WParam must match
    msLParam = 0x20,    // expected entry: LParam must match
};

struct TMsgEntry {
    UINT Msg = 0;
    unsigned Flags = msSent;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
};

inline std::string MessageName(UINT msg)
{
    static const std::map<UINT, const char*> names = {
        {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"}, {WM_SETTEXT, "WM_SETTEXT"}, {WM_GETTEXT, "WM_GETTEXT"},
        {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"}, {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NOTIFY, "WM_NOTIFY"}, {WM_CONTEXTMENU, "WM_CONTEXTMENU"}, {WM_STYLECHANGING, "WM_STYLECHANGING"},
        {WM_STYLECHANGED, "WM_STYLECHANGED"}, {WM_GETICON, "WM_GETICON"}, {WM_SETICON, "WM_SETICON"},
        {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCHITTEST, "WM_NCHITTEST"}, {WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_GETDLGCODE, "WM_GETDLGCODE"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"},
        {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_SYSKEYUP, "WM_SYSKEYUP"}, {WM_SYSCHAR, "WM_SYSCHAR"},
        {WM_COMMAND, "WM_COMMAND"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_TIMER, "WM_TIMER"},
        {WM_HSCROLL, "WM_HSCROLL"}, {WM_VSCROLL, "WM_VSCROLL"}, {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"}, {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
        {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"}, {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_MOUSELEAVE, "WM_MOUSELEAVE"}, {WM_SETFONT, "WM_SETFONT"}, {WM_GETFONT, "WM_GETFONT"},
        {WM_PRINT, "WM_PRINT"}, {WM_PRINTCLIENT, "WM_PRINTCLIENT"}, {WM_CANCELMODE, "WM_CANCELMODE"},
        {WM_CHILDACTIVATE, "WM_CHILDACTIVATE"}, {WM_SYSCOLORCHANGE, "WM_SYSCOLORCHANGE"},
        {WM_MOVING, "WM_MOVING"}, {WM_SIZING, "WM_SIZING"}, {WM_ENTERIDLE, "WM_ENTERIDLE"},
        {CM_ACTIVATE, "CM_ACTIVATE"}, {CM_DEACTIVATE, "CM_DEACTIVATE"}, {CM_CANCELMODE, "CM_CANCELMODE"},
        {CM_DIALOGKEY, "CM_DIALOGKEY"}, {CM_DIALOGCHAR, "CM_DIALOGCHAR"}, {CM_FOCUSCHANGED, "CM_FOCUSCHANGED"},
        {CM_PARENTFONTCHANGED, "CM_PARENTFONTCHANGED"}, {CM_PARENTCOLORCHANGED, "CM_PARENTCOLORCHANGED"},
        {CM_HITTEST, "CM_HITTEST"}, {CM_VISIBLECHANGED, "CM_VISIBLECHANGED"}, {CM_ENABLEDCHANGED, "CM_ENABLEDCHANGED"},
        {CM_COLORCHANGED, "CM_COLORCHANGED"}, {CM_FONTCHANGED, "CM_FONTCHANGED"}, {CM_CURSORCHANGED, "CM_CURSORCHANGED"},
        {CM_CTL3DCHANGED, "CM_CTL3DCHANGED"}, {CM_PARENTCTL3DCHANGED, "CM_PARENTCTL3DCHANGED"},
        {CM_TEXTCHANGED, "CM_TEXTCHANGED"}, {CM_MOUSEENTER, "CM_MOUSEENTER"}, {CM_MOUSELEAVE, "CM_MOUSELEAVE"},
        {CM_BUTTONPRESSED, "CM_BUTTONPRESSED"}, {CM_SHOWINGCHANGED, "CM_SHOWINGCHANGED"}, {CM_ENTER, "CM_ENTER"},
        {CM_EXIT, "CM_EXIT"}, {CM_ICONCHANGED, "CM_ICONCHANGED"}, {CM_WANTSPECIALKEY, "CM_WANTSPECIALKEY"},
        {CM_RELEASE, "CM_RELEASE"}, {CM_SHOWHINTCHANGED, "CM_SHOWHINTCHANGED"},
        {CM_PARENTSHOWHINTCHANGED, "CM_PARENTSHOWHINTCHANGED"}, {CM_SYSCOLORCHANGE, "CM_SYSCOLORCHANGE"},
        {CM_TABSTOPCHANGED, "CM_TABSTOPCHANGED"}, {CM_CONTROLLISTCHANGE, "CM_CONTROLLISTCHANGE"},
        {CM_CHILDKEY, "CM_CHILDKEY"}, {CM_HINTSHOW, "CM_HINTSHOW"}, {CM_RECREATEWND, "CM_RECREATEWND"},
        {CM_INVALIDATE, "CM_INVALIDATE"}, {CM_CONTROLCHANGE, "CM_CONTROLCHANGE"}, {CM_BORDERCHANGED, "CM_BORDERCHANGED"},
        {CM_BIDIMODECHANGED, "CM_BIDIMODECHANGED"}, {CM_PARENTBIDIMODECHANGED, "CM_PARENTBIDIMODECHANGED"},
        {CM_MOUSEWHEEL, "CM_MOUSEWHEEL"}, {CM_CONTROLLISTCHANGING, "CM_CONTROLLISTCHANGING"},
        {CN_COMMAND, "CN_COMMAND"}, {CN_NOTIFY, "CN_NOTIFY"}, {CN_KEYDOWN, "CN_KEYDOWN"}, {CN_KEYUP, "CN_KEYUP"},
        {CN_CHAR, "CN_CHAR"}, {CN_SYSKEYDOWN, "CN_SYSKEYDOWN"}, {CN_SYSCHAR, "CN_SYSCHAR"},
        {CN_DRAWITEM, "CN_DRAWITEM"}, {CN_HSCROLL, "CN_HSCROLL"}, {CN_VSCROLL, "CN_VSCROLL"},
    };
    auto it = names.find(msg);
    if (it != names.end()) return it->second;
    char buf[32];
    std::snprintf(buf, sizeof buf, "msg 0x%04X", msg);
    return buf;
}

// Messages that come and go with the system's mood (icons, IME, cursor shapes, synchronised
// painting): never recorded unless a test asks for them.
inline std::set<UINT> DefaultIgnoredMessages()
{
    return {WM_GETICON, WM_GETOBJECT, WM_TIMECHANGE, WM_DEVICECHANGE, WM_DISPLAYCHANGE, 0x0088 /* WM_SYNCPAINT */,
            WM_IME_SETCONTEXT, WM_IME_NOTIFY, WM_IME_REQUEST, WM_NCHITTEST, WM_SETCURSOR, WM_ENTERIDLE,
            0x0090, 0x0091, 0x0092, 0x0093, 0x0094, 0x0095, 0x0096 /* theming internals */, 0x031F, 0x0317};
}

// Tells recorders which message is being dispatched from the queue, so they can flag it posted.
class TQueueWatcher {
public:
    static void Acquire()
    {
        if (Instance().FUsers++ == 0)
            Instance().FHook = SetWindowsHookExW(WH_GETMESSAGE, Hook, nullptr, GetCurrentThreadId());
    }
    static void Release()
    {
        if (--Instance().FUsers == 0 && Instance().FHook != nullptr) {
            UnhookWindowsHookEx(Instance().FHook);
            Instance().FHook = nullptr;
        }
    }
    // True (once) when (Wnd, Msg, WParam, LParam) is the message just taken from the queue.
    static bool TakePosted(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
    {
        TQueueWatcher& w = Instance();
        if (!w.FPending) return false;
        const MSG& m = w.FLast;
        if (m.hwnd != Wnd || m.message != Msg || m.wParam != WParam || m.lParam != LParam) return false;
        w.FPending = false;
        return true;
    }

private:
    static TQueueWatcher& Instance()
    {
        static TQueueWatcher watcher;
        return watcher;
    }
    static LRESULT CALLBACK Hook(int Code, WPARAM WParam, LPARAM LParam)
    {
        if (Code == HC_ACTION && WParam == PM_REMOVE) {
            Instance().FLast = *reinterpret_cast<MSG*>(LParam);
            Instance().FPending = true;
        }
        return CallNextHookEx(nullptr, Code, WParam, LParam);
    }
    HHOOK FHook = nullptr;
    int FUsers = 0;
    MSG FLast{};
    bool FPending = false;
};

class TMessageSequence {
public:
    // Messages left out of the record.
    std::set<UINT> Ignored = DefaultIgnoredMessages();
    // When not empty, only these messages are recorded.
    std::set<UINT> Only;

    void Add(UINT Msg, unsigned Flags, WPARAM WParam, LPARAM LParam)
    {
        if (FPaused) return;
        if (Ignored.count(Msg) != 0) return;
        if (!Only.empty() && Only.count(Msg) == 0) return;
        FEntries.push_back({Msg, Flags, WParam, LParam});
    }
    // Records a message from inside a test's own WindowProc (one that also acts on it).
    void Add(const TMessage& Message, unsigned Flags = msSent) { Add(Message.Msg, Flags, Message.WParam, Message.LParam); }
    void Clear() { FEntries.clear(); }
    void Pause(bool Value) { FPaused = Value; }
    const std::vector<TMsgEntry>& Entries() const { return FEntries; }
    int Count(UINT Msg) const
    {
        return static_cast<int>(std::count_if(FEntries.begin(), FEntries.end(), [Msg](const TMsgEntry& e) { return e.Msg == Msg; }));
    }
    bool Contains(UINT Msg) const { return Count(Msg) > 0; }
    // Index of the first Msg at or after From, -1 when none.
    int IndexOf(UINT Msg, int From = 0) const
    {
        for (size_t i = static_cast<size_t>(std::max(From, 0)); i < FEntries.size(); ++i)
            if (FEntries[i].Msg == Msg) return static_cast<int>(i);
        return -1;
    }

    // Compares the record with Expected: entries must come in order; optional expected entries
    // may be absent; sent/posted/parent must agree (an expected entry with neither sent nor
    // posted accepts both); WParam/LParam are compared when flagged.
    ::testing::AssertionResult Matches(const std::vector<TMsgEntry>& Expected) const
    {
        size_t e = 0, a = 0;
        std::string why;
        while (e < Expected.size() && a < FEntries.size()) {
            const TMsgEntry& x = Expected[e];
            const TMsgEntry& y = FEntries[a];
            if (x.Msg == y.Msg && FlagsAgree(x, y, why)) {
                ++e;
                ++a;
            } else if (x.Flags & msOptional) {
                why.clear();
                ++e;
            } else {
                if (why.empty()) why = "message differs";
                return Fail(Expected, e, a, why);
            }
        }
        while (e < Expected.size() && (Expected[e].Flags & msOptional)) ++e;
        if (e < Expected.size()) return Fail(Expected, e, a, "expected message missing");
        if (a < FEntries.size()) return Fail(Expected, e, a, "unexpected extra message");
        return ::testing::AssertionSuccess();
    }

    std::string Describe(const TMsgEntry& m, bool expected) const
    {
        std::string s = MessageName(m.Msg);
        if (m.Flags & msPosted) s += " posted";
        else if (m.Flags & msSent) s += " sent";
        if (m.Flags & msParent) s += " parent";
        if (m.Flags & msOptional) s += " optional";
        if (!expected || (m.Flags & (msWParam | msLParam))) {
            char buf[64];
            std::snprintf(buf, sizeof buf, " (%llx, %llx)", static_cast<unsigned long long>(m.WParam),
                          static_cast<unsigned long long>(m.LParam));
            s += buf;
        }
        return s;
    }

private:
    static bool FlagsAgree(const TMsgEntry& x, const TMsgEntry& y, std::string& why)
    {
        why.clear();
        if ((x.Flags & msPosted) && !(y.Flags & msPosted)) why = "expected posted, was sent";
        else if ((x.Flags & msSent) && !(x.Flags & msPosted) && (y.Flags & msPosted)) why = "expected sent, was posted";
        else if ((x.Flags & msParent) != (y.Flags & msParent)) why = "parent flag differs";
        else if ((x.Flags & msWParam) && x.WParam != y.WParam) why = "WParam differs";
        else if ((x.Flags & msLParam) && x.LParam != y.LParam) why = "LParam differs";
        return why.empty();
    }

    ::testing::AssertionResult Fail(const std::vector<TMsgEntry>& Expected, size_t e, size_t a, const std::string& why) const
    {
        std::string out = why + " (expected #" + std::to_string(e) + ", actual #" + std::to_string(a) + ")\n";
        char line[200];
        std::snprintf(line, sizeof line, "   %-44s %s\n", "expected", "actual");
        out += line;
        size_t rows = std::max(Expected.size(), FEntries.size());
        for (size_t i = 0; i < rows; ++i) {
            std::string l = i < Expected.size() ? Describe(Expected[i], true) : "";
            std::string r = i < FEntries.size() ? Describe(FEntries[i], false) : "";
            std::snprintf(line, sizeof line, "%s %-44s %s\n", (i == e || i == a) ? ">>" : "  ", l.c_str(), r.c_str());
            out += line;
        }
        return ::testing::AssertionFailure() << out;
    }

    std::vector<TMsgEntry> FEntries;
    bool FPaused = false;
};

// Records every message that passes through a control's WindowProc (TControl or descendant),
// then hands it on; the previous WindowProc comes back when the recorder goes.
template <class TCtl>
class TWindowProcRecorder {
public:
    TWindowProcRecorder(TMessageSequence& Seq, TCtl* Control, unsigned Flags = 0) : FSeq(Seq), FControl(Control), FFlags(Flags)
    {
        TQueueWatcher::Acquire();
        FOld = Control->WindowProc;
        Control->WindowProc = [this](TMessage& m) {
            HWND wnd = nullptr;
            if constexpr (requires(TCtl* c) { c->HandleAllocated(); }) {
                if (FControl->HandleAllocated()) wnd = FControl->Handle();
            }
            bool posted = wnd != nullptr && TQueueWatcher::TakePosted(wnd, m.Msg, m.WParam, m.LParam);
            FSeq.Add(m.Msg, FFlags | (posted ? msPosted : msSent), m.WParam, m.LParam);
            FOld(m);
        };
    }
    ~TWindowProcRecorder()
    {
        FControl->WindowProc = FOld;
        TQueueWatcher::Release();
    }
    TWindowProcRecorder(const TWindowProcRecorder&) = delete;
    TWindowProcRecorder& operator=(const TWindowProcRecorder&) = delete;

private:
    TMessageSequence& FSeq;
    TCtl* FControl;
    unsigned FFlags;
    std::function<void(TMessage&)> FOld;
};

// Records the messages of any window by subclassing its window procedure.
class TWindowRecorder {
public:
    TWindowRecorder(TMessageSequence& Seq, HWND Wnd, unsigned Flags = 0) : FSeq(Seq), FWnd(Wnd), FFlags(Flags)
    {
        TQueueWatcher::Acquire();
        Registry()[Wnd] = this;
        FOld = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    ~TWindowRecorder()
    {
        if (IsWindow(FWnd)) SetWindowLongPtrW(FWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOld));
        Registry().erase(FWnd);
        TQueueWatcher::Release();
    }
    TWindowRecorder(const TWindowRecorder&) = delete;
    TWindowRecorder& operator=(const TWindowRecorder&) = delete;

private:
    static std::map<HWND, TWindowRecorder*>& Registry()
    {
        static std::map<HWND, TWindowRecorder*> map;
        return map;
    }
    static LRESULT CALLBACK Proc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
    {
        auto it = Registry().find(Wnd);
        if (it == Registry().end()) return DefWindowProcW(Wnd, Msg, WParam, LParam);
        TWindowRecorder* self = it->second;
        bool posted = TQueueWatcher::TakePosted(Wnd, Msg, WParam, LParam);
        self->FSeq.Add(Msg, self->FFlags | (posted ? msPosted : msSent), WParam, LParam);
        return CallWindowProcW(self->FOld, Wnd, Msg, WParam, LParam);
    }

    TMessageSequence& FSeq;
    HWND FWnd;
    unsigned FFlags;
    WNDPROC FOld = nullptr;
};

} // namespace kvltest
