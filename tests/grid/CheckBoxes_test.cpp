// Check boxes and radio buttons: their state (a data check box's state is its text), toggles
// with their events and the edit permission they ask, column operations, hidden rows, the
// precise hit test, and the glyph a balloon must not gray.
#include <vector>

#include "grid/control/paint/CheckGlyphPainter.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

class CheckBoxesTest : public GridTest {
protected:
    struct TChange {
        int Col, Row;
        bool State;
        bool operator==(const TChange&) const = default;
    };
    void Record(TAdvStringGrid* Grid)
    {
        Grid->OnCheckBoxChange = [this](TObject*, int c, int r, bool s) { Changes.push_back({c, r, s}); };
    }
    std::vector<TChange> Changes;
};

TEST_F(CheckBoxesTest, DataCheckBoxTextIsItsState)
{
    TCountingGrid* grid = Add(4, 5);
    struct Case {
        const wchar_t* Before;
        bool State;
        const wchar_t* After;
    };
    const Case cases[] = {
        {L"other", false, L"N"}, {L"other", true, L"Y"}, {L"Y", false, L"Y"}, {L"N", true, L"N"}, {L"", true, L"Y"},
    };
    for (const Case& c : cases) {
        grid->SetCells(1, 1, c.Before);
        grid->AddCheckBox(1, 1, c.State, true);
        EXPECT_EQ(String(c.After), grid->Cells(1, 1)) << Narrow(c.Before);
    }
    grid->OnGetCheckTrue = [](TObject*, int, int, String& v) { v = L"yes"; };
    grid->SetCells(2, 2, L"maybe");
    grid->AddCheckBox(2, 2, false, true);
    EXPECT_FALSE(grid->IsChecked(2, 2));
    // A text that is neither check text toggles to checked.
    EXPECT_TRUE(grid->ToggleCheckBox(2, 2));
    EXPECT_EQ(L"yes", grid->Cells(2, 2));
    EXPECT_TRUE(grid->IsChecked(2, 2));
    EXPECT_TRUE(grid->ToggleCheckBox(2, 2));
    EXPECT_EQ(L"N", grid->Cells(2, 2));
}

TEST_F(CheckBoxesTest, TogglesFireTheirEventAndSettersDoNot)
{
    TCountingGrid* grid = Add(4, 5);
    Record(grid);
    grid->SetVAlignment(vtaCenter);
    grid->AddCheckBox(1, 1, false, false);
    EXPECT_EQ(vaCenter, grid->GetCellGraphic(1, 1)->CellVAlign());
    EXPECT_EQ(haBeforeText, grid->GetCellGraphic(1, 1)->CellHAlign());
    EXPECT_TRUE(grid->GetCellGraphic(1, 1)->CellTransparent());

    EXPECT_TRUE(grid->ToggleCheckBox(1, 1));
    EXPECT_TRUE(grid->IsChecked(1, 1));
    EXPECT_TRUE(grid->SetCheckBoxState(1, 1, false));
    EXPECT_FALSE(grid->IsChecked(1, 1));
    EXPECT_FALSE(grid->ToggleCheckBox(2, 2));  // no check box
    EXPECT_FALSE(grid->SetCheckBoxState(2, 2, true));
    EXPECT_EQ((std::vector<TChange>{{1, 1, true}}), Changes);

    // Column operations: the event fires only where the state changes.
    Changes.clear();
    grid->AddCheckBoxColumn(2, false, false);
    grid->SetCheckBoxState(2, 3, true);
    grid->CheckAll(2);
    EXPECT_EQ((std::vector<TChange>{{2, 1, true}, {2, 2, true}, {2, 4, true}}), Changes);
    EXPECT_FALSE(grid->HasCheckBox(2, 0));  // fixed row left out
    grid->UnCheckAll(2);
    EXPECT_FALSE(grid->IsChecked(2, 4));
    grid->RemoveCheckBoxColumn(2);
    EXPECT_FALSE(grid->HasCheckBox(2, 1));
}

// A toggle by the user asks whether the cell may be edited, unless check boxes are always active.
TEST_F(CheckBoxesTest, UserToggleAsksEditPermission)
{
    TCountingGrid* grid = Add(4, 5);
    Record(grid);
    grid->AddCheckBox(1, 1, false, false);
    grid->GetCellProperties(1, 1)->SetReadOnly(true);
    EXPECT_FALSE(grid->ToggleCheckCell(1, 1, true));
    EXPECT_FALSE(grid->IsChecked(1, 1));
    grid->ControlLook()->CheckAlwaysActive = true;
    EXPECT_TRUE(grid->ToggleCheckCell(1, 1, true));
    grid->ControlLook()->CheckAlwaysActive = false;
    grid->GetCellProperties(1, 1)->SetReadOnly(false);
    grid->SetOptions(grid->Options().Include(goEditing));
    bool asked = false;
    grid->OnCanEditCell = [&](TObject*, int r, int c, bool& can) {
        asked = r == 1 && c == 1;
        can = false;
    };
    EXPECT_FALSE(grid->ToggleCheckCell(1, 1, true));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(grid->ToggleCheckCell(1, 1, false));  // a call from code is not refused
    EXPECT_EQ((std::vector<TChange>{{1, 1, true}, {1, 1, false}}), Changes);
}

