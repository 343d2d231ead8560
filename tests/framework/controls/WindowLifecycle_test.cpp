// Windows behind controls: the messages of creation, showing and destruction, WindowProc
// replaced and restored, the default handler of subclassed system classes, reflected
// notifications, and re-creation keeping the control's state.
#include "tests/framework/controls/ControlFixtures.h"

using namespace kvltest;

namespace {

class Lifecycle : public FormTest {};

TEST_F(Lifecycle, CreateShowDestroyMessageOrder)
{
    Form->HandleNeeded();
    auto* child = new TSolidControl(Form);
    child->SetBounds(10, 10, 50, 30);
    child->SetParent(Form);

    TMessageSequence seq;
    {
        TWindowProcRecorder rec(seq, child);
        TWindowRecorder parentRec(seq, Form->Handle(), msParent);
        child->HandleNeeded();
        // The window is the control's from its first message on; the font follows creation,
        // then the window takes its place in the z-order of its siblings.
        EXPECT_TRUE(seq.Matches({
            {WM_NCCREATE}, {WM_NCCALCSIZE}, {WM_CREATE}, {WM_SIZE}, {WM_MOVE},
            {WM_PARENTNOTIFY, msParent},
            {WM_SETFONT},
            {WM_WINDOWPOSCHANGING, msOptional}, {WM_WINDOWPOSCHANGED, msOptional},
        })) << "create";

        Form->Show();
        seq.Clear();
        child->SetVisible(false);
        EXPECT_TRUE(seq.Matches({
            {CM_VISIBLECHANGED, msWParam, 0}, {CM_SHOWINGCHANGED},
            {WM_WINDOWPOSCHANGING}, {WM_ERASEBKGND, msParent | msOptional}, {WM_WINDOWPOSCHANGED},
        })) << "hide";
        seq.Clear();
        child->SetVisible(true);
        EXPECT_TRUE(seq.Matches({
            {CM_VISIBLECHANGED, msWParam, 1}, {CM_SHOWINGCHANGED},
            {WM_WINDOWPOSCHANGING}, {WM_NCPAINT, msOptional},
            {WM_ERASEBKGND, msOptional}, {WM_WINDOWPOSCHANGED},
        })) << "show";
        seq.Clear();
    }
    // Destroying the control: the window goes first, then the control leaves its parent.
    TMessageSequence parentSeq;
    TWindowProcRecorder parentRec(parentSeq, static_cast<TWinControl*>(Form));
    parentSeq.Only = {CM_CONTROLLISTCHANGING, CM_CONTROLCHANGE, CM_CONTROLLISTCHANGE, WM_PARENTNOTIFY};
    HWND wnd = child->Handle();
    delete child;
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_TRUE(parentSeq.Matches({
        {WM_PARENTNOTIFY},
        {CM_CONTROLLISTCHANGING},
        {CM_CONTROLCHANGE, msLParam, 0},
        {CM_CONTROLLISTCHANGE, msLParam, 0},
    }));
    EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(Lifecycle, ShowingFormCreatesChildWindowsAndHidingHidesThem)
{
    auto* box = Add<TBox>(Form, 0, 0, 100, 100);
    auto* inner = Add<TSolidControl>(box, 5, 5, 20, 20);
    EXPECT_FALSE(box->HandleAllocated());
    TMessageSequence seq;
    seq.Only = {CM_SHOWINGCHANGED, WM_SHOWWINDOW};
    TWindowProcRecorder rec(seq, static_cast<TWinControl*>(Form));
    Form->Show();
    EXPECT_TRUE(inner->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(inner->Handle()));
    EXPECT_TRUE(Form->Showing() && box->Showing() && inner->Showing());
    EXPECT_TRUE(seq.Matches({{CM_SHOWINGCHANGED}, {WM_SHOWWINDOW, msWParam, 1}}));
    Form->Hide();
    EXPECT_FALSE(IsWindowVisible(Form->Handle()));
    EXPECT_FALSE(Form->Showing());
}

TEST_F(Lifecycle, WindowProcReplacedSeesMessagesUntilRestored)
{
    auto* child = Add<TSolidControl>(Form, 0, 0, 30, 30);
    child->HandleNeeded();
    TMessageSequence seq;
    seq.Only = {WM_USER + 7, WM_SETTEXT, CM_TEXTCHANGED, CM_COLORCHANGED};
    TWndMethod saved = child->WindowProc;
    child->WindowProc = [&](TMessage& m) {
        seq.Add(m);
        if (m.Msg == WM_USER + 7) {
            m.Result = 42;  // taken here, never reaches the control
            return;
        }
        saved(m);
    };
    EXPECT_EQ(SendMessageW(child->Handle(), WM_USER + 7, 0, 0), 42);
    child->SetText(L"abc");                        // Perform goes through WindowProc too
    EXPECT_EQ(child->Text(), L"abc");              // ... and is forwarded to the window
    EXPECT_TRUE(seq.Matches({{WM_USER + 7}, {WM_SETTEXT}, {CM_TEXTCHANGED}}));

    child->WindowProc = saved;
    seq.Clear();
    EXPECT_EQ(SendMessageW(child->Handle(), WM_USER + 7, 0, 0), 0);
    child->Perform(CM_COLORCHANGED);
    EXPECT_TRUE(seq.Matches({}));
}

// A control over the system's EDIT class: DefaultHandler reaches the edit's own procedure.
class TTestEdit : public TWinControl {
public:
    explicit TTestEdit(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }
    void CreateParams(TCreateParams& Params) override
    {
        TWinControl::CreateParams(Params);
        CreateSubClass(Params, L"EDIT");
        Params.Style |= ES_AUTOHSCROLL;
    }
    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == CN_COMMAND) {
            if (HIWORD(Message.WParam) == EN_CHANGE) ++Changes;
            return;
        }
        TWinControl::Dispatch(Message);
    }
    int Changes = 0;
};

