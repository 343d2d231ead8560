// Cell painting: the colours and alignment a cell's properties ask for reach the screen, the
// grid's frame (lines, merged areas, selection) follows its settings, and the painting
// utilities draw the bands and boxes the grid relies on. Grids paint into a memory bitmap.
#include <string>
#include <vector>

#include "framework/graphics/Colors.h"
#include "grid/foundation/AdvUtil.h"
#include "grid/foundation/AsgHTMLE.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

bool IsRed(COLORREF c) { return GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90; }
bool IsDark(COLORREF c) { return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90; }

// Counts the content draws of each cell.
class TDrawCountGrid : public TAdvStringGrid {
public:
    using TAdvStringGrid::TAdvStringGrid;
    void DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override
    {
        ++Draws[ARow][ACol];
        TAdvStringGrid::DrawGridCell(ACanvas, ACol, ARow, ARect, AState);
    }
    int Draws[6][6] = {};
};

class CellPainting : public GridTest {
protected:
    // A borderless 5 x 5 grid of 40 x 20 cells, white, with the current cell at (1, 1).
    template <class G = TCountingGrid> G* MakeGrid()
    {
        auto* grid = new G(Form);
        grid->SetParent(Form);
        grid->SetBorderStyle(bsNone);
        grid->SetBounds(0, 0, 200, 100);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        grid->SetDefaultColWidth(40);
        grid->SetDefaultRowHeight(20);
        grid->SetColor(clWhite);
        grid->Font()->SetColor(clBlack);
        ShowForm();
        return grid;
    }
    static void Paint(TAdvStringGrid* Grid, TGridPixels& Pixels) { Grid->PaintTo(Pixels.DC(), 0, 0); }
};

TEST_F(CellPainting, PropertiesFontColourRedAndCentredPaintRedTextInTheMiddleEnabledOrNot)
{
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        TAdvStringGrid* grid = MakeGrid();
        grid->SetEnabled(enabled);
        grid->SetVAlignment(vtaCenter);
        grid->SetCells(2, 3, L"88");
        TCellProperties* props = grid->GetCellProperties(2, 3);
        props->SetFontColor(clRed);
        props->SetAlignment(taCenter);
        TGridPixels pixels(200, 100);
        Paint(grid, pixels);
        TRect cell = grid->CellRect(2, 3);
        RECT ink = pixels.Find(cell, IsRed);
        ASSERT_LT(ink.left, ink.right) << "no red text";
        EXPECT_NEAR((ink.left + ink.right) / 2.0, (cell.left + cell.right) / 2.0, 3);
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (cell.top + cell.bottom) / 2.0, 3);
        EXPECT_EQ(pixels.Find(cell, IsDark).left, cell.right) << "text drawn in another colour too";
        delete grid;
    }
}

