// Cell storage, property objects and merged cells of the grid foundation, on real grids.
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

class BaseGrid : public GridTest {};

bool HasUpdate(TWinControl* Control)
{
    RECT r;
    return GetUpdateRect(Control->Handle(), &r, FALSE) != 0;
}

} // namespace

TEST(WideCellText, RoundTripKeepsTheTwoByteForm)
{
    String encoded = EncodeWideCellText(L"\u4E2D");
    EXPECT_EQ(String(L"|\\") + wchar_t(0x4E) + wchar_t(0x2D), encoded);
    EXPECT_EQ(L"\u4E2D", DecodeWideCellText(encoded));
    EXPECT_EQ(L"\u672C\u6708A", DecodeWideCellText(EncodeWideCellText(L"\u672C\u6708A")));
    // Not wide: unchanged; an odd trailing character is dropped.
    EXPECT_EQ(L"abc", DecodeWideCellText(L"abc"));
    EXPECT_EQ(L"\u4E2D", DecodeWideCellText(encoded + wchar_t(0x41)));
}

TEST_F(BaseGrid, WideTextsAreStoredInWideFormAndReadThroughTheWideHook)
{
    TCountingGrid* grid = Add();
    grid->SetCells(1, 1, EncodeWideCellText(L"\u4E2D"));
    EXPECT_TRUE(grid->IsWideCell(1, 1));
    EXPECT_EQ(L"\u4E2D", DecodeWideCellText(grid->Cells(1, 1)));

    grid->OnGetDisplWideText = [](TObject*, int, int, String& Value) { Value += L"\u6587"; };
    EXPECT_EQ(L"\u4E2D\u6587", DecodeWideCellText(grid->Cells(1, 1)));
    EXPECT_EQ(EncodeWideCellText(L"\u4E2D"), grid->GetStoredCell(1, 1));
}

TEST_F(BaseGrid, DisplayHookAppliesToNormalRowsOnly)
{
    TCountingGrid* grid = Add(3, 5);
    grid->OnGetDisplText = [](TObject*, int ACol, int ARow, String& Value) { Value = L"<" + Value + L">"; };
    grid->SetCells(0, 4, L"x");
    EXPECT_EQ(L"<x>", grid->Cells(0, 4));
    // Rows at or beyond the normal row count (the row count last set) skip the hook.
    grid->TBaseGrid::SetRowCount(8);
    grid->SetCells(0, 6, L"y");
    EXPECT_EQ(L"y", grid->Cells(0, 6));
}

TEST_F(BaseGrid, PropertiesAreMadeOnFirstUseWithTheGridsDefaults)
{
    TCountingGrid* grid = Add();
    grid->SetWordWrap(false);
    grid->Font()->SetName(L"Tahoma");
    grid->Font()->SetColor(clNavy);
    grid->SetColor(clYellow);
    EXPECT_FALSE(grid->HasCellProperties(2, 3));
    EXPECT_FALSE(grid->HasCellProps());

    TCellProperties* props = grid->GetCellProperties(2, 3);
    EXPECT_EQ(1, TCountedProps::Live);
    EXPECT_TRUE(grid->HasCellProps());
    EXPECT_EQ(props, grid->GetCellProperties(2, 3));
    EXPECT_EQ(1, TCountedProps::Live);
    EXPECT_EQ(grid, props->OwnerGrid());
    EXPECT_EQ(2, props->OwnerCol());
    EXPECT_EQ(3, props->OwnerRow());
    EXPECT_FALSE(props->WordWrap());
    EXPECT_EQ(taLeftJustify, props->Alignment());
    EXPECT_EQ(vtaTop, props->VAlignment());
    EXPECT_EQ(L"Tahoma", props->FontName());
    EXPECT_EQ(clNavy, props->FontColor());
    EXPECT_EQ(clYellow, props->BrushColor());
    EXPECT_EQ(clNone, props->BrushColorTo());
    EXPECT_TRUE(props->IsBaseCell());
    EXPECT_EQ(-1, props->CellSpanX());
    EXPECT_EQ(-1, props->CellSpanY());
    EXPECT_EQ(acNONE, props->CalcType());

    // Later changes of the grid leave existing objects alone.
    grid->SetWordWrap(true);
    EXPECT_FALSE(props->WordWrap());
    EXPECT_TRUE(grid->GetCellProperties(4, 4)->WordWrap());
}