TEST_F(Lifecycle, SubclassedSystemClassKeepsItsProcedureAndGetsReflectedCommands)
{
    auto* edit = Add<TTestEdit>(Form, 10, 10, 100, 20);
    edit->SetText(L"before");
    edit->HandleNeeded();
    wchar_t cls[64];
    GetClassNameW(edit->Handle(), cls, 64);
    EXPECT_STREQ(cls, L"TTestEdit");
    EXPECT_EQ(edit->Text(), L"before");  // the caption went into the window at creation
    EXPECT_NE(edit->DefWndProc(), reinterpret_cast<WNDPROC>(DefWindowProcW));
    // EM_ messages reach the edit procedure through DefaultHandler.
    SendMessageW(edit->Handle(), EM_SETSEL, 0, -1);
    SendMessageW(edit->Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"typed"));
    EXPECT_EQ(edit->Text(), L"typed");
    // The edit told its parent (WM_COMMAND EN_CHANGE); the form sent it back as CN_COMMAND.
    EXPECT_GE(edit->Changes, 1);
}

namespace other {
// Same class name as the edit above, over no system class.
class TTestEdit : public TSolidControl {
public:
    using TSolidControl::TSolidControl;
};
} // namespace other

TEST_F(Lifecycle, SameClassNameOverDifferentSystemClassesGetsTwoWindowClasses)
{
    auto* plain = Add<other::TTestEdit>(Form, 0, 0, 50, 20);
    auto* edit = Add<TTestEdit>(Form, 0, 30, 100, 20);
    wchar_t plainClass[64], editClass[64];
    GetClassNameW(plain->Handle(), plainClass, 64);
    GetClassNameW(edit->Handle(), editClass, 64);
    EXPECT_STREQ(plainClass, L"TTestEdit");
    EXPECT_STRNE(editClass, plainClass);
    SendMessageW(edit->Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"works"));
    EXPECT_EQ(edit->Text(), L"works");
}

TEST_F(Lifecycle, RecreateWndKeepsTextBoundsAndChildren)
{
    auto* box = Add<TBox>(Form, 5, 6, 120, 80);
    auto* inner = Add<TTestEdit>(box, 3, 4, 50, 20);
    Form->Show();
    inner->SetText(L"kept");
    HWND oldBox = box->Handle(), oldInner = inner->Handle();
    box->RecreateWnd();
    EXPECT_TRUE(box->HandleAllocated());
    EXPECT_NE(box->Handle(), oldBox);
    EXPECT_FALSE(IsWindow(oldInner));
    EXPECT_TRUE(inner->HandleAllocated());
    EXPECT_EQ(GetParent(inner->Handle()), box->Handle());
    EXPECT_EQ(inner->Text(), L"kept");
    RECT r;
    GetWindowRect(box->Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, Form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.right - r.left, 120);
    EXPECT_EQ(box->Left(), 5);
    EXPECT_TRUE(IsWindowVisible(inner->Handle()));
}

TEST_F(Lifecycle, ChildWithoutParentWindowCannotCreateOne)
{
    TSolidControl orphan(nullptr);
    EXPECT_THROW(orphan.HandleNeeded(), EInvalidOperation);
    EXPECT_FALSE(orphan.HandleAllocated());
    // Text without a window is kept by the control itself.
    orphan.SetText(L"no window");
    EXPECT_EQ(orphan.Text(), L"no window");
}

TEST_F(Lifecycle, FindControlMapsWindowsBackToControls)
{
    auto* child = Add<TSolidControl>(Form, 0, 0, 30, 30);
    EXPECT_EQ(FindControl(child->Handle()), child);
    EXPECT_EQ(FindControl(Form->Handle()), Form);
    EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);
    EXPECT_EQ(FindControl(nullptr), nullptr);
}

} // namespace
