// Gradients in bands, the mirrored gradient and the rounded selection box.
#include "grid/foundation/AdvUtil.h"

#include <algorithm>
#include <cmath>

#include "grid/foundation/AdvUtilDraw.h"

namespace {

using namespace advutil;

int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

void Pixel(TCanvas* Canvas, int X, int Y, TColor Color)
{
    if (Color != clNone) Canvas->SetPixels(X, Y, Color);
}

} // namespace

void PaintStepGradient(TCanvas* Canvas, TColor ColorFrom, TColor ColorTo, bool Horizontal, TRect Rect, int Steps)
{
    if (Rect.top > Rect.bottom) std::swap(Rect.top, Rect.bottom);
    if (Rect.top == Rect.bottom || Rect.right <= Rect.left) return;
    if (ColorTo == clNone) {
        Canvas->Brush()->SetColor(ColorFrom);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->FillRect(Rect);
        return;
    }
    TColor from = ColorToRGB(ColorFrom), to = ColorToRGB(ColorTo);
    // 64-bit: the extent of a huge rectangle does not fit an int.
    const long long extent = Horizontal ? static_cast<long long>(Rect.right) - Rect.left - 1
                                        : static_cast<long long>(Rect.bottom) - Rect.top - 1;
    Steps = static_cast<int>(std::max<long long>(1, std::min<long long>(Steps, extent)));
    // Bands outside the visible area are skipped; those crossing it are cut to it.
    const TRect clip = Canvas->ClipRect();
    double band = static_cast<double>(extent) / Steps;
    int r1 = GetRValue(from), g1 = GetGValue(from), b1 = GetBValue(from);
    int dr = GetRValue(to) - r1, dg = GetGValue(to) - g1, db = GetBValue(to) - b1;
    // Only the bands that can reach the visible area are visited: a huge rectangle with as many
    // steps as pixels costs what its visible part costs.
    const long long origin = Horizontal ? Rect.left : Rect.top;
    long long first = 0, last = Steps;
    if (band > 0) {
        const double visibleLo = static_cast<double>((Horizontal ? clip.left : clip.top) - origin);
        const double visibleHi = static_cast<double>((Horizontal ? clip.right : clip.bottom) - origin);
        first = std::clamp<long long>(static_cast<long long>(std::floor((visibleLo - band - 1) / band)), 0, Steps);
        last = std::clamp<long long>(static_cast<long long>(std::ceil(visibleHi / band)) + 1, 0, Steps);
    }
    for (long long k = first; k <= last; ++k) {
        TColor c = static_cast<TColor>(RGB(r1 + RoundHalfEven(static_cast<double>(k) * dr / Steps),
                                           g1 + RoundHalfEven(static_cast<double>(k) * dg / Steps),
                                           b1 + RoundHalfEven(static_cast<double>(k) * db / Steps)));
        const long long start = static_cast<long long>(k * band);
        const long long length = static_cast<long long>(band + 1);
        long long lo = origin + start;
        long long hi = std::min<long long>(Horizontal ? Rect.right : Rect.bottom, lo + length);
        lo = std::max<long long>(lo, Horizontal ? clip.left : clip.top);
        hi = std::min<long long>(hi, Horizontal ? clip.right : clip.bottom);
        if (lo >= hi) continue;
        TRect r = Rect;
        if (Horizontal) {
            r.left = static_cast<int>(lo);
            r.right = static_cast<int>(hi);
            r.top = std::max<int>(r.top, clip.top);
            r.bottom = std::min<int>(r.bottom, clip.bottom);
        } else {
            r.top = static_cast<int>(lo);
            r.bottom = static_cast<int>(hi);
            r.left = std::max<int>(r.left, clip.left);
            r.right = std::min<int>(r.right, clip.right);
        }
        if (IsEmptyRect(r)) continue;
        SolidRect(Canvas, r, c);
    }
}

TColor InterpolateColor(TColor ColorFrom, TColor ColorTo, int Start, int Step, int End)
{
    if (ColorTo == clNone) return ColorFrom;
    TColor from = ColorToRGB(ColorFrom), to = ColorToRGB(ColorTo);
    double span = End - Start;
    if (span == 0) return from;
    auto mix = [&](int a, int b) { return a + RoundHalfEven((b - a) / span * Step); };
    return static_cast<TColor>(RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                                   mix(GetBValue(from), GetBValue(to))));
}

