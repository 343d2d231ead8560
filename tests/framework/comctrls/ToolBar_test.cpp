// Tool bars: buttons mirrored into the system bar (places, clicks, check groups) and custom draw.
#include "framework/comctrls/ToolBar.h"

#include <commctrl.h>
#include <string>
#include <vector>

#include "framework/comctrls/ComCtrlsTypes.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

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

} // namespace
