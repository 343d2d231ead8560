#include "framework/classes/Timer.h"

#include "framework/classes/UtilityWindow.h"

namespace {
const UINT_PTR TimerID = 1;
}

TTimerEvent& TTimerEvent::Assign(const TNotifyEvent& Handler)
{
    static_cast<TNotifyEvent&>(*this) = Handler;
    FTimer->UpdateTimer();
    return *this;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    FWindowHandle = AllocateHWnd([this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return WndProc(wnd, msg, wParam, lParam);
    });
}

TTimer::~TTimer()
{
    FEnabled = false;
    KillTimer(FWindowHandle, TimerID);
    DeallocateHWnd(FWindowHandle);
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value)
{
    if (Value == FInterval)
        return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (FWindowHandle == nullptr)
        return;
    KillTimer(FWindowHandle, TimerID);
    if (FEnabled && FInterval != 0 && OnTimer) {
        if (SetTimer(FWindowHandle, TimerID, FInterval, nullptr) == 0)
            throw EOutOfResources(L"Not enough timers available");
    }
}

void TTimer::Timer()
{
    if (OnTimer)
        OnTimer(this);
}

LRESULT TTimer::WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_TIMER && WParam == TimerID) {
        // The handler may free this timer: nothing of it is touched afterwards.
        Timer();
        return 0;
    }
    return DefWindowProcW(Wnd, Msg, WParam, LParam);
}
