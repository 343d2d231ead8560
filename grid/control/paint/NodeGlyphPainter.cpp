#include "grid/control/paint/NodeGlyphPainter.h"

#include "grid/control/paint/GridGlyphBitmaps.h"
#include "grid/foundation/AdvUtil.h"

namespace {

enum { NodeFlat = 0, Node3D = 1, NodeGlyph = 2, NodeLeaf = 3, NodeXP = 4 };

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2)
{
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

void PaintBox(TCanvas* Canvas, int Left, const TRect& Cell, bool Collapsed, const TNodeGlyphLook& Look)
{
    const int top = Cell.top + (Cell.bottom - Cell.top - 8) / 2;
    const TRect box{Left + 4, top, Left + 12, top + 8};
    Canvas->Brush()->SetColor(Look.Color);
    if (Look.NodeType == NodeFlat) {
        Canvas->Pen()->SetColor(Look.NodeColor);
        Canvas->Rectangle(TRect{box.left, box.top, box.right + 1, box.bottom + 1});
        Canvas->Pen()->SetColor(clBlack);
        Line(Canvas, box.left + 1, box.top + 3, box.left + 6, box.top + 3);
        if (Collapsed) Line(Canvas, box.left + 3, box.top + 1, box.left + 3, box.top + 6);
        return;
    }
    Canvas->FillRect(box);
    RECT r = box;
    DrawEdge(Canvas->Handle(), &r, Collapsed ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
}

} // namespace

void PaintNodeGlyph(TCanvas* Canvas, const TRect& Cell, const TNodeGlyphRow& Row, const TNodeGlyphLook& Look)
{
    if (Canvas == nullptr || Cell.right <= Cell.left || Cell.bottom <= Cell.top) return;
    const int x0 = Cell.left + Row.Level * Look.NodeIndent;
    int areaLeft = x0 - Look.NodeIndent;
    if (Row.ShiftArea) areaLeft += 1;

    if (Look.ShowTree && Row.TreeRow) {
        Canvas->Pen()->SetColor(Look.TreeColor);
        Canvas->Pen()->SetWidth(1);
        const int x = areaLeft + Look.NodeIndent / 2 + 2;
        const int middle = Cell.top + (Cell.bottom - Cell.top) / 2;
        if (Row.NextIndented && !(Row.Collapsed && Row.NextLessIndented)) Line(Canvas, x, middle, x, Cell.bottom);
        if (Row.PrevAsDeep) Line(Canvas, x, Cell.top, x, Cell.top + 6);
    }

    const int left = x0 - Look.NodeIndent / 2 - 4;
    const int height = Cell.bottom - Cell.top;
    auto picture = [&](TBitmap* Bitmap, int Dy) {
        if (Bitmap == nullptr || Bitmap->Empty()) return;
        PaintBitmapTransparent(Canvas, Bitmap, Row.Background,
                               TRect{left, Cell.top + Dy, left + Bitmap->Width(), Cell.top + Dy + Bitmap->Height()});
    };
    switch (Look.NodeType) {
    case NodeLeaf:
        picture(GridGlyphBitmap(Row.Collapsed ? L"ASGLEAFCLOSE" : L"ASGLEAFOPEN"), (height - 12) / 2);
        return;
    case NodeXP:
        PaintGridGlyph(Canvas, left + 4, Cell.top + (height - 10) / 2, Row.Collapsed ? L"XPNODEC" : L"XPNODEO");
        return;
    case NodeGlyph:
        if (Look.ExpandGlyph != nullptr && !Look.ExpandGlyph->Empty() && Look.ContractGlyph != nullptr &&
            !Look.ContractGlyph->Empty()) {
            picture(Row.Collapsed ? Look.ContractGlyph : Look.ExpandGlyph, (height - Look.ContractGlyph->Height()) / 2);
            return;
        }
        break;
    case Node3D: {
        // A raised band from the glyph to the cell's right edge, the box on it.
        Canvas->Brush()->SetColor(Look.Color);
        TRect band{left, Cell.top, Cell.right, Cell.bottom};
        Canvas->FillRect(band);
        Canvas->Pen()->SetColor(clWhite);
        Line(Canvas, band.left, band.bottom - 1, band.left, band.top);
        Line(Canvas, band.left, band.top, band.right - 1, band.top);
        Canvas->Pen()->SetColor(0x808080);
        Line(Canvas, band.right - 1, band.top, band.right - 1, band.bottom - 1);
        Line(Canvas, band.right - 1, band.bottom - 1, band.left, band.bottom - 1);
        break;
    }
    default:
        break;
    }
    PaintBox(Canvas, left, Cell, Row.Collapsed, Look);
}
