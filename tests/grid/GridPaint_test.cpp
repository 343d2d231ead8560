// The grid's painting around its cells: the background of the empty area beyond the last row
// and column, the sort indicator and the sorted header's colours, the dotted sizing lines, the
// focus frame's ring and the themed border. Grids paint into memory bitmaps; the sizing lines
// and the border are read back from the window itself, where they are drawn.
#include "framework/facts/SystemFacts.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

constexpr COLORREF Grey = RGB(128, 128, 128);

bool IsRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }
bool IsDark(COLORREF c) { return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90; }
bool Empty(const RECT& r) { return r.left >= r.right; }

class GridPaint : public GridTest {
protected:
    // A borderless white grid of 3 x 3 cells of 40 x 20 in a 300 x 200 client, one fixed row.
    TCountingGrid* MakeGrid()
    {
        TCountingGrid* grid = AddPlainWhite(3, 3, 40, 20);
        grid->SetFixedCols(0);
        return grid;
    }
};

TEST_F(GridPaint, EmptyAreaShowsTheTiledPictureAndAGradientOnlyWithItsEnd)
{
    TCountingGrid* grid = MakeGrid();
    TBitmap tile;
    tile.SetSize(8, 8);
    tile.Canvas()->Brush()->SetColor(clRed);
    tile.Canvas()->FillRect(TRect{0, 0, 8, 8});
    grid->BackGround()->SetCells(bcAll);
    grid->BackGround()->SetBitmap(&tile);
    {
        TGridPixels pixels(300, 200);
        grid->PaintTo(pixels.DC(), 0, 0);
        EXPECT_TRUE(IsRed(pixels.At(250, 30))) << "right of the last column";
        EXPECT_TRUE(IsRed(pixels.At(60, 150))) << "below the last row";
    }

    TBitmap none;
    grid->BackGround()->SetBitmap(&none);
    grid->BackGround()->SetDisplay(bdGradientVert);
    grid->BackGround()->SetColor(clWhite);
    grid->BackGround()->SetColorTo(clNone);
    {
        TGridPixels pixels(300, 200);
        grid->PaintTo(pixels.DC(), 0, 0);
        EXPECT_EQ(RGB(255, 255, 255), pixels.At(250, 190)) << "only the grid's colour there";
    }
    grid->BackGround()->SetColorTo(clBlue);
    TGridPixels pixels(300, 200);
    grid->PaintTo(pixels.DC(), 0, 0);
    const COLORREF high = pixels.At(250, 10), low = pixels.At(250, 190);
    EXPECT_GT(GetRValue(high), GetRValue(low)) << "white at the top, blue at the bottom";
    EXPECT_GT(GetBValue(low), 150);
}

TEST_F(GridPaint, TiledPictureRunsOnAcrossCellsAndScrollsWithThem)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetRowCount(40);
    // A tile of 16 x 16 whose top half is red: each cell shows the part the rows above it leave.
    TBitmap tile;
    tile.SetSize(16, 16);
    tile.Canvas()->Brush()->SetColor(clWhite);
    tile.Canvas()->FillRect(TRect{0, 0, 16, 16});
    tile.Canvas()->Brush()->SetColor(clRed);
    tile.Canvas()->FillRect(TRect{0, 0, 16, 8});
    grid->BackGround()->SetBitmap(&tile);
    auto column = [&] {
        TGridPixels pixels(300, 200);
        grid->PaintTo(pixels.DC(), 0, 0);
        std::string reds;
        for (int y = 21; y < 180; ++y) reds += IsRed(pixels.At(20, y)) ? 'r' : '.';
        return reds;
    };
    const std::string top = column();
    grid->SetTopRow(2); // 40 pixels scrolled: the phase moves by 40 mod 16 = 8
    const std::string scrolled = column();
    EXPECT_NE(top, scrolled);
    // Over a whole period the cells show as much red as white, seams or not.
    EXPECT_NEAR(std::count(top.begin(), top.end(), 'r'), static_cast<long>(top.size()) / 2, 16);
    EXPECT_NEAR(std::count(scrolled.begin(), scrolled.end(), 'r'), static_cast<long>(scrolled.size()) / 2, 16);
}

