// The grid's painting around its cells: what the control adds after the cells are drawn (the
// frame of the cell being edited, the background of the empty area beyond the last row and
// column), the sort indicator of header cells, the dotted sizing lines, the shape of the focus
// frame around an edited cell, and the themed border in the non-client area.
#include <algorithm>
#include <vector>

#include "framework/facts/SystemFacts.h"
#include "framework/graphics/DrawingGuards.h"
#include "grid/control/AdvGrid.h"
#include "grid/control/paint/GridBackGroundPainter.h"
#include "grid/control/paint/SortIndicatorPainter.h"
#include "grid/foundation/AdvUtil.h"

void TAdvStringGrid::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetStyle(bsSolid);
    TBaseGrid::Paint();

    if (EditorMode()) {
        // The editor covers the cell's inside; its lines stay in the grid's line colour.
        TRect r = CellRect(Col(), Row());
        TColor pen = GridLineWidth() >= 1 ? GridLineColor() : Color();
        if (!Options().Contains(goHorzLine) && !Options().Contains(goVertLine)) pen = Color();
        canvas->Pen()->SetColor(pen);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(r);
        canvas->Brush()->SetStyle(bsSolid);
    }
    canvas->Pen()->SetColor(clBlack);
    if (!FBackGround->Bitmap()->Empty() || FBackGround->ColorTo() != clNone) PaintOuterBackground();
    if (OnPainted) OnPainted(this);
}

void TAdvStringGrid::PaintOuterBackground()
{
    const TBackGround& bg = *FBackGround;
    const bool gradient = bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert;
    const bool lastRowInView = TopRow() + VisibleRowCount() >= RowCount();
    const bool lastColInView = LeftCol() + VisibleColCount() >= ColCount();
    if ((!lastRowInView && !lastColInView) || (gradient && bg.ColorTo() == clNone)) return;

    const TRect client = ClientRect();
    const int line = GridLineWidth();
    HRGN area = CreateRectRgn(0, 0, 0, 0);
    auto addStrip = [&](const TRect& Strip) {
        if (Strip.right <= Strip.left || Strip.bottom <= Strip.top) return;
        HRGN strip = CreateRectRgn(Strip.left, Strip.top, Strip.right, Strip.bottom);
        CombineRgn(area, area, strip, RGN_OR);
        DeleteObject(strip);
    };
    if (lastColInView) {
        TRect last = CellRect(ColCount() - 1, TopRow());
        const int right = last.right + line;
        if (right < client.right) addStrip(TRect{right, client.top, client.right, client.bottom});
    }
    if (lastRowInView) {
        TRect last = CellRect(LeftCol(), RowCount() - 1);
        const int bottom = last.bottom + line;
        if (bottom < client.bottom) addStrip(TRect{client.left, bottom, client.right, client.bottom});
    }

    TRect painted = client;
    if (FSearchFooter->Visible()) painted.bottom -= 32;
    if (FFloatingFooter->Visible() && FFooterPanel != nullptr) painted.bottom -= FFooterPanel->Height();

    TCanvas* canvas = Canvas();
    {
        TSavedDC saved(canvas->Handle());
        ExtSelectClipRgn(canvas->Handle(), area, RGN_AND);
        TGridBackGroundLook look;
        look.Bitmap = bg.Bitmap();
        look.Color = bg.Color();
        look.ColorTo = bg.ColorTo();
        look.Control = {painted.right - painted.left, painted.bottom - painted.top};
        if (bg.Bitmap()->Empty()) {
            if (gradient) {
                look.Kind = bg.Display() == bdGradientHorz ? TGridBackGroundLook::GradientHorizontal
                                                           : TGridBackGroundLook::GradientVertical;
                PaintGridBackGround(canvas, painted, look);
            }
        } else if (bg.Display() != bdTile) {
            look.Kind = TGridBackGroundLook::Placed;
            look.Position = {bg.Left(), bg.Top()};
            PaintGridBackGround(canvas, painted, look);
        } else if (bg.Cells() != bcFixed) {
            // The tiles run on from the cells' own tiling: from the first normal cell, or the
            // client's corner when fixed cells are tiled too.
            TPoint origin{0, 0};
            if (bg.Cells() == bcNormal) {
                for (int c = 0; c < FixedCols(); ++c) origin.x += ColWidths(c) + line;
                for (int r = 0; r < FixedRows(); ++r) origin.y += RowHeights(r) + line;
            }
            origin.x += XYOffset.x;
            origin.y += XYOffset.y;
            look.Kind = TGridBackGroundLook::Tiled;
            // The painter starts tiles one pixel before the rectangle it fills.
            TRect tiled{origin.x + 1, origin.y + 1, painted.right, painted.bottom};
            PaintGridBackGround(canvas, tiled, look);
        }
    }
    DeleteObject(area);
}

int TAdvStringGrid::SortIndexPosition(int RCol) const { return FSortIndexes->FindIndex(RCol); }

bool TAdvStringGrid::IsSortedHeader(int RCol, int ARow)
{
    const TSortSettings& sort = *FSortSettings;
    return sort.Show() && ARow == sort.Row && RowCount() > 2 && (RCol == sort.Column || SortIndexPosition(RCol) >= 0);
}

bool TAdvStringGrid::ShowsSortGlyph(int RCol)
{
    // Without the index shown only the first sort column carries a glyph.
    return SortIndexPosition(RCol) <= 0 || FSortSettings->IndexShow;
}

