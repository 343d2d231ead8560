#pragma once
// TGroupBox: a container framed with a caption.
#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);

    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMCtl3DChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
};
