// Combo boxes: OnChange for typing and for picking (and the order of OnDropDown, OnSelect and
// OnCloseUp), nothing for changes made in code, auto-completion, the keys of the inner edit
// reaching the control, and items kept across window re-creation.
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/WinListStrings.h"

#include <algorithm>
#include <vector>

#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

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

} // namespace
