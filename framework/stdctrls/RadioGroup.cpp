#include "framework/stdctrls/RadioGroup.h"

#include <algorithm>

namespace {

bool IsLoading(TComponent* Component)
{
    return Component->ComponentState().Contains(csLoading) || Component->ComponentState().Contains(csReading);
}

} // namespace

// ---- TGroupButton ---------------------------------------------------------------------------

TGroupButton::TGroupButton(TCustomRadioGroup* RadioGroup) : TRadioButton(RadioGroup), FGroup(RadioGroup)
{
    FGroup->FButtons.push_back(this);
    SetVisible(false);
    SetEnabled(RadioGroup->Enabled());
    SetParentShowHint(false);
    OnClick = [this](TObject* Sender) { FGroup->ButtonClick(Sender); };
    SetParent(RadioGroup);
}

TGroupButton::~TGroupButton()
{
    auto& buttons = FGroup->FButtons;
    buttons.erase(std::remove(buttons.begin(), buttons.end(), this), buttons.end());
}

void TGroupButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        if (FInClick) return;
        FInClick = true;
        WORD code = Message.WParamHi();
        if ((code == BN_CLICKED || code == BN_DOUBLECLICKED) && FGroup->CanModify()) TRadioButton::Dispatch(Message);
        FInClick = false;
        return;
    }
    TRadioButton::Dispatch(Message);
}

void TGroupButton::KeyDown(WORD& Key, TShiftState Shift)
{
    FGroup->KeyDown(Key, Shift);
    if (Key == 0) return;
    if ((Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) && !FGroup->CanModify()) {
        Key = 0;
        return;
    }
    TRadioButton::KeyDown(Key, Shift);
}

void TGroupButton::KeyPress(wchar_t& Key)
{
    TRadioButton::KeyPress(Key);
    FGroup->KeyPress(Key);
    if ((Key == L'\b' || Key == L' ') && !FGroup->CanModify()) Key = 0;
}

// ---- TCustomRadioGroup ----------------------------------------------------------------------

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csParentBackground};
    FItems->OnChange = [this](TObject* Sender) { ItemsChange(Sender); };
}

TCustomRadioGroup::~TCustomRadioGroup()
{
    FItems->OnChange = nullptr;
    SetButtonCount(0);
}

void TCustomRadioGroup::SetButtonCount(int Value)
{
    while (static_cast<int>(FButtons.size()) < Value) new TGroupButton(this);
    while (static_cast<int>(FButtons.size()) > Value) delete FButtons.back();
}

void TCustomRadioGroup::UpdateButtons()
{
    SetButtonCount(FItems->Count());
    for (int i = 0; i < static_cast<int>(FButtons.size()); ++i) {
        FButtons[static_cast<size_t>(i)]->SetCaption(FItems->Strings(i));
        FButtons[static_cast<size_t>(i)]->SetWordWrap(FWordWrap);
    }
    if (FItemIndex >= 0 && FItemIndex < static_cast<int>(FButtons.size())) {
        FUpdating = true;
        FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(true);
        FUpdating = false;
    }
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::ItemsChange(TObject*)
{
    if (IsLoading(this)) return;
    if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
    UpdateButtons();
}

void TCustomRadioGroup::ButtonClick(TObject* Sender)
{
    if (FUpdating) return;
    auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
    FItemIndex = it == FButtons.end() ? -1 : static_cast<int>(it - FButtons.begin());
    Perform(CM_CHANGED);
    Click();
}

void TCustomRadioGroup::SetItemIndex(int Value)
{
    if (IsLoading(this)) {
        FItemIndex = Value;
        return;
    }
    Value = std::clamp(Value, -1, static_cast<int>(FButtons.size()) - 1);
    if (FItemIndex == Value) return;
    if (FItemIndex >= 0 && FItemIndex < static_cast<int>(FButtons.size()))
        FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(false);
    FItemIndex = Value;
    if (FItemIndex >= 0) FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(true);
}

void TCustomRadioGroup::SetColumns(int Value)
{
    Value = std::clamp(Value, 1, 16);
    if (FColumns == Value) return;
    FColumns = Value;
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    for (TGroupButton* b : FButtons) b->SetWordWrap(Value);
}

void TCustomRadioGroup::ArrangeButtons()
{
    if (FButtons.empty() || IsLoading(this)) return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int count = static_cast<int>(FButtons.size());
    int perColumn = (count + FColumns - 1) / FColumns;
    int buttonWidth = (Width() - 10) / FColumns;
    int room = Height() - tm.tmHeight - 5;
    int buttonHeight = room / perColumn;
    int topMargin = tm.tmHeight + 1 + (room % perColumn) / 2;
    for (int i = 0; i < count; ++i) {
        TGroupButton* b = FButtons[static_cast<size_t>(i)];
        b->SetBiDiMode(BiDiMode());
        int left = (i / perColumn) * buttonWidth + 8;
        if (UseRightToLeftAlignment()) left = ClientWidth() - left - buttonWidth;
        b->SetBounds(left, (i % perColumn) * buttonHeight + topMargin, buttonWidth, buttonHeight);
        b->SetVisible(true);
    }
}

void TCustomRadioGroup::Loaded()
{
    TCustomGroupBox::Loaded();
    if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
    UpdateButtons();
}

void TCustomRadioGroup::CMEnabledChanged(TMessage& Message)
{
    TCustomGroupBox::CMEnabledChanged(Message);
    for (TGroupButton* b : FButtons) b->SetEnabled(Enabled());
}

void TCustomRadioGroup::CMFontChanged(TMessage& Message)
{
    TCustomGroupBox::CMFontChanged(Message);
    ArrangeButtons();
}

void TCustomRadioGroup::WMSize(TMessage& Message)
{
    TCustomGroupBox::WMSize(Message);
    ArrangeButtons();
}
