// Sections painted into 32-bit bitmaps from skins made here: states, transparency over bitmap
// and colour backgrounds, textures and gradients with their shares, corner images and borders,
// and input that must paint nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "skin/core/sGradient.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sSectionPaint.h"
#include "tests/skin/core/SkinPaintFixture.h"

using namespace skinpaint_test;
using skintest::All;
using skintest::Bmp32;
using skintest::Px;

namespace {

constexpr std::uint32_t Untouched = 0x11223344u;
constexpr TColor SectionColor = 0xC08040;   // red 40, green 80, blue C0
constexpr TColor HotColor = 0x2010F0;
constexpr std::uint32_t TextureWord = 0xFF102030u;

TRect Whole(TBitmap& B) { return TRect{0, 0, B.Width(), B.Height()}; }

std::uint8_t Channel(std::uint32_t P, int Shift) { return static_cast<std::uint8_t>(P >> Shift); }

// Per channel: round(P * A + (1 - P) * B); alpha from A.
std::uint32_t MixWords(std::uint32_t A, std::uint32_t B, double P)
{
    std::uint32_t out = A & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= std::uint32_t(std::lround(P * Channel(A, shift) + (1 - P) * Channel(B, shift))) << shift;
    return out;
}

// A section with a 2 x 2 texture of one colour as its PATTERN.
struct TexturedSkin : TestSkin {
    int SectionIndex, TextureIndex;
    TexturedSkin(int ImagePercent, int GradientPercent, int DrawMode, const String& Gradient = L"")
    {
        SectionIndex = AddSection(L"PANEL", SectionColor);
        Section(SectionIndex).ImagePercent = ImagePercent;
        Section(SectionIndex).GradientPercent = GradientPercent;
        Section(SectionIndex).GradientData = Gradient;
        TextureIndex = AddMask(L"PANEL", L"PATTERN", Bmp32(2, 2, TextureWord), 1, 0, 0, 0, 0, 0, DrawMode, itisaTexture);
    }
};

} // namespace

TEST(sSectionPaint, AStateAboveTheLastIsLoweredToIt)
{
    TestSkin s;
    int section = s.AddSection(L"BUTTON", SectionColor, 0, 2);
    s.Section(section).HotColor = HotColor;
    auto bmp = Bmp32(4, 4, Untouched);
    DrawSectionBackground(section, L"BUTTON", EmptyCI, 5, Whole(*bmp), TPoint{0, 0}, bmp.get(), &s.Skin, -1, -1);
    EXPECT_TRUE(All(*bmp, PixelOf(HotColor)));
    s.Section(section).States = 1;  // one state only: every state paints the normal one
    DrawSection(section, L"BUTTON", EmptyCI, -1, -1, &s.Skin, bmp.get(), TPoint{0, 0}, Whole(*bmp), 5);
    EXPECT_TRUE(All(*bmp, PixelOf(SectionColor)));
}

TEST(sSectionPaint, TransparencyLeavesItsShareOfTheBackground)
{
    auto background = Bmp32(20, 20, [](int X, int Y) { return Coded(X, Y, 0x77); });
    const TCacheInfo onBitmap{background.get(), 2, 3, 0xFF00FF, true};
    TCacheInfo onColour;
    onColour.FillColor = 0x00FF00;
    const TPoint offset{1, 1};
    const TRect r{0, 0, 4, 4};

    TestSkin s;
    int section = s.AddSection(L"PANEL", SectionColor, 100);
    // Transparency 100: the background itself, copied from the place of R plus CI's offset.
    auto copied = Bmp32(4, 4, Untouched);
    DrawSectionBackground(section, L"PANEL", onBitmap, 0, r, offset, copied.get(), &s.Skin, -1, -1);
    EXPECT_EQ(Px(*copied, 0, 0), Coded(3, 4, 0x77));
    EXPECT_EQ(Px(*copied, 3, 2), Coded(6, 6, 0x77));
    auto filled = Bmp32(4, 4, Untouched);
    DrawSectionBackground(section, L"PANEL", onColour, 0, r, offset, filled.get(), &s.Skin, -1, -1);
    EXPECT_TRUE(All(*filled, 0xFF00FF00u));

    // Transparency 40 over a bitmap: blended with alpha 102 (40 percent of 255), the
    // background's weight.
    s.Section(section).Transparency = 40;
    auto blended = Bmp32(4, 4, Untouched);
    DrawSectionBackground(section, L"PANEL", onBitmap, 0, r, offset, blended.get(), &s.Skin, -1, -1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const std::uint32_t bg = Coded(x + 3, y + 4, 0x77), fg = PixelOf(SectionColor);
            std::uint32_t want = 0;
            for (int shift = 0; shift <= 24; shift += 8)
                want |= ((Channel(bg, shift) * 102u + Channel(fg, shift) * 153u + 127u) >> 8) << shift;
            ASSERT_EQ(Px(*blended, x, y), want) << x << "," << y;
        }
    // Over a plain colour: the two colours mixed, 40 percent background.
    auto mixed = Bmp32(4, 4, Untouched);
    DrawSectionBackground(section, L"PANEL", onColour, 0, r, offset, mixed.get(), &s.Skin, -1, -1);
    EXPECT_TRUE(All(*mixed, MixWords(0xFF00FF00u, PixelOf(SectionColor), 0.4)));
}

