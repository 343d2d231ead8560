// Static-text and push-button handlers on foreign windows: which statics keep their own look,
// the skin background under an empty text, the button's state (pressed, default, disabled, hot),
// the pressed caption's offset and the disabled blend over the parent's picture.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/controls/Forms.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtils.h"
#include "support/PixelBuffer.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinstate_test;
using skinpaint_test::PixelOf;
using skintest::Bmp32;
using skintest::Px;

namespace {

constexpr TColor SectionColor = 0x00406080;
constexpr std::uint32_t ParentInk = 0xFF102030u;  // the parent's picture: r 10, g 20, b 30

// A shown form with a parent control describing its background as a picture of one colour, and
// foreign windows made on it.
struct ForeignWindows : ::testing::Test {
    SkinnedManager Skin;
    int Static = Skin.AddSection(L"STATIC", SectionColor);
    int Button = Skin.AddSection(L"BUTTON", SectionColor);
    TForm* Form = TForm::CreateNew(nullptr);
    std::unique_ptr<TBitmap> ParentPicture = Bmp32(200, 100, ParentInk);
    std::vector<HWND> Windows;

    ForeignWindows()
    {
        Form->SetBounds(0, 0, 220, 140);
        Skin.Parent.SetParent(Form);
        Skin.Parent.SetBounds(0, 0, 200, 100);
        Skin.Parent.AnswerBitmap = ParentPicture.get();
        Form->Show();
    }
    ~ForeignWindows() override
    {
        for (HWND w : Windows) DestroyWindow(w);
        Skin.Parent.SetParent(nullptr);
        delete Form;
    }
    HWND Make(const wchar_t* Class, const wchar_t* Text, DWORD Style, DWORD ExStyle = 0)
    {
        HWND w = CreateWindowExW(ExStyle, Class, Text, WS_CHILD | WS_VISIBLE | Style, 20, 10, 60, 24,
                                 Skin.Parent.Handle(), nullptr, nullptr, nullptr);
        Windows.push_back(w);
        return w;
    }
    // What the window shows when printed into a bitmap.
    COLORREF Printed(HWND Wnd, int X, int Y)
    {
        kvltest::TPixelBuffer target(60, 24, false);
        SendMessageW(Wnd, WM_PRINT, reinterpret_cast<WPARAM>(target.DC()), PRF_CLIENT | PRF_NONCLIENT);
        return target.At(X, Y);
    }
};

} // namespace

TEST_F(ForeignWindows, StaticsShowTheSkinUnlessTheyAreTabStopsOrSunken)
{
    struct Case {
        DWORD Style, ExStyle;
        bool Skinned;
    } cases[] = {{0, 0, true}, {WS_TABSTOP, 0, false}, {0, WS_EX_STATICEDGE, false}};
    for (const Case& c : cases) {
        HWND w = Make(L"STATIC", L"", c.Style, c.ExStyle);  // empty text: the background alone
        TacStaticWnd handler(w, nullptr, &Skin.Manager, L"STATIC");
        EXPECT_EQ(Printed(w, 30, 12) == COLORREF(SectionColor), c.Skinned) << c.Style << " " << c.ExStyle;
    }
}

TEST_F(ForeignWindows, AButtonIsHotWhenDefaultAndPressedWhenDown)
{
    HWND plain = Make(L"BUTTON", L"OK", BS_PUSHBUTTON);
    HWND def = Make(L"BUTTON", L"OK", BS_DEFPUSHBUTTON);
    TacBtnWnd plainHandler(plain, nullptr, &Skin.Manager, L"");
    TacBtnWnd defHandler(def, nullptr, &Skin.Manager, L"");
    EXPECT_EQ(plainHandler.SkinData->SkinSection(), L"BUTTON");
    EXPECT_EQ(plainHandler.CurrentState(), 0);
    EXPECT_EQ(defHandler.CurrentState(), 1);

    ReadWndPlacement(plain, plainHandler.ParentWnd, plainHandler.WndRect, plainHandler.ParentRect, plainHandler.WndSize,
                     plainHandler.WndPos);
    const TRect up = plainHandler.CaptionRect();
    SendMessageW(plain, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(plainHandler.CurrentState(), 2);
    const TRect down = plainHandler.CaptionRect();
    EXPECT_EQ(down.left, up.left + 1);
    EXPECT_EQ(down.top, up.top + 1);
    SendMessageW(plain, BM_SETSTATE, FALSE, 0);

    EnableWindow(def, FALSE);
    EXPECT_EQ(defHandler.CurrentState(), 0);
}

TEST_F(ForeignWindows, AnEmptyCaptionHasNoWidth)
{
    HWND w = Make(L"BUTTON", L"", BS_PUSHBUTTON);
    TacBtnWnd handler(w, nullptr, &Skin.Manager, L"");
    EXPECT_EQ(handler.MaxCaptionWidth(), 0);
}

TEST_F(ForeignWindows, ADisabledButtonShowsFortyPercentOfItselfOverTheParent)
{
    HWND w = Make(L"BUTTON", L"", BS_PUSHBUTTON);
    TacBtnWnd handler(w, nullptr, &Skin.Manager, L"");
    EXPECT_EQ(Printed(w, 30, 12), COLORREF(SectionColor));
    EnableWindow(w, FALSE);
    const COLORREF mixed = Printed(w, 30, 12);
    // Section r 0x80, g 0x60, b 0x40 over the parent's r 0x10, g 0x20, b 0x30.
    auto within = [](int Actual, double Expected) { return std::abs(Actual - Expected) <= 1.5; };
    EXPECT_TRUE(within(GetRValue(mixed), 0.4 * 0x80 + 0.6 * 0x10)) << std::hex << mixed;
    EXPECT_TRUE(within(GetGValue(mixed), 0.4 * 0x60 + 0.6 * 0x20)) << std::hex << mixed;
    EXPECT_TRUE(within(GetBValue(mixed), 0.4 * 0x40 + 0.6 * 0x30)) << std::hex << mixed;
}

TEST_F(ForeignWindows, HotNewsAfterThePointerLeftChangeNothing)
{
    HWND w = Make(L"BUTTON", L"", BS_PUSHBUTTON);
    TacBtnWnd handler(w, nullptr, &Skin.Manager, L"");
    SetCursorPos(1200, 1000);  // far from the button
    Skin.Manager.SetActiveControl(w);
    EXPECT_FALSE(handler.SkinData->FMouseAbove);

    RECT r{};
    GetWindowRect(w, &r);
    Skin.Manager.SetActiveControl(nullptr);
    SetCursorPos(r.left + 5, r.top + 5);
    Skin.Manager.SetActiveControl(w);
    EXPECT_TRUE(handler.SkinData->FMouseAbove);
    EXPECT_EQ(handler.CurrentState(), 1);
    Skin.Manager.SetActiveControl(nullptr);
    EXPECT_FALSE(handler.SkinData->FMouseAbove);
    SetCursorPos(1200, 1000);
}
