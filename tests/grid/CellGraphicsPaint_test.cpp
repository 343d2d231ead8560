// Cell graphics in the painted grid: where a graphic stands beside its text, which kinds keep
// their text, check boxes (a balloon does not gray them), progress bars (equal limits included),
// and pictures that are missing paint nothing. Grids paint into a memory bitmap.
#include "framework/facts/SystemFacts.h"
#include "grid/control/paint/CellGraphicPainter.h"
#include "grid/control/paint/CellProgressPainter.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

bool IsDark(COLORREF c) { return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90; }
bool IsReddish(COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 120 && GetBValue(c) < 120; }
bool NotWhite(COLORREF c) { return c != RGB(255, 255, 255); }
bool IsTickGreen(COLORREF c) { return c == RGB(0x21, 0xA1, 0x21); }
bool Empty(const RECT& r) { return r.left >= r.right; }

class CellGraphicsPaint : public GridTest {
protected:
    // A borderless 4 x 4 grid of 80 x 24 cells, white, no fixed cells, the current cell away.
    TCountingGrid* MakeGrid()
    {
        TCountingGrid* grid = Add(4, 4);
        grid->SetBorderStyle(bsNone);
        grid->SetBounds(0, 0, 320, 96);
        grid->SetFixedCols(0);
        grid->SetFixedRows(0);
        grid->SetDefaultColWidth(80);
        grid->SetDefaultRowHeight(24);
        grid->SetColor(clWhite);
        grid->Font()->SetColor(clBlack);
        grid->SetShowSelection(false);
        grid->FocusCell(3, 3);
        ShowForm();
        return grid;
    }
    static std::vector<COLORREF> CellPixels(TAdvStringGrid* Grid, int ACol, int ARow)
    {
        TGridPixels pixels(320, 96);
        Grid->PaintTo(pixels.DC(), 0, 0);
        TRect r = Grid->CellRect(ACol, ARow);
        InflateRect(&r, -1, -1); // inside the grid lines
        std::vector<COLORREF> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) out.push_back(pixels.At(x, y));
        return out;
    }
};

TEST(CellGraphicPlacement, GraphicsStandBesideTheTextAsTheyAsk)
{
    const TRect cell{0, 0, 100, 30};
    struct Case {
        const char* Name;
        TCellHAlign HAlign;
        TCellVAlign VAlign;
        TAlignment Text;
        int TextWidth;
        TCellGraphicPlace::TControlKind Control;
        TRect Expected;
    } cases[] = {
        // The offset (2, 2) insets the rectangle by 1: (1, 1, 99, 29).
        {"left top", haLeft, vaTop, taLeftJustify, 0, TCellGraphicPlace::ckNone, {2, 2, 12, 12}},
        {"right bottom", haRight, vaBottom, taLeftJustify, 0, TCellGraphicPlace::ckNone, {88, 18, 98, 28}},
        {"centred", haCenter, vaCenter, taLeftJustify, 0, TCellGraphicPlace::ckNone, {45, 10, 55, 20}},
        {"before right-aligned text", haBeforeText, vaTop, taRightJustify, 30, TCellGraphicPlace::ckNone,
         {57, 2, 67, 12}},
        {"after left-aligned text", haAfterText, vaTop, taLeftJustify, 30, TCellGraphicPlace::ckNone, {33, 2, 43, 12}},
        {"full width", haFull, vaFull, taLeftJustify, 0, TCellGraphicPlace::ckNone, {1, 1, 99, 29}},
        {"check box before right-aligned text", haLeft, vaTop, taRightJustify, 30, TCellGraphicPlace::ckBesideText,
         {56, 2, 66, 12}},
        {"data check box right-aligned", haLeft, vaTop, taRightJustify, 0, TCellGraphicPlace::ckData, {88, 2, 98, 12}},
        {"data check box centred", haLeft, vaTop, taCenter, 0, TCellGraphicPlace::ckData, {45, 2, 55, 12}},
    };
    for (const Case& c : cases) {
        TCellGraphic g;
        g.SetCellHAlign(c.HAlign);
        g.SetCellVAlign(c.VAlign);
        TCellGraphicPlace place;
        place.Cell = cell;
        place.Size = {10, 10};
        place.TextHAlign = c.Text;
        place.TextWidth = c.TextWidth;
        place.XYOffset = {2, 2};
        place.Control = c.Control;
        const TRect r = PlaceCellGraphic(g, place);
        EXPECT_EQ(c.Expected.left, r.left) << c.Name;
        EXPECT_EQ(c.Expected.top, r.top) << c.Name;
        EXPECT_EQ(c.Expected.right, r.right) << c.Name;
        EXPECT_EQ(c.Expected.bottom, r.bottom) << c.Name;
    }
}

