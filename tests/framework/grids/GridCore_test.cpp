// The grid's dimensions, its layout arithmetic (CellRect, MouseToCell, visible counts), the
// current cell and selection, and moving rows and columns.
#include <functional>
#include <vector>

#include "tests/framework/grids/GridTestSupport.h"

using namespace gridtest;

namespace {

class GridCore : public GridTest {};

// Counts the grid's notifications.
class TNotifyingGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    void ColWidthsChanged() override
    {
        ++ColWidthsChangedCount;
        TStringGrid::ColWidthsChanged();
    }
    void SizeChanged(int OldColCount, int OldRowCount) override
    {
        SizeChanges.push_back({OldColCount, OldRowCount});
        TStringGrid::SizeChanged(OldColCount, OldRowCount);
    }
    int ColWidthsChangedCount = 0;
    std::vector<std::pair<int, int>> SizeChanges;
};

TEST_F(GridCore, StartsWithTheClassicDefaults)
{
    auto* grid = new TStringGrid(Form);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->DefaultColWidth(), 64);
    EXPECT_EQ(grid->DefaultRowHeight(), 24);
    EXPECT_EQ(grid->ColWidths(4), 64);
    EXPECT_EQ(grid->RowHeights(4), 24);
    EXPECT_EQ(grid->GridLineWidth(), 1);
    EXPECT_EQ(grid->Options(), (TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect}));
    EXPECT_TRUE(grid->DefaultDrawing());
    EXPECT_EQ(grid->FixedColor(), clBtnFace);
    EXPECT_EQ(grid->Color(), clWindow);
    EXPECT_EQ(grid->ScrollBars(), ssBoth);
    EXPECT_EQ(grid->BorderStyle(), bsSingle);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->LeftCol(), 1);
    EXPECT_EQ(grid->TopRow(), 1);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->InplaceEditor(), nullptr);
    EXPECT_EQ(grid->GridState(), gsNormal);
    EXPECT_TRUE(grid->TabStop());
}

TEST_F(GridCore, FixedCountsStayBelowTheCounts)
{
    auto* grid = new TStringGrid(Form);
    try {
        grid->SetFixedCols(5);
        FAIL() << "no exception";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), L"Fixed column count must be less than column count");
    }
    try {
        grid->SetFixedRows(7);
        FAIL() << "no exception";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), L"Fixed row count must be less than row count");
    }
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->FixedRows(), 1);

    // Lowering a count to the fixed count lowers the fixed count with it; below 1 is 1.
    grid->SetRowCount(1);
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->FixedRows(), 0);
    grid->SetColCount(0);
    EXPECT_EQ(grid->ColCount(), 1);
    EXPECT_EQ(grid->FixedCols(), 0);
    EXPECT_EQ(grid->Col(), 0);
    EXPECT_EQ(grid->Row(), 0);
}

TEST_F(GridCore, SizesArePerIndexAndDefaultsResetThem)
{
    auto* grid = new TNotifyingGrid(Form);
    grid->SetColWidths(2, 100);
    grid->SetRowHeights(3, 40);
    EXPECT_EQ(grid->ColWidths(2), 100);
    EXPECT_EQ(grid->ColWidths(1), 64);
    EXPECT_EQ(grid->RowHeights(3), 40);
    EXPECT_EQ(grid->ColWidthsChangedCount, 1);
    grid->SetColWidths(2, 100);
    EXPECT_EQ(grid->ColWidthsChangedCount, 1);
    EXPECT_THROW(grid->SetColWidths(5, 10), EInvalidGridOperation);
    EXPECT_THROW(grid->RowHeights(-1), EInvalidGridOperation);

    // New columns take the default width; a new default replaces every width.
    grid->SetColCount(7);
    EXPECT_EQ(grid->ColWidths(6), 64);
    grid->SetDefaultColWidth(30);
    EXPECT_EQ(grid->ColWidths(2), 30);
    EXPECT_EQ(grid->ColWidths(6), 30);
    grid->SetDefaultRowHeight(18);
    EXPECT_EQ(grid->RowHeights(3), 18);
    ASSERT_FALSE(grid->SizeChanges.empty());
    EXPECT_EQ(grid->SizeChanges.back(), std::make_pair(5, 5));
}

