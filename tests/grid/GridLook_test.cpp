// The grid's look services: the precedence that decides a cell's colours and font (a table of
// cases), the per-cell and per-row look setters, alignment of numbers, text sizes (also rotated),
// the formatted text, zoom and the version text.
#include "grid/control/paint/CellTextPainter.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

class GridLook : public GridTest {
protected:
    // 5 x 6 cells, one fixed row and column, one footer row.
    TCountingGrid* MakeGrid()
    {
        TCountingGrid* grid = Add(5, 6);
        grid->SetColor(clWhite);
        grid->SetFixedColor(clBtnFace);
        grid->Font()->SetColor(clBlack);
        grid->FixedFont()->SetColor(clNavy);
        grid->FixedFont()->SetStyle(TFontStyles{fsBold});
        grid->Look = glClassic;
        grid->FocusCell(4, 4);
        return grid;
    }
    struct Decision {
        TColor Brush, Font;
        bool Bold, Selected;
    };
    static Decision Decide(TAdvStringGrid* Grid, int ACol, int ARow, bool Select = true)
    {
        TBrush brush;
        TFont font;
        TCellVisual visual;
        Grid->GetCellVisual(ACol, ARow, false, Select, true, &brush, &font, visual);
        return {brush.Color(), font.Color(), font.Style().Contains(fsBold), visual.Selected()};
    }
};

TEST_F(GridLook, PrecedenceOfColoursAndFonts)
{
    struct Case {
        const char* Name;
        std::function<void(TAdvStringGrid*)> Setup;
        int Col, Row;
        Decision Expected;
    } cases[] = {
        {"normal cell", [](TAdvStringGrid*) {}, 2, 2, {clWhite, clBlack, false, false}},
        {"disabled grid paints alike", [](TAdvStringGrid* g) { g->SetEnabled(false); }, 2, 2,
         {clWhite, clBlack, false, false}},
        {"own font colour and brush", [](TAdvStringGrid* g) {
             g->GetCellProperties(2, 2)->SetFontColor(clRed);
             g->GetCellProperties(2, 2)->SetBrushColor(clYellow);
         }, 2, 2, {clYellow, clRed, false, false}},
        {"fixed header: fixed colour and font", [](TAdvStringGrid*) {}, 2, 0, {clBtnFace, clNavy, true, false}},
        {"fixed header keeps the fixed colour under its own font colour",
         [](TAdvStringGrid* g) { g->GetCellProperties(2, 0)->SetFontColor(clRed); }, 2, 0,
         {clBtnFace, clRed, true, false}},
        {"fixed header with its own font colour keeps the look's gradient", [](TAdvStringGrid* g) {
             g->Look = glXP;
             g->SetQRXGradientFrom(static_cast<TColor>(0xF0CAA6));
             g->GetCellProperties(2, 0)->SetFontColor(clRed);
         }, 2, 0, {static_cast<TColor>(0xF0CAA6), clRed, true, false}},
        {"fixed column with its own brush keeps the fixed font", [](TAdvStringGrid* g) {
             g->GetCellProperties(0, 2)->SetBrushColor(clYellow);
         }, 0, 2, {clYellow, clNavy, true, false}},
        {"footer row is fixed", [](TAdvStringGrid* g) { g->SetFixedFooters(1); }, 2, 5, {clBtnFace, clNavy, true, false}},
        {"selection mixes with the cell colour", [](TAdvStringGrid* g) {
             g->SetSelectionColor(static_cast<TColor>(0x8080FF));
             g->SetSelectionColorMixer(true);
             g->SetSelectionTextColor(clNone);
             g->GetCellProperties(4, 4)->SetBrushColor(static_cast<TColor>(0xFF8000));
         }, 4, 4, {static_cast<TColor>(0x804000), clBlack, false, true}},
        {"band primary", [](TAdvStringGrid* g) {
             g->Bands()->SetActive(true);
             g->Bands()->SetPrimaryColor(clAqua);
             g->Bands()->SetSecondaryColor(clCream);
             g->Bands()->SetPrimaryLength(2);
             g->Bands()->SetSecondaryLength(1);
         }, 2, 2, {clAqua, clBlack, false, false}},
        {"band secondary on the third body row", [](TAdvStringGrid* g) {
             g->Bands()->SetActive(true);
             g->Bands()->SetPrimaryColor(clAqua);
             g->Bands()->SetSecondaryColor(clCream);
             g->Bands()->SetPrimaryLength(2);
             g->Bands()->SetSecondaryLength(1);
         }, 2, 3, {clCream, clBlack, false, false}},
        {"bands leave fixed columns", [](TAdvStringGrid* g) { g->Bands()->SetActive(true); }, 0, 2,
         {clBtnFace, clNavy, true, false}},
        {"fixed comment cell keeps its own brush over the fixed colour", [](TAdvStringGrid* g) {
             g->AddComment(2, 0, L"note");
             g->GetCellProperties(2, 0)->SetBrushColor(clYellow);
         }, 2, 0, {clYellow, clNavy, true, false}},
        {"fixed check box cell takes the fixed colour", [](TAdvStringGrid* g) {
             g->AddCheckBox(2, 0, true, false);
             g->GetCellProperties(2, 0)->SetBrushColor(clYellow);
         }, 2, 0, {clBtnFace, clNavy, true, false}},
        {"colour hook last", [](TAdvStringGrid* g) {
             g->OnGetCellColor = [](TObject*, int, int ACol, TGridDrawState, TBrush* B,
                                                                    TFont* F) {
                 if (ACol == 3) {
                     B->SetColor(clTeal);
                     F->SetColor(clMaroon);
                 }
             };
         }, 3, 2, {clTeal, clMaroon, false, false}},
    };
    for (const Case& c : cases) {
        TCountingGrid* grid = MakeGrid();
        c.Setup(grid);
        const Decision d = Decide(grid, c.Col, c.Row);
        EXPECT_EQ(c.Expected.Brush, d.Brush) << c.Name;
        EXPECT_EQ(c.Expected.Font, d.Font) << c.Name;
        EXPECT_EQ(c.Expected.Bold, d.Bold) << c.Name;
        EXPECT_EQ(c.Expected.Selected, d.Selected) << c.Name;
        delete grid;
    }
}

