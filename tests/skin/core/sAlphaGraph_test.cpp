#include <gtest/gtest.h>

#include "skin/core/sAlphaGraph.h"
#include "tests/skin/core/Bitmap32Fixture.h"

using skintest::All;
using skintest::Bmp32;
using skintest::Px;
using skintest::SetPx;

namespace {

constexpr std::uint32_t Key = 0x00FF00FF;

TCacheInfo ReadyOver(TBitmap* Bmp, int X, int Y)
{
    TCacheInfo ci;
    ci.Bmp = Bmp;
    ci.X = X;
    ci.Y = Y;
    ci.Ready = true;
    return ci;
}

} // namespace

TEST(sAlphaGraph, FastClassesRefuseSingleRowsAndColumnsWhileTheFillStillCoversThem)
{
    struct Case { int W, H; } refused[] = {{1, 5}, {5, 1}, {1, 1}};
    auto ok = Bmp32(2, 2, 0u);
    for (auto c : refused) {
        auto b = Bmp32(c.W, c.H, 0u);
        TacFast32 fast;
        fast.FWidth = 7;
        EXPECT_FALSE(fast.Attach(b.get())) << c.W << "x" << c.H;
        EXPECT_EQ(0, fast.Width());
        TacFastSum32 sum;
        EXPECT_FALSE(sum.Attach(b.get(), ok.get()));
        EXPECT_FALSE(sum.Attach(ok.get(), b.get()));
    }
    TacFastSum32 sum;
    EXPECT_TRUE(sum.Attach(ok.get(), ok.get()));

    auto strip = Bmp32(5, 1, 0u);
    FillBitmapRect(strip.get(), Rect(1, 0, 4, 1), clRed);
    EXPECT_EQ(0u, Px(*strip, 0, 0));
    for (int x = 1; x < 4; ++x) EXPECT_EQ(0xFFFF0000u, Px(*strip, x, 0));
    EXPECT_EQ(0u, Px(*strip, 4, 0));
    // A 24-bit bitmap is not addressed as 32-bit pixels.
    TBitmap wide;
    wide.SetPixelFormat(pf24bit);
    wide.SetSize(3, 3);
    TacFast32 fast;
    EXPECT_FALSE(fast.Attach(&wide));
}

TEST(sAlphaGraph, Fast32ReadsWritesAndFillsOnlyInsideTheBitmap)
{
    auto b = Bmp32(3, 3, 0u);
    TacFast32 fast;
    ASSERT_TRUE(fast.Attach(b.get()));
    fast.WritePixel(1, 2, 0x80112233);
    EXPECT_EQ(0x80332211u, Px(*b, 1, 2)); // red low in the colour, blue low in the pixel
    EXPECT_EQ(0x80112233, fast.ReadPixel(1, 2));
    EXPECT_EQ(0xFF00FF, fast.ReadPixel(3, 0));
    EXPECT_EQ(0xFF00FF, fast.ReadPixel(0, -1));
    fast.WritePixel(-1, 0, 0);
    fast.WritePixel(0, 3, 0);

    std::uint32_t color = 0x00ABCDEF;
    fast.FillRect(Rect(-5, -5, 1, 1), color);
    EXPECT_EQ(0xFFABCDEFu, color);
    EXPECT_EQ(0xFFABCDEFu, Px(*b, 0, 0));
    EXPECT_EQ(0u, Px(*b, 1, 0));
    fast.FillRect(Rect(2, 0, 1, 3), color); // negative width: nothing
    EXPECT_EQ(0u, Px(*b, 2, 0));
    fast.FillBitmap(0x123456);
    EXPECT_TRUE(All(*b, 0xFF123456u));
}

