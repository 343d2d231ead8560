#include "grid/control/paint/CellBackgroundPainter.h"

#include "grid/foundation/AdvUtil.h"
#include "grid/foundation/AdvUtilDraw.h"

TSelectionBoxColors SelectionBoxColors(TGridSelectionStyle Style, bool Focused)
{
    if (!Focused) return {0xF8F8F8, 0xE5E5E5, 0xD9D9D9, 0xFBFAFA, 0xF0F0F0, 0xEFEFEF, clNone, clNone};
    switch (Style) {
    case ssWin7:
        return {0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, clNone, clNone};
    case ssOffice2007:
        return {0xD7FFFD, 0x58D4FC, 0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x58D4FC, 0xB3F1FC};
    default:
        return {0xFDF8F1, 0xFCEFD5, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, clNone, clNone};
    }
}

void PaintCellBackground(TCanvas* Canvas, const TCellVisual& Visual, const TRect& Rect)
{
    if (Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
    Canvas->Brush()->SetColor(Visual.Color);
    Canvas->Pen()->SetColor(Visual.Color);
    const TCellSelectionBox& box = Visual.SelectionBox;
    if (Visual.Selected() && box.Style != ssDefault) {
        if (box.Rect.right <= box.Rect.left || box.Rect.bottom <= box.Rect.top) return;
        TSelectionBoxColors c = SelectionBoxColors(box.Style, box.Focused);
        // The rounded box of a very small cell would otherwise reach past its rectangle.
        advutil::TClipToRect clip(Canvas, box.Rect);
        PaintSelectionBox(Canvas, c.From, c.To, box.Part, box.Rect, box.OuterCornerColor, c.Corner, c.Border,
                          c.InnerBottom, c.InnerTop, c.MirrorTo, c.MirrorFrom);
    } else if (Visual.MirrorColorTo != clNone) {
        PaintMirrorGradient(Canvas, Rect, Visual.Color, true, false, clNone, true, Visual.MirrorColorTo,
                            Visual.MirrorColor, Visual.ColorTo);
    } else {
        PaintStepGradient(Canvas, Visual.Color, Visual.ColorTo, Visual.Direction == GradientHorizontal, Rect, 64);
    }
    Canvas->Brush()->SetColor(Visual.Color);
    Canvas->Pen()->SetColor(Visual.Color);
}
