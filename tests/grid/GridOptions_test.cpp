// The grid's option groups: their start values, which setters report a change (and to whom),
// what Assign copies, and the grid reacting to the reports it is wired to.
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

// Counts the reports of one event from the moment it is watched.
struct TWatch {
    int Count = 0;
    explicit TWatch(TNotifyEvent& Event)
    {
        Event = [this](TObject*) { ++Count; };
    }
};

TEST(SearchFooter, CaptionsOnlyForADesignedGridAndButtonsAlwaysShown)
{
    TSearchFooter code(nullptr, false), designed(nullptr, true);
    EXPECT_EQ(L"", code.FindNextCaption());
    EXPECT_EQ(L"", code.HintClose());
    EXPECT_TRUE(code.ShowFindNext() && code.ShowFindPrev() && code.ShowMatchCase() && code.ShowHighLight() &&
                code.ShowClose());
    EXPECT_EQ(L"Find &next", designed.FindNextCaption());
    EXPECT_EQ(L"Find &previous", designed.FindPrevCaption());
    EXPECT_EQ(L"Match case", designed.MatchCaseCaption());
    EXPECT_EQ(L"Highlight", designed.HighLightCaption());
    EXPECT_EQ(L"Close", designed.HintClose());
    EXPECT_EQ(L"Find next occurrence", designed.HintFindNext());
    EXPECT_EQ(L"Find previous occurrence", designed.HintFindPrev());
    EXPECT_EQ(L"Highlight occurrences", designed.HintHighlight());
    EXPECT_EQ(static_cast<TColor>(0xFFFFFF), code.Color());
    EXPECT_EQ(clBtnFace, code.ColorTo());
    EXPECT_TRUE(code.AutoSearch());
    EXPECT_EQ(-1, code.SearchColumn());
    EXPECT_FALSE(code.Visible());
}

TEST(SearchFooter, SwitchesReportChangesTheRestReportEverySetting)
{
    TSearchFooter footer(nullptr, false);
    TWatch watch(footer.OnChange);
    struct Case {
        const char* Name;
        std::function<void()> Set;
        int Reports;
    } cases[] = {
        {"ShowFindNext unchanged", [&] { footer.SetShowFindNext(true); }, 0},
        {"ShowFindNext changed", [&] { footer.SetShowFindNext(false); }, 1},
        {"ShowHighLight unchanged", [&] { footer.SetShowHighLight(true); }, 0},
        {"Visible unchanged", [&] { footer.SetVisible(false); }, 0},
        {"Visible changed", [&] { footer.SetVisible(true); }, 1},
        {"Color unchanged", [&] { footer.SetColor(footer.Color()); }, 1},
        {"ShowClose unchanged", [&] { footer.SetShowClose(true); }, 1},
        {"caption", [&] { footer.SetFindNextCaption(L""); }, 1},
        {"hint", [&] { footer.SetHintClose(L"x"); }, 1},
        {"search column", [&] { footer.SetSearchColumn(2); }, 1},
        {"font", [&] { footer.SetFont(footer.Font()); }, 1},
        {"theme", [&] { footer.SetAutoThemeAdapt(true); }, 1},
    };
    for (const Case& c : cases) {
        watch.Count = 0;
        c.Set();
        EXPECT_EQ(c.Reports, watch.Count) << c.Name;
    }
    EXPECT_EQ(2, footer.SearchColumn());
}

TEST(SearchFooter, AssignSkipsAutoSearchAndFixedCellsAndReportsNothing)
{
    TSearchFooter from(nullptr, true), to(nullptr, false);
    from.SetAutoSearch(false);
    from.SetSearchFixedCells(true);
    from.SetColor(clRed);
    from.SetSearchDirection(sdLeftRight);
    from.Font()->SetSize(15);
    TWatch watch(to.OnChange);
    to.Assign(&from);
    EXPECT_EQ(clRed, to.Color());
    EXPECT_EQ(sdLeftRight, to.SearchDirection());
    EXPECT_EQ(L"Find &next", to.FindNextCaption());
    EXPECT_EQ(15, to.Font()->Size());
    EXPECT_TRUE(to.AutoSearch());
    EXPECT_FALSE(to.SearchFixedCells());
    EXPECT_EQ(0, watch.Count);
}

