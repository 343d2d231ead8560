#include <gtest/gtest.h>

#include "framework/graphics/DrawingGuards.h"
#include "skin/core/sGraphUtils.h"
#include "tests/skin/core/Bitmap32Fixture.h"
#include "tests/support/PixelBuffer.h"

using skintest::All;
using skintest::Bmp32;
using skintest::Px;
using skintest::SetPx;

namespace {

constexpr std::uint32_t Key = 0x00FF00FF;

std::unique_ptr<TBitmap> Bmp24(int W, int H, std::uint32_t Rgb)
{
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf24bit);
    b->SetSize(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            auto* p = static_cast<std::uint8_t*>(b->ScanLine(y)) + 3 * x;
            p[0] = static_cast<std::uint8_t>(Rgb), p[1] = static_cast<std::uint8_t>(Rgb >> 8), p[2] = static_cast<std::uint8_t>(Rgb >> 16);
        }
    return b;
}

} // namespace

TEST(sGraphUtils, NewBitmapsAndColourValues)
{
    auto b = MakeBitmap32(3, 2);
    EXPECT_EQ(pf32bit, b->PixelFormat());
    EXPECT_EQ(3, b->Width());
    EXPECT_TRUE(All(*b, 0x00FFFFFFu));
    TBitmap wide;
    wide.SetPixelFormat(pf24bit);
    wide.SetSize(4, 5);
    auto same = MakeSameSizeBitmap(&wide);
    EXPECT_EQ(pf24bit, same->PixelFormat());
    EXPECT_EQ(4, same->Width());
    EXPECT_EQ(5, same->Height());
    EXPECT_TRUE(MakeBitmap32(-3, 0)->Empty());

    EXPECT_EQ(0x11443322u, SwapRedBlue(0x11223344u));
    EXPECT_EQ(0x05BF0040, MixColors(0x050000FF, 0x00FF0000, 0.25));
    EXPECT_TRUE(LayeredWindowsAvailable());
    EXPECT_NE(nullptr, SetLayeredWindowAttributesFunc);
}

TEST(sGraphUtils, HueRotatesAndSaturationScalesAwayFromGrey)
{
    EXPECT_EQ(0x8000FF00u, ChangeHue(120, 0x80FF0000u)); // pixel words: red to green, alpha kept
    EXPECT_EQ(0x000000FFu, ChangeHue(-120, 0x00FF0000u)); // -120 is 240: blue
    EXPECT_EQ(0x00FF0000u, ChangeHue(360, 0x00FF0000u));
    EXPECT_EQ(0x00808080u, ChangeHue(90, 0x00808080u));
    EXPECT_EQ(clLime, ShiftColorHue(120, clRed));
    EXPECT_EQ(0x123456, ShiftColorHue(0, 0x123456));

    EXPECT_EQ(0xAB646464u, ChangeSaturation(-100, 0xAB0064C8u)); // (200, 100, 0) to grey 100
    EXPECT_EQ(0x000064FFu, ChangeSaturation(100, 0x000064C8u));  // clipped to (255, 100, 0)
    EXPECT_EQ(0x000064C8u, ChangeSaturation(0, 0x000064C8u));
    EXPECT_EQ(0x0064C8, ShiftColorSaturation(0x0064C8, 0));

    // Bitmaps: key and grey pixels are left, colours move.
    auto b = Bmp32(3, 2, [](int x, int) { return x == 0 ? Key : x == 1 ? 0xFF808080u : 0xFFFF0000u; });
    ShiftBitmapHue(b.get(), 120);
    EXPECT_EQ(Key, Px(*b, 0, 1));
    EXPECT_EQ(0xFF808080u, Px(*b, 1, 1));
    EXPECT_EQ(0xFF00FF00u, Px(*b, 2, 1));
    ShiftBitmapSaturation(b.get(), -100);
    EXPECT_EQ(Key, Px(*b, 0, 0));
    EXPECT_EQ(0xFF555555u, Px(*b, 2, 0));
    ShiftBitmapHue(nullptr, 10);
}

