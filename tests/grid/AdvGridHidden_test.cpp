// Hidden rows and columns and the display and real indexes.
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

class AdvGridHidden : public GridTest {
protected:
    // A grid whose cell (c, r) reads "c:r" and whose row r is r + 10 pixels high.
    TCountingGrid* Numbered(int Cols, int Rows)
    {
        TCountingGrid* grid = Add(Cols, Rows);
        for (int r = 0; r < Rows; ++r) {
            grid->SetRowHeights(r, 10 + r);
            for (int c = 0; c < Cols; ++c)
                grid->SetCells(c, r, std::to_wstring(c) + L":" + std::to_wstring(r));
        }
        return grid;
    }
};

} // namespace

TEST_F(AdvGridHidden, HiddenRowsMapDisplayAndRealIndexes)
{
    TCountingGrid* grid = Numbered(2, 10);
    grid->GetCellProperties(1, 4)->SetFontColor(clRed);
    grid->HideRows(3, 4);
    EXPECT_EQ(8, grid->RowCount());
    EXPECT_EQ(2, grid->NumHiddenRows());
    EXPECT_EQ(10, grid->TotalRowCount());
    EXPECT_EQ(10, grid->AllRowCount());
    EXPECT_TRUE(grid->IsHiddenRow(4));
    EXPECT_FALSE(grid->IsHiddenRow(5));
    EXPECT_EQ(5, grid->DisplToRealRow(3));
    EXPECT_EQ(3, grid->RealToDisplRow(5));
    EXPECT_EQ(3, grid->RealToDisplRow(4));
    EXPECT_EQ(L"0:5|1:5", RowText(grid, 3));
    EXPECT_EQ(15, grid->RowHeights(3));
    // The hidden row keeps its cells, property object included.
    EXPECT_EQ(1, TCountedProps::Live);

    grid->UnHideRow(4);
    EXPECT_EQ(L"0:4|1:4", RowText(grid, 3));
    EXPECT_EQ(14, grid->RowHeights(3));
    ASSERT_TRUE(grid->HasCellProperties(1, 3));
    EXPECT_EQ(clRed, grid->GetCellProperties(1, 3)->FontColor());
    grid->UnHideRowsAll();
    EXPECT_EQ(10, grid->RowCount());
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(L"0:" + std::to_wstring(r), grid->Cells(0, r));
    EXPECT_EQ(1, TCountedProps::Live);
}

TEST_F(AdvGridHidden, HidingAndShowingRangesWithRowsAlreadyHidden)
{
    TCountingGrid* grid = Numbered(1, 10);
    grid->HideRow(3);
    grid->HideRows(2, 5);
    EXPECT_EQ(6, grid->RowCount());
    EXPECT_EQ(4, grid->NumHiddenRows());
    EXPECT_EQ(L"0:0|0:1|0:6|0:7|0:8|0:9", ColText(grid, 0));
    // Hiding what is hidden adds nothing.
    grid->HideRows(3, 4);
    EXPECT_EQ(4, grid->NumHiddenRows());

    grid->UnHideRows(3, 4);
    EXPECT_EQ(L"0:0|0:1|0:3|0:4|0:6|0:7|0:8|0:9", ColText(grid, 0));
    grid->UnHideRows(7, 9); // none of them hidden
    EXPECT_EQ(8, grid->RowCount());
    grid->UnHideRowsAll();
    EXPECT_EQ(L"0:0|0:1|0:2|0:3|0:4|0:5|0:6|0:7|0:8|0:9", ColText(grid, 0));
}

TEST_F(AdvGridHidden, FilterLevelsComeBackInPlace)
{
    TCountingGrid* grid = Numbered(1, 8);
    TIntList first, second;
    first.Add(2);
    first.Add(5);
    grid->HideRowList(&first);
    second.Add(1);
    grid->HideRowList(&second); // display row 1 of what is left: real row 1
    EXPECT_EQ(L"0:0|0:3|0:4|0:6|0:7", ColText(grid, 0));
    grid->UnHideRowList();
    grid->SetFilterLevel(grid->FilterLevel() - 1);
    EXPECT_EQ(L"0:0|0:1|0:3|0:4|0:6|0:7", ColText(grid, 0));
    grid->UnHideRowList();
    grid->SetFilterLevel(grid->FilterLevel() - 1);
    EXPECT_EQ(L"0:0|0:1|0:2|0:3|0:4|0:5|0:6|0:7", ColText(grid, 0));
    EXPECT_EQ(12, grid->RowHeights(2));
    EXPECT_EQ(0, grid->NumHiddenRows());
}

