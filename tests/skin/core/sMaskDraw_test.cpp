// Masks drawn into 32-bit bitmaps: pictures made here pixel by pixel, each pixel naming its
// place, so that every test can say which picture pixel must land on which target pixel.
#include <gtest/gtest.h>

#include "skin/core/sMaskDraw.h"
#include "support/ControlTestSupport.h"
#include "tests/skin/core/SkinPaintFixture.h"

using namespace skinpaint_test;
using kvltest::SameRect;
using skintest::All;
using skintest::Bmp32;
using skintest::Px;
using skintest::SetPx;

namespace {

constexpr std::uint32_t Untouched = 0x11223344u;

std::unique_ptr<TBitmap> CodedPicture(int W, int H)
{
    return Bmp32(W, H, [](int X, int Y) { return Coded(X, Y); });
}

TRect Whole(TBitmap& B) { return TRect{0, 0, B.Width(), B.Height()}; }

} // namespace

TEST(sMaskDraw, BordersWiderThanTheRectangleShrinkEvenlyWithTheOddPixelOnTheRight)
{
    struct Case {
        int Width, ExpectWL, ExpectWR;
    } cases[] = {{10, 5, 5}, {9, 5, 4}};
    for (const Case& c : cases) {
        TestSkin s;
        int m = s.AddMask(L"EDIT", L"BORDER", CodedPicture(17, 3), 1, 0, 8, 1, 8, 1);
        auto bmp = Bmp32(20, 3, Untouched);
        DrawMaskBorder(bmp.get(), TRect{0, 0, c.Width, 3}, EmptyCI, s.Mask(m), 0, false, &s.Skin);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 20; ++x) {
                std::uint32_t want = Untouched;
                if (x < c.ExpectWL)
                    want = Coded(x, y);
                else if (x >= c.Width - c.ExpectWR && x < c.Width)
                    want = Coded(17 - c.Width + x, y);
                ASSERT_EQ(Px(*bmp, x, y), want) << "width " << c.Width << " at " << x << "," << y;
            }
    }
}

TEST(sMaskDraw, DrawModeBitsChooseHotOnlyAndCentre)
{
    // Two 3 x 3 frames with 1-pixel borders; the target is 5 x 5.
    struct Case {
        int DrawMode, State;
        std::uint32_t Corner, Centre;
    } cases[] = {
        {0, 0, Coded(0, 0), Untouched},
        {2, 0, Untouched, Untouched},   // a hot-only border shows nothing in the normal state
        {2, 1, Coded(3, 0), Untouched}, // and its second frame when hot
        {4, 0, Coded(0, 0), Coded(1, 1)},
        {6, 1, Coded(3, 0), Coded(4, 1)},
    };
    for (const Case& c : cases) {
        TestSkin s;
        int m = s.AddMask(L"EDIT", L"BORDER", CodedPicture(6, 3), 2, 0, 1, 1, 1, 1, c.DrawMode);
        auto bmp = Bmp32(5, 5, Untouched);
        DrawMaskBorder(bmp.get(), Whole(*bmp), EmptyCI, s.Mask(m), c.State, false, &s.Skin);
        EXPECT_EQ(Px(*bmp, 0, 0), c.Corner) << "mode " << c.DrawMode << " state " << c.State;
        EXPECT_EQ(Px(*bmp, 2, 2), c.Centre) << "mode " << c.DrawMode << " state " << c.State;
    }
}

TEST(sMaskDraw, PlainBordersStretchWithBitOneWhileMaskedOnesTile)
{
    auto topRow = [](TBitmap& B) {
        std::vector<std::uint32_t> row;
        for (int x = 1; x < 7; ++x) row.push_back(Px(B, x, 0));
        return row;
    };
    const std::uint32_t p = Coded(1, 0), q = Coded(2, 0);
    {
        TestSkin s;
        int tiled = s.AddMask(L"EDIT", L"BORDER", CodedPicture(4, 3), 1, 0, 1, 1, 1, 1, 0);
        int stretched = s.AddMask(L"EDIT", L"BORDER2", CodedPicture(4, 3), 1, 0, 1, 1, 1, 1, 1);
        auto a = Bmp32(8, 4, Untouched), b = Bmp32(8, 4, Untouched);
        DrawMaskBorder(a.get(), Whole(*a), EmptyCI, s.Mask(tiled), 0, false, &s.Skin);
        DrawMaskBorder(b.get(), Whole(*b), EmptyCI, s.Mask(stretched), 0, false, &s.Skin);
        EXPECT_EQ(topRow(*a), (std::vector<std::uint32_t>{p, q, p, q, p, q}));
        EXPECT_EQ(topRow(*b), (std::vector<std::uint32_t>{p, p, p, q, q, q}));
    }
    {
        // The same picture over a black mask (the picture shows fully): bit 1 still tiles.
        TestSkin s;
        auto pic = Bmp32(4, 6, [](int X, int Y) { return Y < 3 ? Coded(X, Y) : 0xFF000000u; });
        int masked = s.AddMask(L"EDIT", L"BORDER", std::move(pic), 1, 1, 1, 1, 1, 1, 1);
        auto c = Bmp32(8, 4, Untouched);
        DrawMaskBorder(c.get(), Whole(*c), EmptyCI, s.Mask(masked), 0, false, &s.Skin);
        EXPECT_EQ(topRow(*c), (std::vector<std::uint32_t>{p, q, p, q, p, q}));
    }
}

