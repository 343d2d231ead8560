// Cells reached by real row (hidden rows answer from the hidden-row store), the current cell's
// text, and the translation between sorted display rows and the rows as they were before sorting.
#include "grid/control/AdvGrid.h"

TStringList* TAdvStringGrid::HiddenRowStrings(int RealRow) const
{
    if (RealRow < 0 || NumHiddenRows() == 0) return nullptr;
    for (int i = 0; i < NumHiddenRows(); ++i)
        if (HiddenRowItem(i)->Idx == RealRow) return HiddenRowItem(i)->Items();
    return nullptr;
}

String TAdvStringGrid::GetCellAtRealRow(int ACol, int RealRow)
{
    if (ACol < 0 || RealRow < 0) return String();
    if (TStringList* hidden = HiddenRowStrings(RealRow)) {
        String value = ACol < hidden->Count() ? hidden->Strings(ACol) : String();
        DoGetDisplText(ACol, RealRow, value);
        return value;
    }
    int row = RealToDisplRow(RealRow);
    return row >= 0 && row < RowCount() ? Cells(ACol, row) : String();
}

TObject* TAdvStringGrid::GetObjectAtRealRow(int ACol, int RealRow)
{
    if (ACol < 0 || RealRow < 0) return nullptr;
    if (TStringList* hidden = HiddenRowStrings(RealRow)) {
        if (ACol >= hidden->Count()) return nullptr;
        return GraphicFromProperties(dynamic_cast<TCellProperties*>(hidden->Objects(ACol)));
    }
    int row = RealToDisplRow(RealRow);
    return row >= 0 && row < RowCount() ? Objects(ACol, row) : nullptr;
}

String TAdvStringGrid::CurrentCell()
{
    TPoint base = BaseCell(RealCol(), Row());
    return GetStoredCell(base.x, base.y);
}

void TAdvStringGrid::SetCurrentCell(const String& Value)
{
    TPoint base = BaseCell(RealCol(), Row());
    SetStoredCell(base.x, base.y, Value);
    RepaintCell(DisplColIndex(base.x), base.y);
}

String TAdvStringGrid::GetCurrentCellText()
{
    TPoint base = BaseCell(RealCol(), Row());
    return Cells(base.x, base.y);
}

void TAdvStringGrid::SetCurrentCellText(const String& Value)
{
    TPoint base = BaseCell(RealCol(), Row());
    // The edit-text setter takes a display column, as the editors hand it over.
    SetEditText(DisplColIndex(base.x), base.y, Value);
}

int TAdvStringGrid::SortedRowIndex(int ARow) const
{
    if (ARow >= 0 && ARow < FSortRowXRef->Count()) return DisplToRealRow(FSortRowXRef->Items(ARow));
    return DisplToRealRow(ARow);
}

int TAdvStringGrid::UnSortedRowIndex(int ARow) const
{
    if (FSortRowXRef->Count() == 0) return ARow;
    for (int i = 0; i < FSortRowXRef->Count(); ++i)
        if (FSortRowXRef->Items(i) == ARow) return i;
    return FSortRowXRef->Count();
}
