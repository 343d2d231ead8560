#pragma once
// Runs the test thread's messages: until a condition holds or a deadline passes (timers, utility
// windows, thread synchronisation, posted messages), or just what is queued now.
#include <windows.h>

#include <functional>

namespace kvltest {

// Dispatches queued messages until Done() holds or TimeoutMs pass; true when Done() held.
inline bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs = 5000)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            if (Done && Done()) return true;
        }
        if (Done && Done()) return true;
        if (GetTickCount() - start >= TimeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Dispatches whatever is queued now (painting included), without waiting for more.
inline void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace kvltest