TEST(sAlphaGraph, BlendRectWeighsEveryByteWithRounding)
{
    // Alpha 255 keeps the destination, yet darkens white by one.
    auto dst = Bmp32(3, 2, 0xFFFFFFFFu);
    auto src = Bmp32(3, 2, 0u);
    BlendBitmapsWhole(dst.get(), src.get(), 255);
    EXPECT_TRUE(All(*dst, 0xFEFEFEFEu));
    // Alpha 0 takes (255 * s + 127) >> 8 of every byte, alpha included.
    auto colours = Bmp32(3, 2, 0x80402010u);
    BlendBitmapsWhole(dst.get(), colours.get(), 0);
    EXPECT_TRUE(All(*dst, 0x7F402010u));
    // Different sizes: nothing.
    auto other = Bmp32(3, 3, 0u);
    BlendBitmapsWhole(dst.get(), other.get(), 0);
    EXPECT_TRUE(All(*dst, 0x7F402010u));
}

TEST(sAlphaGraph, BlendAreaClipsAgainstBothBitmaps)
{
    // Source pixels tell their position; below 128 in every byte, so Alpha 0 copies them exactly.
    auto src = Bmp32(8, 6, [](int x, int y) { return 0x7F000011u | std::uint32_t(x + 1) << 16 | std::uint32_t(y + 1) << 8; });
    struct Case {
        TRect R;
        TPoint P;
        TRect Changed; // in the destination
        int OffX, OffY; // source = destination + offset
    } cases[] = {
        {Rect(0, 0, 8, 6), Point(-3, -2), Rect(0, 0, 4, 4), 3, 2},
        {Rect(-1, 0, 3, 2), Point(2, 1), Rect(3, 1, 4, 3), -3, -1},
        {Rect(6, 4, 20, 20), Point(1, 1), Rect(1, 1, 3, 3), 5, 3},
        {Rect(0, 0, 8, 6), Point(4, 0), Rect(0, 0, 0, 0), 0, 0},
        {Rect(5, 5, 5, 9), Point(0, 0), Rect(0, 0, 0, 0), 0, 0},
        {Rect(8, 0, 9, 6), Point(0, 0), Rect(0, 0, 0, 0), 0, 0},
    };
    for (const Case& c : cases) {
        auto dst = Bmp32(4, 4, 0xFFFFFFFFu);
        BlendBitmapArea(dst.get(), src.get(), 0, c.R, c.P);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                bool inside = x >= c.Changed.left && x < c.Changed.right && y >= c.Changed.top && y < c.Changed.bottom;
                std::uint32_t expected = inside ? Px(*src, x + c.OffX, y + c.OffY) : 0xFFFFFFFFu;
                EXPECT_EQ(expected, Px(*dst, x, y)) << "rect " << c.R.left << "," << c.R.top << " at " << c.P.x << ","
                                                    << c.P.y << " pixel " << x << "," << y;
            }
    }
}

TEST(sAlphaGraph, RectOpacitySkipsKeysOnRequestAndClips)
{
    auto b = Bmp32(3, 2, 0x00102030u);
    SetPx(*b, 1, 0, Key);
    SetRectOpacity(b.get(), Rect(-2, -2, 2, 9), 0xC0, true);
    EXPECT_EQ(0xC0102030u, Px(*b, 0, 0));
    EXPECT_EQ(Key, Px(*b, 1, 0));
    EXPECT_EQ(0xC0102030u, Px(*b, 1, 1));
    EXPECT_EQ(0x00102030u, Px(*b, 2, 1));
    SetRectOpacity(b.get(), Rect(0, 0, 3, 1), 0x40, false);
    EXPECT_EQ(0x40FF00FFu, Px(*b, 1, 0));
}

