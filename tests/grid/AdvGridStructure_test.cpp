// Clearing, inserting and removing rows and columns, and who frees what.
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

class AdvGridStructure : public GridTest {
protected:
    // The month table after a computation: weekday header, day numbers, red centred duty days.
    TCountingGrid* MonthTable()
    {
        TCountingGrid* grid = Add(7, 7);
        grid->SetFixedCols(0);
        grid->SetDefaultColWidth(23);
        grid->SetDefaultRowHeight(20);
        for (int c = 0; c < 7; ++c)
            grid->SetCells(c, 0, String(1, L"\u65E5\u4E00\u4E8C\u4E09\u56DB\u4E94\u516D"[c]));
        for (int day = 1; day <= 31; ++day) {
            int cell = day + 2; // the 1st on a Tuesday
            grid->SetCells(cell % 7, 1 + cell / 7, std::to_wstring(day));
            if (day % 3 == 0) {
                TCellProperties* props = grid->GetCellProperties(cell % 7, 1 + cell / 7);
                props->SetFontColor(clRed);
                props->SetAlignment(taCenter);
            }
        }
        return grid;
    }

    std::vector<TRect> Changes;
    void Record(TAdvStringGrid* Grid)
    {
        Grid->OnCellsChanged = [this](TObject*, TRect R) { Changes.push_back(R); };
    }
};

} // namespace

TEST_F(AdvGridStructure, ClearAllLeavesTheMonthTableEmptyWithItsSizes)
{
    TCountingGrid* grid = MonthTable();
    grid->SetColWidths(3, 30);
    grid->SetRowHeights(2, 25);
    ASSERT_EQ(10, TCountedProps::Live);
    Record(grid);

    grid->ClearAll();
    ASSERT_EQ(1u, Changes.size());
    EXPECT_EQ(0, Changes[0].left);
    EXPECT_EQ(0, Changes[0].top);
    EXPECT_EQ(6, Changes[0].right);
    EXPECT_EQ(6, Changes[0].bottom);
    EXPECT_EQ(0, TCountedProps::Live);
    EXPECT_FALSE(grid->HasCellProps());
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(L"", grid->Cells(c, r));
            EXPECT_FALSE(grid->HasCellProperties(c, r));
        }
    EXPECT_EQ(7, grid->ColCount());
    EXPECT_EQ(7, grid->RowCount());
    EXPECT_EQ(1, grid->FixedRows());
    EXPECT_EQ(0, grid->FixedCols());
    EXPECT_EQ(30, grid->ColWidths(3));
    EXPECT_EQ(23, grid->ColWidths(4));
    EXPECT_EQ(25, grid->RowHeights(2));

    // A new property object after the clear has the defaults again, not the old red.
    EXPECT_NE(clRed, grid->GetCellProperties(3, 3)->FontColor());
}

TEST_F(AdvGridStructure, ClearAllEmptiesHiddenRowsAndFreesTheirObjects)
{
    TCountingGrid* grid = Add(2, 8);
    for (int r = 0; r < 8; ++r)
        grid->SetCells(1, r, std::to_wstring(r));
    grid->GetCellProperties(1, 5)->SetFontColor(clRed);
    grid->SetCellGraphic(1, 6, new TCountedGraphic);
    grid->HideRows(5, 6);
    EXPECT_EQ(1, TCountedGraphic::Live);

    grid->ClearAll();
    EXPECT_EQ(0, TCountedProps::Live);
    EXPECT_EQ(0, TCountedGraphic::Live);
    EXPECT_EQ(2, grid->NumHiddenRows());
    grid->UnHideRowsAll();
    EXPECT_EQ(8, grid->RowCount());
    EXPECT_EQ(L"", grid->Cells(1, 5));
    EXPECT_EQ(L"", grid->Cells(1, 6));
}

