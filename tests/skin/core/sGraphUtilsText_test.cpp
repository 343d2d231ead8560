// Text with effects: contours, disabled mixing, glow, text written into 32-bit bitmaps with their
// alpha kept, the ellipsis fit and the blur. Glyph shapes differ between font renderers, so the
// checks count pixels of exact colours and compare bands, never exact glyphs.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "skin/core/sAlphaGraph.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sSkinManager.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinpaint_test;
using namespace skinstate_test;
using skintest::Px;

namespace {

constexpr TColor Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, Yellow = 0x00FFFF, Teal = 0x808000;
constexpr TColor SectionColor = 0xC0C0C0;

// A white 32-bit picture whose canvas writes a large bold font, so that glyph cores are solid.
std::unique_ptr<TBitmap> Page(int W = 120, int H = 40)
{
    auto b = skintest::Bmp32(W, H, 0xFFFFFFFFu);
    b->Canvas()->Font()->SetName(L"Tahoma");
    b->Canvas()->Font()->SetHeight(-24);
    b->Canvas()->Font()->SetStyle(TFontStyles{fsBold});
    return b;
}

std::uint32_t Rgb(std::uint32_t P) { return P & 0xFFFFFFu; }

int CountColour(TBitmap& B, TColor C)
{
    const std::uint32_t want = PixelOf(C) & 0xFFFFFFu;
    int n = 0;
    for (int y = 0; y < B.Height(); ++y)
        for (int x = 0; x < B.Width(); ++x) n += Rgb(Px(B, x, y)) == want;
    return n;
}

// The colours of the pixels in column X (or row Y) that are not white.
std::set<std::uint32_t> InkOfColumn(TBitmap& B, int X)
{
    std::set<std::uint32_t> s;
    for (int y = 0; y < B.Height(); ++y)
        if (Rgb(Px(B, X, y)) != 0xFFFFFFu) s.insert(Rgb(Px(B, X, y)));
    return s;
}

// The first and last columns holding ink.
std::pair<int, int> InkColumns(TBitmap& B)
{
    int first = -1, last = -1;
    for (int x = 0; x < B.Width(); ++x)
        if (!InkOfColumn(B, x).empty()) {
            if (first < 0) first = x;
            last = x;
        }
    return {first, last};
}

struct TextSkin : SkinnedManager {
    int Section;
    TextSkin(TsFontColor Colors, int GlowSize = 0)
    {
        Section = AddSection(L"LABEL", SectionColor);
        Manager.gd[Section].FontColor = Colors;
        for (TsGenState& s : Manager.gd[Section].Props) {
            s.FontColor = Colors;
            s.GlowColor = Teal;
            s.GlowSize = static_cast<std::uint8_t>(GlowSize);
        }
    }
};

const TRect TextRect{10, 4, 110, 36};
constexpr UINT Format = DT_LEFT | DT_TOP | DT_SINGLELINE;

} // namespace

TEST(TextEffects, EveryContourColourSetIsDrawnAndThoseAtMinusOneAreNot)
{
    struct Case {
        TsFontColor Colors;
        std::set<TColor> Present;
        std::set<TColor> Absent;
    } cases[] = {
        {{Red, -1, -1, -1, -1}, {Red}, {Green, Blue, Yellow, Teal}},
        {{Red, Green, -1, -1, -1}, {Red, Green}, {Blue, Yellow, Teal}},
        {{Red, -1, Blue, -1, Yellow}, {Red, Blue, Yellow}, {Green, Teal}},
        {{Red, Green, Blue, Yellow, Teal}, {Red, Green, Blue, Yellow, Teal}, {}},
    };
    for (const Case& c : cases) {
        TextSkin skin(c.Colors);
        auto page = Page();
        DrawSectionText(page->Canvas(), L"HIH", true, &skin.Manager, false, skin.Section, Format, TextRect);
        GdiFlush();
        for (TColor p : c.Present) EXPECT_GT(CountColour(*page, p), 0) << std::hex << p;
        for (TColor a : c.Absent) EXPECT_EQ(CountColour(*page, a), 0) << std::hex << a;
    }
}