void TAdvStringGrid::DrawSortIndicator(TCanvas* Canvas, int ACol, int X, int Y)
{
    const TSortSettings& sort = *FSortSettings;
    TSortIndicatorLook look;
    look.Descending = sort.Direction == sdDescending;
    look.IndexShow = sort.IndexShow;
    look.IndexColor = sort.IndexColor;
    look.UpGlyph = sort.UpGlyph();
    look.DownGlyph = sort.DownGlyph();
    look.IndexUpGlyph = sort.IndexUpGlyph();
    look.IndexDownGlyph = sort.IndexDownGlyph();
    look.FixedColor = FixedColor();
    look.IndexPosition = SortIndexPosition(ACol);
    if (look.IndexPosition >= 0) look.IndexDescending = (FSortIndexes->Items(look.IndexPosition) & 0x80000000) != 0;
    if (UseRightToLeftAlignment()) {
        const int glyph = SortIndicatorGlyphWidth(look);
        X = ClientWidth() - X - 4 - (glyph > 0 ? glyph + 7 : 7);
    }
    PaintSortIndicator(Canvas, X, Y, look);
}

void TAdvStringGrid::DrawSizingLine(TPoint From, TPoint To)
{
    TCanvas* canvas = Canvas();
    TPen saved;
    saved.Assign(canvas->Pen());
    const TPenMode mode = canvas->Pen()->Mode();
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetStyle(psDot);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetMode(pmXor);
    canvas->MoveTo(From.x, From.y);
    canvas->LineTo(To.x, To.y);
    canvas->Pen()->Assign(&saved);
    canvas->Pen()->SetMode(mode);
}

void TAdvStringGrid::DrawColSizingLine(int X)
{
    TRect last = CellRect(0, std::min(RowCount() - 1, TopRow() + VisibleRowCount()));
    const int bottom = last.bottom > 0 ? std::min(Height(), static_cast<int>(last.bottom)) : Height();
    DrawSizingLine({X, 0}, {X, bottom});
}

void TAdvStringGrid::DrawRowSizingLine(int Y)
{
    TRect last = CellRect(std::min(ColCount() - 1, LeftCol() + VisibleColCount()), 0);
    const int right = last.right > 0 ? std::min(Width(), static_cast<int>(last.right)) : Width();
    DrawSizingLine({0, Y}, {right, Y});
}

void TAdvStringGrid::ShapeFocusFrame(HWND Frame, const TRect& Cell)
{
    const int w = (Cell.right - Cell.left) + 9, h = (Cell.bottom - Cell.top) + 9;
    if (w <= 0 || h <= 0) return;
    // A light blue rounded ring, 90 % opaque, whose corners fade out through the mask's alpha.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        // The mask: white inside the rounded rectangle, black outside.
        HRGN rounded = CreateRoundRectRgn(0, 0, w + 1, h + 1, 5, 5);
        auto* pixel = static_cast<DWORD*>(bits);
        const TColor ring = 0xFDD397;
        const BYTE r = GetRValue(ring), g = GetGValue(ring), b = GetBValue(ring);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixel[y * w + x] = PtInRegion(rounded, x, y) ? (0xFFu << 24) | (r << 16) | (g << 8) | b : 0;
        DeleteObject(rounded);
        SetWindowLongPtrW(Frame, GWL_EXSTYLE, GetWindowLongPtrW(Frame, GWL_EXSTYLE) | WS_EX_LAYERED);
        POINT source{0, 0};
        SIZE size{w, h};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 230, AC_SRC_ALPHA};
        DynamicUpdateLayeredWindow(Frame, screen, nullptr, &size, dc, &source, 0, &blend, ULW_ALPHA);
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    // Only a ring shows: the cell itself, placed at (4, 4), is cut out of the window.
    HRGN window = CreateRectRgn(0, 0, w, h);
    HRGN cell = CreateRectRgn(4, 4, 4 + (Cell.right - Cell.left), 4 + (Cell.bottom - Cell.top));
    CombineRgn(window, window, cell, RGN_XOR);
    DeleteObject(cell);
    if (SetWindowRgn(Frame, window, FALSE) == 0) DeleteObject(window);
}

void TAdvStringGrid::WMNCPaint(TMessage& Message)
{
    TBaseGrid::WMNCPaint(Message);
    if (FUpdate.Count > 0) return;
    PaintThemedBorder();
    Message.Result = 0;
}

void TAdvStringGrid::PaintThemedBorder()
{
    const bool themedLook = Look == glSoft || (Look >= glQRX && Look <= glOffice2007);
    if (!themedLook || BorderStyle() == bsNone || FFlat || !HandleAllocated()) return;
    if (!FitCellsInGrid && !FIsComCtl6) return;
    HDC dc = GetWindowDC(Handle());
    if (dc == nullptr) return;
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        RECT window;
        GetWindowRect(Handle(), &window);
        const int w = window.right - window.left, h = window.bottom - window.top;
        auto ring = [&](TColor Color, int Inset) {
            canvas.Pen()->SetColor(Color);
            canvas.Pen()->SetWidth(1);
            canvas.Polyline({TPoint{Inset, h - 1 - Inset}, TPoint{Inset, Inset}, TPoint{w - 1 - Inset, Inset},
                             TPoint{w - 1 - Inset, h - 1 - Inset}, TPoint{Inset, h - 1 - Inset}});
        };
        const TColor border = FIsWinXP ? TColor(0xB99D7F) : TColor(0x808080);
        if (FitCellsInGrid) {
            // The grid's own line inside, the parent's colour outside, so no system edge shows.
            ring(border, 1);
            if (Parent() != nullptr) ring(Parent()->Color(), 0);
        } else {
            ring(border, 0);
            ring(border, 1);
        }
        canvas.SetHandle(nullptr);
    }
    ReleaseDC(Handle(), dc);
}
