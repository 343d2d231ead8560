// The scroll-bar handler on a real list box in a real top-level window: the room the bars take,
// the bars and the corner box painted into a memory bitmap, the size grip only on the parent's
// client corner, and the mouse: arrow repeat on a fake clock, the dragged thumb's scroll
// requests, swallowed right clicks and foreign timers.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/core/sMessages.h"
#include "skin/subclass/acSBUtilsScrollBars.h"
#include "tests/skin/subclass/FakeTimerClock.h"
#include "tests/skin/subclass/HandlerTestWindows.h"

using namespace handlertest;
using skintest::Px;

namespace {

// The messages a list box received below the handler.
struct TRecordedMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};
std::vector<TRecordedMessage> Received;
WNDPROC ListBoxProc = nullptr;

LRESULT CALLBACK RecordingProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    Received.push_back({Msg, WParam, LParam});
    return CallWindowProcW(ListBoxProc, Wnd, Msg, WParam, LParam);
}

// Scroll requests (code, position) that reached the list box.
std::vector<std::pair<int, int>> ScrollRequests(UINT Msg = WM_VSCROLL)
{
    std::vector<std::pair<int, int>> out;
    for (const TRecordedMessage& m : Received)
        if (m.Msg == Msg) out.emplace_back(LOWORD(m.WParam), static_cast<short>(HIWORD(m.WParam)));
    return out;
}

int CountOf(UINT Msg)
{
    int n = 0;
    for (const TRecordedMessage& m : Received) n += m.Msg == Msg;
    return n;
}

class ScrollHandler : public ::testing::Test {
protected:
    TTestSkinManager Skin;
    HWND Parent = nullptr;
    HWND List = nullptr;
    TacScrollWnd* Handler = nullptr;

    void SetUp() override
    {
        Parent = MakeHostWindow();
        Received.clear();
    }

    void TearDown() override
    {
        delete Handler;
        DestroyWindow(Parent);
    }

    // A bordered list box with both bars and Items lines, skinned by a scroll-bar handler.
    void MakeList(int X, int Y, int W, int H, int Items = 30, DWORD ExStyle = 0)
    {
        List = CreateWindowExW(ExStyle, L"LISTBOX", L"",
                               WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT |
                                   LBS_DISABLENOSCROLL,
                               X, Y, W, H, Parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        // Filled while hidden: a visible list box repaints its bar for every line.
        for (int i = 0; i < Items; ++i) SendMessageW(List, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"line"));
        ShowWindow(List, SW_SHOWNA);
        ListBoxProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(List, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc)));
        Handler = new TacScrollWnd(List, nullptr, &Skin.Manager, L"EDIT", true);
        Received.clear();
    }

    int Thickness(int Bar) const { return ScrollBarSize(Bar == SB_BAR_VERT ? *Handler->sBarVert : *Handler->sBarHorz, true, false); }

    // The window's bars and corner box as the handler paints them.
    std::unique_ptr<TBitmap> PaintedBars()
    {
        RECT r{};
        GetWindowRect(List, &r);
        auto bmp = skintest::Bmp32(r.right - r.left, r.bottom - r.top, 0xFF123456u);
        Handler->DrawScrollBars(List, -1, bmp->Canvas()->Handle());
        GdiFlush();
        return bmp;
    }

    // Screen point at (X, Y) of the window.
    POINT WindowPoint(int X, int Y) const
    {
        RECT r{};
        GetWindowRect(List, &r);
        return POINT{r.left + X, r.top + Y};
    }

    LRESULT NonClient(UINT Msg, WPARAM HitCode, POINT Screen)
    {
        return SendMessageW(List, Msg, HitCode, MAKELPARAM(Screen.x, Screen.y));
    }

    void MoveMouse(POINT Screen)
    {
        POINT client = Screen;
        ScreenToClient(List, &client);
        SendMessageW(List, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    }
};

} // namespace

