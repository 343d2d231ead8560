#pragma once
// Unit CellTextPainter: a plain cell text drawn with the alignment and word wrap of the visual
// decision. Lines end at CR (a LF after it belongs to the same break); without word wrap or
// multi-line cells only the first line is shown. Markup and rich text have painters of their own.
#include "grid/foundation/CellVisual.h"

struct TCellTextOptions {
    bool Multilinecells = false; // every line of a text is shown, not only its first
    bool EnhTextSize = false;    // text that does not fit ends in an ellipsis
    bool RightToLeft = false;
};

// The DrawText format for a text under these options (without the right-to-left flag).
UINT CellTextFormat(const String& Text, bool WordWrap, TAlignment HA, TVAlignment VA, const TCellTextOptions& Options);

// Draws Text transparent in Rect with the canvas font; answers the vertical flag it used.
UINT PaintCellText(TCanvas* Canvas, const TCellVisual& Visual, TRect Rect, String Text, const TCellTextOptions& Options);
