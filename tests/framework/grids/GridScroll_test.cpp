// The view and the scroll bars: the bars follow TopRow and LeftCol, the bars' messages move
// the view, and a grid whose cells all fit has no bars.
#include "tests/framework/grids/GridTestSupport.h"

using namespace gridtest;

namespace {

class GridScroll : public GridTest {
protected:
    TDrawGrid* MakeGrid(int Cols, int Rows)
    {
        auto* grid = AddGrid<TDrawGrid>(300, 200);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        grid->OnTopLeftChanged = [this](TObject*) { ++TopLeftChanges; };
        ShowAndFocus(grid);
        return grid;
    }
    static int Pos(TCustomGrid* Grid, int Bar) { return GetScrollPos(Grid->Handle(), Bar); }
    int TopLeftChanges = 0;
};

TEST_F(GridScroll, TheBarsFollowTopRowAndLeftCol)
{
    auto* grid = MakeGrid(20, 40);
    HWND h = grid->Handle();
    int lo = -1, hi = -1;
    GetScrollRange(h, SB_VERT, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 127);
    EXPECT_EQ(Pos(grid, SB_VERT), 0);

    grid->SetTopRow(10);
    EXPECT_EQ(TopLeftChanges, 1);
    int middle = Pos(grid, SB_VERT);
    EXPECT_GT(middle, 0);
    EXPECT_LT(middle, 127);
    // The last top row that still fills the view is the bar's end.
    grid->SetTopRow(40 - grid->VisibleRowCount());
    EXPECT_EQ(Pos(grid, SB_VERT), 127);
    grid->SetTopRow(1);
    EXPECT_EQ(Pos(grid, SB_VERT), 0);

    grid->SetLeftCol(5);
    EXPECT_GT(Pos(grid, SB_HORZ), 0);
    EXPECT_EQ(grid->CellRect(5, 1).left, grid->ColWidths(0) + 1);
}

TEST_F(GridScroll, BarMessagesMoveTheView)
{
    auto* grid = MakeGrid(20, 40);
    HWND h = grid->Handle();
    SendMessageW(h, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid->TopRow(), 2);
    int page = grid->VisibleRowCount() - 1;
    SendMessageW(h, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(grid->TopRow(), 2 + page);
    SendMessageW(h, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(grid->TopRow(), 1 + page);
    SendMessageW(h, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(grid->TopRow(), 1);

    // Dragging the thumb moves the view only with goThumbTracking; releasing it always does.
    SendMessageW(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 127), 0);
    EXPECT_EQ(grid->TopRow(), 1);
    SendMessageW(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 127), 0);
    int maxTop = grid->TopRow();
    EXPECT_EQ(maxTop, 40 - grid->VisibleRowCount());
    SendMessageW(h, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid->TopRow(), maxTop);
    grid->SetOptions(grid->Options() + TGridOptions{goThumbTracking});
    SendMessageW(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    EXPECT_EQ(grid->TopRow(), 1);

    SendMessageW(h, WM_HSCROLL, SB_LINEDOWN, 0);
    SendMessageW(h, WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid->LeftCol(), 3);
    EXPECT_EQ(TopLeftChanges, 8);
    // The current cell stays where it was.
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridScroll, AGridThatFitsHasNoBars)
{
    auto* grid = MakeGrid(3, 3);
    HWND h = grid->Handle();
    int lo = -1, hi = -1;
    GetScrollRange(h, SB_VERT, &lo, &hi);
    EXPECT_EQ(hi, 0);
    GetScrollRange(h, SB_HORZ, &lo, &hi);
    EXPECT_EQ(hi, 0);
    EXPECT_EQ(grid->ClientWidth(), 300);

    // More rows bring the vertical bar; fewer take it away again.
    grid->SetRowCount(30);
    GetScrollRange(h, SB_VERT, &lo, &hi);
    EXPECT_EQ(hi, 127);
    EXPECT_LT(grid->ClientWidth(), 300);
    grid->SetTopRow(20);
    grid->SetRowCount(3);
    GetScrollRange(h, SB_VERT, &lo, &hi);
    EXPECT_EQ(hi, 0);
    EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(GridScroll, MovingTheCurrentCellOutOfViewScrollsToIt)
{
    auto* grid = MakeGrid(20, 40);
    grid->SetRow(30);
    EXPECT_EQ(grid->TopRow() + grid->VisibleRowCount() - 1, 30);
    grid->SetCol(19);
    EXPECT_EQ(grid->LeftCol() + grid->VisibleColCount() - 1, 19);
    grid->SetRow(2);
    EXPECT_EQ(grid->TopRow(), 2);
}

} // namespace
