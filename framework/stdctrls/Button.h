#pragma once
// Push buttons over the system BUTTON class: TButtonControl is the base of the BUTTON-class
// controls, which keep their state and mirror it into the window, and react to the BN_CLICKED
// notification their parent reflects to them as CN_COMMAND; TButton adds Default, Cancel and
// ModalResult.
#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

// Base of the BUTTON-class controls.
class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* AOwner);

    virtual bool Checked() { return false; }
    virtual void SetChecked(bool Value) {}
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // Set while a click arrives that must not count (the focus taken by a mouse press).
    bool ClicksDisabled() const { return FClicksDisabled; }
    void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }
    // The side the check mark's text is on, in the reading order of the control.
    virtual TAlignment GetControlsAlignment() { return taLeftJustify; }

    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;

protected:
    bool FClicksDisabled = false;
    bool FWordWrap = false;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);

    // Enter clicks the default button (when no other button has the focus).
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    // Escape clicks a cancel button.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    // Clicking sets the parent form's ModalResult (which ends a modal form).
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    // The button is the one Enter clicks now.
    bool Active() const { return FActive; }

    // Shows the button as the default one or not (BS_DEFPUSHBUTTON).
    virtual void SetButtonStyle(bool ADefault);
    void Click() override;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNCommand(TMessage& Message);
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;

protected:
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    TModalResult FModalResult = mrNone;
};