TEST(Navigation, AdvanceSettingsReportAndAutoAdvanceImpliesEnter)
{
    TNavigation nav;
    EXPECT_TRUE(nav.AllowClipboardRowGrow && nav.SkipFixedCells && nav.CursorWalkAlwaysEdit && nav.ComboGetUpDown);
    EXPECT_FALSE(nav.AllowInsertRow || nav.AdvanceOnEnter || nav.AdvanceInsert() || nav.AdvanceAuto());
    EXPECT_EQ(adLeftRight, nav.AdvanceDirection());
    EXPECT_EQ(heFirstLastColumn, nav.HomeEndKey);
    TWatch watch(nav.OnChange);
    nav.SetAdvanceDirection(adLeftRight);
    nav.SetAdvanceInsert(false);
    EXPECT_EQ(0, watch.Count);
    nav.SetAdvanceDirection(adTopBottom);
    nav.SetAdvanceInsert(true);
    EXPECT_EQ(2, watch.Count);
    nav.SetAdvanceAuto(true);
    EXPECT_TRUE(nav.AdvanceOnEnter);
    nav.SetAdvanceAuto(false);
    EXPECT_TRUE(nav.AdvanceOnEnter) << "switching it off leaves Enter advancing";
    EXPECT_EQ(2, watch.Count);

    TNavigation copy;
    nav.KeepScrollOnSort = true;
    nav.AllowDeleteRow = true;
    copy.Assign(&nav);
    EXPECT_EQ(adTopBottom, copy.AdvanceDirection());
    EXPECT_TRUE(copy.AdvanceInsert());
    EXPECT_TRUE(copy.AllowDeleteRow);
    EXPECT_FALSE(copy.KeepScrollOnSort);
}

TEST(MouseActions, ReportsOfTheSettingsWithConsequences)
{
    TMouseActions mouse(nullptr);
    EXPECT_TRUE(mouse.AutoSizeColOnDblClick && mouse.PreciseNodeClick);
    EXPECT_EQ(waMoveSelection, mouse.WheelAction());
    TWatch invalidate(mouse.OnInvalidate), noEdit(mouse.OnDisableEdit), change(mouse.OnChange);

    mouse.SetHotmailRowSelect(true);
    EXPECT_TRUE(mouse.DisjunctRowSelect() && mouse.CheckAllCheck);
    mouse.SetDisjunctRowSelect(false);
    mouse.CheckAllCheck = false;
    mouse.SetHotmailRowSelect(false);
    EXPECT_FALSE(mouse.DisjunctRowSelect() || mouse.CheckAllCheck) << "off leaves them as they were";
    EXPECT_EQ(2, invalidate.Count);

    mouse.SetEditOnDblClickOnly(false);
    EXPECT_EQ(0, noEdit.Count);
    mouse.SetEditOnDblClickOnly(true);
    EXPECT_EQ(1, noEdit.Count);

    mouse.SetWheelAction(waMoveSelection);
    EXPECT_EQ(0, change.Count);
    mouse.SetWheelAction(waScroll);
    EXPECT_EQ(1, change.Count);
}

TEST(MouseActions, DisjunctSelectionsExcludeEachOtherOnlyWhileDesigning)
{
    for (bool designing : {false, true}) {
        SCOPED_TRACE(designing ? "designing" : "running");
        TMouseActions mouse(nullptr);
        mouse.OnIsDesigning = [designing](TObject*, bool& IsDesigning) { IsDesigning = designing; };
        mouse.SetDisjunctRowSelect(true);
        mouse.SetDisjunctColSelect(true);
        EXPECT_EQ(!designing, mouse.DisjunctRowSelect());
        mouse.SetDisjunctCellSelect(true);
        EXPECT_EQ(!designing, mouse.DisjunctColSelect());
        EXPECT_TRUE(mouse.DisjunctCellSelect());
    }
}

