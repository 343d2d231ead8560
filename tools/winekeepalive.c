/* Holds one hidden window open so that Wine's desktop process stays alive between the test
   programs of a run; without it every GUI test pays for the desktop's start. Ends on WM_CLOSE
   or when its process is killed. */
#include <windows.h>

static LRESULT CALLBACK KeepAliveProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DESTROY) { PostQuitMessage(0); return 0; }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE prev, LPWSTR cmd, int show)
{
    WNDCLASSW wc = {0};
    wc.lpfnWndProc = KeepAliveProc;
    wc.hInstance = inst;
    wc.lpszClassName = L"KvlWineKeepAlive";
    RegisterClassW(&wc);
    CreateWindowW(wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 1, 1, NULL, NULL, inst, NULL);
    MSG m;
    while (GetMessageW(&m, NULL, 0, 0) > 0) { TranslateMessage(&m); DispatchMessageW(&m); }
    return 0;
}
