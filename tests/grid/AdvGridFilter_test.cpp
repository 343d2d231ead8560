// Filtering: conditions combined row by row, levels applied and taken back, incremental narrowing,
// FilterActive, and the values and choice of a column's filter drop-down.
#include "framework/system/Conversions.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

class AdvGridFilter : public GridTest {
protected:
    // Column 1 holds the fruit names below, from row 1.
    TCountingGrid* Fruit()
    {
        TCountingGrid* grid = Add(3, 6);
        const wchar_t* names[] = {L"apple", L"banana", L"cherry", L"apricot", L"plum"};
        for (int i = 0; i < 5; ++i) {
            grid->SetCells(1, i + 1, names[i]);
            grid->SetCells(2, i + 1, IntToStr(i + 1));
        }
        return grid;
    }
};

} // namespace

TEST_F(AdvGridFilter, ConditionsCombineByTheirOperation)
{
    struct Case {
        const char* Name;
        std::vector<std::tuple<int, const wchar_t*, TFilterOperation>> Conditions;
        const wchar_t* Shown;
    } cases[] = {
        {"short cut: a failing first condition decides", {{1, L"a*", foSHORT}, {2, L"3", foOR}}, L"|apple|apricot"},
        {"a lone or keeps every row", {{1, L"zzz", foOR}}, L"|apple|banana|cherry|apricot|plum"},
        {"and", {{1, L"a*", foNONE}, {2, L"4", foAND}}, L"|apricot"},
        {"or", {{1, L"a*", foNONE}, {2, L"3", foOR}}, L"|apple|cherry|apricot"},
        {"xor", {{1, L"a*", foNONE}, {2, L">1", foXOR}}, L"|apple|banana|cherry|plum"},
    };
    for (const Case& c : cases) {
        TCountingGrid* grid = Fruit();
        for (auto [column, condition, operation] : c.Conditions) {
            TFilterData* data = grid->Filter()->Add();
            data->Column = column;
            data->Condition = condition;
            data->Operation = operation;
        }
        grid->ApplyFilter();
        EXPECT_EQ(c.Shown, ColText(grid, 1)) << c.Name;
        EXPECT_EQ(1, grid->FilterLevel()) << c.Name;
        EXPECT_FALSE(grid->RemoveLastFilter());
        EXPECT_EQ(L"|apple|banana|cherry|apricot|plum", ColText(grid, 1)) << c.Name;
        EXPECT_EQ(0, grid->FilterLevel());
    }
}

TEST_F(AdvGridFilter, PrefixesSuffixesWholeRowsAndTheCustomHook)
{
    TCountingGrid* grid = Fruit();
    grid->SetCells(2, 2, L"$2%%");
    grid->SetCells(2, 3, L"$3%");
    TFilterData* price = grid->Filter()->Add();
    price->Column = 2;
    price->Prefix = L"$";
    price->Suffix = L"%";
    price->Condition = L"3";
    grid->ApplyFilter();
    EXPECT_EQ(L"|cherry", ColText(grid, 1)); // "2%%" keeps its suffix: the first "%" is not at the end
    grid->RemoveLastFilter();

    grid->Filter()->Clear();
    TFilterData* row = grid->Filter()->Add();
    row->Data = fcRow;
    row->Condition = L"ERRY";
    std::vector<int> asked;
    grid->OnCustomFilter = [&asked](TObject*, int ARow, bool& Accept) {
        asked.push_back(ARow);
        if (ARow == 5) Accept = true;
    };
    grid->ApplyFilter();
    EXPECT_EQ(L"|cherry|plum", ColText(grid, 1));
    EXPECT_EQ(5u, asked.size());
}

TEST_F(AdvGridFilter, EveryApplicationIsALevelAndProgressIsReported)
{
    TCountingGrid* grid = Fruit();
    std::vector<int> progress;
    grid->OnFilterProgress = [&progress](TObject*, int Percent) { progress.push_back(Percent); };
    grid->ApplyFilter(); // no conditions: all pass
    EXPECT_EQ(1, grid->FilterLevel());
    EXPECT_EQ((std::vector<int>{20, 40, 60, 80, 100, 100}), progress);
    grid->Filter()->GetColumnFilter(1)->Condition = L"*an*";
    grid->ApplyFilter();
    EXPECT_EQ(L"|banana", ColText(grid, 1));
    EXPECT_TRUE(grid->Filter()->HasFilter(1));
    grid->RemoveAllFilters();
    EXPECT_EQ(0, grid->FilterLevel());
    EXPECT_EQ(6, grid->RowCount());
    EXPECT_EQ(1, grid->Filter()->Count()); // levels gone, conditions kept
    grid->RemoveAllFilters();
    EXPECT_EQ(0, grid->Filter()->Count());
}

