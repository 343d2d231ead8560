// Button glyphs per state (keyed strips, alpha glyphs, image lists), tool-button images and the
// hook's skip list.
#include "skin/controls/sThirdParty.h"

#include <gtest/gtest.h>

#include "framework/controls/Forms.h"
#include "skin/core/sCommonData.h"
#include "tests/framework/controls/ControlFixtures.h"
#include "tests/skin/core/Bitmap32Fixture.h"

using namespace skintest;

using namespace kvltest;

namespace {

constexpr std::uint32_t Red = 0xFFFF0000u, Green = 0xFF00FF00u, Blue = 0xFF0000FFu, White = 0xFFFFFFFFu;

// A 24-bit strip of solid frames of 4 x 4 pixels, the bottom-left pixel of each frame black (the
// glyph's transparent colour).
std::unique_ptr<TBitmap> KeyedStrip(std::initializer_list<TColor> Frames)
{
    auto strip = std::make_unique<TBitmap>();
    strip->SetPixelFormat(pf24bit);
    strip->SetSize(4 * static_cast<int>(Frames.size()), 4);
    int i = 0;
    for (TColor c : Frames) {
        strip->Canvas()->Brush()->SetColor(c);
        TRect r{4 * i, 0, 4 * i + 4, 4};
        strip->Canvas()->FillRect(r);
        strip->Canvas()->SetPixels(4 * i, 3, 0);
        ++i;
    }
    return strip;
}

struct GlyphTarget {
    TsCommonData Data{nullptr, true};
    GlyphTarget()
    {
        Data.CacheBmp()->SetSize(10, 10);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) SetPx(*Data.CacheBmp(), x, y, White);
    }
    TacButtonGlyphInputs Inputs(TBitmap* Glyph, int NumGlyphs, int State)
    {
        TacButtonGlyphInputs in;
        in.Glyph = Glyph;
        in.NumGlyphs = NumGlyphs;
        in.State = State;
        in.ImgRect = TRect{2, 2, 6, 6};
        in.SkinData = &Data;
        return in;
    }
    std::uint32_t At(int X, int Y) { return Px(*Data.CacheBmp(), X, Y) | 0xFF000000u; }
};

TEST(ButtonGlyphs, AStripOfFourShowsTheFrameOfTheState)
{
    auto strip = KeyedStrip({0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF});
    const struct { int State; std::uint32_t Expected; } cases[] = {{0, Red}, {1, Green}, {2, Blue}};
    for (const auto& c : cases) {
        GlyphTarget t;
        PaintButtonGlyph(t.Inputs(strip.get(), 4, c.State), TSize{10, 10}, nullptr);
        EXPECT_EQ(t.At(3, 3), c.Expected) << "state " << c.State;
        EXPECT_EQ(t.At(2, 5), White) << "the transparent colour stays out";
        EXPECT_EQ(t.At(7, 7), White) << "nothing outside the glyph rectangle";
    }
}

TEST(ButtonGlyphs, AThirtyTwoBitGlyphWithoutAnOpaquePixelIsDrawnAsAKeyedGlyph)
{
    auto glyph = Bmp32(4, 4, 0x80FF0000u);
    SetPx(*glyph, 0, 3, 0x80000000u);
    GlyphTarget t;
    PaintButtonGlyph(t.Inputs(glyph.get(), 1, 0), TSize{10, 10}, nullptr);
    EXPECT_EQ(t.At(3, 3), Red) << "drawn solid, not half blended";
    EXPECT_EQ(t.At(2, 5), White);
}