TEST_F(AdvGridStructure, ClearTextOnlyKeepsLooksAndMerges)
{
    TCountingGrid* grid = MonthTable();
    grid->MergeCells(0, 5, 2, 1);
    grid->ClearTextOnly = true;
    grid->Clear();
    EXPECT_EQ(L"", grid->Cells(2, 1));
    EXPECT_TRUE(grid->IsMergedCell(1, 5));
    EXPECT_EQ(clRed, grid->GetCellProperties(5, 1)->FontColor());
    EXPECT_TRUE(grid->HasCellProps());
}

TEST_F(AdvGridStructure, ClearingInvalidatesOnlyCellsThatHadText)
{
    TCountingGrid* grid = Add(5, 5);
    ShowForm();
    grid->GetCellProperties(2, 2)->SetBrushColor(clLime);
    UpdateWindow(grid->Handle());
    grid->ClearRect(2, 2, 2, 2);
    RECT r;
    EXPECT_FALSE(GetUpdateRect(grid->Handle(), &r, FALSE));
    EXPECT_FALSE(grid->HasCellProperties(2, 2));
    // A partial rectangle leaves the has-properties state; the whole grid resets it.
    grid->GetCellProperties(1, 1);
    grid->ClearRect(1, 1, 3, 3);
    EXPECT_TRUE(grid->HasCellProps());
    grid->ClearRect(0, 0, 4, 4);
    EXPECT_FALSE(grid->HasCellProps());
}

TEST_F(AdvGridStructure, InsertedRowsMoveTheRowsBelowWithTheirData)
{
    TCountingGrid* grid = Add(2, 6);
    grid->ShowModified()->Enabled = true;
    for (int r = 0; r < 6; ++r) {
        grid->SetCells(0, r, std::to_wstring(r));
        grid->SetRowHeights(r, 20 + r);
        grid->SetRowModified(r, r % 2 == 1);
    }
    grid->GetCellProperties(1, 3)->SetFontColor(clRed);
    Record(grid);

    grid->InsertRows(2, 3);
    EXPECT_EQ(9, grid->RowCount());
    EXPECT_EQ(L"0|1||||2|3|4|5", ColText(grid, 0));
    EXPECT_EQ(23, grid->RowHeights(6));
    EXPECT_EQ(grid->DefaultRowHeight(), grid->RowHeights(2));
    ASSERT_TRUE(grid->HasCellProperties(1, 6));
    EXPECT_EQ(clRed, grid->GetCellProperties(1, 6)->FontColor());
    EXPECT_FALSE(grid->RowModified(2));
    EXPECT_TRUE(grid->RowModified(6));
    ASSERT_EQ(1u, Changes.size());
    EXPECT_EQ(2, Changes[0].top);
    EXPECT_EQ(5, Changes[0].bottom);
    EXPECT_EQ(1, TCountedProps::Live);
}

TEST_F(AdvGridStructure, RemovedRowsTakeTheirObjectsWithThem)
{
    TCountingGrid* grid = Add(2, 10);
    grid->ShowModified()->Enabled = true;
    for (int r = 0; r < 10; ++r) {
        grid->SetCells(0, r, std::to_wstring(r));
        grid->GetCellProperties(1, r)->SetCellObject(r);
        grid->SetRowModified(r, r == 6);
    }
    grid->SetCellGraphic(0, 3, new TCountedGraphic);
    ASSERT_EQ(11, TCountedProps::Live);

    grid->RemoveRows(2, 3);
    EXPECT_EQ(7, grid->RowCount());
    EXPECT_EQ(L"0|1|5|6|7|8|9", ColText(grid, 0));
    EXPECT_EQ(7, TCountedProps::Live);
    EXPECT_EQ(0, TCountedGraphic::Live);
    EXPECT_EQ(5, grid->GetCellObject(1, 2));
    EXPECT_TRUE(grid->RowModified(3));

    // Out of range or empty requests change nothing; a block past the end is cut.
    grid->RemoveRows(7, 1);
    grid->RemoveRows(3, 0);
    grid->RemoveRows(-1, 2);
    EXPECT_EQ(7, grid->RowCount());
    grid->RemoveRows(5, 5);
    EXPECT_EQ(5, grid->RowCount());
    EXPECT_EQ(L"0|1|5|6|7", ColText(grid, 0));
    EXPECT_EQ(5, TCountedProps::Live);
}

