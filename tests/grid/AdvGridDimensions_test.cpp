// Dimension and look properties.
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

class AdvGridDimensions : public GridTest {};

} // namespace

TEST_F(AdvGridDimensions, FixedRowAlwaysKeepsOneFixedRowInView)
{
    TCountingGrid* grid = Add(4, 5);
    grid->FixedRowAlways = true;
    grid->SetFixedRows(0);
    EXPECT_EQ(0, grid->TBaseGrid::FixedRows());
    EXPECT_EQ(1, grid->FixedRows());
    grid->SetFixedRows(9);
    EXPECT_EQ(4, grid->TBaseGrid::FixedRows());
    // Without it an impossible count is the framework's error.
    TCountingGrid* plain = Add(4, 5);
    EXPECT_THROW(plain->SetFixedRows(9), EInvalidGridOperation);
}

TEST_F(AdvGridDimensions, FixedRowHeightAndColumnWidth)
{
    TCountingGrid* grid = Add(4, 6);
    grid->SetDefaultRowHeight(20);
    grid->SetFixedRowHeight(20);
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(20, grid->RowHeights(r));
    grid->SetFixedRowHeight(30);
    EXPECT_EQ(30, grid->RowHeights(0));
    EXPECT_EQ(20, grid->RowHeights(1));
    EXPECT_EQ(30, grid->FixedRowHeight());

    grid->SetFixedColWidth(40);
    EXPECT_EQ(40, grid->ColWidths(0));
    EXPECT_EQ(40, grid->FixedColWidth());
    EXPECT_EQ(64, grid->ColWidths(1));
}

TEST_F(AdvGridDimensions, CountsRememberTheLargestAndFeedTheDisplayHooks)
{
    TCountingGrid* grid = Add(4, 6);
    grid->SetRowCount(12);
    grid->SetRowCount(3);
    grid->SetColCount(9);
    grid->SetColCount(2);
    EXPECT_EQ(12, grid->MaxRowCount());
    EXPECT_EQ(9, grid->MaxColCount());
    EXPECT_EQ(3, grid->NormalRowCount());
    grid->SetDefaultRowHeight(17);
    EXPECT_EQ(17, grid->FloatingFooter()->Height());
}

TEST_F(AdvGridDimensions, LookSetters)
{
    TCountingGrid* grid = Add();
    grid->SetVAlignment(vtaBottom);
    EXPECT_EQ(static_cast<UINT>(DT_BOTTOM), grid->VAlign());
    grid->SetVAlignment(vtaTop);
    EXPECT_EQ(0u, grid->VAlign());
    grid->SetShowSelection(false);
    EXPECT_FALSE(grid->ShowSelection());
    grid->SetQRXGradientTo(clBtnFace);
    EXPECT_EQ(ColorToRGB(clBtnFace), grid->QRXGradientTo());

    grid->SetSpreadSheet(true);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
    EXPECT_TRUE(grid->SelectionRectangle());
    EXPECT_TRUE(grid->MouseActions()->RangeSelectAndEdit);
    grid->SetSpreadSheet(false);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
    EXPECT_TRUE(grid->SelectionResizer());
}

TEST_F(AdvGridDimensions, FloatingFooterRowStaysLast)
{
    TCountingGrid* grid = Add(3, 4);
    grid->FloatingFooter()->SetVisible(true);
    grid->SetCells(0, 2, L"data");
    grid->SetCells(0, 3, L"sum");
    grid->GetCellProperties(0, 3)->SetFontColor(clRed);

    grid->AddRow();
    EXPECT_EQ(5, grid->RowCount());
    EXPECT_EQ(L"||data||sum", ColText(grid, 0));
    EXPECT_EQ(L"sum", grid->Cells(0, 4));
    EXPECT_EQ(clRed, grid->GetCellProperties(0, 4)->FontColor());
    EXPECT_EQ(L"", grid->Cells(0, 3));
    EXPECT_EQ(L"data", grid->Cells(0, 2));

    grid->SetRowCount(3);
    EXPECT_EQ(L"sum", grid->Cells(0, 2));
    EXPECT_EQ(1, TCountedProps::Live);
}