TEST(ButtonGlyphs, AnAlphaGlyphOnACanvasKeepsTheBlendsShareOfItsAlpha)
{
    // Red over white: the green channel shows how much of the white stays.
    const struct {
        bool Enabled;
        int Blend;
        int Green;
    } cases[] = {{false, 0, 128}, {true, 80, 51}, {true, 20, 204}, {false, 80, 51}};
    auto glyph = Bmp32(4, 4, Red);
    for (const auto& c : cases) {
        auto canvasBmp = Bmp32(10, 10, White);
        TacButtonGlyphInputs in;
        in.Glyph = glyph.get();
        in.ImgRect = TRect{2, 2, 6, 6};
        in.Enabled = c.Enabled;
        in.Blend = c.Blend;
        in.DisabledGlyphKind = TsDisabledGlyphKind{dgBlended};
        PaintButtonGlyph(in, TSize{10, 10}, canvasBmp->Canvas());
        GdiFlush();
        const std::uint32_t p = Px(*canvasBmp, 3, 3);
        EXPECT_EQ(p >> 16 & 0xFF, 0xFFu);
        EXPECT_NEAR(static_cast<int>(p >> 8 & 0xFF), c.Green, 2) << std::hex << p << " blend " << std::dec << c.Blend;
        EXPECT_EQ(Px(*canvasBmp, 8, 8), White);
    }
}

class ListGlyphs : public FormTest {};

TEST_F(ListGlyphs, AnIndexOutsideTheListDrawsNothing)
{
    TImageList list(nullptr);
    list.SetSize(4, 4);
    auto image = KeyedStrip({0x0000FF});
    list.Add(image.get(), nullptr);
    for (int index : {-1, 1, 5}) {
        auto canvasBmp = Bmp32(10, 10, White);
        TacButtonGlyphInputs in;
        in.Images = &list;
        in.ImageIndex = index;
        in.ImgRect = TRect{2, 2, 6, 6};
        PaintButtonGlyph(in, TSize{10, 10}, canvasBmp->Canvas());
        EXPECT_TRUE(All(*canvasBmp, White)) << "index " << index;
    }
    auto canvasBmp = Bmp32(10, 10, White);
    TacButtonGlyphInputs in;
    in.Images = &list;
    in.ImageIndex = 0;
    in.ImgRect = TRect{2, 2, 6, 6};
    PaintButtonGlyph(in, TSize{10, 10}, canvasBmp->Canvas());
    GdiFlush();
    EXPECT_EQ(Px(*canvasBmp, 3, 3) | 0xFF000000u, Red) << "a valid index draws";
    EXPECT_EQ(ImageCount(nullptr), 0);
    EXPECT_EQ(ImageCount(&list), 1);
}

TEST_F(ListGlyphs, ACheckedToolButtonOnAListBarIsPlacedAtFivePlusOne)
{
    TImageList list(nullptr);
    list.SetSize(4, 4);
    auto image = KeyedStrip({0x0000FF});
    list.Add(image.get(), nullptr);
    auto* bar = new TToolBar(Form);
    bar->SetParent(Form);
    bar->SetList(true);
    bar->SetImages(&list);
    auto* button = new TToolButton(Form);
    button->SetImageIndex(0);
    button->SetParent(bar);
    const TRect plain = ToolButtonImageRect(bar, button, TCustomDrawState{}, nullptr, &list);
    const TRect checked = ToolButtonImageRect(bar, button, TCustomDrawState{cdsChecked}, nullptr, &list);
    EXPECT_EQ(plain.left, 5);
    EXPECT_EQ(plain.top, (button->Height() - 4) / 2);
    EXPECT_EQ(checked.left, 6);
    EXPECT_EQ(checked.top, plain.top + 1);

    auto bmp = Bmp32(button->Width(), button->Height(), White);
    PaintToolButtonImage(bar, button, TCustomDrawState{cdsChecked}, bmp.get());
    EXPECT_EQ(Px(*bmp, 7, checked.top + 1), Red);
    EXPECT_EQ(Px(*bmp, 5, checked.top + 1), White);
}

TEST(HookSkipList, HoldsTheTwoClassesSortedAndComparesExactly)
{
    TStringList& list = HookSkipList();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), L"TApplication");
    EXPECT_EQ(list.Strings(1), L"TfcPopup");
    EXPECT_EQ(list.IndexOf(L"tapplication"), -1);
}

} // namespace
