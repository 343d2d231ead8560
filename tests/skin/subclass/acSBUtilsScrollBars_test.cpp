// Geometry of the replaced scroll bars (sizes, thumb metrics, the part under a point, the
// position a dragged thumb stands for) and bars composed into bitmaps from a skin whose parts
// each have a colour of their own.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "skin/core/acntUtils.h"
#include "skin/subclass/acSBUtilsScrollBars.h"
#include "tests/skin/subclass/ScrollSkinFixture.h"

using namespace scrollskin_test;
using skintest::Bmp32;
using skintest::Px;

namespace {

constexpr int Arrow = 16;

std::unique_ptr<TacScrollBar> MakeBar(int Min, int Max, UINT Page, int Pos, bool Vertical = false)
{
    auto bar = std::make_unique<TacScrollBar>();
    bar->nBarType = Vertical ? SB_BAR_VERT : SB_BAR_HORZ;
    bar->nArrowLength = Arrow;
    bar->ScrollInfo.nMin = Min;
    bar->ScrollInfo.nMax = Max;
    bar->ScrollInfo.nPage = Page;
    bar->ScrollInfo.nPos = Pos;
    return bar;
}

} // namespace

TEST(ScrollBarGeometry, SizesFollowTheBarRecordAndTheSkinsArrowImages)
{
    TacScrollBar bar;
    bar.nArrowWidth = 12;
    EXPECT_EQ(ScrollBarSize(bar, true, nullptr), 12);
    bar.nArrowWidth = -2;
    EXPECT_EQ(ScrollBarSize(bar, true, nullptr), 2 * GetSystemMetrics(SM_CYHSCROLL));
    bar.nBarType = SB_BAR_VERT;
    EXPECT_EQ(ScrollBarSize(bar, true, nullptr), 2 * GetSystemMetrics(SM_CXVSCROLL));

    bar.nArrowLength = 9;
    EXPECT_EQ(ScrollBarSize(bar, false, nullptr), 9);
    bar.nArrowLength = -1;
    EXPECT_EQ(ScrollBarSize(bar, false, nullptr), ScrollArrowWidth);

    // A skin asks for its own arrow size through the arrow section's option and mask.
    ScrollSkin skin;
    TsMaskData arrowImage;
    arrowImage.Bmp = Bmp32(2 * 40, 2 * 30, 0xFF000000u);
    arrowImage.R = TRect{0, 0, 80, 60};
    arrowImage.ImageCount = 2;
    arrowImage.MaskType = 1;
    skin.Skin.ma.push_back(std::move(arrowImage));
    const auto image = static_cast<std::int16_t>(skin.Skin.ma.size() - 1);
    skin.Skin.ConstData.MaskScrollLeft = skin.Skin.ConstData.MaskScrollTop = image;
    EXPECT_EQ(ScrollBarSize(bar, false, &skin.Skin), ScrollArrowWidth) << "option off";
    skin.Skin.gd[skin.Skin.ConstData.IndexScrollLeft].ReservedBoolean = true;
    skin.Skin.gd[skin.Skin.ConstData.IndexScrollTop].ReservedBoolean = true;
    EXPECT_EQ(ScrollBarSize(bar, false, &skin.Skin), std::max(ScrollArrowWidth, 30)) << "vertical: one image's height";
    bar.nBarType = SB_BAR_HORZ;
    EXPECT_EQ(ScrollBarSize(bar, false, &skin.Skin), std::max(ScrollArrowWidth, 40)) << "horizontal: one image's width";
    bar.nArrowLength = -2;
    EXPECT_EQ(ScrollBarSize(bar, false, &skin.Skin), 2 * std::max(ScrollArrowWidth, 40));
    EXPECT_EQ(ScrollBarSize(bar, false, nullptr), 2 * ScrollArrowWidth) << "hit-testing ignores the skin";

    bar.nBarType = 2;
    EXPECT_EQ(ScrollBarSize(bar, true, nullptr), 0);
    EXPECT_EQ(ScrollBarSize(bar, false, nullptr), 0);
}