void PaintMirrorGradient(TCanvas* Canvas, TRect Rect, TColor Color, bool Fill, bool SidesOnly, TColor BorderColor,
                         bool Vertical, TColor MirrorColorTo, TColor MirrorColor, TColor ColorTo)
{
    if (IsEmptyRect(Rect)) return;
    if (Fill && Color != clNone) {
        if (MirrorColor == clNone) {
            if (ColorTo == clNone) {
                TRect r = Rect;
                r.bottom += 1;
                Canvas->Brush()->SetColor(Color);
                Canvas->Brush()->SetStyle(bsSolid);
                Canvas->FillRect(r);
            } else {
                PaintStepGradient(Canvas, Color, ColorTo, !Vertical, Rect, 128);
            }
        } else {
            TRect first = Rect, second = Rect;
            if (Vertical) {
                first.bottom = Rect.top + (Rect.bottom - Rect.top) / 2;
                second.top = first.bottom;
            } else {
                first.right = Rect.left + (Rect.right - Rect.left) / 2;
                second.left = first.right;
            }
            PaintStepGradient(Canvas, Color, ColorTo, !Vertical, first, 128);
            PaintStepGradient(Canvas, MirrorColor, MirrorColorTo, !Vertical, second, 128);
        }
    }
    if (BorderColor != clNone) {
        if (SidesOnly) {
            Line(Canvas, BorderColor, Rect.left, Rect.top, Rect.left, Rect.bottom);
            Line(Canvas, BorderColor, Rect.right - 1, Rect.top, Rect.right - 1, Rect.bottom);
        } else {
            Canvas->Brush()->SetColor(BorderColor);
            Canvas->FrameRect(Rect);
        }
    }
}

void PaintSelectionBox(TCanvas* Canvas, TColor Color, TColor ColorTo, int Part, TRect Rect, TColor OuterCornerColor,
                       TColor InnerCornerColor, TColor BorderColor, TColor LowerInnerLineColor,
                       TColor UpperInnerLineColor, TColor MirrorColorTo, TColor MirrorColor)
{
    TRect box = Rect;
    box.bottom -= 2;
    box.right -= 1;
    // Too small for two borders and the inner lines: the lines would run outside the box.
    if (box.right - box.left < 4 || box.bottom - box.top < 4) return;
    bool roundLeft = Part == sbpWhole || Part == sbpLeft;
    bool roundRight = Part == sbpWhole || Part == sbpRight;
    int insetL = roundLeft ? 2 : 0, insetR = roundRight ? 2 : 0;

    // The inside first, so that the lines and corners are drawn over it.
    TRect inside{box.left + insetL, box.top + 2, box.right - insetR, box.bottom - 1};
    if (inside.right > inside.left && inside.bottom > inside.top) {
        if (ColorTo == clNone) {
            Canvas->Brush()->SetColor(Color);
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->FillRect(inside);
        } else if (MirrorColor == clNone) {
            PaintStepGradient(Canvas, Color, ColorTo, false, inside, 16);
        } else {
            TRect upper = inside, lower = inside;
            upper.bottom = inside.top + (inside.bottom - inside.top) / 2;
            lower.top = upper.bottom;
            PaintStepGradient(Canvas, Color, ColorTo, false, upper, 16);
            PaintStepGradient(Canvas, MirrorColor, MirrorColorTo, false, lower, 16);
        }
    }

    int mid = box.top + (box.bottom - box.top) / 2;
    // Inner lines: upper colour at the top and the upper halves of the inner verticals, lower
    // colour at the bottom and the lower halves.
    Line(Canvas, UpperInnerLineColor, box.left + insetL, box.top + 1, box.right - insetR, box.top + 1);
    Line(Canvas, LowerInnerLineColor, box.left + insetL, box.bottom - 1, box.right - insetR, box.bottom - 1);
    if (roundLeft) {
        Line(Canvas, UpperInnerLineColor, box.left + 1, box.top + 2, box.left + 1, mid);
        Line(Canvas, LowerInnerLineColor, box.left + 1, mid, box.left + 1, box.bottom - 1);
    }
    if (roundRight) {
        Line(Canvas, UpperInnerLineColor, box.right - 2, box.top + 2, box.right - 2, mid);
        Line(Canvas, LowerInnerLineColor, box.right - 2, mid, box.right - 2, box.bottom - 1);
    }
    // Border: top and bottom lines, outer verticals at the rounded ends.
    Line(Canvas, BorderColor, box.left + insetL, box.top, box.right - insetR, box.top);
    Line(Canvas, BorderColor, box.left + insetL, box.bottom, box.right - insetR, box.bottom);
    if (roundLeft) Line(Canvas, BorderColor, box.left, box.top + 2, box.left, box.bottom - 1);
    if (roundRight) Line(Canvas, BorderColor, box.right - 1, box.top + 2, box.right - 1, box.bottom - 1);
    // Rounded corners: the corner pixel itself and the three pixels diagonal-adjacent to it.
    auto corner = [&](int X, int Y, int DX, int DY) {
        Pixel(Canvas, X + DX, Y + DY, InnerCornerColor);
        Pixel(Canvas, X + DX, Y, InnerCornerColor);
        Pixel(Canvas, X, Y + DY, InnerCornerColor);
        Pixel(Canvas, X, Y, OuterCornerColor);
    };
    if (roundLeft) {
        corner(box.left, box.top, 1, 1);
        corner(box.left, box.bottom, 1, -1);
    }
    if (roundRight) {
        corner(box.right - 1, box.top, -1, 1);
        corner(box.right - 1, box.bottom, -1, -1);
    }
}
