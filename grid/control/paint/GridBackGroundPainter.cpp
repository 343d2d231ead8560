#include "grid/control/paint/GridBackGroundPainter.h"

#include <algorithm>

#include "grid/foundation/AdvUtil.h"

namespace {

void CopyPart(TCanvas* Canvas, TBitmap* Bitmap, const TRect& Dest, int SourceX, int SourceY)
{
    const int w = Dest.right - Dest.left, h = Dest.bottom - Dest.top;
    if (w <= 0 || h <= 0) return;
    BitBlt(Canvas->Handle(), Dest.left, Dest.top, w, h, Bitmap->Canvas()->Handle(), SourceX, SourceY, SRCCOPY);
}

void PaintTiles(TCanvas* Canvas, const TRect& R, const TGridBackGroundLook& Look)
{
    const int bw = Look.Bitmap->Width(), bh = Look.Bitmap->Height();
    // Tiles start one pixel left of and above the cell, shifted by the cell's phase.
    for (long y = R.top - 1 - Look.Phase.y % bh; y < R.bottom; y += bh)
        for (long x = R.left - 1 - Look.Phase.x % bw; x < R.right; x += bw) {
            TRect tile{std::max(x, R.left), std::max(y, R.top), std::min(x + bw, R.right), std::min(y + bh, R.bottom)};
            CopyPart(Canvas, Look.Bitmap, tile, tile.left - x, tile.top - y);
        }
}

void PaintPlaced(TCanvas* Canvas, const TRect& R, const TGridBackGroundLook& Look)
{
    const TRect picture{Look.Position.x, Look.Position.y, Look.Position.x + Look.Bitmap->Width(),
                        Look.Position.y + Look.Bitmap->Height()};
    TRect overlap;
    if (!IntersectRect(&overlap, &R, &picture)) return;
    CopyPart(Canvas, Look.Bitmap, overlap, overlap.left - picture.left, overlap.top - picture.top);
}

void PaintGradientSlice(TCanvas* Canvas, const TRect& R, const TGridBackGroundLook& Look)
{
    const bool horizontal = Look.Kind == TGridBackGroundLook::GradientHorizontal;
    const int extent = horizontal ? Look.Control.cx : Look.Control.cy;
    const int from = horizontal ? R.left : R.top, to = horizontal ? R.right : R.bottom;
    const TColor start = InterpolateColor(Look.Color, Look.ColorTo, 0, from, extent);
    const TColor end = InterpolateColor(Look.Color, Look.ColorTo, 0, to, extent);
    PaintStepGradient(Canvas, start, end, horizontal, R, 128);
    Canvas->Brush()->SetColor(end);
    Canvas->Pen()->SetColor(end);
}

} // namespace

void PaintGridBackGround(TCanvas* Canvas, const TRect& Rect, const TGridBackGroundLook& Look)
{
    if (Canvas == nullptr || Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
    if (Look.Kind == TGridBackGroundLook::GradientHorizontal || Look.Kind == TGridBackGroundLook::GradientVertical) {
        PaintGradientSlice(Canvas, Rect, Look);
        return;
    }
    if (Look.Bitmap == nullptr || Look.Bitmap->Empty()) return;
    if (Look.Kind == TGridBackGroundLook::Tiled) PaintTiles(Canvas, Rect, Look);
    else PaintPlaced(Canvas, Rect, Look);
}
