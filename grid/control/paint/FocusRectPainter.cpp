#include "grid/control/paint/FocusRectPainter.h"

void PaintCellFocus(TCanvas* Canvas, const TRect& Rect, int GridLineWidth)
{
    TRect r = Rect;
    InflateRect(&r, GridLineWidth - 1, GridLineWidth - 1);
    r.right -= 1;
    r.bottom -= 1;
    if (r.right <= r.left || r.bottom <= r.top) return;
    Canvas->DrawFocusRect(r);
}
