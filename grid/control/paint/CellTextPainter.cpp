#include "grid/control/paint/CellTextPainter.h"

#include "grid/foundation/AdvUtil.h"

namespace {

const UINT WrapFlags[2] = {DT_SINGLELINE, DT_EDITCONTROL | DT_WORDBREAK};
const UINT HorzFlags[3] = {DT_LEFT, DT_RIGHT, DT_CENTER};
const UINT VertFlags[3] = {DT_TOP, DT_VCENTER, DT_BOTTOM};

} // namespace

UINT CellTextFormat(const String& Text, bool WordWrap, TAlignment HA, TVAlignment VA, const TCellTextOptions& Options)
{
    UINT wrap = WordWrap ? WrapFlags[1] : (Options.Multilinecells ? 0u : WrapFlags[0]);
    UINT format = 0;
    if (CountTextLines(Text, Options.Multilinecells) > 1 || WordWrap) {
        format = DT_EDITCONTROL;
        if (WordWrap && Options.EnhTextSize && !Options.Multilinecells) format |= DT_END_ELLIPSIS;
    } else {
        format = DT_SINGLELINE;
        if (Options.EnhTextSize) format |= DT_END_ELLIPSIS;
    }
    format |= DT_EXPANDTABS | DT_NOPREFIX | wrap | HorzFlags[HA] | VertFlags[VA];
    if (format & DT_SINGLELINE) format &= ~static_cast<UINT>(DT_EDITCONTROL);
    return format;
}

UINT PaintCellText(TCanvas* Canvas, const TCellVisual& Visual, TRect Rect, String Text, const TCellTextOptions& Options)
{
    UINT format = CellTextFormat(Text, Visual.WordWrap, Visual.HAlign, Visual.VAlign, Options);
    if (format & DT_SINGLELINE) {
        String first;
        SplitFirstLine(Text, false, first);
        Text = first;
    }
    if (Options.RightToLeft) format |= DT_RTLREADING;
    if (Text.empty() || Rect.right <= Rect.left || Rect.bottom <= Rect.top) return VertFlags[Visual.VAlign];

    Canvas->Brush()->SetStyle(bsClear);
    // The system centres and bottom-aligns only single lines; wrapped text is measured and moved.
    if (!(format & DT_SINGLELINE) && Visual.VAlign != vtaTop) {
        TRect calc = Rect;
        String measured = Text;
        Canvas->TextRect(calc, measured, format | DT_CALCRECT);
        int room = (Rect.bottom - Rect.top) - (calc.bottom - calc.top);
        if (room > 0) Rect.top += Visual.VAlign == vtaCenter ? room / 2 : room;
    }
    Canvas->TextRect(Rect, Text, format);
    Canvas->Brush()->SetStyle(bsSolid);
    return VertFlags[Visual.VAlign];
}
