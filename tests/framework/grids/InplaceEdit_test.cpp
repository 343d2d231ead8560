// Editing a cell in place: F2, typing, Enter and Escape through the in-place editor, the keys
// the editor hands back to the grid, the edit mask of OnGetEditMask, and the editor following
// its cell when the view scrolls.
#include "tests/framework/grids/GridTestSupport.h"
#include "tests/support/ControlTestSupport.h"

using namespace gridtest;

namespace {

class InplaceEdit : public GridTest {
protected:
    TStringGrid* MakeGrid(int Cols = 5, int Rows = 5)
    {
        auto* grid = AddGrid<TStringGrid>(400, 150);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        grid->SetOptions(grid->Options() + TGridOptions{goEditing});
        ShowAndFocus(grid);
        return grid;
    }
    static HWND EditorWnd(TCustomGrid* Grid) { return Grid->InplaceEditor()->Handle(); }
};

TEST_F(InplaceEdit, F2EditsTheCellAndEnterEndsTheEdit)
{
    auto* grid = MakeGrid();
    grid->SetCells(1, 1, L"abc");
    KeyDown(grid->Handle(), VK_F2);
    ASSERT_TRUE(grid->EditorMode());
    TInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Visible());
    EXPECT_TRUE(editor->PosEqual(grid->CellRect(1, 1)));
    EXPECT_EQ(editor->Text(), L"abc");
    EXPECT_EQ(GetFocus(), editor->Handle());
    // The form still sees the grid as its focused control.
    EXPECT_EQ(Form->ActiveControl(), grid);

    // F2 leaves the caret after the text: typing appends, and the cell follows every change.
    Type(editor->Handle(), L"de");
    EXPECT_EQ(editor->Text(), L"abcde");
    EXPECT_EQ(grid->Cells(1, 1), L"abcde");
    // Enter inserts no line: it ends the edit.
    Press(editor->Handle(), VK_RETURN, L'\r');
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(grid->Cells(1, 1), L"abcde");
    EXPECT_EQ(GetFocus(), grid->Handle());
    // Enter on the grid starts it again.
    Press(grid->Handle(), VK_RETURN, L'\r');
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_TRUE(editor->Visible());
}

TEST_F(InplaceEdit, TypingOnTheGridReplacesTheCellsText)
{
    auto* grid = MakeGrid();
    grid->SetCells(1, 1, L"old");
    SendMessageW(grid->Handle(), WM_CHAR, L'x', 1);
    Pump();
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->InplaceEditor()->Text(), L"x");
    Type(EditorWnd(grid), L"yz");
    EXPECT_EQ(grid->Cells(1, 1), L"xyz");

    // Without goEditing typing does nothing to the cells.
    Press(EditorWnd(grid), VK_RETURN, L'\r');
    grid->SetOptions(grid->Options() - TGridOptions{goEditing});
    SendMessageW(grid->Handle(), WM_CHAR, L'q', 1);
    Pump();
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(1, 1), L"xyz");
}

TEST_F(InplaceEdit, EscapeGivesTheCellItsTextBack)
{
    auto* grid = MakeGrid();
    grid->SetCells(2, 1, L"keep");
    grid->SetCol(2);
    KeyDown(grid->Handle(), VK_F2);
    Type(EditorWnd(grid), L"XX");
    EXPECT_EQ(grid->Cells(2, 1), L"keepXX");
    Press(EditorWnd(grid), VK_ESCAPE, 27);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(2, 1), L"keep");
    EXPECT_EQ(GetFocus(), grid->Handle());
}

TEST_F(InplaceEdit, KeysThatLeaveTheCellGoBackToTheGrid)
{
    auto* grid = MakeGrid();
    grid->SetOptions(grid->Options() + TGridOptions{goTabs});
    KeyDown(grid->Handle(), VK_F2);
    Type(EditorWnd(grid), L"one");
    // Left and right move the caret inside the text.
    KeyDown(EditorWnd(grid), VK_LEFT);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Col(), 1);
    // Down leaves the cell with its text written.
    KeyDown(EditorWnd(grid), VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_FALSE(grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->Cells(1, 1), L"one");
    EXPECT_EQ(SendMessageW(EditorWnd(grid), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB, DLGC_WANTTAB);

    KeyDown(grid->Handle(), VK_F2);
    Type(EditorWnd(grid), L"two");
    KeyDown(EditorWnd(grid), VK_TAB);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Cells(1, 2), L"two");
}

