#include "grid/control/paint/FixedCellLookPainter.h"

#include "grid/foundation/AdvUtil.h"
#include "grid/foundation/AdvUtilDraw.h"

namespace {

void PaintLine(TCanvas* Canvas, TColor Color, std::initializer_list<TPoint> Points)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Pen()->SetWidth(1);
    Canvas->Polyline(Points);
}

bool GradientLook(TGridLook Look)
{
    return Look == glQRX || Look == glXP || Look == glVista || Look == glWin7 || Look == glOffice2007;
}

} // namespace

void PaintFixedCellFill(TCanvas* Canvas, const TCellVisual& Visual, const TRect& Rect)
{
    // A cell narrower than its lines leaves no room (and GDI would draw an inverted box turned
    // the right way round).
    if (!Visual.Fixed() || advutil::IsEmptyRect(Rect)) return;
    const TFixedCellLook& look = Visual.FixedLook;
    if (GradientLook(look.Look)) {
        // Hovered and pressed headers come with the mouse handling.
        if (look.ActiveHeader)
            PaintMirrorGradient(Canvas, Rect, look.ActiveColor, true, false, clNone, true, clNone, clNone,
                                look.ActiveColorTo);
        else if (look.SortedHeader)
            PaintMirrorGradient(Canvas, Rect, look.HeaderColor, true, false, clNone, true, look.HeaderMirrorColorTo,
                                look.HeaderMirrorColor, look.HeaderColorTo);
        else if (!look.Flat)
            PaintMirrorGradient(Canvas, Rect, Visual.Color, true, true, look.Look == glVista ? clWhite : clNone, true,
                                Visual.MirrorColorTo, Visual.MirrorColor, Visual.ColorTo);
    }
    if (look.Look == glListView && !look.Flat) {
        if (look.ThemedHeaderPart != 0) {
            TRect header{Rect.left, Rect.top, Rect.right, Rect.bottom + 1};
            if (PaintThemedPart(Canvas, look.Window, L"header", look.ThemedHeaderPart, look.ThemedHeaderState, header)) {
                PaintLine(Canvas, clWhite, {{Rect.left, Rect.top}, {Rect.right, Rect.top}});
                return;
            }
        }
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->Pen()->SetColor(clWhite);
        Canvas->Pen()->SetWidth(1);
        Canvas->Rectangle(Rect);
    }
}

void PaintFixedCellEdges(TCanvas* Canvas, const TCellVisual& Visual, const TRect& Rect)
{
    if (advutil::IsEmptyRect(Rect)) return;
    const TFixedCellLook& look = Visual.FixedLook;
    if (Visual.Fixed() && !look.Flat) {
        TColor dark = HalveColor(look.FixedColor);
        TRect r = Rect;
        if (look.Look == glClassic) {
            r.left += 1;
            r.top += 1;
            r.bottom += 1;
            DrawEdge(Canvas->Handle(), &r, BDR_RAISEDINNER, BF_LEFT);
            DrawEdge(Canvas->Handle(), &r, BDR_RAISEDINNER, BF_TOP);
            DrawEdge(Canvas->Handle(), &r, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
            PaintLine(Canvas, clBlack, {{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left - 1, r.bottom - 1}});
        } else if (look.Look == glQRX || look.Look == glXP) {
            r.bottom += 1;
            if (look.HorzLines) {
                PaintLine(Canvas, dark, {{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}});
                PaintLine(Canvas, clWhite, {{r.right - 2, r.top + 1}, {r.left + 1, r.top + 1}, {r.left + 1, r.bottom - 1}});
            }
        } else if (look.Look == glSoft) {
            r.right += 1;
            r.bottom += 1;
            if (look.HorzLines) {
                PaintLine(Canvas, dark, {{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}});
                PaintLine(Canvas, clWhite, {{r.right, r.top + 1}, {r.left + 1, r.top + 1}, {r.left + 1, r.bottom - 1}});
            }
            if (look.VertLines) {
                PaintLine(Canvas, dark, {{r.right - 2, r.top}, {r.right - 2, r.bottom - 1}});
                PaintLine(Canvas, clWhite, {{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}});
            }
        }
    }
    if (look.RightFixedOfFlat && look.Flat && look.Look != glClassic) {
        const TRect& r = Rect;
        if (look.HorzLines) {
            PaintLine(Canvas, 0x808080, {{r.left, r.top - 1}, {r.right, r.top - 1}});
            PaintLine(Canvas, 0x808080, {{r.left, r.bottom}, {r.right, r.bottom}});
        }
        if (look.VertLines) {
            PaintLine(Canvas, 0x808080, {{r.left - 1, r.top}, {r.left - 1, r.bottom}});
            PaintLine(Canvas, 0x808080, {{r.right, r.top}, {r.right, r.bottom}});
        }
    }
}