TEST_F(CellPainting, DefaultCellPaintsGridFontColourAtTheDefaultAlignment)
{
    struct Case {
        TAlignment Default;
        const char* Name;
    } cases[] = {{taLeftJustify, "left"}, {taRightJustify, "right"}, {taCenter, "centre"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvStringGrid* grid = MakeGrid();
        grid->SetDefaultAlignment(c.Default);
        grid->SetCells(2, 2, L"88");
        TGridPixels pixels(200, 100);
        Paint(grid, pixels);
        TRect cell = grid->CellRect(2, 2);
        RECT ink = pixels.Find(cell, IsDark);
        ASSERT_LT(ink.left, ink.right);
        EXPECT_EQ(pixels.Find(cell, IsRed).left, cell.right);
        if (c.Default == taLeftJustify) EXPECT_LE(ink.left - cell.left, 5);
        if (c.Default == taRightJustify) EXPECT_LE(cell.right - ink.right, 6);
        if (c.Default == taCenter) EXPECT_NEAR((ink.left + ink.right) / 2.0, (cell.left + cell.right) / 2.0, 3);
        // Vertical alignment defaults to the top.
        EXPECT_LE(ink.top - cell.top, 7);
        delete grid;
    }
}

TEST_F(CellPainting, CellBrushColourFillsTheCellInsideItsLines)
{
    TAdvStringGrid* grid = MakeGrid();
    grid->GetCellProperties(3, 2)->SetBrushColor(clLime);
    TGridPixels pixels(200, 100);
    Paint(grid, pixels);
    TRect cell = grid->CellRect(3, 2);
    EXPECT_EQ(pixels.At(cell.left + 1, cell.top + 1), static_cast<COLORREF>(clLime));
    EXPECT_EQ(pixels.At(cell.right - 3, cell.bottom - 3), static_cast<COLORREF>(clLime));
    // The grid line at the cell's right and bottom edge stays the line colour.
    EXPECT_EQ(pixels.At(cell.right - 1, cell.top + 5), static_cast<COLORREF>(clSilver));
    EXPECT_EQ(pixels.At(cell.left + 5, cell.bottom - 1), static_cast<COLORREF>(clSilver));
    // Its neighbour keeps the grid colour.
    EXPECT_EQ(pixels.At(cell.left - 10, cell.top + 5), static_cast<COLORREF>(clWhite));
}

TEST_F(CellPainting, GridLineWidthZeroDrawsNoLines)
{
    for (int width : {1, 0}) {
        SCOPED_TRACE(width);
        TAdvStringGrid* grid = MakeGrid();
        grid->SetGridLineWidth(width);
        TGridPixels pixels(200, 100);
        Paint(grid, pixels);
        TRect cell = grid->CellRect(2, 2);
        COLORREF expected = width ? clSilver : clWhite;
        EXPECT_EQ(pixels.At(cell.right - 1, cell.top + 5), expected);
        EXPECT_EQ(pixels.At(cell.left + 5, cell.bottom - 1), expected);
        delete grid;
    }
}

// The decision in separate values (printing and the exporters ask for it this way) is the one
// the cells are painted with.
TEST_F(CellPainting, VisualPropertiesHandOutTheCellsDecisionInPieces)
{
    TAdvStringGrid* grid = MakeGrid();
    TCellProperties* props = grid->GetCellProperties(2, 2);
    props->SetBrushColor(clLime);
    props->SetBrushColorTo(clBlue);
    props->SetGradientDirection(GradientHorizontal);
    props->SetFontColor(clRed);
    props->SetAlignment(taCenter);
    props->SetWordWrap(false);
    grid->SetVAlignment(vtaBottom);
    struct Case {
        int Col, Row;
        TColor Brush, ColorTo, Font;
        bool Fixed, WordWrap;
        TAlignment HA;
        TCellGradientDirection GD;
    } cases[] = {
        {2, 2, clLime, clBlue, clRed, false, false, taCenter, GradientHorizontal},
        {3, 3, clWhite, clNone, clBlack, false, true, taLeftJustify, GradientVertical},
        // The default look's header: white to the button face, in the fixed font, fixed.
        {2, 0, clWhite, ColorToRGB(clBtnFace), grid->FixedFont()->Color(), true, true, taLeftJustify, GradientVertical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Col * 10 + c.Row);
        TGridDrawState state;
        TBrush brush;
        TFont font;
        TColor colorTo = 0, mirror = 0, mirrorTo = 0;
        TAlignment ha = taRightJustify;
        TVAlignment va = vtaTop;
        bool ww = true;
        TCellGradientDirection gd = GradientVertical;
        grid->GetVisualProperties(c.Col, c.Row, state, false, false, true, &brush, colorTo, mirror, mirrorTo, &font,
                                  ha, va, ww, gd);
        EXPECT_EQ(brush.Color(), c.Brush);
        EXPECT_EQ(colorTo, c.ColorTo);
        EXPECT_EQ(mirror, clNone);
        EXPECT_EQ(mirrorTo, clNone);
        EXPECT_EQ(font.Color(), c.Font);
        EXPECT_EQ(state.Contains(gdFixed), c.Fixed);
        EXPECT_EQ(ha, c.HA);
        EXPECT_EQ(va, vtaBottom);
        EXPECT_EQ(ww, c.WordWrap);
        EXPECT_EQ(gd, c.GD);
    }
    TGridPixels pixels(200, 100);
    Paint(grid, pixels);
    TRect cell = grid->CellRect(2, 2);
    EXPECT_EQ(pixels.At(cell.left, cell.top + 10), static_cast<COLORREF>(clLime)); // the first band
    const COLORREF right = pixels.At(cell.right - 3, cell.top + 10);
    EXPECT_GT(GetBValue(right), 200);
    EXPECT_LT(GetGValue(right), 50);
}

// One cell's painting asks its events in their order, each with the cell's real column and its
// arguments (the decision runs twice: the base grid asks it before it fills the background);
// the drawing events get the cell's rectangle, OnDrawCell the part inside the lines.
TEST_F(CellPainting, EventsOfOneCellFireInOrderWithTheRealColumn)
{
    TCountingGrid* grid = MakeGrid();
    grid->HideColumn(1); // display column 1 is now real column 2
    grid->SetCells(2, 2, L"12.5");
    std::vector<std::string> fired;
    auto note = [&](const char* Name, int ACol, int ARow) {
        if (ACol != 2 || ARow != 2) return;
        if (fired.empty() || fired.back() != Name) fired.push_back(Name);
    };
    TRect drawRect{}, customRect{};
    bool printing = true;
    grid->OnGetCellColor = [&](TObject*, int ARow, int ACol, TGridDrawState, TBrush*, TFont*) {
        note("color", ACol, ARow);
    };
    grid->OnGetCellGradient = [&](TObject*, int ARow, int ACol, TColor& Color, TColor&, TColor&, TColor&,
                                  TCellGradientDirection&) {
        note("gradient", ACol, ARow);
        if (ACol == 2 && ARow == 2) Color = clYellow;
    };
    grid->OnGetWordWrap = [&](TObject*, int ACol, int ARow, bool&) { note("wordwrap", ACol, ARow); };
    grid->OnGetAlignment = [&](TObject*, int ARow, int ACol, TAlignment&, TVAlignment&) { note("alignment", ACol, ARow); };
    grid->OnCustomCellBkgDraw = [&](TObject*, TCanvas*, int ACol, int ARow, TGridDrawState, TRect, bool) {
        note("background", ACol, ARow);
    };
    grid->OnGetFloatFormat = [&](TObject*, int ACol, int ARow, bool&, String&) { note("float", ACol, ARow); };
    grid->OnGetCellBorder = [&](TObject*, int ARow, int ACol, TPen*, TCellBorders&) { note("border", ACol, ARow); };
    grid->OnGetCellBorderProp = [&](TObject*, int ARow, int ACol, TPen*, TPen*, TPen*, TPen*) {
        note("borderprop", ACol, ARow);
    };
    grid->OnDrawCell = [&](TObject*, int ACol, int ARow, TRect Rect, TGridDrawState) {
        note("draw", ACol, ARow);
        if (ACol == 2 && ARow == 2) drawRect = Rect;
    };
    grid->OnCustomCellDraw = [&](TObject*, TCanvas*, int ACol, int ARow, TGridDrawState, TRect Rect, bool Printing) {
        note("custom", ACol, ARow);
        if (ACol == 2 && ARow == 2) {
            customRect = Rect;
            printing = Printing;
        }
    };
    TGridPixels pixels(200, 100);
    Paint(grid, pixels);
    const std::vector<std::string> expected{"color",      "gradient", "wordwrap", "alignment",  "color",
                                            "gradient",   "wordwrap", "alignment", "background", "float",
                                            "border",     "borderprop", "draw",    "custom"};
    EXPECT_EQ(expected, fired);
    const TRect cell = grid->CellRect(1, 2);
    EXPECT_EQ(cell.left + 1, drawRect.left);
    EXPECT_EQ(cell.top + 1, drawRect.top);
    EXPECT_EQ(cell.right - 1, drawRect.right);
    EXPECT_EQ(cell.bottom - 1, drawRect.bottom);
    EXPECT_EQ(cell.left, customRect.left);
    EXPECT_EQ(cell.top, customRect.top);
    EXPECT_EQ(cell.right, customRect.right);
    EXPECT_EQ(cell.bottom, customRect.bottom);
    EXPECT_FALSE(printing);
    EXPECT_EQ(static_cast<COLORREF>(clYellow), pixels.At(cell.left + 2, cell.top + 2)) << "the gradient event's colour";
}

// The text offset keeps right-aligned text off the right line, unless it applies only to the
// left and top.
TEST_F(CellPainting, TextOffsetFromTheRightOnlyWithoutTopLeftOnly)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetCells(2, 2, L"WW");
    grid->GetCellProperties(2, 2)->SetAlignment(taRightJustify);
    grid->XYOffset = TPoint{4, 2};
    auto inkRight = [&] {
        TGridPixels pixels(200, 100);
        Paint(grid, pixels);
        const TRect cell = grid->CellRect(2, 2);
        return pixels.Find(TRect{cell.left, cell.top, cell.right - 1, cell.bottom - 1}, IsDark).right;
    };
    const LONG offset = inkRight();
    grid->XYOffsetTopLeftOnly = true;
    EXPECT_EQ(offset + 4, inkRight());
}

