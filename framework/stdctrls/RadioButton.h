#pragma once
// TRadioButton: a BUTTON-class radio button; the arrow keys move the check among its siblings.
#include "framework/stdctrls/Button.h"

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);

    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    bool Checked() override { return FChecked; }
    // Checking unchecks every other radio button of the same parent, takes the tab stop and
    // fires OnClick (unless clicks are disabled).
    void SetChecked(bool Value) override;
    TAlignment GetControlsAlignment() override;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNCommand(TMessage& Message);
    void CMDialogChar(TMessage& Message) override;
    // The arrow keys move the check to the previous or next radio button of the parent.
    void KeyDown(WORD& Key, TShiftState Shift) override;

protected:
    TLeftRight FAlignment = taRightJustify;
    bool FChecked = false;
};
