#pragma once
// Hidden message-only windows for objects that are not controls but need messages of their
// own: timers tick through one, threads wake the GUI thread through one. Each window hands
// every message to the method it was made with; the window lives on the thread that made it.
#include <windows.h>

#include <exception>
#include <functional>

// Answers one message; unhandled ones should return DefWindowProcW(Wnd, Msg, WParam, LParam).
using TUtilityWndMethod = std::function<LRESULT(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)>;

// Makes a hidden message-only window whose messages go to Method (an empty Method gets the
// default handling). Raises EOutOfResources when the window cannot be made.
HWND AllocateHWnd(TUtilityWndMethod Method);

// Destroys a window made by AllocateHWnd; null is ignored. Safe to call from inside the
// window's own method (the method object stays alive until that call returns).
void DeallocateHWnd(HWND Wnd);

// An exception must not travel through the system's window procedure, so one escaping a
// utility window's method is caught and handed here; the application points this at its own
// exception handling. When empty, the exception is dropped.
extern std::function<void(std::exception_ptr)> UtilityWindowExceptionHandler;
