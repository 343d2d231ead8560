// The painting half of AdvUtil, drawn into memory bitmaps and read back: gradient bands, the cell
// graphics (progress bar, pie, range indicator, XP progress), the nineteen shapes, glyphs,
// transparent bitmaps, the error underline, and what each does with rectangles and sizes that
// make no sense.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "grid/foundation/AdvUtil.h"
#include "tests/support/PixelBuffer.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);

// A white bitmap with a canvas on it.
struct TSurface {
    TSurface(int W, int H) : Pixels(W, H) { Canvas.SetHandle(Pixels.DC()); }
    ~TSurface() { Canvas.SetHandle(nullptr); }
    COLORREF At(int X, int Y) const { return Pixels.At(X, Y); }
    int Count(RECT R, COLORREF C) const
    {
        int n = 0;
        for (int y = R.top; y < R.bottom; ++y)
            for (int x = R.left; x < R.right; ++x) n += Pixels.At(x, y) == C;
        return n;
    }
    bool AllWhite() const { return Count(RECT{0, 0, Pixels.Width(), Pixels.Height()}, White) == Pixels.Width() * Pixels.Height(); }
    kvltest::TPixelBuffer Pixels;
    TCanvas Canvas;
};

COLORREF C(TColor Color) { return static_cast<COLORREF>(Color); }

TEST(AdvUtilPaint, StepGradientBandColoursAndPositions)
{
    // 10 pixels, 2 steps: extent 9, bands of 4.5 -> three bands at 0, 4 and 9.
    for (bool horizontal : {true, false}) {
        SCOPED_TRACE(horizontal);
        TSurface s(12, 12);
        TRect r = horizontal ? TRect{0, 0, 10, 10} : TRect{0, 10, 10, 0}; // vertical given upside down
        PaintStepGradient(&s.Canvas, clBlack, clWhite, horizontal, r, 2);
        auto at = [&](int p) { return horizontal ? s.At(p, 5) : s.At(5, p); };
        EXPECT_EQ(at(0), RGB(0, 0, 0));
        EXPECT_EQ(at(3), RGB(0, 0, 0));
        EXPECT_EQ(at(4), RGB(128, 128, 128));
        EXPECT_EQ(at(8), RGB(128, 128, 128));
        EXPECT_EQ(at(9), White);
        EXPECT_EQ(at(10), White); // outside: untouched
        EXPECT_EQ(horizontal ? s.At(5, 10) : s.At(10, 5), White);
    }
}

TEST(AdvUtilPaint, InterpolateColorAlongARange)
{
    EXPECT_EQ(InterpolateColor(clBlack, clWhite, 0, 0, 10), static_cast<TColor>(0));
    EXPECT_EQ(InterpolateColor(clBlack, clWhite, 0, 10, 10), clWhite);
    EXPECT_EQ(InterpolateColor(0x000000, 0x0000C8, 0, 5, 10), static_cast<TColor>(0x000064));
    EXPECT_EQ(InterpolateColor(clRed, clNone, 0, 5, 10), clRed);
    EXPECT_EQ(InterpolateColor(clRed, clBlue, 3, 1, 3), ColorToRGB(clRed)); // empty range: no division
}

// A bar over its maximum is full and says so: "120%".
TEST(AdvUtilPaint, ProgressBarAboveItsMaximumIsFullWithItsOwnText)
{
    const TRect r{10, 5, 90, 25};
    TSurface s(100, 30), expected(100, 30);
    s.Canvas.Brush()->SetColor(clLime); // the brush on entry frames the bar
    PaintProgressBar(&s.Canvas, r, clBlue, L"", 100, 0, 0, 0, 120, clWhite, clBlack, clYellow, clRed);
    // The same text drawn by hand where the bar centres it.
    expected.Canvas.Brush()->SetColor(clBlue);
    expected.Canvas.Font()->SetColor(clYellow);
    const TSize size = expected.Canvas.TextExtent(L"120%");
    expected.Canvas.TextRect(r, r.left + (80 - size.cx) / 2, r.top + (20 - size.cy) / 2, L"120%");
    int differences = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) differences += s.At(x, y) != expected.At(x, y);
    EXPECT_EQ(differences, 0);
    EXPECT_GT(s.Count(RECT{r.left, r.top, r.right, r.bottom}, C(clYellow)), 10);
    EXPECT_EQ(s.Count(RECT{r.left, r.top, r.right, r.bottom}, White), 0); // no remaining part
    EXPECT_EQ(s.At(r.left - 1, 15), C(clRed));
    EXPECT_EQ(s.At(r.left - 2, 15), C(clLime));
    EXPECT_EQ(s.At(r.left - 3, 15), White);
}

