#pragma once
// Unit SortIndicatorPainter: the sort indicator of a header cell: the hollow up or down triangle
// of the sort direction (or the caller's glyphs), and for a multi-column sort the position of the
// column in the sort order, over a filled triangle (or the index glyphs).
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

struct TSortIndicatorLook {
    bool Descending = false;
    // Multi-column sort: the column's place in the sort order (0 first), -1 when it has none.
    bool IndexShow = false;
    int IndexPosition = -1;
    bool IndexDescending = false;
    TColor IndexColor = 0x00FFFF;
    TBitmap* UpGlyph = nullptr;
    TBitmap* DownGlyph = nullptr;
    TBitmap* IndexUpGlyph = nullptr;
    TBitmap* IndexDownGlyph = nullptr;
    TColor FixedColor = clBtnFace; // the canvas background after a glyph is drawn
};

// Both glyphs of the pair that the look uses are there (index glyphs with IndexShow).
bool SortIndicatorHasGlyphs(const TSortIndicatorLook& Look);
// The width of those glyphs, 0 when drawn as triangles.
int SortIndicatorGlyphWidth(const TSortIndicatorLook& Look);
// Draws the indicator centred about (X, Y).
void PaintSortIndicator(TCanvas* Canvas, int X, int Y, const TSortIndicatorLook& Look);
