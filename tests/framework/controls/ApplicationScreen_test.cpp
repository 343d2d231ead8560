// The application window and its hooks, the screen (forms, cursors, monitors, fonts) and hints.
#include "tests/framework/controls/ControlFixtures.h"

#include "framework/facts/SystemFacts.h"

using namespace kvltest;

namespace {

class AppScreen : public FormTest {};

TEST_F(AppScreen, HooksSeeTheApplicationWindowsMessagesFirst)
{
    HWND app = Application->Handle();
    ASSERT_NE(app, nullptr);
    EXPECT_FALSE(IsWindowVisible(app));
    std::vector<UINT> first, second;
    int tag1 = 0, tag2 = 0;
    Application->HookMainWindow([&](TMessage& m) {
        first.push_back(m.Msg);
        if (m.Msg == WM_USER + 10) {
            m.Result = 99;
            return true;  // stops here
        }
        return false;
    }, &tag1);
    Application->HookMainWindow([&](TMessage& m) {
        second.push_back(m.Msg);
        return false;
    }, &tag2);
    // The hook installed last sees the message first.
    EXPECT_EQ(SendMessageW(app, WM_USER + 10, 0, 0), 99);
    EXPECT_EQ(second, (std::vector<UINT>{WM_USER + 10}));
    EXPECT_EQ(first, (std::vector<UINT>{WM_USER + 10}));
    Application->UnhookMainWindow(&tag1);
    Application->UnhookMainWindow(&tag2);
    first.clear();
    EXPECT_EQ(SendMessageW(app, WM_USER + 10, 0, 0), 0);
    EXPECT_TRUE(first.empty());
}

TEST_F(AppScreen, ScreenKeepsTheFormsAndTheActiveOne)
{
    int before = Screen->FormCount();
    auto* second = TForm::CreateNew(nullptr);
    EXPECT_EQ(Screen->FormCount(), before + 1);
    auto* box = Add<TFocusBox>(Form, 0, 0, 40, 20);
    ShowActive();
    box->SetFocus();
    EXPECT_EQ(Screen->ActiveForm(), Form);
    EXPECT_EQ(Screen->ActiveControl(), box);
    EXPECT_EQ(Screen->Forms(0), Form);  // the active form comes first
    delete second;
    EXPECT_EQ(Screen->FormCount(), before);
    delete box;
    EXPECT_NE(Screen->ActiveControl(), box);
}

TEST_F(AppScreen, CursorsAreRegisteredByIndexAndScreenCursorSetsTheCursor)
{
    HCURSOR custom = CopyCursor(LoadCursorW(nullptr, IDC_CROSS));
    Screen->SetCursors(5, custom);
    EXPECT_EQ(Screen->Cursors(5), custom);
    EXPECT_EQ(Screen->Cursors(1234), Screen->Cursors(crDefault));  // unknown: the arrow
    EXPECT_EQ(Screen->Cursors(crHourGlass), LoadCursorW(nullptr, IDC_WAIT));
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    Screen->SetCursor(5);
    EXPECT_EQ(GetCursor(), custom);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(AppScreen, ControlCursorComesFromWmSetCursor)
{
    auto* box = Add<TFocusBox>(Form, 0, 0, 40, 20);
    box->SetCursor(crHandPoint);
    box->HandleNeeded();
    LRESULT r = SendMessageW(box->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(box->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(r, 1);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(AppScreen, MonitorsAndMetrics)
{
    ASSERT_GE(Screen->MonitorCount(), 1);
    TMonitor* m = Screen->MonitorFromPoint(TPoint{1, 1});
    ASSERT_NE(m, nullptr);
    TRect bounds = m->BoundsRect(), work = m->WorkareaRect();
    EXPECT_TRUE(PtInRect(&bounds, POINT{1, 1}));
    EXPECT_GE(work.left, bounds.left);
    EXPECT_LE(work.right, bounds.right);
    EXPECT_EQ(Screen->PrimaryMonitor(), m);
    EXPECT_EQ(Screen->MonitorFromWindow(Form->Handle()), m);
    EXPECT_EQ(m->Width(), Screen->Width());
    EXPECT_EQ(Screen->MonitorFromPoint(TPoint{-30000, -30000}, mdNull), nullptr);
    TRect area = Screen->WorkAreaRect();
    EXPECT_GT(area.right - area.left, 0);
    EXPECT_EQ(Screen->PixelsPerInch(), 96);
    EXPECT_GT(Screen->Fonts()->Count(), 0);
    EXPECT_GE(Screen->Fonts()->IndexOf(L"Tahoma"), 0);
}

TEST_F(AppScreen, MonitorsComeFromTheSystemFacts)
{
    struct TTwoMonitors : TSystemFacts {
        std::vector<TMonitorFacts> Monitors() override
        {
            TMonitorFacts left{reinterpret_cast<HMONITOR>(0x1001), {-800, 0, 0, 600}, {-800, 0, 0, 570}, false};
            TMonitorFacts right{reinterpret_cast<HMONITOR>(0x1002), {0, 0, 1024, 768}, {0, 0, 1024, 740}, true};
            return {left, right};
        }
    } facts;
    TSystemFactsOverride use(facts);
    ASSERT_EQ(2, Screen->MonitorCount());
    EXPECT_EQ(Screen->Monitors(1), Screen->PrimaryMonitor());
    TRect bounds = Screen->Monitors(0)->BoundsRect(), work = Screen->Monitors(1)->WorkareaRect();
    EXPECT_EQ(-800, bounds.left);
    EXPECT_EQ(740, work.bottom);
    EXPECT_FALSE(Screen->Monitors(0)->Primary());
}

TEST_F(AppScreen, HintWindowShowsWithoutTakingActivation)
{
    ShowActive();
    THintWindow hint(nullptr);
    TRect small = hint.CalcHintRect(1000, L"Hi", nullptr);
    TRect wide = hint.CalcHintRect(1000, L"A much longer hint text", nullptr);
    TRect wrapped = hint.CalcHintRect(60, L"A much longer hint text", nullptr);
    EXPECT_GT(wide.right, small.right);
    EXPECT_GT(wrapped.bottom, wide.bottom);
    OffsetRect(&wide, 100, 100);
    hint.ActivateHint(wide, L"A much longer hint text");
    ASSERT_TRUE(hint.HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(hint.Handle()));
    EXPECT_NE(GetActiveWindow(), hint.Handle());
    EXPECT_NE(GetForegroundWindow(), hint.Handle());
    EXPECT_NE(GetWindowLongW(hint.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(hint.Caption(), L"A much longer hint text");
    EXPECT_EQ(hint.Left(), 100);
    EXPECT_EQ(SendMessageW(hint.Handle(), WM_NCHITTEST, 0, MAKELPARAM(110, 110)), HTTRANSPARENT);
    // Its pixels: the hint colour behind dark text.
    TPixelBuffer pixels(wide.right - wide.left, wide.bottom - wide.top + 4);
    hint.PaintTo(pixels.DC(), 0, 0);
    EXPECT_EQ(pixels.At(2, 2), static_cast<COLORREF>(ColorToRGB(clInfoBk)));
    hint.ReleaseHandle();
    EXPECT_FALSE(hint.HandleAllocated());
}

TEST_F(AppScreen, ApplicationShowsTheShortHintOfTheControlUnderTheMouse)
{
    auto* box = Add<TFocusBox>(Form, 20, 20, 100, 50);
    box->SetHint(L"Short|Long text");
    box->SetShowHint(true);
    ShowActive();
    // Other test programs share the desktop: their activation would cancel our hint.
    int hookTag = 0;
    Application->HookMainWindow([](TMessage& m) { return m.Msg == WM_ACTIVATEAPP; }, &hookTag);
    Application->SetHintPause(20);
    TPoint p = box->ClientToScreen(TPoint{10, 10});
    SetCursorPos(p.x, p.y);
    THintInfo seen;
    TMessageSequence asked;
    asked.Only = {CM_HINTSHOW};
    TWndMethod old = box->WindowProc;
    box->WindowProc = [&](TMessage& m) {
        asked.Add(m);
        if (m.Msg == CM_HINTSHOW) seen = *reinterpret_cast<THintInfo*>(m.LParam);
        old(m);
    };
    SendMessageW(box->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(Application->HintControl(), box);
    // Only timers are run meanwhile: the real cursor is shared with other test programs.
    auto hintShown = [&] { return Application->HintWindow() != nullptr && Application->HintWindow()->HandleAllocated(); };
    for (DWORD start = GetTickCount(); !hintShown() && GetTickCount() - start < 2000;) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
            DispatchMessageW(&msg);
        else
            Sleep(5);
    }
    ASSERT_TRUE(hintShown());
    EXPECT_TRUE(asked.Matches({{CM_HINTSHOW}}));
    EXPECT_EQ(seen.HintControl, box);
    EXPECT_EQ(seen.HintStr, L"Short");
    EXPECT_EQ(Application->HintWindow()->Caption(), L"Short");
    EXPECT_EQ(GetShortHint(L"Short|Long text"), L"Short");
    EXPECT_EQ(GetLongHint(L"Short|Long text"), L"Long text");
    // A click takes it away.
    PostMessageW(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Application->ProcessMessages();
    EXPECT_FALSE(Application->HintWindow()->HandleAllocated());
    box->WindowProc = old;
    // A control answering CM_HINTSHOW with non-zero shows nothing.
    Application->CancelHint();
    box->WindowProc = [&](TMessage& m) {
        if (m.Msg == CM_HINTSHOW) {
            m.Result = 1;
            return;
        }
        old(m);
    };
    SendMessageW(box->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 12));
    for (DWORD start = GetTickCount(); GetTickCount() - start < 150;) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
            DispatchMessageW(&msg);
        else
            Sleep(5);
    }
    EXPECT_FALSE(Application->HintWindow()->HandleAllocated());
    box->WindowProc = old;
    Application->UnhookMainWindow(&hookTag);
}

TEST_F(AppScreen, ShiftStatesAskTheKeyStateOfTheFacts)
{
    TKeyState keys;
    keys.Down[VK_SHIFT] = true;
    EXPECT_LT(SystemFacts().KeyState(VK_SHIFT), 0);
    EXPECT_GE(SystemFacts().KeyState(VK_CONTROL), 0);
    EXPECT_TRUE(KeyboardStateToShiftState().Contains(ssShift));
    EXPECT_FALSE(KeyboardStateToShiftState().Contains(ssCtrl));
    EXPECT_TRUE(KeyDataToShiftState(0).Contains(ssShift));
}

// The test's held keys go in force over the facts a test already put in force: they change the
// key state, keep the other answers and give the test's facts back when they go.
TEST_F(AppScreen, HeldKeysLayerOverTheFactsInForce)
{
    struct TTestFacts : TSystemFacts {
        std::vector<UINT> Beeps;
        DWORD TickCount() override { return 77; }
        void Beep(UINT Type) override { Beeps.push_back(Type); }
    } facts;
    TSystemFactsOverride use(facts);
    {
        TKeyState keys;
        keys.Down[VK_SHIFT] = true;
        EXPECT_LT(SystemFacts().KeyState(VK_SHIFT), 0);
        EXPECT_EQ(77u, SystemFacts().TickCount());
        SystemFacts().Beep(MB_ICONHAND);
    }
    EXPECT_EQ(&facts, &SystemFacts());
    EXPECT_EQ(facts.Beeps, (std::vector<UINT>{MB_ICONHAND}));
}

} // namespace
