#pragma once
// Unit CellMarkupPainter: a cell text holding markup, drawn by the markup renderer inside the
// cell's text rectangle with the grid's pictures, link colour and blink phase. The background,
// lines and focus are the other painters'; this one draws only the text.
#include "grid/foundation/CellVisual.h"

class TCustomImageList;
class TPictureContainer;
class THTMLPictureCache;

struct TCellMarkupOptions {
    TCustomImageList* Images = nullptr;    // IMG SRC="IDX:n"
    TPictureContainer* Pictures = nullptr; // IMG SRC="name"
    THTMLPictureCache* Cache = nullptr;    // IMG SRC="file://..." and "res://...", kept between cells
    TColor LinkColor = clBlue;
    bool InSelection = false;  // the cell shows the selection colours: tags keep the text colour
    bool ButtonDown = false;   // drawn push buttons show pressed
    bool BlinkVisible = true;  // the grid's blink phase
    bool EnhTextSize = false;  // text that does not fit ends in an ellipsis instead of wrapping
    HWND Window = nullptr;     // whose visual styles the drawn controls use
    int BiDi = 0;
};

// Draws Markup in Rect with the canvas font; answers the width of the drawn text plus 2.
int PaintCellMarkup(TCanvas* Canvas, TRect Rect, const String& Markup, const TCellMarkupOptions& Options);
// The size Markup takes laid out in Rect (wrapped at its width), plus 2 each way; draws nothing.
TSize MeasureCellMarkup(TCanvas* Canvas, const TRect& Rect, const String& Markup, const TCellMarkupOptions& Options);
