// Focus and keys: Tab order through nested containers (skipping what cannot take the focus),
// CM_EXIT/CM_ENTER along the parents, dialog keys routed to the form (Enter to the default
// button, Escape to the cancel button, Alt+letter accelerators, arrows inside a container),
// KeyPreview, and the wheel going to the focused control first.
#include "tests/framework/controls/ControlFixtures.h"

using namespace kvltest;

namespace {

class Focus : public FormTest {
protected:
    // Named focusable controls that log their enter and exit.
    template <class T = TFocusBox>
    T* Named(TWinControl* Parent, const String& Name, int Left)
    {
        auto* c = Add<T>(Parent, Left, 5, 40, 20);
        c->SetName(Name);
        c->OnEnter = [this, Name](TObject*) { Log.push_back(L"enter " + Name); };
        c->OnExit = [this, Name](TObject*) { Log.push_back(L"exit " + Name); };
        return c;
    }
    // A key as the message loop delivers it to the focused control. The form's own idea of its
    // focused control is used rather than GetFocus: test programs run side by side on one
    // desktop and may take the activation from each other at any moment.
    void Key(WORD VirtualKey, UINT Msg = WM_KEYDOWN, LPARAM KeyData = 1)
    {
        TWinControl* target = Form->ActiveControl() != nullptr ? Form->ActiveControl() : Form;
        PostMessageW(target->Handle(), Msg, VirtualKey, KeyData);
        Application->ProcessMessages();
    }
    String Focused()
    {
        TWinControl* c = Form->ActiveControl();
        return c != nullptr ? c->Name() : String(L"<none>");
    }
    std::vector<String> Log;
};

TEST_F(Focus, TabWalksTheTabOrderThroughNestedContainersAndSkipsWhatCannotFocus)
{
    auto* a = Named(Form, L"A", 0);
    auto* panel = Named<TBox>(Form, L"P", 50);
    panel->SetBounds(50, 5, 200, 40);
    auto* b = Named(panel, L"B", 0);
    auto* c = Named(panel, L"C", 50);
    auto* disabled = Named(panel, L"D", 100);
    disabled->SetEnabled(false);
    auto* hidden = Named(Form, L"E", 260);
    hidden->SetVisible(false);
    auto* f = Named(Form, L"F", 300);
    auto* noStop = Named(Form, L"G", 340);
    noStop->SetTabStop(false);
    ShowActive();
    a->SetFocus();
    ASSERT_EQ(Focused(), L"A");
    EXPECT_EQ(Screen->ActiveControl(), a);

    std::vector<String> order;
    for (int i = 0; i < 5; ++i) {
        Key(VK_TAB);
        order.push_back(Focused());
    }
    EXPECT_EQ(order, (std::vector<String>{L"B", L"C", L"F", L"A", L"B"}));

    TKeyState keys;
    keys.Down[VK_SHIFT] = true;
    order.clear();
    for (int i = 0; i < 3; ++i) {
        Key(VK_TAB);
        order.push_back(Focused());
    }
    EXPECT_EQ(order, (std::vector<String>{L"A", L"F", L"C"}));
    (void)b;
    (void)c;
    (void)f;
}

TEST_F(Focus, TabOrderCanBeRearranged)
{
    auto* a = Named(Form, L"A", 0);
    auto* b = Named(Form, L"B", 50);
    auto* c = Named(Form, L"C", 100);
    EXPECT_EQ(a->TabOrder(), 0);
    EXPECT_EQ(c->TabOrder(), 2);
    c->SetTabOrder(0);
    EXPECT_EQ(c->TabOrder(), 0);
    EXPECT_EQ(a->TabOrder(), 1);
    EXPECT_EQ(b->TabOrder(), 2);
    b->SetTabOrder(99);  // clamped to the last place
    EXPECT_EQ(b->TabOrder(), 2);
    std::vector<TWinControl*> list;
    Form->GetTabOrderList(list);
    EXPECT_EQ(list, (std::vector<TWinControl*>{c, a, b}));
}

TEST_F(Focus, FocusChangeExitsAndEntersAlongTheParents)
{
    auto* a = Named(Form, L"A", 0);
    auto* panel = Named<TBox>(Form, L"P", 50);
    panel->SetBounds(50, 5, 200, 40);
    auto* b = Named(panel, L"B", 0);
    auto* c = Named(panel, L"C", 50);
    auto* watcher = Add<TSolidGraphic>(Form, 0, 100, 10, 10);
    TMessageSequence seq;
    seq.Only = {CM_FOCUSCHANGED};
    TWindowProcRecorder rec(seq, watcher);
    ShowActive();
    a->SetFocus();
    Log.clear();
    seq.Clear();

    b->SetFocus();
    c->SetFocus();
    a->SetFocus();
    EXPECT_EQ(Log, (std::vector<String>{L"exit A", L"enter P", L"enter B", L"exit B", L"enter C", L"exit C", L"exit P", L"enter A"}));
    // Every focus change is broadcast, with the new focused control in LParam.
    EXPECT_TRUE(seq.Matches({{CM_FOCUSCHANGED, msLParam, 0, reinterpret_cast<LPARAM>(b)},
                             {CM_FOCUSCHANGED, msLParam, 0, reinterpret_cast<LPARAM>(c)},
                             {CM_FOCUSCHANGED, msLParam, 0, reinterpret_cast<LPARAM>(a)}}));
}

TEST_F(Focus, HidingOrDisablingTheFocusedControlGivesTheFocusUp)
{
    auto* a = Named(Form, L"A", 0);
    auto* b = Named(Form, L"B", 50);
    ShowActive();
    b->SetFocus();
    ASSERT_EQ(Form->ActiveControl(), b);
    b->SetVisible(false);
    EXPECT_NE(Form->ActiveControl(), b);
    EXPECT_FALSE(b->CanFocus());
    EXPECT_THROW(b->SetFocus(), EInvalidOperation);
    a->SetFocus();
    a->SetEnabled(false);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(a->Handle()));
}

