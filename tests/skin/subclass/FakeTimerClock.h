#pragma once
// A clock for the tests of timed window behaviour: the window timers code sets through the
// system facts are kept here instead of the system's, and Advance delivers their WM_TIMER
// messages in time order as the test moves the clock on.
#include <windows.h>

#include <map>
#include <utility>
#include <vector>

#include "framework/facts/SystemFacts.h"

namespace faketimer_test {

class FakeTimerClock : public TForwardingFacts {
public:
    struct Timer {
        UINT Period = 0;
        DWORD Due = 0;
    };

    UINT_PTR SetWindowTimer(HWND Wnd, UINT_PTR Id, UINT Elapse) override
    {
        FTimers[{Wnd, Id}] = Timer{Elapse, FNow + Elapse};
        return Id;
    }
    bool KillWindowTimer(HWND Wnd, UINT_PTR Id) override { return FTimers.erase({Wnd, Id}) != 0; }
    DWORD TickCount() override { return FNow; }

    // Moves the clock on by Ms, sending each timer's WM_TIMER when it falls due.
    void Advance(DWORD Ms)
    {
        const DWORD target = FNow + Ms;
        for (;;) {
            auto next = FTimers.end();
            for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
                if (it->second.Due <= target && (next == FTimers.end() || it->second.Due < next->second.Due)) next = it;
            if (next == FTimers.end()) break;
            const auto key = next->first;
            FNow = next->second.Due;
            next->second.Due += next->second.Period;
            SendMessageW(key.first, WM_TIMER, key.second, 0);
        }
        FNow = target;
    }

    bool Running(HWND Wnd, UINT_PTR Id) const { return FTimers.count({Wnd, Id}) != 0; }
    UINT Period(HWND Wnd, UINT_PTR Id) const
    {
        auto it = FTimers.find({Wnd, Id});
        return it == FTimers.end() ? 0 : it->second.Period;
    }
    DWORD Now() const { return FNow; }

private:
    DWORD FNow = 0;
    std::map<std::pair<HWND, UINT_PTR>, Timer> FTimers;
    TSystemFactsOverride FUse{*this};
};

} // namespace faketimer_test
