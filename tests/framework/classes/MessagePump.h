#pragma once
// Pumps the test thread's messages until a condition holds or a deadline passes, for tests of
// timers, utility windows and thread synchronisation.
#include <windows.h>

#include <functional>

namespace kvltest {

// True when Done() became true within TimeoutMs.
inline bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs = 5000)
{
    DWORD start = GetTickCount();
    while (!Done()) {
        if (GetTickCount() - start > TimeoutMs)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (Done())
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

} // namespace kvltest
