#pragma once
// Unit FocusRectPainter: the dotted focus frame of the current cell, drawn last so that nothing
// paints over it. Rect is the cell rectangle grown by one pixel (the frame the borders use).
#include "grid/foundation/CellVisual.h"

void PaintCellFocus(TCanvas* Canvas, const TRect& Rect, int GridLineWidth);
