// The frame a grid paints around each cell's content: hover and active rows, the rounded
// selection box by style and focus, gradient backgrounds from the cell properties, and the
// header row of the grid's default look (a gradient from white to the button face, edged by a
// white line above and a dark line below).
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

class THoverGrid : public TCountingGrid {
public:
    using TCountingGrid::TCountingGrid;
    void SetHoverRowIndex(int ARow) { FHoverRowIdx = ARow; }
};

class CellFramePaint : public GridTest {
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
        ShowForm();
        return grid;
    }
    static COLORREF Inside(TAdvStringGrid* Grid, TGridPixels& Pixels, int ACol, int ARow)
    {
        TRect cell = Grid->CellRect(ACol, ARow);
        return Pixels.At(cell.left + 5, cell.top + 5);
    }
};

TEST_F(CellFramePaint, HoverRowColourSkipsSelectedCells)
{
    auto* grid = MakeGrid<THoverGrid>();
    grid->SetHoverRow(true);
    grid->SetHoverRowColor(clLime);
    grid->SetHoverRowIndex(1); // the current cell's row
    TGridPixels pixels(200, 100);
    grid->PaintTo(pixels.DC(), 0, 0);
    EXPECT_EQ(Inside(grid, pixels, 3, 1), static_cast<COLORREF>(clLime));
    EXPECT_EQ(Inside(grid, pixels, 1, 1), static_cast<COLORREF>(0xEACAB6)) << "the selected cell keeps the selection colour";
    EXPECT_EQ(Inside(grid, pixels, 3, 2), static_cast<COLORREF>(clWhite));
}

TEST_F(CellFramePaint, ActiveRowColourSkipsTheCurrentCellAndFixedColumns)
{
    struct Case {
        bool ShowSelection;
        COLORREF Current;
    } cases[] = {{true, 0xEACAB6}, {false, clAqua}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ShowSelection);
        TAdvStringGrid* grid = MakeGrid();
        grid->SetActiveRowShow(true);
        grid->SetActiveRowColor(clAqua);
        grid->SetShowSelection(c.ShowSelection);
        TGridPixels pixels(200, 100);
        grid->PaintTo(pixels.DC(), 0, 0);
        EXPECT_EQ(Inside(grid, pixels, 3, 1), static_cast<COLORREF>(clAqua));
        EXPECT_NE(Inside(grid, pixels, 0, 1), static_cast<COLORREF>(clAqua)) << "fixed column";
        EXPECT_EQ(Inside(grid, pixels, 3, 2), static_cast<COLORREF>(clWhite));
        EXPECT_EQ(Inside(grid, pixels, 1, 1), c.Current) << "the current cell";
        delete grid;
    }
}

TEST_F(CellFramePaint, SelectionBoxFollowsStyleAndFocus)
{
    // Focused means the grid has the input focus or goDrawFocusSelected asks to draw as if.
    struct Case {
        TGridSelectionStyle Style;
        bool HasFocus, DrawFocusSelected;
        COLORREF Border;
    } cases[] = {{ssVista, true, false, 0xFDDE99}, {ssWin7, true, false, 0xCEA27D}, {ssOffice2007, true, false, 0x8DD7D3},
                 {ssWin7, false, true, 0xCEA27D}, {ssWin7, false, false, 0xD9D9D9}, {ssOffice2007, false, false, 0xD9D9D9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Style << " focus " << c.HasFocus << " draw-focus-selected " << c.DrawFocusSelected);
        TAdvStringGrid* grid = MakeGrid();
        auto* other = new TCountingGrid(Form);
        other->SetParent(Form);
        other->SetBounds(0, 150, 50, 50);
        Pump();
        if (c.HasFocus) grid->SetFocus();
        else other->SetFocus();
        Pump();
        grid->HideFocusRect = true; // the dotted frame would run over the box's top line
        grid->SetSelectionStyle(c.Style);
        TGridOptions options = grid->Options();
        if (c.DrawFocusSelected) options.Include(goDrawFocusSelected);
        grid->SetOptions(options);
        TGridPixels pixels(200, 100);
        grid->PaintTo(pixels.DC(), 0, 0);
        TRect cell = grid->CellRect(1, 1);
        EXPECT_EQ(pixels.At(cell.left + 10, cell.top), c.Border) << "top line of the box";
        EXPECT_EQ(pixels.At(cell.left, cell.top), static_cast<COLORREF>(clWhite)) << "outer corner in the grid's colour";
        delete other;
        delete grid;
    }
}

