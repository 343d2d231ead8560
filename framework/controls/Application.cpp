// TApplication: the hidden application window and its hooks, the message loop (key
// preprocessing, hint messages, idle time, synchronised calls of worker threads), creating
// forms, exception handling through the one message-box function, and the hint machinery.
#include <windowsx.h>

#include <exception>

#include "framework/classes/Thread.h"
#include "framework/classes/UtilityWindow.h"
#include "framework/controls/Forms.h"

namespace {

TMessageBoxFunction& MessageBoxSlot()
{
    static TMessageBoxFunction f;
    return f;
}

int ShowMessageBox(HWND Owner, const String& Text, const String& Caption, UINT Flags)
{
    const TMessageBoxFunction& f = MessageBoxSlot();
    if (f) return f(Owner, Text, Caption, Flags);
    return MessageBoxW(Owner, Text.c_str(), Caption.c_str(), Flags);
}

constexpr UINT_PTR HintTimerId = 1;
enum { HintTimerShow = 1, HintTimerHide = 2 };
const wchar_t* const ApplicationProperty = L"KvlApplication";

String Widen(const char* Text)
{
    if (Text == nullptr) return String();
    int n = MultiByteToWideChar(CP_UTF8, 0, Text, -1, nullptr, 0);
    if (n <= 1) return String();
    String out(static_cast<size_t>(n - 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, Text, -1, out.data(), n);
    return out;
}

// The nearest control from Control up that shows hints.
TControl* HintControlOf(TControl* Control)
{
    while (Control != nullptr && !Control->ShowHint()) Control = Control->Parent();
    if (Control != nullptr && Control->ComponentState().Contains(csDesigning)) return nullptr;
    return Control;
}

String HintOf(TControl* Control)
{
    while (Control != nullptr && Control->Hint().empty()) Control = Control->Parent();
    return Control != nullptr ? Control->Hint() : String();
}

} // namespace

TMessageBoxFunction SetMessageBoxFunction(TMessageBoxFunction F)
{
    TMessageBoxFunction old = std::move(MessageBoxSlot());
    MessageBoxSlot() = std::move(F);
    return old;
}

int ShowMessageBoxIndirect(const MSGBOXPARAMSW& Params)
{
    const TMessageBoxFunction& f = MessageBoxSlot();
    if (f)
        return f(Params.hwndOwner, Params.lpszText != nullptr ? Params.lpszText : L"",
                 Params.lpszCaption != nullptr ? Params.lpszCaption : L"", Params.dwStyle);
    return MessageBoxIndirectW(&Params);
}

TApplication* TApplicationInstance::Get()
{
    static TApplication* instance = new TApplication(nullptr);
    return instance;
}

TScreen* TScreenInstance::Get()
{
    static TScreen* instance = new TScreen(nullptr);
    return instance;
}

void DoneApplication()
{
    Application->SetShowHint(false);
    Application->Destroying();
    Application->DestroyComponents();
}

// ---- Construction --------------------------------------------------------------------------

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    String exe = ExeName();
    size_t slash = exe.find_last_of(L"\\/");
    String name = slash == String::npos ? exe : exe.substr(slash + 1);
    size_t dot = name.find_last_of(L'.');
    FTitle = dot == String::npos ? name : name.substr(0, dot);
    // Exceptions escaping timers and other utility windows end up here as well.
    UtilityWindowExceptionHandler = [](std::exception_ptr Error) {
        try {
            std::rethrow_exception(Error);
        } catch (...) {
            Application->HandleException(Application);
        }
    };
}

TApplication::~TApplication()
{
    if (FHandle != nullptr) {
        StopHintTimer();
        RemovePropW(FHandle, ApplicationProperty);
        DestroyWindow(FHandle);
        FHandle = nullptr;
    }
}

void TApplication::Initialize() { Handle(); }

HWND TApplication::Handle()
{
    if (FHandle == nullptr) CreateHandle();
    return FHandle;
}

void TApplication::CreateHandle()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    if (!GetClassInfoW(instance, L"TApplication", &wc)) {
        wc = WNDCLASSW{};
        wc.lpfnWndProc = AppWindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"TApplication";
        RegisterClassW(&wc);
    }
    int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    FHandle = CreateWindowExW(WS_EX_TOOLWINDOW, L"TApplication", FTitle.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                              nullptr, nullptr, instance, nullptr);
    if (FHandle == nullptr) throw EOutOfResources(L"Cannot create the application window");
    SetPropW(FHandle, ApplicationProperty, this);
}

