#include "grid/control/paint/CellProgressPainter.h"

#include <algorithm>
#include <cmath>


int ProgressPercent(double Value, double Min, double Max)
{
    if (Max == Min) return Value >= Max ? 100 : 0;
    const double share = std::fabs(Value - Min) / (Max - Min) * 100;
    if (!std::isfinite(share)) return 0;
    return static_cast<int>(std::clamp(std::nearbyint(share), 0.0, 100.0));
}

namespace {

TRect ShrinkBy(TRect R, int X, int Y)
{
    InflateRect(&R, -X, -Y);
    return R;
}

// The visual styles' bar (part 1) with its chunk (part 3) over the value's share of it; false
// when the style cannot be opened.
bool PaintThemedProgress(TCanvas* Canvas, const TRect& Cell, const TCellValuePaint& P)
{
    TRect r = ShrinkBy(Cell, P.MarginX, P.MarginY);
    if (!PaintThemedPart(Canvas, P.Window, L"progress", 1, 0, r)) return false;
    r = ShrinkBy(r, 2, 2);
    const double share = std::clamp(std::isfinite(P.Value) ? P.Value : 0.0, 0.0, 100.0);
    r.right = r.left + static_cast<int>((r.right - r.left) * share / 100);
    if (r.right > r.left) PaintThemedPart(Canvas, P.Window, L"progress", 3, 1, r);
    return true;
}

void PaintProgress(TCanvas* Canvas, const TCellGraphic& G, const TRect& Cell, const TCellValuePaint& P)
{
    if (P.ThemedProgress && PaintThemedProgress(Canvas, Cell, P)) return;
    const TRect r = ShrinkBy(Cell, 2, 2);
    const TColor bar = G.CellBitmapColor(), back = G.CellIconColor();
    // Without their own text colours each side's text is its bar colour inverted.
    const TColor barText = G.CellBoolean() ? static_cast<TColor>(G.CellIndex()) : (ColorToRGB(bar) ^ 0xFFFFFF);
    const TColor backText = G.CellBoolean() ? static_cast<TColor>(G.CellAngle()) : (ColorToRGB(back) ^ 0xFFFFFF);
    PaintProgressBar(Canvas, r, bar, G.CellText(), G.CellErrLen(), G.CellErrFrom(), P.MarginY, P.MarginX, P.Value, back,
                     backText, barText, P.ProgressBorderColor);
}

void PaintAppearanceProgress(TCanvas* Canvas, const TCellGraphic& G, const TRect& Cell, const TCellValuePaint& P)
{
    TRect r = ShrinkBy(Cell, P.MarginX, P.MarginY);
    r.right -= 1;
    r.bottom -= 1;
    if (P.Font != nullptr) Canvas->Font()->Assign(P.Font);
    const int value = static_cast<int>(std::nearbyint(P.Value));
    PaintXPProgress(Canvas, r, ProgressPercent(value, G.CellErrFrom(), G.CellErrLen()), P.Appearance);
}

void PaintRating(TCanvas* Canvas, const TCellGraphic& G, const TRect& Dest, double Value)
{
    const double v = std::nearbyint(Value * 2) / 2;
    const TColor on = static_cast<TColor>(G.CellIndex()), off = G.CellBitmapColor();
    for (int i = 0; i < G.CellAngle(); ++i) {
        const int x = Dest.left + 18 * i;
        if (i + 1 > v) {
            PaintCellShape(Canvas, x, Dest.top, off, off, csStar, 16, 16);
            if (i < v) PaintCellShape(Canvas, x, Dest.top, on, on, csHalfStar, 16, 16);
        } else {
            PaintCellShape(Canvas, x, Dest.top, on, on, csStar, 16, 16);
        }
    }
}

void PaintComment(TCanvas* Canvas, const TCellGraphic& G, const TRect& Cell, const TCellValuePaint& P)
{
    if (P.CommentColor == clNone) return;
    const TColor own = static_cast<TColor>(G.CellIndex());
    const TColor color = own == clNone ? P.CommentColor : own;
    const TColor brush = Canvas->Brush()->Color();
    Canvas->Pen()->SetColor(color);
    Canvas->Brush()->SetColor(color);
    const POINT corner[3] = {{Cell.right - 7, Cell.top}, {Cell.right - 2, Cell.top}, {Cell.right - 2, Cell.top + 5}};
    Polygon(Canvas->Handle(), corner, 3);
    Canvas->Brush()->SetColor(brush);
}

} // namespace

bool PaintCellValueGraphic(TCanvas* Canvas, const TCellGraphic& Graphic, const TRect& Cell, const TRect& Dest,
                           const TCellValuePaint& Paint)
{
    switch (Graphic.CellType()) {
    case ctProgress:
        PaintProgress(Canvas, Graphic, Cell, Paint);
        return true;
    case ctXPProgress:
        PaintAppearanceProgress(Canvas, Graphic, Cell, Paint);
        return true;
    case ctProgressPie:
        PaintProgressPie(Canvas, TRect{Dest.left, Dest.top, Dest.left + 20, Dest.top + 20}, Graphic.CellBitmapColor(),
                         false, Graphic.CellAngle());
        return true;
    case ctRangeIndicator:
        PaintRangeIndicator(Canvas, ShrinkBy(Cell, Paint.MarginX, Paint.MarginY),
                            static_cast<int>(std::nearbyint(Paint.Value)), Graphic.CellIconColor(),
                            Graphic.CellBitmapColor(), Graphic.CellBoolean(), Graphic.CellIndex());
        return true;
    case ctRating:
        PaintRating(Canvas, Graphic, Dest, Paint.Value);
        return true;
    case ctShape:
        // The fill is the shape's colour (what AddShape and GetShapeColor call it), the line its outline.
        PaintCellShape(Canvas, Dest.left, Dest.top, Graphic.CellBitmapColor(), static_cast<TColor>(Graphic.CellIndex()),
                       Graphic.CellAngle(), Dest.right - Dest.left - 1, Dest.bottom - Dest.top - 1);
        return true;
    case ctComment:
        PaintComment(Canvas, Graphic, Cell, Paint);
        return true;
    default:
        return false;
    }
}