TEST(sSectionPaint, TextureAndGradientTogetherTakeTheCombinedPass)
{
    for (int mode : {0, 1}) {
        const String gradient = L"255;16711680;100;" + std::to_wstring(mode) + L";0";
        TexturedSkin s(30, 70, 0, gradient);
        auto bmp = Bmp32(6, 8, Untouched);
        DrawSectionBackground(s.SectionIndex, L"PANEL", EmptyCI, 0, Whole(*bmp), TPoint{0, 0}, bmp.get(), &s.Skin, s.TextureIndex, -1);
        TsGradArray steps;
        ParseGradientData(gradient, steps);
        auto expected = Bmp32(6, 8, Untouched);
        PaintGradientTextured(expected.get(), Whole(*expected), steps, 76, TRect{0, 0, 2, 2}, s.Mask(s.TextureIndex).Bmp.get());
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 6; ++x) ASSERT_EQ(Px(*bmp, x, y), Px(*expected, x, y)) << "mode " << mode;
    }
}

TEST(sSectionPaint, APartialTextureShareLetsTheColourCoverTheRest)
{
    TexturedSkin s(30, 0, 0);
    auto bmp = Bmp32(4, 4, Untouched);
    // The texture found by its name, PATTERN.
    DrawSectionBackground(s.SectionIndex, L"PANEL", EmptyCI, 0, Whole(*bmp), TPoint{0, 0}, bmp.get(), &s.Skin, -1, -1);
    EXPECT_TRUE(All(*bmp, MixWords(TextureWord, PixelOf(SectionColor), 0.3)));
}

TEST(sSectionPaint, TextureDrawModesCoverTheirPartAndTheColourTheRest)
{
    const std::uint32_t x = TextureWord, c = PixelOf(SectionColor), u = Untouched;
    struct Case {
        int DrawMode;
        std::function<std::uint32_t(int, int)> Expect;  // by column and row of a 6 x 6 rectangle
    } cases[] = {
        {0, [&](int, int) { return x; }},
        {1, [&](int, int) { return x; }},
        {2, [&](int, int Y) { return Y < 2 ? x : c; }},
        {3, [&](int X, int) { return X < 2 ? x : c; }},
        {4, [&](int, int Y) { return Y < 2 ? x : c; }},
        {5, [&](int X, int) { return X < 2 ? x : c; }},
        {6, [&](int, int Y) { return Y >= 4 ? x : c; }},
        {7, [&](int X, int) { return X >= 4 ? x : c; }},
        {8, [&](int, int) { return c; }},
        {10, [&](int, int Y) { return Y < 4 ? x : u; }},  // whole rows only while one more fits below
    };
    for (const Case& k : cases) {
        TexturedSkin s(100, 0, k.DrawMode);
        auto bmp = Bmp32(6, 6, Untouched);
        DrawSectionBackground(s.SectionIndex, L"PANEL", EmptyCI, 0, Whole(*bmp), TPoint{0, 0}, bmp.get(), &s.Skin, s.TextureIndex, -1);
        for (int yy = 0; yy < 6; ++yy)
            for (int xx = 0; xx < 6; ++xx)
                ASSERT_EQ(Px(*bmp, xx, yy), k.Expect(xx, yy)) << "mode " << k.DrawMode << " at " << xx << "," << yy;
    }
}