// Printing decides with the print fonts (unless the display fonts are asked for) and its own
// colour hook; the screen's colour hook and the screen-only fixed colour stay out.
TEST_F(GridLook, PrintingUsesThePrintFontsAndThePrintColourHook)
{
    TCountingGrid* grid = MakeGrid();
    grid->PrintSettings()->Font()->SetColor(clGreen);
    grid->PrintSettings()->FixedFont()->SetColor(clPurple);
    std::vector<std::pair<int, int>> printed;
    bool screenHook = false;
    grid->OnGetCellColor = [&](TObject*, int, int, TGridDrawState, TBrush*, TFont*) { screenHook = true; };
    grid->OnGetCellPrintColor = [&](TObject*, int ARow, int ACol, TGridDrawState, TBrush* B, TFont*) {
        printed.emplace_back(ACol, ARow);
        if (ACol == 3) B->SetColor(clTeal);
    };
    auto print = [&](int c, int r) {
        TBrush brush;
        TFont font;
        TCellVisual visual;
        grid->GetCellVisual(c, r, true, false, true, &brush, &font, visual);
        return std::make_pair(brush.Color(), font.Color());
    };
    EXPECT_EQ(std::make_pair(clWhite, clBlack), print(2, 2)) << "display fonts by default";
    grid->PrintSettings()->UseDisplayFont = false;
    EXPECT_EQ(std::make_pair(clWhite, clGreen), print(2, 2));
    EXPECT_EQ(clPurple, print(2, 0).second);
    EXPECT_EQ(clTeal, print(3, 2).first);
    EXPECT_FALSE(screenHook);
    const std::vector<std::pair<int, int>> expected{{2, 2}, {2, 2}, {2, 0}, {3, 2}};
    EXPECT_EQ(expected, printed) << "column and row of each printed cell";
}

TEST(CellTextFormats, WordWrapAndMultiLineFlags)
{
    const String twoLines = L"one\r\ntwo";
    struct Case {
        const char* Name;
        String Text;
        bool WordWrap, Multi;
        UINT Expected;
    } cases[] = {
        {"single line", L"88", false, false, DT_SINGLELINE},
        {"line break without multi-line shows the first line", twoLines, false, false, DT_SINGLELINE},
        {"multi-line shows every line", twoLines, false, true, DT_EDITCONTROL},
        {"word wrap", L"88", true, false, DT_EDITCONTROL | DT_WORDBREAK},
    };
    for (const Case& c : cases) {
        TCellTextOptions options;
        options.Multilinecells = c.Multi;
        const UINT format = CellTextFormat(c.Text, c.WordWrap, taCenter, vtaCenter, options);
        const UINT lineFlags = format & (DT_SINGLELINE | DT_EDITCONTROL | DT_WORDBREAK);
        EXPECT_EQ(c.Expected, lineFlags) << c.Name;
        EXPECT_EQ(static_cast<UINT>(DT_CENTER | DT_VCENTER), format & (DT_CENTER | DT_VCENTER)) << c.Name;
    }
}

