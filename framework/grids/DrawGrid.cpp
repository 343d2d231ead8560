// TCustomDrawGrid: the grid's protocol handed to events, for grids whose cells the program
// paints and whose texts it keeps itself.
#include "framework/grids/Grids.h"

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow)
{
    bool result = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, result);
    return result;
}

String TCustomDrawGrid::GetEditMask(int ACol, int ARow)
{
    String result;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, result);
    return result;
}

String TCustomDrawGrid::GetEditText(int ACol, int ARow)
{
    String result;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, result);
    return result;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const String& Value)
{
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

void TCustomDrawGrid::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}
