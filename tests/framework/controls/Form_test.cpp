// Forms: the frame from BorderStyle/BorderIcons, client size, placement, the order of the form's
// events, closing (CloseQuery, OnClose actions, Release), ShowModal driven by posted messages and
// timers, and exceptions from handlers reaching the message box with the loop running on.
#include "tests/framework/controls/ControlFixtures.h"

#include "framework/classes/Timer.h"

using namespace kvltest;

namespace {

class Forms : public FormTest {};

TEST_F(Forms, BorderStyleAndIconsMakeTheWindowStyles)
{
    struct TCase {
        TFormBorderStyle Border;
        TBorderIcons Icons;
        DWORD Has, HasNot, ExHas;
    };
    const TCase cases[] = {
        {bsSizeable, {biSystemMenu, biMinimize, biMaximize}, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, WS_POPUP, 0},
        {bsSingle, {biSystemMenu}, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MAXIMIZEBOX, 0},
        {bsDialog, {biSystemMenu, biMinimize, biMaximize}, WS_CAPTION | WS_SYSMENU | WS_POPUP, WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, WS_EX_DLGMODALFRAME},
        {bsNone, {biSystemMenu}, WS_POPUP, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, 0},
        {bsToolWindow, {biSystemMenu, biMinimize}, WS_CAPTION, WS_MINIMIZEBOX, WS_EX_TOOLWINDOW},
        {bsSizeToolWin, {biSystemMenu}, WS_CAPTION | WS_THICKFRAME, 0, WS_EX_TOOLWINDOW},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Border));
        TForm* form = TForm::CreateNew(nullptr);
        form->SetBorderStyle(c.Border);
        form->SetBorderIcons(c.Icons);
        DWORD style = static_cast<DWORD>(GetWindowLongW(form->Handle(), GWL_STYLE));
        DWORD ex = static_cast<DWORD>(GetWindowLongW(form->Handle(), GWL_EXSTYLE));
        EXPECT_EQ(style & c.Has, c.Has);
        EXPECT_EQ(style & c.HasNot, 0u);
        EXPECT_EQ(ex & c.ExHas, c.ExHas);
        EXPECT_EQ(style & WS_CHILD, 0u);
        // Changing the border of a live window restyles it in place.
        form->SetBorderStyle(bsSizeable);
        EXPECT_NE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_THICKFRAME, 0);
        delete form;
    }
}