TEST_F(GridLook, CellAndRowLookSetters)
{
    TCountingGrid* grid = MakeGrid();
    EXPECT_EQ(clNone, grid->GetCellBrushColor(2, 2));
    EXPECT_FALSE(grid->HasCellProperties(2, 2)) << "reading made no properties";
    grid->SetCellBrushColor(2, 2, clRed);
    grid->SetCellFontColor(2, 2, clBlue);
    grid->SetCellAlignment(2, 2, taCenter);
    EXPECT_EQ(clRed, grid->GetCellBrushColor(2, 2));
    EXPECT_EQ(taCenter, grid->GetCellProperties(2, 2)->Alignment());

    grid->SetRowFontColor(3, clGreen);
    grid->SetCellBrushColor(1, 3, clYellow);
    for (int c = 1; c < 5; ++c) EXPECT_EQ(clGreen, grid->GetCellProperties(c, 3)->FontColor());
    grid->SetRowFontColor(3, clNone);
    EXPECT_TRUE(grid->HasCellProperties(1, 3)) << "a cell with its own brush keeps its properties";
    EXPECT_EQ(clNone, grid->GetCellProperties(1, 3)->FontColor());
    // New properties take the cell's look, the grid's colour included, so in a plain grid the row
    // keeps them; only the font colour goes.
    for (int c = 2; c < 5; ++c) {
        ASSERT_TRUE(grid->HasCellProperties(c, 3)) << c;
        EXPECT_EQ(clWhite, grid->GetCellProperties(c, 3)->BrushColor()) << c;
        EXPECT_EQ(clNone, grid->GetCellProperties(c, 3)->FontColor()) << c;
    }
    // Banded cells are made without a brush colour of their own, and clearing frees them.
    grid->Bands()->SetActive(true);
    grid->SetRowFontColor(4, clGreen);
    grid->SetCellBrushColor(1, 4, clYellow);
    grid->SetRowFontColor(4, clNone);
    EXPECT_TRUE(grid->HasCellProperties(1, 4));
    for (int c = 2; c < 5; ++c) EXPECT_FALSE(grid->HasCellProperties(c, 4)) << c;

    grid->SetRowBrushColor(2, clNone);
    EXPECT_FALSE(grid->HasCellProperties(2, 2)) << "every property of the row goes";
}

TEST_F(GridLook, NumbersAlignRightWithAutoNumAlign)
{
    TCountingGrid* grid = MakeGrid();
    grid->OnGetDisplText = [](TObject*, int, int, String& Value) {
        if (Value == L"=A1+1") Value = L"42";
    };
    grid->SetCells(1, 1, L"12.5");
    grid->SetCells(2, 1, L"=A1+1");
    grid->SetCells(3, 1, L"abc");
    grid->GetCellProperties(1, 1)->SetAlignment(taCenter);
    grid->GetCellProperties(3, 1)->SetAlignment(taCenter);
    auto align = [&](int c) {
        TAlignment ha;
        TVAlignment va;
        grid->GetCellAlignment(c, 1, ha, va);
        return ha;
    };
    grid->AutoNumAlign = true;
    EXPECT_EQ(taRightJustify, align(1)) << "whatever the cell's own alignment";
    EXPECT_EQ(taRightJustify, align(2)) << "a formula by its result";
    EXPECT_EQ(taLeftJustify, align(3)) << "text keeps the default";
    grid->AutoNumAlign = false;
    EXPECT_EQ(taCenter, align(1));
}