TEST_F(GridCore, CellRectAndMouseToCellAgree)
{
    auto* grid = AddGrid<TStringGrid>(300, 100);
    grid->SetColCount(8);
    grid->SetRowCount(3);
    grid->SetColWidths(2, 50);
    ShowAndFocus(grid);
    ASSERT_EQ(grid->ClientWidth(), 300);

    // Cells follow each other with one pixel of line between them.
    EXPECT_EQ(grid->CellRect(0, 0), Rect(0, 0, 64, 24));
    EXPECT_EQ(grid->CellRect(1, 1), Rect(65, 25, 129, 49));
    EXPECT_EQ(grid->CellRect(2, 2), Rect(130, 50, 180, 74));
    // The last column seen is cut at the client area.
    EXPECT_EQ(grid->CellRect(4, 0), Rect(246, 0, 300, 24));
    EXPECT_EQ(grid->VisibleColCount(), 3);
    EXPECT_EQ(grid->VisibleRowCount(), 2);

    for (int col = 0; col <= 4; ++col) {
        for (int row = 0; row < 3; ++row) {
            TRect r = grid->CellRect(col, row);
            int c = -2, rr = -2;
            grid->MouseToCell(r.left, r.top, c, rr);
            EXPECT_EQ(c, col);
            EXPECT_EQ(rr, row);
            grid->MouseToCell(r.right - 1, r.bottom - 1, c, rr);
            EXPECT_EQ(c, col);
            EXPECT_EQ(rr, row);
        }
    }
    // A grid line belongs to the cell before it; below the last row there is no cell.
    int c = 0, r = 0;
    grid->MouseToCell(64, 10, c, r);
    EXPECT_EQ(c, 0);
    grid->MouseToCell(70, 90, c, r);
    EXPECT_EQ(c, -1);
    EXPECT_EQ(r, -1);

    // Out of view, or outside the grid: an empty rectangle at the origin.
    grid->SetLeftCol(3);
    EXPECT_EQ(grid->CellRect(1, 1), Rect(0, 0, 0, 0));
    EXPECT_EQ(grid->CellRect(3, 1), Rect(65, 25, 129, 49));
    EXPECT_EQ(grid->CellRect(0, 1), Rect(0, 25, 64, 49));
    EXPECT_EQ(grid->CellRect(8, 1), Rect(0, 0, 0, 0));
    EXPECT_EQ(grid->CellRect(-1, 0), Rect(0, 0, 0, 0));
    grid->MouseToCell(70, 30, c, r);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(r, 1);
}

TEST_F(GridCore, SelectionRunsFromTheAnchorToTheCurrentCell)
{
    auto* grid = new TStringGrid(Form);
    grid->SetColCount(6);
    grid->SetRowCount(6);
    grid->MoveColRow(2, 2, true, false);
    grid->MoveColRow(4, 3, false, false);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 4, 3}));
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), 3);

    // Without goRangeSelect every move collapses the selection.
    grid->SetOptions(grid->Options() - TGridOptions{goRangeSelect});
    grid->MoveColRow(1, 1, false, false);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));

    // The anchor takes the top-left corner, the current cell the bottom-right one.
    grid->SetSelection(TGridRect{2, 1, 3, 4});
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 3, 4}));

    // Whole rows with goRowSelect.
    grid->SetOptions(grid->Options() + TGridOptions{goRowSelect});
    grid->SetRow(2);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 5, 2}));

    try {
        grid->MoveColRow(6, 1, true, true);
        FAIL() << "no exception";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), L"Grid index out of range");
    }
}

TEST_F(GridCore, SelectCellDecidesWhetherTheCurrentCellMoves)
{
    auto* grid = new TStringGrid(Form);
    std::vector<std::pair<int, int>> asked;
    grid->OnSelectCell = [&](TObject*, int ACol, int ARow, bool& CanSelect) {
        asked.push_back({ACol, ARow});
        CanSelect = ACol != 3;
    };
    grid->SetCol(3);
    EXPECT_EQ(grid->Col(), 1);
    grid->SetCol(2);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{3, 1}, {2, 1}}));
}