TEST_F(CellPainting, MergedAreaIsPaintedOncePerPaint)
{
    auto* grid = MakeGrid<TDrawCountGrid>();
    grid->MergeCells(2, 2, 3, 2);
    Pump();
    for (auto& row : grid->Draws)
        for (int& n : row) n = 0;
    TGridPixels pixels(200, 100);
    for (int paint = 1; paint <= 2; ++paint) {
        Paint(grid, pixels);
        int total = 0;
        for (int r = 2; r <= 3; ++r)
            for (int c = 2; c <= 4; ++c) total += grid->Draws[r][c];
        EXPECT_EQ(grid->Draws[2][2], paint);
        EXPECT_EQ(total, paint);
    }
    // The whole area takes the base cell's colour in one piece.
    grid->GetCellProperties(2, 2)->SetBrushColor(clLime);
    Paint(grid, pixels);
    TRect area = grid->CellRect(2, 2);
    EXPECT_EQ(area.right - area.left, 120);
    EXPECT_EQ(pixels.At(area.left + 45, area.top + 25), static_cast<COLORREF>(clLime));
}

TEST_F(CellPainting, MergedAreaScrolledUnderTheFixedRowDoesNotPaintOverIt)
{
    TAdvStringGrid* grid = MakeGrid();
    grid->SetRowCount(10);
    grid->MergeCells(2, 1, 1, 3);
    grid->GetCellProperties(2, 1)->SetBrushColor(clLime);
    grid->SetTopRow(2);
    // Painted where a parent would put it (an offset, a clip of its own), the same holds and
    // nothing lands outside the grid's bounds.
    for (int offset : {0, 30}) {
        SCOPED_TRACE(offset);
        TGridPixels pixels(260, 160);
        grid->PaintTo(pixels.DC(), offset, offset);
        EXPECT_NE(pixels.At(offset + 85, offset + 5), static_cast<COLORREF>(clLime));
        EXPECT_EQ(pixels.At(offset + 85, offset + 25), static_cast<COLORREF>(clLime));
        EXPECT_EQ(pixels.At(offset + 85, offset + 45), static_cast<COLORREF>(clLime));
        const COLORREF unpainted = pixels.At(259, 159);
        RECT outside{0, 0, 260, offset};
        EXPECT_EQ(pixels.Find(outside, [&](COLORREF c) { return c != unpainted; }).left, outside.right);
        outside = RECT{0, offset + 100, 260, 160};
        EXPECT_EQ(pixels.Find(outside, [&](COLORREF c) { return c != unpainted; }).left, outside.right);
        outside = RECT{offset + 200, 0, 260, 160};
        EXPECT_EQ(pixels.Find(outside, [&](COLORREF c) { return c != unpainted; }).left, outside.right);
    }
}

