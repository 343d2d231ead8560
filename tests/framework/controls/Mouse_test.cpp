// The mouse: messages routed to graphic children, capture while a button is down (held through
// the parent's window for a graphic control), clicks only when released inside, double clicks,
// enter/leave tracking across windowed and graphic controls, and cancel mode.
#include "tests/framework/controls/ControlFixtures.h"

using namespace kvltest;

namespace {

class Mouse : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Box = Add<TBox>(Form, 10, 10, 200, 100);
        Box->SetName(L"Box");
        ShowActive();
        // The real cursor rests on the box, so the system's leave tracking agrees with the test.
        TPoint p = Box->ClientToScreen(TPoint{5, 5});
        SetCursorPos(p.x, p.y);
        PumpPending();
        // Whatever the real cursor did so far is forgotten: the tests send their own moves.
        SendMessageW(Box->Handle(), WM_MOUSELEAVE, 0, 0);
    }
    void Watch(TControl* C)
    {
        String name = C->Name();
        C->OnMouseDown = [this, name](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
            Log.push_back(name + L" down " + Xy(X, Y) + (S.Contains(ssDouble) ? L" double" : L"") + (B == mbRight ? L" right" : L""));
        };
        C->OnMouseUp = [this, name](TObject*, TMouseButton, TShiftState, int X, int Y) { Log.push_back(name + L" up " + Xy(X, Y)); };
        C->OnMouseMove = [this, name](TObject*, TShiftState, int X, int Y) { Log.push_back(name + L" move " + Xy(X, Y)); };
        C->OnClick = [this, name](TObject*) { Log.push_back(name + L" click"); };
        C->OnDblClick = [this, name](TObject*) { Log.push_back(name + L" dblclick"); };
        C->OnMouseEnter = [this, name](TObject*) { Log.push_back(name + L" enter"); };
        C->OnMouseLeave = [this, name](TObject*) { Log.push_back(name + L" leave"); };
    }
    static String Xy(int X, int Y) { return std::to_wstring(X) + L"," + std::to_wstring(Y); }
    void Send(TWinControl* C, UINT Msg, WPARAM Keys, int X, int Y) { SendMessageW(C->Handle(), Msg, Keys, MAKELPARAM(X, Y)); }

    TBox* Box = nullptr;
    std::vector<String> Log;
};

TEST_F(Mouse, GraphicChildGetsItsMessagesAndHoldsTheCaptureThroughItsParent)
{
    auto* g = Add<TSolidGraphic>(Box, 20, 20, 40, 30);
    g->SetName(L"G");
    Watch(g);
    Send(Box, WM_LBUTTONDOWN, MK_LBUTTON, 30, 25);
    EXPECT_EQ(GetCaptureControl(), g);
    EXPECT_EQ(GetCapture(), Box->Handle());
    EXPECT_TRUE(g->MouseCapture());
    EXPECT_TRUE(g->ControlState().Contains(csLButtonDown));
    // While captured, moves far outside still go to the child, in its coordinates.
    Send(Box, WM_MOUSEMOVE, MK_LBUTTON, 150, 80);
    Send(Box, WM_LBUTTONUP, 0, 30, 25);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(g->MouseCapture());
    Log.erase(std::remove_if(Log.begin(), Log.end(), [](const String& s) { return s.find(L"enter") != String::npos || s.find(L"leave") != String::npos; }), Log.end());
    EXPECT_EQ(Log, (std::vector<String>{L"G down 10,5", L"G move 130,60", L"G click", L"G up 10,5"}));

    // Released outside: no click.
    Log.clear();
    Send(Box, WM_LBUTTONDOWN, MK_LBUTTON, 30, 25);
    Send(Box, WM_LBUTTONUP, 0, 150, 80);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), L"G click"), 0);
    EXPECT_EQ(Log.back(), L"G up 130,60");
}