TEST(sMaskDraw, MaskedCornersTakeTheBackgroundUnderTheirKeyPixels)
{
    TestSkin s;
    // 2 x 2 frame: the top-left pixel is key, the rest image; the mask below is black.
    auto pic = Bmp32(2, 4, [](int X, int Y) { return Y >= 2 ? 0xFF000000u : X == 0 && Y == 0 ? Key : Coded(X, Y); });
    int m = s.AddMask(L"EDIT", L"BORDER", std::move(pic), 1, 1, 1, 1, 1, 1);
    auto background = Bmp32(10, 10, [](int X, int Y) { return Coded(X, Y, 0x99); });
    auto bmp = Bmp32(4, 4, Untouched);
    TCacheInfo ci{background.get(), 3, 2, 0xFF00FF, true};
    DrawMaskBorder(bmp.get(), Whole(*bmp), ci, s.Mask(m), 0, true, &s.Skin);
    EXPECT_EQ(Px(*bmp, 0, 0), Coded(3, 2, 0x99));  // background at the pixel plus the offset
    EXPECT_EQ(Px(*bmp, 3, 3), Coded(1, 1));        // the bottom-right corner, composed
    EXPECT_EQ(Px(*bmp, 1, 1), Untouched);
    // Without a known background the key pixel takes the fill colour.
    auto plain = Bmp32(4, 4, Untouched);
    TCacheInfo filled;
    filled.FillColor = 0x0000FF;
    DrawMaskBorder(plain.get(), Whole(*plain), filled, s.Mask(m), 0, true, &s.Skin);
    EXPECT_EQ(Px(*plain, 0, 0) & 0x00FFFFFFu, 0x00FF0000u);
}

TEST(sMaskDraw, MaskImageDrawsTheLastFrameForALargerStateAndCutsAtNegativePoints)
{
    TestSkin s;
    int m = s.AddMask(L"BUTTON", L"GLYPH", CodedPicture(8, 2), 4);
    auto bmp = Bmp32(4, 4, Untouched);
    DrawMaskImage(bmp.get(), TPoint{1, 1}, 7, EmptyCI, s.Mask(m), 1, &s.Skin);
    EXPECT_EQ(Px(*bmp, 1, 1), Coded(6, 0));
    EXPECT_EQ(Px(*bmp, 2, 2), Coded(7, 1));
    EXPECT_EQ(Px(*bmp, 3, 3), Untouched);
    auto cut = Bmp32(4, 4, Untouched);
    DrawMaskImage(cut.get(), TPoint{-1, -1}, 3, EmptyCI, s.Mask(m), 1, &s.Skin);
    EXPECT_EQ(Px(*cut, 0, 0), Coded(7, 1));
    EXPECT_EQ(Px(*cut, 1, 0), Untouched);
}

TEST(sMaskDraw, HalfTransparentModeShowsAtMost156Of256OfAMaskedImage)
{
    TestSkin s;
    // Black picture over a black (fully showing) mask, drawn on grey 200.
    auto pic = Bmp32(2, 4, [](int, int) { return 0xFF000000u; });
    int m = s.AddMask(L"BUTTON", L"GLYPH", std::move(pic), 1, 1);
    auto normal = Bmp32(2, 2, 0xFFC8C8C8u), faded = Bmp32(2, 2, 0xFFC8C8C8u);
    DrawMaskImage(normal.get(), TPoint{0, 0}, 0, EmptyCI, s.Mask(m), 1, &s.Skin);
    DrawMaskImage(faded.get(), TPoint{0, 0}, 0, EmptyCI, s.Mask(m), 0, &s.Skin);
    EXPECT_EQ(Px(*normal, 1, 1), 0xFF000000u);
    EXPECT_EQ(Px(*faded, 1, 1), 0xFF4E4E4Eu);  // 200 * 100 / 256
}