TEST_F(GridPaint, SortGlyphStandsBesideTheHeaderTextInTheMiddleForPlainAndMarkup)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetDefaultRowHeight(30);
    grid->SetVAlignment(vtaCenter);
    grid->SortSettings()->Column = 1;
    grid->SortSettings()->Direction = sdDescending;
    const String texts[] = {L"Name", L"<B>Name</B>"};
    for (const String& text : texts) {
        SCOPED_TRACE(Narrow(text));
        grid->SetCells(1, 0, text);
        grid->SortSettings()->SetShow(false);
        TGridPixels before(300, 200);
        grid->PaintTo(before.DC(), 0, 0);
        TRect cell = grid->CellRect(1, 0);
        cell.right -= 2; // clear of the grid lines
        cell.bottom -= 2;
        EXPECT_TRUE(Empty(before.Find(cell, [](COLORREF c) { return c == Grey; }))) << "no glyph while hidden";

        grid->SortSettings()->SetShow(true);
        TGridPixels pixels(300, 200);
        grid->PaintTo(pixels.DC(), 0, 0);
        const RECT glyph = pixels.Find(cell, [](COLORREF c) { return c == Grey; });
        ASSERT_FALSE(Empty(glyph));
        EXPECT_NEAR((glyph.top + glyph.bottom) / 2, (cell.top + cell.bottom) / 2, 3);
        const RECT ink = pixels.Find(TRect{cell.left, cell.top, glyph.left, cell.bottom}, IsDark);
        ASSERT_FALSE(Empty(ink)) << "the text before the glyph";
        EXPECT_LE(ink.right, glyph.left);
    }
}

TEST_F(GridPaint, SortedHeaderTakesTheHeaderColourInTheModernLooks)
{
    TCountingGrid* grid = MakeGrid();
    grid->Look = glXP;
    grid->SortSettings()->Column = 2;
    grid->SortSettings()->HeaderColor = clRed;
    grid->SortSettings()->HeaderColorTo = clRed;
    TGridPixels pixels(300, 200);
    grid->PaintTo(pixels.DC(), 0, 0);
    const TRect sorted = grid->CellRect(2, 0), other = grid->CellRect(1, 0);
    EXPECT_TRUE(IsRed(pixels.At((sorted.left + sorted.right) / 2, sorted.top + 4)));
    EXPECT_FALSE(IsRed(pixels.At((other.left + other.right) / 2, other.top + 4)));
}

TEST_F(GridPaint, SizingLineDrawnTwiceLeavesNoTrace)
{
    TCountingGrid* grid = MakeGrid();
    grid->Update();
    HDC dc = GetDC(grid->Handle());
    auto column = [&] {
        std::vector<COLORREF> out;
        for (int y = 0; y < 60; ++y) out.push_back(GetPixel(dc, 100, y));
        return out;
    };
    const auto clean = column();
    grid->DrawColSizingLine(100);
    const auto drawn = column();
    grid->DrawColSizingLine(100);
    const auto erased = column();
    ReleaseDC(grid->Handle(), dc);
    EXPECT_NE(clean, drawn) << "a dotted line shows";
    EXPECT_EQ(clean, erased);
}

TEST_F(GridPaint, FocusFrameIsARingFourPixelsOutsideTheCellAndFiveRightAndBelow)
{
    TCountingGrid* grid = MakeGrid();
    const TRect cell = grid->CellRect(1, 1);
    grid->ShowFocusFrame(cell);
    Pump();
    HWND frame = grid->FocusWindow()->Handle();
    EXPECT_TRUE(GetWindowLongPtrW(frame, GWL_EXSTYLE) & WS_EX_LAYERED);
    RECT window;
    GetWindowRect(frame, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    EXPECT_EQ(cell.right - cell.left + 9, w);
    EXPECT_EQ(cell.bottom - cell.top + 9, h);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(frame, region));
    const struct {
        int X, Y;
        bool In;
    } points[] = {{1, h / 2, true},       {3, 3, true},          {4, 4, false},     {w / 2, h / 2, false},
                  {w - 6, h - 6, false}, {w - 5, h / 2, true}, {w / 2, h - 2, true}};
    for (const auto& p : points) EXPECT_EQ(p.In, PtInRegion(region, p.X, p.Y) != 0) << p.X << "," << p.Y;
    DeleteObject(region);
    grid->HideFocusFrame();
}

TEST_F(GridPaint, ThemedBorderFramesTheModernLooksOnly)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetBorderStyle(bsSingle);
    grid->FitCellsInGrid = true;
    auto edge = [&](TGridLook Look) {
        grid->Look = Look;
        RedrawWindow(grid->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        HDC dc = GetWindowDC(grid->Handle());
        const COLORREF pixel = GetPixel(dc, 1, 10);
        ReleaseDC(grid->Handle(), dc);
        return pixel;
    };
    const COLORREF framed = edge(glXP);
    // The visual-styles border colour, or grey without them.
    EXPECT_TRUE(framed == RGB(0x7F, 0x9D, 0xB9) || framed == Grey) << std::hex << framed;
    EXPECT_NE(framed, edge(glStandard)) << "the system's own edge";
}

} // namespace
