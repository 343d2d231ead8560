// The skinned speed button: where caption and glyph go, its properties, the look it composes
// from the skin (hot, pressed, disabled, drop-down part) and the fade between its looks.
#include "skin/controls/sSpeedButton.h"

#include <gtest/gtest.h>

#include "framework/controls/ActionList.h"
#include "skin/controls/sFading.h"
#include "tests/framework/controls/ControlFixtures.h"
#include "tests/support/ControlTestSupport.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinstate_test;
using skintest::Bmp32;
using skintest::Px;

using namespace kvltest;

namespace {

constexpr TColor Face = 0x00C08040, HotFace = 0x004080C0;

std::uint32_t Opaque(std::uint32_t Pixel) { return Pixel | 0xFF000000u; }

// A button of 100 x 30 on a form, under a manager with the button's section.
struct ButtonSetup {
    SkinnedManager M;
    std::unique_ptr<TForm> Form{TForm::CreateNew(nullptr)};
    TsSpeedButton* Button;
    explicit ButtonSetup(bool Fading = false)
    {
        const int section = M.AddSection(L"SPEEDBUTTON", Face);
        M.Manager.gd[section].HotColor = HotFace;
        M.Manager.gd[section].States = 3;
        M.Manager.gd[section].FadingEnabled = Fading;
        M.Manager.gd[section].FadingIterations = 4;
        Form->SetBounds(50, 50, 200, 100);
        Button = new TsSpeedButton(Form.get());
        Button->SetBounds(10, 10, 100, 30);
        Button->SetParent(Form.get());
        Button->SkinData()->SetSkinSection(L"SPEEDBUTTON");
    }
    void SetGlyph(int W, int H)
    {
        // Blue, with a black bottom-left pixel: the transparent colour of a keyed glyph.
        auto glyph = Bmp32(W, H, 0xFF0000FFu);
        skintest::SetPx(*glyph, 0, H - 1, 0xFF000000u);
        glyph->SetPixelFormat(pf24bit);
        Button->SetGlyph(glyph.get());
    }
};

struct LayoutCase {
    TButtonLayout Layout;
    TAlignment Alignment;
    int Margin;
};

TEST(SpeedButtonLayout, CaptionAndGlyphRectanglesFollowLayoutAlignmentAndIndent)
{
    ButtonSetup s;
    s.SetGlyph(16, 16);
    s.Button->SetCaption(L"Ab");
    s.Button->SetSpacing(4);
    const TSize text = s.Button->CaptionTextSize();
    const int tw = text.cx, th = text.cy, w = 100, h = 30, gw = 16, gh = 16, sp = 4;
    ASSERT_GT(tw, 0);
    const LayoutCase cases[] = {
        {blGlyphLeft, taLeftJustify, -1},  {blGlyphLeft, taRightJustify, -1}, {blGlyphLeft, taCenter, 2},
        {blGlyphRight, taLeftJustify, -1}, {blGlyphRight, taRightJustify, 2}, {blGlyphRight, taCenter, -1},
        {blGlyphTop, taCenter, -1},        {blGlyphBottom, taLeftJustify, 2},
    };
    for (const auto& c : cases) {
        s.Button->SetLayout(c.Layout);
        s.Button->SetAlignment(c.Alignment);
        s.Button->SetMargin(c.Margin);
        const int indent = c.Margin < 0 ? 0 : c.Margin + 3;
        TRect cap{}, img{};
        if (c.Layout == blGlyphLeft || c.Layout == blGlyphRight) {
            const int hh = (w - gw - sp - tw) / 2 - indent;
            cap.top = (h - th) / 2;
            cap.bottom = h - (h - th) / 2;
            img.top = (h - gh) / 2;
            if (c.Layout == blGlyphLeft) {
                if (c.Alignment == taLeftJustify) cap.left = c.Margin + gw + sp, cap.right = w - indent - 2 * hh, img.left = indent;
                if (c.Alignment == taRightJustify) cap.left = indent + 2 * hh + gw + sp, cap.right = w - indent, img.left = indent + 2 * hh;
                if (c.Alignment == taCenter) cap.left = indent + hh + gw + sp, cap.right = w - indent - hh, img.left = indent + hh;
            } else {
                if (c.Alignment == taLeftJustify) cap.left = indent;
                if (c.Alignment == taRightJustify) cap.left = indent + 2 * hh;
                if (c.Alignment == taCenter) cap.left = indent + hh;
                cap.right = cap.left + tw;
                if (c.Alignment == taLeftJustify) img.left = cap.right + 2 + sp;
                if (c.Alignment == taRightJustify) img.left = w - gw - indent;
                if (c.Alignment == taCenter) img.left = (w - gw + sp + tw) / 2;
            }
        } else {
            const int v = (h - gh - sp - th) / 2 - indent;
            cap.left = (w - tw) / 2;
            cap.right = w - cap.left;
            img.left = (w - gw) / 2 + 1;
            if (c.Layout == blGlyphTop) cap.top = gh + indent + v + sp, cap.bottom = h - v - indent, img.top = v + indent;
            else cap.top = indent + v, cap.bottom = h - v - indent - gh - sp, img.top = h - indent - v - gh;
        }
        cap.left -= 1;
        cap.right += 2;
        img.right = img.left + gw;
        img.bottom = img.top + gh;
        const String what = L"layout " + std::to_wstring(c.Layout) + L" alignment " + std::to_wstring(c.Alignment);
        EXPECT_TRUE(kvltest::SameRect(s.Button->CaptionRect(), cap)) << std::string(what.begin(), what.end());
        EXPECT_TRUE(kvltest::SameRect(s.Button->ImgRect(), img)) << std::string(what.begin(), what.end());
    }
}

TEST(SpeedButtonLayout, PressingOffsetAndReflectionMoveTheRectangles)
{
    ButtonSetup s;
    s.SetGlyph(16, 12);
    s.Button->SetCaption(L"Ab");
    const TRect cap = s.Button->CaptionRect(), img = s.Button->ImgRect();
    s.Button->SetTextOffset(3);
    TRect moved = cap;
    OffsetRect(&moved, 3, 0);
    EXPECT_TRUE(kvltest::SameRect(s.Button->CaptionRect(), moved));
    s.Button->SetState(bsDown);
    OffsetRect(&moved, 1, 1);
    EXPECT_TRUE(kvltest::SameRect(s.Button->CaptionRect(), moved));
    TRect pressedImg = img;
    OffsetRect(&pressedImg, 1, 1);
    EXPECT_TRUE(kvltest::SameRect(s.Button->ImgRect(), pressedImg));
    s.Button->SetState(bsUp);
    s.Button->SetReflected(true);
    TRect reflected = img;
    OffsetRect(&reflected, 0, -2);
    EXPECT_TRUE(kvltest::SameRect(s.Button->ImgRect(), reflected));
}

TEST(SpeedButtonProperties, StyleWidthCaptionBlendAndTimerButton)
{
    ButtonSetup s;
    s.Button->SetButtonStyle(tbsDropDown);
    EXPECT_EQ(s.Button->Width(), 116);
    EXPECT_EQ(s.Button->ArrowWidth(), 16);
    s.Button->SetButtonStyle(tbsCheck);
    EXPECT_EQ(s.Button->Width(), 100);

    s.Button->SetCaption(L"Go");
    s.Button->SetShowCaption(false);
    EXPECT_EQ(s.Button->Caption(), L"");
    s.Button->SetShowCaption(true);
    EXPECT_EQ(s.Button->Caption(), L"Go");

    for (auto [given, stored] : {std::pair{150, 100}, {-5, 0}, {40, 40}}) {
        s.Button->SetBlend(given);
        EXPECT_EQ(s.Button->Blend(), stored);
    }

    TsTimerSpeedButton timerButton(nullptr);
    EXPECT_EQ(timerButton.Width(), timerButton.Height() - 4);
}

// A button as the form reader holds it while it sets the properties.
class TLoadingSpeedButton : public TsSpeedButton {
public:
    using TsSpeedButton::TsSpeedButton;
    void SetLoading(bool Value) { SetComponentStateFlag(csLoading, Value); }
};

TEST(SpeedButtonLoading, AStyleReadFromAFormKeepsTheWidth)
{
    TLoadingSpeedButton button(nullptr);
    button.SetWidth(100);
    button.SetLoading(true);
    button.SetButtonStyle(tbsDropDown);
    button.SetLoading(false);
    EXPECT_EQ(button.Width(), 100);
}

TEST(SpeedButtonLook, TheCacheShowsTheSectionForTheStateWithGlyphAndDisabledBlend)
{
    ButtonSetup s;
    s.SetGlyph(8, 8);
    s.Button->PrepareCache();
    TBitmap* cache = s.Button->SkinData()->CacheBmp();
    ASSERT_EQ(cache->Width(), 100);
    EXPECT_EQ(Opaque(Px(*cache, 2, 2)), skinpaint_test::PixelOf(Face));
    const TRect img = s.Button->ImgRect();
    EXPECT_EQ(Opaque(Px(*cache, img.left + 3, img.top + 3)), 0xFF0000FFu) << "the glyph";

    s.Button->SkinData()->FMouseAbove = true;
    EXPECT_EQ(s.Button->CurrentState(), 1);
    s.Button->PrepareCache();
    EXPECT_EQ(Opaque(Px(*cache, 2, 2)), skinpaint_test::PixelOf(HotFace));
    s.Button->SkinData()->FMouseAbove = false;

    s.Button->SetEnabled(false);
    s.Button->PrepareCache();
    EXPECT_NE(Opaque(Px(*cache, 2, 2)), skinpaint_test::PixelOf(Face)) << "blended with the parent";
}

TEST(SpeedButtonLook, APaintedButtonIsOneCopyOfTheCache)
{
    ButtonSetup s;
    s.Form->Show();
    s.Button->Repaint();
    s.Form->Update();
    HDC dc = GetDC(s.Form->Handle());
    const COLORREF shown = GetPixel(dc, 12, 12);
    ReleaseDC(s.Form->Handle(), dc);
    EXPECT_EQ(shown, ColorToRGB(Face));
}

TEST(SpeedButtonLook, AButtonWithoutWidthOrHeightPaintsNothing)
{
    for (const TSize size : {TSize{0, 0}, TSize{100, 0}, TSize{0, 30}}) {
        ButtonSetup s;
        s.Button->SetBounds(10, 10, size.cx, size.cy);
        s.Form->Show();
        s.Button->Repaint();
        s.Form->Update();
        HDC dc = GetDC(s.Form->Handle());
        const COLORREF shown = GetPixel(dc, 10, 10);
        ReleaseDC(s.Form->Handle(), dc);
        EXPECT_NE(shown, ColorToRGB(Face)) << size.cx << " x " << size.cy;
    }
}

TEST(SpeedButtonFade, EnteringFadesFromTheNormalToTheHotLookAndEndsOnEndFade)
{
    ButtonSetup s(true);
    s.Button->SetAnimatEvents(TacAnimatEvents{aeMouseEnter});
    s.Form->Show();
    s.Button->PrepareCache();
    s.Button->Perform(CM_MOUSEENTER, 0, 0);
    TsAnimTimer* timer = s.Button->FadeTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Iterations, 4);
    EXPECT_EQ(Opaque(Px(*timer->BmpFrom, 2, 2)), skinpaint_test::PixelOf(Face));
    EXPECT_EQ(Opaque(Px(*s.Button->SkinData()->CacheBmp(), 2, 2)), skinpaint_test::PixelOf(HotFace));
    // The first step (level 191) is mostly the old look.
    const std::uint32_t first = Px(*timer->TmpBmp, 2, 2);
    EXPECT_NEAR(static_cast<int>(first & 0xFF), (0xC0 * 191 + 0x40 * 64 + 127) >> 8, 1);
    for (int i = 0; i < 10 && s.Button->FadeTimer() != nullptr; ++i) s.Button->FadeTimer()->Timer();
    EXPECT_EQ(s.Button->FadeTimer(), nullptr) << "AC_ENDFADE stops and frees the fade";
    EXPECT_EQ(LiveFadeTimerCount(), 0);
}