TEST(MouseActions, AssignSkipsTheThreeThatActOnTheGrid)
{
    TMouseActions from(nullptr), to(nullptr);
    from.SetHotmailRowSelect(true); // also the disjunct rows and check-all
    from.SetEditOnDblClickOnly(true);
    from.SizeFixedRow = true;
    from.SizeFixedCol = true;
    from.WheelIncrement = 3;
    TWatch change(to.OnChange), invalidate(to.OnInvalidate);
    to.Assign(&from);
    EXPECT_FALSE(to.HotmailRowSelect());
    EXPECT_FALSE(to.EditOnDblClickOnly());
    EXPECT_FALSE(to.SizeFixedRow);
    EXPECT_TRUE(to.DisjunctRowSelect() && to.CheckAllCheck && to.SizeFixedCol);
    EXPECT_EQ(3, to.WheelIncrement);
    EXPECT_EQ(0, change.Count + invalidate.Count);
}

TEST(Bands, LengthsKeepTheTotalAndReportOnlyWhileActive)
{
    TBands bands;
    EXPECT_EQ(clInfoBk, bands.PrimaryColor());
    EXPECT_EQ(clWindow, bands.SecondaryColor());
    EXPECT_EQ(2, bands.TotalLength());
    TWatch watch(bands.OnChange);
    bands.SetPrimaryLength(3);
    bands.SetSecondaryColor(clRed);
    EXPECT_EQ(4, bands.TotalLength());
    EXPECT_EQ(0, watch.Count);
    bands.SetActive(true);
    bands.SetActive(true);
    EXPECT_EQ(1, watch.Count);
    bands.SetSecondaryLength(2);
    bands.SetSecondaryLength(2);
    bands.SetPrimaryColor(clAqua);
    EXPECT_EQ(5, bands.TotalLength());
    EXPECT_EQ(3, watch.Count);

    TBands copy;
    TWatch copyWatch(copy.OnChange);
    copy.Assign(&bands);
    EXPECT_TRUE(copy.Active());
    EXPECT_EQ(3, copy.PrimaryLength());
    EXPECT_EQ(clAqua, copy.PrimaryColor());
    EXPECT_EQ(2, copy.TotalLength()) << "the total is not recomputed";
    EXPECT_EQ(0, copyWatch.Count);
}

class GridOptions : public GridTest {};

TEST_F(GridOptions, SyncGridNeverFollowsItsOwnGrid)
{
    TCountingGrid* a = Add();
    TCountingGrid* b = Add();
    TCountingGrid* c = Add();
    a->SyncGrid()->SetGrid(a);
    EXPECT_EQ(nullptr, a->SyncGrid()->Grid());
    TSyncGrid source(c);
    source.SetGrid(a);
    source.MoveRow = true;
    b->SyncGrid()->SetGrid(c);
    a->SyncGrid()->Assign(&source); // the source's grid is the target's owner
    EXPECT_EQ(nullptr, a->SyncGrid()->Grid());
    EXPECT_TRUE(a->SyncGrid()->MoveRow);
    b->SyncGrid()->Assign(&source);
    EXPECT_EQ(a, b->SyncGrid()->Grid());
    TFocusHelper helper(nullptr);
    helper.Enabled = true;
    a->FocusHelper()->Assign(&helper);
    EXPECT_TRUE(a->FocusHelper()->Enabled);
}

// The reports reach the grid: the search footer lays out the search panel, bands repaint.
TEST_F(GridOptions, TheGridFollowsTheReportsOfItsOptions)
{
    TCountingGrid* grid = Add(4, 6);
    ShowForm();
    grid->SearchFooter()->SetVisible(true);
    EXPECT_TRUE(grid->SearchPanel()->Visible());
    EXPECT_EQ(32, grid->SearchPanel()->Height());
    grid->SearchFooter()->SetColor(clYellow);
    EXPECT_EQ(clYellow, grid->SearchPanel()->Color());
    grid->SearchFooter()->SetVisible(false);
    EXPECT_FALSE(grid->SearchPanel()->Visible());

    PumpFor(50);
    const int before = grid->Paints;
    grid->Bands()->SetActive(true);
    PumpFor(50);
    EXPECT_GT(grid->Paints, before);
}

} // namespace
