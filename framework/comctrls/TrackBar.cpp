#include "framework/comctrls/TrackBar.h"

#include <algorithm>

// ---- TTrackBar ---------------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks, csCaptureMouse});
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

int TTrackBar::Position() const
{
    if (FHandle != nullptr) return static_cast<int>(SendMessageW(FHandle, TBM_GETPOS, 0, 0));
    return FPosition;
}

void TTrackBar::SetPosition(int Value)
{
    if (HandleAllocated()) {
        SendMessageW(Handle(), TBM_SETPOS, TRUE, Value);
        FPosition = static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
    } else
        FPosition = std::clamp(Value, FMin, std::max(FMin, FMax));
}

void TTrackBar::SetMin(int Value)
{
    if (Value > FMax && !ComponentState().Contains(csLoading)) return;
    FMin = Value;
    if (HandleAllocated()) {
        SendMessageW(Handle(), TBM_SETRANGEMIN, TRUE, Value);
        FPosition = Position();
    } else if (FPosition < FMin)
        FPosition = FMin;
}

void TTrackBar::SetMax(int Value)
{
    if (Value < FMin && !ComponentState().Contains(csLoading)) return;
    FMax = Value;
    if (HandleAllocated()) {
        SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, Value);
        FPosition = Position();
    } else if (FPosition > FMax)
        FPosition = FMax;
}

void TTrackBar::SetFrequency(int Value)
{
    if (FFrequency == Value) return;
    FFrequency = Value;
    if (HandleAllocated() && FTickStyle == tsAuto) SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(Value), 0);
}

void TTrackBar::SetLineSize(int Value)
{
    FLineSize = Value;
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETLINESIZE, 0, Value);
}

void TTrackBar::SetPageSize(int Value)
{
    FPageSize = Value;
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETPAGESIZE, 0, Value);
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value)
{
    if (FOrientation == Value) return;
    FOrientation = Value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark Value)
{
    if (FTickMarks == Value) return;
    FTickMarks = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle Value)
{
    if (FTickStyle == Value) return;
    FTickStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::SetSelStart(int Value)
{
    FSelStart = Value;
    UpdateSelection();
}

void TTrackBar::SetSelEnd(int Value)
{
    FSelEnd = Value;
    UpdateSelection();
}

void TTrackBar::UpdateSelection()
{
    if (!HandleAllocated()) return;
    if (FSelStart == 0 && FSelEnd == 0)
        SendMessageW(Handle(), TBM_CLEARSEL, TRUE, 0);
    else
        SendMessageW(Handle(), TBM_SETSEL, TRUE, MAKELPARAM(FSelStart, FSelEnd));
}

void TTrackBar::SetSliderVisible(bool Value)
{
    if (FSliderVisible == Value) return;
    FSliderVisible = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::SetThumbLength(int Value)
{
    if (FThumbLength == Value) return;
    FThumbLength = Value;
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(Value), 0);
}

void TTrackBar::SetTick(int Value)
{
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETTIC, 0, Value);
}

void TTrackBar::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, TRACKBAR_CLASSW);
    Params.Style |= TBS_ENABLESELRANGE | TBS_FIXEDLENGTH;
    if (FOrientation == trVertical) Params.Style |= TBS_VERT;
    if (FTickMarks == tmBoth)
        Params.Style |= TBS_BOTH;
    else if (FTickMarks == tmTopLeft)
        Params.Style |= TBS_TOP;
    if (FTickStyle == tsNone)
        Params.Style |= TBS_NOTICKS;
    else if (FTickStyle == tsAuto)
        Params.Style |= TBS_AUTOTICKS;
    if (!FSliderVisible) Params.Style |= TBS_NOTHUMB;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
}

void TTrackBar::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    SendMessageW(wnd, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(FThumbLength), 0);
    SendMessageW(wnd, TBM_SETRANGEMIN, FALSE, FMin);
    SendMessageW(wnd, TBM_SETRANGEMAX, FALSE, FMax);
    SendMessageW(wnd, TBM_SETLINESIZE, 0, FLineSize);
    SendMessageW(wnd, TBM_SETPAGESIZE, 0, FPageSize);
    if (FTickStyle == tsAuto) SendMessageW(wnd, TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    SendMessageW(wnd, TBM_SETPOS, TRUE, FPosition);
    UpdateSelection();
}

void TTrackBar::DestroyWnd()
{
    if (HandleAllocated()) FPosition = static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
    TWinControl::DestroyWnd();
}

void TTrackBar::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
        FPosition = Position();
        Changed();
        Message.Result = 0;
    } else
        TWinControl::Dispatch(Message);
}

void TTrackBar::Changed()
{
    if (OnChange) OnChange(this);
}
