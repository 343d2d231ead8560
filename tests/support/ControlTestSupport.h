#pragma once
// Shared by the tests of the standard controls, the common controls and the menus: where pixels of
// interest lie in a painted buffer, the keys and characters a user types, delivered the way the
// message loop delivers them, and the beeps the controls make.
#include <functional>

#include "framework/facts/SystemFacts.h"
#include "tests/framework/controls/ControlFixtures.h"

namespace kvltest {

// The bounding box and count of the pixels of a W x H buffer that Match accepts.
struct TInk {
    int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1, Count = 0;
    int CenterX() const { return (Left + Right) / 2; }
    int CenterY() const { return (Top + Bottom) / 2; }
};

inline TInk FindInk(const TPixelBuffer& Pixels, int W, int H, const std::function<bool(COLORREF)>& Match)
{
    TInk ink;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (Match(Pixels.At(x, y))) {
                ink.Left = std::min(ink.Left, x);
                ink.Top = std::min(ink.Top, y);
                ink.Right = std::max(ink.Right, x);
                ink.Bottom = std::max(ink.Bottom, y);
                ++ink.Count;
            }
    return ink;
}

// Compares rectangles, printing both on a mismatch.
inline ::testing::AssertionResult SameRect(const TRect& Actual, const TRect& Expected)
{
    if (EqualRect(&Actual, &Expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << Actual.left << "," << Actual.top << "," << Actual.right << ","
                                         << Actual.bottom << ") != (" << Expected.left << "," << Expected.top << ","
                                         << Expected.right << "," << Expected.bottom << ")";
}

inline bool IsDark(COLORREF c)
{
    return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
}

inline COLORREF SysColor(int Index)
{
    return GetSysColor(Index);
}

// A key press as the loop delivers it to the focused window (dialog keys included).
inline void PressKey(WORD VirtualKey)
{
    PostMessageW(GetFocus(), WM_KEYDOWN, VirtualKey, 1);
    PostMessageW(GetFocus(), WM_KEYUP, VirtualKey, static_cast<LPARAM>(0xC0000001));
    Application->ProcessMessages();
}

// Characters typed into a window, one WM_CHAR each.
inline void TypeChars(HWND Wnd, const String& Text)
{
    for (wchar_t c : Text) SendMessageW(Wnd, WM_CHAR, c, 1);
}

// A left click at client coordinates of a window.
inline void ClickAt(HWND Wnd, int X, int Y)
{
    SendMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    SendMessageW(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
}

// Counts the beeps the framework makes while alive; every other answer is the facts' in force.
class TBeeps : public TForwardingFacts {
public:
    void Beep(UINT) override { ++Count; }
    int Count = 0;

private:
    TSystemFactsOverride FUse{*this};
};

} // namespace kvltest