TEST(sAlphaGraph, KeyedCopyCompositesByAlphaAndTakesTheBackgroundForKeys)
{
    // Background 3 x 3, each pixel distinct; the copy's origin lies over its (1, 1).
    auto bg = Bmp32(3, 3, [](int x, int y) { return 0x00100000u * (x + 1) + 0x1000u * (y + 1) + 7; });
    auto src = Bmp32(3, 2, Key);
    SetPx(*src, 1, 1, 0xFF0000FF);
    const std::uint32_t before = 0x11223344;

    auto dst = Bmp32(3, 2, before);
    CopyKeyedBitmap(Rect(0, 0, 3, 2), Rect(0, 0, 3, 2), dst.get(), src.get(), ReadyOver(bg.get(), 1, 1), true);
    EXPECT_EQ(Px(*bg, 1, 1) | 0xFF000000u, Px(*dst, 0, 0));
    EXPECT_EQ(Px(*bg, 2, 1) | 0xFF000000u, Px(*dst, 1, 0));
    EXPECT_EQ(before, Px(*dst, 2, 0)); // no background there: the row ends
    EXPECT_EQ(Px(*bg, 1, 2) | 0xFF000000u, Px(*dst, 0, 1));
    // Opaque blue over the old pixel by the blend rule; alpha 0x11 + 255 * (255 - 0x11) / 255.
    EXPECT_EQ(0xFF0000FEu, Px(*dst, 1, 1));
    EXPECT_EQ(before, Px(*dst, 2, 1));

    // Without FromBackground key pixels stay; with no background ready they composite with
    // alpha 0, which changes nothing either.
    for (TCacheInfo ci : {ReadyOver(bg.get(), 1, 1), TCacheInfo{}}) {
        auto d = Bmp32(3, 2, before);
        CopyKeyedBitmap(Rect(0, 0, 3, 2), Rect(0, 0, 3, 2), d.get(), src.get(), ci, !ci.Ready);
        SetPx(*d, 1, 1, before);
        EXPECT_TRUE(All(*d, before)) << "ready " << ci.Ready;
    }
}

TEST(sAlphaGraph, KeyedCopyTreatsOpaqueMagentaAsAColourAndClipsNegativeOrigins)
{
    auto magenta = Bmp32(2, 2, 0xFFFF00FFu);
    auto dst = Bmp32(2, 2, 0x00FFFFFFu);
    CopyKeyedBitmap(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), dst.get(), magenta.get(), ReadyOver(nullptr, 0, 0), true);
    EXPECT_TRUE(All(*dst, 0xFFFF00FFu));

    // Opaque sources over white come out exactly; the destination's -1 origin shifts both.
    auto src = Bmp32(3, 3, [](int x, int y) { return 0xFF000000u | std::uint32_t(x * 40) << 16 | std::uint32_t(y * 40); });
    auto d = Bmp32(2, 2, 0x00FFFFFFu);
    CopyKeyedBitmap(Rect(-1, -1, 2, 2), Rect(0, 0, 3, 3), d.get(), src.get(), TCacheInfo{}, false);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(Px(*src, x + 1, y + 1), Px(*d, x, y));
    // Rectangles far past both bitmaps, or empty, stay inside them.
    auto e = Bmp32(2, 2, 0x00FFFFFFu);
    CopyKeyedBitmap(Rect(1, 1, 100, 100), Rect(-50, 2, 100, 100), e.get(), src.get(), TCacheInfo{}, false);
    CopyKeyedBitmap(Rect(0, 0, 0, 5), Rect(0, 0, 3, 3), e.get(), src.get(), TCacheInfo{}, false);
    CopyKeyedBitmap(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), e.get(), nullptr, TCacheInfo{}, false);
    EXPECT_EQ(0x00FFFFFFu, Px(*e, 0, 0));
}

