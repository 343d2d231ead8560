#include "grid/control/paint/CellGraphicPainter.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"

namespace {

int PlaceHorizontally(const TCellGraphic& G, const TCellGraphicPlace& P, const TRect& Rect)
{
    const int w = P.Size.x, W = P.TextWidth;
    const struct {
        int left, right;
    } R{static_cast<int>(Rect.left), static_cast<int>(Rect.right)};
    const int width = R.right - R.left;
    if (P.Control != TCellGraphicPlace::ckNone) {
        const bool alone = P.Control == TCellGraphicPlace::ckData || W == 0;
        int x = R.left + 1;
        if (P.TextHAlign == taRightJustify)
            x = P.Control == TCellGraphicPlace::ckBesideText ? R.right - W - 1 - w : R.right - 1 - w;
        else if (P.TextHAlign == taCenter)
            x = alone ? R.left + (width - w) / 2 : R.left + std::max(0, R.right - W - R.left) / 2 - w;
        return std::max(x, R.left + 1);
    }
    switch (G.CellHAlign()) {
    case haRight:
        return R.right - 1 - w;
    case haCenter:
        return w < width ? R.left + (width - w) / 2 : R.left + 1;
    case haFull:
        return R.left;
    case haBeforeText: {
        int x = R.left + 1;
        if (P.TextHAlign == taRightJustify) x = R.right - W - w;
        else if (P.TextHAlign == taCenter) x = R.left + (width - W - w) / 2;
        return std::max(x, R.left + 1);
    }
    case haAfterText: {
        int x = R.left + W;
        if (P.TextHAlign == taRightJustify) x = R.right - 1 - w;
        else if (P.TextHAlign == taCenter) x = W + R.left + (width - W - w) / 2;
        return std::max(x, R.left + 1);
    }
    default:
        return R.left + 1;
    }
}

TCellVAlign ControlVAlign(const TCellGraphic& G, const TCellGraphicPlace& P)
{
    if (P.Control == TCellGraphicPlace::ckNone || !P.TextVAlignDiffers) return G.CellVAlign();
    return CellVAlignOf(P.TextVAlign);
}

int PlaceVertically(TCellVAlign VA, const TCellGraphicPlace& P, const TRect& Rect)
{
    const struct {
        int top, bottom;
    } R{static_cast<int>(Rect.top), static_cast<int>(Rect.bottom)};
    const int h = P.Size.y, height = R.bottom - R.top;
    switch (VA) {
    case vaBottom:
        return R.bottom - 1 - h;
    case vaCenter:
        return h < height ? R.top + (height - h) / 2 : R.top + 1;
    case vaUnderText:
        return R.bottom - h;
    case vaFull:
        return R.top;
    default: // vaTop, vaAboveText
        return R.top + 1;
    }
}

} // namespace

TRect PlaceCellGraphic(const TCellGraphic& Graphic, const TCellGraphicPlace& Place)
{
    TRect r = Place.Cell;
    if (Place.Inset) InflateRect(&r, -(Place.XYOffset.x - 1), -(Place.XYOffset.y - 1));
    TCellGraphicPlace p = Place;
    if (p.TextWidth > 0) p.TextWidth += 2;
    const TCellVAlign va = ControlVAlign(Graphic, p);
    TRect dest;
    dest.left = PlaceHorizontally(Graphic, p, r);
    dest.top = PlaceVertically(va, p, r);
    dest.right = Graphic.CellHAlign() == haFull && p.Control == TCellGraphicPlace::ckNone ? r.right : dest.left + p.Size.x;
    dest.bottom = va == vaFull ? r.bottom : dest.top + p.Size.y;
    return dest;
}

namespace {

void PaintTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor Background, const TRect& Dest)
{
    const int w = Bitmap->Width(), h = Bitmap->Height();
    // The bitmap's top-left pixel is the colour that lets the background through.
    const TColor key = Bitmap->Canvas()->Pixels(0, 0);
    const TColor brush = Canvas->Brush()->Color();
    Canvas->Brush()->SetColor(Background);
    Canvas->BrushCopy(TRect{Dest.left, Dest.top, Dest.left + w, Dest.top + h}, Bitmap, TRect{0, 0, w, h}, key);
    Canvas->Brush()->SetColor(brush);
}

} // namespace

bool PaintCellPicture(TCanvas* Canvas, const TCellGraphic& Graphic, const TRect& Cell, const TRect& Dest,
                      const TCellPictureContext& Context)
{
    switch (Graphic.CellType()) {
    case ctBitmap: {
        auto* bitmap = dynamic_cast<TBitmap*>(Graphic.CellBitmap());
        if (bitmap == nullptr || bitmap->Empty()) return true;
        if (Graphic.CellTransparent())
            PaintTransparentBitmap(Canvas, bitmap, Context.Background, Dest);
        else
            Canvas->Draw(Dest.left, Dest.top, bitmap);
        return true;
    }
    case ctIcon:
        if (auto* icon = dynamic_cast<TGraphic*>(Graphic.CellIcon()); icon != nullptr && !icon->Empty())
            Canvas->Draw(Dest.left, Dest.top, icon);
        return true;
    case ctImageList:
        if (Context.Images != nullptr && Graphic.CellIndex() >= 0 && Graphic.CellIndex() < Context.Images->Count())
            Context.Images->Draw(Canvas, Dest.left, Dest.top, Graphic.CellIndex());
        return true;
    case ctDataImage: {
        const int index = Context.Value + Graphic.CellIndex();
        if (Context.Images != nullptr && index >= 0 && index < Context.Images->Count())
            Context.Images->Draw(Canvas, Dest.left, Dest.top, index);
        return true;
    }
    case ctImages: {
        auto* list = dynamic_cast<TIntList*>(Graphic.CellBitmap());
        if (Context.Images == nullptr || list == nullptr) return true;
        int x = Dest.left, y = Dest.top;
        for (int i = 0; i < list->Count(); ++i) {
            const int index = list->Items(i);
            if (index >= 0 && index < Context.Images->Count()) Context.Images->Draw(Canvas, x, y, index);
            if (Graphic.CellBoolean()) x += Context.Images->Width();
            else y += Context.Images->Height();
        }
        return true;
    }
    case ctPicture: {
        auto* picture = dynamic_cast<TPicture*>(Graphic.CellBitmap());
        TGraphic* graphic = picture != nullptr ? picture->Graphic() : nullptr;
        if (graphic == nullptr || graphic->Empty()) return true;
        if (static_cast<TStretchMode>(Graphic.CellAngle()) == noStretch)
            Canvas->Draw(Dest.left, Dest.top, graphic);
        else
            Canvas->StretchDraw(Dest, graphic);
        return true;
    }
    case ctFilePicture:
        if (auto* picture = dynamic_cast<TFilePicture*>(Graphic.CellBitmap())) picture->DrawPicture(Canvas, Dest);
        return true;
    case ctInterface:
        if (auto* object = dynamic_cast<ICellObject*>(Graphic.CellBitmap()))
            object->Draw(Canvas, TRect{Cell.left - 1, Cell.top - 1, Cell.right, Cell.bottom}, Context.Col, Context.Row,
                         Context.Selected, Context.Grid);
        return true;
    default:
        return false;
    }
}
