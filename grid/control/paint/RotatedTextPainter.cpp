#include "grid/control/paint/RotatedTextPainter.h"

#include <cmath>
#include <numbers>

TRotatedExtents MeasureRotatedText(TCanvas* Canvas, const String& Text, int Angle)
{
    const TSize size = Canvas->TextExtent(Text);
    const double a = Angle * std::numbers::pi / 180.0;
    auto part = [](double V) { return std::abs(static_cast<int>(std::trunc(V))); };
    return {part(std::cos(a) * size.cy), part(std::sin(a) * size.cx), part(std::sin(a) * size.cy),
            part(std::cos(a) * size.cx)};
}

void RotatedTextOrigin(TRect& R, int HAlign, int VAlign, const TRotatedExtents& E, int Angle)
{
    const int a = E.A, b = E.B, c = E.C, d = E.D;
    const int W = R.right - R.left, H = R.bottom - R.top;
    int left = R.left, top = R.top;
    const int quadrant = Angle <= 90 ? 0 : Angle <= 180 ? 1 : Angle <= 270 ? 2 : 3;
    const int lefts[4][3] = {{R.left, R.right - d - c, R.left + (W - c - d) / 2},
                             {R.left + d, R.right - c, R.right - (c + W - d) / 2},
                             {R.left + c + d, R.right, R.right - (W - c - d) / 2},
                             {R.left + c, R.right - d, R.left + (c + W - d) / 2}};
    const int tops[4][3] = {{R.top + b, R.top + b - (a + b - H) / 2, R.bottom - a},
                            {R.top + a + b, R.top + a + b - (a + b - H) / 2, R.bottom},
                            {R.top + a, R.top + a - (a + b - H) / 2, R.bottom - b},
                            {R.top, R.top - (a + b - H) / 2, R.bottom - a - b}};
    if (HAlign >= 0 && HAlign <= 2) left = lefts[quadrant][HAlign];
    if (VAlign >= 0 && VAlign <= 2) top = tops[quadrant][VAlign];
    R.left = left;
    R.top = top;
}

void PositionRotatedText(TCanvas* Canvas, TRect& R, int Angle, const String& Text, int HAlign, int VAlign)
{
    const TRotatedExtents extents = MeasureRotatedText(Canvas, Text, Angle);
    InflateRect(&R, -2, -2);
    RotatedTextOrigin(R, HAlign, VAlign, extents, Angle);
}

void PaintRotatedText(TCanvas* Canvas, const TRect& Rect, int Angle, const String& Text, int HAlign, int VAlign)
{
    if (Canvas == nullptr || Text.empty() || Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
    TRect clip = Rect;
    InflateRect(&clip, -2, -2);
    TRect origin = Rect;
    PositionRotatedText(Canvas, origin, Angle, Text, HAlign, VAlign);

    // A turned copy of the canvas font, selected only for this text.
    LOGFONTW font{};
    GetObjectW(Canvas->Font()->Handle(), sizeof(font), &font);
    font.lfEscapement = Angle * 10;
    font.lfOrientation = Angle * 10;
    HFONT turned = CreateFontIndirectW(&font);
    HDC dc = Canvas->Handle();
    HGDIOBJ old = SelectObject(dc, turned);
    const UINT align = SetTextAlign(dc, 0);
    const int mode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Canvas->Font()->Color()));
    RECT r = clip;
    ExtTextOutW(dc, origin.left, origin.top, ETO_CLIPPED, &r, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
    SetBkMode(dc, mode);
    SetTextAlign(dc, align);
    SelectObject(dc, old);
    DeleteObject(turned);
}
