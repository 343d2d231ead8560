#include "framework/stdctrls/CheckBox.h"

// ---- TCustomCheckBox ------------------------------------------------------------------------

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCustomCheckBox::SetAlignment(TLeftRight Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (HandleAllocated()) RecreateWnd();
}

TAlignment TCustomCheckBox::GetControlsAlignment()
{
    return UseRightToLeftAlignment() ? MirrorAlignment(FAlignment) : FAlignment;
}

void TCustomCheckBox::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    Params.Style |= BS_3STATE;
    if (GetControlsAlignment() == taLeftJustify) Params.Style |= BS_LEFTTEXT;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomCheckBox::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState Value)
{
    if (FState == Value) return;
    FState = Value;
    if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
    if (!FClicksDisabled) Click();
}

void TCustomCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::Click()
{
    Perform(CM_CHANGED);
    TButtonControl::Click();
}

void TCustomCheckBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        CNCommand(Message);
        return;
    }
    TButtonControl::Dispatch(Message);
}

void TCustomCheckBox::CNCommand(TMessage& Message)
{
    if (Message.WParamHi() == BN_CLICKED) Toggle();
}

void TCustomCheckBox::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}
