#pragma once
// Unit CellBorderPainter: the borders a cell asks for (left, top, right, bottom), each with its
// own pen, drawn over the grid lines around the cell.
#include "framework/graphics/Canvas.h"
#include "grid/foundation/AdvObj.h"

struct TCellBorderPens {
    TPen* Left = nullptr;
    TPen* Top = nullptr;
    TPen* Right = nullptr;
    TPen* Bottom = nullptr;
};

// Rect: the cell's rectangle grown by one pixel. PenWidth is the width the border hook left on
// the canvas pen; it moves the lines in where the grid draws vertical or horizontal lines.
void PaintCellBorders(TCanvas* Canvas, TRect Rect, TCellBorders Borders, const TCellBorderPens& Pens, int PenWidth,
                      int GridLineWidth, bool VertLines, bool HorzLines);
