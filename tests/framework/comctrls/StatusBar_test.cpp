// Status bars: panels in the window (edges, texts, alignment, simple mode) and owner drawing.
#include "framework/comctrls/StatusBar.h"

#include <commctrl.h>
#include <string>
#include <vector>

#include "tests/support/ControlTestSupport.h"

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

} // namespace
