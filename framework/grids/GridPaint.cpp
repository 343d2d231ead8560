// Painting the grid: the lines of the four areas (fixed corner, fixed rows, fixed columns,
// scrollable cells) first, then the cells of each area through DrawCell, the row-select focus
// frame, and the empty client area in Color. The XOR feedback lines of sizing and moving are
// drawn straight on the window.
#include <algorithm>
#include <vector>

#include "framework/graphics/Colors.h"
#include "framework/graphics/DrawingGuards.h"
#include "framework/grids/Grids.h"

namespace {

// Vertical gradient from Start at the top to Stop at the bottom, in bands of at most 64 steps.
void FillGradient(HDC DC, const TRect& R, TColor Start, TColor Stop)
{
    int height = R.bottom - R.top;
    if (height <= 0 || R.right <= R.left) return;
    COLORREF c1 = static_cast<COLORREF>(ColorToRGB(Start)), c2 = static_cast<COLORREF>(ColorToRGB(Stop));
    int steps = std::min(height, 64);
    for (int i = 0; i < steps; ++i) {
        int top = R.top + height * i / steps, bottom = R.top + height * (i + 1) / steps;
        auto mix = [&](int a, int b) { return a + (b - a) * i / std::max(steps - 1, 1); };
        COLORREF c = RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)), mix(GetBValue(c1), GetBValue(c2)));
        HBRUSH brush = CreateSolidBrush(c);
        RECT band{R.left, top, R.right, bottom};
        FillRect(DC, &band, brush);
        DeleteObject(brush);
    }
}

// The dotted focus frame, in black and white whatever colours the canvas has set in the DC.
void DrawFocus(HDC DC, const TRect& R)
{
    COLORREF text = SetTextColor(DC, RGB(0, 0, 0));
    COLORREF back = SetBkColor(DC, RGB(255, 255, 255));
    DrawFocusRect(DC, &R);
    SetTextColor(DC, text);
    SetBkColor(DC, back);
}

// Draws the lines that follow each cell of one axis, across [MinorStart, MinorStop) of the
// other one, starting with cell Cell at Start and ending past Stop or the last visible cell.
void DrawAxisLines(HDC DC, const TGridAxisDrawInfo& Axis, int Cell, bool Vertical, int Start, int Stop, int MinorStart,
                   int MinorStop, int Width, TColor Color)
{
    if (Axis.EffectiveLineWidth == 0) return;
    HPEN pen;
    COLORREF rgb = static_cast<COLORREF>(ColorToRGB(Color));
    if (Width > 1) {
        LOGBRUSH lb{BS_SOLID, rgb, 0};
        pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, Width, &lb, 0, nullptr);
    } else {
        pen = CreatePen(PS_SOLID, 1, rgb);
    }
    HGDIOBJ old = SelectObject(DC, pen);
    int line = Start + (Axis.EffectiveLineWidth >> 1) + Axis.GetExtent(Cell);
    int stopMajor = Stop + Axis.EffectiveLineWidth;
    // Cells hidden with their line (extent -EffectiveLineWidth) take no line.
    int guard = Axis.GridCellCount + 2;
    do {
        if (Vertical) {
            MoveToEx(DC, line, MinorStart, nullptr);
            LineTo(DC, line, MinorStop);
        } else {
            MoveToEx(DC, MinorStart, line, nullptr);
            LineTo(DC, MinorStop, line);
        }
        int incr;
        do {
            ++Cell;
            incr = Axis.GetExtent(Cell) + Axis.EffectiveLineWidth;
        } while (incr <= 0 && Cell <= Axis.LastFullVisibleCell);
        line += incr;
    } while (line <= stopMajor && Cell <= Axis.LastFullVisibleCell && --guard > 0);
    SelectObject(DC, old);
    DeleteObject(pen);
}

} // namespace

