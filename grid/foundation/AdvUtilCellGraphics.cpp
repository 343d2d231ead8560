// The cell graphics that show a quantity: progress bar, progress pie, range indicator and the
// XP-style progress bar. Each stays inside the rectangle it is given (plus the progress bar's
// documented frames) whatever the value.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/system/Conversions.h"
#include "grid/foundation/AdvUtil.h"
#include "grid/foundation/AdvUtilDraw.h"

using namespace advutil;

namespace {

int RoundValue(double V)
{
    if (!std::isfinite(V)) return 0;
    return static_cast<int>(std::nearbyint(std::clamp(V, -2147483520.0, 2147483520.0)));
}

// Text in the canvas font centred in Area, drawn only inside Clip over Background (clear when
// Background is clNone).
void CentredText(TCanvas* Canvas, const TRect& Area, const TRect& Clip, const String& Text, TColor Background,
                 TColor TextColor)
{
    if (IsEmptyRect(Clip)) return;
    Canvas->Brush()->SetStyle(Background == clNone ? bsClear : bsSolid);
    if (Background != clNone) Canvas->Brush()->SetColor(Background);
    Canvas->Font()->SetColor(TextColor);
    const TSize size = Canvas->TextExtent(Text);
    const int x = Area.left + (Area.right - Area.left - size.cx) / 2;
    const int y = Area.top + (Area.bottom - Area.top - size.cy) / 2;
    Canvas->TextRect(Clip, x, y, Text);
}

void Frame(TCanvas* Canvas, const TRect& R, TColor Color)
{
    if (Color == clNone || IsEmptyRect(R)) return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FrameRect(R);
}

} // namespace

void PaintProgressBar(TCanvas* Canvas, TRect Rect, TColor Color, const String& Format, double Max, double Min,
                      int MarginY, int MarginX, double Value, TColor RemainingColor, TColor RemainingTextColor,
                      TColor TextColor, TColor BorderColor)
{
    const TColor entryBrush = Canvas->Brush()->Color();
    const int rounded = RoundValue(Value);
    String text;
    double percent = 0;
    if (Format.empty()) {
        text = IntToStr(rounded) + L"%";
        percent = rounded;
    } else {
        const bool integral = Format.find_first_of(L"dDuU") != String::npos;
        try {
            text = integral ? ::Format(Format, {rounded}) : ::Format(Format, {Value});
        } catch (const Exception&) {
            // A format that does not fit its value shows the plain number rather than failing the paint.
            text = IntToStr(rounded);
        }
        // Equal limits give no share: the bar is full once the value reaches them.
        percent = Max == Min ? (Value >= Max ? 100 : 0) : std::nearbyint((Value - Min) * 100 / (Max - Min));
    }
    if (!std::isfinite(percent)) percent = 0;
    percent = std::clamp(percent, 0.0, 100.0);

    TRect r{Rect.left + MarginX, Rect.top + MarginY, Rect.right - MarginX, Rect.bottom - MarginY};
    if (IsEmptyRect(r) || !InCoordRange(r.left) || !InCoordRange(r.right) || !InCoordRange(r.top) ||
        !InCoordRange(r.bottom))
        return;
    const long long width = static_cast<long long>(r.right) - r.left;
    TRect done = r, remaining = r;
    done.right = r.left + static_cast<int>(width * static_cast<long long>(percent) / 100);
    remaining.left = done.right;

    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetColor(Color);
    CentredText(Canvas, r, done, text, Color, TextColor);
    CentredText(Canvas, r, remaining, text, RemainingColor, RemainingTextColor);

    Frame(Canvas, TRect{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, BorderColor);
    Frame(Canvas, TRect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2}, entryBrush);
}