TEST(sSectionPaint, SectionsPaintCornerImagesUnderTheirBorder)
{
    TestSkin s;
    int section = s.AddSection(L"EDIT", SectionColor);
    int border = s.AddMask(L"EDIT", L"BORDER", Bmp32(3, 3, [](int X, int Y) { return Coded(X, Y); }), 1, 0, 1, 1, 1, 1);
    int corner = s.AddMask(L"EDIT", L"TL", Bmp32(2, 2, [](int X, int Y) { return Coded(X, Y, 0x55); }), 1);
    s.Section(section).BorderIndex = border;
    s.Section(section).ImgTL = corner;
    auto bmp = Bmp32(6, 5, Untouched);
    DrawSection(section, L"EDIT", EmptyCI, -1, -1, &s.Skin, bmp.get(), TPoint{0, 0}, Whole(*bmp), 0);
    EXPECT_EQ(Px(*bmp, 0, 0), Coded(0, 0));
    EXPECT_EQ(Px(*bmp, 1, 1), Coded(1, 1, 0x55));
    EXPECT_EQ(Px(*bmp, 5, 4), Coded(2, 2));
    EXPECT_EQ(Px(*bmp, 3, 2), PixelOf(SectionColor));
}

TEST(sSectionPaint, LookupsByUnknownNamesPaintNothingAndAnswerMinusOne)
{
    TestSkin s;
    s.AddSection(L"PANEL", SectionColor);
    int button = s.AddSection(L"BUTTON", HotColor);
    auto bmp = Bmp32(4, 4, Untouched);
    EXPECT_EQ(DrawSectionByName(bmp.get(), L"NOSUCH", L"NOTHING", nullptr, clWhite, Whole(*bmp), &s.Skin, 0), -1);
    EXPECT_TRUE(All(*bmp, Untouched));
    EXPECT_EQ(DrawSectionByName(bmp.get(), L"NOSUCH", L"BUTTON", nullptr, clWhite, Whole(*bmp), &s.Skin, 0), button);
    EXPECT_TRUE(All(*bmp, PixelOf(HotColor)));
}

TEST(sSectionPaint, BadIndexesEmptyAndMisplacedRectanglesPaintNothing)
{
    TestSkin s;
    int section = s.AddSection(L"PANEL", SectionColor);
    s.Section(section).BorderIndex = 7;  // past the mask table
    s.Section(section).ImgTL = -5;
    auto bmp = Bmp32(8, 8, Untouched);
    for (int index : {-1, 1, 1000}) {
        DrawSection(index, L"PANEL", EmptyCI, -1, -1, &s.Skin, bmp.get(), TPoint{0, 0}, Whole(*bmp), 0);
        DrawSectionBackground(index, L"PANEL", EmptyCI, 0, Whole(*bmp), TPoint{0, 0}, bmp.get(), &s.Skin, -1, -1);
    }
    DrawSection(section, L"PANEL", EmptyCI, -1, -1, &s.Skin, bmp.get(), TPoint{0, 0}, TRect{0, 0, 30000, 8}, 0);
    DrawSection(section, L"PANEL", EmptyCI, -1, -1, &s.Skin, bmp.get(), TPoint{0, 0}, TRect{-1, 0, 4, 4}, 0);
    DrawSection(section, L"PANEL", EmptyCI, -1, -1, &s.Skin, bmp.get(), TPoint{0, 0}, TRect{3, 3, 3, 3}, 0);
    DrawSection(section, L"PANEL", EmptyCI, -1, -1, nullptr, bmp.get(), TPoint{0, 0}, Whole(*bmp), 0);
    EXPECT_TRUE(All(*bmp, Untouched));
    // Masks past the tables are skipped; the rest of the section still paints.
    DrawSection(section, L"PANEL", EmptyCI, 99, 99, &s.Skin, bmp.get(), TPoint{0, 0}, Whole(*bmp), 0);
    EXPECT_TRUE(All(*bmp, PixelOf(SectionColor)));

    auto empty = MakeBitmap32(0, 0);
    DrawSection(section, L"PANEL", EmptyCI, -1, -1, &s.Skin, empty.get(), TPoint{0, 0}, TRect{0, 0, 0, 0}, 0);
    DrawSectionBackground(section, L"PANEL", EmptyCI, 0, TRect{0, 0, 5, 5}, TPoint{0, 0}, empty.get(), &s.Skin, -1, -1);
    auto wide = Bmp32(30000, 2, Untouched);
    s.Section(section).Transparency = 40;
    TCacheInfo onColour;
    onColour.FillColor = clBlack;
    DrawSection(section, L"PANEL", onColour, -1, -1, &s.Skin, wide.get(), TPoint{0, 0}, Whole(*wide), 0);
    EXPECT_EQ(Px(*wide, 29999, 1), MixWords(0xFF000000u, PixelOf(SectionColor), 0.4));
}

