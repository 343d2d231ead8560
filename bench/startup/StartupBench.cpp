// Start-up: launches KVL2.exe and a minimal Win32 window program (minimalwindow.exe, both beside
// this program) the same way, times each until its window is shown, painted and the program idle,
// reads the process's peak memory there, closes it, and prints the ratios.
//
//   bench_startup.exe [runs]       (default 5; the median run of each program counts)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct TLaunch {
    double Seconds = 0;
    double PeakMB = 0;
    bool Ok = false;
};

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

struct TFind {
    DWORD Pid;
    HWND Window;
};

BOOL CALLBACK FindShown(HWND h, LPARAM p)
{
    auto* f = reinterpret_cast<TFind*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == f->Pid && IsWindowVisible(h) && GetWindow(h, GW_OWNER) == nullptr) {
        f->Window = h;
        return FALSE;
    }
    return TRUE;
}

// The program's shown top-level window, if any.
HWND ShownWindow(DWORD Pid)
{
    TFind find{Pid, nullptr};
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&find));
    return find.Window;
}

TLaunch Launch(const std::wstring& Program)
{
    TLaunch result;
    std::wstring command = L"\"" + Program + L"\"";
    std::wstring folder = Program.substr(0, Program.find_last_of(L"\\/"));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    double start = Now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
        std::fwprintf(stderr, L"bench_startup: cannot start %ls (%lu)\n", Program.c_str(), GetLastError());
        return result;
    }
    // Idle means its queue is empty, paint messages included; the window must be up and have
    // nothing left to paint as well.
    HWND window = nullptr;
    while (Now() - start < 60) {
        if (WaitForInputIdle(pi.hProcess, 50) == 0) {
            window = ShownWindow(pi.dwProcessId);
            if (window != nullptr && !GetUpdateRect(window, nullptr, FALSE)) break;
        }
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(1);
        window = nullptr;
    }
    result.Seconds = Now() - start;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (window != nullptr && GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters)) {
        result.PeakMB = static_cast<double>(std::max(counters.PeakWorkingSetSize, counters.PeakPagefileUsage)) / (1024.0 * 1024.0);
        result.Ok = true;
    }
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

double Median(std::vector<double> Values)
{
    std::sort(Values.begin(), Values.end());
    return Values.empty() ? 0 : Values[Values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder = folder.substr(0, folder.find_last_of(L"\\/") + 1);
    const std::wstring programs[2] = {folder + L"KVL2.exe", folder + L"minimalwindow.exe"};

    std::vector<double> times[2], peaks[2];
    // Alternating, so that a slow moment of the machine falls on both.
    for (int i = 0; i < runs; ++i)
        for (int p = 0; p < 2; ++p) {
            TLaunch launch = Launch(programs[p]);
            if (!launch.Ok) {
                std::fwprintf(stderr, L"bench_startup: %ls did not show a painted window\n", programs[p].c_str());
                return 1;
            }
            times[p].push_back(launch.Seconds);
            peaks[p].push_back(launch.PeakMB);
        }
    double t0 = Median(times[0]), t1 = Median(times[1]);
    double m0 = Median(peaks[0]), m1 = Median(peaks[1]);
    std::printf("Start-up until painted and idle (median of %d runs each)\n", runs);
    std::printf("KVL2.exe        %8.0f ms  peak %6.1f MB\n", t0 * 1000, m0);
    std::printf("minimal window  %8.0f ms  peak %6.1f MB\n", t1 * 1000, m1);
    std::printf("ratio           %8.2fx      %6.2fx\n", t0 / t1, m0 / m1);
    return 0;
}
