// Small public services around a cell's look: per-cell and per-row colours and alignment written
// into the cells' properties (each repaints what it changed), the plain text of a cell, and zoom.
#include <windows.h>
#include <commctrl.h>

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

bool TAdvStringGrid::GetCellReadOnly(int ACol, int ARow) { return GetCellProperties(ACol, ARow)->ReadOnly(); }

TControl* TAdvStringGrid::GetCellControl(int ACol, int ARow)
{
    TCellProperties* props = GetStoredObject(ACol, ARow);
    return props != nullptr ? props->Control() : nullptr;
}

void TAdvStringGrid::InitOrigColSizes()
{
    FOrigColSizes->Clear();
    for (int i = 0; i < ColCount(); ++i)
        FOrigColSizes->Add(ColWidths(i));
    FOldSize = Width();
}

void TAdvStringGrid::CellTextUpdated(int ACol, int ARow)
{
    if (!HasAutoRangeScrollBar(ACol, ARow)) return;
    TSize text = GetCellTextSize(ACol, ARow, true, true);
    SetScrollProp(ACol, ARow, TScrollProp{RowHeights(ARow), static_cast<int>(text.cy)});
}

// ---- Pan marker ------------------------------------------------------------------------------

namespace {

constexpr int PanMarkerSize = 32;

const wchar_t* PanMarkerResource(TIntelliPan Pan)
{
    switch (Pan) {
    case ipVertical: return L"INTLI3";
    case ipHorizontal: return L"INTLI2";
    default: return L"INTLI1";
    }
}

} // namespace

void TAdvStringGrid::DrawPanMarker()
{
    if (!HandleAllocated() || IntelliPan == ipNone) return;
    HBITMAP glyph = LoadBitmapW(GetModuleHandleW(nullptr), PanMarkerResource(IntelliPan));
    if (glyph == nullptr) return;
    BITMAP info{};
    GetObjectW(glyph, sizeof(info), &info);
    HDC screen = GetDC(FHandle);
    HDC source = CreateCompatibleDC(screen);
    HDC marker = CreateCompatibleDC(screen);
    HBITMAP white = CreateCompatibleBitmap(screen, PanMarkerSize, PanMarkerSize);
    HGDIOBJ oldSource = SelectObject(source, glyph);
    HGDIOBJ oldMarker = SelectObject(marker, white);
    PatBlt(marker, 0, 0, PanMarkerSize, PanMarkerSize, WHITENESS);
    BitBlt(marker, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    // The glyph's top-left pixel is its background.
    COLORREF key = GetPixel(marker, 0, 0);
    GdiTransparentBlt(screen, FWheel.PanOrigin.x, FWheel.PanOrigin.y, PanMarkerSize, PanMarkerSize, marker, 0, 0,
                      PanMarkerSize, PanMarkerSize, key);
    SelectObject(marker, oldMarker);
    SelectObject(source, oldSource);
    DeleteObject(white);
    DeleteDC(marker);
    DeleteDC(source);
    ReleaseDC(FHandle, screen);
    DeleteObject(glyph);
}

void TAdvStringGrid::InvalidatePanMarker()
{
    if (!HandleAllocated()) return;
    RECT r{FWheel.PanOrigin.x, FWheel.PanOrigin.y, FWheel.PanOrigin.x + PanMarkerSize, FWheel.PanOrigin.y + PanMarkerSize};
    ::InvalidateRect(FHandle, &r, TRUE);
}

// ---- Sizing permission -----------------------------------------------------------------------

void TAdvStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                     TGridDrawInfo& FixedInfo)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
    // The border being grabbed lies a few pixels right of (below) the cell it sizes.
    constexpr int BorderReach = 6;
    int col = -1, row = -1;
    if (State == gsColSizing && OnColumnSize) {
        MouseToCell(X - BorderReach, Y, col, row);
        if (row >= 0 && row < FixedRows()) {
            bool allow = true;
            OnColumnSize(this, col, allow);
            if (!allow) {
                State = gsNormal;
                FFixedCells.SizeCol = false;
            }
        }
    }
    if (State == gsRowSizing && OnRowSize) {
        MouseToCell(X, Y - BorderReach, col, row);
        if (col >= 0 && col < FixedCols()) {
            bool allow = true;
            OnRowSize(this, row, allow);
            if (!allow) {
                State = gsNormal;
                FFixedCells.SizeRow = false;
            }
        }
    }
}

// ---- Controls placed in cells ----------------------------------------------------------------

namespace {

constexpr UINT_PTR CellControlSubclassId = 0x4147;

LRESULT CALLBACK CellControlProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR, DWORD_PTR RefData)
{
    if (Msg == WM_NCDESTROY) RemoveWindowSubclass(Wnd, CellControlProc, CellControlSubclassId);
    LRESULT result = DefSubclassProc(Wnd, Msg, WParam, LParam);
    auto* grid = reinterpret_cast<TAdvStringGrid*>(RefData);
    if (Msg == WM_GETDLGCODE && grid->Options().Contains(goTabs))
        result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    return result;
}

} // namespace

void TAdvStringGrid::InstallCellControlProc(TWinControl* Control)
{
    if (Control == nullptr) return;
    SetWindowSubclass(Control->Handle(), CellControlProc, CellControlSubclassId, reinterpret_cast<DWORD_PTR>(this));
}