TEST(sGraphUtils, GreyTintAndKeyedBlendsLeaveKeysAlone)
{
    auto b = Bmp32(3, 1, [](int x, int) { return x == 0 ? Key : x == 1 ? 0xFF3060C0u : 0xFF102030u; });
    MakeBitmapGrayExcept(b.get(), 0xFF102030u);
    EXPECT_EQ(Key, Px(*b, 0, 0));
    EXPECT_EQ(0xFF707070u, Px(*b, 1, 0));
    EXPECT_EQ(0xFF102030u, Px(*b, 2, 0));
    MakeBitmapGray(b.get());
    EXPECT_EQ(0xFF202020u, Px(*b, 2, 0));
    EXPECT_EQ(Key, Px(*b, 0, 0));

    auto t = Bmp32(2, 1, 0xFF000000u);
    SetPx(*t, 1, 0, Key);
    TintBitmap(t.get(), clWhite, 0.25);
    EXPECT_EQ(0xFFBFBFBFu, Px(*t, 0, 0));
    EXPECT_EQ(Key, Px(*t, 1, 0));

    // A negative source origin moves the destination; key pixels are skipped; alpha stays.
    auto src = Bmp32(3, 3, 0xFF102030u);
    SetPx(*src, 1, 1, Key);
    auto dst = Bmp32(3, 3, 0u);
    BlendBitmapKeyed(dst.get(), 0, 0, src.get(), Rect(-1, -1, 5, 5), 0.25, Key);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            bool blended = x >= 1 && y >= 1 && !(x == 2 && y == 2);
            EXPECT_EQ(blended ? 0x000C1824u : 0u, Px(*dst, x, y)) << x << "," << y;
        }
}

TEST(sGraphUtils, TransparentPutComparesWholeWordsOr24BitColours)
{
    auto src = Bmp24(2, 2, 0x0000FF);
    static_cast<std::uint8_t*>(src->ScanLine(0))[0] = 0xFF;
    static_cast<std::uint8_t*>(src->ScanLine(0))[2] = 0xFF; // (0, 0) magenta
    auto dst = Bmp32(3, 3, 0u);
    PutBitmapTransparent(dst.get(), src.get(), 1, 0, clFuchsia);
    EXPECT_EQ(pf24bit, src->PixelFormat());
    EXPECT_EQ(0u, Px(*dst, 1, 0));
    EXPECT_EQ(0xFF0000FFu, Px(*dst, 2, 0));
    EXPECT_EQ(0xFF0000FFu, Px(*dst, 1, 1));
    EXPECT_EQ(0u, Px(*dst, 0, 0));
    EXPECT_EQ(0u, Px(*dst, 1, 2));

    // A 32-bit source: only magenta with alpha 0 matches clFuchsia; the copy is opaque. The
    // placement runs off every edge.
    auto wide = Bmp32(2, 1, [](int x, int) { return x == 0 ? Key : 0x80FF00FFu; });
    auto d = Bmp32(1, 1, 0u);
    PutBitmapTransparent(d.get(), wide.get(), -1, 0, clFuchsia);
    EXPECT_EQ(0xFFFF00FFu, Px(*d, 0, 0));
    PutBitmapTransparent(d.get(), wide.get(), 5, -7, clFuchsia);
}

TEST(sGraphUtils, AreaCopiesFollowTheBackgroundMode)
{
    auto src = Bmp32(3, 1, [](int x, int) { return x == 1 ? 0x40112233u : Key; });
    auto bg = Bmp32(2, 1, [](int x, int) { return x == 0 ? 0x00AAAAAAu : 0x00BBBBBBu; });
    const std::uint32_t old = 0x01010101;
    TCacheInfo overBg;
    overBg.Bmp = bg.get();
    overBg.X = 0;
    overBg.Y = 0;
    overBg.Ready = true;
    TCacheInfo fill;
    fill.FillColor = clRed;
    struct Case {
        const char* Name;
        bool FromBackground;
        TCacheInfo CI;
        bool IntoBackground;
        std::uint32_t Expected[3];
    } cases[] = {
        {"background; the row ends where it has no pixel", true, overBg, false, {0xFFAAAAAA, 0xFF112233, old}},
        {"into the background itself", true, overBg, true, {old, 0xFF112233, old}},
        {"ready, keys left", false, overBg, false, {old, 0x40112233, old}},
        {"not ready, keys filled", true, fill, false, {0xFFFF0000, 0x40112233, 0xFFFF0000}},
    };
    for (Case& c : cases) {
        auto dst = Bmp32(3, 1, old);
        if (c.IntoBackground) c.CI.Bmp = dst.get();
        CopyAreaKeyed(dst.get(), src.get(), 0, 0, c.FromBackground, c.CI, Key, Rect(0, 0, 2, 0));
        for (int x = 0; x < 3; ++x) EXPECT_EQ(c.Expected[x], Px(*dst, x, 0)) << c.Name << " at " << x;
    }

    // Inclusive source clamped (its -2 raised to 0, the destination staying at -1); magenta
    // with alpha is a colour; the walk skips the column left of the destination and goes on.
    auto s = Bmp32(3, 2, [](int x, int) { return x == 0 ? Key : x == 1 ? 0x80FF00FFu : 0xFF010203u; });
    auto d = Bmp32(3, 2, 0x05050505u);
    CopyAreaTransparent(d.get(), s.get(), -1, 1, clFuchsia, Rect(-2, 0, 10, 10));
    EXPECT_EQ(0x80FF00FFu, Px(*d, 0, 1));
    EXPECT_EQ(0xFF010203u, Px(*d, 1, 1));
    EXPECT_EQ(0x05050505u, Px(*d, 2, 1));
    EXPECT_EQ(0x05050505u, Px(*d, 0, 0));
}

