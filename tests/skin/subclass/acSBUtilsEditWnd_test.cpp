// The edit and list handlers on foreign windows: an edit, a list box and a list view skinned
// (border from the section, replaced bars, list-view colours) and given back their own look and
// window procedure; the list view's column header painted normal, hot and pressed.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <string>

#include "skin/core/sMessages.h"
#include "skin/subclass/acSBUtilsEditWnd.h"
#include "tests/skin/subclass/HandlerTestWindows.h"

using namespace handlertest;
using skintest::Px;

namespace {

class EditHandlers : public ::testing::Test {
protected:
    TTestSkinManager Skin;
    HWND Host = MakeHostWindow();

    ~EditHandlers() override { DestroyWindow(Host); }

    // With a sunken edge, which an edit keeps as its frame (a plain border it draws itself).
    HWND Child(const wchar_t* Class, DWORD Style, int W = 160, int H = 120)
    {
        HWND wnd = CreateWindowExW(WS_EX_CLIENTEDGE, Class, L"", WS_CHILD | Style, 10, 10, W, H, Host, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        return wnd;
    }
};

} // namespace

TEST_F(EditHandlers, ForeignEditAndListBoxGetTheSkinsBorderAndBarsAndLoseThemWithTheHandler)
{
    struct Case {
        const wchar_t* Class;
        DWORD Style;
    };
    const Case cases[] = {
        {L"EDIT", WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL},
        {L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Class, c.Class + wcslen(c.Class)));
        HWND wnd = Child(c.Class, c.Style);
        // Enough lines for a bar that scrolls (a bar without range is shown faded).
        std::wstring lines;
        for (int i = 0; i < 30; ++i) lines += L"line\r\n";
        if (c.Class == std::wstring(L"LISTBOX"))
            for (int i = 0; i < 30; ++i) SendMessageW(wnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"line"));
        else
            SetWindowTextW(wnd, lines.c_str());
        ShowWindow(wnd, SW_SHOWNA);
        const auto ownProc = GetWindowLongPtrW(wnd, GWLP_WNDPROC);

        auto* handler = new TacEditWnd(wnd, nullptr, &Skin.Manager, L"", true);
        EXPECT_EQ(handler->SkinData->SkinSection(), L"EDIT") << "no section given: EDIT";
        auto skinned = PrintedWindow(wnd);
        EXPECT_EQ(Rgb(Px(*skinned, 0, 0)), RgbOf(EditColor)) << "border from the section";
        EXPECT_EQ(Rgb(Px(*skinned, 80, 119)), RgbOf(EditColor));
        const int v = ScrollBarSize(*handler->sBarVert, true, false);
        const POINT bar{160 - handler->cxRightEdge - v, handler->cyTopEdge};
        EXPECT_EQ(handler->cxLeftEdge, 2);
        EXPECT_EQ(Rgb(Px(*skinned, bar.x, bar.y)), RgbOf(ArrowBefore)) << "replaced bar";
        EXPECT_EQ(SendMessageW(wnd, SM_LUMACMD, MakeSkinWParam(AC_QUERYSKINNED), 0), 1);

        delete handler;
        EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), ownProc);
        auto plain = PrintedWindow(wnd);
        EXPECT_NE(Rgb(Px(*plain, 0, 0)), RgbOf(EditColor)) << "the system's border again";
        EXPECT_NE(Rgb(Px(*plain, bar.x, bar.y)), RgbOf(ArrowBefore));
        EXPECT_NE(SendMessageW(wnd, SM_LUMACMD, MakeSkinWParam(AC_QUERYSKINNED), 0), 1);
        DestroyWindow(wnd);
    }
}

namespace {

class ListViewHandler : public EditHandlers {
protected:
    HWND List = nullptr;
    HWND Header = nullptr;
    TacListViewWnd* Handler = nullptr;

    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        List = Child(WC_LISTVIEWW, WS_VISIBLE | LVS_REPORT, 240, 120);
        for (int i = 0; i < 3; ++i) {
            wchar_t text[] = L"Col";
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 60;
            column.pszText = text;
            SendMessageW(List, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
        }
        Header = reinterpret_cast<HWND>(SendMessageW(List, LVM_GETHEADER, 0, 0));
    }
    void TearDown() override { delete Handler; }

