#pragma once
// TTimer: a component that raises OnTimer every Interval milliseconds on the GUI thread,
// through a system timer on a hidden utility window of its own. The system timer runs only
// while Enabled is set, Interval is above zero and OnTimer is assigned; changing any of the
// three restarts or stops it.
#include <windows.h>

#include <type_traits>
#include <utility>

#include "framework/classes/Component.h"

class TTimer;

// OnTimer of a TTimer: an ordinary notify event, except that assigning it (re)starts or
// stops the owning timer.
class TTimerEvent : public TNotifyEvent {
public:
    explicit TTimerEvent(TTimer* Timer) : FTimer(Timer) {}
    // A copy (kept in a plain TNotifyEvent, say) only calls the handler.
    TTimerEvent(const TTimerEvent&) = default;
    TTimerEvent& operator=(const TTimerEvent& Other) { return Assign(Other); }
    TTimerEvent& operator=(const TNotifyEvent& Handler) { return Assign(Handler); }
    // Any callable, or nullptr to clear.
    template <class F>
        requires(!std::is_base_of_v<TNotifyEvent, std::remove_cvref_t<F>>)
    TTimerEvent& operator=(F&& Handler)
    {
        return Assign(TNotifyEvent(std::forward<F>(Handler)));
    }

private:
    TTimerEvent& Assign(const TNotifyEvent& Handler);
    TTimer* FTimer;
};

class TTimer : public TComponent {
public:
    // Enabled, Interval 1000 ms, no handler yet.
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Milliseconds between ticks; 0 stops the timer.
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);

    TTimerEvent OnTimer{this};

    // The utility window that receives the ticks.
    HWND Handle() const { return FWindowHandle; }

protected:
    // Fires OnTimer.
    virtual void Timer();

private:
    friend class TTimerEvent;
    // EOutOfResources "Not enough timers available" when the system refuses the timer.
    void UpdateTimer();
    LRESULT WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

    bool FEnabled = true;
    unsigned FInterval = 1000;
    HWND FWindowHandle = nullptr;
};
