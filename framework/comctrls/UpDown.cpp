#include "framework/comctrls/UpDown.h"

#include <algorithm>

// ---- TUpDown -----------------------------------------------------------------------------

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks, csCaptureMouse, csSetCaption});
    int w = GetSystemMetrics(SM_CXVSCROLL), h = GetSystemMetrics(SM_CYVSCROLL);
    SetBounds(0, 0, w, h + h / 2);
}

int TUpDown::Position() const
{
    if (FHandle != nullptr) return static_cast<int>(SendMessageW(FHandle, UDM_GETPOS32, 0, 0));
    return FPosition;
}

void TUpDown::SetPosition(int Value)
{
    FPosition = Value;
    if (HandleAllocated()) {
        SendMessageW(Handle(), UDM_SETPOS32, 0, Value);
        FPosition = Position();
    } else if (FMin <= FMax)
        FPosition = std::clamp(Value, FMin, FMax);
}

void TUpDown::SetMin(int Value)
{
    if (FMin == Value) return;
    FMin = Value;
    if (HandleAllocated()) SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TUpDown::SetMax(int Value)
{
    if (FMax == Value) return;
    FMax = Value;
    if (HandleAllocated()) SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TUpDown::SetIncrement(int Value)
{
    if (FIncrement == Value) return;
    FIncrement = Value;
    if (HandleAllocated()) {
        UDACCEL accel{0, static_cast<UINT>(Value)};
        SendMessageW(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

void TUpDown::SetAssociate(TWinControl* Value)
{
    if (Value == this) Value = nullptr;
    if (!ChangeReference(this, FAssociate, Value)) return;
    if (HandleAllocated()) {
        SendMessageW(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate != nullptr ? FAssociate->Handle() : nullptr), 0);
        // The buddy shows the position at once.
        SendMessageW(Handle(), UDM_SETPOS32, 0, Position());
    }
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAssociate) {
        FAssociate = nullptr;
        if (HandleAllocated() && !ComponentState().Contains(csDestroying)) SendMessageW(Handle(), UDM_SETBUDDY, 0, 0);
    }
}

void TUpDown::StyleChanged()
{
    if (HandleAllocated()) RecreateWnd();
}

void TUpDown::SetAlignButton(TUDAlignButton Value)
{
    if (FAlignButton == Value) return;
    FAlignButton = Value;
    StyleChanged();
}

void TUpDown::SetArrowKeys(bool Value)
{
    if (FArrowKeys == Value) return;
    FArrowKeys = Value;
    StyleChanged();
}

void TUpDown::SetThousands(bool Value)
{
    if (FThousands == Value) return;
    FThousands = Value;
    StyleChanged();
}

void TUpDown::SetOrientation(TUDOrientation Value)
{
    if (FOrientation == Value) return;
    FOrientation = Value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    StyleChanged();
}

void TUpDown::SetWrap(bool Value)
{
    if (FWrap == Value) return;
    FWrap = Value;
    StyleChanged();
}

void TUpDown::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, UPDOWN_CLASSW);
    Params.Style |= UDS_SETBUDDYINT;
    if (FAssociate != nullptr) Params.Style |= FAlignButton == udLeft ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT;
    if (FArrowKeys) Params.Style |= UDS_ARROWKEYS;
    if (!FThousands) Params.Style |= UDS_NOTHOUSANDS;
    if (FOrientation == udHorizontal) Params.Style |= UDS_HORZ;
    if (FWrap) Params.Style |= UDS_WRAP;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
}

void TUpDown::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    SendMessageW(wnd, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    UDACCEL accel{0, static_cast<UINT>(FIncrement)};
    SendMessageW(wnd, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    if (FAssociate != nullptr) SendMessageW(wnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->Handle()), 0);
    SendMessageW(wnd, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::DestroyWnd()
{
    if (HandleAllocated()) FPosition = Position();
    TWinControl::DestroyWnd();
}

bool TUpDown::CanChange(int NewValue, int Delta)
{
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (OnChangingEx) OnChangingEx(this, allow, NewValue, Delta > 0 ? updUp : Delta < 0 ? updDown : updNone);
    return allow;
}

void TUpDown::Click(TUDBtnType Button)
{
    if (OnClick) OnClick(this, Button);
}

void TUpDown::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(Message.LParam);
        if (header->code == UDN_DELTAPOS) {
            const NMUPDOWN* info = reinterpret_cast<const NMUPDOWN*>(Message.LParam);
            bool allow = CanChange(info->iPos + info->iDelta, info->iDelta);
            FLastDelta = allow ? info->iDelta : 0;
            Message.Result = allow ? 0 : 1;
        } else
            TWinControl::Dispatch(Message);
        break;
    }
    case CN_HSCROLL:
    case CN_VSCROLL:
        if (LOWORD(Message.WParam) == SB_THUMBPOSITION) {
            int pos = Position();
            if (pos != FPosition) {
                // The delta tells the button even when the position wrapped around.
                TUDBtnType button = FLastDelta != 0 ? (FLastDelta > 0 ? btNext : btPrev) : (pos > FPosition ? btNext : btPrev);
                FPosition = pos;
                FLastDelta = 0;
                Click(button);
            }
        }
        Message.Result = 0;
        break;
    default: TWinControl::Dispatch(Message); break;
    }
}
