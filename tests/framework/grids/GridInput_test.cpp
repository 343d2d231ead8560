// The grid's input by real messages: key navigation (arrows, Page, Home/End, Tab), range
// selection by keys and mouse, sizing and moving rows and columns with the mouse, the wheel,
// and the dialog codes and cursors that go with them.
#include <vector>

#include "tests/framework/grids/GridTestSupport.h"

using namespace gridtest;

namespace {

class GridInput : public GridTest {
protected:
    TStringGrid* MakeGrid(int Cols, int Rows)
    {
        auto* grid = AddGrid<TStringGrid>(400, 300);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        ShowAndFocus(grid);
        return grid;
    }
};

TEST_F(GridInput, ArrowsHomeEndAndPageKeysMoveTheCurrentCell)
{
    auto* grid = MakeGrid(10, 30);
    HWND h = grid->Handle();
    struct TStep {
        WORD Key;
        bool Ctrl;
        int Col, Row;
    };
    const TStep steps[] = {
        {VK_RIGHT, false, 2, 1}, {VK_DOWN, false, 2, 2}, {VK_LEFT, false, 1, 2}, {VK_LEFT, false, 1, 2},
        {VK_UP, false, 1, 1},    {VK_UP, false, 1, 1},   {VK_END, false, 9, 1},  {VK_HOME, false, 1, 1},
        {VK_END, true, 9, 29},   {VK_HOME, true, 1, 1},
    };
    for (const TStep& step : steps) {
        if (step.Ctrl) {
            THeldKeys ctrl({VK_CONTROL});
            KeyDown(h, step.Key);
        } else {
            KeyDown(h, step.Key);
        }
        EXPECT_EQ(grid->Col(), step.Col) << "key " << step.Key;
        EXPECT_EQ(grid->Row(), step.Row) << "key " << step.Key;
        // The current cell is always in view.
        EXPECT_GE(grid->Col(), grid->LeftCol());
        EXPECT_LT(grid->Col(), grid->LeftCol() + grid->VisibleColCount());
        EXPECT_GE(grid->Row(), grid->TopRow());
        EXPECT_LT(grid->Row(), grid->TopRow() + grid->VisibleRowCount());
    }

    // A page is the rows in view less one; the view moves with it.
    int page = grid->VisibleRowCount() - 1;
    KeyDown(h, VK_NEXT);
    EXPECT_EQ(grid->Row(), 1 + page);
    EXPECT_EQ(grid->TopRow(), 1 + page);
    KeyDown(h, VK_PRIOR);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(GridInput, NavigationAsksSelectCell)
{
    auto* grid = MakeGrid(6, 6);
    grid->OnSelectCell = [](TObject*, int ACol, int, bool& CanSelect) { CanSelect = ACol != 3; };
    KeyDown(grid->Handle(), VK_RIGHT);
    KeyDown(grid->Handle(), VK_RIGHT);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 2, 1}));
}

TEST_F(GridInput, TabWrapsRowsOnlyWithGoTabs)
{
    auto* grid = MakeGrid(4, 4);
    HWND h = grid->Handle();
    EXPECT_EQ(SendMessageW(h, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    grid->SetOptions(grid->Options() + TGridOptions{goTabs, goEditing});
    EXPECT_EQ(SendMessageW(h, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS);
    grid->SetOptions(grid->Options() - TGridOptions{goEditing});

    grid->SetCol(3);
    KeyDown(h, VK_TAB);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    {
        THeldKeys shift({VK_SHIFT});
        KeyDown(h, VK_TAB);
    }
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 1);
    // Shift+Tab moves; it does not extend the selection.
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 1, 3, 1}));
    // Columns without a tab stop are passed over.
    grid->SetTabStops(1, false);
    KeyDown(h, VK_TAB);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(GridInput, ShiftArrowsAndMouseSelectRanges)
{
    auto* grid = MakeGrid(6, 6);
    HWND h = grid->Handle();
    {
        THeldKeys shift({VK_SHIFT});
        KeyDown(h, VK_RIGHT);
        KeyDown(h, VK_DOWN);
        KeyDown(h, VK_DOWN);
    }
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 3}));
    KeyDown(h, VK_LEFT);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 3, 1, 3}));

    // Dragging: the press makes the current cell, the drag moves the other corner.
    POINT from = Center(grid->CellRect(2, 1)), to = Center(grid->CellRect(4, 3));
    Drag(h, from.x, from.y, to.x, to.y);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 4, 3}));
    EXPECT_EQ(grid->GridState(), gsNormal);

    // Shift+click extends from the current cell.
    POINT shiftTo = Center(grid->CellRect(5, 5));
    Click(h, shiftTo.x, shiftTo.y, MK_SHIFT);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 5, 5}));

    // A plain click selects one cell; a click on a fixed cell changes nothing.
    POINT one = Center(grid->CellRect(3, 4));
    Click(h, one.x, one.y);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 4, 3, 4}));
    POINT fixed = Center(grid->CellRect(0, 2));
    Click(h, fixed.x, fixed.y);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 4, 3, 4}));

    // In an editing grid the mouse does not select ranges.
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    POINT other = Center(grid->CellRect(5, 5));
    Click(h, other.x, other.y, MK_SHIFT);
    EXPECT_EQ(grid->Selection(), (TGridRect{5, 5, 5, 5}));
}