TEST(sGraphUtils, GlyphStatesPickTheirFrameAndKeepTransparentPixels)
{
    // Three frames two pixels wide, bottom-left of each transparent.
    auto strip = Bmp32(6, 2, [](int x, int y) { return y == 1 && x % 2 == 0 ? Key : 0x10u * (x / 2 + 1); });
    struct Case {
        bool Enabled;
        int Kind, State, Frame;
    } cases[] = {{true, 0, 0, 0}, {true, 1, 0, 1}, {true, 2, 0, 2}, {true, 2, 1, 1}, {false, 1, 0, 0}};
    for (const Case& c : cases) {
        auto dst = Bmp32(3, 3, 0xEEEEEEEEu);
        DrawGlyphState(strip.get(), dst.get(), Rect(1, 1, 3, 3), c.State, 0, c.Kind, 0, c.Enabled, 3);
        const std::uint32_t colour = 0x10u * (c.Frame + 1);
        EXPECT_EQ(colour, Px(*dst, 1, 1)) << "kind " << c.Kind << " state " << c.State;
        EXPECT_EQ(colour, Px(*dst, 2, 2));
        EXPECT_EQ(0xEEEEEEEEu, Px(*dst, 1, 2));
        EXPECT_EQ(0xEEEEEEEEu, Px(*dst, 0, 0));
    }

    // One frame, 24-bit, green transparent corner: hot puts it opaque without the corner;
    // disabled and greyed keeps the corner transparent.
    auto glyph = Bmp24(2, 2, 0xFF0000);
    auto* corner = static_cast<std::uint8_t*>(glyph->ScanLine(1));
    corner[0] = 0, corner[1] = 0xFF, corner[2] = 0;
    auto hot = Bmp32(2, 2, 0x11111111u);
    DrawGlyphState(glyph.get(), hot.get(), Rect(0, 0, 2, 2), 0, 0, 1, 0, true, 1);
    EXPECT_EQ(0xFFFF0000u, Px(*hot, 0, 0));
    EXPECT_EQ(0x11111111u, Px(*hot, 0, 1));
    auto grey = Bmp32(2, 2, 0x11111111u);
    DrawGlyphState(glyph.get(), grey.get(), Rect(0, 0, 2, 2), 0, 0, 0, 2, false, 1);
    EXPECT_EQ(0xFF555555u, Px(*grey, 1, 0));
    EXPECT_EQ(0x11111111u, Px(*grey, 0, 1));
    DrawGlyphState(glyph.get(), grey.get(), Rect(0, 0, 2, 2), 0, 0, 0, 0, true, 5); // frames narrower than a pixel
}