TEST_F(GridCore, MovingColumnsAndRowsCarriesSizesDataAndTheCurrentCell)
{
    auto* grid = new TStringGrid(Form);
    std::vector<std::pair<int, int>> moved;
    grid->OnColumnMoved = [&](TObject*, int From, int To) { moved.push_back({From, To}); };
    grid->OnRowMoved = [&](TObject*, int From, int To) { moved.push_back({-From, -To}); };
    for (int c = 0; c < 5; ++c) grid->SetCells(c, 0, String(1, static_cast<wchar_t>(L'a' + c)));
    grid->SetColWidths(1, 11);
    grid->SetCol(1);

    grid->MoveColumn(1, 3);
    EXPECT_EQ(grid->Rows(0)->Text(), L"a\r\nc\r\nd\r\nb\r\ne\r\n");
    EXPECT_EQ(grid->ColWidths(3), 11);
    EXPECT_EQ(grid->ColWidths(1), 64);
    EXPECT_EQ(grid->Col(), 3);
    grid->MoveColumn(4, 1);
    EXPECT_EQ(grid->Rows(0)->Text(), L"a\r\ne\r\nc\r\nd\r\nb\r\n");
    EXPECT_EQ(grid->Col(), 4);

    grid->SetCells(0, 2, L"two");
    grid->SetRowHeights(2, 33);
    grid->MoveRow(2, 4);
    EXPECT_EQ(grid->Cells(0, 4), L"two");
    EXPECT_EQ(grid->RowHeights(4), 33);
    EXPECT_EQ(moved, (std::vector<std::pair<int, int>>{{1, 3}, {4, 1}, {-2, -4}}));

    // Deleting a row moves it to the end and drops it.
    grid->SetCells(0, 1, L"one");
    grid->DeleteRow(1);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->Cells(0, 3), L"two");
}

// The sums are kept between changes: every way the heights change must leave them right,
// including sums asked in between (which keep the running sums) and none asked (rebuilt).
TEST_F(GridCore, HeightAndWidthSumsFollowEveryChangeOfTheSizes)
{
    auto* grid = new TStringGrid(Form);
    grid->SetRowCount(40);
    auto expectSums = [&](const char* Step) {
        SCOPED_TRACE(Step);
        for (int from = 0; from <= grid->RowCount(); ++from)
            for (int to = from; to <= grid->RowCount(); ++to) {
                long long walked = 0;
                for (int r = from; r < to; ++r) walked += grid->RowHeights(r);
                ASSERT_EQ(grid->RowHeightsSum(from, to), walked) << from << ".." << to;
            }
        EXPECT_EQ(grid->RowHeightsSum(5, 2), 0);
        EXPECT_EQ(grid->RowHeightsSum(-3, 1), grid->RowHeights(0));
        EXPECT_EQ(grid->RowHeightsSum(grid->RowCount() - 1, grid->RowCount() + 9),
                  grid->RowHeights(grid->RowCount() - 1));
    };
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"defaults", [] {}},
        {"one height", [&] { grid->SetRowHeights(7, 50); }},
        {"more heights", [&] { for (int r = 0; r < 40; r += 3) grid->SetRowHeights(r, 10 + r); }},
        {"grown", [&] { grid->SetRowCount(75); }},
        {"height in the grown part", [&] { grid->SetRowHeights(70, 3); }},
        {"shrunk", [&] { grid->SetRowCount(33); }},
        {"moved down", [&] { grid->MoveRow(2, 30); }},
        {"moved up", [&] { grid->MoveRow(31, 0); }},
        {"rows deleted", [&] { grid->DeleteRows(4, 6); }},
        {"new default", [&] { grid->SetDefaultRowHeight(17); }},
        {"grown again", [&] { grid->SetRowCount(50); grid->SetRowHeights(49, 1); }},
    };
    for (const auto& [name, change] : steps) {
        change();
        expectSums(name);
    }
    // Changes with no sum in between: the sums are built afresh.
    grid->SetRowHeights(3, 99);
    grid->SetRowCount(60);
    grid->MoveRow(3, 59);
    expectSums("unasked changes");

    grid->SetColWidths(2, 5);
    grid->MoveColumn(2, 4);
    EXPECT_EQ(grid->ColWidthsSum(0, 5), 4 * 64 + 5);
    EXPECT_EQ(grid->ColWidthsSum(4, 5), 5);
}

} // namespace
