// Column and row headers written into the fixed row and column from their lists, kept in step
// with the lists, and the listed columns merged again whenever the list changes.
#include "framework/system/StringUtils.h"
#include "grid/control/AdvGrid.h"

void TAdvStringGrid::ShowColumnHeaders()
{
    if (FixedRows() == 0) return;
    for (int i = 0; i < FColumnHeaders->Count() && i < TotalColCount(); ++i)
        SetStoredCell(i, 0, StringReplace(FColumnHeaders->Strings(i), L"\\n", L"\r\n", rfReplaceAll));
    Invalidate();
}

void TAdvStringGrid::ClearColumnHeaders()
{
    for (int c = 0; c < TotalColCount(); ++c)
        SetStoredCell(c, 0, String());
    Invalidate();
}

void TAdvStringGrid::SetColumnHeaders(TStringList* Value)
{
    FColumnHeaders->Assign(Value);
    if (FixedRows() > 0) ClearColumnHeaders();
    ShowColumnHeaders();
}

void TAdvStringGrid::ShowRowHeaders()
{
    if (FixedCols() == 0) return;
    for (int i = 0; i < FRowHeaders->Count() && i < RowCount(); ++i)
        SetStoredCell(0, i, FRowHeaders->Strings(i));
    Invalidate();
}

void TAdvStringGrid::ClearRowHeaders()
{
    for (int r = 0; r < RowCount(); ++r)
        SetStoredCell(0, r, String());
    Invalidate();
}

void TAdvStringGrid::SetRowHeaders(TStringList* Value)
{
    FRowHeaders->Assign(Value);
    if (ComponentState().Contains(csDesigning) && FixedCols() > 0) ClearRowHeaders();
    ShowRowHeaders();
}

void TAdvStringGrid::BeforeShowHeaders() {}

void TAdvStringGrid::ColumnHeadersChanged(TObject*)
{
    BeforeShowHeaders();
    ShowColumnHeaders();
}

void TAdvStringGrid::RowHeadersChanged(TObject*) { ShowRowHeaders(); }

void TAdvStringGrid::MergedColumnsChanged()
{
    for (int c = 0; c < TotalColCount(); ++c)
        SplitColumnCells(c);
    for (int i = 0; i < FMergedColumns->Count(); ++i)
        MergeColumnCells(FMergedColumns->Items(i), i == 0);
}
