// The small handlers on real foreign windows: the up-down's two halves and which one the pointer
// makes hot, the grip's corner, a static bitmap clipped to its window (and left to its owner),
// and the link's tags.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "framework/controls/Forms.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtils.h"
#include "support/PixelBuffer.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinstate_test;
using skintest::Bmp32;

namespace {

constexpr TColor Normal = 0x00204060;
constexpr TColor Hot = 0x00A0C0E0;

struct SmallHandlers : ::testing::Test {
    SkinnedManager Skin;
    TForm* Form = TForm::CreateNew(nullptr);
    std::vector<HWND> Windows;

    SmallHandlers()
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        const int spin = Skin.AddSection(L"SPEEDBUTTON_SMALL", Normal);
        Skin.Manager.gd[spin].HotColor = Hot;
        Skin.Manager.gd[spin].States = 3;
        Form->SetBounds(0, 0, 220, 140);
        Skin.Parent.SetParent(Form);
        Skin.Parent.SetBounds(0, 0, 200, 100);
        Form->Show();
    }
    ~SmallHandlers() override
    {
        for (HWND w : Windows) DestroyWindow(w);
        Skin.Parent.SetParent(nullptr);
        delete Form;
    }
    HWND Make(const wchar_t* Class, DWORD Style, int W, int H)
    {
        HWND w = CreateWindowExW(0, Class, L"", WS_CHILD | WS_VISIBLE | Style, 20, 10, W, H, Skin.Parent.Handle(),
                                 nullptr, nullptr, nullptr);
        Windows.push_back(w);
        return w;
    }
    std::unique_ptr<kvltest::TPixelBuffer> Print(HWND Wnd, int W, int H)
    {
        auto target = std::make_unique<kvltest::TPixelBuffer>(W, H, false);
        SendMessageW(Wnd, WM_PRINT, reinterpret_cast<WPARAM>(target->DC()), PRF_CLIENT);
        return target;
    }
    void PointAt(HWND Wnd, int X, int Y)
    {
        RECT r{};
        GetWindowRect(Wnd, &r);
        SetCursorPos(r.left + X, r.top + Y);
    }
};

} // namespace

TEST_F(SmallHandlers, TheUpDownsMiddleRowShowsTheLowerButtonButBelongsToTheUpper)
{
    HWND w = Make(UPDOWN_CLASSW, 0, 16, 21);  // odd height: row 10 is shared
    TacSpinWnd spin(w, nullptr, &Skin.Manager, L"SPEEDBUTTON_SMALL");

    PointAt(w, 8, 15);  // over the lower button
    auto lower = Print(w, 16, 21);
    EXPECT_EQ(spin.Btn1State, 0);
    EXPECT_EQ(spin.Btn2State, 1);
    EXPECT_EQ(lower->At(8, 3), COLORREF(Normal));
    EXPECT_EQ(lower->At(8, 10), COLORREF(Hot));  // the lower button is painted last

    PointAt(w, 8, 10);  // the shared row: the upper button's
    auto upper = Print(w, 16, 21);
    EXPECT_EQ(spin.Btn1State, 1);
    EXPECT_EQ(spin.Btn2State, 0);
    EXPECT_EQ(upper->At(8, 3), COLORREF(Hot));
    EXPECT_EQ(upper->At(8, 10), COLORREF(Normal));

    spin.bMousePressed = true;
    PointAt(w, 8, 18);
    Print(w, 16, 21);
    EXPECT_EQ(spin.Btn2State, 2);
    EXPECT_EQ(spin.Btn1State, 0);

    SetCursorPos(1200, 1000);  // gone: both normal
    Print(w, 16, 21);
    EXPECT_EQ(spin.Btn1State + spin.Btn2State, 0);
}

TEST_F(SmallHandlers, TheGripSitsInTheCornerOrAtTheOriginOfASmallWindow)
{
    Skin.AddSection(L"GLOBALINFO", clBtnFace);
    const int mask = Skin.AddBorder(0, 0, 0, 0);
    TsMaskData& grip = Skin.Manager.ma[mask];
    grip.ClassName = L"GLOBALINFO";
    grip.PropertyName = L"GRIPIMAGE";
    grip.Bmp = Bmp32(13, 13, 0xFF00FF00u);
    grip.R = TRect{0, 0, 13, 13};
    struct Case {
        int Size;
        int At;
    } cases[] = {{20, 7}, {10, 0}};
    for (const Case& c : cases) {
        HWND w = Make(L"STATIC", 0, c.Size, c.Size);
        TacSizerWnd sizer(w, nullptr, &Skin.Manager, L"");
        auto shown = Print(w, c.Size, c.Size);
        EXPECT_EQ(shown->At(c.At, c.At), RGB(0, 255, 0)) << c.Size;
        if (c.At > 0) {
            EXPECT_NE(shown->At(c.At - 1, c.At - 1), RGB(0, 255, 0)) << c.Size;
        }
    }
}

TEST_F(SmallHandlers, AStaticBitmapIsClippedToItsWindowAndStaysItsOwners)
{
    Skin.AddSection(L"STATIC", Normal);
    HWND w = Make(L"STATIC", SS_BITMAP, 40, 20);
    auto picture = Bmp32(100, 100, 0xFF0000FFu);
    HBITMAP image = picture->ReleaseHandle();
    SendMessageW(w, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
    SetWindowPos(w, nullptr, 0, 0, 40, 20, SWP_NOMOVE | SWP_NOZORDER);  // the static took the picture's size
    {
        TacIconWnd icon(w, nullptr, &Skin.Manager, L"STATIC");
        EXPECT_TRUE(icon.IsBmp);
        auto shown = Print(w, 40, 20);
        EXPECT_EQ(shown->At(39, 19), RGB(0, 0, 255));
    }
    BITMAP info{};
    EXPECT_NE(GetObjectW(image, sizeof(info), &info), 0);  // the handler left the image alone
    DeleteObject(image);
}

TEST(LinkCaption, OnlyUpperCaseBareTagsAreTakenOut)
{
    struct Case {
        const wchar_t* Caption;
        const wchar_t* Shown;
    } cases[] = {{L"<A>site</A>", L"site"},
                 {L"see <A>here</A> and <A>there</A>", L"see here and there"},
                 {L"<a>site</a>", L"<a>site</a>"},
                 {L"<A HREF=\"x\">site</A>", L"<A HREF=\"x\">site"},
                 {L"", L""}};
    for (const Case& c : cases) EXPECT_EQ(StripLinkTags(c.Caption), c.Shown) << c.Caption;
}