TEST_F(BaseGrid, OnlyTheBrushColourSetterRepaintsTheCell)
{
    TCountingGrid* grid = Add();
    ShowForm();
    TCellProperties* props = grid->GetCellProperties(2, 2);
    ValidateRect(grid->Handle(), nullptr);

    props->SetFontColor(clRed);
    props->SetAlignment(taCenter);
    EXPECT_FALSE(HasUpdate(grid));
    props->SetBrushColor(clLime);
    // The invalidated region covers the cell, and the window really paints it again.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetUpdateRgn(grid->Handle(), region, FALSE));
    TRect cell = grid->CellRect(2, 2);
    EXPECT_TRUE(RectInRegion(region, &cell));
    DeleteObject(region);
    int paints = grid->Paints;
    UpdateWindow(grid->Handle());
    EXPECT_GT(grid->Paints, paints);
    EXPECT_FALSE(HasUpdate(grid));
}

// The framework's views of the cells (Rows, Cols, Objects, the editor's text) and the grid's
// Cells read and write one store, through the grid and through a base pointer alike.
TEST_F(BaseGrid, EveryViewOfTheCellsUsesTheGridsStore)
{
    TCountingGrid* grid = Add(4, 3);
    for (int c = 0; c < 4; ++c) grid->SetCells(c, 1, String(1, static_cast<wchar_t>(L'a' + c)));
    grid->HideColumn(2);
    ASSERT_EQ(3, grid->ColCount());
    TCustomStringGrid* base = grid;

    // A row holds every stored column at its real index, the hidden one included.
    TStrings* row = base->Rows(1);
    ASSERT_EQ(4, row->Count());
    EXPECT_EQ(L"a\r\nb\r\nc\r\nd\r\n", row->Text());
    EXPECT_EQ(base->Cells(2, 1), row->Strings(2));

    row->SetStrings(2, L"hidden");
    base->Cols(3)->SetStrings(2, L"col");
    base->SetCells(0, 2, L"base");
    EXPECT_EQ(L"hidden", grid->GetStoredCell(2, 1));
    EXPECT_EQ(L"col", grid->GetStoredCell(3, 2));
    EXPECT_EQ(L"base", grid->GetStoredCell(0, 2));
    EXPECT_EQ(3, base->Cols(0)->Count());

    TObject marker;
    base->Rows(2)->SetObjects(1, &marker);
    EXPECT_EQ(&marker, grid->TBaseGrid::GetCellGraphic(1, 2));
    // The grid control's cell-object view answers only its own cell objects.
    EXPECT_EQ(nullptr, grid->GetCellGraphic(1, 2));
    EXPECT_EQ(&marker, base->Objects(1, 2));
    EXPECT_EQ(&marker, grid->Cols(1)->Objects(2));
    base->SetObjects(1, 2, nullptr);
    // Clearing a view makes no property objects for its empty cells.
    base->Rows(0)->Clear();
    EXPECT_FALSE(grid->HasCellProperties(0, 0));

    // The editor edits the real column behind display column 2 (real column 3).
    EXPECT_EQ(L"d", grid->GetEditText(2, 1));
    grid->SetEditText(2, 1, L"edited");
    EXPECT_EQ(L"edited", grid->GetStoredCell(3, 1));
    EXPECT_EQ(L"hidden", grid->GetStoredCell(2, 1));
}

// Counts and settings the grid re-defines answer the same through a base pointer, and a base
// pointer's setter runs the grid's.
TEST_F(BaseGrid, CountsAndSettingsAnswerTheSameThroughABasePointer)
{
    TCountingGrid* grid = Add(5, 5);
    TCustomGrid* base = grid;
    grid->FixedRowAlways = true;
    grid->FixedColAlways = true;
    base->SetFixedRows(0);
    base->SetFixedCols(0);
    EXPECT_EQ(grid->FixedRows(), base->FixedRows());
    EXPECT_EQ(1, base->FixedRows());
    EXPECT_EQ(1, base->FixedCols());

    base->SetGridLineWidth(3);
    EXPECT_EQ(3, grid->GridLineWidth());
    EXPECT_EQ(3, base->GridLineWidth());
    base->SetDefaultDrawing(true);
    EXPECT_TRUE(base->DefaultDrawing());

    base->SetRowCount(12);
    EXPECT_EQ(12, grid->MaxRowCount());
    EXPECT_EQ(12, grid->NormalRowCount());
    base->SetColCount(9);
    EXPECT_EQ(9, grid->MaxColCount());
}