TEST_F(Forms, AlphaBlendMakesALayeredWindow)
{
    Form->SetAlphaBlend(true);
    Form->SetAlphaBlendValue(128);
    EXPECT_NE(GetWindowLongW(Form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(Form->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_NE(flags & LWA_ALPHA, 0u);
    Form->SetAlphaBlend(false);
    EXPECT_EQ(GetWindowLongW(Form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST_F(Forms, ClientSizeIsSettableWithAndWithoutAWindow)
{
    Form->SetClientWidth(300);
    Form->SetClientHeight(200);
    EXPECT_FALSE(Form->HandleAllocated());
    RECT client;
    GetClientRect(Form->Handle(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    Form->SetClientWidth(120);
    EXPECT_EQ(Form->ClientWidth(), 120);
    EXPECT_GT(Form->Width(), 120);
}

TEST_F(Forms, ScreenCenterPlacesTheFormWhenShown)
{
    Form->SetPosition(poScreenCenter);
    Form->SetBounds(0, 0, 200, 100);
    Form->Show();
    EXPECT_EQ(Form->Left(), (Screen->Width() - 200) / 2);
    EXPECT_EQ(Form->Top(), (Screen->Height() - 100) / 2);
    RECT r;
    GetWindowRect(Form->Handle(), &r);
    EXPECT_EQ(r.left, Form->Left());
}

TEST_F(Forms, EventsComeInTheirOrder)
{
    std::vector<String> log;
    auto* form = new TForm(nullptr);
    form->OnCreate = [&](TObject*) { log.push_back(L"create"); };
    form->OnShow = [&](TObject*) { log.push_back(L"show"); };
    form->OnActivate = [&](TObject*) { log.push_back(L"activate"); };
    form->OnHide = [&](TObject*) { log.push_back(L"hide"); };
    form->OnClose = [&](TObject*, TCloseAction& A) { log.push_back(L"close"); };
    form->OnCloseQuery = [&](TObject*, bool& C) { log.push_back(L"closequery"); };
    form->OnDestroy = [&](TObject*) { log.push_back(L"destroy"); };
    form->OnResize = [&](TObject*) { log.push_back(L"resize"); };
    form->AfterConstruction();
    form->SetBounds(10, 10, 200, 150);
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpPending();
    form->Close();
    delete form;
    // Resizes come from the window (its creation and the bounds); the rest in the classic order.
    log.erase(std::remove(log.begin(), log.end(), L"resize"), log.end());
    EXPECT_EQ(log, (std::vector<String>{L"create", L"show", L"activate", L"closequery", L"close", L"hide", L"destroy"}));
}

TEST_F(Forms, CloseActions)
{
    Form->Show();
    TCloseAction action = caNone;
    Form->OnClose = [&](TObject*, TCloseAction& A) { A = action; };
    Form->Close();
    EXPECT_TRUE(Form->Visible());
    action = caMinimize;
    Form->Close();
    EXPECT_EQ(Form->WindowState(), wsMinimized);
    action = caHide;
    Form->Close();
    EXPECT_FALSE(Form->Visible());
    // OnCloseQuery can refuse.
    Form->Show();
    Form->OnCloseQuery = [](TObject*, bool& CanClose) { CanClose = false; };
    Form->Close();
    EXPECT_TRUE(Form->Visible());
}

TEST_F(Forms, CloseWithFreeReleasesTheFormAfterPendingMessages)
{
    auto* form = TForm::CreateNew(nullptr);
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->OnClose = [](TObject*, TCloseAction& A) { A = caFree; };
    form->Show();
    int before = Screen->FormCount();
    form->Close();
    EXPECT_FALSE(destroyed);  // still alive inside Close
    Application->ProcessMessages();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Screen->FormCount(), before - 1);
}

TEST_F(Forms, ClosingTheMainFormTerminatesTheApplication)
{
    TForm* main = nullptr;
    Application->CreateForm(&main);
    ASSERT_EQ(Application->MainForm(), main);
    main->Show();
    main->Close();
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(main->Visible());  // the application ends; the form is not hidden first
    delete main;
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(Forms, ShowModalRunsUntilAModalResultArrivesByAPostedMessage)
{
    auto* ok = Add<TTestButton>(Form, 10, 10, 75, 25);
    ok->Default = true;
    ok->ModalResult = mrOk;
    auto* other = TForm::CreateNew(nullptr);
    other->Show();
    bool otherDisabledDuringModal = false;
    TWndMethod old = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_USER + 1) {
            otherDisabledDuringModal = !IsWindowEnabled(other->Handle());
            // Enter on the focused control: the default button sets the form's ModalResult.
            PostMessageW(Form->ActiveControl()->Handle(), WM_KEYDOWN, VK_RETURN, 1);
            return;
        }
        old(m);
    };
    Form->HandleNeeded();
    PostMessageW(Form->Handle(), WM_USER + 1, 0, 0);
    int result = Form->ShowModal();
    Form->WindowProc = old;
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(ok->Clicks, 1);
    EXPECT_TRUE(otherDisabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    EXPECT_FALSE(Form->Visible());
    EXPECT_FALSE(Form->FormState().Contains(fsModal));
    delete other;
}

TEST_F(Forms, ShowModalEndsByATimerAndClosingMeansCancel)
{
    // A timer sets the result directly.
    TTimer timer(nullptr);
    timer.SetInterval(30);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        Form->SetModalResult(mrYes);
    };
    EXPECT_EQ(Form->ShowModal(), mrYes);

    // Closing the window (WM_CLOSE) answers mrCancel.
    Form->HandleNeeded();
    PostMessageW(Form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Form->ShowModal(), mrCancel);

    // OnCloseQuery may keep the form up: the loop goes on until it agrees.
    int asked = 0;
    Form->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++asked >= 2; };
    PostMessageW(Form->Handle(), WM_CLOSE, 0, 0);
    PostMessageW(Form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    // A visible form cannot become modal.
    Form->Show();
    EXPECT_THROW(Form->ShowModal(), EInvalidOperation);
}

TEST_F(Forms, ExceptionFromAHandlerReachesTheMessageBoxAndTheLoopGoesOn)
{
    TMessageBoxes boxes;
    int handled = 0;
    TWndMethod old = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_USER + 2) throw EConvertError(L"'abc' is not a valid integer value");
        if (m.Msg == WM_USER + 3) {
            ++handled;
            return;
        }
        old(m);
    };
    Form->HandleNeeded();
    PostMessageW(Form->Handle(), WM_USER + 2, 0, 0);
    PostMessageW(Form->Handle(), WM_USER + 3, 0, 0);
    Application->ProcessMessages();
    Form->WindowProc = old;
    ASSERT_EQ(boxes.Texts.size(), 1u);
    EXPECT_EQ(boxes.Texts[0], L"'abc' is not a valid integer value.");
    EXPECT_EQ(handled, 1);

    // OnException takes them instead; EAbort is silent.
    std::vector<String> caught;
    Application->OnException = [&](TObject*, Exception& E) { caught.push_back(E.Message()); };
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 1) throw EAbort(L"quiet");
        timer.SetEnabled(false);
        throw Exception(L"from a timer");
    };
    PumpUntil([&] { return ticks >= 2; });
    Application->OnException = nullptr;
    EXPECT_EQ(caught, (std::vector<String>{L"from a timer"}));
    EXPECT_EQ(boxes.Texts.size(), 1u);
}

TEST_F(Forms, RunShowsTheMainFormAndEndsWhenItCloses)
{
    TMessageBoxes boxes;
    TForm* main = nullptr;
    Application->CreateForm(&main);
    bool shownInRun = false;
    main->OnShow = [&](TObject*) { shownInRun = true; };
    TWndMethod old = main->WindowProc;
    main->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_USER + 4) throw Exception(L"still running");
        old(m);
    };
    PostMessageW(main->Handle(), WM_USER + 4, 0, 0);
    PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
    Application->Run();
    main->WindowProc = old;
    EXPECT_TRUE(shownInRun);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(boxes.Texts, (std::vector<String>{L"still running."}));
    delete main;
}

TEST_F(Forms, ActiveControlMustBeOnTheFormAndFocusable)
{
    auto* a = Add<TFocusBox>(Form, 0, 0, 40, 20);
    auto* other = TForm::CreateNew(nullptr);
    auto* foreign = new TFocusBox(other);
    foreign->SetParent(other);
    EXPECT_THROW(Form->SetActiveControl(foreign), EInvalidOperation);
    a->SetEnabled(false);
    EXPECT_THROW(Form->SetActiveControl(a), EInvalidOperation);
    a->SetEnabled(true);
    Form->SetActiveControl(a);
    EXPECT_EQ(Form->ActiveControl(), a);
    delete other;
    // Showing the form focuses its active control.
    ShowActive();
    EXPECT_EQ(Screen->ActiveControl(), a);
    EXPECT_EQ(Screen->ActiveForm(), Form);
}

} // namespace
