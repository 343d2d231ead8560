#pragma once
// Unit CheckGlyphPainter: the check-box and radio-button glyphs of check cells, drawn into a
// rectangle by their state, so that the cell painter and printing draw them alike. Grayed (the
// third state) is for the partial row check box only; ask the cell object (IsGrayedCheck).
#include "framework/graphics/Canvas.h"

void PaintCheckGlyph(TCanvas* Canvas, const TRect& Rect, bool Checked, bool Enabled, bool Grayed, bool Flat);
void PaintRadioGlyph(TCanvas* Canvas, const TRect& Rect, bool Checked, bool Enabled, bool Flat);