TEST_F(GridInput, ColumnsAndRowsAreSizedAtTheirLinesInTheFixedCells)
{
    auto* grid = MakeGrid(6, 6);
    HWND h = grid->Handle();
    std::vector<int> widthChanges;
    // Without the options the lines are not handles.
    Drag(h, 129, 10, 149, 10);
    EXPECT_EQ(grid->ColWidths(1), 64);

    grid->SetOptions(grid->Options() + TGridOptions{goColSizing, goRowSizing});
    // The cursor over a column line in the fixed row is the sizing cursor.
    POINT screen{129, 10};
    ClientToScreen(h, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), Screen->Cursors(crHSplit));

    // Column 1 ends at x = 129 (its line): dragging that line 20 pixels right widens it by 20.
    Drag(h, 129, 10, 149, 10);
    EXPECT_EQ(grid->ColWidths(1), 84);
    EXPECT_EQ(grid->ColWidths(2), 64);
    EXPECT_EQ(grid->GridState(), gsNormal);
    // Row 1 ends at y = 49: dragged in the fixed column.
    Drag(h, 10, 49, 10, 69);
    EXPECT_EQ(grid->RowHeights(1), 44);
    // The same lines among the normal cells select instead.
    Drag(h, 214, 80, 234, 80);
    EXPECT_EQ(grid->ColWidths(2), 64);
    EXPECT_EQ(grid->GridState(), gsNormal);
}

TEST_F(GridInput, FixedCellsDragColumnsAndRowsToNewPlaces)
{
    auto* grid = MakeGrid(6, 6);
    HWND h = grid->Handle();
    std::vector<std::pair<int, int>> moves;
    grid->OnColumnMoved = [&](TObject*, int From, int To) { moves.push_back({From, To}); };
    grid->OnRowMoved = [&](TObject*, int From, int To) { moves.push_back({-From, -To}); };
    grid->SetCells(1, 0, L"one");
    grid->SetCells(0, 1, L"first");
    grid->SetOptions(grid->Options() + TGridOptions{goColMoving, goRowMoving});

    POINT from = Center(grid->CellRect(1, 0)), to = Center(grid->CellRect(3, 0));
    Drag(h, from.x, from.y, to.x, to.y);
    EXPECT_EQ(grid->Cells(3, 0), L"one");
    from = Center(grid->CellRect(0, 1));
    to = Center(grid->CellRect(0, 4));
    Drag(h, from.x, from.y, to.x, to.y);
    EXPECT_EQ(grid->Cells(0, 4), L"first");
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 3}, {-1, -4}}));
    EXPECT_EQ(grid->GridState(), gsNormal);

    // A drag that ends where it began moves nothing.
    from = Center(grid->CellRect(2, 0));
    Drag(h, from.x, from.y, from.x + 3, from.y);
    EXPECT_EQ(moves.size(), 2u);
}

TEST_F(GridInput, TheWheelMovesTheCurrentRow)
{
    auto* grid = MakeGrid(5, 5);
    HWND h = grid->Handle();
    Wheel(h, -WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), 2);
    Wheel(h, -WHEEL_DELTA);
    Wheel(h, -WHEEL_DELTA);
    Wheel(h, -WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), 4);
    Wheel(h, WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), 3);
    for (int i = 0; i < 5; ++i) Wheel(h, WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), 1);
}

} // namespace
