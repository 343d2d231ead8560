#pragma once
// What the grid tests share: a shown, active form per test with a grid on it, real input
// messages (keys with the shift state the system facts report, clicks and drags at client
// coordinates, the wheel), message pumping, and a memory bitmap to paint into.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <set>

#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/grids/Grids.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PixelBuffer.h"

// Rectangles compared and printed in the assertions.
inline bool operator==(const RECT& A, const RECT& B)
{
    return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}
inline void PrintTo(const RECT& R, std::ostream* Os)
{
    *Os << "(" << R.left << ", " << R.top << ", " << R.right << ", " << R.bottom << ")";
}

namespace gridtest {

inline void Pump()
{
    kvltest::PumpPending();
}

// Keys held down as far as the system facts tell (for Shift and Ctrl with key messages); every
// other answer is the facts' in force.
class THeldKeys : public TForwardingFacts {
public:
    explicit THeldKeys(std::set<int> Keys) : FKeys(std::move(Keys)) {}
    SHORT KeyState(int VirtualKey) override { return FKeys.count(VirtualKey) ? static_cast<SHORT>(0x8000) : 0; }

private:
    std::set<int> FKeys;
    TSystemFactsOverride FUse{*this};
};

inline void KeyDown(HWND Wnd, WORD Key)
{
    SendMessageW(Wnd, WM_KEYDOWN, Key, 1);
    SendMessageW(Wnd, WM_KEYUP, Key, static_cast<LPARAM>(0xC0000001));
}

// A key as the message loop delivers it: the key-down, then the character it makes.
inline void Press(HWND Wnd, WORD Key, wchar_t Ch)
{
    SendMessageW(Wnd, WM_KEYDOWN, Key, 1);
    SendMessageW(Wnd, WM_CHAR, Ch, 1);
    SendMessageW(Wnd, WM_KEYUP, Key, static_cast<LPARAM>(0xC0000001));
}

inline void Type(HWND Wnd, const wchar_t* Text)
{
    for (const wchar_t* p = Text; *p != 0; ++p) SendMessageW(Wnd, WM_CHAR, *p, 1);
}

inline void Click(HWND Wnd, int X, int Y, WPARAM Keys = 0)
{
    SendMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON | Keys, MAKELPARAM(X, Y));
    SendMessageW(Wnd, WM_LBUTTONUP, Keys, MAKELPARAM(X, Y));
}

// Press at (X1, Y1), move in a few steps to (X2, Y2), release there.
inline void Drag(HWND Wnd, int X1, int Y1, int X2, int Y2)
{
    SendMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X1, Y1));
    for (int i = 1; i <= 4; ++i)
        SendMessageW(Wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(X1 + (X2 - X1) * i / 4, Y1 + (Y2 - Y1) * i / 4));
    SendMessageW(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(X2, Y2));
}

// One notch: negative Delta turns the wheel towards the user (down).
inline void Wheel(HWND Wnd, int Delta)
{
    POINT p{5, 5};
    ClientToScreen(Wnd, &p);
    SendMessageW(Wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(Delta))), MAKELPARAM(p.x, p.y));
}

inline POINT Center(const TRect& R)
{
    return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
}

using TPixels = kvltest::TPixelBuffer;

inline COLORREF Rgb(TColor Color)
{
    return static_cast<COLORREF>(ColorToRGB(Color));
}

// A shown, active form per test, freed afterwards.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = TForm::CreateNew(nullptr);
        Form->SetBounds(40, 40, 600, 450);
    }
    void TearDown() override
    {
        delete Form;
        Pump();
    }

    // A grid of class G on the form at (10, 10) with a client area of the size asked for
    // (without border, so that client and window coordinates agree).
    template <class G>
    G* AddGrid(int Width, int Height)
    {
        G* grid = new G(Form);
        grid->SetBorderStyle(bsNone);
        grid->SetBounds(10, 10, Width, Height);
        grid->SetParent(Form);
        return grid;
    }

    // Shows the form, makes it the active window and gives Control the focus.
    void ShowAndFocus(TWinControl* Control)
    {
        Form->Show();
        SetForegroundWindow(Form->Handle());
        SetActiveWindow(Form->Handle());
        Pump();
        Control->SetFocus();
        Pump();
    }

    TForm* Form = nullptr;
};

} // namespace gridtest