TEST_F(Focus, DialogKeysReachTheDefaultAndCancelButtons)
{
    auto* edit = Named(Form, L"Edit", 0);
    auto* ok = Add<TTestButton>(Form, 100, 100, 75, 25);
    ok->Default = true;
    auto* cancel = Add<TTestButton>(Form, 200, 100, 75, 25);
    cancel->Cancel = true;
    ShowActive();
    edit->SetFocus();
    Key(VK_RETURN);
    EXPECT_EQ(ok->Clicks, 1);
    EXPECT_EQ(cancel->Clicks, 0);
    Key(VK_ESCAPE);
    EXPECT_EQ(cancel->Clicks, 1);
    EXPECT_EQ(ok->Clicks, 1);

    // A control that wants Enter itself keeps it: the key arrives as its own key-down.
    WORD seen = 0;
    edit->OnKeyDown = [&](TObject*, WORD& K, TShiftState) { seen = K; };
    TWndMethod old = edit->WindowProc;
    edit->WindowProc = [&](TMessage& m) {
        if (m.Msg == CM_WANTSPECIALKEY && m.WParam == VK_RETURN) {
            m.Result = 1;
            return;
        }
        old(m);
    };
    Key(VK_RETURN);
    edit->WindowProc = old;
    EXPECT_EQ(ok->Clicks, 1);
    EXPECT_EQ(seen, VK_RETURN);
}

TEST_F(Focus, AltAcceleratorClicksTheButtonWithThatLetter)
{
    auto* edit = Named(Form, L"Edit", 0);
    auto* save = Add<TTestButton>(Form, 100, 100, 75, 25);
    save->SetCaption(L"&Save");
    auto* other = Add<TTestButton>(Form, 200, 100, 75, 25);
    other->SetCaption(L"&Open");
    other->SetEnabled(false);
    ShowActive();
    edit->SetFocus();
    Key(L's', WM_SYSCHAR);
    EXPECT_EQ(save->Clicks, 1);
    Key(L'O', WM_SYSCHAR);
    EXPECT_EQ(other->Clicks, 0);  // a disabled button does not answer
    // A plain character (no Alt) becomes an accelerator only where the control does not want chars.
    Key(L'S', WM_CHAR);
    EXPECT_EQ(save->Clicks, 2);
    EXPECT_TRUE(IsAccel(L'x', L"E&xit"));
    EXPECT_FALSE(IsAccel(L'x', L"Fish && Chips"));
}

