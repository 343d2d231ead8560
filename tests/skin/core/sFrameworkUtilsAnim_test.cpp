// The animations, as the frames they would put on the screen (recorded: this screen has no
// compositor): frame counts and alpha sequences of show and hide, the zoom of the aero mode, one
// hide animation at a time, and the weights of a look change.
#include <gtest/gtest.h>

#include "framework/controls/Forms.h"
#include "framework/stdctrls/Panel.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "tests/skin/core/Bitmap32Fixture.h"

namespace {

// Keeps the alpha of every layered frame and the weight of every look-change frame.
struct TRecordedFrames : TacAnimationOutput {
    std::vector<int> Alphas;
    std::vector<int> Weights;
    std::vector<HWND> Windows;
    TBitmap* LastImage = nullptr;
    // Colour of the centre and of the corner pixel of each layered frame.
    std::vector<std::uint32_t> Corners;
    void ShowLayered(HWND Wnd, TBitmap* Image, const BLENDFUNCTION& Blend) override
    {
        Alphas.push_back(Blend.SourceConstantAlpha);
        Windows.push_back(Wnd);
        LastImage = Image;
        Corners.push_back(static_cast<std::uint32_t*>(Image->ScanLine(0))[0]);
    }
    void ShowMix(HWND, TBitmap*, int Weight) override { Weights.push_back(Weight); }
};

std::unique_ptr<TBitmap> Solid(int W, int H, std::uint32_t Pixel)
{
    auto bmp = MakeBitmap32(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) static_cast<std::uint32_t*>(bmp->ScanLine(y))[x] = Pixel;
    return bmp;
}

TForm* NewCover()
{
    TForm* cover = TForm::CreateNew(nullptr);
    cover->SetBorderStyle(bsNone);
    cover->SetBounds(0, 0, 64, 48);
    return cover;
}

TEST(Animations, ShowDrawsStepCountPlusOneFramesThenTheFinalImage)
{
    struct TCase {
        unsigned Time;
        bool Dialog;
        std::vector<int> Alphas;
    };
    // Alpha steps of 255 / 10 (25.5, halves to even) for a form, 255 / 11 for a dialog.
    for (const TCase& c :
         {TCase{11, false, {255}}, TCase{120, false, {26, 51, 76, 102, 128, 153, 178, 204, 230, 255, 255, 255}},
          TCase{120, true, {23, 46, 70, 93, 116, 139, 162, 185, 209, 232, 255, 255}}}) {
        TRecordedFrames frames;
        TacAnimationOutputScope use(frames);
        std::unique_ptr<TForm> cover(NewCover());
        auto image = Solid(64, 48, 0xFF336699u);
        PlayShowAnimation(cover.get(), image.get(), c.Time, 255, atFading, c.Dialog);
        EXPECT_EQ(frames.Alphas, c.Alphas) << c.Time << " " << c.Dialog;
        EXPECT_EQ(frames.LastImage, image.get());
        EXPECT_TRUE(GetWindowLongPtrW(cover->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    }
}

TEST(Animations, AeroShowGrowsFromThreeQuartersOfTheSize)
{
    TRecordedFrames frames;
    TacAnimationOutputScope use(frames);
    std::unique_ptr<TForm> cover(NewCover());
    auto image = Solid(64, 48, 0xFF336699u);
    PlayShowAnimation(cover.get(), image.get(), 48, 255, atAero, false);
    ASSERT_EQ(frames.Corners.size(), 6u);
    // The first frames leave the border of an eighth empty; the last one covers the whole image.
    EXPECT_EQ(frames.Corners[0], 0u);
    EXPECT_EQ(frames.Corners[4] & 0xFFFFFFu, 0x336699u);
}

TEST(Animations, HideFadesOutOnTheTimerAndOneCoverGoesAtATime)
{
    TRecordedFrames frames;
    TacAnimationOutputScope use(frames);
    StartHideAnimation(std::unique_ptr<TForm>(NewCover()), Solid(64, 48, 0xFF336699u), 120, atFading, 255);
    TacHideTimer* timer = HideAnimationTimer();
    ASSERT_NE(timer, nullptr);
    HWND first = timer->Form->Handle();
    // A second hide frees the first cover at once.
    StartHideAnimation(std::unique_ptr<TForm>(NewCover()), Solid(64, 48, 0xFF336699u), 120, atFading, 255);
    EXPECT_FALSE(IsWindow(first));
    frames.Alphas.clear();
    DWORD start = GetTickCount();
    while (timer->Form != nullptr && GetTickCount() - start < 3000) CheckSynchronize(5);
    EXPECT_EQ(timer->Form, nullptr);
    EXPECT_EQ(frames.Alphas, (std::vector<int>{204, 178, 153, 128, 102, 76, 51, 26, 0, 0}));
    EXPECT_FALSE(timer->WorkerRunning());

    // Shorter than one frame: nothing is shown, the cover goes at once.
    frames.Alphas.clear();
    std::unique_ptr<TForm> cover(NewCover());
    HWND quick = cover->Handle();
    StartHideAnimation(std::move(cover), Solid(8, 8, 0xFF000000u), 11, atFading, 255);
    EXPECT_FALSE(IsWindow(quick));
    EXPECT_TRUE(frames.Alphas.empty());
}

TEST(Animations, LookChangeBlendsFromTheOldImageWithFallingWeights)
{
    std::unique_ptr<TForm> form(TForm::CreateNew(nullptr));
    form->SetBounds(40, 40, 200, 150);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 80, 60);
    auto* inner = new TPanel(form.get());
    inner->SetParent(panel);
    inner->SetBounds(5, 5, 30, 20);
    form->Show();

    // The output window stands in the control's parent, right after it.
    CoverControlSnapshot(inner);
    ASSERT_NE(LookChangeOutputWindow(), nullptr);
    EXPECT_EQ(LookChangeOutputWindow()->Parent(), panel);
    EXPECT_EQ(GetWindow(inner->Handle(), GW_HWNDNEXT), LookChangeOutputWindow()->Handle());

    TRecordedFrames frames;
    TacAnimationOutputScope use(frames);
    AnimateLookChange(inner, 120, 255, atFading);
    EXPECT_EQ(frames.Weights, (std::vector<int>{255, 230, 205, 180, 155, 130, 105, 80, 55, 30, 5, 0}));
    EXPECT_EQ(LookChangeOutputWindow(), nullptr);
    EXPECT_FALSE(AnimationInProgress);

    // Time 0: the new image once.
    frames.Weights.clear();
    CoverControlSnapshot(panel);
    AnimateLookChange(panel, 0, 255, atFading);
    EXPECT_EQ(frames.Weights, (std::vector<int>{0}));
    EXPECT_EQ(LookChangeOutputWindow(), nullptr);
}

} // namespace