TEST(TextEffects, ContoursLieOnePixelOutsideTheMainText)
{
    TextSkin plain({Red, -1, -1, -1, -1});
    auto once = Page();
    DrawSectionText(once->Canvas(), L"HIH", true, &plain.Manager, false, plain.Section, Format, TextRect);
    TextSkin contoured({Red, Green, -1, Blue, -1});
    auto both = Page();
    DrawSectionText(both->Canvas(), L"HIH", true, &contoured.Manager, false, contoured.Section, Format, TextRect);
    GdiFlush();
    const auto [first, last] = InkColumns(*once);
    ASSERT_GE(first, 0);
    EXPECT_EQ(InkColumns(*both), std::make_pair(first - 1, last + 1));
    EXPECT_EQ(InkOfColumn(*both, first - 1), std::set<std::uint32_t>{PixelOf(Green) & 0xFFFFFF});
    EXPECT_EQ(InkOfColumn(*both, last + 1), std::set<std::uint32_t>{PixelOf(Blue) & 0xFFFFFF});
}

TEST(TextEffects, DisabledSectionTextIsOneTextInTheMixedColour)
{
    TextSkin skin({Red, Green, Blue, Yellow, Teal});
    auto page = Page();
    DrawSectionText(page->Canvas(), L"HIH", false, &skin.Manager, false, skin.Section, Format, TextRect);
    GdiFlush();
    EXPECT_GT(CountColour(*page, MixColors(Red, SectionColor, 0.4)), 0);
    for (TColor c : {Red, Green, Blue, Yellow, Teal}) EXPECT_EQ(CountColour(*page, c), 0);
}

TEST(TextEffects, NothingIsDrawnForAnEmptyTextOrAnInvalidSection)
{
    TextSkin skin({Red, Green, -1, -1, -1});
    for (int index : {-1, 99}) {
        auto page = Page();
        DrawSectionText(page->Canvas(), L"HIH", true, &skin.Manager, false, index, Format, TextRect);
        DrawSectionText32(page.get(), L"HIH", true, &skin.Manager, false, skin.Section, Format, TRect{0, 0, 0, 0});
        GdiFlush();
        EXPECT_TRUE(skintest::All(*page, 0xFFFFFFFFu)) << index;
    }
    // Into a bitmap, text of an unknown section is still written, in the bitmap's font colour.
    auto unknown = Page();
    unknown->Canvas()->Font()->SetColor(Blue);
    DrawSectionText32(unknown.get(), L"HIH", true, &skin.Manager, false, 99, Format, TextRect);
    EXPECT_GT(CountColour(*unknown, Blue), 0);
    EXPECT_EQ(CountColour(*unknown, Green), 0);
    auto page = Page();
    DrawSectionText(page->Canvas(), L"", true, &skin.Manager, false, skin.Section, Format, TextRect);
    DrawSectionText32(page.get(), L"", true, &skin.Manager, false, skin.Section, Format, TextRect);
    GdiFlush();
    EXPECT_TRUE(skintest::All(*page, 0xFFFFFFFFu));
}

TEST(TextEffects, DrawControlTextDisabledMixesWithTheGlobalColourAndDrawsNoContours)
{
    TextSkin skin({Red, Green, Blue, Yellow, Teal});
    TStateTestControl control(nullptr);
    control.SetParent(&skin.Parent);
    TsCommonData data(&control, false);
    data.SetSkinSection(L"LABEL");
    ASSERT_TRUE(data.Skinned());
    auto page = Page();
    DrawControlText(page->Canvas(), L"HIH", false, false, &data, Format, TextRect);
    GdiFlush();
    EXPECT_GT(CountColour(*page, MixColors(Red, ManagerGlobalColor(&skin.Manager), 0.4)), 0);
    for (TColor c : {Red, Green, Blue, Yellow, Teal}) EXPECT_EQ(CountColour(*page, c), 0);

    auto enabled = Page();
    DrawControlText(enabled->Canvas(), L"HIH", true, false, &data, Format, TextRect);
    GdiFlush();
    for (TColor c : {Red, Green, Blue, Yellow, Teal}) EXPECT_GT(CountColour(*enabled, c), 0) << std::hex << c;
}