TEST(sGraphUtils, GlyphTextLayout)
{
    struct Case {
        const char* Name;
        TRect Client;
        TSize Glyph, Text;
        int BiDi, Spacing, Margin, Alignment, Layout;
        TPoint GlyphPos;
        TRect TextRect;
    } cases[] = {
        {"evenly shared", {0, 0, 100, 20}, {16, 16}, {40, 13}, 0, -1, -1, 0, 0, {14, 2}, {44, 4, 84, 17}},
        {"moved with the client", {10, 5, 110, 25}, {16, 16}, {40, 13}, 0, -1, -1, 0, 0, {24, 7}, {54, 9, 94, 22}},
        {"glyph right, at the end", {0, 0, 100, 20}, {16, 16}, {40, 13}, 0, 2, 4, 1, 1, {80, 2}, {38, 4, 78, 17}},
        {"right to left swaps sides", {0, 0, 100, 20}, {16, 16}, {40, 13}, 2, 2, 4, 0, 0, {46, 2}, {4, 4, 44, 17}},
        {"centred, margin from spacing", {0, 0, 100, 20}, {16, 16}, {40, 13}, 0, 4, -1, 2, 0, {20, 2}, {40, 4, 80, 17}},
        {"no text: no spacing", {0, 0, 100, 20}, {16, 16}, {0, 13}, 0, 7, 5, 0, 0, {5, 2}, {21, 4, 21, 17}},
        {"long text cut at the margin", {0, 0, 100, 20}, {16, 16}, {200, 13}, 0, 2, 2, 0, 0, {2, 2}, {20, 4, 98, 17}},
        {"glyph on top", {0, 0, 60, 60}, {16, 16}, {30, 13}, 0, 3, 0, 0, 2, {22, 14}, {15, 33, 45, 46}},
        {"glyph below", {0, 0, 60, 60}, {16, 16}, {30, 13}, 0, 3, 0, 0, 3, {22, 30}, {15, 14, 45, 27}},
    };
    for (const Case& c : cases) {
        TRect text{};
        TPoint glyph{};
        CalcGlyphTextLayout(c.Client, c.Glyph, c.Text, c.BiDi, text, glyph, c.Spacing, c.Margin, c.Alignment, c.Layout);
        EXPECT_EQ(c.GlyphPos.x, glyph.x) << c.Name;
        EXPECT_EQ(c.GlyphPos.y, glyph.y) << c.Name;
        EXPECT_EQ(c.TextRect.left, text.left) << c.Name;
        EXPECT_EQ(c.TextRect.top, text.top) << c.Name;
        EXPECT_EQ(c.TextRect.right, text.right) << c.Name;
        EXPECT_EQ(c.TextRect.bottom, text.bottom) << c.Name;
    }
}

TEST(sGraphUtils, FramePainters)
{
    kvltest::TPixelBuffer buf(8, 8);
    TRect r{0, 0, 6, 6};
    int width = 2;
    DrawTwoToneFrame(buf.DC(), r, clRed, width, clBlue);
    EXPECT_EQ(0, width);
    EXPECT_EQ(2, r.left);
    EXPECT_EQ(4, r.bottom);
    struct { int X, Y; COLORREF C; } frame[] = {
        {0, 0, 0x0000FF}, {0, 4, 0x0000FF}, {4, 0, 0x0000FF}, {5, 0, 0xFF0000}, {0, 5, 0xFF0000}, {5, 5, 0xFF0000},
        {1, 1, 0x0000FF}, {4, 1, 0xFF0000}, {1, 4, 0xFF0000}, {2, 2, 0xFFFFFF}, {6, 6, 0xFFFFFF}};
    for (auto p : frame) EXPECT_EQ(p.C, buf.At(p.X, p.Y)) << p.X << "," << p.Y;

    kvltest::TPixelBuffer dots(8, 5);
    TCanvas canvas;
    TCanvasHandleGuard<TCanvas> attach(canvas, dots.DC());
    DrawDottedFrame(&canvas, Rect(0, 0, 7, 4), clRed, clBlue);
    struct { int X, Y; COLORREF C; } dotted[] = {
        {0, 0, 0xFFFFFF}, {1, 0, 0x0000FF}, {2, 0, 0xFF0000}, {3, 0, 0xFFFFFF}, {4, 3, 0x0000FF}, {5, 3, 0xFF0000},
        {0, 1, 0x0000FF}, {0, 2, 0xFF0000}, {6, 1, 0x0000FF}, {6, 2, 0xFF0000}, {3, 1, 0xFFFFFF}, {7, 0, 0xFFFFFF}};
    for (auto p : dotted) EXPECT_EQ(p.C, dots.At(p.X, p.Y)) << p.X << "," << p.Y;
}

