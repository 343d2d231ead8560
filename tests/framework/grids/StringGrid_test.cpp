// The string grid's storage: texts and objects inside the counts, following the counts, row
// and column views, repainting written cells, and the text drawn in each cell.
#include "framework/classes/StringList.h"
#include "tests/framework/grids/GridTestSupport.h"

using namespace gridtest;

namespace {

class StringGrid : public GridTest {};

TEST_F(StringGrid, KeepsCellsInsideTheCountsAndIgnoresTheRest)
{
    auto* grid = new TStringGrid(Form);
    TObject marker;
    grid->SetCells(4, 4, L"corner");
    grid->SetObjects(2, 3, &marker);
    EXPECT_EQ(grid->Cells(4, 4), L"corner");
    EXPECT_EQ(grid->Objects(2, 3), &marker);
    EXPECT_EQ(grid->Cells(0, 0), L"");

    // Outside: nothing read, nothing written, nothing thrown.
    const int outside[][2] = {{5, 0}, {0, 5}, {-1, 0}, {0, -1}, {100, 100}};
    for (const auto& cell : outside) {
        grid->SetCells(cell[0], cell[1], L"x");
        grid->SetObjects(cell[0], cell[1], &marker);
        EXPECT_EQ(grid->Cells(cell[0], cell[1]), L"");
        EXPECT_EQ(grid->Objects(cell[0], cell[1]), nullptr);
    }

    // Shrinking drops what lies beyond; growing again brings empty cells.
    grid->SetCells(1, 1, L"kept");
    grid->SetColCount(3);
    grid->SetRowCount(4);
    EXPECT_EQ(grid->Cells(4, 4), L"");
    EXPECT_EQ(grid->Objects(2, 3), &marker);
    grid->SetColCount(6);
    grid->SetRowCount(6);
    EXPECT_EQ(grid->Cells(4, 4), L"");
    EXPECT_EQ(grid->Cells(1, 1), L"kept");
    EXPECT_EQ(grid->Objects(2, 3), &marker);
    grid->SetCells(5, 5, L"new");
    EXPECT_EQ(grid->Cells(5, 5), L"new");
}

TEST_F(StringGrid, RowsAndColumnsAreListViewsOfTheCells)
{
    auto* grid = new TStringGrid(Form);
    grid->SetColCount(3);
    TStringList source;
    source.Add(L"a");
    source.Add(L"b");
    source.Add(L"c");
    source.Add(L"beyond");
    grid->SetRows(2, &source);
    EXPECT_EQ(grid->Cells(0, 2), L"a");
    EXPECT_EQ(grid->Cells(2, 2), L"c");
    EXPECT_EQ(grid->Rows(2)->Count(), 3);
    EXPECT_EQ(grid->Cols(1)->Count(), 5);
    EXPECT_EQ(grid->Cols(1)->Strings(2), L"b");

    grid->Cols(0)->SetStrings(4, L"bottom");
    EXPECT_EQ(grid->Cells(0, 4), L"bottom");
    grid->Rows(2)->Clear();
    EXPECT_EQ(grid->Cells(1, 2), L"");
    EXPECT_EQ(grid->Rows(2)->Add(L"first empty"), 0);
    EXPECT_THROW(grid->Rows(2)->Insert(0, L"x"), EInvalidGridOperation);
    EXPECT_THROW(grid->Cols(-1), EInvalidGridOperation);
}

TEST_F(StringGrid, WritingACellRepaintsIt)
{
    auto* grid = AddGrid<TStringGrid>(400, 200);
    ShowAndFocus(grid);
    UpdateWindow(grid->Handle());
    grid->SetCells(2, 3, L"changed");
    RECT update;
    ASSERT_TRUE(GetUpdateRect(grid->Handle(), &update, FALSE));
    TRect cell = grid->CellRect(2, 3);
    EXPECT_LE(update.left, cell.left);
    EXPECT_LE(update.top, cell.top);
    EXPECT_GE(update.right, cell.right);
    EXPECT_GE(update.bottom, cell.bottom);
    // Only around that cell.
    EXPECT_LT(update.right - update.left, 2 * grid->ColWidths(2));
}

TEST_F(StringGrid, DrawsEachCellsTextTwoPixelsIn)
{
    auto* grid = AddGrid<TStringGrid>(400, 200);
    grid->Font()->SetColor(clBlack);
    grid->SetCells(2, 2, L"WWWW");
    ShowAndFocus(grid);
    TPixels pixels(400, 200);
    grid->PaintTo(pixels.DC(), 0, 0);
    TRect r = grid->CellRect(2, 2);
    // The two pixels inside the cell's edge keep the background; the text starts after them.
    for (int y = r.top; y < r.bottom; ++y) {
        EXPECT_EQ(pixels.At(r.left, y), Rgb(clWindow));
        EXPECT_EQ(pixels.At(r.left + 1, y), Rgb(clWindow));
    }
    int dark = 0;
    for (int y = r.top + 2; y < r.bottom; ++y)
        for (int x = r.left + 2; x < r.left + 20; ++x)
            if (pixels.At(x, y) == RGB(0, 0, 0)) ++dark;
    EXPECT_GT(dark, 10);
    // An empty cell shows only its background.
    TRect empty = grid->CellRect(3, 2);
    EXPECT_EQ(pixels.At(empty.left + 8, empty.top + 10), Rgb(clWindow));
}

} // namespace