TEST_F(AdvGridHidden, HiddenColumnsKeepTheirCellsAndWidths)
{
    TCountingGrid* grid = Numbered(6, 2);
    grid->SetColWidths(2, 41);
    grid->SetColWidths(3, 52);
    grid->HideColumn(2);
    EXPECT_EQ(5, grid->ColCount());
    EXPECT_EQ(1, grid->NumHiddenColumns());
    EXPECT_EQ(6, grid->TotalColCount());
    EXPECT_TRUE(grid->IsHiddenColumn(2));
    EXPECT_EQ(3, grid->DisplToRealCol(2));
    EXPECT_EQ(2, grid->RealToDisplCol(3));
    EXPECT_EQ(52, grid->ColWidths(2));
    // Cells are addressed by real column, hidden ones included.
    EXPECT_EQ(L"2:1", grid->Cells(2, 1));
    EXPECT_EQ(L"5:1", grid->Cells(5, 1));
    grid->SetCells(2, 0, L"hidden");

    grid->UnHideColumn(2);
    EXPECT_EQ(6, grid->ColCount());
    EXPECT_EQ(41, grid->ColWidths(2));
    EXPECT_EQ(52, grid->ColWidths(3));
    EXPECT_EQ(L"hidden", grid->Cells(2, 0));
    EXPECT_EQ(L"5:0", grid->Cells(5, 0));
}

TEST_F(AdvGridHidden, ColumnIndexesOutsideTheTableAreLeftAlone)
{
    TCountingGrid* grid = Numbered(3, 2);
    grid->HideColumn(600);
    grid->HideColumn(-1);
    EXPECT_EQ(3, grid->ColCount());
    EXPECT_FALSE(grid->IsHiddenColumn(600));
    EXPECT_EQ(600, grid->RealToDisplCol(600));
    grid->SetColVisible(900, false);
    EXPECT_TRUE(grid->GetColVisible(900));

    TCountingGrid* single = Numbered(1, 2);
    single->HideColumn(0);
    EXPECT_EQ(1, single->ColCount());
    EXPECT_FALSE(single->IsHiddenColumn(0));
}

TEST_F(AdvGridHidden, RowAndTopRowProperties)
{
    TCountingGrid* grid = Numbered(3, 30);
    ShowForm();
    std::vector<std::pair<int, int>> changes;
    grid->OnRowChanged = [&changes](TObject*, int OldRow, int NewRow) { changes.emplace_back(OldRow, NewRow); };
    grid->SetRow(4);
    grid->SetRow(4);
    grid->SetRow(7);
    grid->SetRow(99);
    ASSERT_EQ(2u, changes.size());
    EXPECT_EQ(std::make_pair(-1, 4), changes[0]);
    EXPECT_EQ(std::make_pair(4, 7), changes[1]);
    EXPECT_EQ(7, grid->Row());

    grid->SetTopRow(5);
    EXPECT_EQ(5, grid->TopRow());
    grid->SetTopRow(0); // below FixedRows
    EXPECT_EQ(5, grid->TopRow());
    grid->SetTopRow(30);
    EXPECT_EQ(5, grid->TopRow());

    grid->HideRow(2);
    EXPECT_EQ(8, grid->RealRow());
}

