#include "grid/control/paint/SortIndicatorPainter.h"

#include <string>

namespace {

bool Present(const TBitmap* Glyph) { return Glyph != nullptr && !Glyph->Empty(); }

void DrawGlyph(TCanvas* Canvas, TBitmap* Glyph, int X, int Y)
{
    // The glyph's bottom-left pixel is its see-through colour.
    Glyph->SetTransparent(true);
    Canvas->Draw(X, Y, Glyph);
}

void Line(TCanvas* Canvas, TColor Color, int X1, int Y1, int X2, int Y2)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

void PaintIndexIndicator(TCanvas* Canvas, int X, int Y, const TSortIndicatorLook& Look)
{
    const bool glyphs = SortIndicatorHasGlyphs(Look);
    Canvas->Brush()->SetColor(Look.IndexColor);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetColor(Look.IndexColor);
    if (Look.IndexDescending) {
        if (glyphs) DrawGlyph(Canvas, Look.IndexDownGlyph, X - 7, Y - 7);
        else Canvas->Polygon({TPoint{X - 7, Y - 5}, TPoint{X + 7, Y - 5}, TPoint{X, Y + 8}});
    } else {
        if (glyphs) DrawGlyph(Canvas, Look.IndexUpGlyph, X - 7, Y - 7);
        else Canvas->Polygon({TPoint{X - 6, Y + 8}, TPoint{X + 6, Y + 8}, TPoint{X, Y - 4}});
    }
    const TFontData saved = Canvas->Font()->Data();
    const TColor color = Canvas->Font()->Color();
    Canvas->Font()->SetColor(clBlack);
    Canvas->Font()->SetSize(6);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextOut(X - 2, Look.IndexDescending ? Y - 4 : Y - 2, std::to_wstring(Look.IndexPosition + 1));
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Font()->SetData(saved);
    Canvas->Font()->SetColor(color);
}

} // namespace

bool SortIndicatorHasGlyphs(const TSortIndicatorLook& Look)
{
    if (Look.IndexShow) return Present(Look.IndexUpGlyph) && Present(Look.IndexDownGlyph);
    return Present(Look.UpGlyph) && Present(Look.DownGlyph);
}

int SortIndicatorGlyphWidth(const TSortIndicatorLook& Look)
{
    if (!SortIndicatorHasGlyphs(Look)) return 0;
    return Look.IndexShow ? Look.IndexUpGlyph->Width() : Look.UpGlyph->Width();
}

void PaintSortIndicator(TCanvas* Canvas, int X, int Y, const TSortIndicatorLook& Look)
{
    if (Canvas == nullptr) return;
    const TColor pen = Canvas->Pen()->Color();
    const TColor brush = Canvas->Brush()->Color();
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    if (Look.IndexShow) {
        if (Look.IndexPosition >= 0) PaintIndexIndicator(Canvas, X, Y, Look);
        Canvas->Pen()->SetColor(pen);
        Canvas->Brush()->SetColor(brush);
        return;
    }
    const bool glyphs = SortIndicatorHasGlyphs(Look);
    if (Look.Descending) {
        if (glyphs) {
            DrawGlyph(Canvas, Look.DownGlyph, X - 4, Y - 4);
            Canvas->Brush()->SetColor(Look.FixedColor);
            return;
        }
        Line(Canvas, clWhite, X + 4, Y - 4, X, Y + 4);
        Line(Canvas, 0x808080, X, Y + 4, X - 4, Y - 4);
        Line(Canvas, 0x808080, X - 4, Y - 4, X + 4, Y - 4);
    } else {
        if (glyphs) {
            DrawGlyph(Canvas, Look.UpGlyph, X - 4, Y - 4);
            return;
        }
        Line(Canvas, clWhite, X - 4, Y + 4, X + 4, Y + 4);
        Line(Canvas, clWhite, X + 4, Y + 4, X, Y - 4);
        Line(Canvas, 0x808080, X, Y - 4, X - 4, Y + 4);
    }
    Canvas->Pen()->SetColor(clBlack);
}
