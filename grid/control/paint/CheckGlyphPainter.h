#pragma once
// Unit CheckGlyphPainter: the check-box and radio-button glyphs of check cells, drawn into a
// rectangle by their state, so that the cell painter and printing draw them alike. Grayed (the
// third state) is for the partial row check box only; ask the cell object (IsGrayedCheck).
#include "framework/classes/StringList.h"
#include "framework/graphics/Canvas.h"

void PaintCheckGlyph(TCanvas* Canvas, const TRect& Rect, bool Checked, bool Enabled, bool Grayed, bool Flat);
void PaintRadioGlyph(TCanvas* Canvas, const TRect& Rect, bool Checked, bool Enabled, bool Flat);

// The look of a check box by the grid's control style (a TGridControlStyle ordinal) in a square of
// Size at Rect's top-left, or centred in Rect for the frame-control styles. Styles whose pictures
// are missing (empty glyphs, no visual styles) fall back to the classic frame control.
struct TCheckGlyphLook {
    int Style = 0;
    int Size = 15;
    bool Themed = false;            // visual styles are on (csTheme draws through them)
    HWND Window = nullptr;          // whose visual styles
    TColor MarkColor = 0;           // the drawn check mark (csVelmark)
    TGraphic* CheckedGlyph = nullptr; // csGlyph
    TGraphic* UnCheckedGlyph = nullptr;
};
void PaintStyledCheckGlyph(TCanvas* Canvas, const TRect& Rect, bool Checked, bool Enabled, bool Grayed,
                           const TCheckGlyphLook& Look);

// Count radio buttons side by side (Horizontal) or stacked, item i checked when it is
// SelectedIndex, or, with SelectedIndex -1, when its caption is CellText. Reverse stacks upwards
// (a mapping mode that counts y up); Scale grows the frame-control styles' glyphs.
struct TRadioGroupItems {
    int Count = 1;
    int SelectedIndex = -1;
    bool Horizontal = false;
    bool Disabled = false;
    TStrings* Captions = nullptr;
    String CellText;
    TColor CaptionColor = clNone; // the selection's text colour for a selected cell
};
struct TRadioGlyphLook {
    int Style = 0;
    int RadioSize = 10;
    double Scale = 1.0;
    bool Reverse = false;
    bool Themed = false;
    HWND Window = nullptr;
    TColor MarkColor = 0;
    TGraphic* OnGlyph = nullptr; // csGlyph
    TGraphic* OffGlyph = nullptr;
};
void PaintRadioGroupGlyphs(TCanvas* Canvas, const TRect& Rect, const TRadioGroupItems& Items,
                           const TRadioGlyphLook& Look);