TEST(sGraphUtils, RoundedShadeFadesTowardsTheEdgeInsideItsRectangle)
{
    auto b = Bmp32(30, 30, 0xFF000000u);
    ShadeRoundedRect(b.get(), Rect(5, 5, 25, 25), 0, 0, 4, clWhite);
    EXPECT_EQ(0xFFFFFFFFu, Px(*b, 15, 15)); // the centre takes the colour
    EXPECT_EQ(0xFF000000u, Px(*b, 5, 5));   // the outer ring keeps the pixel
    EXPECT_EQ(0xFF000000u, Px(*b, 4, 15));  // outside the rectangle
    std::uint32_t prev = 0;
    for (int x = 5; x <= 10; ++x) { // brighter step by step towards the middle
        std::uint32_t v = Px(*b, x, 15) & 0xFF;
        EXPECT_GE(v, prev) << x;
        prev = v;
    }
    EXPECT_GT(prev, 0u);
    // Transparency 50: the middle keeps half of the pixel.
    auto half = Bmp32(10, 10, 0xFF000000u);
    ShadeRoundedRect(half.get(), Rect(-5, -5, 50, 50), 50, 3, 2, clWhite);
    EXPECT_EQ(0xFF808080u, Px(*half, 5, 5));
}

TEST(sGraphUtils, ResampleErrorsAndCopies)
{
    auto thin = Bmp32(1, 10, 0u);
    auto dst = Bmp32(2, 2, 0x12345678u);
    for (TBitmap* tooSmall : {thin.get(), Bmp32(10, 1, 0u).release()}) {
        try {
            ResampleBitmap(tooSmall, dst.get(), 4, 1, 4);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(L"Source bitmap is too small", e.Message());
        }
        if (tooSmall != thin.get()) delete tooSmall;
    }
    auto src = Bmp32(3, 2, [](int x, int y) { return 0xFF000000u + 10u * x + 100u * y; });
    EXPECT_THROW(ResampleBitmap(src.get(), dst.get(), 4, 7, 4), Exception);
    ResampleBitmap(src.get(), dst.get(), 5, 1, 0); // no height: nothing
    EXPECT_TRUE(All(*dst, 0x12345678u));
    ResampleBitmap(src.get(), dst.get(), 3, 1, 2); // same size: a copy
    ASSERT_EQ(3, dst->Width());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Px(*src, x, y), Px(*dst, x, y));
}

TEST(sGraphUtils, ResampleFilters)
{
    // Two columns, 0 and 200 in blue, widened to four: the box repeats, the triangle averages.
    auto src = Bmp32(2, 2, [](int x, int) { return 0xFF000000u | (x ? 200u : 0u); });
    struct Case { int Filter; std::uint32_t Blue[4]; } cases[] = {{0, {0, 200, 200, 200}}, {1, {0, 100, 200, 200}}};
    for (const Case& c : cases) {
        TBitmap out;
        ResampleBitmap(src.get(), &out, 4, c.Filter, 2);
        ASSERT_EQ(4, out.Width());
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_EQ(0xFF000000u | c.Blue[x], Px(out, x, y)) << c.Filter << ": " << x;
    }
    // Every filter over a flat grey, enlarged and shrunk hard (wide filters then reach far past
    // the mirrored edge): a flat result, within the filters' own ripple.
    for (int filter = 0; filter <= 6; ++filter)
        for (int size : {1, 3, 9}) {
            auto flat = Bmp32(2, 3, 0xFF646464u);
            TBitmap out;
            ResampleBitmap(flat.get(), &out, size, filter, size);
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    int v = Px(out, x, y) & 0xFF;
                    EXPECT_NEAR(100, v, filter == 5 ? 40 : 12) << "filter " << filter << " size " << size;
                }
        }
    // A 24-bit source is worked in 24 bits.
    auto rgb = Bmp24(4, 4, 0x336699);
    TBitmap out;
    ResampleBitmap(rgb.get(), &out, 2, 2, 2);
    EXPECT_EQ(pf24bit, out.PixelFormat());
    auto* p = static_cast<std::uint8_t*>(out.ScanLine(1));
    EXPECT_NEAR(0x99, p[0], 2);
    EXPECT_NEAR(0x33, p[2], 2);
}
