// A skinned dialog's show and hide animations: the frames they play and the image they show.
#include <gtest/gtest.h>

#include "skin/core/sFrameworkUtils.h"
#include "tests/skin/forms/DialogFixture.h"

using namespace dialogtest;

namespace {

struct RecordedFrames : TacAnimationOutput {
    std::vector<int> Alphas;
    std::unique_ptr<TBitmap> Last;
    void ShowLayered(HWND, TBitmap* Image, const BLENDFUNCTION& Blend) override
    {
        Alphas.push_back(Blend.SourceConstantAlpha);
        Last = MakeBitmap32(Image->Width(), Image->Height());
        BitBlt(Last->Canvas()->Handle(), 0, 0, Image->Width(), Image->Height(), Image->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    void ShowMix(HWND, TBitmap*, int) override {}
};

// A skinned dialog (the hook attaches it at creation) with one black rectangle child.
struct ShownDialog {
    HWND Wnd = CreateWindowExW(WS_EX_DLGMODALFRAME, MAKEINTATOM(0x8002), L"Animated",
                               WS_POPUP | WS_CAPTION | DS_MODALFRAME, 80, 80, 240, 160, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    HWND Child = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 20, 20, 30, 30, Wnd, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ~ShownDialog() { DestroyWindow(Wnd); }
    TacDialogWnd* Handler() const { return dynamic_cast<TacDialogWnd*>(GetWndHandler(Wnd)); }
};

} // namespace

TEST(DialogAnimations, ShowingPlaysStepCountPlusOneFramesOfTheDialogsImage)
{
    DialogSkin skin;
    for (unsigned time : {11u, 120u}) {
        SCOPED_TRACE(time);
        skin.Skin.Manager.AnimEffects()->DialogShow()->SetTime(static_cast<std::uint16_t>(time));
        skin.Skin.Manager.AnimEffects()->DialogShow()->SetMode(atFading);
        RecordedFrames frames;
        TacAnimationOutputScope use(frames);
        ShownDialog dialog;
        ASSERT_NE(dialog.Handler(), nullptr);
        ShowWindow(dialog.Wnd, SW_SHOWNA);
        const std::vector<int> expected =
            time == 11 ? std::vector<int>{255} : std::vector<int>{23, 46, 70, 93, 116, 139, 162, 185, 209, 232, 255, 255};
        EXPECT_EQ(frames.Alphas, expected);
        ASSERT_NE(frames.Last, nullptr);
        const int x = dialog.Handler()->OffsetX(), y = dialog.Handler()->OffsetY();
        EXPECT_EQ(Px(*frames.Last, x + 5, y + 5), Word(DialogColor)) << "the client in the skin's colour";
        EXPECT_NE(Px(*frames.Last, x + 35, y + 35), Word(DialogColor)) << "the child printed at its place";
        EXPECT_FALSE(AnimationInProgress);
    }
}

TEST(DialogAnimations, HidingHandsTheImageToTheHideTimerUnlessTooShort)
{
    DialogSkin skin;
    skin.Skin.Manager.AnimEffects()->DialogHide()->SetMode(atFading);
    for (unsigned time : {11u, 120u}) {
        SCOPED_TRACE(time);
        skin.Skin.Manager.AnimEffects()->DialogHide()->SetTime(static_cast<std::uint16_t>(time));
        RecordedFrames frames;
        TacAnimationOutputScope use(frames);
        ShownDialog dialog;
        ShowWindow(dialog.Wnd, SW_SHOWNA);
        frames.Alphas.clear();
        ShowWindow(dialog.Wnd, SW_HIDE);
        if (time == 11) {
            EXPECT_TRUE(frames.Alphas.empty());
            EXPECT_TRUE(HideAnimationTimer() == nullptr || HideAnimationTimer()->Form == nullptr);
            continue;
        }
        ASSERT_NE(HideAnimationTimer(), nullptr);
        EXPECT_NE(HideAnimationTimer()->Form, nullptr);
        ASSERT_GE(frames.Alphas.size(), 2u);
        EXPECT_EQ(frames.Alphas[0], 255);
        EXPECT_TRUE(kvltest::PumpUntil([] { return HideAnimationTimer()->Form == nullptr; }, 3000));
        EXPECT_EQ(frames.Alphas.back(), 0);
    }
}
