#include "grid/control/paint/CheckGlyphPainter.h"

namespace {

void PaintFrameGlyph(TCanvas* Canvas, const TRect& Rect, UINT State)
{
    if (Canvas == nullptr || Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
    RECT r = Rect;
    DrawFrameControl(Canvas->Handle(), &r, DFC_BUTTON, State);
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