TEST(TextEffects, DrawControlTextShiftsColoursByTheControlsHueAndPaintsTheGlowIntoItsCache)
{
    TextSkin skin({Red, -1, -1, -1, -1}, 3);
    TStateTestControl control(nullptr);
    control.SetParent(&skin.Parent);
    TsCommonData data(&control, true);
    data.SetSkinSection(L"LABEL");
    data.CacheBmp()->SetSize(120, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) skintest::SetPx(*data.CacheBmp(), x, y, 0x00FFFFFFu);
    data.CacheBmp()->Canvas()->Font()->SetHeight(-24);
    data.SetHUEOffset(120);

    auto page = Page();
    DrawControlText(page->Canvas(), L"HIH", true, false, &data, Format, TextRect);
    GdiFlush();
    EXPECT_EQ(CountColour(*page, Red), 0);
    EXPECT_GT(CountColour(*page, ShiftColorHue(120, Red)), 0);
    // The glow shows in the transparent white cache: pixels gain opacity and the glow's colour.
    int glowing = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const std::uint32_t p = Px(*data.CacheBmp(), x, y);
            if ((p >> 24) == 0) {
                EXPECT_EQ(p, 0x00FFFFFFu);
                continue;
            }
            ++glowing;
            EXPECT_NE(Rgb(p), 0xFFFFFFu);
        }
    EXPECT_GT(glowing, 100);
    EXPECT_EQ(Px(*data.CacheBmp(), 119, 39), 0x00FFFFFFu);
}

TEST(TextEffects, PaintTextGlowReusesAMaskOfTheSameSizeEvenForAnotherText)
{
    auto first = Page();
    std::unique_ptr<TBitmap> mask;
    PaintTextGlow(first.get(), L"HIH", TextRect, mask, Teal, 4, gsAll, Format);
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->PixelFormat(), pf8bit);
    EXPECT_EQ(mask->Width(), 100 + 2 * 8);
    EXPECT_EQ(mask->Height(), 32 + 2 * 8);
    TBitmap* kept = mask.get();

    auto second = Page();
    PaintTextGlow(second.get(), L"W", TextRect, mask, Teal, 4, gsAll, Format);
    EXPECT_EQ(mask.get(), kept);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) ASSERT_EQ(Px(*first, x, y), Px(*second, x, y)) << x << "," << y;

    // The glow darkens the white page towards teal (red falls most); far from it nothing changes.
    int tinted = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const std::uint32_t p = Px(*first, x, y);
            if (Rgb(p) == 0xFFFFFFu) continue;
            ++tinted;
            EXPECT_LE(p >> 16 & 0xFF, p >> 8 & 0xFF);
        }
    EXPECT_GT(tinted, 100);
    EXPECT_EQ(Px(*first, 119, 0), 0xFFFFFFFFu);

    auto third = Page();
    PaintTextGlow(third.get(), L"HIH", TRect{10, 4, 60, 36}, mask, Teal, 4, gsAll, Format);
    EXPECT_NE(mask->Width(), 116);
}

TEST(TextEffects, WritingTextIntoABitmapKeepsTheAlphaAroundTheGlyphs)
{
    TextSkin skin({Red, Green, -1, -1, -1});
    auto page = Page();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) skintest::SetPx(*page, x, y, 0x40336699u);
    DrawSectionText32(page.get(), L"HIH", true, &skin.Manager, false, skin.Section, Format, TextRect);
    int untouched = 0, red = 0, green = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const std::uint32_t p = Px(*page, x, y);
            if (p == 0x40336699u) ++untouched;
            else EXPECT_EQ(p >> 24, 255u) << x << "," << y;
            red += p == PixelOf(Red);
            green += p == PixelOf(Green);
        }
    EXPECT_GT(untouched, 120 * 40 / 2);
    EXPECT_GT(red, 0);
    EXPECT_GT(green, 0);

    // Disabled: the main colour only.
    auto disabled = Page();
    DrawSectionText32(disabled.get(), L"HIH", false, &skin.Manager, false, skin.Section, Format, TextRect);
    EXPECT_GT(CountColour(*disabled, Red), 0);
    EXPECT_EQ(CountColour(*disabled, Green), 0);
}

TEST(TextEffects, FitTextWithEllipsis)
{
    auto page = Page();
    TCanvas* c = page->Canvas();
    const String text = L"本月共工作 shifts";
    const int full = c->TextWidth(text), dots = c->TextWidth(L"...");
    String result = L"x";
    FitTextWithEllipsis(c, text, 0, result);
    EXPECT_EQ(result, L"");
    FitTextWithEllipsis(c, text, -5, result);
    EXPECT_EQ(result, L"");
    FitTextWithEllipsis(c, text, full, result);
    EXPECT_EQ(result, text);
    FitTextWithEllipsis(c, text, c->TextWidth(text.substr(0, 1)) + dots - 1, result);
    EXPECT_EQ(result, L"");
    for (int width : {full - 1, full / 2, c->TextWidth(L"本") + dots}) {
        FitTextWithEllipsis(c, text, width, result);
        ASSERT_GE(result.size(), 4u) << width;
        ASSERT_EQ(result.substr(result.size() - 3), L"...");
        const String prefix = result.substr(0, result.size() - 3);
        EXPECT_EQ(text.compare(0, prefix.size(), prefix), 0);
        EXPECT_LE(c->TextWidth(result), width);
        EXPECT_GT(c->TextWidth(text.substr(0, prefix.size() + 1) + L"..."), width) << width;
    }
}

