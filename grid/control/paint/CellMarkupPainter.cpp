#include "grid/control/paint/CellMarkupPainter.h"

#include "grid/foundation/AsgHTMLE.h"

namespace {

// One pass of the renderer over the cell's markup: drawing it, or only measuring it.
TSize RenderCellMarkup(TCanvas* Canvas, TRect Rect, const String& Markup, const TCellMarkupOptions& Options,
                       bool SizeOnly)
{
    // The renderer starts its lines one pixel in; the cell's text starts where plain text does.
    Rect.left -= 1;
    String hitHref, plain, focusHref, hitTitle, controlId, controlValue, controlKind;
    int extentX = 0, extentY = 0, anchors = 0, hitNumber = -1;
    TRect hitRect{}, controlRect{};
    RenderMarkup(Canvas, Markup, Rect, Options.Images, -1, -1, -1, 0, 1, false, SizeOnly, false, Options.InSelection,
                 Options.BlinkVisible, false, !Options.EnhTextSize, Options.ButtonDown, 1.0, Options.LinkColor, clNone,
                 clNone, static_cast<TColor>(0x808080), hitHref, plain, focusHref, hitTitle, extentX, extentY, anchors,
                 hitNumber, hitRect, controlRect, controlId, controlValue, controlKind, Options.Cache, Options.Pictures,
                 Options.Window, static_cast<unsigned char>(Options.BiDi));
    return {extentX, extentY};
}

} // namespace

int PaintCellMarkup(TCanvas* Canvas, TRect Rect, const String& Markup, const TCellMarkupOptions& Options)
{
    if (Markup.empty() || Rect.right <= Rect.left || Rect.bottom <= Rect.top) return 0;
    return RenderCellMarkup(Canvas, Rect, Markup, Options, false).cx + 2;
}

TSize MeasureCellMarkup(TCanvas* Canvas, const TRect& Rect, const String& Markup, const TCellMarkupOptions& Options)
{
    if (Rect.right <= Rect.left || Rect.bottom <= Rect.top) return {2, 2};
    const TSize size = RenderCellMarkup(Canvas, Rect, Markup, Options, true);
    return {size.cx + 2, size.cy + 2};
}