    // The header as the handler paints it.
    std::unique_ptr<TBitmap> PaintedHeader()
    {
        RECT r{};
        GetClientRect(Header, &r);
        auto bmp = skintest::Bmp32(r.right, r.bottom, 0xFF123456u);
        Handler->PaintHeader(bmp->Canvas()->Handle());
        GdiFlush();
        return bmp;
    }

    // Pixel colours in the top-left corner of each column (clear of the caption).
    std::vector<std::uint32_t> ColumnColors()
    {
        auto bmp = PaintedHeader();
        return {Rgb(Px(*bmp, 1, 1)), Rgb(Px(*bmp, 61, 1)), Rgb(Px(*bmp, 121, 1))};
    }

    LPARAM HeaderScreenPoint(int X, int Y)
    {
        POINT p{X, Y};
        ClientToScreen(Header, &p);
        return MAKELPARAM(p.x, p.y);
    }
};

} // namespace

TEST_F(ListViewHandler, ColumnsShowHoverAndPressByTheirState)
{
    const auto ownHeaderProc = GetWindowLongPtrW(Header, GWLP_WNDPROC);
    const COLORREF ownBack = static_cast<COLORREF>(SendMessageW(List, LVM_GETBKCOLOR, 0, 0));
    Handler = new TacListViewWnd(List, nullptr, &Skin.Manager, L"EDIT", true);
    ASSERT_EQ(Handler->FhWndHeader, Header);
    const std::uint32_t normal = RgbOf(HeaderColor), hot = RgbOf(HeaderHotColor);
    EXPECT_EQ(ColumnColors(), (std::vector<std::uint32_t>{normal, normal, normal}));

    SendMessageW(Header, WM_NCHITTEST, 0, HeaderScreenPoint(90, 5));
    EXPECT_EQ(Handler->HoverColIndex, 1);
    EXPECT_EQ(ColumnColors(), (std::vector<std::uint32_t>{normal, hot, normal}));

    SendMessageW(Header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 5));
    EXPECT_EQ(Handler->FPressedColumn, 2);
    EXPECT_EQ(ColumnColors(), (std::vector<std::uint32_t>{normal, normal, hot})) << "a pressed column alone shows";
    SendMessageW(Header, WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
    ReleaseCapture();
    EXPECT_EQ(Handler->FPressedColumn, -1);

    // A press on a divider presses no column.
    SendMessageW(Header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 5));
    EXPECT_EQ(Handler->FPressedColumn, -1);
    SendMessageW(Header, WM_LBUTTONUP, 0, MAKELPARAM(60, 5));
    ReleaseCapture();

    // Skinned items on the section's colour; the list's own colours and header back afterwards.
    SendMessageW(List, WM_PAINT, 0, 0);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(List, LVM_GETBKCOLOR, 0, 0)), ColorToRGB(EditColor));
    delete Handler;
    Handler = nullptr;
    EXPECT_EQ(GetWindowLongPtrW(Header, GWLP_WNDPROC), ownHeaderProc);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(List, LVM_GETBKCOLOR, 0, 0)), ownBack);
}

TEST_F(ListViewHandler, DraggedThumbScrollsAReportByWholeItemsFromTheFullPosition)
{
    for (int i = 0; i < 50; ++i) {
        wchar_t text[] = L"item";
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        SendMessageW(List, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    Handler = new TacListViewWnd(List, nullptr, &Skin.Manager, L"EDIT", true);
    EXPECT_EQ(SendMessageW(List, SM_LUMACMD, MakeSkinWParam(AC_SCROLLSTART), 0), 1)
        << "the replaced bars send the whole position";
    ScrollTracking.LastPos = 0;
    SendMessageW(List, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 5);
    EXPECT_EQ(SendMessageW(List, LVM_GETTOPINDEX, 0, 0), 5);
    ScrollTracking.LastPos = -1;
}
