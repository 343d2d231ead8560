// Menus: shortcuts as text, the item tree behind real HMENUs, commands and shortcuts, menu bars
// on a window, popup menus shown with TrackPopupMenu and driven by posted keys, owner drawing
// (events called with a canvas on the menu's DC, pixels read back), and menus read from a form
// description.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/Colors.h"
#include "framework/menus/Menus.h"
#include "tests/support/ControlTestSupport.h"

namespace {

// Popups open away from the top-left corner, where the other GUI tests put their windows.
constexpr int PopupX = 1000;
constexpr int PopupY = 700;

String MenuText(HMENU Menu, int Position)
{
    wchar_t text[128] = {};
    GetMenuStringW(Menu, static_cast<UINT>(Position), text, 128, MF_BYPOSITION);
    return text;
}

UINT MenuState(HMENU Menu, int Position)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    GetMenuItemInfoW(Menu, static_cast<UINT>(Position), TRUE, &info);
    return info.fState | info.fType;
}

TMenuItem* NewItem(TComponent* Owner, const String& Caption, TNotifyEvent OnClick = {})
{
    auto* item = new TMenuItem(Owner);
    item->SetCaption(Caption);
    item->OnClick = std::move(OnClick);
    return item;
}

// Drives this thread's popup menu from a second thread: waits for the menu window, runs the
// script, then presses Escape until the menu is gone, so a failing test never hangs in the
// menu loop.
class TMenuDriver {
public:
    using TScript = std::function<void(TMenuDriver&)>;

    explicit TMenuDriver(TScript Script) : FGuiThread(GetCurrentThreadId())
    {
        FThread = std::thread([this, Script] { Run(Script); });
    }
    ~TMenuDriver() { FThread.join(); }