TEST_F(CheckBoxesTest, StateOfHiddenRowsByRealRow)
{
    TCountingGrid* grid = Add(3, 6);
    grid->AddCheckBox(1, 2, true, false);
    grid->AddCheckBox(1, 4, false, true);
    grid->HideRow(2);
    EXPECT_TRUE(grid->IsChecked(1, 2));  // real row, kept in the hidden-row store
    EXPECT_TRUE(grid->SetCheckBoxState(1, 2, false));
    EXPECT_FALSE(grid->IsChecked(1, 2));
    EXPECT_TRUE(grid->SetCheckBoxState(1, 4, true));  // real row 4 shows at display row 3
    EXPECT_EQ(L"Y", grid->Cells(1, 3));
    grid->UnHideRow(2);
    EXPECT_FALSE(grid->IsChecked(1, 2));
    EXPECT_TRUE(grid->IsChecked(1, 4));
}

TEST_F(CheckBoxesTest, RadioButtonsOfAColumnAreOneGroup)
{
    TCountingGrid* grid = Add(3, 5);
    grid->AddRadioButtonColumn(1);
    EXPECT_FALSE(grid->HasRadioButton(1, 0));
    EXPECT_EQ(-1, grid->GetRadioButtonColumnIndex(1));
    grid->SetRadioButtonColumnIndex(1, 3);
    EXPECT_EQ(3, grid->GetRadioButtonColumnIndex(1));
    EXPECT_TRUE(grid->ToggleRadioCell(1, 2, false));
    EXPECT_TRUE(grid->IsRadioButtonChecked(1, 2));
    EXPECT_FALSE(grid->IsRadioButtonChecked(1, 3));
    EXPECT_EQ(2, grid->GetRadioButtonColumnIndex(1));
    EXPECT_FALSE(grid->ToggleRadioCell(2, 2, false));
    EXPECT_TRUE(grid->SetRadioButtonState(1, 4, true));
    EXPECT_FALSE(grid->SetRadioButtonState(2, 4, true));
    EXPECT_EQ(L"", grid->Cells(1, 2));
    grid->RemoveRadioButtonColumn(1);
    EXPECT_FALSE(grid->HasRadioButton(1, 2));
    EXPECT_EQ(0, TCountedGraphic::Live);
}

TEST_F(CheckBoxesTest, PreciseHitTestFindsTheGlyph)
{
    TCountingGrid* grid = Add(4, 4);
    ShowForm();
    grid->SetColWidths(1, 80);
    grid->SetRowHeights(1, 30);
    grid->AddCheckBox(1, 1, false, false);
    TRect r = grid->CellRect(1, 1);
    EXPECT_TRUE(grid->IsInCheckBox(1, 1, r.right - 1, r.bottom - 1));  // anywhere without precision
    EXPECT_FALSE(grid->IsInCheckBox(2, 1, r.left + 3, r.top + 3));

    grid->MouseActions()->PreciseCheckBoxCheck = true;
    const int s = grid->ControlLook()->CheckSize();
    EXPECT_TRUE(grid->IsInCheckBox(1, 1, r.left + 2, r.top + 2));
    EXPECT_TRUE(grid->IsInCheckBox(1, 1, r.left + 2 + s - 1, r.top + 2 + s - 1));
    EXPECT_FALSE(grid->IsInCheckBox(1, 1, r.left + 2 + s, r.top + 2));  // right edge excluded
    EXPECT_FALSE(grid->IsInCheckBox(1, 1, r.left + 1, r.top + 2));

    grid->GetCellGraphic(1, 1)->SetCellVAlign(vaBottom);
    grid->GetCellProperties(1, 1)->SetAlignment(taCenter);
    const int left = r.left + (r.right - r.left - s) / 2;
    EXPECT_TRUE(grid->IsInCheckBox(1, 1, left, r.bottom - s - 2));
    EXPECT_FALSE(grid->IsInCheckBox(1, 1, left, r.bottom - s - 3));
    EXPECT_FALSE(grid->IsInCheckBox(1, 1, left - 1, r.bottom - 3));
}

// A balloon on a check box sets CellAngle 1; the glyph must still draw as a plain check box.
TEST_F(CheckBoxesTest, BalloonDoesNotGrayTheCheckGlyph)
{
    TCountingGrid* grid = Add(3, 3);
    grid->AddCheckBox(1, 1, true, false);
    TCellGraphic* g = grid->GetCellGraphic(1, 1);
    g->SetCellAngle(1);  // a balloon attached
    EXPECT_FALSE(g->IsGrayedCheck());

    auto paint = [](bool Checked, bool Grayed) {
        TGridPixels pixels(20, 20);
        TCanvas canvas;
        canvas.SetHandle(pixels.DC());
        canvas.Brush()->SetColor(clWhite);
        canvas.FillRect(TRect{0, 0, 20, 20});
        PaintCheckGlyph(&canvas, TRect{2, 2, 17, 17}, Checked, true, Grayed, true);
        canvas.SetHandle(nullptr);
        std::vector<COLORREF> out;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) out.push_back(pixels.At(x, y));
        return out;
    };
    const auto balloon = paint(g->CellBoolean(), g->IsGrayedCheck());
    EXPECT_EQ(paint(true, false), balloon);
    EXPECT_NE(paint(true, true), balloon);
    EXPECT_NE(paint(false, false), balloon);
}
