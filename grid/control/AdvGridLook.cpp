// Small public services around a cell's look: per-cell and per-row colours and alignment written
// into the cells' properties (each repaints what it changed), the plain text of a cell, and zoom.
#include "framework/system/ScopeGuards.h"
#include "grid/control/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"

void TAdvStringGrid::SetCellBrushColor(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColor(Value);
    if (UpdateCount() == 0) RepaintCell(DisplColIndex(ACol), ARow);
}

void TAdvStringGrid::SetCellBrushColorTo(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColorTo(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TAdvStringGrid::SetCellFontColor(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetFontColor(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TAdvStringGrid::SetCellAlignment(int ACol, int ARow, TAlignment Value)
{
    GetCellProperties(ACol, ARow)->SetAlignment(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TColor TAdvStringGrid::GetCellBrushColor(int ACol, int ARow)
{
    TCellProperties* props = GetStoredObject(ACol, ARow);
    return props != nullptr ? props->BrushColor() : clNone;
}

void TAdvStringGrid::ForRowCells(int ARow, const std::function<bool(TCellProperties*)>& FreeInstead, TColor Value,
                                 void (TCellProperties::*Setter)(TColor))
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone) {
            TCellProperties* props = GetStoredObject(c, ARow);
            if (props != nullptr && FreeInstead(props)) FreeCellProperties(c, ARow);
            else if (props != nullptr) (props->*Setter)(Value);
        } else {
            (GetCellProperties(c, ARow)->*Setter)(Value);
        }
    }
    RepaintRow(ARow);
}

void TAdvStringGrid::SetRowBrushColor(int ARow, TColor Value)
{
    ForRowCells(ARow, [](TCellProperties*) { return true; }, Value, &TCellProperties::SetBrushColor);
}

void TAdvStringGrid::SetRowBrushColorTo(int ARow, TColor Value)
{
    ForRowCells(ARow, [](TCellProperties*) { return true; }, Value, &TCellProperties::SetBrushColorTo);
}

void TAdvStringGrid::SetRowFontColor(int ARow, TColor Value)
{
    // A cell with a brush colour of its own keeps its properties and loses only the font colour.
    ForRowCells(ARow, [](TCellProperties* props) { return props->BrushColor() == clNone; }, Value,
                &TCellProperties::SetFontColor);
}

String TAdvStringGrid::GetCellPlainText(int ACol, int ARow) { return StripMarkup(ReadCellText(ACol, ARow)); }

void TAdvStringGrid::Zoom(int X)
{
    if (ZoomFactor + X < -10 || ZoomFactor + X > 10) return;
    TUpdateGuard<TAdvStringGrid> update(*this);
    ZoomFactor += X;
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + X > 0) SetColWidths(c, ColWidths(c) + X);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) > 0 && RowHeights(r) + X > 0) SetRowHeights(r, RowHeights(r) + X);
}