TEST_F(AdvGridHidden, UsedCellsAndSaveRange)
{
    TCountingGrid* grid = Add(6, 6);
    const TRect empty = grid->GetUsedCells();
    EXPECT_EQ(0, empty.left);
    EXPECT_EQ(0, empty.top);
    EXPECT_EQ(0, empty.right);
    EXPECT_EQ(0, empty.bottom);
    grid->SetCells(2, 4, L"a");
    grid->SetCells(4, 1, L"b");
    TRect used = grid->GetUsedCells();
    EXPECT_EQ(2, used.left);
    EXPECT_EQ(1, used.top);
    EXPECT_EQ(4, used.right);
    EXPECT_EQ(4, used.bottom);

    grid->SetFixedFooters(1);
    EXPECT_EQ(0, grid->SaveStartRow());
    EXPECT_EQ(5, grid->SaveEndRow());
    grid->SaveFixedCells = false;
    EXPECT_EQ(1, grid->SaveStartRow());
    EXPECT_EQ(4, grid->SaveEndRow());
    EXPECT_EQ(4, grid->SaveRowCount());
}

TEST_F(AdvGridHidden, HiddenSelectionComesBack)
{
    TCountingGrid* grid = Add(5, 5);
    grid->FocusCell(2, 3);
    grid->HideSelection();
    EXPECT_EQ(5, grid->Selection().Left);
    EXPECT_EQ(5, grid->Selection().Top);
    EXPECT_TRUE(grid->SelectionHidden());
    grid->UnHideSelection();
    EXPECT_EQ(2, grid->Selection().Left);
    EXPECT_EQ(3, grid->Selection().Top);
    EXPECT_FALSE(grid->SelectionHidden());
}

// The index maps and the hidden rows' places checked against a plain list of real rows, for
// hidden sets made in different ways (the hidden-row store is not always in row order), while
// rows are inserted and removed around them.
TEST_F(AdvGridHidden, IndexMapsFollowHiddenRowsThroughInsertAndRemove)
{
    struct Step {
        enum { Hide, HideEx, HideList, Insert, Remove } Kind;
        int A, B;
    };
    const std::vector<std::vector<Step>> cases = {
        {{Step::Hide, 2, 3}, {Step::Hide, 7, 7}, {Step::Insert, 2, 2}, {Step::Remove, 1, 1}, {Step::Insert, 0, 1}},
        {{Step::Hide, 0, 0}, {Step::Hide, 8, 9}, {Step::Remove, 0, 2}, {Step::Insert, 4, 3}},
        {{Step::Hide, 6, 6}, {Step::HideEx, 2, 3}, {Step::Hide, 0, 0}, {Step::Remove, 2, 1}, {Step::Insert, 3, 1}},
        {{Step::HideList, 1, 4}, {Step::Hide, 8, 8}, {Step::Insert, 1, 2}, {Step::Remove, 4, 2}},
    };
    for (size_t n = 0; n < cases.size(); ++n) {
        SCOPED_TRACE("case " + std::to_string(n));
        TCountingGrid* grid = Numbered(1, 10);
        std::vector<String> real;
        std::vector<bool> hidden;
        for (int r = 0; r < 10; ++r) {
            real.push_back(L"0:" + std::to_wstring(r));
            hidden.push_back(false);
        }
        auto displToReal = [&](int d) {
            for (int r = 0; r < static_cast<int>(real.size()); ++r)
                if (!hidden[r] && d-- == 0) return r;
            return -1;
        };
        for (const Step& s : cases[n]) {
            switch (s.Kind) {
            case Step::Hide:
            case Step::HideEx:
                for (int r = s.A; r <= s.B; ++r) hidden[r] = true;
                if (s.Kind == Step::Hide) grid->HideRows(s.A, s.B);
                else grid->HideRowsEx(s.A, s.B);
                break;
            case Step::HideList: {
                // Display rows A and B, with nothing hidden before.
                TIntList list;
                list.Add(s.A);
                list.Add(s.B);
                hidden[s.A] = hidden[s.B] = true;
                grid->HideRowList(&list);
                break;
            }
            case Step::Insert: {
                int at = displToReal(s.A);
                for (int i = 0; i < s.B; ++i) {
                    real.insert(real.begin() + at, String());
                    hidden.insert(hidden.begin() + at, false);
                }
                grid->InsertRows(s.A, s.B);
                break;
            }
            case Step::Remove:
                for (int i = 0; i < s.B; ++i) {
                    int at = displToReal(s.A);
                    real.erase(real.begin() + at);
                    hidden.erase(hidden.begin() + at);
                }
                grid->RemoveRows(s.A, s.B);
                break;
            }
            int total = static_cast<int>(real.size()), shown = 0;
            for (int r = 0; r < total; ++r) {
                EXPECT_EQ(hidden[r], grid->IsHiddenRow(r)) << "real " << r;
                EXPECT_EQ(r - static_cast<int>(std::count(hidden.begin(), hidden.begin() + r, true)), grid->RealToDisplRow(r)) << "real " << r;
                if (hidden[r]) continue;
                EXPECT_EQ(r, grid->DisplToRealRow(shown)) << "display " << shown;
                EXPECT_EQ(real[r], grid->Cells(0, shown)) << "display " << shown;
                ++shown;
            }
            EXPECT_EQ(shown, grid->RowCount());
            EXPECT_EQ(total, grid->TotalRowCount());
        }
        if (cases[n][0].Kind != Step::HideList) {
            grid->UnHideRowsAll();
            String all;
            for (size_t r = 0; r < real.size(); ++r) all += (r > 0 ? L"|" : L"") + real[r];
            EXPECT_EQ(all, ColText(grid, 0));
        }
    }
}

