// The marks a cell carries besides its content, read back from painted pixels: the current
// row's indicator, the modified-row strip, the always-visible combo button, the header's
// filter button, the selection rectangle, password cells and the error underline.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

bool IsWhite(COLORREF c) { return c == RGB(255, 255, 255); }
bool IsRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }
bool IsDark(COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; }
bool IsGrey(COLORREF c) { return c == RGB(192, 192, 192) || c == RGB(212, 208, 200); }
bool Empty(const RECT& r) { return r.left >= r.right; }

class CellMarks : public GridTest {
protected:
    // A borderless white grid of 4 x 5 cells of 50 x 20, one fixed row and column, plain lines.
    TCountingGrid* MakeGrid()
    {
        return AddPlainWhite(4, 5, 50, 20);
    }
    static RECT Ink(const TGridPixels& Pixels, const TRect& R, bool (*Match)(COLORREF))
    {
        return Pixels.Find(R, Match);
    }
};

TEST_F(CellMarks, RowIndicatorAndModifiedStripMarkTheirRowsOnly)
{
    TCountingGrid* grid = MakeGrid();
    // A red square inside a see-through frame (the corner pixel gives the transparent colour).
    TBitmap arrow;
    arrow.SetSize(10, 10);
    arrow.Canvas()->Brush()->SetColor(clFuchsia);
    arrow.Canvas()->FillRect(TRect{0, 0, 10, 10});
    arrow.Canvas()->Brush()->SetColor(clRed);
    arrow.Canvas()->FillRect(TRect{2, 2, 8, 8});
    grid->RowIndicator()->Assign(&arrow);
    grid->FocusCell(2, 2);
    grid->SetVAlignment(vtaCenter);
    grid->ShowModified()->Enabled = true;
    grid->ShowModified()->SetColor(clLime);
    grid->SetRowModified(3, true);

    TGridPixels pixels(300, 200);
    grid->PaintTo(pixels.DC(), 0, 0);
    // Cells are painted inside their lines: one pixel in from the cell's rectangle.
    const TRect current = grid->CellRect(0, 2), other = grid->CellRect(0, 3);
    const RECT red = Ink(pixels, current, IsRed);
    ASSERT_FALSE(Empty(red)) << "no indicator on the current row";
    EXPECT_EQ(current.left + 2 + 2, red.left);
    // Centred as the grid aligns: the six red rows sit in the middle, give or take the line.
    EXPECT_LE(std::abs((red.top - current.top) - (current.bottom - red.bottom)), 2) << red.top;
    EXPECT_FALSE(IsRed(pixels.At(current.left + 1, red.top))) << "the frame is see-through";
    EXPECT_TRUE(Empty(Ink(pixels, other, IsRed)));

    auto lime = [](COLORREF c) { return c == RGB(0, 255, 0); };
    const RECT strip = pixels.Find(other, lime);
    ASSERT_FALSE(Empty(strip)) << "no mark on the modified row";
    EXPECT_EQ(other.right - 1 - 4, strip.left);
    EXPECT_EQ(other.right - 1, strip.right);
    EXPECT_TRUE(Empty(pixels.Find(current, lime))) << "an unmodified row";
    EXPECT_TRUE(Empty(pixels.Find(grid->CellRect(1, 3), lime))) << "only in the first column";
}

TEST_F(CellMarks, ComboButtonAndFilterButtonShowWhereTheirHooksSaySo)
{
    TCountingGrid* grid = MakeGrid();
    std::vector<std::pair<int, int>> asked;
    grid->ControlLook()->SetDropDownAlwaysVisible(true);
    grid->OnHasComboBox = [&](TObject*, int ACol, int ARow, bool& Has) {
        asked.emplace_back(ACol, ARow);
        Has = ACol == 2 && ARow == 2;
    };
    grid->OnGetColumnFilter = [](TObject*, int Column, TStrings* Filter) {
        if (Column == 1) Filter->Add(L"a");
    };
    TGridPixels pixels(300, 200);
    grid->PaintTo(pixels.DC(), 0, 0);

    // Inside the lines only.
    auto inner = [&](int c, int r) {
        TRect cell = grid->CellRect(c, r);
        return TRect{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
    };
    const TRect combo = inner(2, 2);
    const RECT button = pixels.Find(combo, [](COLORREF c) { return !IsWhite(c); });
    ASSERT_FALSE(Empty(button)) << "no combo button";
    EXPECT_GE(button.left, combo.right - 18) << "the button stands at the right edge";
    EXPECT_TRUE(Empty(pixels.Find(inner(3, 2), [](COLORREF c) { return !IsWhite(c); })));
    EXPECT_NE(asked.end(), std::find(asked.begin(), asked.end(), std::make_pair(2, 2)));
    EXPECT_EQ(asked.end(), std::find(asked.begin(), asked.end(), std::make_pair(2, 0))) << "fixed cells are not asked";

    // Only the column whose list holds a value of its own shows the funnel.
    const TRect filtered = grid->CellRect(1, 0), unfiltered = grid->CellRect(2, 0);
    const RECT funnel = Ink(pixels, filtered, IsDark);
    ASSERT_FALSE(Empty(funnel));
    EXPECT_GE(funnel.left, filtered.right - 16);
    EXPECT_TRUE(Empty(Ink(pixels, unfiltered, IsDark)));
}

// A scroll-bar cell shows its bar at the right edge, and its text moves up by the position.
TEST_F(CellMarks, ScrollBarCellShowsItsBarAndScrollsItsText)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetRowHeights(2, 40);
    grid->Multilinecells = true;
    for (int c : {1, 2}) {
        grid->SetCells(c, 2, L"WWW\r\nWWW");
        grid->AddScrollBar(c, 2, false);
        grid->SetScrollProp(c, 2, TScrollProp{2, 10});
    }
    grid->SetScrollPosition(2, 2, 5);
    TGridPixels pixels(300, 200);
    grid->PaintTo(pixels.DC(), 0, 0);
    const TRect still = grid->CellRect(1, 2), scrolled = grid->CellRect(2, 2);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    // The bar's arrows are dark; the cell's own lines are not.
    const RECT arrows = Ink(pixels, TRect{still.right - 1 - bar, still.top, still.right - 1, still.bottom - 1}, IsDark);
    ASSERT_FALSE(Empty(arrows)) << "no bar";
    EXPECT_TRUE(Empty(Ink(pixels, TRect{still.left, still.top, still.right - 1 - bar, still.bottom - 1}, IsGrey)))
        << "the bar stays at the right edge";
    const RECT textStill = Ink(pixels, TRect{still.left, still.top, still.right - bar, still.bottom}, IsDark);
    const RECT textScrolled = Ink(pixels, TRect{scrolled.left, scrolled.top, scrolled.right - bar, scrolled.bottom}, IsDark);
    ASSERT_FALSE(Empty(textStill));
    ASSERT_FALSE(Empty(textScrolled));
    EXPECT_EQ(textStill.top - 5, textScrolled.top) << "moved up by the position";
    EXPECT_GE(textScrolled.top, scrolled.top) << "clipped at the cell";
    EXPECT_TRUE(Empty(Ink(pixels, TRect{scrolled.left, scrolled.top - 6, scrolled.right, scrolled.top - 1}, IsDark)))
        << "nothing above the cell";
}

