#include "grid/control/paint/CheckGlyphPainter.h"

#include "framework/graphics/Graphic.h"

namespace {

// The ordinals of the grid's control styles this painter tells apart.
enum { StyleClassic = 0, StyleFlat = 1, StyleVelmark = 3, StyleGlyph = 5 };

void PaintFrameGlyph(TCanvas* Canvas, const TRect& Rect, UINT State)
{
    if (Canvas == nullptr || Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
    RECT r = Rect;
    DrawFrameControl(Canvas->Handle(), &r, DFC_BUTTON, State);
}

void PaintVelmarkCheck(TCanvas* Canvas, const TRect& R, bool Checked, bool Enabled, const TCheckGlyphLook& Look)
{
    Canvas->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
    Canvas->Pen()->SetColor(clBtnFace);
    Canvas->Rectangle(R);
    auto line = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
        Canvas->Pen()->SetColor(Color);
        Canvas->MoveTo(X1, Y1);
        Canvas->LineTo(X2, Y2);
    };
    line(clBtnHighlight, R.left, R.bottom - 1, R.left, R.top);
    line(clBtnHighlight, R.left, R.top, R.right - 1, R.top);
    line(clBtnShadow, R.right - 1, R.top, R.right - 1, R.bottom - 1);
    line(clBtnShadow, R.right - 1, R.bottom - 1, R.left, R.bottom - 1);
    if (!Checked) return;
    Canvas->Pen()->SetColor(Enabled ? Look.MarkColor : TColor(0x808080));
    Canvas->Pen()->SetWidth(2);
    Canvas->MoveTo(R.left + 2, R.top + Look.Size / 2);
    Canvas->LineTo(R.left + Look.Size / 2 - 1, R.bottom - 3);
    Canvas->LineTo(R.right - 2, R.top + 3);
    Canvas->Pen()->SetWidth(1);
}

} // namespace

void PaintCheckGlyph(TCanvas* Canvas, const TRect& Rect, bool Checked, bool Enabled, bool Grayed, bool Flat)
{
    UINT state = Grayed ? DFCS_BUTTON3STATE | DFCS_CHECKED : DFCS_BUTTONCHECK;
    if (Checked) state |= DFCS_CHECKED;
    if (!Enabled) state |= DFCS_INACTIVE;
    if (Flat) state |= DFCS_FLAT;
    PaintFrameGlyph(Canvas, Rect, state);
}

void PaintRadioGlyph(TCanvas* Canvas, const TRect& Rect, bool Checked, bool Enabled, bool Flat)
{
    UINT state = DFCS_BUTTONRADIO;
    if (Checked) state |= DFCS_CHECKED;
    if (!Enabled) state |= DFCS_INACTIVE;
    if (Flat) state |= DFCS_FLAT;
    PaintFrameGlyph(Canvas, Rect, state);
}

void PaintStyledCheckGlyph(TCanvas* Canvas, const TRect& Rect, bool Checked, bool Enabled, bool Grayed,
                           const TCheckGlyphLook& Look)
{
    if (Canvas == nullptr) return;
    const TRect square{Rect.left, Rect.top, Rect.left + Look.Size, Rect.top + Look.Size};
    if (Look.Style == StyleVelmark) {
        PaintVelmarkCheck(Canvas, square, Checked, Enabled, Look);
        return;
    }
    if (Look.Style == StyleGlyph) {
        TGraphic* glyph = Checked ? Look.CheckedGlyph : Look.UnCheckedGlyph;
        if (glyph != nullptr && !glyph->Empty()) Canvas->Draw(Rect.left, Rect.top, glyph);
        return;
    }
    // The frame control draws the box centred in a square of the check size.
    const int cx = (Rect.left + Rect.right - Look.Size) / 2, cy = (Rect.top + Rect.bottom - Look.Size) / 2;
    PaintCheckGlyph(Canvas, TRect{cx, cy, cx + Look.Size, cy + Look.Size}, Checked, Enabled, Grayed,
                    Look.Style == StyleFlat);
}
