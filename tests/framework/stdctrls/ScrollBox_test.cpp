// Scroll box: the range follows the children, the window's bars show exactly when the range
// does not fit, and every way of scrolling (position, bar messages, ScrollInView, focus) moves
// the children by the scrolled distance and no further than the range.
#include "framework/stdctrls/ScrollBox.h"

#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class ScrollBoxes : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Box = Add<TScrollBox>(Form, 10, 10, 200, 120);
        Near = Add<TSolidControl>(Box, 10, 10, 50, 30);
        Far = Add<TFocusBox>(Box, 20, 300, 60, 40);
        ShowActive();
    }
    bool HasBar(DWORD Style) const { return (GetWindowLongW(Box->Handle(), GWL_STYLE) & Style) != 0; }

    TScrollBox* Box = nullptr;
    TSolidControl* Near = nullptr;
    TFocusBox* Far = nullptr;
};

TEST_F(ScrollBoxes, RangeFollowsTheChildrenAndShowsOnlyTheNeededBar)
{
    EXPECT_EQ(Box->VertScrollBar()->Range(), 340);
    EXPECT_EQ(Box->HorzScrollBar()->Range(), 80);
    EXPECT_TRUE(HasBar(WS_VSCROLL));
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_EQ(Box->VertScrollBar()->ScrollPos(), 340 - Box->ClientHeight());
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Box->Handle(), SB_VERT, &info);
    EXPECT_EQ(info.nMax, 339);
    EXPECT_EQ(static_cast<int>(info.nPage), Box->ClientHeight());

    // A child moved past the right edge brings the other bar; Margin adds room.
    Near->SetLeft(300);
    EXPECT_EQ(Box->HorzScrollBar()->Range(), 350);
    EXPECT_TRUE(HasBar(WS_HSCROLL));
    Box->VertScrollBar()->SetMargin(10);
    Near->SetLeft(10);
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_EQ(Box->VertScrollBar()->Range(), 350);
    delete Far;
    EXPECT_EQ(Box->VertScrollBar()->Range(), 50);
    EXPECT_FALSE(HasBar(WS_VSCROLL));
}

TEST_F(ScrollBoxes, ScrollingMovesTheChildrenWithinTheRange)
{
    Box->VertScrollBar()->SetPosition(100);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 100);
    EXPECT_EQ(Near->Top(), -90);
    EXPECT_EQ(Far->Top(), 200);
    RECT r;
    GetWindowRect(Far->Handle(), &r);
    POINT p{r.left, r.top};
    ScreenToClient(Box->Handle(), &p);
    EXPECT_EQ(p.y, 200);
    EXPECT_EQ(GetScrollPos(Box->Handle(), SB_VERT), 100);

    Box->VertScrollBar()->SetPosition(10000);
    const int last = 340 - Box->ClientHeight();
    EXPECT_EQ(Box->VertScrollBar()->Position(), last);
    EXPECT_EQ(Far->Top() + Far->Height(), Box->ClientHeight());

    struct Case {
        WORD Code;
        int Expected;
    };
    Box->VertScrollBar()->SetIncrement(7);
    const Case cases[] = {{SB_TOP, 0}, {SB_LINEDOWN, 7}, {SB_LINEDOWN, 14}, {SB_LINEUP, 7},
                          {SB_PAGEDOWN, 7 + Box->ClientHeight()}, {SB_BOTTOM, last}, {SB_PAGEDOWN, last}};
    for (const Case& c : cases) {
        SendMessageW(Box->Handle(), WM_VSCROLL, c.Code, 0);
        EXPECT_EQ(Box->VertScrollBar()->Position(), c.Expected) << c.Code;
        EXPECT_EQ(Near->Top(), 10 - c.Expected) << c.Code;
    }
    // Growing the box leaves no room to scroll: the children come back.
    Box->SetHeight(400);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 0);
    EXPECT_EQ(Near->Top(), 10);
    EXPECT_FALSE(HasBar(WS_VSCROLL));
}

TEST_F(ScrollBoxes, ScrollInViewAndFocusBringAChildIntoSight)
{
    // Showing the form gave the first tab stop the focus, which scrolled it into view.
    EXPECT_TRUE(Far->Focused());
    EXPECT_EQ(Far->Top() + Far->Height(), Box->ClientHeight());
    Box->VertScrollBar()->SetPosition(0);
    Box->ScrollInView(Far);
    EXPECT_EQ(Far->Top() + Far->Height(), Box->ClientHeight());
    Box->ScrollInView(Near);
    EXPECT_EQ(Near->Top(), 0);
    Box->VertScrollBar()->SetMargin(5);
    Box->ScrollInView(Far);
    EXPECT_EQ(Far->Top() + Far->Height() + 5, Box->ClientHeight());

    Box->VertScrollBar()->SetPosition(0);
    Near->SetFocus();
    EXPECT_EQ(Box->VertScrollBar()->Position(), 0);
    Far->SetFocus();
    EXPECT_TRUE(Far->Focused());
    EXPECT_GT(Box->VertScrollBar()->Position(), 0);
    EXPECT_LE(Far->Top() + Far->Height(), Box->ClientHeight());
}

TEST_F(ScrollBoxes, ExplicitRangeEndsAutoScroll)
{
    Box->VertScrollBar()->SetPosition(0);
    Box->VertScrollBar()->SetRange(1000);
    EXPECT_FALSE(Box->AutoScroll());
    Far->SetTop(50);
    EXPECT_EQ(Box->VertScrollBar()->Range(), 1000);
    Box->VertScrollBar()->SetPosition(900);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 1000 - Box->ClientHeight());
    Box->VertScrollBar()->SetVisible(false);
    EXPECT_FALSE(HasBar(WS_VSCROLL));
    EXPECT_EQ(Box->VertScrollBar()->Position(), 0);
    EXPECT_EQ(Far->Top(), 50);
    Box->SetAutoScroll(true);
    EXPECT_EQ(Box->VertScrollBar()->Range(), 90);
}

} // namespace
