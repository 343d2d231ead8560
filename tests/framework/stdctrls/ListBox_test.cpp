// List boxes: selection, geometry and clicks, and owner drawing through OnDrawItem.
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/WinListStrings.h"

#include <map>
#include <vector>

#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

TEST_F(ComboBoxes, ListBoxSelectionGeometryAndClicks)
{
    auto* list = Add<TListBox>(Form, 10, 10, 120, 100);
    for (const wchar_t* s : {L"one", L"two", L"three", L"four"}) list->Items()->Add(s);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    ShowActive();

    list->SetItemIndex(2);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_TRUE(list->Selected(2));
    EXPECT_EQ(clicks, 0);
    TRect r = list->ItemRect(1);
    EXPECT_EQ(list->ItemAtPos(TPoint{r.left + 2, r.top + 1}, true), 1);
    EXPECT_EQ(list->ItemAtPos(TPoint{5, 95}, true), -1);
    EXPECT_EQ(list->ItemAtPos(TPoint{5, 95}, false), 4);
    ClickAt(list->Handle(), r.left + 2, r.top + 1);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);

    list->SetMultiSelect(true);
    EXPECT_EQ(list->Items()->Count(), 4);
    list->SetSelected(0, true);
    list->SetSelected(3, true);
    EXPECT_EQ(list->SelCount(), 2);
    list->DeleteSelected();
    EXPECT_EQ(list->Items()->ToVector(), (std::vector<String>{L"two", L"three"}));
}

TEST_F(ComboBoxes, OwnerDrawnListDrawsEveryVisibleItemThroughOnDrawItem)
{
    auto* list = Add<TListBox>(Form, 10, 10, 120, 100);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(20);
    for (const wchar_t* s : {L"a", L"b", L"c"}) list->Items()->Add(s);
    list->SetItemIndex(1);
    std::map<int, TOwnerDrawState> drawn;
    list->OnDrawItem = [&](TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State) {
        drawn[Index] = State;
        EXPECT_EQ(Rect.bottom - Rect.top, 20);
        static_cast<TListBox*>(Control)->Canvas()->FillRect(Rect);
    };
    ShowActive();
    list->Repaint();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_TRUE(drawn[1].Contains(odSelected));
    EXPECT_FALSE(drawn[0].Contains(odSelected));
    EXPECT_EQ(list->ItemHeight(), 20);
}

} // namespace
