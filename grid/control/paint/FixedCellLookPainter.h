#pragma once
// Unit FixedCellLookPainter: what the grid look adds to a fixed cell. The fill runs before the
// text (the header gradient of the XP-style looks, the active-cell header, the list-view button
// face); the edges run after it (the raised frame of glClassic, the light and dark lines of
// glQRX, glXP and glSoft, the grey lines of a flat grid's right fixed columns).
#include "grid/foundation/CellVisual.h"

// Rect: the content rectangle the base grid left inside the lines.
void PaintFixedCellFill(TCanvas* Canvas, const TCellVisual& Visual, const TRect& Rect);
// Rect: the content rectangle grown by one pixel on every side.
void PaintFixedCellEdges(TCanvas* Canvas, const TCellVisual& Visual, const TRect& Rect);
