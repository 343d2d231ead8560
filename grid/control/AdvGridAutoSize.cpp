// Automatic sizing of columns and rows to the cells' contents (texts and cell graphics), within
// the grid's minimum and maximum sizes.
#include <algorithm>

#include "framework/system/ScopeGuards.h"
#include "grid/control/AdvGrid.h"

int TAdvStringGrid::TotalXOffset() const { return XYOffset.x + (XYOffsetTopLeftOnly ? 0 : XYOffset.x); }

void TAdvStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    TUpdateGuard<TAdvStringGrid> update(*this);
    const int firstCol = DoFixedCells ? 0 : FixedCols();
    const int firstRow = DoFixedCells ? 0 : FixedRows();
    for (int c = firstCol; c < ColCount(); ++c) {
        const int realCol = RealColIndex(c);
        int width = SizeGrowOnly ? ColWidths(c) : 0;
        for (int r = firstRow; r < RowCount(); ++r) {
            TPoint graphic = GetCellGraphicSize(realCol, r);
            TSize text = GetCellTextSize(realCol, r, false, false);
            const bool merged = IsMergedCell(realCol, r);
            int cellWidth = text.cx + graphic.x + PaddingX + XYOffset.x;
            int cellHeight = text.cy + graphic.y + PaddingY + XYOffset.y;
            if (!merged && cellWidth > width) {
                int clamped = ClampToLimits(cellWidth, MinColWidth, MaxColWidth);
                if (clamped > width) {
                    width = clamped;
                    SetColWidths(c, clamped);
                }
            }
            if (!merged && cellHeight > RowHeights(r)) {
                int clamped = ClampToLimits(cellHeight, MinRowHeight, MaxRowHeight);
                if (clamped > RowHeights(r)) SetRowHeights(r, clamped);
            }
        }
    }
}

void TAdvStringGrid::AutoSizeColumnWidth(int ACol, bool GrowOnly)
{
    int first = 0, last = RowCount() - 1;
    switch (FColumnSize->Rows) {
    case arNormal:
        first = FixedRows();
        last = RowCount() - FFixedFooters;
        break;
    case arFixed: last = FixedRows(); break;
    case arAll: break;
    }
    last = std::min(last, RowCount() - 1);
    const int realCol = RealColIndex(ACol);
    const int lineRoom = 2 * (GridLineWidth() + 1);
    int largest = 0;
    for (int r = first; r <= last; ++r) {
        if (IsMergedCell(realCol, r)) continue;
        TPoint graphic = GetCellGraphicSize(realCol, r);
        int w = graphic.x + GetCellTextSize(realCol, r, false, false).cx;
        TCellGraphic* cellGraphic = GetCellGraphic(realCol, r);
        if (cellGraphic != nullptr && cellGraphic->CellHAlign() == haFull) w = graphic.x - lineRoom - XYOffset.x;
        largest = std::max(largest, w);
    }
    const int width = TotalXOffset() + largest + lineRoom;
    if (!GrowOnly || ColWidths(ACol) < width) SetColWidths(ACol, ClampToLimits(width, MinColWidth, MaxColWidth));
}

void TAdvStringGrid::AutoSizeCol(int ACol, int Padding)
{
    AutoSizeColumnWidth(ACol, SizeGrowOnly);
    if (Padding != 0) SetColWidths(ACol, ClampToLimits(ColWidths(ACol) + Padding, MinColWidth, MaxColWidth));
}

void TAdvStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int first = DoFixedCols ? 0 : FixedCols();
    const int last = DoFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    for (int c = first; c <= last; ++c)
        AutoSizeCol(c, Padding);
}