TEST_F(CellFramePaint, CellGradientRunsInItsDirection)
{
    TAdvStringGrid* grid = MakeGrid();
    grid->SetBounds(0, 0, 200, 200);
    grid->SetDefaultRowHeight(40);
    TCellProperties* vert = grid->GetCellProperties(2, 2);
    vert->SetBrushColor(clBlack);
    vert->SetBrushColorTo(clWhite);
    TCellProperties* horz = grid->GetCellProperties(3, 2);
    horz->SetBrushColor(clBlack);
    horz->SetBrushColorTo(clWhite);
    horz->SetGradientDirection(GradientHorizontal);
    TGridPixels pixels(200, 200);
    grid->PaintTo(pixels.DC(), 0, 0);
    TRect v = grid->CellRect(2, 2), h = grid->CellRect(3, 2);
    EXPECT_LT(GetRValue(pixels.At(v.left + 5, v.top + 1)), 20);
    EXPECT_GT(GetRValue(pixels.At(v.left + 5, v.bottom - 3)), 200);
    for (int y = v.top + 1; y < v.bottom - 2; ++y)
        EXPECT_GE(GetRValue(pixels.At(v.left + 5, y)), GetRValue(pixels.At(v.left + 5, y - 1)));
    EXPECT_LT(GetRValue(pixels.At(h.left + 1, h.top + 5)), 20);
    EXPECT_GT(GetRValue(pixels.At(h.right - 3, h.top + 5)), 200);
    EXPECT_EQ(pixels.At(h.left + 20, h.top + 3), pixels.At(h.left + 20, h.bottom - 4));
}

TEST_F(CellFramePaint, DefaultLookPaintsTheHeaderRowFromWhiteToTheButtonFace)
{
    TAdvStringGrid* grid = MakeGrid();
    EXPECT_EQ(grid->QRXGradientTo(), ColorToRGB(clBtnFace));
    TGridPixels pixels(200, 100);
    grid->PaintTo(pixels.DC(), 0, 0);
    TRect header = grid->CellRect(2, 0);
    COLORREF face = ColorToRGB(clBtnFace);
    COLORREF top = pixels.At(header.left + 10, header.top + 2), low = pixels.At(header.left + 10, header.bottom - 4);
    EXPECT_GE(GetGValue(top), 250);
    EXPECT_LT(GetGValue(low), 250);
    EXPECT_NEAR(GetRValue(low), GetRValue(face), 8);
    EXPECT_NEAR(GetBValue(low), GetBValue(face), 8);
    // Edges of the look: a white line at the top, a line in half the fixed colour at the bottom.
    EXPECT_EQ(pixels.At(header.left + 10, header.top), RGB(255, 255, 255));
    COLORREF fixed = ColorToRGB(grid->FixedColor());
    EXPECT_EQ(pixels.At(header.left + 10, header.bottom - 1),
              RGB(GetRValue(fixed) / 2, GetGValue(fixed) / 2, GetBValue(fixed) / 2));
    // Body cells stay plain.
    EXPECT_EQ(Inside(grid, pixels, 2, 3), static_cast<COLORREF>(clWhite));
}

TEST_F(CellFramePaint, ControlLookGradientReachesTheFixedCells)
{
    TAdvStringGrid* grid = MakeGrid();
    grid->ControlLook()->SetFixedGradientTo(clRed);
    EXPECT_EQ(grid->QRXGradientTo(), static_cast<TColor>(clRed));
    grid->ControlLook()->SetFixedGradientTo(clNone); // none leaves the grid's colour alone
    EXPECT_EQ(grid->QRXGradientTo(), static_cast<TColor>(clRed));
    EXPECT_EQ(grid->ControlLook()->FixedGradientTo(), clNone);
    TGridPixels pixels(200, 100);
    grid->PaintTo(pixels.DC(), 0, 0);
    TRect header = grid->CellRect(2, 0);
    COLORREF low = pixels.At(header.left + 10, header.bottom - 4);
    EXPECT_GT(GetRValue(low), 240);
    EXPECT_LT(GetGValue(low), 40);
}

} // namespace