TEST_F(AdvGridStructure, RemovingTheCurrentLastRowMovesTheCurrentRowUp)
{
    TCountingGrid* grid = Add(3, 5);
    grid->FocusCell(1, 4);
    grid->RemoveRows(4, 1);
    EXPECT_EQ(3, grid->Row());
    grid->FocusCell(1, 2);
    grid->RemoveRows(2, 2);
    EXPECT_EQ(2, grid->RowCount());
    EXPECT_EQ(1, grid->Row());
}

TEST_F(AdvGridStructure, InsertedAndRemovedColumnsCarryTheirCells)
{
    TCountingGrid* grid = Add(4, 2);
    for (int c = 0; c < 4; ++c)
        grid->SetCells(c, 1, std::to_wstring(c));
    grid->SetColWidths(2, 40);
    grid->GetCellProperties(2, 1)->SetFontColor(clRed);

    grid->InsertCols(1, 2);
    EXPECT_EQ(6, grid->ColCount());
    EXPECT_EQ(L"0|||1|2|3", RowText(grid, 1));
    EXPECT_EQ(40, grid->ColWidths(4));
    EXPECT_EQ(clRed, grid->GetCellProperties(4, 1)->FontColor());

    grid->RemoveCols(3, 2);
    EXPECT_EQ(4, grid->ColCount());
    EXPECT_EQ(L"0|||3", RowText(grid, 1));
    EXPECT_EQ(0, TCountedProps::Live);
}

TEST_F(AdvGridStructure, RemovingColumnsAroundAHiddenOne)
{
    TCountingGrid* grid = Add(5, 2);
    for (int c = 0; c < 5; ++c)
        grid->SetCells(c, 0, std::to_wstring(c));
    grid->HideColumn(3);
    grid->RemoveCols(1, 1);
    EXPECT_EQ(3, grid->ColCount());
    EXPECT_EQ(1, grid->NumHiddenColumns());
    EXPECT_TRUE(grid->IsHiddenColumn(2));
    EXPECT_EQ(L"0|2|3|4", RowText(grid, 0));
    grid->UnHideColumnsAll();
    EXPECT_EQ(4, grid->ColCount());
}

TEST_F(AdvGridStructure, DuplicatesMergesAndSearches)
{
    TCountingGrid* grid = Add(3, 5);
    const wchar_t* texts[] = {L"a", L"A", L"b", L"a"};
    for (int i = 0; i < 4; ++i)
        grid->SetCells(1, i + 1, texts[i]);
    grid->RemoveDuplicates(1, false);
    EXPECT_EQ(L"|a|b", ColText(grid, 1));

    TCountingGrid* merged = Add(2, 6);
    const wchar_t* runs[] = {L"x", L"x", L"y", L"y", L"y"};
    for (int i = 0; i < 5; ++i)
        merged->SetCells(0, i + 1, runs[i]);
    merged->MergeColumnCells(0, true);
    EXPECT_EQ(1, merged->CellSpan(0, 2).y);
    EXPECT_EQ(1, merged->BaseCell(0, 2).y);
    EXPECT_EQ(2, merged->CellSpan(0, 5).y);
    EXPECT_EQ(3, merged->BaseCell(0, 5).y);
    merged->SplitColumnCells(0);
    EXPECT_FALSE(merged->IsMergedCell(0, 4));

    int col = 9, row = 9;
    EXPECT_TRUE(merged->IsCell(L"", col, row));
    EXPECT_EQ(0, col);
    EXPECT_EQ(0, row);
    EXPECT_TRUE(merged->IsCell(L"y", col, row));
    EXPECT_EQ(3, row);
    EXPECT_FALSE(merged->IsCell(L"Y", col, row));
}