TEST_F(CellMarks, SelectionRectangleFramesTheOuterEdgesWithItsResizer)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetSelection(TGridRect{1, 1, 2, 2});
    grid->HideFocusRect = true;
    TGridPixels before(300, 200);
    grid->PaintTo(before.DC(), 0, 0);
    grid->SetSelectionRectangle(true);
    grid->SetSelectionResizer(true);
    TGridPixels pixels(300, 200);
    grid->PaintTo(pixels.DC(), 0, 0);

    const TRect topLeft = grid->CellRect(1, 1), bottomRight = grid->CellRect(2, 2);
    const int midY = (topLeft.top + topLeft.bottom) / 2, midX = (topLeft.left + topLeft.right) / 2;
    EXPECT_TRUE(IsDark(pixels.At(topLeft.left, midY))) << "left edge";
    EXPECT_TRUE(IsDark(pixels.At(midX, topLeft.top))) << "top edge";
    EXPECT_TRUE(IsDark(pixels.At(bottomRight.right - 2, (bottomRight.top + bottomRight.bottom) / 2))) << "right edge";
    // Inside the selection the lines stay the grid's own.
    EXPECT_EQ(before.At(topLeft.right, midY + 3), pixels.At(topLeft.right, midY + 3));
    EXPECT_TRUE(IsDark(pixels.At(bottomRight.right - 3, bottomRight.bottom - 3))) << "the resizer square";
    EXPECT_FALSE(IsDark(pixels.At(bottomRight.right - 8, bottomRight.bottom - 6)));
    // Outside the selection nothing changes.
    const TRect outside = grid->CellRect(3, 3);
    EXPECT_EQ(before.At(outside.left + 5, outside.top + 5), pixels.At(outside.left + 5, outside.top + 5));
}

TEST_F(CellMarks, PasswordCellsHideTheirTextAndMarkersUnderlineIt)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetCells(1, 1, L"WWWW");
    grid->SetCells(2, 1, L"WWWW");
    grid->PasswordChar = L'.';
    std::vector<std::pair<int, int>> asked;
    grid->OnIsPasswordCell = [&](TObject*, int ARow, int ACol, bool& IsPassword) {
        asked.emplace_back(ACol, ARow);
        IsPassword = ACol == 2;
    };
    grid->SetCells(1, 2, L"mistake");
    grid->AddMarker(1, 2, 1, 3);
    TGridPixels pixels(300, 200);
    grid->PaintTo(pixels.DC(), 0, 0);

    const RECT shown = Ink(pixels, grid->CellRect(1, 1), IsDark);
    const RECT hidden = Ink(pixels, grid->CellRect(2, 1), IsDark);
    ASSERT_FALSE(Empty(shown));
    ASSERT_FALSE(Empty(hidden)) << "the dots are drawn";
    EXPECT_LT(hidden.bottom - hidden.top, (shown.bottom - shown.top) / 2) << "dots, not letters";
    EXPECT_NE(asked.end(), std::find(asked.begin(), asked.end(), std::make_pair(2, 1))) << "row and column in order";

    const RECT wave = Ink(pixels, grid->CellRect(1, 2), IsRed);
    EXPECT_FALSE(Empty(wave)) << "the marked characters are underlined";
    EXPECT_TRUE(Empty(Ink(pixels, grid->CellRect(1, 1), IsRed)));
}

} // namespace
