// Painting: DrawCell once per visible cell with the state it is in, fixed cells first, and the
// pixels of the default drawing (fixed and normal cells, lines, selection, the empty area)
// read back from a memory bitmap the grid painted into.
#include <map>
#include <vector>

#include "tests/framework/grids/GridTestSupport.h"

using namespace gridtest;

namespace {

class GridPaint : public GridTest {};

struct TDrawCall {
    int Col, Row;
    TGridDrawState State;
    TRect Rect;
};

TEST_F(GridPaint, DrawCellRunsOncePerVisibleCellWithItsState)
{
    auto* grid = AddGrid<TDrawGrid>(400, 200);
    grid->SetColCount(6);
    grid->SetRowCount(6);
    std::vector<TDrawCall> calls;
    grid->OnDrawCell = [&](TObject*, int ACol, int ARow, TRect Rect, TGridDrawState State) {
        calls.push_back({ACol, ARow, State, Rect});
    };
    ShowAndFocus(grid);
    grid->MoveColRow(2, 2, true, true);
    grid->MoveColRow(3, 3, false, true);

    calls.clear();
    TPixels pixels(400, 200);
    grid->PaintTo(pixels.DC(), 0, 0);
    ASSERT_EQ(calls.size(), 36u);
    std::map<std::pair<int, int>, int> seen;
    bool normalSeen = false;
    for (const TDrawCall& call : calls) {
        ++seen[{call.Col, call.Row}];
        EXPECT_EQ(call.Rect, grid->CellRect(call.Col, call.Row));
        bool fixed = call.Col == 0 || call.Row == 0;
        // Fixed cells are painted before the scrollable ones.
        if (!fixed) normalSeen = true;
        EXPECT_FALSE(fixed && normalSeen) << call.Col << "," << call.Row;
        TGridDrawState expected;
        if (fixed) expected.Include(gdFixed);
        if (!fixed && call.Col >= 2 && call.Col <= 3 && call.Row >= 2 && call.Row <= 3) expected.Include(gdSelected);
        if (call.Col == 3 && call.Row == 3) expected.Include(gdFocused);
        EXPECT_EQ(call.State, expected) << call.Col << "," << call.Row;
    }
    EXPECT_EQ(seen.size(), 36u);

    // Scrolled, with cells cut at the edges: exactly the cells with a rectangle are drawn.
    grid->SetColCount(20);
    grid->SetRowCount(20);
    grid->SetLeftCol(4);
    grid->SetTopRow(7);
    calls.clear();
    grid->PaintTo(pixels.DC(), 0, 0);
    std::map<std::pair<int, int>, int> drawn;
    for (const TDrawCall& call : calls) ++drawn[{call.Col, call.Row}];
    size_t expectedCount = 0;
    for (int c = 0; c < 20; ++c) {
        for (int r = 0; r < 20; ++r) {
            TRect rect = grid->CellRect(c, r);
            bool visible = rect.right > rect.left && rect.bottom > rect.top;
            if (visible) ++expectedCount;
            auto found = drawn.find({c, r});
            int times = found == drawn.end() ? 0 : found->second;
            EXPECT_EQ(times, visible ? 1 : 0) << c << "," << r;
        }
    }
    EXPECT_EQ(calls.size(), expectedCount);
}

TEST_F(GridPaint, DefaultDrawingFillsCellsLinesAndTheEmptyArea)
{
    auto* grid = AddGrid<TStringGrid>(400, 200);
    grid->SetColor(clYellow);
    ShowAndFocus(grid);
    grid->MoveColRow(2, 2, true, true);
    grid->MoveColRow(3, 3, false, true);
    TPixels pixels(400, 200);
    grid->PaintTo(pixels.DC(), 0, 0);

    // Fixed cells in FixedColor with black lines; normal cells in Color with silver lines.
    EXPECT_EQ(pixels.At(30, 12), Rgb(clBtnFace));
    EXPECT_EQ(pixels.At(64, 12), RGB(0, 0, 0));
    EXPECT_EQ(pixels.At(97, 24), RGB(0, 0, 0));
    EXPECT_EQ(pixels.At(100, 112), Rgb(clYellow));
    EXPECT_EQ(pixels.At(129, 112), RGB(192, 192, 192));
    EXPECT_EQ(pixels.At(100, 99), RGB(192, 192, 192));
    // The selection but the focused cell in the highlight colour.
    TRect selected = grid->CellRect(2, 2);
    EXPECT_EQ(pixels.At(selected.left + 10, selected.top + 10), Rgb(clHighlight));
    TRect focused = grid->CellRect(3, 3);
    EXPECT_EQ(pixels.At(focused.left + 10, focused.top + 10), Rgb(clYellow));
    // Beyond the last column and row: Color.
    EXPECT_EQ(pixels.At(340, 50), Rgb(clYellow));
    EXPECT_EQ(pixels.At(100, 150), Rgb(clYellow));

    // Without line width the cells touch.
    grid->SetGridLineWidth(0);
    grid->PaintTo(pixels.DC(), 0, 0);
    EXPECT_EQ(grid->CellRect(2, 1).left, 128);
    EXPECT_EQ(pixels.At(129, 36), Rgb(clYellow));
    EXPECT_EQ(pixels.At(127, 36), Rgb(clYellow));
}

TEST_F(GridPaint, GradientFixedCellsRunFromStartToEndColour)
{
    auto* grid = AddGrid<TStringGrid>(400, 200);
    grid->SetDrawingStyle(gdsGradient);
    grid->SetGradientStartColor(clWhite);
    grid->SetGradientEndColor(clBlue);
    ShowAndFocus(grid);
    TPixels pixels(400, 200);
    grid->PaintTo(pixels.DC(), 0, 0);
    COLORREF top = pixels.At(30, 1), bottom = pixels.At(30, 22);
    EXPECT_GT(GetRValue(top), GetRValue(bottom));
    EXPECT_EQ(GetBValue(bottom), 255);
}

} // namespace