TEST(CellProgress, PercentOfTheRangeAndEqualLimits)
{
    struct Case {
        double Value, Min, Max;
        int Percent;
    } cases[] = {
        {50, 0, 100, 50}, {5, 0, 10, 50}, {150, 0, 100, 100}, {-20, 0, 100, 20}, {3, 5, 5, 0}, {5, 5, 5, 100},
        {9, 5, 5, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Percent, ProgressPercent(c.Value, c.Min, c.Max)) << c.Value << " of " << c.Min << ".." << c.Max;
}

TEST_F(CellGraphicsPaint, ProgressWithEqualLimitsPaintsEmptyBelowAndFullAtThem)
{
    TCountingGrid* grid = MakeGrid();
    grid->AddAdvProgress(1, 1, 5, 5);
    auto redShare = [&](const String& Value) {
        grid->SetCells(1, 1, Value);
        const auto px = CellPixels(grid, 1, 1);
        return std::count_if(px.begin(), px.end(), IsReddish);
    };
    const auto below = redShare(L"3");
    const auto at = redShare(L"5");
    EXPECT_EQ(0, below) << "nothing done below equal limits";
    EXPECT_GT(at, 200) << "the full bar in the top level's colour at them";
}

TEST_F(CellGraphicsPaint, CheckBoxWithABalloonIsNotGrayedButAPartialRowCheckIs)
{
    TCountingGrid* grid = MakeGrid();
    grid->ControlLook()->SetControlStyle(csClassic);
    grid->AddCheckBox(1, 1, true, false);
    grid->AddCheckBox(1, 2, true, false);
    grid->GetCellGraphic(1, 2)->SetCellAngle(1); // a balloon attached
    const auto plain = CellPixels(grid, 1, 1);
    const auto balloon = CellPixels(grid, 1, 2);
    EXPECT_EQ(plain, balloon);
    EXPECT_GT(std::count_if(plain.begin(), plain.end(), NotWhite), 20) << "the box is drawn";
}

TEST_F(CellGraphicsPaint, MissingPicturesPaintNothingAndStayTheCallers)
{
    TCountingGrid* grid = MakeGrid();
    TPicture empty;
    TBitmap bitmap; // never given a size
    grid->AddPicture(1, 1, &empty, false, Stretch, 0, haLeft, vaTop);
    grid->AddBitmap(2, 1, &bitmap, true, haCenter, vaCenter);
    const auto pic = CellPixels(grid, 1, 1);
    const auto bmp = CellPixels(grid, 2, 1);
    EXPECT_EQ(0, std::count_if(pic.begin(), pic.end(), NotWhite));
    EXPECT_EQ(0, std::count_if(bmp.begin(), bmp.end(), NotWhite));
    delete Form;
    Form = nullptr;
    bitmap.SetSize(2, 2); // the caller's bitmap outlives the grid
    EXPECT_EQ(2, bitmap.Width());
}

TEST_F(CellGraphicsPaint, CheckStylesDrawTheirOwnPicturesAndThemeFallsBackWithoutVisualStyles)
{
    struct TNoTheme : TForwardingFacts {
        bool ThemeActive() override { return false; }
    } facts;
    TSystemFactsOverride use(facts);
    TCountingGrid* grid = MakeGrid();
    grid->ControlLook()->CheckAlwaysActive = true; // the grid is not editable: boxes would show disabled
    grid->AddCheckBox(1, 1, true, false);
    grid->AddCheckBox(1, 2, false, false);
    auto ticks = [&](int Row) {
        const auto px = CellPixels(grid, 1, Row);
        return std::count_if(px.begin(), px.end(), IsTickGreen);
    };
    for (TGridControlStyle style : {csWinXP, csQRX}) {
        SCOPED_TRACE(static_cast<int>(style));
        grid->ControlLook()->SetControlStyle(style);
        EXPECT_GT(ticks(1), 4) << "checked shows its tick";
        EXPECT_EQ(0, ticks(2));
    }
    grid->ControlLook()->SetControlStyle(csClassic);
    const auto classic = CellPixels(grid, 1, 1);
    grid->ControlLook()->SetControlStyle(csTheme);
    EXPECT_EQ(classic, CellPixels(grid, 1, 1)) << "no visual styles: the classic box";
}

TEST_F(CellGraphicsPaint, RadioGroupChecksTheItemWhoseCaptionIsTheCellText)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetDefaultRowHeight(60);
    grid->SetBounds(0, 0, 320, 240);
    grid->ControlLook()->SetControlStyle(csWinXP);
    grid->ControlLook()->RadioAlwaysActive = true;
    TStrings* items = grid->CreateRadio(1, 1, 0, -1);
    items->Add(L"a");
    items->Add(L"b");
    items->Add(L"c");
    grid->SetCells(1, 1, L"b");
    TGridPixels pixels(320, 240);
    grid->PaintTo(pixels.DC(), 0, 0);
    const TRect cell = grid->CellRect(1, 1);
    const RECT dot = pixels.Find(cell, IsTickGreen);
    ASSERT_FALSE(Empty(dot));
    // Items stand max(16, text height) apart from the cell's top + 2: the second one is checked.
    const int pitch = std::max(16, static_cast<int>(grid->Canvas()->TextHeight(L"gh")));
    EXPECT_GE(dot.top, cell.top + 2 + pitch);
    EXPECT_LT(dot.bottom, cell.top + 2 + 2 * pitch);
}

