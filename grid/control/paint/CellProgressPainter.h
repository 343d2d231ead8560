#pragma once
// Unit CellProgressPainter: the cell graphics that show a value or a mark rather than a picture:
// progress bars (plain and with the grid's progress appearance), progress pies, range indicators,
// ratings, shapes and the comment corner. The grid gathers the values; this draws them.
#include "framework/graphics/Canvas.h"
#include "grid/foundation/AdvObj.h"
#include "grid/foundation/AdvUtil.h"

// The share of Min..Max that Value reaches, in whole percent (0..100). Equal limits have no
// share: 0 below them, 100 at or above them.
int ProgressPercent(double Value, double Min, double Max);

struct TCellValuePaint {
    double Value = 0;              // the cell's number
    int MarginX = 2, MarginY = 2;  // the progress bars' inset in the cell
    TColor ProgressBorderColor = clGray;
    TColor CommentColor = clRed;   // clNone: comments show no corner
    TXPProgressAppearance Appearance; // the look of ctXPProgress bars
    TFont* Font = nullptr;         // their percentage's font
    // ctProgress drawn as the visual styles' progress bar (bar and chunk) instead of the grid's own.
    bool ThemedProgress = false;
    HWND Window = nullptr;
};

// Draws the kinds this unit knows into Cell (the bars) or Dest (the rest); false for other kinds.
bool PaintCellValueGraphic(TCanvas* Canvas, const TCellGraphic& Graphic, const TRect& Cell, const TRect& Dest,
                           const TCellValuePaint& Paint);