void PaintProgressPie(TCanvas* Canvas, TRect Rect, TColor Color, bool FillAbove, int Value)
{
    if (IsEmptyRect(Rect) || !InCoordRange(Rect.left) || !InCoordRange(Rect.right) || !InCoordRange(Rect.top) ||
        !InCoordRange(Rect.bottom))
        return;
    // The flood below is bounded by grey lines only: keep it inside the rectangle.
    TClipToRect clip(Canvas, Rect);
    const TColor grey = 0x808080;
    const int value = std::clamp(Value, 0, 100);
    Canvas->Pen()->SetColor(grey);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Ellipse(Rect);
    const int width = Rect.right - Rect.left, height = Rect.bottom - Rect.top;
    const int cx = Rect.left + width / 2, cy = Rect.top + height / 2;
    const double angle = value / 100.0 * 2 * std::numbers::pi;
    Canvas->MoveTo(cx, cy);
    Canvas->LineTo(cx, Rect.top);
    Canvas->MoveTo(cx, cy);
    Canvas->LineTo(cx + static_cast<int>(std::nearbyint((width + 1) / 2.0 * std::sin(angle))),
                   cy - static_cast<int>(std::nearbyint((height + 1) / 2.0 * std::cos(angle))));
    const int seedX = cx + 2, seedY = FillAbove ? Rect.top - 2 : Rect.top + 2;
    // The seed lies just clockwise of 12 o'clock; a sector too thin to hold it would otherwise
    // flood its complement (0% painted as a full pie).
    const double seedAngle = std::atan2(static_cast<double>(seedX - cx), static_cast<double>(cy - seedY));
    if (value == 0 || (value < 100 && seedAngle >= angle)) return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FloodFill(seedX, seedY, grey, fsBorder);
}

