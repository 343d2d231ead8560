#pragma once
// Real windows for the handler tests: a skin manager holding the scroll-bar test skin plus the
// sections the edit, list and combo handlers paint ("EDIT", "COLHEADER", "COMBOBTN"), a visible top-level host
// window, and a window printed (WM_PRINT) into a 32-bit bitmap for reading its pixels back.
#include <windows.h>

#include <memory>

#include "skin/core/sSkinManager.h"
#include "tests/skin/subclass/ScrollSkinFixture.h"

namespace handlertest {

using namespace scrollskin_test;

inline constexpr TColor EditColor = 0x00C0E0F0;
inline constexpr TColor EditHotColor = 0x00A0B0C0;
inline constexpr TColor HeaderColor = 0x00406080;
inline constexpr TColor HeaderHotColor = 0x0080A0C0;
inline constexpr TColor ComboButtonColor = 0x00207040;
inline constexpr TColor ComboButtonHotColor = 0x0030A060;

// A manager with the test skin; the default manager while it lives.
struct TTestSkinManager {
    TsSkinManager Manager{nullptr};

    TTestSkinManager()
    {
        Manager.SkinData.Active = true;
        FillScrollSkin(Manager.gd, Manager.ma, Manager.ConstData);
        AddSection(L"EDIT", EditColor, EditHotColor, 2);
        AddSection(L"COLHEADER", HeaderColor, HeaderHotColor, 3);
        Manager.ConstData.ComboBtnIndex = AddSection(L"COMBOBTN", ComboButtonColor, ComboButtonHotColor, 3);
    }
    int AddSection(const wchar_t* Name, TColor Color, TColor HotColor, int States)
    {
        TsGeneralData d;
        d.ClassName = Name;
        d.States = States;
        d.Color = Color;
        d.HotColor = HotColor;
        Manager.gd.push_back(d);
        return static_cast<int>(Manager.gd.size()) - 1;
    }
};

// A visible top-level window of 300 x 300 at (100, 100) without frame.
inline HWND MakeHostWindow()
{
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HandlerTestHost";
        return RegisterClassW(&wc);
    }();
    (void)atom;
    return CreateWindowExW(0, L"HandlerTestHost", L"", WS_POPUP | WS_VISIBLE, 100, 100, 300, 300, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// The whole window (frame and client) as it prints itself.
inline std::unique_ptr<TBitmap> PrintedWindow(HWND Wnd)
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    auto bmp = skintest::Bmp32(r.right - r.left, r.bottom - r.top, 0xFF123456u);
    SendMessageW(Wnd, WM_PRINT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    GdiFlush();
    return bmp;
}

} // namespace handlertest