TEST_F(AdvGridStructure, RemovingUnselectedColumnsKeepsTheSelection)
{
    TCountingGrid* grid = Add(8, 3);
    for (int c = 0; c < 8; ++c)
        grid->SetCells(c, 0, std::to_wstring(c));
    grid->SetSelection(TGridRect{3, 1, 4, 1});
    grid->RemoveUnSelectedCols();
    EXPECT_EQ(3, grid->ColCount());
    EXPECT_EQ(L"0|3|4", RowText(grid, 0));
}

TEST_F(AdvGridStructure, HidingSelectedRowsHidesThoseRowsOnly)
{
    TCountingGrid* grid = Add(2, 8);
    for (int r = 0; r < 8; ++r)
        grid->SetCells(0, r, std::to_wstring(r));
    grid->SetSelection(TGridRect{1, 2, 1, 3});
    grid->HideSelectedRows();
    EXPECT_EQ(L"0|1|4|5|6|7", ColText(grid, 0));
}

TEST_F(AdvGridStructure, NotifiersHearChangesInRegistrationOrder)
{
    struct TRecorder : TGridChangeNotifier {
        TRecorder(std::vector<String>& Log, String Name) : TGridChangeNotifier(nullptr), FLog(Log), FName(std::move(Name)) {}
        void CellsChanged(TRect) override { FLog.push_back(FName); }
        std::vector<String>& FLog;
        String FName;
    };
    std::vector<String> log;
    TCountingGrid* grid = Add(3, 3);
    grid->OnCellsChanged = [&log](TObject*, TRect) { log.push_back(L"event"); };
    auto* first = new TRecorder(log, L"first");
    auto* second = new TRecorder(log, L"second");
    grid->RegisterNotifier(first);
    grid->RegisterNotifier(second);
    grid->RegisterNotifier(first);
    grid->ClearAll();
    EXPECT_EQ((std::vector<String>{L"event", L"first", L"second"}), log);
    // A notifier that goes away is forgotten.
    delete first;
    log.clear();
    grid->ClearAll();
    EXPECT_EQ((std::vector<String>{L"event", L"second"}), log);
    delete second;
}

TEST_F(AdvGridStructure, RowAndColumnMarksRefuseBadIndexes)
{
    TCountingGrid* grid = Add(4, 6);
    grid->HideRow(5);
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetRowSelect(5, true); // a hidden row still counts
    EXPECT_TRUE(grid->RowSelect(5));
    EXPECT_EQ(1, grid->RowSelectCount());
    for (int bad : {-1, 6}) {
        try {
            grid->RowSelect(bad);
            ADD_FAILURE() << "row " << bad;
        } catch (const EAdvGridError& e) {
            EXPECT_EQ(L"Invalid row accessed", e.Message());
        }
    }
    try {
        grid->SetColSelect(4, true);
        ADD_FAILURE() << "no error";
    } catch (const EAdvGridError& e) {
        EXPECT_EQ(L"Invalid column accessed", e.Message());
    }
}

TEST_F(AdvGridStructure, EveryObjectIsFreedOnceWhenTheGridGoes)
{
    TCountingGrid* grid = Add(5, 8);
    for (int r = 0; r < 8; ++r)
        grid->GetCellProperties(r % 5, r)->SetFontColor(clRed);
    grid->SetCellGraphic(1, 1, new TCountedGraphic);
    grid->SetCellGraphic(2, 7, new TCountedGraphic);
    grid->HideColumn(2);
    grid->HideRow(7);
    grid->SetRowCount(5); // rows 5 and 6 go with their objects
    // Five in the shown rows, one in the hidden row; both cell objects live on.
    EXPECT_EQ(6, TCountedProps::Live);
    EXPECT_EQ(2, TCountedGraphic::Live);
    delete grid;
    EXPECT_EQ(0, TCountedProps::Live);
    EXPECT_EQ(0, TCountedGraphic::Live);
}