TEST(sAlphaGraph, KeyedBlendTransparencyTintAndReflection)
{
    auto red = Bmp32(2, 2, 0xFFFF0000u);
    auto dst = Bmp32(2, 2, 0xFF000000u);
    CopyKeyedBitmapBlend(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), dst.get(), red.get(), TCacheInfo{}, false, clNone, 100, false);
    EXPECT_TRUE(All(*dst, 0xFF000000u));
    // Grey 85 through a white tint, blended with weight 255.
    CopyKeyedBitmapBlend(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), dst.get(), red.get(), TCacheInfo{}, false, clWhite, 0, false);
    EXPECT_TRUE(All(*dst, 0xFF545454u));

    // Opaque black, 6 rows: the copy covers rows 0..2, then two reflected rows from row 4 on
    // (source rows 1 and 0) at weights 85 and 85 * 170 / 255.
    auto black = Bmp32(2, 6, 0xFF000000u);
    auto d = Bmp32(2, 8, 0x00FFFFFFu);
    CopyKeyedBitmapBlend(Rect(0, 0, 2, 3), Rect(0, 0, 2, 3), d.get(), black.get(), TCacheInfo{}, false, clNone, 0, true);
    const std::uint32_t rows[8] = {0, 0, 0, 0x00FFFFFF, 0x00AAAAAA, 0x00C7C7C7, 0x00FFFFFF, 0x00FFFFFF};
    for (int y = 0; y < 8; ++y) EXPECT_EQ(rows[y], Px(*d, 1, y)) << "row " << y;

    // A source that is not 32-bit yet is converted first; with the background ready the
    // destination alpha becomes the larger of both.
    TBitmap wide;
    wide.SetPixelFormat(pf24bit);
    wide.SetSize(2, 2);
    auto under = Bmp32(2, 2, 0x10000000u);
    CopyKeyedBitmapBlend(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), under.get(), &wide, ReadyOver(nullptr, 0, 0), false, clNone, 0, false);
    EXPECT_EQ(pf32bit, wide.PixelFormat());
    EXPECT_TRUE(All(*under, 0x10000000u));
}

TEST(sAlphaGraph, MaskMixAndChannelBlendsKeepAlphaAndRefuseMismatchedSizes)
{
    auto bmp = Bmp32(2, 1, 0x7F808080u);
    auto mask = Bmp32(2, 1, 0u);
    SetPx(*mask, 1, 0, 0x00FFFFFF);
    BlendColorByMask(bmp.get(), mask.get(), 0x0000FF); // red
    EXPECT_EQ(0x7FFF0000u, Px(*bmp, 0, 0));           // black mask: the colour
    EXPECT_EQ(0x7F807F7Fu, Px(*bmp, 1, 0));           // white mask: (almost) the pixel
    auto wrong = Bmp32(3, 1, 0u);
    BlendColorByMask(bmp.get(), wrong.get(), 0);
    EXPECT_EQ(0x7FFF0000u, Px(*bmp, 0, 0));

    auto a = Bmp32(2, 2, 0x00C8C8C8u), b = Bmp32(2, 2, 0x00646464u), out = Bmp32(2, 2, 0x33000000u);
    MixBitmaps(out.get(), a.get(), b.get(), 128);
    EXPECT_TRUE(All(*out, 0x33969696u));
    auto weights = Bmp32(2, 2, 0x0000FF00u); // all of A in green, all of B elsewhere
    MixBitmaps(out.get(), a.get(), b.get(), 128, weights.get());
    EXPECT_TRUE(All(*out, 0x3364C764u));
    MixBitmaps(out.get(), a.get(), wrong.get(), 0);
    EXPECT_TRUE(All(*out, 0x3364C764u));

    TBitmap grey;
    grey.SetPixelFormat(pf8bit);
    grey.SetSize(2, 2);
    auto px = Bmp32(2, 2, [](int x, int y) { return std::uint32_t(x + 2 * y + 1) << 24 | 0x00445566u; });
    CopyBitmapChannel(px.get(), &grey, 3, true);
    EXPECT_EQ(4, static_cast<std::uint8_t*>(grey.ScanLine(1))[1]);
    static_cast<std::uint8_t*>(grey.ScanLine(0))[1] = 0x99;
    CopyBitmapChannel(px.get(), &grey, 0, false);
    EXPECT_EQ(0x02445599u, Px(*px, 1, 0));
    CopyBitmapChannel(px.get(), &grey, 4, false); // no such channel
    EXPECT_EQ(0x02445599u, Px(*px, 1, 0));
}