TEST_F(CellGraphicsPaint, RotatedTextRunsUpwards)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetDefaultRowHeight(80);
    grid->SetBounds(0, 0, 320, 320);
    grid->AddRotated(1, 1, 90, L"WWWWWW");
    TGridPixels pixels(320, 320);
    grid->PaintTo(pixels.DC(), 0, 0);
    TRect cell = grid->CellRect(1, 1);
    InflateRect(&cell, -1, -1);
    const RECT ink = pixels.Find(cell, IsDark);
    ASSERT_FALSE(Empty(ink));
    EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left)) << "the text runs upwards";
}

TEST_F(CellGraphicsPaint, FlatNodeShowsAPlusWhenCollapsedAndAMinusWhenExpanded)
{
    TCountingGrid* grid = MakeGrid();
    grid->CellNode()->SetNodeType(cnFlat);
    grid->CellNode()->Color = clWhite;
    grid->CellNode()->SetShowTree(false);
    TCellGraphic* node = grid->CreateCellGraphic(0, 1);
    node->SetCellType(ctNode);
    grid->GetCellProperties(0, 1)->SetNodeLevel(1);
    auto dark = [&](bool Collapsed) {
        node->SetCellBoolean(Collapsed);
        const auto px = CellPixels(grid, 0, 1);
        return std::count_if(px.begin(), px.end(), IsDark);
    };
    const auto expanded = dark(false), collapsed = dark(true);
    EXPECT_GT(expanded, 4) << "the box and its minus";
    EXPECT_GE(collapsed - expanded, 4) << "the plus adds its bar";
}

} // namespace