    bool Found() const { return FMenu != nullptr; }
    void Key(WORD VirtualKey) { PostMessageW(FMenu, WM_KEYDOWN, VirtualKey, 1); }
    void Enter() { PostMessageW(FMenu, WM_CHAR, L'\r', 1); }
    static bool WaitFor(const std::function<bool()>& Done, DWORD TimeoutMs = 5000)
    {
        DWORD start = GetTickCount();
        while (!Done()) {
            if (GetTickCount() - start > TimeoutMs) return false;
            Sleep(10);
        }
        return true;
    }
    // The colour at Dx pixels into item Position of Menu, vertically centred, from the menu
    // window's own surface.
    COLORREF ItemPixel(HMENU Menu, int Position, int Dx)
    {
        RECT item, window;
        GetMenuItemRect(nullptr, Menu, static_cast<UINT>(Position), &item);
        GetWindowRect(FMenu, &window);
        HDC dc = GetWindowDC(FMenu);
        COLORREF color = GetPixel(dc, item.left - window.left + Dx, (item.top + item.bottom) / 2 - window.top);
        ReleaseDC(FMenu, dc);
        return color;
    }

private:
    void Run(const TScript& Script)
    {
        if (!WaitFor([this] { return (FMenu = FindMenuWindow()) != nullptr; })) return;
        Script(*this);
        for (int i = 0; i < 100 && IsWindow(FMenu) && IsWindowVisible(FMenu); ++i) {
            Key(VK_ESCAPE);
            Sleep(20);
        }
    }
    HWND FindMenuWindow() const
    {
        HWND found = nullptr;
        EnumThreadWindows(
            FGuiThread,
            [](HWND Wnd, LPARAM Data) -> BOOL {
                wchar_t name[16] = {};
                GetClassNameW(Wnd, name, 16);
                if (String(name) != L"#32768" || !IsWindowVisible(Wnd)) return TRUE;
                *reinterpret_cast<HWND*>(Data) = Wnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    DWORD FGuiThread;
    std::atomic<HWND> FMenu{nullptr};
    std::thread FThread;
};

TEST(ShortCuts, TextRoundTrip)
{
    struct Case {
        TShortCut ShortCut;
        const wchar_t* Text;
    };
    const Case cases[] = {
        {0x402D, L"Ctrl+Ins"},         {0x202D, L"Shift+Ins"},     {VK_RETURN, L"Enter"},
        {VK_ESCAPE, L"Esc"},           {scAlt | VK_F4, L"Alt+F4"}, {scShift | scCtrl | 'A', L"Shift+Ctrl+A"},
        {VK_F12, L"F12"},              {VK_NUMPAD5, L"Num 5"},     {scCtrl | scAlt | VK_DELETE, L"Ctrl+Alt+Del"},
        {scAlt | VK_BACK, L"Alt+BkSp"}, {VK_TAB, L"Tab"},          {scCtrl | '0', L"Ctrl+0"},
        {VK_PRIOR, L"PgUp"},           {VK_SPACE, L"Space"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text);
        EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << testing::PrintToString(String(c.Text));
    }
    // Reading is lenient: any case and order, long key names.
    EXPECT_EQ(TextToShortCut(L"ctrl+insert"), 0x402D);
    EXPECT_EQ(TextToShortCut(L"Shift+Insert"), 0x202D);
    EXPECT_EQ(TextToShortCut(L"Alt+Shift+x"), scAlt | scShift | 'X');
    EXPECT_EQ(TextToShortCut(L"Escape"), VK_ESCAPE);
    EXPECT_EQ(TextToShortCut(L""), scNone);
    EXPECT_EQ(TextToShortCut(L"Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut(L"Hyper+Q"), scNone);
    EXPECT_EQ(ShortCutToText(scNone), L"");

    EXPECT_EQ(ShortCut(VK_INSERT, TShiftState{ssCtrl}), 0x402D);
    EXPECT_EQ(ShortCut(0x1FF, TShiftState{}), scNone);
    WORD key = 0;
    TShiftState shift;
    ShortCutToKey(scShift | scAlt | VK_F2, key, shift);
    EXPECT_EQ(key, VK_F2);
    EXPECT_EQ(shift, (TShiftState{ssShift, ssAlt}));
}

TEST(ShortCuts, Hotkeys)
{
    EXPECT_EQ(StripHotkey(L"&File"), L"File");
    EXPECT_EQ(StripHotkey(L"Save && E&xit"), L"Save & Exit");
    EXPECT_EQ(GetHotkey(L"Save && E&xit"), L'X');
    EXPECT_EQ(GetHotkey(L"&&Nothing"), 0);
    EXPECT_EQ(GetHotkey(L"end&"), 0);
}

TEST(Menus, ItemTreeIsBuiltIntoTheHMenu)
{
    TComponent owner(nullptr);
    TPopupMenu menu(&owner);
    TMenuItem* copy = NewItem(&owner, L"&Copy");
    copy->SetShortCut(TextToShortCut(L"Ctrl+Ins"));
    TMenuItem* line = NewItem(&owner, L"-");
    TMenuItem* paste = NewItem(&owner, L"&Paste");
    menu.Items()->Add({copy, paste});
    menu.Items()->Insert(1, line);

    HMENU handle = menu.Handle();
    ASSERT_TRUE(IsMenu(handle));
    ASSERT_EQ(GetMenuItemCount(handle), 3);
    EXPECT_EQ(MenuText(handle, 0), L"&Copy\tCtrl+Ins");
    EXPECT_TRUE(MenuState(handle, 1) & MFT_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(handle, 2), paste->Command());

    // Changes reach the existing HMENU.
    paste->SetCaption(L"&Paste here");
    paste->SetChecked(true);
    copy->SetEnabled(false);
    EXPECT_EQ(MenuText(handle, 2), L"&Paste here");
    EXPECT_TRUE(MenuState(handle, 2) & MFS_CHECKED);
    EXPECT_TRUE(MenuState(handle, 0) & MFS_GRAYED);
    line->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(handle), 2);
    EXPECT_EQ(menu.Handle(), handle);

    // A sub-menu appears as the item's own HMENU.
    TMenuItem* more = NewItem(&owner, L"More");
    TMenuItem* inner = NewItem(&owner, L"Inner");
    menu.Items()->Add(more);
    more->Add(inner);
    ASSERT_EQ(GetMenuItemCount(handle), 3);
    EXPECT_EQ(GetSubMenu(handle, 2), more->Handle());
    EXPECT_EQ(GetMenuItemCount(more->Handle()), 1);
    more->Remove(inner);
    EXPECT_EQ(GetSubMenu(handle, 2), nullptr);
    delete inner;

    // Tree operations and their errors.
    EXPECT_EQ(menu.Items()->IndexOf(paste), 2);
    EXPECT_EQ(paste->MenuIndex(), 2);
    paste->SetMenuIndex(0);
    EXPECT_EQ(menu.Items()->Items(0), paste);
    EXPECT_EQ(MenuText(handle, 0), L"&Paste here");
    EXPECT_EQ(menu.Items()->Find(L"copy"), copy);
    EXPECT_EQ(menu.Items()->Find(L"Cut"), nullptr);
    EXPECT_EQ(paste->Parent(), menu.Items());
    EXPECT_EQ(paste->GetParentMenu(), &menu);
    EXPECT_THROW(menu.Items()->Add(paste), EMenuError);
    EXPECT_THROW(menu.Items()->Items(9), EMenuError);
    EXPECT_THROW(menu.Items()->Insert(-1, NewItem(&owner, L"stray")), EMenuError);
    TMenuItem stranger(nullptr);
    EXPECT_THROW(menu.Items()->Remove(&stranger), EMenuError);
}

TEST(Menus, FreeingItemsAndMenus)
{
    TComponent owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    TMenuItem* a = NewItem(&owner, L"A");
    TMenuItem* b = NewItem(&owner, L"B");
    TMenuItem* sub = NewItem(&owner, L"Sub");
    menu->Items()->Add({a, b});
    b->Add(sub);
    HMENU handle = menu->Handle();

    delete a;  // an item leaves its parent and the HMENU
    EXPECT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(GetMenuItemCount(handle), 1);
    EXPECT_EQ(owner.ComponentCount(), 3);

    WORD subCommand = sub->Command();
    EXPECT_EQ(FindMenuItemByCommand(subCommand), sub);
    delete menu;  // frees its items, which leave their owner too
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(FindMenuItemByCommand(subCommand), nullptr);
    EXPECT_FALSE(IsMenu(handle));

    TPopupMenu other(nullptr);
    other.Items()->Add({NewItem(nullptr, L"1"), NewItem(nullptr, L"2")});
    other.Items()->Clear();
    EXPECT_EQ(other.Items()->Count(), 0);
}

TEST(Menus, CommandsShortcutsAndRadioGroups)
{
    TPopupMenu menu(nullptr);
    std::vector<String> clicks;
    auto log = [&](const wchar_t* name) { return [&clicks, name](TObject*) { clicks.push_back(name); }; };
    TMenuItem* copy = NewItem(&menu, L"&Copy", log(L"copy"));
    copy->SetShortCut(TextToShortCut(L"Ctrl+Ins"));
    TMenuItem* ok = NewItem(&menu, L"OK", log(L"ok"));
    ok->SetShortCut(VK_RETURN);
    ok->SetVisible(false);  // hidden items still answer their shortcut
    TMenuItem* group = NewItem(&menu, L"Group", log(L"group"));
    TMenuItem* deep = NewItem(&menu, L"Deep", log(L"deep"));
    deep->SetShortCut(VK_F5);
    group->Add(deep);
    menu.Items()->Add({copy, ok, group});

    EXPECT_NE(copy->Command(), ok->Command());
    EXPECT_TRUE(menu.DispatchCommand(copy->Command()));
    EXPECT_FALSE(menu.DispatchCommand(static_cast<WORD>(copy->Command() + 1000)));
    EXPECT_TRUE(menu.DispatchPopup(group->Handle()));
    EXPECT_EQ(menu.FindItem(deep->Command(), fkCommand), deep);
    EXPECT_EQ(menu.FindItem(reinterpret_cast<UINT_PTR>(group->Handle()), fkHandle), group);
    EXPECT_EQ(menu.FindItem(VK_F5, fkShortCut), deep);
    EXPECT_TRUE(menu.IsShortCut(VK_INSERT, TShiftState{ssCtrl}));
    EXPECT_FALSE(menu.IsShortCut(VK_INSERT, TShiftState{ssShift}));
    EXPECT_TRUE(menu.IsShortCut(VK_RETURN, TShiftState{}));
    EXPECT_TRUE(menu.IsShortCut(VK_F5, TShiftState{}));
    group->SetEnabled(false);
    EXPECT_FALSE(menu.IsShortCut(VK_F5, TShiftState{}));
    copy->SetEnabled(false);
    copy->Click();
    const std::vector<String> expected{L"copy", L"group", L"copy", L"ok", L"deep"};
    EXPECT_EQ(clicks, expected);

    // The controls layer asks through its hook with a key message and the key state of the facts.
    {
        kvltest::TKeyState keys;
        keys.Down[VK_CONTROL] = true;
        copy->SetEnabled(true);
        TMessage key{WM_KEYDOWN, VK_INSERT, 1, 0};
        ASSERT_TRUE(PopupMenuShortCutHandler);
        EXPECT_TRUE(PopupMenuShortCutHandler(&menu, key));
    }
    EXPECT_EQ(clicks.back(), L"copy");

    // Radio items of one group exclude each other; AutoCheck toggles on click.
    TMenuItem* r1 = NewItem(&menu, L"r1");
    TMenuItem* r2 = NewItem(&menu, L"r2");
    TMenuItem* r3 = NewItem(&menu, L"r3");
    for (TMenuItem* r : {r1, r2, r3}) {
        r->SetRadioItem(true);
        r->SetGroupIndex(1);
        menu.Items()->Add(r);
    }
    r3->SetGroupIndex(2);
    r1->SetChecked(true);
    r3->SetChecked(true);
    r2->SetChecked(true);
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(r2->Checked());
    EXPECT_TRUE(r3->Checked());
    r1->SetAutoCheck(true);
    r1->Click();
    EXPECT_TRUE(r1->Checked());
    EXPECT_FALSE(r2->Checked());
}

TEST(Menus, MainMenuAttachesToAWindow)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    TMainMenu menu(nullptr);
    std::vector<bool> rebuilds;
    menu.OnChange = [&](TObject*, TMenuItem*, bool rebuild) { rebuilds.push_back(rebuild); };
    menu.SetWindowHandle(window);
    EXPECT_EQ(GetMenu(window), nullptr);  // nothing to show yet

    TMenuItem* file = NewItem(&menu, L"&File");
    menu.Items()->Add(file);
    ASSERT_NE(GetMenu(window), nullptr);
    EXPECT_EQ(GetMenu(window), menu.GetMenuHandle());
    EXPECT_EQ(MenuText(GetMenu(window), 0), L"&File");
    file->SetCaption(L"&Datei");
    EXPECT_EQ(MenuText(GetMenu(window), 0), L"&Datei");
    EXPECT_FALSE(rebuilds.empty());

    menu.SetWindowHandle(nullptr);
    EXPECT_EQ(GetMenu(window), nullptr);

    // A window destroyed with the menu attached takes the HMENU; the menu makes a new one.
    menu.SetWindowHandle(window);
    HMENU first = menu.Handle();
    DestroyWindow(window);
    EXPECT_FALSE(IsMenu(first));
    HMENU second = menu.Handle();
    EXPECT_TRUE(IsMenu(second));
    EXPECT_EQ(GetMenuItemCount(second), 1);
}

TEST(Menus, FormMenuBarDispatchesCommandsAndOutlivesTheFormsWindow)
{
    TMainMenu menu(nullptr);
    TMenuItem* file = NewItem(&menu, L"&File");
    TMenuItem* open = NewItem(&menu, L"&Open");
    int clicks = 0;
    open->OnClick = [&](TObject*) { ++clicks; };
    menu.Items()->Add(file);
    file->Add(open);

    HMENU bar = nullptr;
    {
        TForm form(nullptr);
        form.SetMenu(&menu);
        form.HandleNeeded();
        bar = GetMenu(form.Handle());
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar, menu.Handle());

        SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
        EXPECT_EQ(clicks, 1);
        form.SetMenu<TMainMenu>(nullptr);
        EXPECT_EQ(GetMenu(form.Handle()), nullptr);
        form.SetMenu(&menu);
        EXPECT_EQ(GetMenu(form.Handle()), menu.Handle());
    }
    // The form's window is gone, the menu bar is not.
    EXPECT_TRUE(IsMenu(menu.Handle()));
    EXPECT_EQ(GetMenuItemCount(menu.Handle()), 1);
}

TEST(Menus, PopupShowsAndClicksTheChosenItem)
{
    TPopupMenu menu(nullptr);
    std::vector<String> events;
    auto log = [&](const wchar_t* name) { return [&events, name](TObject*) { events.push_back(name); }; };
    menu.OnPopup = log(L"popup");
    menu.OnClose = log(L"close");
    TMenuItem* more = NewItem(&menu, L"More", log(L"more opens"));
    more->Add(NewItem(&menu, L"Inner", log(L"inner")));
    menu.Items()->Add({NewItem(&menu, L"One", log(L"one")), NewItem(&menu, L"-"), NewItem(&menu, L"Two", log(L"two")), more});

    {
        TMenuDriver driver([](TMenuDriver& d) {
            d.Key(VK_DOWN);
            d.Key(VK_DOWN);  // the separator is skipped
            d.Enter();
        });
        menu.Popup(PopupX, PopupY);
    }
    std::vector<String> expected{L"popup", L"close", L"two"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(menu.PopupPoint().x, PopupX);

    // Opening a sub-menu clicks its parent item (so it can prepare its items) first.
    events.clear();
    {
        TMenuDriver driver([](TMenuDriver& d) {
            d.Key(VK_UP);
            d.Key(VK_RIGHT);
            d.Enter();
        });
        menu.Popup(PopupX, PopupY);
    }
    expected = {L"popup", L"more opens", L"close", L"inner"};
    EXPECT_EQ(events, expected);

    // Escape chooses nothing.
    events.clear();
    {
        TMenuDriver driver([](TMenuDriver& d) { d.Key(VK_ESCAPE); });
        menu.Popup(PopupX, PopupY);
    }
    expected = {L"popup", L"close"};
    EXPECT_EQ(events, expected);
}

TEST(Menus, OwnerDrawnPopupItemsAreMeasuredAndDrawn)
{
    TPopupMenu menu(nullptr);
    menu.SetOwnerDraw(true);
    struct TDrawLog {
        std::mutex Lock;
        int Measured = 0;
        bool DefaultSizeGiven = false;
        bool CanvasHadDC = true;
        std::atomic<int> Drawn{0};
        std::atomic<bool> FirstSelected{false};
    } drawLog;
    auto measure = [&](TObject*, TCanvas* canvas, int& width, int& height) {
        std::lock_guard<std::mutex> guard(drawLog.Lock);
        ++drawLog.Measured;
        drawLog.DefaultSizeGiven = width > 0 && height > 0;
        drawLog.CanvasHadDC = drawLog.CanvasHadDC && canvas != nullptr && canvas->HandleAllocated();
        width = 120;
        height = 30;
    };
    TMenuItem* a = NewItem(&menu, L"A");
    TMenuItem* b = NewItem(&menu, L"B");
    for (TMenuItem* item : {a, b}) {
        item->OnMeasureItem = measure;
        item->OnAdvancedDrawItem = [&, item](TObject* sender, TCanvas* canvas, TRect rect, TOwnerDrawState state) {
            canvas->Brush()->SetColor(state.Contains(odSelected) ? clRed : clLime);
            canvas->FillRect(rect);
            if (sender == a && state.Contains(odSelected)) drawLog.FirstSelected = true;
            ++drawLog.Drawn;
        };
    }
    bool defaultClicked = false;
    TMenuItem* plain = NewItem(&menu, L"&Plain", [&](TObject*) { defaultClicked = true; });
    menu.Items()->Add({a, b, plain});

    COLORREF unselected = 0, selected = 0, defaultSelected = 0;
    int itemHeight = 0;
    bool drawnFirst = false, selectedSeen = false;
    {
        HMENU handle = menu.Handle();
        TMenuDriver driver([&](TMenuDriver& d) {
            drawnFirst = TMenuDriver::WaitFor([&] { return drawLog.Drawn >= 2; });
            unselected = d.ItemPixel(handle, 1, 10);
            RECT r;
            GetMenuItemRect(nullptr, handle, 0, &r);
            itemHeight = r.bottom - r.top;
            d.Key(VK_DOWN);
            selectedSeen = TMenuDriver::WaitFor([&] { return drawLog.FirstSelected.load(); });
            selected = d.ItemPixel(handle, 0, 10);
            d.Key(VK_DOWN);
            d.Key(VK_DOWN);
            const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
            TMenuDriver::WaitFor([&] { return d.ItemPixel(handle, 2, 2) == highlight; }, 2000);
            defaultSelected = d.ItemPixel(handle, 2, 2);
            d.Enter();
        });
        menu.Popup(PopupX, PopupY);
    }
    EXPECT_TRUE(drawnFirst);
    EXPECT_TRUE(selectedSeen);
    EXPECT_EQ(drawLog.Measured, 2);
    EXPECT_TRUE(drawLog.DefaultSizeGiven);
    EXPECT_TRUE(drawLog.CanvasHadDC);
    EXPECT_EQ(itemHeight, 30);
    EXPECT_EQ(unselected, RGB(0, 255, 0));
    EXPECT_EQ(selected, RGB(255, 0, 0));
    EXPECT_EQ(defaultSelected, GetSysColor(COLOR_HIGHLIGHT));  // drawn the default way
    EXPECT_TRUE(defaultClicked);
}

TEST(Menus, PopupComponentAndAutoPopup)
{
    TPopupMenu menu(nullptr);
    auto* target = new TComponent(nullptr);
    menu.SetPopupComponent(target);
    EXPECT_EQ(menu.PopupComponent(), target);
    delete target;
    EXPECT_EQ(menu.PopupComponent(), nullptr);

    // Without AutoPopup a control's context menu is not shown by the menus.
    bool popped = false;
    menu.OnPopup = [&](TObject*) { popped = true; };
    menu.SetAutoPopup(false);
    ASSERT_TRUE(PopupMenuHandler);
    EXPECT_FALSE(PopupMenuHandler(&menu, nullptr, Point(10, 10)));
    EXPECT_FALSE(popped);

    EXPECT_GE(PopupList().Count(), 1);
    EXPECT_NE(PopupList().Window(), nullptr);
}

// A form-like root for reading menus from a description.
class TMenuHost : public TComponent {
public:
    using TComponent::TComponent;
    TPopupMenu* PopupMenu1 = nullptr;
    TObject* Clicked = nullptr;
    void CopyClick(TObject* Sender) { Clicked = Sender; }
};

TEST(Menus, ReadFromAFormDescription)
{
    RegisterMenuClasses();
    RegisterPublishedClass<TMenuHost>(L"TMenuHost", L"TComponent")
        .Field(L"PopupMenu1", &TMenuHost::PopupMenu1)
        .Method(L"CopyClick", &TMenuHost::CopyClick);
    TMenuHost host(nullptr);
    ReadComponentFromText(&host,
                          L"object Host: TMenuHost\n"
                          L"  object PopupMenu1: TPopupMenu\n"
                          L"    AutoPopup = False\n"
                          L"    Alignment = paRight\n"
                          L"    MenuAnimation = [maNone]\n"
                          L"    object Copy1: TMenuItem\n"
                          L"      Caption = '&Copy'\n"
                          L"      ShortCut = 16429\n"
                          L"      OnClick = CopyClick\n"
                          L"    end\n"
                          L"    object Edit1: TMenuItem\n"
                          L"      Caption = 'Edit'\n"
                          L"      object OK1: TMenuItem\n"
                          L"        Caption = 'OK'\n"
                          L"        ShortCut = 13\n"
                          L"        Visible = False\n"
                          L"        RadioItem = True\n"
                          L"        Break = mbBarBreak\n"
                          L"      end\n"
                          L"    end\n"
                          L"  end\n"
                          L"end\n",
                          L"Menus.form");
    ASSERT_NE(host.PopupMenu1, nullptr);
    TPopupMenu* menu = host.PopupMenu1;
    EXPECT_FALSE(menu->AutoPopup());
    EXPECT_EQ(menu->Alignment(), paRight);
    EXPECT_TRUE(menu->MenuAnimation().Contains(maNone));
    ASSERT_EQ(menu->Items()->Count(), 2);
    TMenuItem* copy = menu->Items()->Items(0);
    EXPECT_EQ(copy->Name(), L"Copy1");
    EXPECT_EQ(copy->Owner(), &host);
    EXPECT_EQ(ShortCutToText(copy->ShortCut()), L"Ctrl+Ins");
    TMenuItem* ok = menu->Items()->Items(1)->Find(L"OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(ok->Visible());
    EXPECT_TRUE(ok->RadioItem());
    EXPECT_EQ(ok->Break(), mbBarBreak);
    EXPECT_TRUE(menu->IsShortCut(VK_INSERT, TShiftState{ssCtrl}));
    EXPECT_EQ(host.Clicked, copy);
}

} // namespace