TEST(AdvUtilPaint, ProgressBarSplitsAtTheShareOfItsRange)
{
    struct {
        String format;
        double min, max, value;
        int doneRight; // of the 100-pixel bar at 0..100
    } cases[] = {
        {L"%d items", 0, 10, 5, 50},    {L"%.1f", 0, 10, 2.5, 25},  {L"", 0, 100, 25, 25},
        {L"%d", 10, 20, 5, 0},          {L"%d", 10, 10, 10, 100},   {L"%d", 10, 10, 9, 0},
        {L"%s %q", 0, 10, 10, 100},     {L"", 0, 100, -40, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        TSurface s(110, 30);
        s.Canvas.Font()->SetHeight(-6);
        PaintProgressBar(&s.Canvas, TRect{5, 5, 105, 25}, clBlue, c.format, c.max, c.min, 0, 0, c.value, clGreen,
                         clWhite, clWhite, clNone);
        // Top row: no text there.
        if (c.doneRight > 0) {
            EXPECT_EQ(s.At(5 + c.doneRight - 1, 5), C(clBlue));
        }
        if (c.doneRight < 100) {
            EXPECT_EQ(s.At(5 + c.doneRight, 5), C(clGreen));
        }
    }
}

TEST(AdvUtilPaint, ProgressPieFillsItsSector)
{
    struct {
        int value;
        bool topRight, bottomRight, bottomLeft, topLeft;
    } cases[] = {{25, true, false, false, false}, {50, true, true, false, false}, {100, true, true, true, true},
                 {0, false, false, false, false}, {1, false, false, false, false}, {-5, false, false, false, false},
                 {300, true, true, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        TSurface s(50, 50);
        PaintProgressPie(&s.Canvas, TRect{5, 5, 45, 45}, clRed, false, c.value);
        EXPECT_EQ(s.At(33, 17) == C(clRed), c.topRight);
        EXPECT_EQ(s.At(33, 33) == C(clRed), c.bottomRight);
        EXPECT_EQ(s.At(17, 33) == C(clRed), c.bottomLeft);
        EXPECT_EQ(s.At(17, 17) == C(clRed), c.topLeft);
        EXPECT_EQ(s.Count(RECT{0, 0, 50, 5}, White), 250); // never floods outside its rectangle
        EXPECT_EQ(s.At(25, 15), RGB(128, 128, 128));          // the 12 o'clock radius
    }
}

// A value past the range shows a full half bar and the range itself as its text.
TEST(AdvUtilPaint, RangeIndicatorAboveItsRange)
{
    const TRect r{0, 0, 104, 24}; // inner 2..102: centre 52, half 50
    TSurface s(104, 24), expected(104, 24);
    PaintRangeIndicator(&s.Canvas, r, 150, clGreen, clRed, true, 100);
    EXPECT_EQ(s.At(53, 3), C(clGreen));
    EXPECT_EQ(s.At(101, 3), C(clGreen));
    EXPECT_EQ(s.At(102, 3), White);
    EXPECT_EQ(s.At(51, 3), White);
    // The text is "100", centred and transparent.
    expected.Canvas.Brush()->SetColor(clGreen);
    expected.Canvas.Pen()->SetColor(clGreen);
    expected.Canvas.Rectangle(52, 2, 102, 22);
    expected.Canvas.Brush()->SetStyle(bsClear);
    TRect inner{2, 2, 102, 22};
    String text = L"100";
    expected.Canvas.TextRect(inner, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    int differences = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 104; ++x) differences += s.At(x, y) != expected.At(x, y);
    EXPECT_EQ(differences, 0);

    struct {
        int value, range, left, right; // bar extent, left == right: none
    } cases[] = {{-50, 100, 27, 52}, {-150, 100, 2, 52}, {50, 100, 52, 77}, {0, 100, 52, 52}, {5, 0, 52, 52}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        TSurface t(104, 24);
        PaintRangeIndicator(&t.Canvas, r, c.value, clGreen, clRed, false, c.range);
        const COLORREF bar = C(c.value < 0 ? clRed : clGreen);
        EXPECT_EQ(t.Count(RECT{2, 10, 102, 11}, bar), c.right - c.left);
        if (c.right > c.left) {
            EXPECT_EQ(t.At(c.left, 10), bar);
        }
    }
}

TEST(AdvUtilPaint, XPProgressLevelsBlocksAndStacking)
{
    TXPProgressAppearance a;
    a.BackgroundColor = clWhite;
    a.BorderColor = clBlack;
    a.ShowPercentage = false;
    a.Level1Percent = 50;
    a.Level2Percent = 80;
    a.Level0Color = clLime;
    a.Level1Color = clYellow;
    a.Level2Color = clBlue;
    a.Level3Color = clRed;
    const TRect r{0, 0, 102, 12}; // the bar's length is 100 pixels, from x = 1
    struct {
        int percent;
        COLORREF color;
    } levels[] = {{30, C(clLime)}, {60, C(clYellow)}, {90, C(clBlue)}, {100, C(clRed)}, {150, C(clRed)}};
    for (const auto& l : levels) {
        SCOPED_TRACE(l.percent);
        TSurface s(102, 12);
        PaintXPProgress(&s.Canvas, r, l.percent, a);
        const int filled = std::min(l.percent, 100);
        EXPECT_EQ(s.Count(RECT{1, 6, 101, 7}, l.color), filled);
        EXPECT_EQ(s.At(0, 6), C(clBlack)); // frame
    }

    // Blocks of 7 with gaps of 2, inset 2 across the bar; 32 pixels: three blocks and a 5-pixel rest.
    a.Segmented = true;
    TSurface blocks(102, 12);
    PaintXPProgress(&blocks.Canvas, r, 32, a);
    for (int x = 1; x <= 36; ++x) {
        const int offset = (x - 1) % 9;
        const bool filled = x <= 32 && offset < 7;
        EXPECT_EQ(blocks.At(x, 6) == C(clLime), filled) << x;
    }
    EXPECT_EQ(blocks.At(3, 1), White); // inset 2 across
    EXPECT_EQ(blocks.At(3, 2), C(clLime));

    // Stacked: each level in its own colour up to the percent, complete colours from level 2.
    a.Segmented = false;
    a.Stacked = true;
    TSurface stacked(102, 12);
    PaintXPProgress(&stacked.Canvas, r, 90, a);
    EXPECT_EQ(stacked.Count(RECT{1, 6, 101, 7}, C(clLime)), 50);
    EXPECT_EQ(stacked.Count(RECT{1, 6, 101, 7}, C(clYellow)), 30);
    EXPECT_EQ(stacked.Count(RECT{1, 6, 101, 7}, C(clRed)), 10);

    // Vertical bars grow from the bottom.
    a.Stacked = false;
    a.Vertical = true;
    TSurface vertical(12, 102);
    PaintXPProgress(&vertical.Canvas, TRect{0, 0, 12, 102}, 30, a);
    EXPECT_EQ(vertical.Count(RECT{6, 1, 7, 101}, C(clLime)), 30);
    EXPECT_EQ(vertical.At(6, 100), C(clLime));
    EXPECT_EQ(vertical.At(6, 60), White);
}

// Each shape at (10, 10) in a 40 x 40 box (square shapes in 40 x 20): a point its outline
// encloses gets the brush (or for lines the pen), a point it leaves out stays white.
TEST(AdvUtilPaint, CellShapes)
{
    struct {
        TCellShape shape;
        int h;
        POINT in, out;
        bool pen;
    } cases[] = {
        {csRectangle, 40, {30, 30}, {10, 10}, false},   {csCircle, 40, {30, 30}, {12, 12}, false},
        {csTriangleLeft, 40, {45, 30}, {12, 12}, false}, {csTriangleRight, 40, {15, 30}, {48, 12}, false},
        {csTriangleUp, 40, {30, 45}, {12, 12}, false},  {csTriangleDown, 40, {30, 15}, {12, 48}, false},
        {csDiamond, 40, {30, 30}, {12, 12}, false},     {csLineVert, 40, {30, 30}, {32, 30}, true},
        {csLineHorz, 40, {30, 30}, {30, 32}, true},     {csRoundRect, 40, {30, 30}, {10, 10}, false},
        {csEllips, 40, {30, 30}, {12, 12}, false},      {csSquare, 20, {20, 20}, {40, 20}, false},
        {csRoundSquare, 20, {20, 20}, {40, 20}, false}, {csStar, 40, {30, 30}, {12, 12}, false},
        {csArrowUp, 40, {30, 45}, {12, 45}, false},     {csArrowDown, 40, {30, 15}, {12, 15}, false},
        {csArrowLeft, 40, {45, 30}, {45, 12}, false},   {csArrowRight, 40, {15, 30}, {15, 12}, false},
        {csHalfStar, 40, {28, 28}, {40, 30}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        TSurface s(60, 60);
        PaintCellShape(&s.Canvas, 10, 10, clRed, clBlue, c.shape, 40, c.h);
        EXPECT_EQ(s.At(c.in.x, c.in.y), C(c.pen ? clRed : clBlue));
        EXPECT_EQ(s.At(c.out.x, c.out.y), White);
    }
    // Polygons by their corners: the up-arrow's head spans the whole width at half height.
    TSurface arrow(60, 60);
    PaintCellShape(&arrow.Canvas, 10, 10, clRed, clBlue, csArrowUp, 40, 40);
    RECT ink = arrow.Pixels.Find(RECT{0, 0, 60, 60}, [](COLORREF c) { return c != White; });
    EXPECT_EQ(ink.left, 10);
    EXPECT_EQ(ink.top, 10);
    EXPECT_EQ(ink.right, 51);
    EXPECT_EQ(ink.bottom, 51);
}

// The outlines by their corners: the pen passes through every corner of a polygon, and the ink
// covers exactly the shape's box (square shapes take the smaller side of 40 x 20).
TEST(AdvUtilPaint, CellShapePolygonsAndBoxes)
{
    struct {
        TCellShape shape;
        int h;
        std::vector<POINT> corners;
        RECT box;
    } cases[] = {
        {csRectangle, 40, {}, {11, 11, 49, 49}},
        {csCircle, 40, {}, {10, 10, 50, 50}},
        {csTriangleLeft, 40, {{50, 10}, {50, 50}, {10, 30}}, {10, 10, 51, 51}},
        {csTriangleRight, 40, {{10, 10}, {10, 50}, {50, 30}}, {10, 10, 51, 51}},
        {csTriangleUp, 40, {{10, 50}, {50, 50}, {30, 10}}, {10, 10, 51, 51}},
        {csTriangleDown, 40, {{10, 10}, {50, 10}, {30, 50}}, {10, 10, 51, 51}},
        {csDiamond, 40, {{10, 30}, {30, 10}, {50, 30}, {30, 50}}, {10, 10, 51, 51}},
        {csLineVert, 40, {}, {30, 10, 31, 50}},
        {csLineHorz, 40, {}, {10, 30, 50, 31}},
        {csRoundRect, 40, {}, {10, 10, 50, 50}},
        {csEllips, 40, {}, {10, 10, 50, 50}},
        {csSquare, 20, {}, {11, 11, 29, 29}},
        {csRoundSquare, 20, {}, {10, 10, 30, 30}},
        {csStar, 40, {{30, 10}, {34, 25}, {49, 24}, {36, 32}, {42, 46}, {30, 37}, {18, 46}, {24, 32}, {11, 24}, {26, 25}},
         {11, 10, 50, 47}},
        {csHalfStar, 40, {{30, 10}, {30, 37}, {18, 46}, {24, 32}, {11, 24}, {26, 25}}, {11, 10, 31, 47}},
        {csArrowUp, 40, {{10, 30}, {30, 10}, {50, 30}, {40, 30}, {40, 50}, {20, 50}, {20, 30}}, {10, 10, 51, 51}},
        {csArrowDown, 40, {{10, 30}, {30, 50}, {50, 30}, {40, 30}, {40, 10}, {20, 10}, {20, 30}}, {10, 10, 51, 51}},
        {csArrowLeft, 40, {{10, 30}, {30, 10}, {30, 20}, {50, 20}, {50, 40}, {30, 40}, {30, 50}}, {10, 10, 51, 51}},
        {csArrowRight, 40, {{50, 30}, {30, 10}, {30, 20}, {10, 20}, {10, 40}, {30, 40}, {30, 50}}, {10, 10, 51, 51}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        TSurface s(60, 60);
        PaintCellShape(&s.Canvas, 10, 10, clRed, clBlue, c.shape, 40, c.h);
        for (const POINT& p : c.corners) EXPECT_EQ(s.At(p.x, p.y), C(clRed)) << p.x << "," << p.y;
        const RECT ink = s.Pixels.Find(RECT{0, 0, 60, 60}, [](COLORREF p) { return p != White; });
        EXPECT_EQ(ink.left, c.box.left);
        EXPECT_EQ(ink.top, c.box.top);
        EXPECT_EQ(ink.right, c.box.right);
        EXPECT_EQ(ink.bottom, c.box.bottom);
    }
}

// Out-of-range shapes, no size and huge boxes draw nothing; width 0 draws not even the lines.
TEST(AdvUtilPaint, CellShapesThatDrawNothing)
{
    struct {
        int shape, x, y, w, h;
    } cases[] = {{19, 10, 10, 40, 40},      {-1, 10, 10, 40, 40},   {csLineVert, 10, 10, 0, 40},
                 {csLineHorz, 10, 10, 0, 40}, {csRectangle, 10, 10, 40, 0}, {csStar, 10, 10, -40, -40},
                 {csCircle, 10, 10, 0, 40},  {csArrowUp, 10, 10, 0x7FFFFFF0, 40}, {csDiamond, 0x7FFFFFF0, 10, 40, 40}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        TSurface s(60, 60);
        PaintCellShape(&s.Canvas, c.x, c.y, clRed, clBlue, c.shape, c.w, c.h);
        EXPECT_TRUE(s.AllWhite());
    }
}

TEST(AdvUtilPaint, ComboAndSpinButtonsStayAtTheRightEdge)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (bool themed : {false, true})
        for (bool enabled : {true, false}) {
            SCOPED_TRACE(themed * 2 + enabled);
            TSurface combo(80, 30), spin(80, 30);
            PaintComboButton(&combo.Canvas, window, TRect{0, 0, 60, 20}, enabled, themed);
            PaintSpinButtons(&spin.Canvas, window, TRect{0, 5, 60, 25}, enabled, themed);
            RECT c = combo.Pixels.Find(RECT{0, 0, 80, 30}, [](COLORREF p) { return p != White; });
            EXPECT_GE(c.left, 41);
            EXPECT_LE(c.right, 58);
            EXPECT_GE(c.top, 1);
            EXPECT_LE(c.bottom, 19);
            EXPECT_GT(c.right - c.left, 8);
            RECT s = spin.Pixels.Find(RECT{0, 0, 80, 30}, [](COLORREF p) { return p != White; });
            EXPECT_GE(s.left, 44);
            EXPECT_LE(s.right, 59);
            EXPECT_GE(s.top, 4);
            EXPECT_LE(s.bottom, 24);
            EXPECT_GT(s.bottom - s.top, 10);
        }
    DestroyWindow(window);
}

TEST(AdvUtilPaint, DownTriangleAndTransparentBitmaps)
{
    TSurface s(40, 40);
    PaintDownTriangle(&s.Canvas, 20, 10, clRed);
    EXPECT_EQ(s.At(20, 11), C(clRed));
    EXPECT_EQ(s.At(18, 10), C(clRed));
    EXPECT_EQ(s.At(20, 14), White);
    EXPECT_EQ(s.At(15, 10), White);

    // A 4 x 4 magenta bitmap with a blue centre: magenta (its top-left colour) shows the background.
    TBitmap bitmap(4, 4);
    bitmap.Canvas()->Brush()->SetColor(clFuchsia);
    bitmap.Canvas()->FillRect(TRect{0, 0, 4, 4});
    bitmap.Canvas()->SetPixels(1, 1, clBlue);
    TSurface t(20, 20);
    PaintBitmapTransparent(&t.Canvas, &bitmap, clGreen, TRect{10, 10, 20, 20});
    EXPECT_EQ(t.At(10, 10), C(clGreen));
    EXPECT_EQ(t.At(11, 11), C(clBlue));
    EXPECT_EQ(t.At(13, 13), C(clGreen));
    EXPECT_EQ(t.At(14, 14), White);
    TSurface clipped(20, 20);
    PaintBitmapTransparent(&clipped.Canvas, &bitmap, clGreen, TRect{10, 10, 12, 12});
    EXPECT_EQ(clipped.At(11, 11), C(clBlue));
    EXPECT_EQ(clipped.At(12, 10), White);
    TSurface none(20, 20);
    PaintResourceBitmap(&none.Canvas, clGreen, TRect{0, 0, 20, 20}, L"NO SUCH BITMAP");
    PaintBitmapTransparent(&none.Canvas, nullptr, clGreen, TRect{0, 0, 20, 20});
    EXPECT_TRUE(none.AllWhite());

    FillRectColor(&none.Canvas, TRect{2, 2, 4, 4}, clNone);
    FillRectColor(&none.Canvas, TRect{4, 4, 2, 2}, clRed);
    EXPECT_TRUE(none.AllWhite());
    FillRectColor(&none.Canvas, TRect{2, 2, 4, 4}, clRed);
    EXPECT_EQ(none.Count(RECT{0, 0, 20, 20}, C(clRed)), 4);
}

TEST(AdvUtilPaint, ErrorUnderlineUnderTheMarkedCharactersOnly)
{
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 40, nullptr, nullptr, nullptr, nullptr);
    TSurface s(300, 40);
    const TRect r{10, 0, 290, 20};
    const int before = s.Canvas.TextWidth(L"hello "), word = s.Canvas.TextWidth(L"world");
    PaintErrorUnderline(owner, &s.Canvas, L"hello world", 5, 7, 13, r);
    RECT red = s.Pixels.Find(RECT{0, 0, 300, 40}, [](COLORREF c) { return c == RGB(255, 0, 0); });
    EXPECT_GE(red.left, r.left + before - 1);
    EXPECT_LE(red.left, r.left + before + 8); // the edit's own margin
    EXPECT_GE(red.right - red.left, word);
    EXPECT_LE(red.right - red.left, word + 6);
    EXPECT_GE(red.top, 14);
    EXPECT_LE(red.bottom, 22);
    // A zig-zag, not a bar: the rows alternate along it.
    EXPECT_LT(s.Count(RECT{red.left, red.top, red.right, red.top + 1}, RGB(255, 0, 0)), red.right - red.left);

    // Past the end: up to the text's end; nothing for no characters.
    TSurface past(300, 40), nothing(300, 40);
    PaintErrorUnderline(owner, &past.Canvas, L"hello", 10, 3, 13, r);
    RECT tail = past.Pixels.Find(RECT{0, 0, 300, 40}, [](COLORREF c) { return c == RGB(255, 0, 0); });
    EXPECT_LE(tail.right, r.left + s.Canvas.TextWidth(L"hello") + 12);
    EXPECT_GT(tail.right, tail.left);
    PaintErrorUnderline(owner, &nothing.Canvas, L"hello", 0, 1, 13, r);
    PaintErrorUnderline(owner, &nothing.Canvas, L"", 3, 1, 13, r);
    PaintErrorUnderline(nullptr, &nothing.Canvas, L"hello", 3, 0, 13, r);
    EXPECT_TRUE(nothing.AllWhite());
    DestroyWindow(owner);
}

TEST(AdvUtilPaint, LayeredWindowEntryPointsPassTheSystemsAnswer)
{
    HWND layered = CreateWindowExW(WS_EX_LAYERED, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                   nullptr);
    EXPECT_TRUE(DynamicSetLayeredWindowAttributes(layered, 0, 128, LWA_ALPHA));
    EXPECT_FALSE(DynamicSetLayeredWindowAttributes(nullptr, 0, 128, LWA_ALPHA));
    EXPECT_FALSE(DynamicUpdateLayeredWindow(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, ULW_ALPHA));
    DestroyWindow(layered);
}

// Empty and inverted rectangles draw nothing; huge ones draw what falls in the bitmap.
TEST(AdvUtilPaint, RectanglesThatMakeNoSense)
{
    TXPProgressAppearance xp;
    const std::function<void(TCanvas*, TRect)> routines[] = {
        [](TCanvas* c, TRect r) { PaintStepGradient(c, clRed, clBlue, true, r, 16); },
        [](TCanvas* c, TRect r) { PaintStepGradient(c, clRed, clNone, false, r, 16); },
        [](TCanvas* c, TRect r) { PaintMirrorGradient(c, r, clRed, true, false, clBlack, true, clBlue, clBlue, clRed); },
        [](TCanvas* c, TRect r) {
            PaintSelectionBox(c, clRed, clBlue, sbpWhole, r, clBlack, clGray, clBlack, clGray, clGray, clNone, clNone);
        },
        [](TCanvas* c, TRect r) { PaintProgressBar(c, r, clRed, L"", 100, 0, 0, 0, 50, clBlue, clBlack, clBlack, clNone); },
        [](TCanvas* c, TRect r) { PaintProgressPie(c, r, clRed, false, 50); },
        [](TCanvas* c, TRect r) { PaintRangeIndicator(c, r, 50, clRed, clBlue, false, 100); },
        [&](TCanvas* c, TRect r) { PaintXPProgress(c, r, 50, xp); },
        [](TCanvas* c, TRect r) { PaintComboButton(c, nullptr, r, true, false); },
        [](TCanvas* c, TRect r) { PaintSpinButtons(c, nullptr, r, true, false); },
        [](TCanvas* c, TRect r) { FillRectColor(c, r, clRed); },
    };
    int index = 0;
    for (const auto& paint : routines) {
        SCOPED_TRACE(index++);
        for (TRect r : {TRect{5, 5, 5, 15}, TRect{5, 5, 15, 5}, TRect{15, 5, 5, 15}, TRect{15, 15, 5, 5}}) {
            TSurface s(20, 20);
            paint(&s.Canvas, r);
            EXPECT_TRUE(s.AllWhite()) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        }
        TSurface huge(20, 20);
        EXPECT_NO_THROW(paint(&huge.Canvas, TRect{-0x3FFFFFFF, -0x3FFFFFFF, 0x3FFFFFFF, 0x3FFFFFFF}));
    }
    // A huge gradient still shows its colour at the visible edge.
    TSurface huge(20, 20);
    PaintStepGradient(&huge.Canvas, clRed, clRed, true, TRect{-0x3FFFFFFF, 0, 0x3FFFFFFF, 20}, 16);
    EXPECT_EQ(huge.Count(RECT{0, 0, 20, 20}, C(clRed)), 400);
    // As many steps as pixels: only the visible bands are drawn, half-way from black to white.
    for (bool horizontal : {true, false}) {
        TSurface fine(20, 20);
        PaintStepGradient(&fine.Canvas, clBlack, clWhite, horizontal, TRect{-0x3FFFFFFF, -0x3FFFFFFF, 0x3FFFFFFF, 0x3FFFFFFF},
                          0x7FFFFFFF);
        EXPECT_NEAR(GetRValue(fine.At(0, 0)), 128, 1);
        EXPECT_NEAR(GetRValue(fine.At(19, 19)), 128, 1);
    }
}

} // namespace