void PaintRangeIndicator(TCanvas* Canvas, TRect Rect, int Value, TColor PositiveColor, TColor NegativeColor,
                         bool ShowValue, int Range)
{
    TRect r{Rect.left + 2, Rect.top + 2, Rect.right - 2, Rect.bottom - 2};
    if (IsEmptyRect(r) || !InCoordRange(r.left) || !InCoordRange(r.right) || !InCoordRange(r.top) ||
        !InCoordRange(r.bottom))
        return;
    // No range means no scale: nothing to show but zero.
    const int value = Range > 0 ? std::clamp(Value, -Range, Range) : 0;
    const int half = (r.right - r.left) / 2;
    const int centre = r.left + half;
    const int length = Range > 0 ? static_cast<int>(std::nearbyint(static_cast<double>(half) * value / Range)) : 0;
    if (length > 0) SolidRect(Canvas, TRect{centre, r.top, centre + length, r.bottom}, PositiveColor);
    if (length < 0) SolidRect(Canvas, TRect{centre + length, r.top, centre, r.bottom}, NegativeColor);
    if (ShowValue) {
        String text = IntToStr(value);
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->TextRect(r, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

namespace {

// One part of an XP bar from From to To pixels along it (inset pixels from the bar's sides).
void XPPart(TCanvas* Canvas, const TRect& Bar, bool Vertical, long long From, long long To, int Inset,
            TColor Color, TColor ColorTo, bool Gradient)
{
    if (To <= From) return;
    TRect part;
    if (Vertical) {
        part = TRect{Bar.left + Inset, static_cast<int>(Bar.bottom - 1 - To), Bar.right - Inset,
                     static_cast<int>(Bar.bottom - 1 - From)};
    } else {
        part = TRect{static_cast<int>(Bar.left + 1 + From), Bar.top + Inset, static_cast<int>(Bar.left + 1 + To),
                     Bar.bottom - Inset};
    }
    if (IsEmptyRect(part)) return;
    if (!Gradient) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(part);
        return;
    }
    // Two halves across the bar: colour to colour-to, then back.
    TRect first = part, second = part;
    if (Vertical) {
        first.right = part.left + (part.right - part.left) / 2;
        second.left = first.right;
    } else {
        first.bottom = part.top + (part.bottom - part.top) / 2;
        second.top = first.bottom;
    }
    PaintStepGradient(Canvas, Color, ColorTo, Vertical, first, 256);
    PaintStepGradient(Canvas, ColorTo == clNone ? Color : ColorTo, ColorTo == clNone ? clNone : Color, Vertical,
                      second, 256);
}

} // namespace

void PaintXPProgress(TCanvas* Canvas, TRect Rect, int Percent, TXPProgressAppearance A)
{
    if (IsEmptyRect(Rect) || !InCoordRange(Rect.left) || !InCoordRange(Rect.right) || !InCoordRange(Rect.top) ||
        !InCoordRange(Rect.bottom))
        return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(A.BackgroundColor);
    Canvas->FillRect(Rect);
    const int percent = std::clamp(Percent, 0, 100);
    const long long length = std::max<long long>(0, (A.Vertical ? Rect.bottom - Rect.top : Rect.right - Rect.left) - 2);
    auto at = [&](int P) { return static_cast<long long>(std::nearbyint(static_cast<double>(P) * length / 100)); };

    if (A.Stacked) {
        const int l1 = std::clamp(A.Level1Percent, 0, 100), l2 = std::clamp(A.Level2Percent, l1, 100);
        XPPart(Canvas, Rect, A.Vertical, 0, at(std::min(l1, percent)), 1, A.Level0Color, A.Level0ColorTo, A.Gradient);
        if (percent > l1)
            XPPart(Canvas, Rect, A.Vertical, at(l1), at(std::min(l2, percent)), 1, A.Level1Color, A.Level1ColorTo,
                   A.Gradient);
        if (percent > l2)
            XPPart(Canvas, Rect, A.Vertical, at(l2), percent == 100 ? length : at(percent), 1, A.Level3Color,
                   A.Level3ColorTo, A.Gradient);
    } else {
        TColor color = A.Level2Color, colorTo = A.Level2ColorTo;
        if (percent < A.Level1Percent) {
            color = A.Level0Color;
            colorTo = A.Level0ColorTo;
        } else if (percent < A.Level2Percent) {
            color = A.Level1Color;
            colorTo = A.Level1ColorTo;
        } else if (percent > 99) {
            color = A.Level3Color;
            colorTo = A.Level3ColorTo;
        }
        if (!A.Segmented) {
            XPPart(Canvas, Rect, A.Vertical, 0, at(percent), 1, color, colorTo, A.Gradient);
        } else {
            const long long filled = at(percent);
            if (filled >= 2 && filled <= 9) {
                XPPart(Canvas, Rect, A.Vertical, 0, filled, 2, color, colorTo, A.Gradient);
            } else {
                const long long blocks = filled / 9, rest = filled % 9;
                for (long long k = 0; k < blocks; ++k)
                    XPPart(Canvas, Rect, A.Vertical, k * 9, k * 9 + 7, 2, color, colorTo, A.Gradient);
                if (rest > 2)
                    XPPart(Canvas, Rect, A.Vertical, blocks * 9, blocks * 9 + std::min<long long>(rest, 7), 2, color,
                           colorTo, A.Gradient);
            }
        }
    }

    if (A.ShowPercentage) {
        const String text = IntToStr(percent) + L"%";
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Font()->SetColor(A.TextColor);
        if (!A.Vertical) {
            TRect r = Rect;
            String t = text;
            Canvas->TextRect(r, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        } else {
            // Rotated text runs upwards from its origin: the origin sits below the centre.
            TFont rotated;
            rotated.Assign(Canvas->Font());
            TFont saved;
            saved.Assign(Canvas->Font());
            rotated.SetOrientation(900);
            Canvas->SetFont(&rotated);
            const TSize size = Canvas->TextExtent(text);
            const int cx = Rect.left + (Rect.right - Rect.left) / 2, cy = Rect.top + (Rect.bottom - Rect.top) / 2;
            Canvas->TextOut(cx - size.cy / 2, cy + size.cx / 2, text);
            Canvas->SetFont(&saved);
        }
    }

    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(A.ShowBorder ? A.BorderColor : A.BackgroundColor);
    Canvas->Rectangle(Rect);
}