TEST_F(GridLook, TextSizesByLinesWrapAndRotation)
{
    TCountingGrid* grid = MakeGrid();
    ShowForm();
    grid->Multilinecells = true;
    grid->SetCells(1, 1, L"W\r\nWWWW");
    grid->SetCells(2, 1, L"WWWW");
    TCanvas* canvas = grid->Canvas();
    canvas->Font()->Assign(grid->Font());
    const int wide = canvas->TextWidth(L"WWWW"), gh = canvas->TextHeight(L"gh");
    const TSize two = grid->GetCellTextSize(1, 1, false, false);
    EXPECT_EQ(wide, two.cx);
    EXPECT_EQ(2 * gh, two.cy);

    grid->CreateCellGraphic(2, 1)->SetCellType(ctRotated);
    grid->GetCellGraphic(2, 1)->SetCellAngle(90);
    const TSize turned = grid->GetCellTextSize(2, 1, false, false);
    EXPECT_EQ(gh + 12, turned.cx);
    EXPECT_EQ(wide + 12, turned.cy);

    // Markup is measured as the renderer lays it out: its lines, not its tags.
    grid->SetCells(3, 1, L"<B></B>W<BR><FONT COLOR=\"clRed\">WWWW</FONT>");
    const TSize markup = grid->GetCellTextSize(3, 1, false, false);
    EXPECT_NEAR(wide + 2, markup.cx, 2);
    EXPECT_NEAR(2 * gh + 2, markup.cy, 2);
}

TEST_F(GridLook, FloatFormatHookFormatsNumbers)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetCells(1, 1, L"3.14159");
    grid->SetCells(2, 1, L"abc");
    EXPECT_EQ(L"3.14159", grid->GetFormattedText(1, 1)) << "no hook, no formatting";
    grid->OnGetFloatFormat = [](TObject*, int ACol, int, bool& IsFloat, String& Format) {
        if (ACol == 3) IsFloat = false;
        Format = L"%.2f";
    };
    EXPECT_EQ(L"3.14", grid->GetFormattedText(1, 1));
    EXPECT_EQ(L"abc", grid->GetFormattedText(2, 1));
}

TEST_F(GridLook, ZoomRestoresAndStaysWithinItsRange)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetColWidths(2, 90);
    grid->SetRowHeights(3, 30);
    const int w = grid->ColWidths(2), h = grid->RowHeights(3);
    grid->Zoom(3);
    grid->Zoom(3);
    EXPECT_EQ(6, grid->ZoomFactor);
    EXPECT_EQ(w + 6, grid->ColWidths(2));
    grid->Zoom(-6);
    EXPECT_EQ(0, grid->ZoomFactor);
    EXPECT_EQ(w, grid->ColWidths(2));
    EXPECT_EQ(h, grid->RowHeights(3));
    grid->Zoom(11);
    EXPECT_EQ(0, grid->ZoomFactor) << "past 10 nothing happens";
    EXPECT_EQ(w, grid->ColWidths(2));
}

TEST_F(GridLook, BorderHooksDrawTheCellsBorders)
{
    TCountingGrid* grid = MakeGrid();
    grid->SetBorderStyle(bsNone);
    grid->SetBounds(0, 0, 330, 200);
    ShowForm();
    grid->OnGetCellBorder = [](TObject*, int ARow, int ACol, TPen* Pen, TCellBorders& Borders) {
        if (ACol == 2 && ARow == 2) {
            Borders.Include(cbBottom);
            Borders.Include(cbRight);
            Pen->SetColor(clRed);
        }
    };
    grid->OnGetCellBorderProp = [](TObject*, int ARow, int ACol, TPen*, TPen*, TPen* Right, TPen*) {
        if (ACol == 2 && ARow == 2) Right->SetColor(clBlue);
    };
    TGridPixels pixels(330, 200);
    grid->PaintTo(pixels.DC(), 0, 0);
    const TRect r = grid->CellRect(2, 2);
    const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
    RECT red = pixels.Find(TRect{midX - 2, midY, midX + 2, r.bottom + 2}, [](COLORREF c) { return c == RGB(255, 0, 0); });
    EXPECT_LT(red.top, red.bottom) << "no red bottom border";
    RECT blue = pixels.Find(TRect{midX, midY - 2, r.right + 2, midY + 2}, [](COLORREF c) { return c == RGB(0, 0, 255); });
    EXPECT_LT(blue.left, blue.right) << "no blue right border";
    const TRect other = grid->CellRect(3, 3);
    RECT none = pixels.Find(other, [](COLORREF c) { return c == RGB(255, 0, 0) || c == RGB(0, 0, 255); });
    EXPECT_EQ(none.left, other.right) << "other cells have no borders";
}

TEST_F(GridLook, VersionText)
{
    TCountingGrid* grid = MakeGrid();
    EXPECT_EQ(0x05080002, grid->GetVersionNr());
    EXPECT_EQ(L"5.8.0.2 Mar, 2011", grid->GetVersionString());
}

} // namespace
