#include "grid/control/paint/CellBorderPainter.h"

#include <algorithm>

namespace {

void Line(TCanvas* Canvas, TPen* Pen, long X1, long Y1, long X2, long Y2)
{
    Canvas->Pen()->Assign(Pen);
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

} // namespace

void PaintCellBorders(TCanvas* Canvas, TRect Rect, TCellBorders Borders, const TCellBorderPens& Pens, int PenWidth,
                      int GridLineWidth, bool VertLines, bool HorzLines)
{
    if (Canvas == nullptr || Borders.Empty()) return;
    const int h = VertLines ? (PenWidth + 1) / 2 : 0;
    const int v = HorzLines ? (PenWidth + 1) / 2 : 0;
    InflateRect(&Rect, -h, -v);
    TPen saved;
    saved.Assign(Canvas->Pen());
    if (Borders.Contains(cbLeft)) {
        const long x = std::max<long>(0, Rect.left - h);
        Line(Canvas, Pens.Left, x, Rect.top - v, x, Rect.bottom);
    }
    if (Borders.Contains(cbRight)) Line(Canvas, Pens.Right, Rect.right - 1, Rect.top - v, Rect.right - 1, Rect.bottom);
    if (Borders.Contains(cbTop)) {
        const long y = GridLineWidth == 0 ? Rect.top + 1 : std::max<long>(0, Rect.top - GridLineWidth);
        Line(Canvas, Pens.Top, Rect.left, y, Rect.right, y);
    }
    if (Borders.Contains(cbBottom))
        Line(Canvas, Pens.Bottom, Rect.left - GridLineWidth - 1, Rect.bottom - 1, Rect.right, Rect.bottom - 1);
    Canvas->Pen()->Assign(&saved);
}