TEST_F(Focus, ArrowsMoveWithinTheContainerOfTheFocusedControl)
{
    auto* panel = Named<TBox>(Form, L"P", 0);
    panel->SetBounds(0, 0, 300, 50);
    auto* b = Named(panel, L"B", 0);
    Named(panel, L"C", 50);
    Named(Form, L"Outside", 0)->SetTop(100);
    ShowActive();
    b->SetFocus();
    Key(VK_DOWN);
    EXPECT_EQ(Focused(), L"C");
    Key(VK_RIGHT);
    EXPECT_EQ(Focused(), L"B");  // wraps inside the panel, never leaves it
    Key(VK_UP);
    EXPECT_EQ(Focused(), L"C");
}

TEST_F(Focus, KeyPreviewLetsTheFormSeeKeysFirst)
{
    auto* edit = Named(Form, L"Edit", 0);
    std::vector<String> seen;
    edit->OnKeyDown = [&](TObject*, WORD& K, TShiftState) { seen.push_back(L"edit"); };
    Form->OnKeyDown = [&](TObject*, WORD& K, TShiftState) {
        seen.push_back(L"form");
        if (K == L'Q') K = 0;
    };
    ShowActive();
    edit->SetFocus();
    Key(L'A');
    EXPECT_EQ(seen, (std::vector<String>{L"edit"}));
    seen.clear();
    Form->SetKeyPreview(true);
    Key(L'A');
    Key(L'Q');  // the form takes it: the edit never sees it
    EXPECT_EQ(seen, (std::vector<String>{L"form", L"edit", L"form"}));

    // Characters too: the form may change them before the control gets them.
    edit->OnKeyPress = [&](TObject*, wchar_t& C) { seen.push_back(String(L"edit char ") + C); };
    Form->OnKeyPress = [&](TObject*, wchar_t& C) {
        if (C == L'a') C = L'b';
    };
    seen.clear();
    Key(L'a', WM_CHAR);
    EXPECT_EQ(seen, (std::vector<String>{L"edit char b"}));
}

TEST_F(Focus, KeyUpAndShiftStateComeThroughTheKeyStateSeam)
{
    auto* edit = Named(Form, L"Edit", 0);
    TShiftState shift;
    WORD up = 0;
    edit->OnKeyDown = [&](TObject*, WORD&, TShiftState S) { shift = S; };
    edit->OnKeyUp = [&](TObject*, WORD& K, TShiftState) { up = K; };
    ShowActive();
    edit->SetFocus();
    TKeyState keys;
    keys.Down[VK_CONTROL] = true;
    Key(L'K');
    EXPECT_TRUE(shift.Contains(ssCtrl));
    EXPECT_FALSE(shift.Contains(ssShift));
    Key(L'K', WM_KEYDOWN, 1 | AltMask);
    EXPECT_TRUE(shift.Contains(ssAlt));
    Key(L'K', WM_KEYUP);
    EXPECT_EQ(up, L'K');
}

TEST_F(Focus, WheelGoesToTheFocusedControlThenUpItsParents)
{
    auto* panel = Named<TBox>(Form, L"P", 0);
    panel->SetBounds(0, 0, 300, 50);
    auto* b = Named(panel, L"B", 0);
    std::vector<String> log;
    int handledBy = 0;  // 1: B, 2: P
    b->OnMouseWheel = [&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
        log.push_back(L"B " + std::to_wstring(Delta));
        Handled = handledBy == 1;
    };
    panel->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& Handled) {
        log.push_back(L"P");
        Handled = handledBy == 2;
    };
    Form->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool&) { log.push_back(L"Form"); };
    ShowActive();
    b->SetFocus();
    // Sent to the panel's window: the focused control still comes first.
    handledBy = 2;
    SendMessageW(panel->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(10, 10));
    EXPECT_EQ(log, (std::vector<String>{L"B -120", L"P"}));
    log.clear();
    handledBy = 0;
    SendMessageW(b->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(10, 10));
    EXPECT_EQ(log, (std::vector<String>{L"B 120", L"P", L"Form"}));
    log.clear();
    int downs = 0;
    b->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        ++downs;
        Handled = true;
    };
    // Not handled by OnMouseWheel: whole notches become OnMouseWheelDown/Up.
    SendMessageW(b->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA / 2)), MAKELPARAM(10, 10));
    EXPECT_EQ(downs, 0);
    EXPECT_EQ(log, (std::vector<String>{L"B -60", L"P", L"Form"}));
    log.clear();
    SendMessageW(b->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA / 2)), MAKELPARAM(10, 10));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(log, (std::vector<String>{L"B -60"}));
}

} // namespace