// Hiding removes the rows as one DeleteRow per row would (one row-moved notification each, to the
// shrinking last row), then tells the cells changed once; showing them again tells each restored
// row in ascending order, at the display row it lands on. Contents and heights come back whole.
TEST_F(AdvGridHidden, HidingAndShowingTellTheirEventsInOrder)
{
    TCountingGrid* grid = Numbered(2, 10);
    std::vector<std::string> events;
    grid->OnRowMoved = [&](TObject*, int From, int To) { events.push_back("moved " + std::to_string(From) + ">" + std::to_string(To)); };
    grid->OnCellsChanged = [&](TObject*, TRect R) {
        events.push_back("changed " + std::to_string(R.left) + "," + std::to_string(R.top) + "," + std::to_string(R.right) + "," +
                         std::to_string(R.bottom));
    };

    grid->HideRows(2, 4);
    EXPECT_EQ((std::vector<std::string>{"moved 2>9", "moved 2>8", "moved 2>7", "changed 0,2,1,5"}), events);
    events.clear();
    grid->HideRow(7);
    EXPECT_EQ((std::vector<std::string>{"moved 4>6", "changed 0,4,1,5"}), events);
    EXPECT_EQ(L"0:0|0:1|0:5|0:6|0:8|0:9", ColText(grid, 0));

    events.clear();
    grid->UnHideRows(7, 7);
    EXPECT_EQ((std::vector<std::string>{"changed 0,4,1,5"}), events);
    grid->HideRow(7);
    events.clear();
    grid->UnHideRowsAll();
    EXPECT_EQ((std::vector<std::string>{"changed 0,2,1,3", "changed 0,3,1,4", "changed 0,4,1,5", "changed 0,7,1,8"}), events);
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(L"0:" + std::to_wstring(r) + L"|1:" + std::to_wstring(r), RowText(grid, r)) << r;
        EXPECT_EQ(10 + r, grid->RowHeights(r)) << r;
    }
    EXPECT_EQ(0, grid->NumHiddenRows());
}

