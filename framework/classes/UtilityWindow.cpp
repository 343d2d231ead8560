#include "framework/classes/UtilityWindow.h"

#include <mutex>

#include "framework/system/Exceptions.h"

std::function<void(std::exception_ptr)> UtilityWindowExceptionHandler;

namespace {

const wchar_t* const UtilityWindowClass = L"KVLUtilityWindow";

// What a utility window carries: its method, and how many of its messages are being handled
// right now, so that deallocating from inside the method only frees the record afterwards.
struct TUtilityWindowRecord {
    TUtilityWndMethod Method;
    int Depth = 0;
    bool Released = false;
};

LRESULT CALLBACK UtilityWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* record = reinterpret_cast<TUtilityWindowRecord*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (record == nullptr || !record->Method)
        return DefWindowProcW(wnd, msg, wParam, lParam);

    LRESULT result = 0;
    ++record->Depth;
    try {
        result = record->Method(wnd, msg, wParam, lParam);
    } catch (...) {
        if (UtilityWindowExceptionHandler)
            UtilityWindowExceptionHandler(std::current_exception());
    }
    if (--record->Depth == 0 && record->Released)
        delete record;
    return result;
}

void RegisterUtilityClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = UtilityWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = UtilityWindowClass;
        RegisterClassExW(&wc);
    });
}

} // namespace

HWND AllocateHWnd(TUtilityWndMethod Method)
{
    RegisterUtilityClass();
    HWND wnd = CreateWindowExW(0, UtilityWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (wnd == nullptr)
        throw EOutOfResources(L"Cannot create a utility window");
    auto* record = new TUtilityWindowRecord;
    record->Method = std::move(Method);
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    return wnd;
}

void DeallocateHWnd(HWND Wnd)
{
    if (Wnd == nullptr)
        return;
    auto* record = reinterpret_cast<TUtilityWindowRecord*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
    SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0);
    DestroyWindow(Wnd);
    if (record == nullptr)
        return;
    if (record->Depth > 0)
        record->Released = true;
    else
        delete record;
}
