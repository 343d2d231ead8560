// The size a cell's text needs, for automatic sizing, hints and hit tests: plain text by its
// lines or wrapped at the cell's width, a rotated text by the box its turned lines span.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "grid/control/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"

TSize TAdvStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB)
{
    const int dcol = RealToDisplCol(ACol);
    String text = GetFormattedText(ACol, ARow);
    // Markup is measured by its visible text until the markup measure reaches the grid.
    if (CellTextKind(text, EnableHTML) == 1) text = StripMarkup(text);

    TCanvas* canvas = Canvas();
    TGridDrawState state;
    TBrush brush;
    GetFontProperties(dcol, ACol, ARow, state, canvas->Font(), &brush, false);
    if (ZoomFactor != 0) canvas->Font()->SetSize(canvas->Font()->Size() + ZoomFactor);

    TRect r = CellRect(dcol, ARow);
    r.left += XYOffset.x;
    r.top += XYOffset.y;
    if (!XYOffsetTopLeftOnly) {
        r.right -= XYOffset.x;
        r.bottom -= XYOffset.y;
    }
    if (SB) r.right -= 17;

    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    const bool rotated = graphic != nullptr && graphic->CellType() == ctRotated;

    TSize size{0, 0};
    if (VS) {
        InflateRect(&r, -2, -2);
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
