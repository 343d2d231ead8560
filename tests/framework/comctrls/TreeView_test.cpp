// Tree views: node order and parents, and expansion and selection that the events may refuse.
#include "framework/comctrls/TreeView.h"

#include <string>
#include <vector>

#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

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
