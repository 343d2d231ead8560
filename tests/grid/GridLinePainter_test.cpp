// Grid lines run inside the cell along its right and bottom edge, h = (width + 1) div 2 in from
// the edge; right-to-left grids shift the vertical line one pixel right; width 0 draws none.
#include "grid/control/paint/GridLinePainter.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

TCellVisual Lines(int Width, bool Horz, bool Vert, bool RightToLeft = false)
{
    TCellVisual v;
    v.Lines = {Width > 0, clBlue, Width, (Width + 1) / 2, Horz, Vert, RightToLeft};
    return v;
}

// Columns (x) and rows (y) of the 40 x 20 cell at (0, 0) that hold any blue.
void LineSpans(const TGridPixels& Pixels, std::vector<int>& Xs, std::vector<int>& Ys)
{
    for (int x = 0; x < 50; ++x)
        if (Pixels.At(x, 2) == static_cast<COLORREF>(clBlue)) Xs.push_back(x);
    for (int y = 0; y < 30; ++y)
        if (Pixels.At(2, y) == static_cast<COLORREF>(clBlue)) Ys.push_back(y);
}

TEST(GridLinePainter, LinesSitInsideTheCellAtItsRightAndBottomEdge)
{
    struct Case {
        int Width;
        bool Horz, Vert, RightToLeft;
        std::vector<int> Xs, Ys;
    } cases[] = {
        {1, true, true, false, {39}, {19}},
        {2, true, true, false, {38, 39}, {18, 19}},
        {3, true, true, false, {37, 38, 39}, {17, 18, 19}},
        {1, true, false, false, {}, {19}},
        {1, false, true, false, {39}, {}},
        {1, true, true, true, {40}, {19}},
        {0, true, true, false, {}, {}},
        {-2, true, true, false, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.Width << " h" << c.Horz << " v" << c.Vert << " rtl" << c.RightToLeft);
        TGridPixels pixels(50, 30);
        TCanvas canvas;
        canvas.SetHandle(pixels.DC());
        PaintCellGridLines(&canvas, Lines(c.Width, c.Horz, c.Vert, c.RightToLeft), TRect{0, 0, 40, 20});
        canvas.SetHandle(nullptr);
        std::vector<int> xs, ys;
        LineSpans(pixels, xs, ys);
        EXPECT_EQ(xs, c.Xs);
        EXPECT_EQ(ys, c.Ys);
    }
}

} // namespace