TEST(sSectionPaint, SectionsPaintIntoDeviceContextsAtTheirRectangle)
{
    TestSkin s;
    int section = s.AddSection(L"PANEL", SectionColor);
    auto target = Bmp32(6, 6, Untouched);
    DrawSectionToDC(section, L"PANEL", EmptyCI, &s.Skin, target->Canvas()->Handle(), TPoint{0, 0}, TRect{2, 2, 5, 4}, 0);
    DrawSectionToDC(section, L"PANEL", EmptyCI, &s.Skin, target->Canvas()->Handle(), TPoint{0, 0}, TRect{-1, 0, 2, 2}, 0);
    GdiFlush();
    EXPECT_EQ(Px(*target, 2, 2) & 0x00FFFFFFu, PixelOf(SectionColor) & 0x00FFFFFFu);
    EXPECT_EQ(Px(*target, 4, 3) & 0x00FFFFFFu, PixelOf(SectionColor) & 0x00FFFFFFu);
    EXPECT_EQ(Px(*target, 5, 3), Untouched);
    EXPECT_EQ(Px(*target, 0, 0), Untouched);  // a rectangle left of the context paints nothing
}

TEST(sSectionPaint, BlendColorPercentKeepsItsShareOfEachPixelAndStaysInside)
{
    auto bmp = Bmp32(3, 3, 0x80FFFFFFu);
    BlendColorPercent(bmp.get(), TRect{-10, 1, 10, 30}, 25, clBlack);
    EXPECT_EQ(Px(*bmp, 0, 0), 0x80FFFFFFu);
    EXPECT_EQ(Px(*bmp, 2, 2), 0x80404040u);  // round(0.25 * 255) = 64; alpha untouched
}

TEST(sSectionPaint, GdiObjectsStayFlatOverTenThousandPaints)
{
    TexturedSkin s(30, 40, 0, L"255;16711680;100;0;0");
    s.Section(s.SectionIndex).Transparency = 40;
    s.Section(s.SectionIndex).BorderIndex =
        s.AddMask(L"PANEL", L"BORDER", Bmp32(5, 5, [](int X, int Y) { return Coded(X, Y); }), 1, 0, 2, 2, 2, 2, 4);
    auto screen = Bmp32(24, 16, Untouched);
    auto cache = Bmp32(24, 16, Untouched);
    HDC dc = screen->Canvas()->Handle();
    TCacheInfo onColour;
    onColour.FillColor = clWhite;
    auto paint = [&](int I) {
        DrawSection(s.SectionIndex, L"PANEL", onColour, -1, -1, &s.Skin, cache.get(), TPoint{0, 0}, Whole(*cache), I % 2);
        DrawSectionToDC(s.SectionIndex, L"PANEL", MakeCacheInfo(cache.get(), 0, 0), &s.Skin, dc, TPoint{0, 0},
                        TRect{2, 2, 20, 12}, I % 2);
        PaintColorFrame(dc, TRect{0, 0, 24, 16}, 1, clRed, 1, 1, 1);
    };
    paint(0);
    const unsigned before = GdiObjectCount();
    ASSERT_GT(before, 0u) << "the process's GDI objects cannot be counted here";
    for (int i = 0; i < 10000; ++i) paint(i);
    EXPECT_LE(GdiObjectCount(), before + 2);
}
