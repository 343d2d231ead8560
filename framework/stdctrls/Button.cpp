#include "framework/stdctrls/Button.h"

// ---- TButtonControl -------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TButtonControl::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TButtonControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    if (FWordWrap) Params.Style |= BS_MULTILINE;
}

void TButtonControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The click that brings the focus must not also count as a change (a radio button
        // would be checked by the focus alone).
        if (!ComponentState().Contains(csDesigning) && !Focused()) {
            FClicksDisabled = true;
            ::SetFocus(Handle());
            FClicksDisabled = false;
            if (!Focused()) return;
        }
        break;
    case CN_COMMAND:
        if (FClicksDisabled) return;
        break;
    }
    TWinControl::WndProc(Message);
}

// ---- TButton --------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    FActive = FDefault;
}

void TButton::SetButtonStyle(bool ADefault)
{
    if (!HandleAllocated()) return;
    DWORD style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongW(Handle(), GWL_STYLE) & 0x0F) != style) SendMessageW(Handle(), BM_SETSTYLE, style, 1);
}

void TButton::SetDefault(bool Value)
{
    FDefault = Value;
    FActive = Value;
    if (HandleAllocated()) {
        TCustomForm* form = GetParentForm(this);
        if (form != nullptr) form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
        else SetButtonStyle(Value);
    }
}

void TButton::Click()
{
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr) form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        CNCommand(Message);
        return;
    }
    TButtonControl::Dispatch(Message);
}

void TButton::CNCommand(TMessage& Message)
{
    if (Message.WParamHi() == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& Message)
{
    WPARAM key = Message.WParam;
    if (((key == VK_RETURN && FActive) || (key == VK_ESCAPE && FCancel)) && KeyDataToShiftState(Message.LParam).Empty() &&
        CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogKey(Message);
}

void TButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

void TButton::CMFocusChanged(TMessage& Message)
{
    // A focused button is the one Enter clicks; while anything else has the focus, the default one is.
    auto* sender = reinterpret_cast<TWinControl*>(Message.LParam);
    if (dynamic_cast<TButton*>(sender) != nullptr) FActive = sender == this;
    else FActive = FDefault;
    SetButtonStyle(FActive);
    TButtonControl::CMFocusChanged(Message);
}