void TCustomGrid::Paint()
{
    // Whatever asked for this paint is being answered (a paint into another DC included, which
    // only makes the next invalidation go to the window again).
    FWindow.WholeInvalid = false;
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    TGridDrawInfo info;
    CalcDrawInfo(info);
    bool designing = ComponentState().Contains(csDesigning);

    // The lines of one area; the lines whose option is on are drawn last so that they win at
    // the crossings.
    auto drawLines = [&](bool DoHorz, bool DoVert, int ACol, int ARow, int Left, int Top, int Right, int Bottom,
                         TColor OnColor, TColor OffColor) {
        if (Left == Right || Top == Bottom) return;
        auto horz = [&] {
            DrawAxisLines(dc, info.Vert, ARow, false, Top, Bottom, Left, Right, FGridLineWidth, DoHorz ? OnColor : OffColor);
        };
        auto vert = [&] {
            DrawAxisLines(dc, info.Horz, ACol, true, Left, Right, Top, Bottom, FGridLineWidth, DoVert ? OnColor : OffColor);
        };
        if (!DoHorz) {
            horz();
            vert();
        } else {
            vert();
            horz();
        }
    };

    if (info.Horz.EffectiveLineWidth > 0 || info.Vert.EffectiveLineWidth > 0) {
        TColor lineColor = ColorToRGB(Color()) == clSilver ? clGray : clSilver;
        bool fixedHorz = FOptions.Contains(goFixedHorzLine), fixedVert = FOptions.Contains(goFixedVertLine);
        drawLines(fixedHorz, fixedVert, 0, 0, 0, 0, info.Horz.FixedBoundary, info.Vert.FixedBoundary, clBlack, FFixedColor);
        drawLines(fixedHorz, fixedVert, FTopLeft.X, 0, info.Horz.FixedBoundary, 0, info.Horz.GridBoundary,
                  info.Vert.FixedBoundary, clBlack, FFixedColor);
        drawLines(fixedHorz, fixedVert, 0, FTopLeft.Y, 0, info.Vert.FixedBoundary, info.Horz.FixedBoundary,
                  info.Vert.GridBoundary, clBlack, FFixedColor);
        drawLines(FOptions.Contains(goHorzLine), FOptions.Contains(goVertLine), FTopLeft.X, FTopLeft.Y, info.Horz.FixedBoundary,
                  info.Vert.FixedBoundary, info.Horz.GridBoundary, info.Vert.GridBoundary, lineColor, Color());
    }

    TGridRect sel = Selection();
    UINT frameFlags1 = 0, frameFlags2 = 0;
    if (FOptions.Contains(goFixedVertLine)) {
        frameFlags1 = BF_RIGHT;
        frameFlags2 = BF_LEFT;
    }
    if (FOptions.Contains(goFixedHorzLine)) {
        frameFlags1 |= BF_BOTTOM;
        frameFlags2 |= BF_TOP;
    }
    bool focused = IsActiveControl();

    auto drawCells = [&](int ACol, int ARow, int StartX, int StartY, int StopX, int StopY, TColor AColor,
                         TGridDrawState IncludeDrawState) {
        TRect where;
        where.top = StartY;
        for (int row = ARow; where.top < StopY && row < FRowCount; ++row) {
            where.left = StartX;
            where.bottom = where.top + FRowHeights[row];
            for (int col = ACol; where.left < StopX && col < FColCount; ++col) {
                where.right = where.left + FColWidths[col];
                if (where.right > where.left && RectVisible(dc, &where)) {
                    TGridDrawState state = IncludeDrawState;
                    if (focused && row == FCurrent.Y && col == FCurrent.X) state.Include(gdFocused);
                    if (PointInGridRect(col, row, sel)) state.Include(gdSelected);
                    if (!state.Contains(gdFocused) || !FOptions.Contains(goEditing) || !FEditorMode || designing) {
                        if (FDefaultDrawing || designing) {
                            canvas->SetFont(Font());
                            if (state.Contains(gdSelected) &&
                                (!state.Contains(gdFocused) || !(TGridOptions{goDrawFocusSelected, goRowSelect} * FOptions).Empty())) {
                                canvas->Brush()->SetColor(clHighlight);
                                canvas->Font()->SetColor(clHighlightText);
                                canvas->FillRect(where);
                            } else if (state.Contains(gdFixed) && FDrawingStyle == gdsGradient) {
                                // The cell's own drawing goes over the gradient without filling.
                                canvas->Brush()->SetColor(AColor);
                                FillGradient(canvas->Handle(), where, FGradientStartColor, FGradientEndColor);
                                canvas->Brush()->SetStyle(bsClear);
                            } else {
                                canvas->Brush()->SetColor(AColor);
                                canvas->FillRect(where);
                            }
                        }
                        DrawCell(col, row, where, state);
                        canvas->Brush()->SetStyle(bsSolid);
                        if (FDefaultDrawing && state.Contains(gdFixed) && Ctl3D() && FDrawingStyle != gdsGradient &&
                            (frameFlags1 | frameFlags2) != 0) {
                            TRect edge = where;
                            if ((frameFlags1 & BF_RIGHT) == 0)
                                edge.right += info.Horz.EffectiveLineWidth;
                            else if ((frameFlags1 & BF_BOTTOM) == 0)
                                edge.bottom += info.Vert.EffectiveLineWidth;
                            DrawEdge(canvas->Handle(), &edge, BDR_RAISEDINNER, frameFlags1);
                            DrawEdge(canvas->Handle(), &edge, BDR_RAISEDINNER, frameFlags2);
                        }
                        if (FDefaultDrawing && !designing && state.Contains(gdFocused) &&
                            (TGridOptions{goEditing, goAlwaysShowEditor} * FOptions) != TGridOptions{goEditing, goAlwaysShowEditor} &&
                            !FOptions.Contains(goRowSelect)) {
                            DrawFocus(canvas->Handle(), where);
                        }
                    }
                }
                where.left = where.right + info.Horz.EffectiveLineWidth;
            }
            where.top = where.bottom + info.Vert.EffectiveLineWidth;
        }
    };

    drawCells(0, 0, 0, 0, info.Horz.FixedBoundary, info.Vert.FixedBoundary, FFixedColor, {gdFixed});
    drawCells(FTopLeft.X, 0, info.Horz.FixedBoundary, 0, info.Horz.GridBoundary, info.Vert.FixedBoundary, FFixedColor, {gdFixed});
    drawCells(0, FTopLeft.Y, 0, info.Vert.FixedBoundary, info.Horz.FixedBoundary, info.Vert.GridBoundary, FFixedColor, {gdFixed});
    drawCells(FTopLeft.X, FTopLeft.Y, info.Horz.FixedBoundary, info.Vert.FixedBoundary, info.Horz.GridBoundary,
              info.Vert.GridBoundary, Color(), {});

    if (!designing && FOptions.Contains(goRowSelect) && FDefaultDrawing && Focused()) {
        TRect focusRect;
        GridRectToScreenRect(Selection(), focusRect, false);
        DrawFocus(canvas->Handle(), focusRect);
    }

    // What no cell covers.
    canvas->Brush()->SetColor(Color());
    if (info.Horz.GridBoundary < info.Horz.GridExtent)
        canvas->FillRect(Rect(info.Horz.GridBoundary, 0, info.Horz.GridExtent, info.Vert.GridBoundary));
    if (info.Vert.GridBoundary < info.Vert.GridExtent)
        canvas->FillRect(Rect(0, info.Vert.GridBoundary, info.Horz.GridExtent, info.Vert.GridExtent));
}

