#pragma once
// TUpDown over msctls_updown32, optionally bound to an associated control whose text it keeps in
// step; its notifications reach it reflected by its parent and become OnChanging and OnClick.
#include <windows.h>
#include <commctrl.h>
#include <functional>

#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/controls/Controls.h"

enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };
enum TUpDownDirection { updNone, updUp, updDown };

using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TUDChangingEventEx =
    std::function<void(TObject* Sender, bool& AllowChange, int NewValue, TUpDownDirection Direction)>;

class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* AOwner);

    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Position() const;
    void SetPosition(int Value);
    // Step of one click or arrow key.
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value);
    // The control (an edit) that shows the position.
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* Value);
    TUDAlignButton AlignButton() const { return FAlignButton; }
    void SetAlignButton(TUDAlignButton Value);
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool Value);
    bool Thousands() const { return FThousands; }
    void SetThousands(bool Value);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    // Past one end the position continues at the other.
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    // OnChanging / OnChangingEx; false keeps the position.
    virtual bool CanChange(int NewValue, int Delta);
    virtual void Click(TUDBtnType Button);

    // Hides TControl::OnClick: an up-down reports which button was used.
    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;
    TUDChangingEventEx OnChangingEx;

private:
    void StyleChanged();

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    TWinControl* FAssociate = nullptr;
    TUDAlignButton FAlignButton = udRight;
    bool FArrowKeys = true;
    bool FThousands = true;
    TUDOrientation FOrientation = udVertical;
    bool FWrap = false;
    int FLastDelta = 0;
};