TEST_F(InplaceEdit, AlwaysShownEditorsPassTheArrowsOnAtTheTextsEdges)
{
    auto* grid = MakeGrid();
    grid->SetCells(2, 1, L"xy");
    grid->SetOptions(grid->Options() + TGridOptions{goAlwaysShowEditor});
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_TRUE(grid->InplaceEditor()->Visible());
    Type(EditorWnd(grid), L"ab");
    // The caret is after "ab": Right leaves for the next cell, whose text is all selected.
    KeyDown(EditorWnd(grid), VK_RIGHT);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Cells(1, 1), L"ab");
    EXPECT_TRUE(grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->InplaceEditor()->Text(), L"xy");
    // Inside the text the arrows move the caret; at its start Left leaves.
    SendMessageW(EditorWnd(grid), EM_SETSEL, 1, 1);
    KeyDown(EditorWnd(grid), VK_LEFT);
    EXPECT_EQ(grid->Col(), 2);
    KeyDown(EditorWnd(grid), VK_LEFT);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->InplaceEditor()->Text(), L"ab");
}

TEST_F(InplaceEdit, TheEditMaskComesFromOnGetEditMask)
{
    auto* grid = MakeGrid();
    grid->OnGetEditMask = [](TObject*, int ACol, int, String& Value) {
        if (ACol == 2) Value = L"!9999/99/99;1; ";
    };
    kvltest::TBeeps beeps;
    grid->SetCol(2);
    KeyDown(grid->Handle(), VK_F2);
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->InplaceEditor()->EditMask(), L"!9999/99/99;1; ");
    SendMessageW(EditorWnd(grid), EM_SETSEL, 0, 0);
    Type(EditorWnd(grid), L"20120507");
    EXPECT_EQ(grid->InplaceEditor()->Text(), L"2012/05/07");
    EXPECT_EQ(grid->Cells(2, 1), L"2012/05/07");
    EXPECT_EQ(beeps.Count, 0);
    SendMessageW(EditorWnd(grid), EM_SETSEL, 0, 0);
    Type(EditorWnd(grid), L"a");
    EXPECT_EQ(grid->InplaceEditor()->Text(), L"2012/05/07");
    EXPECT_EQ(beeps.Count, 1);
    Press(EditorWnd(grid), VK_RETURN, L'\r');

    // Another column has no mask.
    grid->SetCol(1);
    KeyDown(grid->Handle(), VK_F2);
    EXPECT_EQ(grid->InplaceEditor()->EditMask(), L"");
    Type(EditorWnd(grid), L"ab");
    EXPECT_EQ(grid->Cells(1, 1), L"ab");
}

TEST_F(InplaceEdit, TheEditorHidesWhenItsCellScrollsAwayAndComesBack)
{
    auto* grid = MakeGrid(5, 30);
    KeyDown(grid->Handle(), VK_F2);
    TInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_TRUE(editor->Visible());
    SendMessageW(grid->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(grid->TopRow(), 1);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_FALSE(editor->Visible());
    SendMessageW(grid->Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_TRUE(editor->Visible());
    EXPECT_TRUE(editor->PosEqual(grid->CellRect(1, 1)));
    // A row higher than before moves the editor with its cell.
    grid->SetRowHeights(0, 40);
    EXPECT_TRUE(editor->PosEqual(grid->CellRect(1, 1)));
}

TEST_F(InplaceEdit, ASecondClickOnTheCurrentCellEditsAndLeavingTheGridEndsTheEdit)
{
    auto* grid = MakeGrid();
    auto* other = new TStringGrid(Form);
    other->SetBounds(10, 200, 200, 100);
    other->SetParent(Form);
    POINT cell = Center(grid->CellRect(2, 2));
    Click(grid->Handle(), cell.x, cell.y);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_FALSE(grid->EditorMode());
    Click(grid->Handle(), cell.x, cell.y);
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_TRUE(grid->InplaceEditor()->PosEqual(grid->CellRect(2, 2)));
    Type(EditorWnd(grid), L"typed");

    other->SetFocus();
    Pump();
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->Cells(2, 2), L"typed");
}

TEST_F(InplaceEdit, DrawGridEditsThroughItsEvents)
{
    auto* grid = AddGrid<TDrawGrid>(400, 150);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    String stored = L"start";
    grid->OnGetEditText = [&](TObject*, int, int, String& Value) { Value = stored; };
    grid->OnSetEditText = [&](TObject*, int ACol, int ARow, const String& Value) {
        if (ACol == 1 && ARow == 1) stored = Value;
    };
    ShowAndFocus(grid);
    KeyDown(grid->Handle(), VK_F2);
    EXPECT_EQ(grid->InplaceEditor()->Text(), L"start");
    Type(grid->InplaceEditor()->Handle(), L"ed");
    EXPECT_EQ(stored, L"started");
}

} // namespace