void TCustomGrid::DrawSizingLine(const TGridDrawInfo& DrawInfo)
{
    if (!HandleAllocated()) return;
    TWindowDCGuard window(FHandle);
    HDC dc = window.DC();
    HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    {
        TSavedDC saved(dc);
        SelectObject(dc, pen);
        SetROP2(dc, R2_NOT);
        SetBkMode(dc, TRANSPARENT);
        if (FGridState == gsRowSizing) {
            MoveToEx(dc, 0, FSizingPos, nullptr);
            LineTo(dc, DrawInfo.Horz.GridBoundary, FSizingPos);
        } else {
            MoveToEx(dc, FSizingPos, 0, nullptr);
            LineTo(dc, FSizingPos, DrawInfo.Vert.GridBoundary);
        }
    }
    DeleteObject(pen);
}

void TCustomGrid::DrawMove()
{
    if (!HandleAllocated()) return;
    TWindowDCGuard window(FHandle);
    HDC dc = window.DC();
    HPEN pen = CreatePen(PS_SOLID, 5, RGB(0, 0, 0));
    {
        TSavedDC saved(dc);
        SelectObject(dc, pen);
        SetROP2(dc, R2_NOT);
        if (FGridState == gsRowMoving) {
            TRect r = CellRect(0, FMovePos);
            int pos = FMovePos > FMoveIndex ? r.bottom : r.top;
            MoveToEx(dc, 0, pos, nullptr);
            LineTo(dc, ClientWidth(), pos);
        } else {
            TRect r = CellRect(FMovePos, 0);
            int pos = FMovePos > FMoveIndex ? r.right : r.left;
            MoveToEx(dc, pos, 0, nullptr);
            LineTo(dc, pos, ClientHeight());
        }
    }
    DeleteObject(pen);
}