// A range with rows hidden below it comes back under them; with the store out of order (a row
// appended by HideRowsEx below one hidden before) the row-by-row way reaches the same end.
TEST_F(AdvGridHidden, ShowingARangeKeepsTheRowsHiddenBelowAndAround)
{
    for (bool outOfOrder : {false, true}) {
        SCOPED_TRACE(outOfOrder ? "store out of order" : "ordered store");
        TCountingGrid* grid = Numbered(1, 12);
        if (outOfOrder) {
            grid->HideRow(9);
            grid->HideRowsEx(1, 1);
        } else {
            grid->HideRow(1);
            grid->HideRow(9);
        }
        grid->HideRows(4, 6);
        EXPECT_EQ(L"0:0|0:2|0:3|0:7|0:8|0:10|0:11", ColText(grid, 0));
        std::vector<int> tops;
        grid->OnCellsChanged = [&](TObject*, TRect R) { tops.push_back(R.top); };
        grid->UnHideRows(4, 6);
        EXPECT_EQ((std::vector<int>{3, 4, 5}), tops);
        EXPECT_TRUE(grid->IsHiddenRow(1));
        EXPECT_TRUE(grid->IsHiddenRow(9));
        EXPECT_EQ(L"0:0|0:2|0:3|0:4|0:5|0:6|0:7|0:8|0:10|0:11", ColText(grid, 0));
        EXPECT_EQ(15, grid->RowHeights(4));
        EXPECT_EQ(2, grid->DisplToRealRow(1));
        EXPECT_EQ(10, grid->DisplToRealRow(8));
        EXPECT_EQ(8, grid->RealToDisplRow(10));
        grid->OnCellsChanged = nullptr;
        grid->UnHideRowsAll();
        EXPECT_EQ(L"0:0|0:1|0:2|0:3|0:4|0:5|0:6|0:7|0:8|0:9|0:10|0:11", ColText(grid, 0));
        for (int r = 0; r < 12; ++r)
            EXPECT_EQ(10 + r, grid->RowHeights(r)) << r;
    }
}

// Hidden rows keep every stored column; when the grid has lost columns meanwhile, what no longer
// fits is freed as the row comes back, and columns gained since come back empty. Each way of
// showing rows is checked.
TEST_F(AdvGridHidden, RowsComeBackIntoAGridOfAnotherWidth)
{
    enum TShow { ShowAll, ShowOneByOne, ShowFilterLevel };
    for (TShow show : {ShowAll, ShowOneByOne, ShowFilterLevel}) {
        for (int cols : {2, 4}) {
            SCOPED_TRACE("way " + std::to_string(show) + ", " + std::to_string(cols) + " columns");
            TCountingGrid* grid = Numbered(3, 6);
            grid->GetCellProperties(2, 1)->SetFontColor(clRed);
            grid->SetCellGraphic(2, 4, new TCountedGraphic);
            grid->GetCellProperties(0, 4)->SetFontColor(clBlue);
            if (show == ShowFilterLevel) {
                TIntList list;
                list.Add(1);
                list.Add(4);
                grid->HideRowList(&list);
            } else {
                grid->HideRow(1);
                grid->HideRow(4);
            }
            grid->SetColCount(cols);
            if (show == ShowAll) grid->UnHideRowsAll();
            if (show == ShowOneByOne) {
                grid->UnHideRow(4);
                grid->UnHideRow(1);
            }
            if (show == ShowFilterLevel) grid->UnHideRowList();

            EXPECT_EQ(6, grid->RowCount());
            EXPECT_EQ(cols == 2 ? L"0:1|1:1" : L"0:1|1:1|2:1|", RowText(grid, 1));
            EXPECT_EQ(cols == 2 ? L"0:4|1:4" : L"0:4|1:4|2:4|", RowText(grid, 4));
            EXPECT_EQ(cols == 2 ? L"0:5|1:5" : L"0:5|1:5|2:5|", RowText(grid, 5));
            EXPECT_EQ(14, grid->RowHeights(4));
            ASSERT_TRUE(grid->HasCellProperties(0, 4));
            EXPECT_EQ(clBlue, grid->GetCellProperties(0, 4)->FontColor());
            EXPECT_EQ(cols == 2 ? 1 : 3, TCountedProps::Live);
            EXPECT_EQ(cols == 2 ? 0 : 1, TCountedGraphic::Live);
            grid->SetCells(cols - 1, 4, L"last");
            EXPECT_EQ(L"last", grid->Cells(cols - 1, 4));
            delete grid;
            EXPECT_EQ(0, TCountedProps::Live);
            EXPECT_EQ(0, TCountedGraphic::Live);
        }
    }
}

