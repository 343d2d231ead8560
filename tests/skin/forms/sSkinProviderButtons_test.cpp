// Caption buttons: their images and places, the hit test, and the presses and releases that
// turn into system commands.
#include <gtest/gtest.h>

#include "tests/skin/forms/FormSkinFixture.h"

using namespace formskin_test;

namespace {

enum { Close = 0, Max = 1, Min = 2, Norm = 3, Help = 4, User = 9 };

TsTitleButton* AddUserButton(TsSkinProvider* P)
{
    TsTitleButton* b = P->TitleButtons()->Add();
    P->SkinData()->BGChanged = true;
    P->PaintFormCache();
    return b;
}

} // namespace

TEST(CaptionButtons, ButtonsAreLaidOutFromTheRightInTheirOwnImages)
{
    FormSkin skin;
    SkinnedForm f;
    TBitmap& cache = f.Cache();
    TsSkinProvider* p = f.Provider;
    const int right = cache.Width() - 2 - GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(p->ButtonClose.Rect.right, right);
    EXPECT_EQ(p->ButtonMax.Rect.right, p->ButtonClose.Rect.left - 1) << "BISpacing 1 between buttons";
    EXPECT_EQ(p->ButtonMin.Rect.right, p->ButtonMax.Rect.left - 1);
    EXPECT_EQ(p->ButtonClose.Rect.bottom - p->ButtonClose.Rect.top, ButtonH);
    auto centre = [&](const TsCaptionButton& b) {
        return Px(cache, (b.Rect.left + b.Rect.right) / 2, (b.Rect.top + b.Rect.bottom) / 2);
    };
    EXPECT_EQ(centre(p->ButtonClose), ButtonWord(Close, 0));
    EXPECT_EQ(centre(p->ButtonMax), ButtonWord(Max, 0));
    EXPECT_EQ(centre(p->ButtonMin), ButtonWord(Min, 0));
    EXPECT_EQ(p->ButtonsWidth(), 2 + 3 * ButtonW + 2);
}

TEST(CaptionButtons, DialogStyleTakesTheSmallImagesWithoutSpacing)
{
    FormSkin skin;
    SkinnedForm f(bsDialog);
    TBitmap& cache = f.Cache();
    const TsCaptionButton& close = f.Provider->ButtonClose;
    EXPECT_EQ(Px(cache, (close.Rect.left + close.Rect.right) / 2, (close.Rect.top + close.Rect.bottom) / 2),
              ButtonWord(5, 0));
    EXPECT_EQ(f.Provider->ButtonMax.State, -1) << "no maximize button on a dialog";
}

TEST(CaptionButtons, MaximizedFormShowsTheRestoreImage)
{
    FormSkin skin;
    SkinnedForm f;
    ShowWindow(f.Form->Handle(), SW_MAXIMIZE);
    PumpPending();
    TBitmap& cache = f.Cache();
    const TsCaptionButton& max = f.Provider->ButtonMax;
    EXPECT_EQ(Px(cache, (max.Rect.left + max.Rect.right) / 2, (max.Rect.top + max.Rect.bottom) / 2), ButtonWord(Norm, 0));
}

TEST(CaptionButtons, HitTestFindsEachButtonAndTheFrameParts)
{
    FormSkin skin;
    SkinnedForm f;
    f.Cache();
    TsSkinProvider* p = f.Provider;
    EXPECT_EQ(f.HitTest(f.Centre(p->ButtonClose)), HTCLOSE);
    EXPECT_EQ(p->ButtonClose.State, 1) << "the button under the mouse turns hot";
    EXPECT_EQ(f.HitTest(f.Centre(p->ButtonMax)), HTMAXBUTTON);
    EXPECT_EQ(p->ButtonClose.State, 0);
    EXPECT_EQ(f.HitTest(f.Centre(p->ButtonMin)), HTMINBUTTON);
    TRect icon;
    p->IconRect(icon);
    EXPECT_EQ(f.HitTest(f.ScreenPoint(icon.left + 2, icon.top + 2)), HTSYSMENU);
    EXPECT_EQ(f.HitTest(f.ScreenPoint(f.Form->Width() / 2, p->OffsetY() / 2 + 1)), HTCAPTION);
    EXPECT_EQ(f.HitTest(f.ScreenPoint(0, 100)), HTLEFT);
    EXPECT_EQ(f.HitTest(f.ScreenPoint(f.Form->Width() - 1, f.Form->Height() - 1)), HTBOTTOMRIGHT);
    EXPECT_EQ(f.HitTest(f.ScreenPoint(100, 100)), HTCLIENT);
}