TEST(TextEffects, TextSizeHelpersMeasureTheFont)
{
    auto page = Page();
    TSize byCanvas = CanvasTextSize(page->Canvas(), L"WWW");
    TSize byFont{-1, -1}, byDC{-1, -1};
    FontTextSize(page->Canvas()->Font(), L"WWW", byFont);
    DCTextSize(page->Canvas()->Handle(), L"WWW", byDC);
    EXPECT_GT(byCanvas.cx, 0);
    EXPECT_EQ(byFont.cx, byCanvas.cx);
    EXPECT_EQ(byFont.cy, byCanvas.cy);
    EXPECT_EQ(byDC.cx, byCanvas.cx);
    EXPECT_EQ(CanvasTextWidth(page->Canvas(), L"WWW"), byCanvas.cx);
    EXPECT_EQ(CanvasTextHeight(page->Canvas(), L"WWW"), byCanvas.cy);
    TSize none{-1, -1};
    FontTextSize(nullptr, L"W", none);
    EXPECT_EQ(none.cx, 0);
    EXPECT_EQ(none.cy, 0);
}

// ---- Blur ----

namespace {

std::unique_ptr<TBitmap> Bmp8(int W, int H, std::uint8_t Fill)
{
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf8bit);
    b->SetSize(W, H);
    for (int y = 0; y < H; ++y) std::memset(b->ScanLine(y), Fill, W);
    return b;
}

std::uint8_t At8(TBitmap& B, int X, int Y) { return static_cast<std::uint8_t*>(B.ScanLine(Y))[X]; }

} // namespace

TEST(TextEffects, BlurKeepsAWhiteMaskWhiteAtEveryRadius)
{
    for (double radius : {1.0, 2.0, 3.0, 7.0, 20.0, 60.0}) {
        auto mask = Bmp8(37, 23, 255);
        BlurBitmap8(mask.get(), radius);
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x) ASSERT_EQ(At8(*mask, x, y), 255) << radius << " at " << x << "," << y;
    }
}

TEST(TextEffects, BlurKernelIsCutToTheWeightsThatMatter)
{
    const auto short1 = GaussianKernel(1);
    const auto long20 = GaussianKernel(20);
    EXPECT_LE(short1.size(), 7u);
    EXPECT_GE(short1.size(), 3u);
    EXPECT_GT(long20.size(), 61u);
    EXPECT_LE(long20.size(), 201u);
    // An almost flat kernel loses only its outermost pair.
    EXPECT_EQ(GaussianKernel(1000).size(), 199u);
    for (const auto* k : {&short1, &long20}) {
        double sum = 0;
        for (double w : *k) sum += w;
        EXPECT_NEAR(sum, 1.0, 1e-12);
        EXPECT_EQ(k->size() % 2, 1u);
        EXPECT_DOUBLE_EQ(k->front(), k->back());
    }
}

TEST(TextEffects, BlurSpreadsADarkDotEvenlyAndLeavesOtherBitmapsAlone)
{
    auto mask = Bmp8(21, 21, 255);
    static_cast<std::uint8_t*>(mask->ScanLine(10))[10] = 0;
    BlurBitmap8(mask.get(), 2);
    EXPECT_LT(At8(*mask, 10, 10), 255);
    EXPECT_LT(At8(*mask, 10, 10), At8(*mask, 11, 10));
    EXPECT_EQ(At8(*mask, 9, 10), At8(*mask, 11, 10));
    EXPECT_EQ(At8(*mask, 10, 9), At8(*mask, 10, 11));
    EXPECT_EQ(At8(*mask, 0, 0), 255);

    auto page = skintest::Bmp32(5, 5, 0xFF000000u);
    skintest::SetPx(*page, 2, 2, 0xFFFFFFFFu);
    BlurBitmap8(page.get(), 2);
    EXPECT_EQ(Px(*page, 2, 2), 0xFFFFFFFFu);
    EXPECT_EQ(Px(*page, 1, 2), 0xFF000000u);
    BlurBitmap8(mask.get(), 0); // no radius: nothing, no division by zero
}
