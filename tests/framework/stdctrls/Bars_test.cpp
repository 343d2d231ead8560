// Bars: status-bar panels in the window (edges, texts, alignment, simple mode, owner drawing),
// tool buttons mirrored into the system bar (places, clicks, check groups, custom draw), and
// the positions and events of track bars, scroll bars and up-down controls driven by keys and
// clicks.
#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/comctrls/ToolBar.h"
#include "framework/comctrls/TrackBar.h"
#include "framework/comctrls/UpDown.h"
#include "framework/stdctrls/ScrollBar.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Memo.h"
#include "tests/framework/stdctrls/StdControlsTestSupport.h"

using namespace kvltest;

namespace {

String PartText(HWND Bar, int Part)
{
    wchar_t text[128] = {};
    SendMessageW(Bar, SB_GETTEXTW, static_cast<WPARAM>(Part), reinterpret_cast<LPARAM>(text));
    return text;
}

class StatusBars : public FormTest {};

TEST_F(StatusBars, PanelsGoIntoTheWindowWithTheirEdgesAndTexts)
{
    auto* bar = new TStatusBar(Form);
    bar->SetParent(Form);
    struct Panel {
        const wchar_t* Text;
        int Width;
        TAlignment Alignment;
        const wchar_t* Shown;
    };
    const Panel panels[] = {
        {L"本月共工作", 80, taLeftJustify, L"本月共工作"},
        {L"12", 40, taCenter, L"\t12"},
        {L"天", 60, taRightJustify, L"\t\t天"},
    };
    for (const Panel& p : panels) {
        TStatusPanel* panel = bar->Panels()->Add();
        panel->SetText(p.Text);
        panel->SetWidth(p.Width);
        panel->SetAlignment(p.Alignment);
    }
    ShowActive();
    HWND wnd = bar->Handle();
    int edges[3] = {};
    ASSERT_EQ(SendMessageW(wnd, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 80);
    EXPECT_EQ(edges[1], 120);
    EXPECT_EQ(edges[2], -1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(PartText(wnd, i), panels[i].Shown) << i;
    // The bar sits at the bottom of the form.
    EXPECT_EQ(bar->Top() + bar->Height(), Form->ClientHeight());
    EXPECT_NE(GetWindowLongW(wnd, GWL_STYLE) & SBARS_SIZEGRIP, 0);

    bar->Panels()->Items(1)->SetText(L"31");
    EXPECT_EQ(PartText(wnd, 1), L"\t31");
    bar->Panels()->Items(0)->SetWidth(100);
    SendMessageW(wnd, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 100);
    EXPECT_EQ(edges[1], 140);

    bar->SetSimpleText(L"简单");
    bar->SetSimplePanel(true);
    EXPECT_NE(SendMessageW(wnd, SB_ISSIMPLE, 0, 0), 0);
    // A simple bar answers for its one part under index 0.
    EXPECT_EQ(PartText(wnd, 0), L"简单");
    bar->SetSimplePanel(false);
    EXPECT_EQ(SendMessageW(wnd, SB_ISSIMPLE, 0, 0), 0);
    EXPECT_EQ(PartText(wnd, 0), L"本月共工作");

    // A new window gets the panels again.
    bar->RecreateWnd();
    EXPECT_EQ(PartText(bar->Handle(), 2), L"\t\t天");
}

TEST_F(StatusBars, OwnerDrawnPanelsAreDrawnByOnDrawPanel)
{
    auto* bar = new TStatusBar(Form);
    bar->SetParent(Form);
    bar->Panels()->Add()->SetText(L"plain");
    TStatusPanel* drawn = bar->Panels()->Add();
    drawn->SetStyle(psOwnerDraw);
    std::vector<TStatusPanel*> calls;
    TRect drawnRect{};
    bar->OnDrawPanel = [&](TCustomStatusBar* sender, TStatusPanel* panel, const TRect& r) {
        calls.push_back(panel);
        drawnRect = r;
        sender->Canvas()->Brush()->SetColor(clRed);
        sender->Canvas()->FillRect(r);
    };
    ShowActive();
    InvalidateRect(bar->Handle(), nullptr, TRUE);
    UpdateWindow(bar->Handle());
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), drawn);
    RECT part{};
    SendMessageW(bar->Handle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    EXPECT_GE(drawnRect.left, part.left);
    EXPECT_LE(drawnRect.right, part.right);
    // What the handler painted is on the screen.
    HDC dc = GetDC(bar->Handle());
    COLORREF c = GetPixel(dc, (drawnRect.left + drawnRect.right) / 2, (drawnRect.top + drawnRect.bottom) / 2);
    ReleaseDC(bar->Handle(), dc);
    EXPECT_EQ(c, RGB(255, 0, 0));
}

class ToolBars : public FormTest {
protected:
    TToolButton* AddButton(TToolBar* Bar, TToolButtonStyle Style, const String& Caption)
    {
        auto* button = new TToolButton(Form);
        button->SetStyle(Style);
        button->SetCaption(Caption);
        button->SetParent(Bar);
        return button;
    }
};

TEST_F(ToolBars, ButtonsTakeTheirPlacesFromTheBarAndReportClicks)
{
    auto* bar = new TToolBar(Form);
    bar->SetParent(Form);
    bar->SetShowCaptions(true);
    auto* open = AddButton(bar, tbsButton, L"Open");
    auto* sep = AddButton(bar, tbsSeparator, L"");
    auto* left = AddButton(bar, tbsCheck, L"L");
    auto* right = AddButton(bar, tbsCheck, L"R");
    left->SetGrouped(true);
    right->SetGrouped(true);
    ShowActive();
    HWND wnd = bar->Handle();
    ASSERT_EQ(SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0), 4);
    EXPECT_EQ(bar->ButtonCount(), 4);
    for (int i = 0; i < 4; ++i) {
        RECT r{};
        SendMessageW(wnd, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        TToolButton* b = bar->Buttons(i);
        EXPECT_EQ(b->Index(), i);
        EXPECT_EQ(b->Left(), r.left) << i;
        EXPECT_EQ(b->Width(), r.right - r.left) << i;
    }
    EXPECT_EQ(sep->Width(), 8);
    EXPECT_TRUE(bar->Align() == alTop && bar->Top() == 0);

    std::vector<String> clicks;
    for (TToolButton* b : {open, left, right}) b->OnClick = [&clicks, b](TObject*) { clicks.push_back(b->Caption()); };
    auto click = [&](TToolButton* b) { ClickAt(wnd, b->Left() + b->Width() / 2, b->Top() + b->Height() / 2); };
    click(open);
    click(left);
    EXPECT_TRUE(left->Down());
    click(right);
    EXPECT_TRUE(right->Down());
    EXPECT_FALSE(left->Down());
    EXPECT_EQ(clicks, (std::vector<String>{L"Open", L"L", L"R"}));
    EXPECT_NE(SendMessageW(wnd, TB_ISBUTTONCHECKED, 3, 0), 0);

    // Down from code goes to the window and releases the rest of the group.
    left->SetDown(true);
    EXPECT_FALSE(right->Down());
    EXPECT_NE(SendMessageW(wnd, TB_ISBUTTONCHECKED, 2, 0), 0);
    EXPECT_EQ(SendMessageW(wnd, TB_ISBUTTONCHECKED, 3, 0), 0);
    open->SetEnabled(false);
    EXPECT_EQ(SendMessageW(wnd, TB_ISBUTTONENABLED, 0, 0), 0);

    // A freed button leaves the bar.
    delete sep;
    EXPECT_EQ(SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(left->Index(), 1);
}

TEST_F(ToolBars, CustomDrawEventsSeeTheBarAndEachButton)
{
    auto* bar = new TToolBar(Form);
    bar->SetParent(Form);
    auto* first = AddButton(bar, tbsButton, L"A");
    auto* second = AddButton(bar, tbsButton, L"B");
    std::vector<TToolButton*> drawn;
    int barDraws = 0;
    bar->OnAdvancedCustomDraw = [&](TToolBar* sender, const TRect&, TCustomDrawStage stage, bool& defaultDraw) {
        EXPECT_EQ(sender, bar);
        if (stage == cdPrePaint) ++barDraws;
    };
    bar->OnAdvancedCustomDrawButton = [&](TToolBar*, TToolButton* button, TCustomDrawState, TCustomDrawStage stage,
                                          TTBCustomDrawFlags& flags, bool& defaultDraw) {
        if (stage != cdPrePaint) return;
        drawn.push_back(button);
        // The button paints itself: a red square where the system would have drawn it.
        TRect r = Bounds(button->Left(), button->Top(), button->Width(), button->Height());
        bar->Canvas()->Brush()->SetColor(clRed);
        bar->Canvas()->FillRect(r);
        defaultDraw = false;
    };
    ShowActive();
    InvalidateRect(bar->Handle(), nullptr, TRUE);
    UpdateWindow(bar->Handle());
    EXPECT_GE(barDraws, 1);
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn[drawn.size() - 2], first);
    EXPECT_EQ(drawn.back(), second);
    HDC dc = GetDC(bar->Handle());
    COLORREF c = GetPixel(dc, second->Left() + second->Width() / 2, second->Top() + second->Height() / 2);
    ReleaseDC(bar->Handle(), dc);
    EXPECT_EQ(c, RGB(255, 0, 0));
}

class TrackBars : public FormTest {};

TEST_F(TrackBars, PositionKeepsWithinTheRangeAndUserMovesFireOnChange)
{
    auto* track = new TTrackBar(Form);
    track->SetMax(20);
    track->SetPosition(25);
    EXPECT_EQ(track->Position(), 20);
    track->SetPosition(-3);
    EXPECT_EQ(track->Position(), 0);
    track->SetPosition(7);
    track->SetBounds(10, 10, 200, 45);
    track->SetParent(Form);
    int changes = 0;
    track->OnChange = [&](TObject*) { ++changes; };
    ShowActive();
    HWND wnd = track->Handle();
    EXPECT_EQ(SendMessageW(wnd, TBM_GETPOS, 0, 0), 7);
    EXPECT_EQ(SendMessageW(wnd, TBM_GETRANGEMAX, 0, 0), 20);

    track->SetPosition(9);
    EXPECT_EQ(changes, 0);
    track->SetFocus();
    SendMessageW(wnd, WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(track->Position(), 10);
    SendMessageW(wnd, WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(track->Position(), 12);
    EXPECT_GE(changes, 2);

    track->SetMax(11);
    EXPECT_EQ(track->Position(), 11);
    track->SetOrientation(trVertical);
    EXPECT_NE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_VERT, 0);
    EXPECT_EQ(track->Width(), 45);
    EXPECT_EQ(track->Position(), 11);
}

class ScrollBars : public FormTest {};

TEST_F(ScrollBars, ParamsAreCheckedAndEveryNewPositionFiresOnChange)
{
    auto* bar = Add<TScrollBar>(Form, 10, 10, 150, 17);
    std::vector<std::pair<TScrollCode, int>> scrolls;
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    bar->OnScroll = [&](TObject*, TScrollCode code, int& pos) { scrolls.push_back({code, pos}); };
    ShowActive();
    EXPECT_THROW(bar->SetParams(5, 10, 0), EScrollBarError);
    EXPECT_THROW(bar->SetPageSize(200), EScrollBarError);
    bar->SetParams(50, 0, 60);
    EXPECT_EQ(changes, 1);
    bar->SetPosition(50);
    EXPECT_EQ(changes, 1);
    bar->SetPosition(99);
    EXPECT_EQ(bar->Position(), 60);
    bar->SetPageSize(11);
    EXPECT_EQ(bar->Position(), 50);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar->Handle(), SB_CTL, &info);
    EXPECT_EQ(info.nMax, 60);
    EXPECT_EQ(info.nPage, 11u);
    EXPECT_EQ(info.nPos, 50);

    changes = 0;
    bar->SetSmallChange(3);
    bar->SetLargeChange(10);
    bar->SetPosition(20);
    bar->SetFocus();
    SendMessageW(bar->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageW(bar->Handle(), WM_KEYDOWN, VK_NEXT, 1);
    SendMessageW(bar->Handle(), WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(bar->Position(), 30);
    std::vector<std::pair<TScrollCode, int>> expected = {{scLineDown, 23}, {scPageDown, 33}, {scLineUp, 30}};
    std::vector<std::pair<TScrollCode, int>> moves;
    for (auto& s : scrolls)
        if (s.first != scEndScroll) moves.push_back(s);
    EXPECT_EQ(moves, expected);
    EXPECT_EQ(changes, 4);
    // OnScroll may change where the thumb goes.
    bar->OnScroll = [](TObject*, TScrollCode, int& pos) { pos = 5; };
    SendMessageW(bar->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(bar->Position(), 5);

    bar->SetKind(sbVertical);
    EXPECT_NE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBS_VERT, 0);
    EXPECT_EQ(bar->Height(), 150);
    GetScrollInfo(bar->Handle(), SB_CTL, &info);
    EXPECT_EQ(info.nPos, 5);
}

class UpDowns : public FormTest {};

TEST_F(UpDowns, ClicksAskOnChangingThenReportTheButton)
{
    auto* edit = Add<TEdit>(Form, 10, 10, 60, 21);
    auto* updown = Add<TUpDown>(Form, 70, 10, 17, 21);
    updown->SetMin(1);
    updown->SetMax(3);
    updown->SetPosition(2);
    updown->SetAssociate(edit);
    std::vector<std::string> log;
    bool allow = true;
    updown->OnChanging = [&](TObject*, bool& a) {
        log.push_back("changing " + std::to_string(updown->Position()));
        a = allow;
    };
    updown->OnClick = [&](TObject*, TUDBtnType b) {
        log.push_back(std::string(b == btNext ? "next " : "prev ") + std::to_string(updown->Position()));
    };
    ShowActive();
    EXPECT_EQ(edit->Text(), L"2");

    HWND wnd = updown->Handle();
    RECT r;
    GetClientRect(wnd, &r);
    ClickAt(wnd, r.right / 2, 2);
    EXPECT_EQ(updown->Position(), 3);
    EXPECT_EQ(edit->Text(), L"3");
    ClickAt(wnd, r.right / 2, r.bottom - 2);
    EXPECT_EQ(updown->Position(), 2);
    allow = false;
    ClickAt(wnd, r.right / 2, r.bottom - 2);
    EXPECT_EQ(updown->Position(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"changing 2", "next 3", "changing 3", "prev 2", "changing 2"}));

    // Past the end the position wraps when Wrap is on; the button is still the one pressed.
    allow = true;
    log.clear();
    updown->SetWrap(true);
    updown->SetPosition(3);
    SendMessageW(updown->Handle(), WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(updown->Position(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"changing 3", "next 1"}));
    updown->SetIncrement(2);
    updown->SetMax(10);
    SendMessageW(updown->Handle(), WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(updown->Position(), 3);
    EXPECT_EQ(edit->Text(), L"3");
}

} // namespace