TEST(sAlphaGraph, DisabledLookGreysThenFadesTowardsTheBackground)
{
    // Background: white except columns 2 and 3; the bitmap lies over column 1, plus an offset of 1.
    auto bg = Bmp32(4, 2, [](int x, int) { return x >= 2 ? 0xFF000000u : 0xFFFFFFFFu; });
    auto bmp = Bmp32(2, 2, 0xFF3060C0u);
    PaintDisabledLook(bmp.get(), 3, nullptr, Point(1, 0), ReadyOver(bg.get(), 1, 0));
    EXPECT_TRUE(All(*bmp, 0xFF2D2D2Du)); // grey 112, then 60 percent black

    auto plain = Bmp32(2, 2, 0xFF000000u);
    TCacheInfo fill;
    fill.FillColor = clWhite;
    PaintDisabledLook(plain.get(), 1, nullptr, Point(0, 0), fill);
    EXPECT_TRUE(All(*plain, 0xFF808080u));
    auto untouched = Bmp32(2, 2, 0xFF000000u);
    PaintDisabledLook(untouched.get(), 1, nullptr, Point(0, 0), TCacheInfo{}); // no colour known
    EXPECT_TRUE(All(*untouched, 0xFF000000u));
}

TEST(sAlphaGraph, EmptyAndMissingBitmapsAreIgnored)
{
    auto empty = MakeBitmap32(0, 0);
    auto ok = Bmp32(3, 3, 0x01020304u);
    TCacheInfo ci = ReadyOver(empty.get(), 0, 0);
    for (TBitmap* bad : {empty.get(), static_cast<TBitmap*>(nullptr)}) {
        FillBitmapRect(bad, Rect(0, 0, 3, 3), clRed);
        SetRectOpacity(bad, Rect(0, 0, 3, 3), 0, false);
        BlendBitmapsWhole(ok.get(), bad, 0);
        BlendBitmapArea(ok.get(), bad, 0, Rect(0, 0, 3, 3), Point(0, 0));
        BlendBitmapArea(bad, ok.get(), 0, Rect(0, 0, 3, 3), Point(0, 0));
        BlendColorByMask(ok.get(), bad, clRed);
        MixBitmaps(ok.get(), bad, ok.get(), 0);
        CopyBitmapChannel(ok.get(), bad, 0, false);
        CopyKeyedBitmap(Rect(0, 0, 3, 3), Rect(0, 0, 3, 3), ok.get(), bad, ci, true);
        CopyKeyedBitmapBlend(Rect(0, 0, 3, 3), Rect(0, 0, 3, 3), ok.get(), bad, ci, true, clNone, 0, true);
        PaintDisabledLook(bad, 3, nullptr, Point(0, 0), ci);
        BlendBitmapKeyed(ok.get(), 0, 0, bad, Rect(0, 0, 2, 2), 0, Key);
        TintBitmap(bad, clRed, 0.5);
        PutBitmapTransparent(ok.get(), bad, 0, 0, clRed);
        CopyAreaKeyed(ok.get(), bad, 0, 0, true, ci, Key, Rect(0, 0, 2, 2));
        CopyAreaTransparent(bad, ok.get(), 0, 0, clRed, Rect(0, 0, 2, 2));
        ShiftBitmapHue(bad, 30);
        MakeBitmapGray(bad);
        DrawGlyphState(bad, ok.get(), Rect(0, 0, 3, 3), 0, 0, 0, 3, false, 1);
        ShadeRoundedRect(bad, Rect(0, 0, 3, 3), 0, 1, 1, clRed);
    }
    // A key pixel over an empty background ends its row without reading it.
    auto key = Bmp32(3, 3, Key);
    CopyKeyedBitmap(Rect(0, 0, 3, 3), Rect(0, 0, 3, 3), ok.get(), key.get(), ci, true);
    EXPECT_TRUE(All(*ok, 0x01020304u));
}
