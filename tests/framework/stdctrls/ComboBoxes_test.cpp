// Combo boxes and list boxes: OnChange for typing and for picking (and the order of OnDropDown,
// OnSelect and OnCloseUp), nothing for changes made in code, auto-completion, the keys of the
// inner edit reaching the control, items kept across window re-creation, owner drawing, and
// the list box's selection, geometry and clicks.
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/WinListStrings.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class ComboBoxes : public FormTest {
protected:
    TComboBox* MakeCombo(TComboBoxStyle Style)
    {
        auto* combo = Add<TComboBox>(Form, 10, 10, 120, 21);
        combo->SetStyle(Style);
        for (int year = 2012; year <= 2016; ++year) combo->Items()->Add(std::to_wstring(year));
        combo->OnChange = [this](TObject*) { Log.push_back(L"change"); };
        combo->OnDropDown = [this](TObject*) { Log.push_back(L"dropdown"); };
        combo->OnCloseUp = [this](TObject*) { Log.push_back(L"closeup"); };
        return combo;
    }
    std::vector<String> Log;
};

TEST_F(ComboBoxes, TypingInTheEditFiresOnChange)
{
    TComboBox* combo = MakeCombo(csDropDown);
    combo->SetAutoComplete(false);
    combo->HandleNeeded();
    ASSERT_NE(combo->EditHandle(), nullptr);
    ASSERT_NE(combo->ListHandle(), nullptr);
    TypeChars(combo->EditHandle(), L"x");
    EXPECT_EQ(Log, (std::vector<String>{L"change"}));
    EXPECT_EQ(combo->Text(), L"x");
    // Code changes nothing the user did: no event.
    Log.clear();
    combo->SetText(L"2014");
    combo->SetItemIndex(3);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(combo->Text(), L"2015");
}

TEST_F(ComboBoxes, PickingFiresDropDownSelectAndCloseUpInOrder)
{
    TComboBox* combo = MakeCombo(csDropDownList);
    ShowActive();
    combo->SetFocus();
    // Picking with the keyboard in the closed list: OnChange stands in for an unassigned OnSelect.
    SendMessageW(combo->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(Log, (std::vector<String>{L"change"}));

    Log.clear();
    combo->OnSelect = [this](TObject*) { Log.push_back(L"select"); };
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->DroppedDown());
    SendMessageW(combo->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    combo->SetDroppedDown(false);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), L"2013");
    ASSERT_FALSE(Log.empty());
    EXPECT_EQ(Log.front(), L"dropdown");
    EXPECT_EQ(Log.back(), L"closeup");
    EXPECT_EQ(std::count(Log.begin(), Log.end(), L"select"), 1);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), L"change"), 0);
}

TEST_F(ComboBoxes, AutoCompleteSelectsTheFirstMatchingItem)
{
    TComboBox* combo = MakeCombo(csDropDown);
    combo->HandleNeeded();
    TypeChars(combo->EditHandle(), L"2");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Text(), L"2012");
    EXPECT_EQ(combo->SelStart(), 1);
    EXPECT_EQ(combo->SelLength(), 3);
    TypeChars(combo->EditHandle(), L"014");
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), L"2014");
    EXPECT_EQ(Log, (std::vector<String>{L"change", L"change"}));
    // No item starts so: the character is the edit's, and counts as typing.
    Log.clear();
    combo->SetText(L"");
    SendMessageW(combo->Handle(), CB_SETEDITSEL, 0, 0);
    TypeChars(combo->EditHandle(), L"9");
    EXPECT_EQ(combo->Text(), L"9");
    EXPECT_EQ(Log, (std::vector<String>{L"change"}));
}

TEST_F(ComboBoxes, KeysOfTheInnerEditReachTheControl)
{
    TComboBox* combo = MakeCombo(csDropDown);
    combo->SetAutoComplete(false);
    std::vector<WORD> downs;
    combo->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { downs.push_back(Key); };
    combo->OnKeyPress = [&](TObject*, wchar_t& Key) {
        if (Key == L'q') Key = 0;
    };
    ShowActive();
    SetFocus(combo->EditHandle());
    EXPECT_EQ(Form->ActiveControl(), combo);
    EXPECT_TRUE(combo->Focused());
    SendMessageW(combo->EditHandle(), WM_KEYDOWN, 'A', 1);
    TypeChars(combo->EditHandle(), L"aqb");
    EXPECT_EQ(downs, (std::vector<WORD>{'A'}));
    EXPECT_EQ(combo->Text(), L"ab");
}

TEST_F(ComboBoxes, ItemsAndSelectionSurviveTheWindow)
{
    auto* combo = new TComboBox(Form);
    combo->Items()->Add(L"b");
    combo->Items()->Add(L"a");
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Items()->Count(), 2);
    combo->SetParent(Form);
    combo->HandleNeeded();
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), L"a");
    EXPECT_EQ(combo->Items()->IndexOf(L"B"), 0);
    // Sorting makes a new window that sorts what it is given.
    combo->SetSorted(true);
    EXPECT_EQ(combo->Items()->ToVector(), (std::vector<String>{L"a", L"b"}));
    combo->Items()->Add(L"0");
    EXPECT_EQ(combo->Items()->Strings(0), L"0");
    // Clearing the items keeps the typed text.
    combo->SetText(L"keep");
    combo->Items()->Clear();
    EXPECT_EQ(combo->Items()->Count(), 0);
    EXPECT_EQ(combo->Text(), L"keep");
    // The list styles pick an item by text.
    combo->Items()->Add(L"x");
    combo->SetStyle(csDropDownList);
    combo->SetText(L"x");
    EXPECT_EQ(combo->ItemIndex(), 0);
}

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
