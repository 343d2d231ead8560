#pragma once
// The dialog tests' tools: the form test skin with the sections a dialog and its children
// paint, its window hook installed as the default manager installs it, and a watcher that sees a
// message box while it is up (a thread timer ticks inside the box's own message loop), records
// it and closes it with one of its buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "skin/forms/acDials.h"
#include "skin/subclass/acSBUtils.h"
#include "tests/skin/forms/FormSkinFixture.h"

namespace dialogtest {

using namespace formskin_test;

inline constexpr TColor DialogColor = 0x00A0C0E0;
inline constexpr TColor ButtonColor = 0x00608040;
inline constexpr TColor CheckBoxColor = 0x00B0D0F0;

// The test skin with "DIALOG", "BUTTON", "CHECKBOX" and "EDIT", and the hook installed.
struct DialogSkin {
    FormSkin Skin;
    DialogSkin()
    {
        Skin.AddSection(L"DIALOG", DialogColor, DialogColor);
        Skin.AddSection(L"BUTTON", ButtonColor, ButtonColor);
        Skin.AddSection(L"CHECKBOX", CheckBoxColor, CheckBoxColor);
        Skin.AddSection(L"EDIT", 0x00FFFFFF, 0x00FFFFFF);
        LinkSkinHook();
        Skin.Manager.InstallHook();
    }
    ~DialogSkin() { Skin.Manager.UnInstallHook(); }
    DialogSkin(const DialogSkin&) = delete;
    DialogSkin& operator=(const DialogSkin&) = delete;
};

inline int ListedProviders()
{
    int n = 0;
    if (ProviderList() != nullptr)
        for (TacProvider* p : *ProviderList()) n += p != nullptr;
    return n;
}

struct SeenChild {
    String Class;
    LONG Style = 0;
    String Text;
    int Id = 0;
    bool Visible = false;
    TacMainWnd* Handler = nullptr;
};

struct SeenBox {
    HWND Wnd = nullptr;
    String Caption;
    RECT Rect{};
    TacMainWnd* Handler = nullptr;
    std::vector<SeenChild> Children;
    // The client area as the dialog prints it (background and children).
    std::unique_ptr<TBitmap> Client;

    int VisibleChildren(const String& Class) const
    {
        int n = 0;
        for (const SeenChild& c : Children) n += c.Visible && c.Class == Class;
        return n;
    }
    const SeenChild* Find(const std::function<bool(const SeenChild&)>& Test) const
    {
        for (const SeenChild& c : Children)
            if (Test(c)) return &c;
        return nullptr;
    }
};

// Runs Show (which shows one message box and returns its answer), records the box once it is
// shown and clicks the buttons of Clicks in turn (the first visible button when empty).
class BoxWatcher {
public:
    explicit BoxWatcher(std::vector<int> Clicks = {}, bool Record = true) : FClicks(std::move(Clicks)), FRecord(Record) {}

    int Run(const std::function<int()>& Show)
    {
        Current() = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 1, Tick);
        const int result = Show();
        KillTimer(nullptr, timer);
        Current() = nullptr;
        return result;
    }
    SeenBox Seen;
    // Asks the box for help (as F1 does) before it is closed.
    bool AskHelp = false;

private:
    static BoxWatcher*& Current()
    {
        static BoxWatcher* current = nullptr;
        return current;
    }
    static BOOL CALLBACK FindBox(HWND Wnd, LPARAM Found)
    {
        if (!IsWindowVisible(Wnd) || GetWndClassName(Wnd) != L"#32770") return TRUE;
        *reinterpret_cast<HWND*>(Found) = Wnd;
        return FALSE;
    }
    static BOOL CALLBACK RecordChild(HWND Wnd, LPARAM Box)
    {
        SeenChild c;
        c.Class = GetWndClassName(Wnd);
        c.Style = static_cast<LONG>(GetWindowLongPtrW(Wnd, GWL_STYLE));
        c.Text = WindowText(Wnd);
        c.Id = GetDlgCtrlID(Wnd);
        c.Visible = IsWindowVisible(Wnd) != FALSE;
        c.Handler = GetWndHandler(Wnd);
        reinterpret_cast<SeenBox*>(Box)->Children.push_back(c);
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        BoxWatcher* self = Current();
        if (self == nullptr) return;
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
        if (box == nullptr) return;
        if (self->Seen.Wnd != box) {
            self->Observe(box);
            if (self->AskHelp) {
                HELPINFO help{};
                help.cbSize = sizeof help;
                help.iContextType = HELPINFO_WINDOW;
                help.hItemHandle = box;
                SendMessageW(box, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
            }
        }
        if (self->Seen.Wnd == box) self->ClickNext(box);
    }
    void Observe(HWND Box)
    {
        Seen = SeenBox{};
        Seen.Wnd = Box;
        if (!FRecord) return;
        Seen.Caption = WindowText(Box);
        GetWindowRect(Box, &Seen.Rect);
        Seen.Handler = GetWndHandler(Box);
        EnumChildWindows(Box, RecordChild, reinterpret_cast<LPARAM>(&Seen));
        RECT client{};
        GetClientRect(Box, &client);
        Seen.Client = skintest::Bmp32(client.right, client.bottom, 0xFF123456u);
        SendMessageW(Box, WM_PRINT, reinterpret_cast<WPARAM>(Seen.Client->Canvas()->Handle()),
                     PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
        GdiFlush();
    }
    void ClickNext(HWND Box)
    {
        int id = 0;
        if (FNext < FClicks.size()) {
            id = FClicks[FNext++];
        } else {
            for (HWND c = GetTopWindow(Box); c != nullptr && id == 0; c = GetWindow(c, GW_HWNDNEXT))
                if (IsWindowVisible(c) && GetWndClassName(c) == L"Button") id = GetDlgCtrlID(c);
        }
        if (id != 0) PostMessageW(Box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Box, id)));
    }

    std::vector<int> FClicks;
    size_t FNext = 0;
    bool FRecord = true;
};

} // namespace dialogtest
