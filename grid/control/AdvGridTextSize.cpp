// The size a cell's text needs, for automatic sizing, hints and hit tests: markup by what the
// markup renderer lays out, plain text by its lines or wrapped at the cell's width, a rotated
// text by the box its turned lines span.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "grid/control/AdvGrid.h"
#include "grid/control/paint/CellMarkupPainter.h"
#include "grid/foundation/AsgHTMLE.h"

TSize TAdvStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB)
{
    return CalcCellTextSize(ACol, RealToDisplCol(ACol), ARow, VS, SB);
}

TSize TAdvStringGrid::CalcCellTextSize(int ACol, int DCol, int ARow, bool VS, bool SB)
{
    String text = GetFormattedText(ACol, ARow);
    int kind = CellTextKind(text, EnableHTML);
    if (kind == 3) {
        // A formula measures by its result.
        DoGetDisplText(ACol, ARow, text);
        kind = CellTextKind(text, EnableHTML);
    }

    TCanvas* canvas = Canvas();
    TGridDrawState state;
    TBrush brush;
    GetFontProperties(DCol, ACol, ARow, state, canvas->Font(), &brush, false);
    if (ZoomFactor != 0) canvas->Font()->SetSize(canvas->Font()->Size() + ZoomFactor);

    TRect r = CellRect(DCol, ARow);
    r.left += XYOffset.x;
    r.top += XYOffset.y;
    if (!XYOffsetTopLeftOnly) {
        r.right -= XYOffset.x;
        r.bottom -= XYOffset.y;
    }
    if (SB) r.right -= 17;

    if (kind == 1) {
        if (!VS) {
            r.right = 65535;
            r.bottom = 65535;
        }
        return MeasureCellMarkup(canvas, r, text, CellMarkupOptions(URLColor, false));
    }
    // Rich text is measured by the grid's rich edit, which the rich-text cells bring; until
    // then its plain lines stand for it.

    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    const bool rotated = graphic != nullptr && graphic->CellType() == ctRotated;

    TSize size{0, 0};
    if (VS) {
        InflateRect(&r, -2, -2);
        // While this very cell is being edited, a text ending in a line feed shows its empty
        // last line: a stand-in letter makes it count.
        if (EditorMode() && Col() == DCol && Row() == ARow && !text.empty() && text.back() == L'\n') text += L"w";
        TRect measured = r;
        UINT format = DT_CALCRECT | DT_EDITCONTROL | DT_NOPREFIX | (rotated ? DT_SINGLELINE : DT_WORDBREAK);
        String measuredText = text;
        size.cy = canvas->TextRect(measured, measuredText, format);
        size.cx = r.right - r.left;
    } else {
        String rest = text, line;
        int lines = 0;
        do {
            SplitFirstLine(rest, true, line);
            if (URLShow && !URLFull && LooksLikeURL(line)) StripURLScheme(line);
            size.cx = std::max<LONG>(size.cx, canvas->TextWidth(line));
            ++lines;
        } while (Multilinecells && !rest.empty());
        size.cy = canvas->TextHeight(L"gh") * lines;
    }

    if (rotated) {
        const double a = graphic->CellAngle() * std::numbers::pi / 180.0;
        auto part = [](double v) { return std::abs(static_cast<long>(std::nearbyint(v))); };
        const long cx = size.cx, cy = size.cy;
        size.cx = std::abs(part(cy * std::sin(a)) - part(cx * std::cos(a))) + 12;
        size.cy = std::abs(part(cy * std::cos(a)) - part(cx * std::sin(a))) + 12;
    }
    return size;
}
