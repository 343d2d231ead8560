#pragma once
// TRadioGroup: a group box that makes one radio button (TGroupButton) per item, in columns.
#include <vector>

#include "framework/stdctrls/GroupBox.h"
#include "framework/stdctrls/RadioButton.h"
#include "framework/classes/StringList.h"

class TCustomRadioGroup;

// A radio button a radio group made for one of its items.
class TGroupButton : public TRadioButton {
public:
    explicit TGroupButton(TCustomRadioGroup* RadioGroup);
    ~TGroupButton() override;

    void Dispatch(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;

private:
    TCustomRadioGroup* FGroup;
    bool FInClick = false;
};

class TCustomRadioGroup : public TCustomGroupBox {
public:
    explicit TCustomRadioGroup(TComponent* AOwner);
    ~TCustomRadioGroup() override;

    // One radio button per line; changes rebuild the buttons.
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    // The checked item, -1 for none; setting it checks that button (which fires OnClick).
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TGroupButton* Buttons(int Index) const { return FButtons.at(static_cast<size_t>(Index)); }

    // False refuses a change by the user (a read-only group answers false).
    virtual bool CanModify() { return true; }
    // Places the buttons in columns over the client area.
    void ArrangeButtons();

    void Loaded() override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void WMSize(TMessage& Message) override;

protected:
    friend class TGroupButton;
    void ButtonClick(TObject* Sender);
    void ItemsChange(TObject* Sender);
    void SetButtonCount(int Value);
    void UpdateButtons();

    std::vector<TGroupButton*> FButtons;
    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
    bool FWordWrap = false;
};

class TRadioGroup : public TCustomRadioGroup {
public:
    using TCustomRadioGroup::TCustomRadioGroup;
};
