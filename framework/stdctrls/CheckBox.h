#pragma once
// TCheckBox: a BUTTON-class check box, two- or three-state.
#include "framework/stdctrls/Button.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);

    // taRightJustify: the text is right of the box (the default).
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    TCheckBoxState State() const { return FState; }
    // A change fires OnClick (unless clicks are disabled).
    void SetState(TCheckBoxState Value);
    bool Checked() override { return FState == cbChecked; }
    void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
    TAlignment GetControlsAlignment() override;

    // The user's click: unchecked -> checked (or grayed when allowed) -> unchecked.
    virtual void Toggle();
    void Click() override;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNCommand(TMessage& Message);
    void CMDialogChar(TMessage& Message) override;

protected:
    TLeftRight FAlignment = taRightJustify;
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
};