TEST(ScrollBarGeometry, ThumbMetrics)
{
    struct Case {
        const char* What;
        int Min, Max;
        UINT Page;
        int Pos;
        TRect R;
        bool Vertical;
        int Size, Start;
    };
    const TRect bar100{0, 0, 100, 17};
    const Case cases[] = {
        {"short page raised to the minimum", 0, 99, 10, 0, bar100, false, 10, 16},
        {"last position at the track's end", 0, 99, 10, 90, bar100, false, 10, 74},
        {"page 0: as long as an arrow", 0, 99, 0, 50, bar100, false, Arrow, 16 + 26},
        {"page past the range", 0, 9, 50, 5, bar100, false, 340, 16},
        {"min above max", 10, 5, 3, 7, bar100, false, 0, 16},
        {"positions counted from min", 100, 199, 10, 145, bar100, false, 10, 16 + 29},
        {"page as long as the range", 0, 99, 100, 40, bar100, false, 68, 16},
        {"bar shorter than its arrows", 0, 99, 10, 50, TRect{0, 0, 20, 17}, false, 10, 16},
        {"vertical: from the bar's top", 0, 99, 50, 0, TRect{0, 5, 17, 105}, true, 34, 5 + 16},
        {"extreme range", INT_MIN, INT_MAX, 0x40000000, 0, bar100, false, 17, 16 + 34},
    };
    for (const Case& c : cases) {
        int size = -1, start = -1;
        GetThumbMetrics(*MakeBar(c.Min, c.Max, c.Page, c.Pos, c.Vertical), c.R, size, start);
        EXPECT_EQ(size, c.Size) << c.What;
        EXPECT_EQ(start, c.Start) << c.What;
    }
}

TEST(ScrollBarGeometry, PortionUnderAPoint)
{
    const TRect r{0, 0, 100, 17};
    const auto startBar = MakeBar(0, 99, 10, 0);   // thumb 16 .. 26
    const auto endBar = MakeBar(0, 99, 10, 90);     // thumb 74 .. 84
    const TacScrollBar& atStart = *startBar;
    const TacScrollBar& atEnd = *endBar;
    struct Case {
        const TacScrollBar* Bar;
        int X, Y, Portion;
    };
    const Case cases[] = {
        {&atStart, 0, 0, sbpArrowBefore},  {&atStart, 15, 16, sbpArrowBefore}, {&atStart, 16, 5, sbpThumb},
        {&atStart, 25, 5, sbpThumb},       {&atStart, 26, 5, sbpPageAfter},     {&atStart, 83, 5, sbpPageAfter},
        {&atStart, 84, 5, sbpArrowAfter},  {&atStart, 99, 5, sbpArrowAfter},    {&atStart, 100, 5, sbpNone},
        {&atStart, 50, 17, sbpNone},       {&atStart, 50, -1, sbpNone},         {&atEnd, 20, 5, sbpPageBefore},
        {&atEnd, 73, 5, sbpPageBefore},    {&atEnd, 74, 5, sbpThumb},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollBarPortion(*c.Bar, r, c.X, c.Y), c.Portion) << "x " << c.X << " y " << c.Y;

    // Shorter than two arrows: each half is an arrow.
    EXPECT_EQ(ScrollBarPortion(atStart, TRect{0, 0, 20, 17}, 9, 5), sbpArrowBefore);
    EXPECT_EQ(ScrollBarPortion(atStart, TRect{0, 0, 20, 17}, 10, 5), sbpArrowAfter);
    // A thumb filling the track leaves nothing to press between the arrows.
    EXPECT_EQ(ScrollBarPortion(*MakeBar(0, 99, 100, 0), r, 50, 5), sbpNone);
    // Vertical: x and y exchange their roles.
    const auto verticalBar = MakeBar(0, 99, 10, 0, true);
    const TacScrollBar& vertical = *verticalBar;
    EXPECT_EQ(ScrollBarPortion(vertical, TRect{0, 0, 17, 100}, 5, 20), sbpThumb);
    EXPECT_EQ(ScrollBarPortion(vertical, TRect{0, 0, 17, 100}, 5, 90), sbpArrowAfter);
    EXPECT_EQ(ScrollBarPortion(vertical, TRect{0, 0, 17, 100}, 17, 50), sbpNone);
}