LRESULT CALLBACK TApplication::AppWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* app = static_cast<TApplication*>(GetPropW(Wnd, ApplicationProperty));
    if (app == nullptr) return DefWindowProcW(Wnd, Msg, WParam, LParam);
    TMessage message;
    message.Msg = Msg;
    message.WParam = WParam;
    message.LParam = LParam;
    try {
        std::vector<THookEntry> hooks = app->FWindowHooks;
        for (auto it = hooks.begin(); it != hooks.end(); ++it)
            if (it->Hook && it->Hook(message)) return message.Result;
        app->WndProc(message);
    } catch (...) {
        app->HandleException(app);
    }
    return message.Result;
}

void TApplication::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CLOSE:
        if (FMainForm != nullptr) FMainForm->Close();
        return;
    case WM_ACTIVATEAPP:
        FActive = Message.WParam != 0;
        if (FActive) {
            if (OnActivate) OnActivate(this);
        } else {
            CancelHint();
            if (OnDeactivate) OnDeactivate(this);
        }
        break;
    case WM_TIMER:
        if (Message.WParam == HintTimerId) {
            HintTimerExpired();
            return;
        }
        break;
    case WM_ENDSESSION:
        if (Message.WParam != 0) Terminate();
        break;
    case CM_APPKEYDOWN:
    case CM_APPSYSCOMMAND:
        Message.Result = 0;
        return;
    }
    Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TApplication::HookMainWindow(const TWindowHook& Hook, const void* Id) { FWindowHooks.insert(FWindowHooks.begin(), {Hook, Id}); }

void TApplication::UnhookMainWindow(const void* Id)
{
    for (auto it = FWindowHooks.begin(); it != FWindowHooks.end(); ++it) {
        if (it->Id == Id) {
            FWindowHooks.erase(it);
            return;
        }
    }
}

void TApplication::SetTitle(const String& Value)
{
    FTitle = Value;
    if (FHandle != nullptr) SetWindowTextW(FHandle, Value.c_str());
}