TEST_F(CellPainting, CurrentCellTakesSelectionColourOrNoneWhenSelectionIsHidden)
{
    struct Case {
        TColor Selection;
        bool Show;
        TColor Expected;
    } cases[] = {{clWhite, true, clWhite}, {clAqua, true, clAqua}, {clAqua, false, clYellow}};
    for (const Case& c : cases) {
        TAdvStringGrid* grid = MakeGrid();
        grid->SetColor(clYellow);
        grid->SetSelectionColor(c.Selection);
        grid->SetShowSelection(c.Show);
        TGridPixels pixels(200, 100);
        Paint(grid, pixels);
        TRect cell = grid->CellRect(1, 1);
        EXPECT_EQ(pixels.At(cell.left + 5, cell.top + 5), static_cast<COLORREF>(c.Expected)) << c.Selection << " " << c.Show;
        TRect other = grid->CellRect(2, 2);
        EXPECT_EQ(pixels.At(other.left + 5, other.top + 5), static_cast<COLORREF>(clYellow));
        delete grid;
    }
}

// A fixed cell that shows text keeps a brush colour of its own over the fixed colour, whether the
// text is plain, turned, or carries an error marker; a cell holding a control keeps the fixed look.
TEST_F(CellPainting, FixedTextCellsKeepTheirOwnBrushColour)
{
    struct Case {
        const char* Name;
        void (*Setup)(TAdvStringGrid*);
        bool Own;
    } cases[] = {
        {"plain text", [](TAdvStringGrid* g) { g->SetCells(2, 0, L"Mo"); }, true},
        {"rotated text", [](TAdvStringGrid* g) { g->AddRotated(2, 0, 90, L"Mo"); }, true},
        {"marked text", [](TAdvStringGrid* g) {
             g->SetCells(2, 0, L"Mo");
             g->AddMarker(2, 0, 1, 1);
         }, true},
        {"check box", [](TAdvStringGrid* g) { g->AddCheckBox(2, 0, true, false); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TAdvStringGrid* grid = MakeGrid();
        grid->Look = glStandard;
        grid->SetFixedColor(clSilver);
        c.Setup(grid);
        grid->GetCellProperties(2, 0)->SetBrushColor(clLime);
        TGridPixels pixels(200, 100);
        Paint(grid, pixels);
        const TRect cell = grid->CellRect(2, 0);
        int lime = 0, fixed = 0;
        for (int y = cell.top + 2; y < cell.bottom - 2; ++y)
            for (int x = cell.left + 2; x < cell.right - 2; ++x) {
                lime += pixels.At(x, y) == static_cast<COLORREF>(clLime);
                fixed += pixels.At(x, y) == static_cast<COLORREF>(clSilver);
            }
        const int inside = (cell.right - cell.left - 4) * (cell.bottom - cell.top - 4);
        if (c.Own) {
            EXPECT_GT(lime, inside / 2);
            EXPECT_EQ(fixed, 0);
        } else {
            EXPECT_EQ(lime, 0);
            EXPECT_GT(fixed, inside / 2);
        }
        delete grid;
    }
}

// Highlighted markup takes the grid's highlight colours, not the system's.
TEST_F(CellPainting, HighlightTagsPaintInTheGridsHighlightColours)
{
    struct RestoreSystemColours {
        ~RestoreSystemColours() { SetMarkupHighlightColors(clHighlight, clHighlightText); }
    } restore;
    TAdvStringGrid* grid = MakeGrid();
    grid->SetCells(2, 2, L"<HI>WWW</HI>");
    grid->SetHighlightColor(clLime);
    grid->SetHighlightTextColor(clRed);
    TGridPixels pixels(200, 100);
    Paint(grid, pixels);
    const TRect cell = grid->CellRect(2, 2);
    const RECT lit = pixels.Find(cell, [](COLORREF c) { return c == static_cast<COLORREF>(clLime); });
    const RECT ink = pixels.Find(cell, IsRed);
    ASSERT_LT(lit.left, lit.right) << "no highlight background";
    ASSERT_LT(ink.left, ink.right) << "no highlight text";
    EXPECT_GE(ink.left, lit.left);
    EXPECT_LE(ink.right, lit.right);
    const COLORREF system = ColorToRGB(clHighlight);
    EXPECT_EQ(pixels.Find(cell, [system](COLORREF c) { return c == system; }).left, cell.right)
        << "the system's highlight colour is still used";
}

TEST_F(CellPainting, DisabledGridPaintsExactlyLikeEnabledOne)
{
    TAdvStringGrid* grid = MakeGrid();
    grid->SetCells(1, 0, L"Mo");
    grid->SetCells(2, 2, L"12");
    grid->GetCellProperties(2, 2)->SetFontColor(clRed);
    // A disabled grid loses the focus, and with it the focus rectangle; that is not a look of
    // its own, so it is kept out of the comparison.
    grid->HideFocusRect = true;
    TGridPixels enabled(200, 100), disabled(200, 100);
    Paint(grid, enabled);
    grid->SetEnabled(false);
    Paint(grid, disabled);
    int differences = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            differences += enabled.At(x, y) != disabled.At(x, y);
    EXPECT_EQ(differences, 0);
}

TEST_F(CellPainting, FocusRectangleOnTheCurrentCellOnlyWhileFocusedAndNotHidden)
{
    struct Case {
        bool Focus, Hide, Expected;
    } cases[] = {{true, false, true}, {true, true, false}, {false, false, false}};
    for (const Case& c : cases) {
        TAdvStringGrid* grid = MakeGrid();
        auto* other = new TCountingGrid(Form);
        other->SetParent(Form);
        other->SetBounds(0, 150, 50, 50);
        grid->HideFocusRect = c.Hide;
        Pump();
        if (c.Focus) grid->SetFocus();
        else other->SetFocus();
        Pump();
        TGridPixels pixels(200, 100);
        Paint(grid, pixels);
        TRect cell = grid->CellRect(1, 1);
        RECT frame = pixels.Find(cell, [](COLORREF p) { return p != 0xEACAB6 && p != static_cast<COLORREF>(clSilver); });
        EXPECT_EQ(frame.left < frame.right, c.Expected) << c.Focus << c.Hide;
        delete other;
        delete grid;
    }
}

TEST_F(CellPainting, HiddenLastRowShowsOnlyTheGridColour)
{
    TAdvStringGrid* grid = MakeGrid();
    grid->SetColor(clYellow);
    grid->SetCells(1, 4, L"88");
    grid->SetHideLastRow(true);
    TGridPixels pixels(200, 100);
    Paint(grid, pixels);
    TRect cell = grid->CellRect(1, 4);
    RECT ink = pixels.Find(cell, [](COLORREF c) { return c != static_cast<COLORREF>(clYellow); });
    EXPECT_EQ(ink.left, cell.right);
}

TEST_F(CellPainting, SelectionMixerMultipliesColours)
{
    EXPECT_EQ(TAdvStringGrid::MixSelectionColor(0x8080FF, 0xFF8000, true), static_cast<TColor>(0x804000));
    EXPECT_EQ(TAdvStringGrid::MixSelectionColor(0x8080FF, 0xFF8000, false), static_cast<TColor>(0x8080FF));
    EXPECT_EQ(TAdvStringGrid::MixSelectionColor(clNone, 0xFF8000, true), static_cast<TColor>(0xFF8000));
}

// ---- Painting utilities --------------------------------------------------------------------

TEST(PaintingUtilities, StepGradientBandsAndSolidFill)
{
    TGridPixels pixels(20, 20);
    TCanvas canvas;
    canvas.SetHandle(pixels.DC());
    // Steps 0 still draws a gradient: two bands, the first in the start colour, the last in the end colour.
    PaintStepGradient(&canvas, clBlack, clWhite, false, TRect{0, 0, 10, 20}, 0);
    EXPECT_EQ(pixels.At(5, 0), static_cast<COLORREF>(clBlack));
    EXPECT_EQ(pixels.At(5, 19), static_cast<COLORREF>(clWhite));
    PaintStepGradient(&canvas, clBlack, clWhite, true, TRect{10, 0, 20, 20}, 64);
    COLORREF left = pixels.At(10, 5), mid = pixels.At(15, 5), right = pixels.At(19, 5);
    EXPECT_EQ(left, static_cast<COLORREF>(clBlack));
    EXPECT_EQ(right, static_cast<COLORREF>(clWhite));
    EXPECT_GT(GetRValue(mid), 60);
    EXPECT_LT(GetRValue(mid), 200);
    PaintStepGradient(&canvas, clRed, clNone, true, TRect{0, 0, 20, 20}, 64);
    EXPECT_EQ(pixels.Find(RECT{0, 0, 20, 20}, [](COLORREF c) { return c != RGB(255, 0, 0); }).left, 20);
    canvas.SetHandle(nullptr);
}

TEST(PaintingUtilities, MirrorGradientFillsTwoHalves)
{
    TGridPixels pixels(20, 20);
    TCanvas canvas;
    canvas.SetHandle(pixels.DC());
    PaintMirrorGradient(&canvas, TRect{0, 0, 20, 20}, clRed, true, false, clNone, true, clBlue, clBlue, clRed);
    EXPECT_EQ(pixels.At(10, 2), RGB(255, 0, 0));
    EXPECT_EQ(pixels.At(10, 17), RGB(0, 0, 255));
    canvas.SetHandle(nullptr);
}

TEST(PaintingUtilities, SelectionBoxHasRoundedEndsOnlyWhereItEnds)
{
    TGridPixels pixels(40, 20);
    TCanvas canvas;
    canvas.SetHandle(pixels.DC());
    TColor outer = clYellow, border = clBlue;
    PaintSelectionBox(&canvas, clWhite, clNone, sbpLeft, TRect{0, 0, 40, 20}, outer, clGray, border, clSilver, clSilver,
                      clNone, clNone);
    EXPECT_EQ(pixels.At(0, 0), static_cast<COLORREF>(outer));   // rounded left corner
    EXPECT_EQ(pixels.At(0, 10), static_cast<COLORREF>(border)); // left outer edge
    EXPECT_EQ(pixels.At(20, 0), static_cast<COLORREF>(border)); // top line
    EXPECT_EQ(pixels.At(20, 10), static_cast<COLORREF>(clWhite));
    EXPECT_NE(pixels.At(38, 10), static_cast<COLORREF>(border)); // open right end: no edge
    canvas.SetHandle(nullptr);
}

} // namespace