TEST(CaptionButtons, HitTestCountsUserButtonsAfterTheShownSystemButtons)
{
    FormSkin skin;
    struct Case {
        bool SystemMenu;
    };
    for (Case c : {Case{true}, Case{false}}) {
        SCOPED_TRACE(c.SystemMenu);
        SkinnedForm f;
        if (!c.SystemMenu) {
            f.Form->SetBorderIcons(TBorderIcons{});
            f.Provider->HaveSysMenu = false;
        }
        AddUserButton(f.Provider);
        TsTitleButton* second = AddUserButton(f.Provider);
        EXPECT_EQ(f.HitTest(f.Centre(second->BtnData)), HTUDBTN + 1);
        second->SetEnabled(false);
        EXPECT_EQ(f.HitTest(f.Centre(second->BtnData)), HTCAPTION) << "a disabled user button is the title";
        if (!c.SystemMenu) EXPECT_EQ(f.Provider->ButtonClose.State, -1);
    }
}

TEST(CaptionButtons, MaximizeHitsByTheEnabledEntries)
{
    FormSkin skin;
    {
        // Maximized: maximizing is off, restoring on: still the maximize button.
        SkinnedForm f;
        ShowWindow(f.Form->Handle(), SW_MAXIMIZE);
        PumpPending();
        f.Cache();
        ASSERT_FALSE(f.Provider->SystemMenu->EnabledMax());
        ASSERT_TRUE(f.Provider->SystemMenu->EnabledRestore());
        EXPECT_EQ(f.HitTest(f.Centre(f.Provider->ButtonMax)), HTMAXBUTTON);
    }
    {
        // Neither can be used: the caption.
        SkinnedForm f;
        f.Cache();
        TsCaptionButton max = f.Provider->ButtonMax;
        f.Form->SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
        ShowWindow(f.Form->Handle(), SW_MINIMIZE);
        PumpPending();
        ASSERT_TRUE(f.Provider->SystemMenu->VisibleMax()) << "an iconic form shows maximize";
        ASSERT_FALSE(f.Provider->SystemMenu->EnabledMax());
        f.Provider->ButtonMax.Rect = max.Rect;
        f.Provider->ButtonClose.Rect = TRect{0, 0, 0, 0};
        TMessage hit{WM_NCHITTEST, 0, f.Centre(max), 0};
        EXPECT_EQ(f.Provider->HitTest(hit), HTCAPTION);
    }
}

TEST(CaptionButtons, TitleIconSizeSteps)
{
    struct Case {
        int H, Size;
    };
    for (Case c : {Case{0, 1}, Case{8, 1}, Case{9, 8}, Case{16, 8}, Case{17, 16}, Case{40, 16}})
        EXPECT_EQ(TsSkinProvider::TitleIconSize(c.H), c.Size) << c.H;
}

TEST(CaptionButtons, PressAndReleaseOnOneButtonSendsItsCommand)
{
    FormSkin skin;
    struct Case {
        int Hit;
        WPARAM Command;
    };
    for (Case c : {Case{HTCLOSE, SC_CLOSE}, Case{HTMAXBUTTON, SC_MAXIMIZE}, Case{HTMINBUTTON, SC_MINIMIZE}}) {
        SCOPED_TRACE(c.Hit);
        SkinnedForm f;
        f.Cache();
        TsCaptionButton* button = f.Provider->ButtonOfHit(c.Hit);
        LPARAM at = f.Centre(*button);
        f.Send(WM_NCLBUTTONDOWN, c.Hit, at);
        EXPECT_EQ(button->State, 2);
        EXPECT_TRUE(ButtonPressed);
        f.Send(WM_NCLBUTTONUP, c.Hit, at);
        EXPECT_EQ(f.Form->Commands, std::vector<WPARAM>{c.Command});
        EXPECT_FALSE(ButtonPressed);
        EXPECT_FALSE(f.Form->Received(WM_NCLBUTTONDOWN)) << "a press on a button does not reach the form";
    }
}

TEST(CaptionButtons, ReleaseElsewhereOrWithoutPressSendsNothing)
{
    FormSkin skin;
    SkinnedForm f;
    f.Cache();
    TsSkinProvider* p = f.Provider;
    f.Send(WM_NCLBUTTONDOWN, HTCLOSE, f.Centre(p->ButtonClose));
    f.Send(WM_NCLBUTTONUP, HTCLOSE, f.Centre(p->ButtonMin));
    EXPECT_TRUE(f.Form->Commands.empty());
    EXPECT_EQ(p->ButtonClose.State, 0);
    // A release that follows no press only clears the hot button.
    f.HitTest(f.Centre(p->ButtonClose));
    ASSERT_EQ(p->ButtonClose.State, 1);
    f.Send(WM_NCLBUTTONUP, HTCLOSE, f.Centre(p->ButtonClose));
    EXPECT_TRUE(f.Form->Commands.empty());
    EXPECT_EQ(p->ButtonClose.State, 0);
}