String TApplication::ExeName() const
{
    wchar_t buffer[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return String(buffer, n);
}

void TApplication::BringToFront()
{
    HWND wnd = FMainForm != nullptr && FMainForm->HandleAllocated() ? FMainForm->Handle() : FHandle;
    if (wnd == nullptr) return;
    HWND top = GetLastActivePopup(wnd);
    if (top != nullptr && IsWindowVisible(top) && IsWindowEnabled(top)) SetForegroundWindow(top);
}

void TApplication::Minimize()
{
    if (FMainForm != nullptr && FMainForm->HandleAllocated()) ShowWindow(FMainForm->Handle(), SW_MINIMIZE);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore()
{
    if (FMainForm != nullptr && FMainForm->HandleAllocated()) ShowWindow(FMainForm->Handle(), SW_RESTORE);
    if (OnRestore) OnRestore(this);
}

// ---- Forms ---------------------------------------------------------------------------------

void TApplication::FormCreated(TCustomForm* Form)
{
    Form->AfterConstruction();
    if (FMainForm == nullptr) {
        FMainForm = Form;
        Form->HandleNeeded();
    }
}

TCustomForm* TApplication::CreateForm(const std::function<TCustomForm*(TComponent* Owner)>& Factory)
{
    TCustomForm* form = Factory(this);
    FormCreated(form);
    return form;
}

void TApplication::ControlDestroyed(TControl* Control)
{
    if (static_cast<TControl*>(FMainForm) == Control) FMainForm = nullptr;
    if (FMouseControl == Control) FMouseControl = nullptr;
    if (FHintControl == Control) {
        FHintControl = nullptr;
        StopHintTimer();
        FHintActive = false;
        if (FHintWindow) FHintWindow->ReleaseHandle();
    }
}

// ---- Message loop --------------------------------------------------------------------------

bool TApplication::ProcessMessage(MSG& Msg)
{
    if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) OnMessage(Msg, handled);
    if (!handled && !IsHintMsg(Msg) && !IsKeyMsg(Msg) && !IsDlgMsg(Msg)) {
        TranslateMessage(&Msg);
        DispatchMessageW(&Msg);
    }
    return true;
}

bool TApplication::IsKeyMsg(MSG& Msg)
{
    if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
    HWND wnd = GetCapture();
    if (wnd == nullptr) {
        // The nearest window of ours: others would not know the CN_ messages.
        wnd = Msg.hwnd;
        while (wnd != nullptr && !IsVCLWindow(wnd)) wnd = GetParent(wnd);
        if (wnd == nullptr) wnd = Msg.hwnd;
    }
    if (!IsVCLWindow(wnd)) return false;
    return SendMessageW(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::IsHintMsg(MSG& Msg)
{
    if (FHintWindow && FHintWindow->IsHintMsg(Msg)) CancelHint();
    return false;
}

bool TApplication::IsDlgMsg(MSG& Msg)
{
    return FDialogHandle != nullptr && IsDialogMessageW(FDialogHandle, &Msg);
}

void TApplication::Idle(const MSG&)
{
    POINT p;
    if (GetCursorPos(&p)) {
        TControl* control = FindDragTarget(p, true);
        FMouseControl = control;
        TControl* capture = GetCaptureControl();
        SetHint(GetLongHint(HintOf(capture != nullptr ? capture : control)));
        if (FShowHint && control == nullptr) CancelHint();
    }
    bool done = true;
    try {
        if (OnIdle) OnIdle(this, done);
        if (done) DoActionIdle();
    } catch (...) {
        HandleException(this);
    }
    FreeDeviceContexts();
    if (GetCurrentThreadId() == MainThreadID && CheckSynchronize()) done = false;
    if (done) WaitMessage();
}

void TApplication::DoActionIdle()
{
    // A form's OnUpdate may close or free forms: walk a copy and skip the ones gone.
    std::vector<TCustomForm*> forms;
    for (int i = 0; i < Screen->FormCount(); ++i) forms.push_back(Screen->Forms(i));
    for (TCustomForm* form : forms) {
        bool stillThere = false;
        for (int i = 0; i < Screen->FormCount() && !stillThere; ++i) stillThere = Screen->Forms(i) == form;
        if (stillThere && form->HandleAllocated() && IsWindowVisible(form->Handle()) && IsWindowEnabled(form->Handle()))
            form->UpdateActions();
    }
}

void TApplication::HandleMessage()
{
    MSG msg;
    if (!ProcessMessage(msg)) Idle(msg);
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::Run()
{
    FRunning = true;
    FTerminated = false;
    if (FMainForm != nullptr) {
        if (FShowMainForm) {
            if (FMainForm->WindowState() == wsMinimized)
                Minimize();
            else
                FMainForm->SetVisible(true);
        }
        do {
            try {
                HandleMessage();
            } catch (...) {
                HandleException(this);
            }
        } while (!FTerminated);
    }
    FRunning = false;
}

void TApplication::Terminate() { PostQuitMessage(0); }

// ---- Exceptions ----------------------------------------------------------------------------

void TApplication::HandleException(TObject* Sender)
{
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    std::exception_ptr error = std::current_exception();
    if (!error) return;
    // Nothing may leave this function: it runs inside window procedures.
    try {
        try {
            std::rethrow_exception(error);
        } catch (EAbort&) {
        } catch (Exception& e) {
            if (OnException)
                OnException(Sender, e);
            else
                ShowException(e);
        } catch (std::exception& e) {
            Exception wrapped(Widen(e.what()));
            if (OnException)
                OnException(Sender, wrapped);
            else
                ShowException(wrapped);
        } catch (...) {
            Exception wrapped(L"Unknown exception");
            if (OnException)
                OnException(Sender, wrapped);
            else
                ShowException(wrapped);
        }
    } catch (...) {
    }
}

void TApplication::ShowException(Exception& E)
{
    String message = E.Message();
    if (!message.empty() && message.back() > L'.') message += L'.';
    MessageBox(message, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags)
{
    HWND owner = GetActiveWindow();
    return ShowMessageBox(owner, Text, Caption.empty() ? FTitle : Caption, Flags);
}

bool TApplication::HelpContext(int Context)
{
    bool callHelp = true;
    return OnHelp && OnHelp(HELP_CONTEXT, Context, callHelp);
}

// ---- Hints ---------------------------------------------------------------------------------

void TApplication::SetHint(const String& Value)
{
    if (FHint == Value) return;
    FHint = Value;
    if (OnHint) OnHint(this);
}

void TApplication::SetShowHint(bool Value)
{
    if (FShowHint == Value) return;
    FShowHint = Value;
    if (!Value) {
        CancelHint();
        FHintWindow.reset();
    }
}

void TApplication::SetHintColor(TColor Value)
{
    FHintColor = Value;
    if (FHintWindow) FHintWindow->SetColor(Value);
}

void TApplication::StartHintTimer(int Value, int Kind)
{
    StopHintTimer();
    FHintTimerKind = Kind;
    SetTimer(Handle(), HintTimerId, static_cast<UINT>(std::max(Value, 1)), nullptr);
}

void TApplication::StopHintTimer()
{
    if (FHintTimerKind != 0 && FHandle != nullptr) KillTimer(FHandle, HintTimerId);
    FHintTimerKind = 0;
}

void TApplication::HintTimerExpired()
{
    int kind = FHintTimerKind;
    StopHintTimer();
    if (kind == HintTimerShow) {
        POINT p;
        GetCursorPos(&p);
        ActivateHint(p);
    } else if (kind == HintTimerHide) {
        CancelHint();
    }
}

void TApplication::CancelHint()
{
    if (FHintControl != nullptr) {
        StopHintTimer();
        FHintActive = false;
        FHintControl = nullptr;
    }
    if (FHintWindow) FHintWindow->ReleaseHandle();
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message)
{
    if (!FShowHint) return;
    TPoint screen;
    try {
        screen = Control->ClientToScreen(TPoint{Message.XPos(), Message.YPos()});
    } catch (Exception&) {
        return;
    }
    TControl* target = FindDragTarget(screen, true);
    TControl* newHintControl = HintControlOf(target != nullptr ? target : Control);
    if (newHintControl == nullptr) {
        CancelHint();
        return;
    }
    if (newHintControl != FHintControl || !PtInRect(&FHintCursorRect, screen)) {
        bool wasActive = FHintActive;
        int pause = wasActive ? FHintShortPause : FHintPause;
        newHintControl->Perform(CM_HINTSHOWPAUSE, wasActive ? 1 : 0, reinterpret_cast<LPARAM>(&pause));
        CancelHint();
        FHintActive = wasActive;
        FHintControl = newHintControl;
        FHintCursorRect = TRect{0, 0, 0, 0};
        StartHintTimer(pause, HintTimerShow);
    }
}

void TApplication::ActivateHint(const TPoint& CursorPos)
{
    if (FHintControl == nullptr || Screen == nullptr) return;
    THintInfo info;
    info.HintControl = FHintControl;
    info.HintPos = CursorPos;
    info.HintPos.y += GetSystemMetrics(SM_CYCURSOR) / 2 + 4;
    info.HintMaxWidth = Screen->Width();
    info.HintColor = FHintColor;
    info.CursorRect = FHintControl->ClientRect();
    try {
        info.CursorPos = FHintControl->ScreenToClient(CursorPos);
    } catch (Exception&) {
        return;
    }
    info.HintStr = GetShortHint(HintOf(FHintControl));
    info.HideTimeout = FHintHidePause;
    bool canShow = FHintControl->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
    FHintActive = canShow && !info.HintStr.empty();
    if (!FHintActive) {
        if (FHintWindow) FHintWindow->ReleaseHandle();
        return;
    }
    TPoint topLeft = FHintControl->ClientToScreen(TPoint{info.CursorRect.left, info.CursorRect.top});
    TPoint bottomRight = FHintControl->ClientToScreen(TPoint{info.CursorRect.right, info.CursorRect.bottom});
    FHintCursorRect = TRect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    if (!FHintWindow) {
        THintWindow* window = info.HintWindowClass ? info.HintWindowClass() : new THintWindow(nullptr);
        FHintWindow.reset(window);
    }
    FHintWindow->SetColor(info.HintColor);
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(&r, info.HintPos.x, info.HintPos.y);
    FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
    if (info.HideTimeout > 0) StartHintTimer(info.HideTimeout, HintTimerHide);
}
