// The combo-box handler on a foreign drop-down list combo box: the button's normal, hot and
// dropped looks, the text of the selected item however long, no text without a selection, one
// brush for the list however often it asks, and the list's plain border back when the skin goes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "skin/core/sMessages.h"
#include "skin/subclass/acSBUtilsComboWnd.h"
#include "tests/skin/core/SkinPaintFixture.h"
#include "tests/skin/subclass/HandlerTestWindows.h"

using namespace handlertest;
using skintest::Px;

namespace {

constexpr int ComboWidth = 160;

class ComboHandler : public ::testing::Test {
protected:
    TTestSkinManager Skin;
    HWND Host = MakeHostWindow();
    HWND Combo = nullptr;
    HWND ListWnd = nullptr;
    TacComboBoxWnd* Handler = nullptr;

    void SetUp() override
    {
        Combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 10,
                                ComboWidth, 200, Host, nullptr, GetModuleHandleW(nullptr), nullptr);
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(Combo, &info);
        ListWnd = info.hwndList;
        Handler = new TacComboBoxWnd(Combo, nullptr, &Skin.Manager, L"EDIT", true);
    }
    void TearDown() override
    {
        delete Handler;
        DestroyWindow(Host);
    }

    int Height() const
    {
        RECT r{};
        GetWindowRect(Combo, &r);
        return r.bottom - r.top;
    }
    std::uint32_t ButtonPixel()
    {
        auto bmp = PrintedWindow(Combo);
        return Rgb(Px(*bmp, ComboWidth - 2 - GetSystemMetrics(SM_CXVSCROLL) / 2, 3));
    }
    LRESULT ListColors()
    {
        HDC dc = GetDC(ListWnd);
        const LRESULT brush = SendMessageW(Combo, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(ListWnd));
        ReleaseDC(ListWnd, dc);
        return brush;
    }
};

} // namespace

TEST_F(ComboHandler, ButtonShowsNormalHotAndDropped)
{
    EXPECT_EQ(ButtonPixel(), RgbOf(ComboButtonColor));
    Skin.Manager.SetActiveControl(Combo);
    EXPECT_EQ(ButtonPixel(), RgbOf(ComboButtonHotColor)) << "under the mouse";
    Skin.Manager.SetActiveControl(nullptr);
    EXPECT_EQ(ButtonPixel(), RgbOf(ComboButtonColor));
    ListColors();
    ShowWindow(ListWnd, SW_SHOWNA);
    EXPECT_EQ(ButtonPixel(), RgbOf(ComboButtonHotColor)) << "dropped";
    ShowWindow(ListWnd, SW_HIDE);
}

TEST_F(ComboHandler, SelectedTextOfAnyLengthStaysInsideItsAreaAndNoSelectionShowsNone)
{
    const int textRow = Height() / 2;
    auto textArea = [&](TBitmap& B) {
        int inked = 0;
        for (int x = 3; x < ComboWidth - 2 - GetSystemMetrics(SM_CXVSCROLL); ++x) inked += Rgb(Px(B, x, textRow)) != RgbOf(EditColor);
        return inked;
    };
    auto noSelection = PrintedWindow(Combo);
    EXPECT_EQ(textArea(*noSelection), 0) << "no items: no text";
    SendMessageW(Combo, CB_SETCURSEL, static_cast<WPARAM>(-2), 0);
    EXPECT_EQ(textArea(*PrintedWindow(Combo)), 0) << "an index of -2: no text";

    const std::wstring longItem(5000, L'W');
    SendMessageW(Combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longItem.c_str()));
    SendMessageW(Combo, CB_SETCURSEL, 0, 0);
    auto selected = PrintedWindow(Combo);
    EXPECT_GT(textArea(*selected), 0) << "the item's text is written";
    for (int y = 0; y < Height(); ++y) EXPECT_EQ(Rgb(Px(*selected, ComboWidth - 1, y)), RgbOf(EditColor)) << "row " << y;
}

TEST_F(ComboHandler, ListGetsOneBrushHoweverOftenItAsks)
{
    const LRESULT first = ListColors();
    ASSERT_NE(Handler->ListSW, nullptr) << "the list got its handler";
    EXPECT_NE(first, 0);
    const unsigned objects = skinpaint_test::GdiObjectCount();
    for (int i = 0; i < 500; ++i) EXPECT_EQ(ListColors(), first);
    EXPECT_EQ(skinpaint_test::GdiObjectCount(), objects);
}

TEST_F(ComboHandler, SkinRemovalGivesTheListItsPlainBorderBack)
{
    const auto ownListProc = GetWindowLongPtrW(ListWnd, GWLP_WNDPROC);
    ListColors();
    ASSERT_NE(Handler->ListSW, nullptr);
    EXPECT_NE(GetWindowLongPtrW(ListWnd, GWLP_WNDPROC), ownListProc);
    SetWindowLongPtrW(ListWnd, GWL_STYLE, GetWindowLongPtrW(ListWnd, GWL_STYLE) | WS_THICKFRAME);
    SendMessageW(Combo, SM_LUMACMD, MakeSkinWParam(AC_SKINUNLOADED), reinterpret_cast<LPARAM>(&Skin.Manager));
    EXPECT_EQ(Handler->ListSW, nullptr);
    EXPECT_EQ(Handler->FListHandle, nullptr);
    const LONG_PTR style = GetWindowLongPtrW(ListWnd, GWL_STYLE);
    EXPECT_NE(style & WS_BORDER, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(GetWindowLongPtrW(ListWnd, GWLP_WNDPROC), ownListProc);
}