TEST(CaptionButtons, DisabledMaximizeIgnoresClicks)
{
    FormSkin skin;
    SkinnedForm f;
    f.Cache();
    TsCaptionButton max = f.Provider->ButtonMax;
    f.Form->SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
    f.Provider->ButtonMax.State = 0;
    f.Send(WM_NCLBUTTONDOWN, HTMAXBUTTON, f.Centre(max));
    EXPECT_NE(f.Provider->ButtonMax.State, 2) << "pressing a button that can neither maximize nor restore";
    EXPECT_EQ(f.Provider->CurrentHT, 0);
    f.Send(WM_NCLBUTTONUP, HTMAXBUTTON, f.Centre(max));
    EXPECT_TRUE(f.Form->Commands.empty());
}

TEST(CaptionButtons, UserButtonRunsItsMouseEvents)
{
    FormSkin skin;
    SkinnedForm f;
    TsTitleButton* b = AddUserButton(f.Provider);
    std::vector<std::string> events;
    b->OnMouseDown = [&](TObject* Sender, TMouseButton, TShiftState, int, int) {
        EXPECT_EQ(Sender, b);
        events.push_back("down");
    };
    b->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
    LPARAM at = f.Centre(b->BtnData);
    f.Send(WM_NCLBUTTONDOWN, HTUDBTN, at);
    f.Send(WM_NCLBUTTONUP, HTUDBTN, at);
    EXPECT_EQ(events, (std::vector<std::string>{"down", "up"}));
}

TEST(CaptionButtons, HotAndPressedStatesRepaintTheButtonImage)
{
    FormSkin skin;
    SkinnedForm f;
    f.Cache();
    TsSkinProvider* p = f.Provider;
    const TRect& r = p->ButtonClose.Rect;
    auto centre = [&] { return Px(*p->SkinData()->CacheBmp(), (r.left + r.right) / 2, (r.top + r.bottom) / 2); };
    f.HitTest(f.Centre(p->ButtonClose));
    EXPECT_EQ(centre(), ButtonWord(Close, 1));
    f.Send(WM_NCLBUTTONDOWN, HTCLOSE, f.Centre(p->ButtonClose));
    EXPECT_EQ(centre(), ButtonWord(Close, 2));
    f.Send(WM_NCLBUTTONUP, HTCLOSE, f.Centre(p->ButtonMin));
    EXPECT_EQ(centre(), ButtonWord(Close, 0));
}

TEST(TitleDoubleClick, TogglesMaximizeOnlyWhenTheMenuAllowsIt)
{
    FormSkin skin;
    {
        SkinnedForm f;
        f.Send(WM_NCLBUTTONDBLCLK, HTCAPTION, f.ScreenPoint(100, 10));
        EXPECT_EQ(f.Form->Commands, std::vector<WPARAM>{SC_MAXIMIZE});
        EXPECT_FALSE(f.Form->Received(WM_NCLBUTTONDBLCLK)) << "never passed on";
    }
    {
        SkinnedForm f;
        f.Form->SetBorderIcons(TBorderIcons{biSystemMenu});
        f.Send(WM_NCLBUTTONDBLCLK, HTCAPTION, f.ScreenPoint(100, 10));
        EXPECT_TRUE(f.Form->Commands.empty());
    }
}

TEST(TitleDoubleClick, OnTheTitleIconClosesTheForm)
{
    FormSkin skin;
    SkinnedForm f;
    bool closed = false;
    f.Form->OnClose = [&](TObject*, TCloseAction& Action) {
        closed = true;
        Action = caNone;
    };
    f.Send(WM_NCLBUTTONDBLCLK, HTSYSMENU, f.ScreenPoint(8, 8));
    EXPECT_TRUE(closed);
}

TEST(TitleDrag, MaximizedTitleIsNotDragged)
{
    FormSkin skin;
    SkinnedForm f;
    ShowWindow(f.Form->Handle(), SW_MAXIMIZE);
    PumpPending();
    f.Form->Messages.clear();
    f.Send(WM_NCLBUTTONDOWN, HTCAPTION, f.ScreenPoint(200, 10));
    EXPECT_FALSE(f.Form->Received(WM_NCLBUTTONDOWN));
    EXPECT_TRUE(f.Form->Commands.empty());
}