TEST(ScrollBarGeometry, DraggedThumbPositionStartsAtMinAndStopsAtTheLastPage)
{
    auto info = [](int Min, int Max, UINT Page) { return SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, Min, Max, Page, 0, 0}; };
    struct Case {
        const char* What;
        SCROLLINFO Info;
        int Offset, Track, Thumb, Pos;
    };
    const Case cases[] = {
        {"start", info(0, 99, 10), 0, 68, 10, 0},
        {"end: the last page's start, not one past", info(0, 99, 10), 58, 68, 10, 90},
        {"past the end", info(0, 99, 10), 70, 68, 10, 90},
        {"before the start", info(0, 99, 10), -5, 68, 10, 0},
        {"min counts", info(100, 199, 10), 58, 68, 10, 190},
        {"min counts midway", info(100, 199, 10), 29, 68, 10, 145},
        {"page 0 counts as 1", info(0, 99, 0), 52, 68, 16, 99},
        {"min above max", info(10, 5, 1), 30, 68, 10, 10},
        {"no room to drag", info(0, 99, 10), 0, 10, 10, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ThumbDragPosition(c.Info, c.Offset, c.Track, c.Thumb), c.Pos) << c.What;
}

namespace {

// A horizontal bar of 100 x 17 with 16-pixel arrows and the thumb at 40 .. 60.
TacScrollBarLook HorizontalLook()
{
    TacScrollBarLook look;
    look.Length = 100;
    look.Thickness = 17;
    look.ArrowLength = Arrow;
    look.ThumbShown = true;
    look.ThumbStart = 40;
    look.ThumbSize = 20;
    return look;
}

std::uint32_t At(TBitmap& B, int Along, int Across, bool Vertical)
{
    return Rgb(Vertical ? Px(B, Across, Along) : Px(B, Along, Across));
}

} // namespace

TEST(ScrollBarPainting, PartsLandInTheirPlacesForBothOrientations)
{
    ScrollSkin skin;
    for (bool vertical : {false, true}) {
        TacScrollBarLook look = HorizontalLook();
        look.Vertical = vertical;
        auto bmp = vertical ? Bmp32(17, 100, 0) : Bmp32(100, 17, 0);
        ComposeScrollBar(bmp.get(), look, &skin.Skin, EmptyCI, TPoint{0, 0});
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        EXPECT_EQ(At(*bmp, 0, 0, vertical), RgbOf(ArrowBefore));
        EXPECT_EQ(At(*bmp, 15, 16, vertical), RgbOf(ArrowBefore));
        EXPECT_EQ(At(*bmp, 16, 0, vertical), RgbOf(TrackBefore));
        EXPECT_EQ(At(*bmp, 49, 0, vertical), RgbOf(Thumb));
        EXPECT_EQ(At(*bmp, 39, 0, vertical), RgbOf(TrackBefore));
        EXPECT_EQ(At(*bmp, 60, 0, vertical), RgbOf(TrackAfter)) << "the track splits at the thumb's centre";
        EXPECT_EQ(At(*bmp, 84, 0, vertical), RgbOf(ArrowAfter));
        EXPECT_EQ(At(*bmp, 99, 16, vertical), RgbOf(ArrowAfter));
        // Glyphs: the thumb's centred in the thumb, the arrows' centred in a square of the
        // system's arrow size at the outer end.
        EXPECT_EQ(At(*bmp, 50, 8, vertical), RgbOf(ThumbGlyph));
        const int glyphStart = (ScrollArrowWidth - GlyphSize) / 2;
        EXPECT_EQ(At(*bmp, glyphStart, 7, vertical), RgbOf(ArrowGlyph));
        EXPECT_EQ(At(*bmp, 100 - ScrollArrowWidth + glyphStart, 7, vertical), RgbOf(ArrowGlyph));
    }
}

