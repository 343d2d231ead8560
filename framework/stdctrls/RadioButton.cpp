#include "framework/stdctrls/RadioButton.h"

#include <algorithm>
#include <vector>

namespace {

bool IsArrowKey(WPARAM Key)
{
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

} // namespace

// ---- TRadioButton ---------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetAlignment(TLeftRight Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (HandleAllocated()) RecreateWnd();
}

TAlignment TRadioButton::GetControlsAlignment()
{
    return UseRightToLeftAlignment() ? MirrorAlignment(FAlignment) : FAlignment;
}

void TRadioButton::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    Params.Style |= BS_RADIOBUTTON;
    if (GetControlsAlignment() == taLeftJustify) Params.Style |= BS_LEFTTEXT;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TRadioButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value)
{
    if (FChecked == Value) return;
    FChecked = Value;
    // Only the checked button of a group is a tab stop: Tab enters the group at its choice.
    SetTabStop(Value);
    if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!Value) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
            if (sibling != nullptr && sibling != this) sibling->SetChecked(false);
        }
    }
    Perform(CM_CHANGED);
    if (!FClicksDisabled) Click();
}

void TRadioButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case CM_WANTSPECIALKEY:
        // Arrows stay with the button, which moves the check itself (see KeyDown).
        if (IsArrowKey(Message.WParam)) {
            Message.Result = 1;
            return;
        }
        break;
    }
    TButtonControl::Dispatch(Message);
}

void TRadioButton::CNCommand(TMessage& Message)
{
    switch (Message.WParamHi()) {
    case BN_CLICKED: SetChecked(true); break;
    case BN_DOUBLECLICKED: DblClick(); break;
    }
}

void TRadioButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

void TRadioButton::KeyDown(WORD& Key, TShiftState Shift)
{
    TButtonControl::KeyDown(Key, Shift);
    if (!IsArrowKey(Key) || Parent() == nullptr) return;
    std::vector<TRadioButton*> group;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* radio = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
        if (radio != nullptr && (radio == this || (radio->Visible() && radio->Enabled()))) group.push_back(radio);
    }
    std::stable_sort(group.begin(), group.end(), [](TRadioButton* a, TRadioButton* b) { return a->TabOrder() < b->TabOrder(); });
    if (group.size() < 2) return;
    auto here = std::find(group.begin(), group.end(), this) - group.begin();
    int step = (Key == VK_LEFT || Key == VK_UP) ? -1 : 1;
    int count = static_cast<int>(group.size());
    TRadioButton* next = group[static_cast<size_t>((here + step + count) % count)];
    Key = 0;
    next->SetFocus();
    next->SetChecked(true);
}
