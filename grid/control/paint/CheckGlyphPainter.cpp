#include "grid/control/paint/CheckGlyphPainter.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Graphic.h"
#include "grid/control/paint/GridGlyphBitmaps.h"
#include "grid/foundation/AdvUtil.h"

namespace {

// The ordinals of the grid's control styles this painter tells apart.
enum { StyleClassic = 0, StyleFlat = 1, StyleWinXP = 2, StyleVelmark = 3, StyleQRX = 4, StyleGlyph = 5, StyleTheme = 6 };

// The visual-styles button parts and states of check boxes and radio buttons.
enum { PartRadioButton = 2, PartCheckBox = 3 };

// The number of a bitmap glyph in its family of four: checked, unchecked, then both disabled.
String GlyphName(const wchar_t* Family, int First, bool Checked, bool Enabled)
{
    const int n = First + (Checked ? 0 : 1) + (Enabled ? 0 : 2);
    return String(Family) + (n < 10 ? L"0" : L"") + std::to_wstring(n);
}

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
    if (Look.Style == StyleWinXP || Look.Style == StyleQRX) {
        PaintGridGlyph(Canvas, Rect.left, Rect.top,
                       GlyphName(L"ASGCHK", Look.Style == StyleQRX ? 1 : 5, Checked || Grayed, Enabled));
        return;
    }
    if (Look.Style == StyleTheme && Look.Themed) {
        const int state = Grayed ? (Enabled ? 9 : 12) : Checked ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4);
        if (PaintThemedPart(Canvas, Look.Window, L"button", PartCheckBox, state, square)) return;
    }
    // The frame control draws the box centred in a square of the check size.
    const int cx = (Rect.left + Rect.right - Look.Size) / 2, cy = (Rect.top + Rect.bottom - Look.Size) / 2;
    PaintCheckGlyph(Canvas, TRect{cx, cy, cx + Look.Size, cy + Look.Size}, Checked, Enabled, Grayed,
                    Look.Style == StyleFlat);
}

namespace {

void PaintVelmarkRadio(TCanvas* Canvas, int X, int Y, bool Checked, TColor MarkColor)
{
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->Pen()->SetColor(clBtnFace);
    Canvas->Polygon({TPoint{X + 2, Y + 8}, TPoint{X + 8, Y + 2}, TPoint{X + 14, Y + 8}, TPoint{X + 8, Y + 14}});
    const TColor upper = Checked ? TColor(0x808080) : clWhite, lower = Checked ? clWhite : TColor(0x808080);
    Canvas->Pen()->SetColor(upper);
    Canvas->MoveTo(X + 2, Y + 8);
    Canvas->LineTo(X + 8, Y + 2);
    Canvas->LineTo(X + 14, Y + 8);
    Canvas->Pen()->SetColor(lower);
    Canvas->LineTo(X + 8, Y + 14);
    Canvas->LineTo(X + 2, Y + 8);
    if (!Checked) return;
    Canvas->Brush()->SetColor(MarkColor);
    Canvas->Pen()->SetColor(MarkColor);
    Canvas->Polygon({TPoint{X + 6, Y + 8}, TPoint{X + 8, Y + 6}, TPoint{X + 10, Y + 8}, TPoint{X + 8, Y + 10}});
}

// One radio glyph of the 16-pixel styles with its top-left at (X, Y).
void PaintSixteenPixelRadio(TCanvas* Canvas, int X, int Y, bool Checked, bool Enabled, const TRadioGlyphLook& Look)
{
    switch (Look.Style) {
    case StyleVelmark:
        PaintVelmarkRadio(Canvas, X, Y, Checked, Look.MarkColor);
        break;
    case StyleTheme:
        if (!PaintThemedPart(Canvas, Look.Window, L"button", PartRadioButton,
                             Checked ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4), TRect{X, Y, X + 16, Y + 16}))
            PaintRadioGlyph(Canvas, TRect{X, Y, X + 16, Y + 16}, Checked, Enabled, false);
        break;
    case StyleWinXP:
    case StyleQRX:
        PaintGridGlyph(Canvas, X, Y, GlyphName(L"ASGRAD", Look.Style == StyleQRX ? 1 : 5, Checked, Enabled));
        break;
    case StyleGlyph:
        if (TGraphic* glyph = Checked ? Look.OnGlyph : Look.OffGlyph; glyph != nullptr && !glyph->Empty())
            Canvas->Draw(X, Y, glyph);
        break;
    default:
        break;
    }
}

} // namespace