TEST_F(Mouse, WindowedControlCapturesAndClicks)
{
    auto* w = Add<TSolidControl>(Box, 100, 20, 50, 50);
    w->SetName(L"W");
    Watch(w);
    Send(w, WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
    EXPECT_EQ(GetCapture(), w->Handle());
    EXPECT_EQ(GetCaptureControl(), w);
    Send(w, WM_LBUTTONUP, 0, 5, 6);
    Send(w, WM_RBUTTONDOWN, MK_RBUTTON, 7, 8);
    Send(w, WM_RBUTTONUP, 0, 7, 8);
    Log.erase(std::remove_if(Log.begin(), Log.end(), [](const String& s) { return s.find(L"enter") != String::npos; }), Log.end());
    EXPECT_EQ(Log, (std::vector<String>{L"W down 5,6", L"W click", L"W up 5,6", L"W down 7,8 right", L"W up 7,8"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Mouse, DoubleClickFiresDblClickAndADoubleMouseDown)
{
    auto* g = Add<TSolidGraphic>(Box, 20, 20, 40, 30);
    g->SetName(L"G");
    Watch(g);
    Send(Box, WM_LBUTTONDOWN, MK_LBUTTON, 30, 25);
    Send(Box, WM_LBUTTONUP, 0, 30, 25);
    Send(Box, WM_LBUTTONDBLCLK, MK_LBUTTON, 30, 25);
    Send(Box, WM_LBUTTONUP, 0, 30, 25);
    EXPECT_NE(std::find(Log.begin(), Log.end(), L"G dblclick"), Log.end());
    EXPECT_NE(std::find(Log.begin(), Log.end(), L"G down 10,5 double"), Log.end());
    // Without csDoubleClicks the second click is a plain one.
    Log.clear();
    g->SetControlStyle(g->ControlStyle() - TControlStyle{csDoubleClicks});
    Send(Box, WM_LBUTTONDBLCLK, MK_LBUTTON, 30, 25);
    Send(Box, WM_LBUTTONUP, 0, 30, 25);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), L"G dblclick"), 0);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), L"G click"), 1);
}

TEST_F(Mouse, EnterAndLeaveFollowTheMouseAcrossControls)
{
    Watch(Box);
    auto* g = Add<TSolidGraphic>(Box, 20, 20, 40, 30);
    g->SetName(L"G");
    Watch(g);
    auto* w = Add<TSolidControl>(Box, 100, 20, 50, 50);
    w->SetName(L"W");
    Watch(w);
    auto moves = [this] {
        std::vector<String> v;
        for (const String& s : Log)
            if (s.find(L"move") == String::npos) v.push_back(s);
        Log.clear();
        return v;
    };
    Send(Box, WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(moves(), (std::vector<String>{L"Box enter"}));
    Send(Box, WM_MOUSEMOVE, 0, 30, 25);
    EXPECT_EQ(moves(), (std::vector<String>{L"Box leave", L"G enter"}));
    EXPECT_TRUE(g->MouseInClient());
    Send(w, WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(moves(), (std::vector<String>{L"G leave", L"W enter"}));
    Send(Box, WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(moves(), (std::vector<String>{L"W leave", L"Box enter"}));
    EXPECT_EQ(GetMouseControl(), Box);
    // The system says the mouse left the box's window.
    SendMessageW(Box->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(moves(), (std::vector<String>{L"Box leave"}));
    EXPECT_EQ(GetMouseControl(), nullptr);
    EXPECT_FALSE(Box->MouseInClient());
}

TEST_F(Mouse, EnterReachesTheParentsWithTheControlInLParam)
{
    auto* g = Add<TSolidGraphic>(Box, 20, 20, 40, 30);
    TMessageSequence seq;
    seq.Only = {CM_MOUSEENTER, CM_MOUSELEAVE};
    TWindowProcRecorder rec(seq, static_cast<TWinControl*>(Box));
    Send(Box, WM_MOUSEMOVE, 0, 30, 25);
    EXPECT_TRUE(seq.Matches({{CM_MOUSEENTER, msLParam, 0, reinterpret_cast<LPARAM>(g)}}));
}

TEST_F(Mouse, ClickOnTheFormCancelsTheModeOfTheFocusedControl)
{
    auto* focused = Add<TFocusBox>(Form, 250, 10, 40, 20);
    focused->SetFocus();
    SetActiveWindow(Form->Handle());  // only an active form cancels modes
    TMessageSequence seq;
    seq.Only = {CM_CANCELMODE};
    TWindowProcRecorder rec(seq, focused);
    Send(Box, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Send(Box, WM_LBUTTONUP, 0, 5, 5);
    EXPECT_TRUE(seq.Matches({{CM_CANCELMODE, msLParam, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(Box))}}));
}

TEST_F(Mouse, CancelModeEndsACaptureWithoutAClick)
{
    auto* g = Add<TSolidGraphic>(Box, 20, 20, 40, 30);
    g->SetName(L"G");
    Watch(g);
    Send(Box, WM_LBUTTONDOWN, MK_LBUTTON, 30, 25);
    ASSERT_EQ(GetCaptureControl(), g);
    SendMessageW(Box->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(g->ControlState().Contains(csLButtonDown));
    EXPECT_EQ(std::count(Log.begin(), Log.end(), L"G click"), 0);
}

} // namespace