TEST_F(BaseGrid, AssignCopiesLooksButRepaintsItsOwnGrid)
{
    TCountingGrid* grid = Add();
    TCountingGrid* other = Add();
    other->SetBounds(8, 270, 300, 100);
    grid->SetDefaultColWidth(30); // every cell in view
    grid->SetDefaultRowHeight(20);
    ShowForm();
    TCellProperties* source = other->GetCellProperties(5, 6);
    source->SetFontColor(clRed);
    source->SetAlignment(taCenter);
    source->SetBrushColorTo(clBlue);
    TCellProperties* target = grid->GetCellProperties(1, 1);
    ValidateRect(grid->Handle(), nullptr);
    ValidateRect(other->Handle(), nullptr);
    target->Assign(source);
    EXPECT_FALSE(HasUpdate(grid)) << "assigning repaints nothing";
    EXPECT_FALSE(HasUpdate(other));
    EXPECT_EQ(clRed, target->FontColor());
    EXPECT_EQ(taCenter, target->Alignment());
    EXPECT_EQ(5, target->OwnerCol());
    EXPECT_EQ(6, target->OwnerRow());
    EXPECT_EQ(grid, target->OwnerGrid());
    EXPECT_EQ(clNone, target->BrushColorTo());

    // The copy took the source's position, so it repaints that place, but in its own grid only.
    target->SetBrushColor(clLime);
    EXPECT_FALSE(HasUpdate(other));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetUpdateRgn(grid->Handle(), region, FALSE));
    const TRect place = grid->CellRect(5, 6);
    EXPECT_TRUE(RectInRegion(region, &place));
    DeleteObject(region);
}

TEST_F(BaseGrid, MergedAreaReadsAndWritesItsBaseCell)
{
    TCountingGrid* grid = Add(6, 6);
    grid->SetCells(1, 1, L"base");
    grid->SetCells(2, 2, L"inner");
    grid->MergeCells(1, 1, 2, 3); // columns 1-2, rows 1-3
    EXPECT_EQ(1, grid->MergeCount());

    struct Case {
        int Col, Row;
        bool Base;
        LONG SpanX, SpanY, ExtX, ExtY;
    };
    const Case cases[] = {{1, 1, true, 1, 2, 1, 2}, {2, 1, false, 1, 2, 0, 2}, {1, 3, false, 1, 2, 1, 0}, {2, 3, false, 1, 2, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Col << "," << c.Row);
        EXPECT_EQ(c.Base, grid->IsBaseCell(c.Col, c.Row));
        EXPECT_TRUE(grid->IsMergedCell(c.Col, c.Row));
        EXPECT_EQ(1, grid->BaseCell(c.Col, c.Row).x);
        EXPECT_EQ(1, grid->BaseCell(c.Col, c.Row).y);
        EXPECT_EQ(c.SpanX, grid->CellSpan(c.Col, c.Row).x);
        EXPECT_EQ(c.SpanY, grid->CellSpan(c.Col, c.Row).y);
        EXPECT_EQ(c.ExtX, grid->CellExt(c.Col, c.Row).x);
        EXPECT_EQ(c.ExtY, grid->CellExt(c.Col, c.Row).y);
        EXPECT_EQ(L"base", grid->Cells(c.Col, c.Row));
    }
    EXPECT_TRUE(grid->IsXMergedCell(2, 3));
    EXPECT_TRUE(grid->IsYMergedCell(2, 3));

    // A write through any cell lands at the base.
    grid->SetCells(2, 3, L"via corner");
    EXPECT_EQ(L"via corner", grid->GetStoredCell(1, 1));
    EXPECT_EQ(L"via corner", grid->Cells(1, 2));
    EXPECT_EQ(L"inner", grid->GetStoredCell(2, 2));

    // The merged rectangle covers the whole area.
    TRect area = grid->CellRect(2, 2);
    TRect base = grid->TCustomGrid::CellRect(1, 1);
    TRect last = grid->TCustomGrid::CellRect(2, 3);
    EXPECT_EQ(base.left, area.left);
    EXPECT_EQ(base.top, area.top);
    EXPECT_EQ(last.left + grid->ColWidths(2), area.right);
    EXPECT_EQ(last.top + grid->RowHeights(3), area.bottom);

    // Splitting brings the cells' own texts back.
    grid->SplitCells(2, 2);
    EXPECT_EQ(0, grid->MergeCount());
    EXPECT_EQ(L"via corner", grid->Cells(1, 1));
    EXPECT_EQ(L"inner", grid->Cells(2, 2));
    EXPECT_FALSE(grid->IsMergedCell(1, 1));
}

