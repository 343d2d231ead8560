// List views: items and columns mirrored into the window (before and after it exists, and across
// a new window), and selection and check boxes from clicks and code with their events.
#include "framework/comctrls/ListView.h"

#include <string>
#include <vector>

#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

String ItemText(HWND View, int Item, int SubItem)
{
    wchar_t text[64] = {};
    LVITEMW info{};
    info.iSubItem = SubItem;
    info.pszText = text;
    info.cchTextMax = 64;
    SendMessageW(View, LVM_GETITEMTEXTW, static_cast<WPARAM>(Item), reinterpret_cast<LPARAM>(&info));
    return text;
}

class ListViews : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        View = new TListView(Form);
        View->SetViewStyle(vsReport);
        View->SetBounds(10, 10, 300, 150);
        for (const wchar_t* caption : {L"节日", L"日期"}) View->Columns()->Add()->SetCaption(caption);
        View->Columns()->Items(1)->SetWidth(120);
        View->Columns()->Items(1)->SetAlignment(taRightJustify);
        for (const wchar_t* name : {L"元旦", L"情人节", L"劳动节"}) {
            TListItem* item = View->Items()->Add();
            item->SetCaption(name);
            item->SubItems()->Add(String(name) + L"-date");
        }
        View->Items()->Item(1)->SetSelected(true);
        View->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
            Log.push_back((selected ? L"select " : L"unselect ") + item->Caption());
        };
        View->SetParent(Form);
        ShowActive();
    }
    void ClickItem(int Index)
    {
        TRect r = View->Items()->Item(Index)->DisplayRect();
        ClickAt(View->Handle(), r.left + 5, (r.top + r.bottom) / 2);
    }
    TListView* View = nullptr;
    std::vector<String> Log;
};

TEST_F(ListViews, ItemsAndColumnsReachTheWindow)
{
    HWND wnd = View->Handle();
    ASSERT_EQ(SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemText(wnd, 2, 0), L"劳动节");
    EXPECT_EQ(ItemText(wnd, 2, 1), L"劳动节-date");
    EXPECT_EQ(SendMessageW(wnd, LVM_GETCOLUMNWIDTH, 1, 0), 120);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    SendMessageW(wnd, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
    EXPECT_NE(FindWindowExW(wnd, nullptr, WC_HEADERW, nullptr), nullptr);
    EXPECT_EQ(View->Selected(), View->Items()->Item(1));
    EXPECT_EQ(View->ItemIndex(), 1);

    // Changes after the window exists go straight in.
    TListItem* item = View->Items()->Insert(0);
    item->SetCaption(L"除夕");
    item->SubItems()->Add(L"eve");
    EXPECT_EQ(ItemText(wnd, 0, 1), L"eve");
    item->SubItems()->SetStrings(0, L"new year's eve");
    EXPECT_EQ(ItemText(wnd, 0, 1), L"new year's eve");
    View->Items()->Item(2)->SetCaption(L"Valentine");
    EXPECT_EQ(ItemText(wnd, 2, 0), L"Valentine");
    View->Items()->Delete(3);
    EXPECT_EQ(SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0), 3);
    View->Columns()->Add()->SetCaption(L"Third");
    EXPECT_EQ(ItemText(wnd, 0, 1), L"new year's eve");

    // A new window gets everything back, the selection and the user's column width included.
    SendMessageW(wnd, LVM_SETCOLUMNWIDTH, 0, 77);
    View->SetMultiSelect(true);
    EXPECT_NE(View->Handle(), nullptr);
    EXPECT_EQ(SendMessageW(View->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemText(View->Handle(), 2, 0), L"Valentine");
    EXPECT_EQ(View->Columns()->Items(0)->Width(), 77);
    EXPECT_EQ(View->Selected(), View->Items()->Item(2));
    EXPECT_EQ(GetWindowLongW(View->Handle(), GWL_STYLE) & LVS_SINGLESEL, 0);
}

TEST_F(ListViews, ClicksAndCodeSelectWithEvents)
{
    ClickItem(2);
    EXPECT_EQ(View->Selected(), View->Items()->Item(2));
    EXPECT_EQ(Log, (std::vector<String>{L"unselect 情人节", L"select 劳动节"}));
    Log.clear();
    View->SetItemIndex(0);
    EXPECT_EQ(View->ItemIndex(), 0);
    EXPECT_EQ(Log, (std::vector<String>{L"unselect 劳动节", L"select 元旦"}));
    View->SetSelected(nullptr);
    EXPECT_EQ(View->SelCount(), 0);

    // OnChanging may keep the selection where it is.
    View->OnChanging = [](TObject*, TListItem*, TItemChange, bool& allow) { allow = false; };
    ClickItem(1);
    EXPECT_EQ(View->SelCount(), 0);
}

TEST_F(ListViews, CheckBoxesFollowTheItems)
{
    View->Items()->Item(0)->SetChecked(true);
    View->SetCheckboxes(true);
    EXPECT_TRUE(View->Items()->Item(0)->Checked());
    EXPECT_FALSE(View->Items()->Item(1)->Checked());
    EXPECT_NE(SendMessageW(View->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES, 0);
    std::vector<TItemChange> changes;
    View->OnChange = [&](TObject*, TListItem*, TItemChange change) { changes.push_back(change); };
    View->Items()->Item(1)->SetChecked(true);
    EXPECT_TRUE(View->Items()->Item(1)->Checked());
    EXPECT_FALSE(changes.empty());
    View->RecreateWnd();
    EXPECT_TRUE(View->Items()->Item(0)->Checked());
    EXPECT_TRUE(View->Items()->Item(1)->Checked());
    EXPECT_FALSE(View->Items()->Item(2)->Checked());

    View->SetRowSelect(true);
    View->SetGridLines(true);
    DWORD ex = static_cast<DWORD>(SendMessageW(View->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_NE(ex & LVS_EX_FULLROWSELECT, 0u);
    EXPECT_NE(ex & LVS_EX_GRIDLINES, 0u);
    View->SetViewStyle(vsList);
    EXPECT_EQ(GetWindowLongW(View->Handle(), GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
}

} // namespace