TEST_F(AdvGridFilter, NarrowingAddsAndTakesBackLevels)
{
    TCountingGrid* grid = Fruit();
    grid->NarrowDown(L"a", 1);
    EXPECT_EQ(L"*a*", grid->Filter()->Items(0)->Condition);
    EXPECT_EQ(L"|apple|banana|apricot", ColText(grid, 1));
    grid->NarrowDown(L"ap", 1);
    EXPECT_EQ(2, grid->FilterLevel());
    EXPECT_EQ(L"*ap*", grid->Filter()->Items(0)->Condition);
    EXPECT_EQ(L"|apple|apricot", ColText(grid, 1));
    grid->NarrowDown(L"a", 1);
    EXPECT_EQ(1, grid->FilterLevel());
    EXPECT_EQ(L"|apple|banana|apricot", ColText(grid, 1));
    grid->NarrowDown(L"pl", 1);
    EXPECT_EQ(1, grid->FilterLevel());
    EXPECT_EQ(L"|apple|plum", ColText(grid, 1));
    EXPECT_TRUE(grid->FixedRowAlways);

    grid->NarrowDown(L"", 1);
    grid->SetCells(1, 2, L"red apple");
    grid->NarrowDown(L"d ", 1);
    grid->NarrowDown(L"d a", 1);
    EXPECT_EQ(L"\"*d a*\"", grid->Filter()->Items(0)->Condition);
}

TEST_F(AdvGridFilter, FilterActiveAppliesAndRemovesTheFilter)
{
    TCountingGrid* grid = Fruit();
    grid->Filter()->GetColumnFilter(1)->Condition = L"p*";
    grid->SetFilterActive(true);
    EXPECT_EQ(L"|plum", ColText(grid, 1));
    EXPECT_EQ(1, grid->TopRow());
    grid->SetFilterActive(false);
    EXPECT_EQ(L"|apple|banana|cherry|apricot|plum", ColText(grid, 1));
    EXPECT_EQ(0, grid->FilterLevel());
    EXPECT_EQ(1, grid->FixedRows());
}

TEST_F(AdvGridFilter, DropDownOffersTheColumnsValuesAndTakesTheChoice)
{
    TCountingGrid* grid = Add(3, 4);
    grid->SetCells(1, 1, L"a");
    grid->SetCells(1, 2, L"b c");
    grid->SetCells(1, 3, L"a");
    grid->SetFilterDropDownAuto(true);
    grid->FilterDropDownClear = L"";
    ASSERT_TRUE(grid->DoGetColumnFilter(1));
    EXPECT_EQ(L"a\r\nb c=\"b c\"\r\n", grid->FilterList()->Text());
    grid->FilterDropDownClear = L"(All)";
    grid->DoGetColumnFilter(1);
    EXPECT_EQ(L"(All)", grid->FilterList()->Strings(0));

    ShowForm(); // a choice focuses the grid
    for (int i = 0; i < grid->FilterList()->Count(); ++i)
        grid->DropList()->Items()->Add(grid->FilterList()->Strings(i));
    String named;
    grid->OnFilterSelect = [&named](TObject*, int, int, const String& Name, String&) { named = Name; };
    grid->SetFilterColumn(1);
    grid->DoFilterSelect(grid, 2);
    EXPECT_EQ(L"b c", named);
    EXPECT_EQ(L"\"b c\"", grid->Filter()->GetColumnFilter(1)->Condition);
    EXPECT_EQ(L"|b c", ColText(grid, 1));
    EXPECT_EQ(-1, grid->FilterColumn());

    grid->SetFilterColumn(1);
    grid->DoFilterSelect(grid, 0); // "(All)"
    EXPECT_FALSE(grid->Filter()->HasFilter(1));
    EXPECT_EQ(L"|a|b c|a", ColText(grid, 1));
}

TEST_F(AdvGridFilter, DropListPicksOnEnterAndClosesOnAClickElsewhere)
{
    TCountingGrid* grid = Add(3, 4);
    grid->SetCells(1, 1, L"a");
    grid->SetCells(1, 2, L"b");
    grid->SetCells(1, 3, L"a");
    grid->SetFilterDropDownAuto(true);
    ShowForm();
    TDropList* list = grid->DropList();
    list->SetBounds(10, 10, 100, 80);
    grid->DoGetColumnFilter(1);
    list->Items()->Assign(grid->FilterList());
    list->SetVisible(true);
    grid->SetFilterColumn(1);
    list->SetItemIndex(2); // "b"
    SendMessageW(list->Handle(), WM_CHAR, L'\r', 0);
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(L"|b", ColText(grid, 1));
    EXPECT_EQ(-1, grid->FilterColumn());

    list->SetVisible(true);
    grid->SetFilterColumn(1);
    TPoint inside = list->ClientToScreen(TPoint{5, 5});
    SetCursorPos(inside.x, inside.y);
    list->Perform(CM_CANCELMODE, 0, 0);
    EXPECT_TRUE(list->Visible()); // the click was on the list
    SetCursorPos(inside.x + 400, inside.y + 300);
    list->Perform(CM_CANCELMODE, 0, 0);
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(-1, grid->FilterColumn());
}