TEST_F(BaseGrid, CellsOutsideAreasAndOneCellMerges)
{
    TCountingGrid* grid = Add();
    EXPECT_TRUE(grid->IsBaseCell(3, 3));
    EXPECT_EQ(3, grid->BaseCell(3, 3).x);
    EXPECT_EQ(0, grid->CellSpan(3, 3).x);
    EXPECT_EQ(0, grid->CellSpan(3, 3).y);
    grid->MergeCells(3, 3, 1, 1);
    EXPECT_FALSE(grid->IsMergedCell(3, 3));
    EXPECT_EQ(0, grid->GetCellProperties(3, 3)->CellSpanX());
    // A span below 1 merges nothing, but counts.
    grid->MergeCells(4, 4, 0, 2);
    EXPECT_FALSE(grid->HasCellProperties(4, 4));
    EXPECT_EQ(2, grid->MergeCount());
    // An area reaching past the grid is cut at its edge.
    grid->MergeCells(5, 5, 4, 4);
    EXPECT_EQ(1, grid->CellSpan(6, 6).x);
    EXPECT_EQ(1, grid->CellSpan(6, 6).y);
}

TEST_F(BaseGrid, RowAndColumnSpanComparisons)
{
    TCountingGrid* grid = Add(5, 8);
    EXPECT_EQ(grid->RowCount(), grid->MinRowSpan(2));
    EXPECT_FALSE(grid->RowSpanIdentical(1, 2));
    grid->MergeCells(1, 1, 1, 3);
    grid->MergeCells(3, 1, 1, 2);
    EXPECT_TRUE(grid->RowSpanIdentical(1, 2));
    // Columns merged in only one of the rows do not count; different areas do.
    EXPECT_TRUE(grid->RowSpanIdentical(2, 3));
    grid->MergeCells(3, 3, 1, 2);
    EXPECT_FALSE(grid->RowSpanIdentical(2, 3));
    EXPECT_EQ(1, grid->MinRowSpan(1));
    EXPECT_EQ(2, grid->MaxRowSpan(1));

    grid->MergeCells(1, 5, 2, 1);
    EXPECT_TRUE(grid->ColSpanIdentical(1, 2));
    EXPECT_FALSE(grid->ColSpanIdentical(2, 3));
}

TEST_F(BaseGrid, GridLinesAreTheGridsOwn)
{
    TCountingGrid* grid = Add();
    grid->SetGridLineWidth(3);
    EXPECT_EQ(3, grid->GridLineWidth());
    EXPECT_EQ(0, grid->TCustomGrid::GridLineWidth());
    grid->SetDefaultDrawing(true);
    EXPECT_TRUE(grid->DefaultDrawing());
    EXPECT_FALSE(grid->TCustomGrid::DefaultDrawing());
}

TEST_F(BaseGrid, CellsOutsideTheGridAreNeverTouched)
{
    TCountingGrid* grid = Add(4, 4);
    grid->SetCells(9, 1, L"x");
    grid->SetCells(-1, 1, L"x");
    grid->SetCellObject(1, 99, 5);
    EXPECT_EQ(L"", grid->Cells(9, 1));
    EXPECT_EQ(L"", grid->Cells(1, -3));
    EXPECT_EQ(0, grid->GetCellObject(1, 99));
    EXPECT_EQ(nullptr, grid->GetCellGraphic(-1, 0));
    grid->MergeCells(7, 7, 2, 2);
    grid->SplitCells(-2, 0);
    EXPECT_EQ(0, TCountedProps::Live);
    try {
        grid->GetCellProperties(4, 0);
        ADD_FAILURE() << "no error";
    } catch (const EAdvGridError& e) {
        EXPECT_EQ(L"Invalid column accessed", e.Message());
    }
    try {
        grid->GetCellProperties(0, 4);
        ADD_FAILURE() << "no error";
    } catch (const EAdvGridError& e) {
        EXPECT_EQ(L"Invalid row accessed", e.Message());
    }
}

TEST_F(BaseGrid, ArrowKeysLeaveMergedAreasAndLandOnBaseCells)
{
    TCountingGrid* grid = Add(7, 7);
    grid->SetFixedCols(0);
    grid->MergeCells(1, 1, 3, 2); // columns 1-3, rows 1-2
    grid->FocusCell(1, 1);
    WORD key = VK_RIGHT;
    grid->KeyDown(key, TShiftState());
    EXPECT_EQ(4, grid->Col());
    key = VK_LEFT;
    grid->KeyDown(key, TShiftState());
    EXPECT_EQ(1, grid->Col()); // into the area: snapped to its base
    EXPECT_EQ(1, grid->Row());
    key = VK_DOWN;
    grid->KeyDown(key, TShiftState());
    EXPECT_EQ(3, grid->Row());
}
