#pragma once
// Unit CheckGlyphPainter: the check-box and radio-button glyphs of check cells, drawn into a
// rectangle by their state, so that the cell painter and printing draw them alike. Grayed (the
// third state) is for the partial row check box only; ask the cell object (IsGrayedCheck).
#include "framework/graphics/Canvas.h"

void PaintCheckGlyph(TCanvas* Canvas, const TRect& Rect, bool Checked, bool Enabled, bool Grayed, bool Flat);
void PaintRadioGlyph(TCanvas* Canvas, const TRect& Rect, bool Checked, bool Enabled, bool Flat);

// The look of a check box by the grid's control style (a TGridControlStyle ordinal) in a square of
// Size at Rect's top-left, or centred in Rect for the frame-control styles. Styles whose pictures
// are missing (empty glyphs, no visual styles) fall back to the classic frame control.
struct TCheckGlyphLook {
    int Style = 0;
    int Size = 15;
    TColor MarkColor = 0;           // the drawn check mark (csVelmark)
    TGraphic* CheckedGlyph = nullptr; // csGlyph
    TGraphic* UnCheckedGlyph = nullptr;
};
void PaintStyledCheckGlyph(TCanvas* Canvas, const TRect& Rect, bool Checked, bool Enabled, bool Grayed,
                           const TCheckGlyphLook& Look);
