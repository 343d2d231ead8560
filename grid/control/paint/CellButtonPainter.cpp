#include "grid/control/paint/CellButtonPainter.h"

#include "grid/foundation/AdvUtil.h"

void PaintCellButton(TCanvas* Canvas, TRect Dest, const String& Caption, const TCellButtonLook& Look)
{
    if (Canvas == nullptr || Dest.right <= Dest.left || Dest.bottom <= Dest.top) return;
    const TColor brush = Canvas->Brush()->Color();
    Canvas->Brush()->SetColor(clBtnFace);
    UINT state = DFCS_BUTTONPUSH;
    if (Look.Flat) state |= DFCS_FLAT;
    if (Look.Pressed) state |= DFCS_PUSHED;
    if (!Look.Enabled) state |= DFCS_INACTIVE;
    // Visual-styles push button states: normal 1, pressed 3, disabled 4.
    const int themedState = !Look.Enabled ? 4 : Look.Pressed ? 3 : 1;
    if (!Look.Themed || !PaintThemedPart(Canvas, Look.Window, L"button", 1, themedState, Dest)) {
        RECT face = Dest;
        DrawFrameControl(Canvas->Handle(), &face, DFC_BUTTON, state);
    }
    const int inset = Look.Pressed ? 3 : 2;
    InflateRect(&Dest, -inset, -inset);
    if (Look.Glyph != nullptr && !Look.Glyph->Empty()) {
        // The glyph's bottom-left pixel is its see-through colour; the caller's bitmap is not changed.
        const int w = Look.Glyph->Width(), h = Look.Glyph->Height();
        const TColor key = Look.Glyph->Canvas()->Pixels(0, h - 1);
        Canvas->BrushCopy(TRect{Dest.left + 1, Dest.top + 1, Dest.left + 1 + w, Dest.top + 1 + h}, Look.Glyph,
                          TRect{0, 0, w, h}, key);
        Dest.left += Look.Glyph->Width() + 2;
    }
    Dest.left += 1;
    Canvas->Brush()->SetStyle(bsClear);
    UINT format = DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    format |= Caption.find(L'\r') != String::npos ? DT_WORDBREAK : DT_SINGLELINE;
    TRect text = Dest;
    String caption = Caption;
    if (!Look.Enabled) Canvas->Font()->SetColor(clGrayText);
    Canvas->TextRect(text, caption, format);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(brush);
}