void PaintRadioGroupGlyphs(TCanvas* Canvas, const TRect& Rect, const TRadioGroupItems& Items,
                           const TRadioGlyphLook& Look)
{
    if (Canvas == nullptr || Items.Count <= 0) return;
    int style = Look.Style;
    if (style == StyleTheme && !Look.Themed) style = StyleClassic;
    const bool frameStyle = style == StyleClassic || style == StyleFlat;
    const bool bitmapStyle = style == StyleWinXP || style == StyleQRX || style == StyleGlyph;
    const int d = Look.Reverse ? -1 : 1;
    const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    const int gh = Canvas->TextHeight(L"gh");
    const TColor fontColor = Canvas->Font()->Color();
    const TBrushStyle brushStyle = Canvas->Brush()->Style();
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    if (Items.CaptionColor != clNone) Canvas->Font()->SetColor(Items.CaptionColor);
    auto caption = [&](int X, int Y, const String& Text) {
        if (Text.empty()) return;
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->TextOut(X, Y, Text);
        Canvas->Brush()->SetStyle(brushStyle);
    };

    const int s = static_cast<int>(std::lround((Look.RadioSize + (style == StyleFlat ? 2 : 0)) * Look.Scale));
    int captionWidth = 0;
    for (int i = 1; i <= Items.Count; ++i) {
        String text;
        bool checked = false;
        if (Items.Captions != nullptr && i <= Items.Captions->Count()) {
            text = Items.Captions->Strings(i - 1);
            if (Items.SelectedIndex == -1) checked = text == Items.CellText;
        }
        if (i == Items.SelectedIndex + 1) checked = true;

        if (frameStyle) {
            int x, y;
            if (Items.Horizontal) {
                x = Rect.left + 2 + (i - 1) * Look.RadioSize + captionWidth;
                y = Rect.top + (h - s) / 2;
                caption(x + static_cast<int>(Look.Scale * Look.RadioSize), y - 2, text);
            } else {
                y = Rect.top + gh * (i - 1) * d + 2;
                x = text.empty() ? Rect.left + (w - s) / 2 : Rect.left + 2;
                caption(Rect.left + 2 + static_cast<int>(Look.Scale * (Look.RadioSize + 4)), y - 2, text);
            }
            PaintRadioGlyph(Canvas, TRect{x, y, x + s, y + s}, checked, !Items.Disabled, style == StyleFlat);
        } else {
            int x, y;
            if (Items.Horizontal) {
                x = Rect.left + 16 * i - 14 + captionWidth;
                y = Rect.top + (h - 16) / 2;
                caption(x + 16, y - 2 + (bitmapStyle ? 1 : 0), text);
            } else {
                const int f = std::max(16, gh);
                y = Rect.top + f * (i - 1) * d + 2;
                x = text.empty() ? Rect.left + (w - 16) / 2 : Rect.left + 2;
                caption(Rect.left + (bitmapStyle ? 18 : 20), y - 2 + (bitmapStyle ? 1 : 0), text);
            }
            PaintSixteenPixelRadio(Canvas, x, y, checked, !Items.Disabled, TRadioGlyphLook{Look});
        }
        if (Items.Horizontal && !text.empty()) captionWidth += Canvas->TextWidth(text);
    }
    Canvas->Font()->SetColor(fontColor);
}
