// The display hooks: each computes the grid's own answer for a cell, then lets the application's
// event change it.
#include "grid/control/AdvGrid.h"

bool TAdvStringGrid::IsFixed(int ACol, int ARow)
{
    TPoint base = BaseCell(RealColIndex(ACol), ARow);
    int displayCol = DisplColIndex(base.x);
    if (base.y >= RowCount() - FFixedFooters && base.y < RowCount()) return true;
    if (displayCol >= ColCount() - FFixedRightCols && displayCol < ColCount()) return true;
    bool isFixed = false;
    DoIsFixedCell(base.x, base.y, isFixed);
    return isFixed;
}

void TAdvStringGrid::DoIsFixedCell(int ACol, int ARow, bool& IsFixed)
{
    // A grid whose rows (columns) are all fixed ones counts every row (column) as fixed.
    IsFixed = IsFixed || (FixedRowAlways && RowCount() == FFixedRowsMin && ARow < FFixedRowsMin) ||
              (FixedColAlways && ColCount() == FFixedColsMin && ACol < FFixedColsMin) || ACol < FixedCols() ||
              ARow < FixedRows();
    if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TAdvStringGrid::UnitChanged(TObject*, const String& NewUnit)
{
    if (OnUnitChanged) OnUnitChanged(this, Col(), Row(), NewUnit);
}