TEST_F(ScrollHandler, NonClientSizeKeepsTheBorderAndTakesTheBarsRoom)
{
    MakeList(10, 10, 200, 150);
    EXPECT_EQ(Handler->cxLeftEdge, 1);
    EXPECT_EQ(Handler->cxRightEdge, 1);
    EXPECT_EQ(Handler->cyTopEdge, 1);
    EXPECT_EQ(Handler->cyBottomEdge, 1);
    EXPECT_TRUE(Handler->sBarHorz->fScrollVisible);
    EXPECT_TRUE(Handler->sBarVert->fScrollVisible);
    RECT client{};
    GetClientRect(List, &client);
    EXPECT_EQ(client.right, 200 - 2 - Thickness(SB_BAR_VERT));
    EXPECT_EQ(client.bottom, 150 - 2 - Thickness(SB_BAR_HORZ));

    // Too low for the horizontal bar: the style keeps WS_HSCROLL, the bar takes no room.
    const int low = 2 + Thickness(SB_BAR_HORZ) - 1;
    SetWindowPos(List, nullptr, 0, 0, 200, low, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_FALSE(Handler->sBarHorz->fScrollVisible);
    EXPECT_NE(GetWindowLongPtrW(List, GWL_STYLE) & WS_HSCROLL, 0);
    GetClientRect(List, &client);
    EXPECT_EQ(client.bottom, low - 2);
}

TEST_F(ScrollHandler, BarsArePaintedFromTheSkinOnTheirSide)
{
    for (DWORD exStyle : {DWORD(0), DWORD(WS_EX_LEFTSCROLLBAR)}) {
        SCOPED_TRACE(exStyle == 0 ? "right" : "left");
        MakeList(10, 10, 200, 150, 30, exStyle);
        auto bmp = PaintedBars();
        const int v = Thickness(SB_BAR_VERT);
        const int h = Thickness(SB_BAR_HORZ);
        const int barLeft = exStyle == 0 ? 200 - 1 - v : 1;
        EXPECT_EQ(Rgb(Px(*bmp, barLeft, 1)), RgbOf(ArrowBefore)) << "up arrow at the top";
        EXPECT_EQ(Rgb(Px(*bmp, barLeft, 150 - 2 - h)), RgbOf(ArrowAfter)) << "down arrow above the corner box";
        EXPECT_EQ(Rgb(Px(*bmp, barLeft + v / 2, 1 + ScrollArrowWidth + 1)), RgbOf(Thumb)) << "thumb at the top";
        EXPECT_EQ(Px(*bmp, 100, 50), 0xFF123456u) << "the client area is left alone";
        delete Handler;
        Handler = nullptr;
        DestroyWindow(List);
    }
}

TEST_F(ScrollHandler, GripOnlyWhereTheCornerBoxClosesOffTheTopLevelClientCorner)
{
    MakeList(100, 150, 200, 150);  // on the bottom-right corner of the parent's client area
    auto atCorner = PaintedBars();
    EXPECT_EQ(Rgb(Px(*atCorner, 200 - 2, 150 - 2)), RgbOf(Grip));
    EXPECT_EQ(NonClient(WM_NCHITTEST, 0, WindowPoint(200 - 2, 150 - 2)), HTBOTTOMRIGHT);

    SetWindowPos(List, nullptr, 90, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    auto inside = PaintedBars();
    EXPECT_EQ(Rgb(Px(*inside, 200 - 2, 150 - 2)), RgbOf(EditColor)) << "the box shows the window's background";
    EXPECT_NE(NonClient(WM_NCHITTEST, 0, WindowPoint(200 - 2, 150 - 2)), HTBOTTOMRIGHT);
}

TEST_F(ScrollHandler, HeldArrowScrollsNowThenAfter300ThenEvery55WhileThePointerStaysOnIt)
{
    faketimer_test::FakeTimerClock clock;
    MakeList(10, 10, 200, 150);
    const int v = Thickness(SB_BAR_VERT), h = Thickness(SB_BAR_HORZ);
    const POINT downArrow = WindowPoint(200 - 1 - v / 2, 150 - 2 - h - 2);
    const POINT elsewhere = WindowPoint(50, 50);
    SetCursorPos(downArrow.x, downArrow.y);

    NonClient(WM_NCLBUTTONDOWN, HTVSCROLL, downArrow);
    EXPECT_EQ(ScrollRequests(), (std::vector<std::pair<int, int>>{{SB_LINEDOWN, 0}}));
    EXPECT_EQ(GetCapture(), List);
    EXPECT_EQ(clock.Period(List, RepeatDelayTimerId), 300u);
    clock.Advance(299);
    EXPECT_EQ(CountOf(WM_VSCROLL), 1);
    clock.Advance(1);
    EXPECT_EQ(CountOf(WM_VSCROLL), 1) << "the delay only starts the repeat";
    EXPECT_EQ(clock.Period(List, RepeatTimerId), 55u);
    clock.Advance(54);
    EXPECT_EQ(CountOf(WM_VSCROLL), 1);
    clock.Advance(1);
    EXPECT_EQ(CountOf(WM_VSCROLL), 2);
    clock.Advance(110);
    EXPECT_EQ(CountOf(WM_VSCROLL), 4);

    // Off the arrow the repeat pauses; back on it, it goes on.
    SetCursorPos(elsewhere.x, elsewhere.y);
    clock.Advance(110);
    EXPECT_EQ(CountOf(WM_VSCROLL), 4);
    SetCursorPos(downArrow.x, downArrow.y);
    clock.Advance(55);
    EXPECT_EQ(CountOf(WM_VSCROLL), 5);

    SendMessageW(List, WM_LBUTTONUP, 0, 0);
    const auto requests = ScrollRequests();
    EXPECT_EQ(requests.back(), (std::pair<int, int>{SB_ENDSCROLL, 0}));
    EXPECT_FALSE(clock.Running(List, RepeatTimerId));
    EXPECT_NE(GetCapture(), List);
    clock.Advance(500);
    EXPECT_EQ(CountOf(WM_VSCROLL), 6);
}

TEST_F(ScrollHandler, PartUnderThePointerShowsHotUntilThePointerLeavesTheBar)
{
    faketimer_test::FakeTimerClock clock;
    MakeList(10, 10, 200, 150);
    RECT bar{};
    Handler->VertScrollRect(List, bar);
    int thumbSize = 0, thumbStart = 0;
    GetThumbMetrics(*Handler->sBarVert, bar, thumbSize, thumbStart);
    const POINT onThumb{bar.left + 1, thumbStart + 1};  // clear of the thumb's glyph
    RECT window{};
    GetWindowRect(List, &window);
    auto thumbPixel = [&] { return Rgb(Px(*PaintedBars(), onThumb.x - window.left, onThumb.y - window.top)); };

    SetCursorPos(onThumb.x, onThumb.y);
    NonClient(WM_NCMOUSEMOVE, HTVSCROLL, onThumb);
    EXPECT_EQ(clock.Period(List, HoverTimerId), 20u);
    EXPECT_EQ(thumbPixel(), RgbOf(Thumb)) << "hot only once the hover timer found the part";
    clock.Advance(20);
    EXPECT_EQ(ScrollTracking.HoverPortion, sbpThumb);
    EXPECT_EQ(thumbPixel(), RgbOf(PartHot));

    SetCursorPos(window.left - 20, window.top - 20);
    clock.Advance(20);
    EXPECT_FALSE(clock.Running(List, HoverTimerId));
    EXPECT_EQ(ScrollTracking.HoverBar, -1);
    EXPECT_EQ(thumbPixel(), RgbOf(Thumb));
}

TEST_F(ScrollHandler, DraggedThumbTracksOnlyChangesThenEndsWithTheLastPosition)
{
    MakeList(10, 10, 200, 150, 20);
    SCROLLINFO si{sizeof(si), SIF_ALL};
    GetScrollInfo(List, SB_VERT, &si);
    ASSERT_GT(si.nPage, 0u);
    const int lastPage = si.nMax - static_cast<int>(si.nPage) + 1;
    RECT bar{};
    Handler->VertScrollRect(List, bar);
    int thumbSize = 0, thumbStart = 0;
    GetThumbMetrics(*Handler->sBarVert, bar, thumbSize, thumbStart);
    const int x = (bar.left + bar.right) / 2;
    const POINT grab{x, thumbStart + thumbSize / 2};

    NonClient(WM_NCLBUTTONDOWN, HTVSCROLL, grab);
    EXPECT_TRUE(Handler->fThumbTracking);
    MoveMouse(POINT{x, grab.y + 1});
    MoveMouse(POINT{x, grab.y + 1});
    EXPECT_TRUE(ScrollRequests().empty()) << "a pixel too little for the next position sends nothing";
    MoveMouse(POINT{x, bar.bottom + 40});
    MoveMouse(POINT{x, bar.bottom + 50});
    EXPECT_EQ(ScrollRequests(), (std::vector<std::pair<int, int>>{{SB_THUMBTRACK, lastPage}}))
        << "the end of the track is the last page's start";
    MoveMouse(POINT{x, bar.top - 50});
    SendMessageW(List, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(ScrollRequests(), (std::vector<std::pair<int, int>>{{SB_THUMBTRACK, lastPage},
                                                                  {SB_THUMBTRACK, 0},
                                                                  {SB_THUMBPOSITION, 0},
                                                                  {SB_ENDSCROLL, 0}}));
    EXPECT_FALSE(Handler->fThumbTracking);
}

TEST_F(ScrollHandler, RightAndMiddleClicksOnABarAndForeignTimersReachTheWindowAsTheyShould)
{
    MakeList(10, 10, 200, 150);
    const POINT onBar = WindowPoint(200 - 3, 60);
    for (UINT msg : {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCMBUTTONDOWN, WM_NCMBUTTONUP}) {
        NonClient(msg, HTVSCROLL, onBar);
        NonClient(msg, HTCLIENT, onBar);
        EXPECT_EQ(CountOf(msg), 1) << "only the click off the bars arrives: " << msg;
    }
    SendMessageW(List, WM_TIMER, 77, 0);
    EXPECT_EQ(CountOf(WM_TIMER), 1);
    EXPECT_EQ(SendMessageW(List, SM_LUMACMD, MakeSkinWParam(AC_QUERYSKINNED), 0), 1);
    EXPECT_EQ(CountOf(WM_UPDATEUISTATE), 0);
    SendMessageW(List, WM_UPDATEUISTATE, 0, 0);
    EXPECT_EQ(CountOf(WM_UPDATEUISTATE), 0);
}
