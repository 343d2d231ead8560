// Message boxes: their style from a type and a button set, their caption, the position a skin
// gives them, long texts, and no handles left behind.
#include <gtest/gtest.h>

#include "skin/core/sDialogs.h"
#include "tests/skin/core/SkinPaintFixture.h"
#include "tests/skin/forms/DialogFixture.h"

using namespace dialogtest;

TEST(MessageBoxStyle, IconByTypeAndTheFirstMatchingButtonRow)
{
    struct Case {
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        UINT Style;
    };
    const Case cases[] = {
        {mtWarning, {mbOK}, MB_ICONWARNING | MB_OK},
        {mtError, {mbOK, mbCancel}, MB_ICONERROR | MB_OKCANCEL},
        {mtInformation, {mbOK, mbAbort}, MB_ICONINFORMATION | MB_OK},  // OK wins
        {mtConfirmation, {mbYes, mbNo, mbCancel}, MB_ICONQUESTION | MB_YESNOCANCEL},
        {mtConfirmation, {mbNo}, MB_ICONQUESTION | MB_YESNO},
        {mtCustom, {mbIgnore}, MB_ABORTRETRYIGNORE},
        {mtCustom, {mbAbort, mbYes}, MB_ABORTRETRYIGNORE},
        {mtCustom, {mbRetry, mbCancel}, MB_RETRYCANCEL},
        {mtCustom, {mbCancel}, MB_OK},
        {mtCustom, {}, MB_OK},
        {mtCustom, TMsgDlgButtons::FromBits(0x380), MB_OK},  // positions 7 to 9 show nothing
        {mtWarning, {mbOK, mbHelp}, MB_ICONWARNING | MB_OK | MB_HELP},
        {mtCustom, {mbHelp}, MB_OK | MB_HELP},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.Type << ", buttons " << c.Buttons.Bits());
        EXPECT_EQ(MessageBoxStyle(c.Type, c.Buttons), c.Style);
    }
    EXPECT_EQ(DefaultMessageCaption(mtConfirmation), L"Confirm");
    EXPECT_EQ(DefaultMessageCaption(mtCustom), L"");
}

TEST(MessageBoxes, GoThroughTheApplicationsMessageBoxFunctionWithTheTypesCaption)
{
    struct Shown {
        HWND Owner;
        String Text, Caption;
        UINT Flags;
        int Left, Top;
    };
    std::vector<Shown> shown;
    TMessageBoxFunction old = SetMessageBoxFunction([&](HWND Owner, const String& Text, const String& Caption, UINT Flags) {
        shown.push_back({Owner, Text, Caption, Flags, MessageBoxLeft, MessageBoxTop});
        return IDNO;
    });
    EXPECT_EQ(MessageBoxPos(L"", L"Sure?", mtConfirmation, {mbYes, mbNo}, 0, 30, 40), IDNO);
    EXPECT_EQ(MessageBoxDlg(L"Gone", mtError, {mbOK}, 0), IDNO);
    SetMessageBoxFunction(old);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Caption, L"Confirm");
    EXPECT_EQ(shown[0].Flags, static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
    EXPECT_EQ(shown[0].Left, 30) << "the position stands while the box is up";
    EXPECT_EQ(shown[0].Top, 40);
    EXPECT_EQ(shown[1].Caption, L"Error");
    EXPECT_EQ(shown[1].Owner, Application->Handle()) << "owned by the application window";
    EXPECT_EQ(MessageBoxLeft, -1);
    EXPECT_EQ(MessageBoxTop, -1);
    EXPECT_EQ(Application->ModalLevel(), 0);
}

TEST(MessageBoxes, AWarningShowsItsCaptionAnIconAndOneButton)
{
    BoxWatcher watcher;
    const int answer = watcher.Run([] { return MessageBoxDlg(L"Careful", mtWarning, {mbOK}, 0); });
    EXPECT_EQ(answer, IDOK);
    ASSERT_NE(watcher.Seen.Wnd, nullptr);
    EXPECT_EQ(watcher.Seen.Caption, L"Warning");
    EXPECT_EQ(watcher.Seen.VisibleChildren(L"Button"), 1);
    EXPECT_NE(watcher.Seen.Find([](const SeenChild& c) { return c.Visible && c.Text == L"Careful"; }), nullptr);
    EXPECT_NE(watcher.Seen.Find([](const SeenChild& c) { return c.Visible && (c.Style & SS_TYPEMASK) == SS_ICON; }), nullptr);

    BoxWatcher custom;
    custom.Run([] { return MessageBoxDlg(L"Plain", mtCustom, {}, 0); });
    EXPECT_EQ(custom.Seen.Caption, L"");
    EXPECT_EQ(custom.Seen.VisibleChildren(L"Button"), 1) << "no buttons asked: an OK box";
}

