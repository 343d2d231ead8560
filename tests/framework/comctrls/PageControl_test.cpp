// Page controls: switching pages by a click on a tab (OnChanging may refuse, OnChange follows)
// and from code (no events), the page filling the display rectangle, hidden tabs that keep their
// pages, page order, Ctrl+Tab and the styles.
#include "framework/comctrls/PageControl.h"

#include <commctrl.h>
#include <string>
#include <vector>

#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class PageControls : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Pages = Add<TPageControl>(Form, 10, 10, 320, 200);
        for (const wchar_t* caption : {L"每月轮班", L"节日轮班", L"Third"}) {
            auto* sheet = new TTabSheet(Form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(Pages);
            Sheets.push_back(sheet);
        }
        Pages->OnChanging = [this](TObject*, bool& allow) {
            Log.push_back("changing " + std::to_string(Pages->ActivePageIndex()));
            allow = AllowChange;
        };
        Pages->OnChange = [this](TObject*) { Log.push_back("change " + std::to_string(Pages->ActivePageIndex())); };
        ShowActive();
    }

    // A click in the middle of tab Index, where the control says the tab is.
    void ClickTab(int Index)
    {
        TRect r = Pages->TabRect(Index);
        ASSERT_GT(r.right, r.left);
        ClickAt(Pages->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    std::vector<bool> VisiblePages() const
    {
        std::vector<bool> result;
        for (TTabSheet* s : Sheets) result.push_back(s->Visible());
        return result;
    }

    TPageControl* Pages = nullptr;
    std::vector<TTabSheet*> Sheets;
    std::vector<std::string> Log;
    bool AllowChange = true;
};

TEST_F(PageControls, FirstPageShowsInTheDisplayRectangle)
{
    EXPECT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_EQ(Pages->TabIndex(), 0);
    EXPECT_EQ(SendMessageW(Pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(VisiblePages(), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(IsWindowVisible(Sheets[0]->Handle()));

    RECT display{0, 0, Pages->Width(), Pages->Height()};
    SendMessageW(Pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    TRect page = Sheets[0]->BoundsRect();
    EXPECT_EQ(page.left, display.left);
    EXPECT_EQ(page.top, display.top + 2);
    EXPECT_EQ(page.right, display.right);
    EXPECT_EQ(page.bottom, display.bottom);
    // The tab row lies above the page.
    EXPECT_LE(Pages->TabRect(0).bottom, page.top);
}

TEST_F(PageControls, ClickOnATabAsksOnChangingThenChangesPage)
{
    ClickTab(2);
    EXPECT_EQ(Log, (std::vector<std::string>{"changing 0", "change 2"}));
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(VisiblePages(), (std::vector<bool>{false, false, true}));
    // The same page shows after OnChange: the active page follows the selected tab.
    EXPECT_TRUE(IsWindowVisible(Sheets[2]->Handle()));

    Log.clear();
    AllowChange = false;
    ClickTab(1);
    EXPECT_EQ(Log, (std::vector<std::string>{"changing 2"}));
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Pages->TabIndex(), 2);
}

TEST_F(PageControls, ActivePageFromCodeFiresNoEvents)
{
    Pages->SetActivePage(Sheets[1]);
    EXPECT_EQ(Pages->ActivePageIndex(), 1);
    EXPECT_EQ(Pages->TabIndex(), 1);
    EXPECT_EQ(VisiblePages(), (std::vector<bool>{false, true, false}));
    Pages->SetActivePageIndex(2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    Pages->SetActivePage(nullptr);
    EXPECT_EQ(Pages->ActivePage(), nullptr);
    EXPECT_EQ(Pages->TabIndex(), -1);
    EXPECT_TRUE(Log.empty());
    // A page of another control is not taken.
    auto* other = Add<TPageControl>(Form, 0, 0, 100, 100);
    auto* foreign = new TTabSheet(Form);
    foreign->SetPageControl(other);
    Pages->SetActivePage(foreign);
    EXPECT_EQ(Pages->ActivePage(), nullptr);
}

TEST_F(PageControls, HiddenTabsKeepTheirPages)
{
    Pages->SetActivePage(Sheets[1]);
    Sheets[1]->SetTabVisible(false);
    EXPECT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Pages->Tabs()->Count(), 2);
    EXPECT_EQ(SendMessageW(Pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(Sheets[1]->TabIndex(), -1);
    EXPECT_EQ(Sheets[2]->TabIndex(), 1);
    // The tab that takes the hidden one's place becomes the active page.
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Pages->FindNextPage(Sheets[0], true, true), Sheets[2]);
    EXPECT_EQ(Pages->FindNextPage(Sheets[0], true, false), Sheets[1]);

    Sheets[1]->SetTabVisible(true);
    EXPECT_EQ(Sheets[1]->TabIndex(), 1);
    EXPECT_EQ(Pages->Tabs()->Strings(1), L"节日轮班");
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Pages->TabIndex(), 2);

    // A caption change reaches the tab; moving a page moves its tab.
    Sheets[2]->SetCaption(L"Renamed");
    EXPECT_EQ(Pages->Tabs()->Strings(2), L"Renamed");
    Sheets[2]->SetPageIndex(0);
    EXPECT_EQ(Pages->Pages(0), Sheets[2]);
    EXPECT_EQ(Pages->Tabs()->Strings(0), L"Renamed");
    EXPECT_EQ(Pages->TabIndex(), 0);
    EXPECT_THROW(Sheets[2]->SetPageIndex(3), EListError);

    // A freed page leaves; the next one becomes active.
    delete Sheets[2];
    Sheets.erase(Sheets.begin() + 2);
    EXPECT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(Pages->Tabs()->Count(), 2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
}

TEST_F(PageControls, CtrlTabSelectsTheNextPageLikeAClick)
{
    TKeyState keys;
    keys.Down[VK_CONTROL] = true;
    Pages->SetFocus();
    EXPECT_EQ(Pages->Perform(CM_DIALOGKEY, VK_TAB, 0), 1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    keys.Down[VK_SHIFT] = true;
    Pages->Perform(CM_DIALOGKEY, VK_TAB, 0);
    Pages->Perform(CM_DIALOGKEY, VK_TAB, 0);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Log, (std::vector<std::string>{"changing 0", "change 1", "changing 1", "change 0", "changing 0", "change 2"}));
    // Without Ctrl the key is not the page control's.
    keys.Down.clear();
    EXPECT_EQ(Pages->Perform(CM_DIALOGKEY, VK_TAB, 0), 0);
}

TEST_F(PageControls, StylesReachTheWindowAndTheDisplayRectangleFollows)
{
    Pages->SetTabPosition(tpBottom);
    EXPECT_NE(GetWindowLongW(Pages->Handle(), GWL_STYLE) & TCS_BOTTOM, 0);
    EXPECT_EQ(Pages->TabIndex(), 0);
    EXPECT_EQ(Pages->Tabs()->Count(), 3);
    TRect page = Sheets[0]->BoundsRect();
    EXPECT_GE(Pages->TabRect(0).top, page.bottom);

    Pages->SetTabPosition(tpLeft);
    EXPECT_TRUE(Pages->MultiLine());
    EXPECT_NE(GetWindowLongW(Pages->Handle(), GWL_STYLE) & TCS_VERTICAL, 0);

    Pages->SetTabPosition(tpTop);
    Pages->SetStyle(tsButtons);
    Pages->SetTabWidth(90);
    LONG style = GetWindowLongW(Pages->Handle(), GWL_STYLE);
    EXPECT_NE(style & TCS_BUTTONS, 0);
    EXPECT_NE(style & TCS_FIXEDWIDTH, 0);
    TRect tab = Pages->TabRect(1);
    EXPECT_EQ(tab.right - tab.left, 90);
    EXPECT_EQ(Pages->IndexOfTabAt((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2), 1);
}

} // namespace