TEST(ScrollBarPainting, StatesShowOnTheirPartsOnly)
{
    ScrollSkin skin;
    struct Case {
        const char* What;
        void (*Set)(TacScrollBarLook&);
        int Along;
    };
    const Case cases[] = {
        {"arrow before", [](TacScrollBarLook& L) { L.ArrowStates[0] = 1; }, 1},
        {"arrow after", [](TacScrollBarLook& L) { L.ArrowStates[1] = 2; }, 98},
        {"page before", [](TacScrollBarLook& L) { L.PageStates[0] = 2; }, 20},
        {"page after", [](TacScrollBarLook& L) { L.PageStates[1] = 2; }, 70},
        {"thumb", [](TacScrollBarLook& L) { L.ThumbState = 1; }, 42},
    };
    const int probes[] = {1, 20, 42, 70, 98};
    for (const Case& c : cases) {
        TacScrollBarLook look = HorizontalLook();
        c.Set(look);
        auto bmp = Bmp32(100, 17, 0);
        ComposeScrollBar(bmp.get(), look, &skin.Skin, EmptyCI, TPoint{0, 0});
        for (int along : probes)
            EXPECT_EQ(At(*bmp, along, 0, false) == RgbOf(PartHot), along == c.Along) << c.What << " at " << along;
    }
}

TEST(ScrollBarPainting, ShortBarShowsTwoHalfArrowsAndNoThumb)
{
    ScrollSkin skin;
    TacScrollBarLook look = HorizontalLook();
    look.Length = 20;
    look.ThumbStart = 5;
    look.ThumbSize = 10;
    auto bmp = Bmp32(20, 17, 0);
    ComposeScrollBar(bmp.get(), look, &skin.Skin, EmptyCI, TPoint{0, 0});
    EXPECT_EQ(At(*bmp, 0, 0, false), RgbOf(ArrowBefore));
    EXPECT_EQ(At(*bmp, 9, 0, false), RgbOf(ArrowBefore));
    EXPECT_EQ(At(*bmp, 10, 0, false), RgbOf(ArrowAfter));
    EXPECT_EQ(At(*bmp, 19, 16, false), RgbOf(ArrowAfter));
    for (int x = 0; x < 20; ++x) EXPECT_NE(At(*bmp, x, 0, false), RgbOf(Thumb));

    // Nothing to paint into: a bar of no length or thickness, no skin.
    look.Length = 0;
    ComposeScrollBar(bmp.get(), look, &skin.Skin, EmptyCI, TPoint{0, 0});
    ComposeScrollBar(bmp.get(), HorizontalLook(), nullptr, EmptyCI, TPoint{0, 0});
    EXPECT_EQ(At(*bmp, 0, 0, false), RgbOf(ArrowBefore));
}

TEST(ScrollBarPainting, DisabledBarIsFortyPercentBarOverTheBackground)
{
    auto bar = Bmp32(10, 4, 0xFF0000C8u);        // blue 200
    auto background = Bmp32(30, 10, 0xFF003200u);  // green 50
    FadeScrollBar(bar.get(), MakeCacheInfo(background.get(), 2, 3), TPoint{5, 1});
    EXPECT_EQ(Rgb(Px(*bar, 0, 0)), 0x00001E50u);   // green 0.6 * 50 = 30, blue 0.4 * 200 = 80
    EXPECT_EQ(Rgb(Px(*bar, 9, 3)), 0x00001E50u);
}

TEST(ScrollBarPainting, GripSitsWithItsCornerOnTheGivenPoint)
{
    ScrollSkin skin;
    auto bmp = Bmp32(17, 17, 0);
    DrawSizeGrip(bmp.get(), &skin.Skin, TPoint{17, 17});
    EXPECT_EQ(Rgb(Px(*bmp, 16, 16)), RgbOf(Grip));
    EXPECT_EQ(Rgb(Px(*bmp, 17 - GripSize, 17 - GripSize)), RgbOf(Grip));
    EXPECT_EQ(Rgb(Px(*bmp, 16 - GripSize, 16)), 0u);
    TsSkin none;
    DrawSizeGrip(bmp.get(), &none, TPoint{5, 5});
    EXPECT_EQ(Rgb(Px(*bmp, 4, 4)), 0u);
}