TEST(MessageBoxes, HelpInTheBoxShowsTheApplicationsHelpForItsContext)
{
    std::vector<LONG_PTR> asked;
    Application->OnHelp = [&](UINT Command, LONG_PTR Data, bool&) {
        EXPECT_EQ(Command, static_cast<UINT>(HELP_CONTEXT));
        asked.push_back(Data);
        return true;
    };
    BoxWatcher watcher;
    watcher.AskHelp = true;
    EXPECT_EQ(watcher.Run([] { return MessageBoxDlg(L"With help", mtInformation, {mbOK, mbHelp}, 77); }), IDOK);
    Application->OnHelp = nullptr;
    EXPECT_EQ(asked, std::vector<LONG_PTR>{77});
}

// Where a skinned box stands for each asked position: a coordinate left at -1 stays where the
// box puts itself.
TEST(MessageBoxes, ASkinnedBoxMovesOnlyAlongTheCoordinatesAsked)
{
    DialogSkin skin;
    auto show = [](int X, int Y) {
        BoxWatcher watcher;
        watcher.Run([&] { return MessageBoxPos(L"Where", L"Placed", mtInformation, {mbOK}, 0, X, Y); });
        EXPECT_NE(dynamic_cast<TacDialogWnd*>(watcher.Seen.Handler), nullptr) << "skinned";
        return watcher.Seen.Rect;
    };
    const RECT home = show(-1, -1);
    ASSERT_FALSE(home.left == 100 && home.top == 120);
    struct Case {
        int X, Y;
        LONG Left, Top;
    };
    for (Case c : {Case{100, -1, 100, home.top}, Case{-1, 120, home.left, 120}, Case{100, 120, 100, 120},
                   Case{-1, -1, home.left, home.top}}) {
        SCOPED_TRACE(testing::Message() << c.X << ", " << c.Y);
        const RECT r = show(c.X, c.Y);
        EXPECT_EQ(r.left, c.Left);
        EXPECT_EQ(r.top, c.Top);
        EXPECT_EQ(r.right - r.left, home.right - home.left) << "the box keeps its size";
        EXPECT_EQ(MessageBoxLeft, -1);
        EXPECT_EQ(MessageBoxTop, -1);
    }
}

TEST(MessageBoxes, ATextOfTenThousandCharactersShowsAndCloses)
{
    DialogSkin skin;
    String text;
    for (int i = 0; i < 10000; ++i) text += i % 97 == 96 ? L' ' : static_cast<wchar_t>(L'a' + i % 26);
    BoxWatcher watcher;
    EXPECT_EQ(watcher.Run([&] { return MessageBoxDlg(text, mtError, {}, 0); }), IDOK);
    EXPECT_NE(watcher.Seen.Handler, nullptr);
    EXPECT_EQ(ListedProviders() <= 1, true);
}

// A thousand skinned boxes opened and closed, in four processes of 250 (a skinned box takes some
// 60 ms here, and a test process has 60 s): a box that left one object behind would show 250.
class MessageBoxQuarter : public testing::TestWithParam<int> {};

TEST_P(MessageBoxQuarter, SkinnedBoxesLeaveNoGdiObjectsBehind)
{
    DialogSkin skin;
    auto showBoxes = [](int N) {
        for (int i = 0; i < N; ++i) {
            BoxWatcher watcher({}, false);
            watcher.Run([] { return MessageBoxDlg(L"Again", mtWarning, {mbOK, mbCancel}, 0); });
        }
    };
    // The first boxes make what stays for the process (fonts, icons, the skin's caches).
    showBoxes(3);
    const unsigned before = skinpaint_test::GdiObjectCount();
    ASSERT_GT(before, 0u);
    showBoxes(250);
    const unsigned after = skinpaint_test::GdiObjectCount();
    EXPECT_LE(after, before + 5) << "before " << before << ", after " << after;
    EXPECT_LE(ListedProviders(), 1) << "each box's provider goes once its window is gone";
}

INSTANTIATE_TEST_SUITE_P(AThousandBoxes, MessageBoxQuarter, testing::Range(1, 5));
