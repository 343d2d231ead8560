#include "grid/control/paint/GridLinePainter.h"

void PaintCellGridLines(TCanvas* Canvas, const TCellVisual& Visual, const TRect& Rect)
{
    if (Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
    const TCellGridLines& lines = Visual.Lines;
    if (!lines.Draw || lines.Width <= 0) return;
    Canvas->Pen()->SetColor(lines.Color);
    Canvas->Pen()->SetWidth(lines.Width);
    int h = lines.Half;
    if (lines.Horizontal) {
        Canvas->MoveTo(Rect.left - h + 1, Rect.bottom - h);
        Canvas->LineTo(Rect.right - h + 1, Rect.bottom - h);
    }
    if (lines.Vertical) {
        int x = lines.RightToLeft ? Rect.right - h + 1 : Rect.right - h;
        Canvas->MoveTo(x, Rect.bottom - h);
        Canvas->LineTo(x, Rect.top - h);
    }
}