TEST(sMaskDraw, CornerKeyRunsBecomeOneRowRectanglesForTheWindow)
{
    TestSkin s;
    // Row 0: key key plain key | key plain (the right corner is the last two columns).
    const std::uint32_t row0[] = {Key, Key, 0xFF102030u, Key, Key, 0xFF102030u};
    auto pic = Bmp32(6, 2, [&](int X, int Y) { return Y == 0 ? row0[X] : 0xFF102030u; });
    int m = s.AddMask(L"FORM", L"BORDER", std::move(pic), 1, 0, 4, 1, 2, 1);
    TAOR rects;
    CollectMaskCornerRects(rects, 20, s.Mask(m), false, 5, &s.Skin);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_TRUE(SameRect(rects[0], TRect{0, 5, 2, 6}));
    EXPECT_TRUE(SameRect(rects[1], TRect{3, 5, 4, 6}));
    EXPECT_TRUE(SameRect(rects[2], TRect{18, 5, 19, 6}));
}

TEST(sMaskDraw, CopyWhereKeyColorFillsOnlyTheKeyPixels)
{
    auto dst = Bmp32(3, 2, Untouched);
    SetPx(*dst, 0, 0, Key);
    SetPx(*dst, 2, 1, Key);
    auto src = CodedPicture(5, 5);
    CopyWhereKeyColor(dst.get(), src.get(), Whole(*dst), 0, nullptr, -1, TPoint{1, 2});
    EXPECT_EQ(Px(*dst, 0, 0), Coded(1, 2));
    EXPECT_EQ(Px(*dst, 1, 0), Untouched);
    EXPECT_EQ(Px(*dst, 2, 1), Coded(3, 3));
}

TEST(sMaskDraw, BadInputPaintsNothingOrClipsAndNeverReadsOutside)
{
    TestSkin s;
    // A 3 x 3 picture that declares borders of 10: its middle would be negative.
    int tooSmall = s.AddMask(L"EDIT", L"BORDER", CodedPicture(3, 3), 1, 0, 10, 10, 10, 10, 4);
    int fine = s.AddMask(L"EDIT", L"BORDER2", CodedPicture(3, 3), 1, 0, 1, 1, 1, 1, 4);
    int noFrames = s.AddMask(L"EDIT", L"GLYPH", CodedPicture(3, 3), 0);
    auto bmp = Bmp32(30, 30, Untouched);
    DrawMaskBorder(bmp.get(), Whole(*bmp), EmptyCI, s.Mask(tooSmall), 0, true, &s.Skin);
    DrawMaskImage(bmp.get(), TPoint{0, 0}, 0, EmptyCI, s.Mask(noFrames), 1, &s.Skin);
    EXPECT_TRUE(All(*bmp, Untouched));
    EXPECT_EQ(SkinMask(&s.Skin, -1), nullptr);
    EXPECT_EQ(SkinMask(&s.Skin, 3), nullptr);

    // Rectangles reaching far outside the target are clipped to it.
    auto small = Bmp32(4, 4, Untouched);
    DrawMaskBorder(small.get(), TRect{-5, -5, 30000, 3}, EmptyCI, s.Mask(fine), 0, true, &s.Skin);
    DrawMaskImage(small.get(), TPoint{30000, 2}, 0, EmptyCI, s.Mask(fine), 1, &s.Skin);
    EXPECT_EQ(Px(*small, 0, 2), Coded(1, 2));  // the bottom edge; its corner lies left of the bitmap

    // Empty and very wide targets.
    auto empty = MakeBitmap32(0, 0);
    DrawMaskBorder(empty.get(), TRect{0, 0, 10, 10}, EmptyCI, s.Mask(fine), 0, true, &s.Skin);
    DrawMaskImage(empty.get(), TPoint{0, 0}, 0, EmptyCI, s.Mask(fine), 1, &s.Skin);
    auto wide = Bmp32(30000, 3, Untouched);
    DrawMaskBorder(wide.get(), Whole(*wide), EmptyCI, s.Mask(fine), 0, true, &s.Skin);
    EXPECT_EQ(Px(*wide, 29999, 2), Coded(2, 2));
    EXPECT_EQ(Px(*wide, 15000, 1), Coded(1, 1));

    // Corner runs of borders wider than the picture stop at the picture's edge.
    int wideCorners = s.AddMask(L"FORM", L"BORDER", Bmp32(2, 2, Key), 1, 0, 40, 40, 40, 40);
    TAOR rects;
    CollectMaskCornerRects(rects, 100, s.Mask(wideCorners), true, 0, &s.Skin);
    for (const TRect& r : rects) EXPECT_LE(r.right - r.left, 2);
}
