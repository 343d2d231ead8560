// List and tree views: items and columns mirrored into the window (before and after it exists,
// and across a new window), selection and check boxes from clicks and code with their events,
// and tree expansion and selection that the events may refuse.
#include "framework/comctrls/ListView.h"
#include "framework/comctrls/TreeView.h"

#include <string>
#include <vector>

#include "tests/framework/stdctrls/StdControlsTestSupport.h"

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

class TreeViews : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Tree = Add<TTreeView>(Form, 10, 10, 200, 200);
        Solar = Tree->Items()->Add(nullptr, L"阳历");
        Lunar = Tree->Items()->Add(nullptr, L"阴历");
        Tree->Items()->AddChild(Solar, L"元旦");
        Tree->Items()->AddChild(Solar, L"国庆节");
        Tree->Items()->AddChildFirst(Lunar, L"除夕");
        Tree->Items()->Insert(Lunar, L"Between");
        Tree->OnExpanding = [this](TObject*, TTreeNode* node, bool& allow) {
            Log.push_back(L"expanding " + node->Text());
            allow = AllowExpand;
        };
        Tree->OnChanging = [this](TObject*, TTreeNode* node, bool& allow) {
            Log.push_back(L"changing " + node->Text());
            allow = AllowChange;
        };
        Tree->OnChange = [this](TObject*, TTreeNode* node) { Log.push_back(L"change " + node->Text()); };
    }
    TTreeView* Tree = nullptr;
    TTreeNode* Solar = nullptr;
    TTreeNode* Lunar = nullptr;
    std::vector<String> Log;
    bool AllowExpand = true;
    bool AllowChange = true;
};

TEST_F(TreeViews, NodesKeepTheirOrderAndParents)
{
    TTreeNodes* items = Tree->Items();
    EXPECT_EQ(items->Count(), 6);
    std::vector<String> texts;
    for (int i = 0; i < items->Count(); ++i) texts.push_back(items->Item(i)->Text());
    EXPECT_EQ(texts, (std::vector<String>{L"阳历", L"元旦", L"国庆节", L"Between", L"阴历", L"除夕"}));
    EXPECT_EQ(items->Item(5)->Parent(), Lunar);
    EXPECT_EQ(items->Item(5)->Level(), 1);
    EXPECT_EQ(Lunar->Index(), 2);
    EXPECT_EQ(Lunar->AbsoluteIndex(), 4);
    ShowActive();
    EXPECT_EQ(SendMessageW(Tree->Handle(), TVM_GETCOUNT, 0, 0), 6);
    TTreeNode* added = items->AddChild(Lunar, L"中秋节");
    EXPECT_EQ(SendMessageW(Tree->Handle(), TVM_GETCOUNT, 0, 0), 7);
    TRect label = Lunar->DisplayRect(true);
    EXPECT_EQ(Tree->GetNodeAt((label.left + label.right) / 2, (label.top + label.bottom) / 2), Lunar);
    Solar->Item(1)->Delete();
    EXPECT_EQ(items->Count(), 6);
    EXPECT_EQ(SendMessageW(Tree->Handle(), TVM_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(added->Parent(), Lunar);
    items->Clear();
    EXPECT_EQ(items->Count(), 0);
    EXPECT_EQ(SendMessageW(Tree->Handle(), TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeViews, ExpandingAndSelectingAskTheEvents)
{
    ShowActive();
    Tree->SetFocus();
    Tree->SetSelected(Solar);
    EXPECT_EQ(Log, (std::vector<String>{L"changing 阳历", L"change 阳历"}));
    Log.clear();
    // The user opens the node with the keyboard.
    SendMessageW(Tree->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_TRUE(Solar->Expanded());
    AllowExpand = false;
    Lunar->Expand(false);
    EXPECT_FALSE(Lunar->Expanded());
    EXPECT_EQ(Log, (std::vector<String>{L"expanding 阳历", L"expanding 阴历"}));

    AllowChange = false;
    Log.clear();
    SendMessageW(Tree->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(Tree->Selected(), Solar);
    EXPECT_EQ(Log, (std::vector<String>{L"changing 元旦"}));

    // A new window keeps expansion and selection, and says nothing about it.
    AllowChange = true;
    Log.clear();
    Tree->SetShowLines(false);
    EXPECT_TRUE(Solar->Expanded());
    EXPECT_FALSE(Lunar->Expanded());
    EXPECT_EQ(Tree->Selected(), Solar);
    EXPECT_TRUE(Log.empty());
}

} // namespace
