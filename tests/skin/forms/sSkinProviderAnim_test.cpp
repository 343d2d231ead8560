// The animations of a skinned form as the frames they would put on the screen (recorded: this
// screen has no compositor): showing, hiding and a change of skin, with their frame counts and
// alpha sequences, the form image they show and what is left when they end.
#include <gtest/gtest.h>

#include "framework/stdctrls/Panel.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "tests/skin/forms/FormSkinFixture.h"

using namespace formskin_test;

namespace {

// Keeps the alpha and the window of every layered frame, and a copy of the last image shown.
struct TRecordedFrames : TacAnimationOutput {
    std::vector<int> Alphas;
    std::vector<HWND> Windows;
    std::unique_ptr<TBitmap> Last;
    void ShowLayered(HWND Wnd, TBitmap* Image, const BLENDFUNCTION& Blend) override
    {
        Alphas.push_back(Blend.SourceConstantAlpha);
        Windows.push_back(Wnd);
        Last = MakeBitmap32(Image->Width(), Image->Height());
        BitBlt(Last->Canvas()->Handle(), 0, 0, Image->Width(), Image->Height(), Image->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
};

// Alpha steps of 255 / 10 (halves to even), then the final image once more.
const std::vector<int> TenSteps{26, 51, 76, 102, 128, 153, 178, 204, 230, 255, 255, 255};

bool Layered(HWND Wnd)
{
    return (GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

void WaitForHideToEnd()
{
    TacHideTimer* timer = HideAnimationTimer();
    const DWORD start = GetTickCount();
    while (timer != nullptr && timer->Form != nullptr && GetTickCount() - start < 3000) CheckSynchronize(5);
}

TEST(FormAnimations, ShowingFadesTheFormImageInThenHandsOverToTheForm)
{
    struct Case {
        unsigned Time;
        std::vector<int> Alphas;
    };
    for (const Case& c : {Case{11, {255}}, Case{120, TenSteps}}) {
        SCOPED_TRACE(c.Time);
        FormSkin skin;
        skin.Manager.AnimEffects()->FormShow()->SetTime(static_cast<std::uint16_t>(c.Time));
        skin.Manager.AnimEffects()->FormShow()->SetMode(atFading);
        SkinnedForm f;
        std::vector<TacAnimEvent> after;
        f.Provider->OnAfterAnimation = [&after](TacAnimEvent E) { after.push_back(E); };
        f.Form->Hide();
        PumpPending();

        TRecordedFrames frames;
        {
            TacAnimationOutputScope use(frames);
            f.Form->Show();
            PumpPending();
        }
        EXPECT_EQ(frames.Alphas, c.Alphas);
        ASSERT_FALSE(frames.Windows.empty());
        // Every frame went to one cover, which is gone; the form is back, visible and plain.
        for (HWND wnd : frames.Windows) EXPECT_EQ(wnd, frames.Windows.front());
        EXPECT_NE(frames.Windows.front(), f.Form->Handle());
        EXPECT_FALSE(IsWindow(frames.Windows.front()));
        EXPECT_TRUE(IsWindowVisible(f.Form->Handle()));
        EXPECT_FALSE(Layered(f.Form->Handle()));
        EXPECT_FALSE(f.Provider->InAnimation());
        EXPECT_FALSE(AnimationInProgress);
        EXPECT_EQ(after, (std::vector<TacAnimEvent>{aeShowing}));
        // The image is the whole form, opaque: frame, title and client.
        TBitmap& image = *frames.Last;
        EXPECT_EQ(image.Width(), f.Form->Width());
        EXPECT_EQ(image.Height(), f.Form->Height());
        EXPECT_EQ(Px(image, 1, f.Form->Height() / 2), Word(FrameColor));
        EXPECT_EQ(Px(image, f.Provider->OffsetX() + 5, f.Provider->OffsetY() + 5), Word(FormHotColor));
    }
}

TEST(FormAnimations, HidingFadesTheImageOutOneFormAtATime)
{
    FormSkin skin;
    skin.Manager.AnimEffects()->FormHide()->SetTime(120);
    skin.Manager.AnimEffects()->FormHide()->SetMode(atFading);
    SkinnedForm first, second;
    TRecordedFrames frames;
    TacAnimationOutputScope use(frames);

    first.Form->Hide();
    TacHideTimer* timer = HideAnimationTimer();
    ASSERT_NE(timer, nullptr);
    ASSERT_NE(timer->Form, nullptr);
    HWND firstCover = timer->Form->Handle();
    EXPECT_FALSE(IsWindowVisible(first.Form->Handle()));
    RECT cover{}, form{};
    GetWindowRect(firstCover, &cover);
    GetWindowRect(first.Form->Handle(), &form);
    EXPECT_EQ(cover.left, form.left);
    EXPECT_EQ(cover.top, form.top);
    // The whole image at full strength first, then the first step down.
    EXPECT_EQ(frames.Alphas, (std::vector<int>{255, 230}));
    EXPECT_EQ(Px(*frames.Last, 1, first.Form->Height() / 2), Word(FrameColor)) << "the form's image";

    // A second form hidden meanwhile takes the timer: the first cover goes at once.
    frames.Alphas.clear();
    second.Form->Hide();
    EXPECT_FALSE(IsWindow(firstCover));
    WaitForHideToEnd();
    EXPECT_EQ(timer->Form, nullptr);
    EXPECT_EQ(frames.Alphas, (std::vector<int>{255, 230, 204, 178, 153, 128, 102, 76, 51, 26, 0, 0}));
    EXPECT_EQ(first.Provider->CoverForm, nullptr);
    EXPECT_FALSE(first.Provider->SkipAnimation);

    // Shorter than one frame: nothing is shown and no cover is left.
    skin.Manager.AnimEffects()->FormHide()->SetTime(11);
    first.Form->Show();
    PumpPending();
    frames.Alphas.clear();
    first.Form->Hide();
    EXPECT_TRUE(frames.Alphas.empty());
    EXPECT_EQ(timer->Form, nullptr);
    EXPECT_EQ(first.Provider->CoverForm, nullptr);
}

TEST(FormAnimations, SkinChangeFadesTheNewLookInOverTheHeldForm)
{
    FormSkin skin;
    skin.Manager.AnimEffects()->SkinChanging()->SetTime(120);
    skin.Manager.AnimEffects()->SkinChanging()->SetMode(atFading);
    SkinnedForm f;
    TRecordedFrames frames;
    {
        TacAnimationOutputScope use(frames);
        skin.Manager.RepaintForms(true);
    }
    EXPECT_EQ(frames.Alphas, TenSteps);
    ASSERT_FALSE(frames.Windows.empty());
    EXPECT_FALSE(IsWindow(frames.Windows.front()));
    EXPECT_EQ(Px(*frames.Last, f.Provider->OffsetX() + 5, f.Provider->OffsetY() + 5), Word(FormHotColor));
    // Released: the form paints and redraws again.
    EXPECT_FALSE(f.Provider->fAnimating);
    EXPECT_FALSE(AnimationInProgress);
    EXPECT_TRUE(IsWindowVisible(f.Form->Handle()));

    // Switched off: the forms are only redrawn.
    skin.Manager.AnimEffects()->SkinChanging()->SetActive(false);
    frames.Alphas.clear();
    {
        TacAnimationOutputScope use(frames);
        skin.Manager.RepaintForms(true);
    }
    EXPECT_TRUE(frames.Alphas.empty());
    EXPECT_FALSE(f.Provider->fAnimating);
}

TEST(FormAnimations, FormImageHoldsTheControlsInTheClientArea)
{
    FormSkin skin;
    SkinnedForm f;
    auto* child = new TPanel(f.Form);
    child->SetParent(f.Form);
    child->SetBounds(10, 20, 40, 30);
    child->SetParentBackground(false);
    child->SetColor(clRed);
    child->SetBevelOuter(bvNone);
    PumpPending();
    TBitmap& cache = f.Cache();
    auto image = MakeBitmap32(cache.Width(), cache.Height());
    RenderFormImage(image.get(), f.Provider);
    const int ox = f.Provider->OffsetX(), oy = f.Provider->OffsetY();
    EXPECT_EQ(Px(*image, ox + 10 + 20, oy + 20 + 15), 0xFFFF0000u);
    EXPECT_EQ(Px(*image, ox + 5, oy + 5), Word(FormHotColor));
    EXPECT_EQ(Px(*image, ox + 10 + 20, oy + 5), Word(FormHotColor));
}

} // namespace
