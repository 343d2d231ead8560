// Border masks laid over whole bitmaps while their transparent corners are cut out of window
// regions, and the nine-part copy of bordered pictures, on pictures made here.
#include <gtest/gtest.h>

#include "skin/core/sBorders.h"
#include "skin/core/sMaskDraw.h"
#include "tests/skin/core/SkinPaintFixture.h"

using namespace skinpaint_test;
using skintest::All;
using skintest::Bmp32;
using skintest::Px;

namespace {

constexpr std::uint32_t Untouched = 0x11223344u;

// A 6 x 4 plain border of 3 x 2 corners whose first row is key key plain | plain key key.
int AddCornerBorder(TestSkin& S)
{
    auto pic = Bmp32(6, 4, [](int X, int Y) {
        if (Y == 0 && (X == 0 || X == 1 || X == 4 || X == 5)) return Key;
        return Coded(X, Y);
    });
    return S.AddMask(L"BUTTON", L"BORDER", std::move(pic), 1, 0, 3, 2, 3, 2);
}

} // namespace

TEST(sBorders, StretchMaskBorderCutsTheCornersKeyRunsOutOfTheRegion)
{
    TestSkin s;
    int m = AddCornerBorder(s);
    auto bmp = Bmp32(10, 4, Untouched);
    HRGN region = CreateRectRgn(0, 0, 10, 4);
    StretchMaskBorder(bmp.get(), region, false, 0, s.Mask(m), &s.Skin);
    // Left corner: a run ended by a plain pixel; right corner: a run ended by the row's end.
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 1, 0));
    EXPECT_TRUE(PtInRegion(region, 2, 0));
    EXPECT_TRUE(PtInRegion(region, 7, 0));
    EXPECT_FALSE(PtInRegion(region, 8, 0));
    EXPECT_FALSE(PtInRegion(region, 9, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 1));
    DeleteObject(region);
    // Key pixels are not drawn; the rest of the corners are.
    EXPECT_EQ(Px(*bmp, 0, 0), Untouched);
    EXPECT_EQ(Px(*bmp, 2, 0), Coded(2, 0));
    EXPECT_EQ(Px(*bmp, 7, 0), Coded(3, 0));
    EXPECT_EQ(Px(*bmp, 9, 3), Coded(5, 3));

    // Without a region the border is painted all the same.
    auto same = Bmp32(10, 4, Untouched);
    StretchMaskBorder(same.get(), nullptr, false, 0, s.Mask(m), &s.Skin);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(Px(*same, x, y), Px(*bmp, x, y));
}

TEST(sBorders, StretchMaskBorderRefusesTinyBitmapsAndMasksWithoutPixels)
{
    TestSkin s;
    int m = AddCornerBorder(s);
    auto line = Bmp32(10, 1, Untouched);
    StretchMaskBorder(line.get(), nullptr, true, 0, s.Mask(m), &s.Skin);
    EXPECT_TRUE(All(*line, Untouched));
    TsMaskData empty;
    auto bmp = Bmp32(10, 10, Untouched);
    StretchMaskBorder(bmp.get(), nullptr, true, 0, empty, nullptr);
    EXPECT_TRUE(All(*bmp, Untouched));
    // Declared borders larger than the picture and the bitmap: clipped, never outside.
    s.Mask(m).WL = s.Mask(m).WR = s.Mask(m).WT = s.Mask(m).WB = 50;
    auto wide = Bmp32(30000, 2, Untouched);
    StretchMaskBorder(wide.get(), nullptr, true, 0, s.Mask(m), &s.Skin);
}

TEST(sBorders, BorderedImagesCopyLShapedCornersAndTheirEdgesByMode)
{
    auto src = Bmp32(5, 5, [](int X, int Y) { return Coded(X, Y); });
    auto dst = Bmp32(8, 8, Untouched);
    // Corners 2 wide and high, bands 1 thick; the left edge's mode 2 draws nothing.
    CopyBorderedImage(dst.get(), src.get(), TRect{0, 0, 8, 8}, false, bmTile, TRect{2, bmTile, bmTile, bmStretch},
                      TRect{1, 1, 1, 1}, TRect{2, 2, 2, 2}, TRect{0, 0, 5, 5});
    EXPECT_EQ(Px(*dst, 0, 0), Coded(0, 0));
    EXPECT_EQ(Px(*dst, 1, 0), Coded(1, 0));
    EXPECT_EQ(Px(*dst, 0, 1), Coded(0, 1));
    EXPECT_EQ(Px(*dst, 1, 1), Untouched);  // inside the L of the corner
    EXPECT_EQ(Px(*dst, 0, 4), Untouched);  // the undrawn left edge
    EXPECT_EQ(Px(*dst, 2, 0), Coded(2, 0));  // the top edge tiles its 1-pixel middle piece
    EXPECT_EQ(Px(*dst, 5, 0), Coded(2, 0));
    EXPECT_EQ(Px(*dst, 7, 4), Coded(4, 2));
    EXPECT_EQ(Px(*dst, 4, 7), Coded(2, 4));
    EXPECT_EQ(Px(*dst, 4, 4), Untouched);  // no centre without FillCentre
    EXPECT_EQ(Px(*dst, 7, 7), Coded(4, 4));
}

TEST(sBorders, FillBitmapFrameFillsFourBandsOfTheirOwnWidths)
{
    auto bmp = Bmp32(6, 6, Untouched);
    FillBitmapFrame(bmp.get(), TRect{0, 0, 6, 6}, 1, clRed, 2, 0, 1);
    EXPECT_EQ(Px(*bmp, 3, 0), 0xFFFF0000u);
    EXPECT_EQ(Px(*bmp, 0, 3), 0xFFFF0000u);
    EXPECT_EQ(Px(*bmp, 3, 4), 0xFFFF0000u);
    EXPECT_EQ(Px(*bmp, 5, 3), Untouched);
    EXPECT_EQ(Px(*bmp, 3, 3), Untouched);
}
