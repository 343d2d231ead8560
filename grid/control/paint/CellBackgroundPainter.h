#pragma once
// Unit CellBackgroundPainter: a cell's background as the visual decision asks for it: the rounded
// selection box of the Vista, Windows 7 and Office 2007 selection styles, else a mirrored
// gradient, else a stepped gradient (solid when it has no end colour).
#include "grid/foundation/CellVisual.h"

// Colours of the rounded selection box: fill from/to, outer lines, inner top and bottom lines,
// corner pixels, lower half from/to (clNone: none).
struct TSelectionBoxColors {
    TColor From, To, Border, InnerTop, InnerBottom, Corner, MirrorFrom, MirrorTo;
};

// The colours of a selection style; an unfocused grid shows the same grey box for every style.
TSelectionBoxColors SelectionBoxColors(TGridSelectionStyle Style, bool Focused);

// Leaves the canvas brush and pen in the cell's colour, as the steps after it expect.
void PaintCellBackground(TCanvas* Canvas, const TCellVisual& Visual, const TRect& Rect);