// The hidden row's cells read and written as a string list (objects are the property objects)
// come back as the list left them; clearing frees the objects the list holds.
TEST_F(AdvGridHidden, HiddenRowCellsAsAStringList)
{
    TCountingGrid* grid = Numbered(2, 5);
    grid->GetCellProperties(1, 2)->SetFontColor(clRed);
    grid->HideRows(2, 3);
    TStringList* cells = grid->HiddenRowItem(0)->Items();
    ASSERT_EQ(2, cells->Count());
    EXPECT_EQ(L"0:2", cells->Strings(0));
    EXPECT_EQ(L"1:2", cells->Strings(1));
    EXPECT_EQ(nullptr, cells->Objects(0));
    EXPECT_NE(nullptr, cells->Objects(1));
    EXPECT_EQ(cells, grid->HiddenRowItem(0)->Items());
    cells->SetStrings(0, L"edited");
    grid->UnHideRowsAll();
    EXPECT_EQ(L"edited|1:2", RowText(grid, 2));
    EXPECT_EQ(L"0:3|1:3", RowText(grid, 3));
    EXPECT_EQ(clRed, grid->GetCellProperties(1, 2)->FontColor());
    EXPECT_EQ(1, TCountedProps::Live);

    grid->HideRow(2);
    grid->HiddenRowItem(0)->Items();
    grid->ClearAll();
    EXPECT_EQ(0, TCountedProps::Live);
    grid->UnHideRowsAll();
    EXPECT_EQ(L"|", RowText(grid, 2));
}

// Hiding every row leaves one blank row that takes cells, and the rows come back whole.
TEST_F(AdvGridHidden, HidingEveryRowLeavesOneBlankRow)
{
    TCountingGrid* grid = Numbered(2, 4);
    TIntList list;
    for (int r = 0; r < 4; ++r) list.Add(r);
    grid->HideRowList(&list);
    EXPECT_EQ(1, grid->RowCount());
    EXPECT_EQ(4, grid->NumHiddenRows());
    EXPECT_EQ(L"|", RowText(grid, 0));
    grid->SetCells(1, 0, L"new");
    EXPECT_EQ(L"new", grid->Cells(1, 0));
    grid->UnHideRowList();
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(L"0:" + std::to_wstring(r) + L"|1:" + std::to_wstring(r), RowText(grid, r)) << r;
    EXPECT_EQ(0, grid->NumHiddenRows());
}

// A store out of order (HideRowsEx appends) comes back whole as well, each row told at the display
// row that showing them one by one gives it: in the store's order, below the rows still hidden.
TEST_F(AdvGridHidden, ShowingAllFromAStoreOutOfOrderTellsTheRowByRowPlaces)
{
    TCountingGrid* grid = Numbered(2, 10);
    grid->HideRow(6);
    grid->HideRowsEx(2, 3);
    grid->HideRowsEx(8, 8);
    EXPECT_EQ(L"0:0|0:1|0:4|0:5|0:7|0:9", ColText(grid, 0));
    std::vector<int> tops;
    grid->OnCellsChanged = [&](TObject*, TRect R) { tops.push_back(R.top); };
    grid->UnHideRowsAll();
    EXPECT_EQ((std::vector<int>{4, 2, 3, 8}), tops);
    EXPECT_EQ(0, grid->NumHiddenRows());
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(L"0:" + std::to_wstring(r) + L"|1:" + std::to_wstring(r), RowText(grid, r)) << r;
        EXPECT_EQ(10 + r, grid->RowHeights(r)) << r;
    }
}

// A restored row takes a cleared enabled-row mark where the marks reach it, as inserting the rows
// one by one does, whether the rows come back as a block or one at a time.
TEST_F(AdvGridHidden, RestoredRowsTakeEnabledMarksWhereTheMarksReach)
{
    for (bool outOfOrder : {false, true}) {
        SCOPED_TRACE(outOfOrder ? "store out of order" : "ordered store");
        TCountingGrid* grid = Numbered(1, 8);
        grid->UseEnabledRows = true;
        for (int i = 0; i < 4; ++i) grid->EnabledRows()->Add(1);
        if (outOfOrder) {
            grid->HideRow(5);
            grid->HideRowsEx(1, 1);
        } else {
            grid->HideRow(1);
            grid->HideRow(5);
        }
        grid->UnHideRowsAll();
        EXPECT_EQ(L"1,0,1,1,1", grid->EnabledRows()->StrValue());
        EXPECT_EQ(L"0:0|0:1|0:2|0:3|0:4|0:5|0:6|0:7", ColText(grid, 0));
    }
}
