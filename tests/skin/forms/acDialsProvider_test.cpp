// The dialog provider: which handler each child window of a foreign dialog gets, attaching
// children once, printing them, and a system message box skinned whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "framework/facts/SystemFacts.h"
#include "skin/core/sDialogs.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/subclass/acSBUtilsEditWnd.h"
#include "tests/skin/forms/DialogFixture.h"

using namespace dialogtest;

namespace {

// A dialog-class window (the system's "#32770") with children made one by one.
struct TestDialog {
    HWND Wnd = CreateWindowExW(WS_EX_DLGMODALFRAME, MAKEINTATOM(0x8002), L"Dialog",
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 60, 60, 320, 220, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    ~TestDialog()
    {
        if (IsWindow(Wnd)) DestroyWindow(Wnd);
    }
    HWND Add(const wchar_t* Class, LONG Style, const wchar_t* Text = L"", LONG ExStyle = 0, int Y = 10)
    {
        return CreateWindowExW(ExStyle, Class, Text, WS_CHILD | Style, 10, Y, 120, 24, Wnd, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }
};

TacDialogChildKind KindOf(const wchar_t* Class, LONG Style, LONG ExStyle = 0, bool Visible = true)
{
    return DialogChildHandler(Class, Style, ExStyle, Visible).Kind;
}

} // namespace

TEST(DialogChildHandler, StaticAndButtonTypesChooseTheirHandler)
{
    for (LONG t = 0; t < 32; ++t) {
        SCOPED_TRACE(testing::Message() << "static type " << t);
        const bool image = (t & 3) == 3 || (t & 0xE) == 0xE;  // 3, 7, 11, 14, 15, 19, 23, 27, 30, 31
        const bool none = !image && (t == 5 || t == 6 || t == 13 || t == 29);
        EXPECT_EQ(KindOf(L"static", t), image ? dckIcon : none ? dckNone : dckStatic);
        EXPECT_EQ(KindOf(L"static", t, WS_EX_STATICEDGE), image ? dckEdge : none ? dckNone : dckStatic);
    }
    EXPECT_EQ(KindOf(L"static", SS_ETCHEDHORZ), dckStatic);
    for (LONG b = 0; b < 16; ++b) {
        SCOPED_TRACE(testing::Message() << "button type " << b);
        const TacDialogChildKind expected = b == 7 || b == 15 ? dckGroupBox
                                            : b == 0 || b == 1 || b == 8 ? dckButton
                                                                          : dckCheckBox;
        EXPECT_EQ(KindOf(L"button", b | WS_TABSTOP), expected);
    }
}

TEST(DialogChildHandler, OtherClassesAndTheirConditions)
{
    struct Case {
        const wchar_t* Class;
        LONG Style;
        bool Visible;
        TacDialogChildKind Kind;
        const wchar_t* Section;
        bool DialogPaints;
    };
    const Case cases[] = {
        {L"edit", 0, true, dckEdit, L"EDIT", true},
        {L"edit", 0, false, dckNone, L"", true},
        {L"listbox", 0, true, dckListBox, L"EDIT", true},
        {L"combobox", 0, true, dckComboBox, L"COMBOBOX", true},
        {L"comboboxex32", 0, true, dckComboBox, L"COMBOBOX", true},
        {L"combolbox", 0, true, dckComboList, L"COMBOBOX", true},
        {L"scrollbar", SBS_SIZEGRIP, true, dckSizer, L"CHECKBOX", false},
        {L"scrollbar", SBS_VERT, true, dckNone, L"", false},
        {L"systabcontrol32", 0, true, dckTabControl, L"PAGECONTROL", false},
        {L"systabcontrol32", TCS_OWNERDRAWFIXED, true, dckNone, L"", false},
        {L"msctls_updown32", 0, true, dckSpin, L"SPEEDBUTTON_SMALL", false},
        {L"toolbarwindow32", TBSTYLE_WRAPABLE, true, dckToolBar, L"BAR", false},
        {L"toolbarwindow32", 0, true, dckToolBar, L"CHECKBOX", false},
        {L"#32770", 0, true, dckTransPanel, L"CHECKBOX", false},
        {L"syslink", 0, true, dckLink, L"CHECKBOX", false},
        {L"tsilentpaintpanel", 0, true, dckSilentPaintPanel, L"GROUPBOX", false},
        {L"richedit20w", 0, true, dckNone, L"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << String(c.Class).c_str() << " style " << c.Style);
        const TacDialogChild child = DialogChildHandler(c.Class, c.Style, 0, c.Visible);
        EXPECT_EQ(child.Kind, c.Kind);
        EXPECT_EQ(String(child.Section), c.Section);
        EXPECT_EQ(child.DialogPaints, c.DialogPaints);
    }
}

TEST(DialogProvider, AttachesEachChildOnceAndLaterOnlyNewOnes)
{
    FormSkin skin;
    skin.AddSection(L"DIALOG", DialogColor, DialogColor);
    TestDialog dialog;
    HWND text = dialog.Add(L"Static", WS_VISIBLE | SS_LEFT, L"Text");
    HWND icon = dialog.Add(L"Static", WS_VISIBLE | SS_ICON);
    HWND button = dialog.Add(L"Button", WS_VISIBLE | BS_DEFPUSHBUTTON, L"OK");
    HWND check = dialog.Add(L"Button", WS_VISIBLE | BS_AUTOCHECKBOX, L"Check");
    HWND hiddenEdit = dialog.Add(L"Edit", 0);
    ShowWindow(dialog.Wnd, SW_SHOWNA);

    TacProvider provider(nullptr);
    ASSERT_TRUE(provider.InitSkin(dialog.Wnd));
    ASSERT_NE(provider.ListSW, nullptr);
    EXPECT_EQ(provider.ListSW->Provider, &provider);
    EXPECT_EQ(GetWndHandler(dialog.Wnd), provider.ListSW.get());
    EXPECT_NE(dynamic_cast<TacStaticWnd*>(provider.FindCtrlInList(text)), nullptr);
    EXPECT_NE(dynamic_cast<TacIconWnd*>(provider.FindCtrlInList(icon)), nullptr);
    EXPECT_NE(dynamic_cast<TacBtnWnd*>(provider.FindCtrlInList(button)), nullptr);
    EXPECT_EQ(provider.FindCtrlInList(check), nullptr) << "check boxes keep the system's look for now";
    EXPECT_EQ(provider.FindCtrlInList(hiddenEdit), nullptr) << "a hidden edit waits until it is shown";
    EXPECT_FALSE(provider.ListSW->FWMPaintForbidden) << "a dialog with an edit paints through its procedure";
    EXPECT_TRUE(provider.FindCtrlInList(button)->DlgMode);
    EXPECT_FALSE(DialogHandlerMode);
    const size_t attached = provider.acSkinnedCtrls.size();
    EXPECT_EQ(attached, 3u);

    EXPECT_TRUE(provider.InitHwndControls(dialog.Wnd));
    EXPECT_EQ(provider.acSkinnedCtrls.size(), attached) << "no window gets a second handler";
    ShowWindow(hiddenEdit, SW_SHOWNA);
    HWND later = dialog.Add(L"Button", WS_VISIBLE | BS_PUSHBUTTON, L"Later", 0, 100);
    SendSkinCmd(dialog.Wnd, AC_HOOKCHILDREN, 0);
    EXPECT_EQ(provider.acSkinnedCtrls.size(), attached + 2);
    EXPECT_NE(dynamic_cast<TacEditWnd*>(provider.FindCtrlInList(hiddenEdit)), nullptr);
    EXPECT_NE(provider.FindCtrlInList(later), nullptr);
    EXPECT_FALSE(provider.AddControl(nullptr));
}

TEST(DialogProvider, ADialogOfStaticsKeepsItsOwnPaintingAway)
{
    FormSkin skin;
    TestDialog dialog;
    dialog.Add(L"Static", WS_VISIBLE | SS_LEFT, L"Only text");
    TacProvider provider(nullptr);
    ASSERT_TRUE(provider.InitSkin(dialog.Wnd));
    EXPECT_EQ(provider.ListSW->FWMPaintForbidden, SystemFacts().WindowsVersion().Major > 5);
    EXPECT_EQ(provider.ListSW->BorderStyle, acbsDialog);
    EXPECT_EQ(SendMessageW(dialog.Wnd, WM_GETDLGCODE, 0, 0), 0);
}

TEST(DialogProvider, WithoutAnActiveSkinTheDialogStaysAsItIs)
{
    TestDialog dialog;
    dialog.Add(L"Button", WS_VISIBLE, L"OK");
    TacProvider provider(nullptr);
    EXPECT_TRUE(provider.InitSkin(dialog.Wnd));
    EXPECT_EQ(provider.ListSW, nullptr);
    EXPECT_EQ(GetWndHandler(dialog.Wnd), nullptr);
}

TEST(DialogProvider, PrintsOnlyVisibleChildrenAtTheirPlaces)
{
    FormSkin skin;
    TestDialog dialog;
    HWND hidden = dialog.Add(L"Static", SS_BLACKRECT);
    TacProvider provider(nullptr);
    ASSERT_TRUE(provider.InitSkin(dialog.Wnd));
    auto bmp = skintest::Bmp32(320, 220, 0xFF123456u);
    EXPECT_FALSE(provider.PrintHwndControls(dialog.Wnd, bmp->Canvas()->Handle()));
    GdiFlush();
    EXPECT_EQ(Px(*bmp, 20, 20), 0xFF123456u) << "a hidden child prints nothing";

    ShowWindow(hidden, SW_SHOWNA);
    dialog.Add(L"Static", WS_VISIBLE | SS_BLACKRECT, L"", 0, 100);
    provider.InitHwndControls(dialog.Wnd);
    EXPECT_FALSE(provider.PrintHwndControls(dialog.Wnd, bmp->Canvas()->Handle()));
    GdiFlush();
    EXPECT_NE(Px(*bmp, 20, 20), 0xFF123456u);
    EXPECT_NE(Px(*bmp, 20, 110), 0xFF123456u) << "the second child at its own place";
    EXPECT_EQ(Px(*bmp, 20, 60), 0xFF123456u) << "nothing between them";
}

TEST(DialogHook, ATwoDialogLimitLetsOnlyDialogsWithAToolBarThrough)
{
    DialogSkin skin;
    TestDialog first, second;
    ShowWindow(first.Wnd, SW_SHOWNA);
    ShowWindow(second.Wnd, SW_SHOWNA);
    ASSERT_EQ(VisibleDialogCount(), 2);
    TestDialog plain;
    EXPECT_EQ(GetWndHandler(plain.Wnd), nullptr);
    EXPECT_FALSE(AttachDialogProvider(plain.Wnd));
    TestDialog shell;
    HWND bar = shell.Add(L"Static", WS_VISIBLE);
    CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD, 0, 0, 10, 10, bar, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_TRUE(HasChildOfClass(shell.Wnd, L"toolbarwindow32"));
    EXPECT_TRUE(AttachDialogProvider(shell.Wnd));
    EXPECT_NE(GetWndHandler(shell.Wnd), nullptr);
}

TEST(DialogHook, ADialogsProviderGoesOnceItsWindowIsGone)
{
    DialogSkin skin;
    auto dialog = std::make_unique<TestDialog>();
    ASSERT_NE(dynamic_cast<TacDialogWnd*>(GetWndHandler(dialog->Wnd)), nullptr);
    ASSERT_EQ(ListedProviders(), 1);
    EXPECT_EQ(HookedDialogWindows(), std::vector<HWND>{dialog->Wnd});
    dialog.reset();
    EXPECT_EQ(ListedProviders(), 1) << "its window was still there when its destruction began";
    // Any later window destruction frees the dead provider.
    DestroyWindow(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ListedProviders(), 0);
    EXPECT_TRUE(HookedDialogWindows().empty());
}

TEST(DialogHook, ASystemMessageBoxIsSkinnedWithItsChildHandlers)
{
    DialogSkin skin;
    BoxWatcher watcher;
    watcher.Run([] { return MessageBoxDlg(L"Skinned text", mtWarning, {mbYes, mbNo}, 0); });
    const SeenBox& box = watcher.Seen;
    ASSERT_NE(box.Wnd, nullptr);
    EXPECT_NE(dynamic_cast<TacDialogWnd*>(box.Handler), nullptr);
    int buttons = 0, texts = 0, icons = 0;
    for (const SeenChild& c : box.Children) {
        if (!c.Visible) continue;
        SCOPED_TRACE(testing::Message() << "child " << String(c.Class).c_str() << " style " << std::hex << c.Style);
        if (c.Class == L"Button") {
            ++buttons;
            EXPECT_NE(dynamic_cast<TacBtnWnd*>(c.Handler), nullptr);
        } else if (c.Class == L"Static" && (c.Style & SS_TYPEMASK) == SS_ICON) {
            ++icons;
            EXPECT_NE(dynamic_cast<TacIconWnd*>(c.Handler), nullptr);
        } else if (c.Class == L"Static") {
            texts += c.Text == L"Skinned text";
            EXPECT_NE(dynamic_cast<TacStaticWnd*>(c.Handler), nullptr);
        }
    }
    EXPECT_EQ(buttons, 2);
    EXPECT_EQ(icons, 1);
    EXPECT_EQ(texts, 1);
    ASSERT_NE(box.Client, nullptr);
    EXPECT_EQ(Px(*box.Client, 1, box.Client->Height() - 2), Word(DialogColor)) << "the client shows the skin";
}