TEST(SpeedButtonFade, AnEventNotAnimatedRepaintsAtOnce)
{
    ButtonSetup s(true);
    s.Button->SetAnimatEvents(TacAnimatEvents{aeMouseDown});
    s.Form->Show();
    s.Button->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(s.Button->FadeTimer(), nullptr);
    EXPECT_TRUE(s.Button->SkinData()->FMouseAbove);
}

TEST(SpeedButtonAction, TheButtonShowsTheActionsImageCaptionAndStateAndRepaintsOnItsChanges)
{
    ButtonSetup s;
    auto* images = new TImageList(s.Form.get());
    images->SetSize(8, 8);
    TBitmap strip(16, 8);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect{0, 0, 8, 8});
    strip.Canvas()->Brush()->SetColor(clLime);
    strip.Canvas()->FillRect(TRect{8, 0, 16, 8});
    images->AddMasked(&strip, clOlive);
    auto* list = new TActionList(s.Form.get());
    list->SetImages(images);
    auto* action = new TAction(s.Form.get());
    action->SetActionList(list);
    action->SetCaption(L"下月");
    action->SetImageIndex(1);
    s.Form->Show();
    int composed = 0;
    s.Button->OnPaint = [&](TObject*, TBitmap*) { ++composed; };

    s.Button->SetAction(action);
    EXPECT_EQ(s.Button->Images(), images);
    EXPECT_EQ(s.Button->ImageIndex(), 1);
    EXPECT_TRUE(s.Button->Glyph()->Empty()) << "drawn from the list, not from a copy";
    EXPECT_EQ(s.Button->Caption(), L"下月");
    EXPECT_GT(composed, 0);
    TBitmap* cache = s.Button->SkinData()->CacheBmp();
    auto glyphPixel = [&] {
        const TRect img = s.Button->ImgRect();
        return Opaque(Px(*cache, img.left + 4, img.top + 4));
    };
    EXPECT_EQ(glyphPixel(), skinpaint_test::PixelOf(clLime));

    // A change of the action repaints the button at once.
    composed = 0;
    action->SetImageIndex(0);
    EXPECT_GT(composed, 0);
    EXPECT_EQ(glyphPixel(), skinpaint_test::PixelOf(clRed));

    // So does a change inside the image list.
    composed = 0;
    TBitmap blue(8, 8);
    blue.Canvas()->Brush()->SetColor(clBlue);
    blue.Canvas()->FillRect(TRect{0, 0, 8, 8});
    images->ReplaceMasked(0, &blue, clOlive);
    EXPECT_GT(composed, 0);
    EXPECT_EQ(glyphPixel(), skinpaint_test::PixelOf(clBlue));

    // The caption follows the action as ShowCaption wants it.
    s.Button->SetShowCaption(false);
    action->SetCaption(L"上月");
    EXPECT_EQ(s.Button->Caption(), L"");
    s.Button->SetShowCaption(true);
    EXPECT_EQ(s.Button->Caption(), L"上月");

    // A disabled action disables the button: the look is blended with the parent.
    const std::uint32_t face = Opaque(Px(*cache, 2, 2));
    action->SetEnabled(false);
    EXPECT_FALSE(s.Button->Enabled());
    EXPECT_NE(Opaque(Px(*cache, 2, 2)), face);

    delete action;
    EXPECT_EQ(s.Button->Action(), nullptr);
}

} // namespace
