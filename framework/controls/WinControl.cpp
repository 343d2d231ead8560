// TWinControl: the window behind the control (class registration, creation on demand,
// destruction and re-creation), the window procedure that hands messages to WindowProc, the
// dispatcher and the default handler, and the reflection of a parent's notifications to the
// child windows they concern.
#include <map>
#include <string>

#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "framework/controls/MouseTracking.h"
#include "framework/system/ScopeGuards.h"

namespace {

HINSTANCE ModuleInstance()
{
    static HINSTANCE instance = [] {
        HMODULE module = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
        return static_cast<HINSTANCE>(module);
    }();
    return instance;
}

// The window property that leads from a window to its control. Its name carries the module and
// the process, so a window of another module built on this layer is never taken for ours.
ATOM ControlAtom()
{
    static ATOM atom = [] {
        wchar_t name[64];
        swprintf(name, 64, L"KvlControl%p-%08lX", static_cast<void*>(ModuleInstance()), GetCurrentProcessId());
        return GlobalAddAtomW(name);
    }();
    return atom;
}

// The procedure each window class we registered was copied from (by class name).
std::map<String, WNDPROC>& RegisteredClassProcs()
{
    static std::map<String, WNDPROC> procs;
    return procs;
}

// The control whose window is being created: the window procedure attaches the window to it at
// the first message, before CreateWindowEx returns.
thread_local TWinControl* CreationControl = nullptr;

String LastErrorText(const String& What)
{
    DWORD code = GetLastError();
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    String message = What + L" (system error " + std::to_wstring(code) + L")";
    if (text != nullptr) {
        String t(text);
        while (!t.empty() && (t.back() == L'\n' || t.back() == L'\r' || t.back() == L' ')) t.pop_back();
        if (!t.empty()) message = What + L": " + t;
        LocalFree(text);
    }
    return message;
}

// The common-controls classes exist only after InitCommonControlsEx; comctl32 is loaded on
// demand so that programs that never use them do not pull it in.
void EnsureCommonControls()
{
    static bool done = false;
    if (done) return;
    done = true;
    HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    if (comctl == nullptr) return;
    struct InitEx {
        DWORD dwSize;
        DWORD dwICC;
    };
    using InitFn = BOOL(WINAPI*)(const InitEx*);
    auto init = reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")));
    if (init != nullptr) {
        InitEx ex{sizeof(InitEx), 0x0000FFFF};
        init(&ex);
    }
}

} // namespace

// ---- Window procedure ----------------------------------------------------------------------

LRESULT CALLBACK ControlWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* control = static_cast<TWinControl*>(GetPropW(Wnd, MAKEINTATOM(ControlAtom())));
    if (control == nullptr) {
        control = CreationControl;
        if (control == nullptr) return DefWindowProcW(Wnd, Msg, WParam, LParam);
        CreationControl = nullptr;
        control->AttachHandle(Wnd);
    }
    LRESULT result = control->MainWndProc(Msg, WParam, LParam);
    if (Msg == WM_NCDESTROY) {
        RemovePropW(Wnd, MAKEINTATOM(ControlAtom()));
        if (control->FHandle == Wnd) {
            control->FHandle = nullptr;
            control->FShowing = false;
        }
    }
    return result;
}

TWinControl* FindControl(HWND Handle)
{
    if (Handle == nullptr) return nullptr;
    DWORD process = 0;
    if (GetWindowThreadProcessId(Handle, &process) == 0 || process != GetCurrentProcessId()) return nullptr;
    return static_cast<TWinControl*>(GetPropW(Handle, MAKEINTATOM(ControlAtom())));
}

bool IsVCLWindow(HWND Handle) { return FindControl(Handle) != nullptr; }

TWinControl* FindVCLWindow(const TPoint& Pos)
{
    HWND wnd = WindowFromPoint(Pos);
    while (wnd != nullptr) {
        if (TWinControl* control = FindControl(wnd)) return control;
        wnd = GetParent(wnd);
    }
    return nullptr;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled)
{
    TWinControl* window = FindVCLWindow(Pos);
    if (window == nullptr) return nullptr;
    TControl* control = window->ControlAtPos(window->ScreenToClient(Pos), AllowDisabled);
    return control != nullptr ? control : window;
}

void TWinControl::AttachHandle(HWND Wnd)
{
    FHandle = Wnd;
    SetPropW(Wnd, MAKEINTATOM(ControlAtom()), this);
}

LRESULT TWinControl::MainWndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage message;
    message.Msg = Msg;
    message.WParam = WParam;
    message.LParam = LParam;
    try {
        // A handler may free the control (CM_RELEASE): run a copy of the method.
        TWndMethod method = WindowProc;
        method(message);
    } catch (...) {
        if (Application != nullptr) Application->HandleException(this);
    }
    return message.Result;
}

// ---- Construction --------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>())
{
    FBrush->SetColor(FColor);
}

TWinControl::~TWinControl()
{
    Destroying();
    // Messages from here on reach this class's handlers only: whatever replaced WindowProc may
    // belong to a part of the object that is already gone.
    WindowProc = [this](TMessage& Message) { TWinControl::WndProc(Message); };
    if (FParent != nullptr) RemoveFocus(true);
    if (FHandle != nullptr) {
        for (TWinControl* child : FWinControls) child->DestroyHandle();
        DestroyWindowHandle();
    }
    while (ControlCount() > 0) {
        TControl* child = Controls(ControlCount() - 1);
        RemoveControl(child);
        delete child;
    }
    if (FParent != nullptr) FParent->RemoveControl(this);
}

// ---- Creation ------------------------------------------------------------------------------

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params = TCreateParams();
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (UseRightToLeftReading()) Params.ExStyle |= WS_EX_RTLREADING;
    if (UseRightToLeftScrollBar()) Params.ExStyle |= WS_EX_LEFTSCROLLBAR;
    if (UseRightToLeftAlignment()) Params.ExStyle |= WS_EX_RIGHT;
    if (FControlStyle.Contains(csAcceptsControls)) {
        Params.Style |= WS_CLIPCHILDREN;
        Params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!ComponentState().Contains(csDesigning) && !Enabled()) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    Params.WndParent = FParent != nullptr ? FParent->Handle() : FParentWindow;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProcW;
    Params.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    Params.WindowClass.hbrBackground = nullptr;
    Params.WindowClass.hInstance = ModuleInstance();
    // The class name without namespaces: "TEdit", not "app::TEdit".
    String name = ClassName();
    size_t scope = name.rfind(L"::");
    Params.WinClassName = scope == String::npos ? name : name.substr(scope + 2);
}

void TWinControl::CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName)
{
    if (ControlClassName == nullptr) return;
    HINSTANCE instance = Params.WindowClass.hInstance;
    WNDCLASSW wc{};
    if (!GetClassInfoW(ModuleInstance(), ControlClassName, &wc) && !GetClassInfoW(nullptr, ControlClassName, &wc)) {
        EnsureCommonControls();
        if (!GetClassInfoW(nullptr, ControlClassName, &wc))
            throw EOSError(L"Window class '" + String(ControlClassName) + L"' is not registered");
    }
    Params.WindowClass = wc;
    Params.WindowClass.hInstance = instance;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS);
    Params.WindowClass.style |= CS_VREDRAW | CS_HREDRAW;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if (params.WndParent == nullptr && (params.Style & WS_CHILD) != 0) {
        auto* owner = dynamic_cast<TWinControl*>(Owner());
        if (owner != nullptr && owner->ComponentState().Contains(csReading))
            params.WndParent = owner->Handle();
        else
            throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    }
    FDefWndProc = params.WindowClass.lpfnWndProc;
    // Two control classes of the same name over different system classes must not share a
    // window class (the second would get the first one's extra bytes): the later one gets a
    // name of its own.
    auto& registeredProcs = RegisteredClassProcs();
    for (int n = 2;; ++n) {
        auto known = registeredProcs.find(params.WinClassName);
        if (known == registeredProcs.end() || known->second == FDefWndProc) break;
        String base = params.WinClassName.substr(0, params.WinClassName.rfind(L'.'));
        params.WinClassName = base + L"." + std::to_wstring(n);
    }
    WNDCLASSW existing{};
    bool registered = GetClassInfoW(params.WindowClass.hInstance, params.WinClassName.c_str(), &existing) != 0;
    if (!registered || existing.lpfnWndProc != ControlWindowProc) {
        if (registered) UnregisterClassW(params.WinClassName.c_str(), params.WindowClass.hInstance);
        params.WindowClass.lpfnWndProc = ControlWindowProc;
        params.WindowClass.lpszClassName = params.WinClassName.c_str();
        if (RegisterClassW(&params.WindowClass) == 0)
            throw EOSError(LastErrorText(L"Cannot register the window class " + params.WinClassName));
    }
    registeredProcs[params.WinClassName] = FDefWndProc;
    {
        TFlagGuard creating(FControlState, csCreating);
        CreationControl = this;
        TScopeExit created([] { CreationControl = nullptr; });
        CreateWindowHandle(params);
    }
    if (FHandle == nullptr) throw EOSError(LastErrorText(L"Error creating window " + params.WinClassName));
    if ((GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) != 0 && GetWindowLongPtrW(FHandle, GWLP_ID) == 0)
        SetWindowLongPtrW(FHandle, GWLP_ID, reinterpret_cast<LONG_PTR>(FHandle));
    FText.clear();
    UpdateBounds();
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 1);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    HWND wnd = CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                               Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                               Params.WindowClass.hInstance, Params.Param);
    if (wnd == nullptr) FHandle = nullptr;
}

void TWinControl::CreateHandle()
{
    if (FHandle != nullptr) return;
    CreateWnd();
    if (FParent != nullptr)
        SetWindowPos(FHandle, FParent->PrecedingWindow(this), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->UpdateAnchorRules();
}

void TWinControl::HandleNeeded()
{
    if (FHandle != nullptr) return;
    if (FParent != nullptr) FParent->HandleNeeded();
    CreateHandle();
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return FHandle;
}

HWND TWinControl::PrecedingWindow(TWinControl* Control)
{
    auto it = std::find(FWinControls.begin(), FWinControls.end(), Control);
    if (it != FWinControls.end()) {
        for (++it; it != FWinControls.end(); ++it)
            if ((*it)->FHandle != nullptr) return (*it)->FHandle;
    }
    return HWND_TOP;
}

void TWinControl::DestroyWnd()
{
    FText = Text();
    FreeDeviceContexts();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle()
{
    FControlState.Include(csDestroyingHandle);
    BOOL ok = DestroyWindow(FHandle);
    FControlState.Exclude(csDestroyingHandle);
    FHandle = nullptr;
    FShowing = false;
    if (!ok) throw EOSError(LastErrorText(L"Cannot destroy the window of " + Name()));
}

void TWinControl::DestroyHandle()
{
    if (FHandle == nullptr) return;
    for (TWinControl* child : FWinControls) child->DestroyHandle();
    DestroyWnd();
}

void TWinControl::RecreateWnd()
{
    if (FHandle != nullptr) Perform(CM_RECREATEWND);
}

void TWinControl::CMRecreateWnd(TMessage&)
{
    bool wasFocused = Focused();
    std::function<void(TWinControl*, bool)> flag = [&flag](TWinControl* c, bool on) {
        if (on)
            c->FControlState.Include(csRecreating);
        else
            c->FControlState.Exclude(csRecreating);
        for (TWinControl* child : c->FWinControls) flag(child, on);
    };
    {
        flag(this, true);
        TScopeExit recreated([&] { flag(this, false); });
        DestroyHandle();
        UpdateControlState();
    }
    if (FHandle != nullptr && wasFocused) ::SetFocus(FHandle);
}

void TWinControl::SetParentWindow(HWND Value)
{
    if (FParent != nullptr || FParentWindow == Value) return;
    if (FHandle != nullptr && FParentWindow != nullptr && Value != nullptr) {
        FParentWindow = Value;
        ::SetParent(FHandle, Value);
    } else {
        DestroyHandle();
        FParentWindow = Value;
    }
    UpdateControlState();
}

// ---- Showing -------------------------------------------------------------------------------

void TWinControl::UpdateShowing()
{
    bool show = FVisible && !FControlState.Contains(csReadingState);
    if (show) {
        if (FHandle == nullptr) CreateHandle();
        for (size_t i = 0; i < FWinControls.size(); ++i) FWinControls[i]->UpdateShowing();
    }
    if (FHandle != nullptr && FShowing != show) {
        FShowing = show;
        TScopeExit failed([this, show] { FShowing = !show; });
        Perform(CM_SHOWINGCHANGED);
        failed.Dismiss();
    }
}

void TWinControl::UpdateControlState()
{
    TWinControl* control = this;
    while (control->FParent != nullptr) {
        control = control->FParent;
        if (!control->Showing()) return;
    }
    if (control->IsTopLevel() || control->FParentWindow != nullptr) UpdateShowing();
}

void TWinControl::ShowControl(TControl*)
{
    if (FParent != nullptr) FParent->ShowControl(this);
}

void TWinControl::CMShowingChanged(TMessage&)
{
    UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, flags);
}

void TWinControl::CMVisibleChanged(TMessage&)
{
    if (!FVisible && FParent != nullptr) RemoveFocus(false);
    if (!ComponentState().Contains(csDesigning) || FControlStyle.Contains(csNoDesignVisible)) UpdateControlState();
}

// ---- Dispatching ---------------------------------------------------------------------------

bool TWinControl::FocusMessageDone(const TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS: {
        TCustomForm* form = GetParentForm(this);
        return form != nullptr && !form->SetFocusedControl(this);
    }
    case WM_KILLFOCUS: return FControlState.Contains(csFocusing);
    default: return false;
    }
}

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (FocusMessageDone(Message)) return;
        break;
    case WM_NCHITTEST: {
        TControl::WndProc(Message);
        if (Message.Result == HTTRANSPARENT) {
            TPoint screen{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
            if (ControlAtPos(ScreenToClient(screen), false) != nullptr) Message.Result = HTCLIENT;
        }
        return;
    }
    case WM_CANCELMODE: {
        TControl* capture = GetCaptureControl();
        if (FHandle != nullptr && GetCapture() == FHandle && capture != nullptr && capture->Parent() == this)
            capture->Perform(WM_CANCELMODE);
        break;
    }
    default:
        if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
            Message.Msg != WM_MOUSEHWHEEL) {
            if (IsControlMouseMsg(Message)) {
                if (Message.Result == 0 && FHandle != nullptr)
                    DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
                return;
            }
        }
        break;
    }
    TControl::WndProc(Message);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message)
{
    TControl* control = nullptr;
    if (FHandle != nullptr && GetCapture() == FHandle) {
        TControl* capture = GetCaptureControl();
        if (capture != nullptr && capture != this && capture->Parent() == this) control = capture;
    } else {
        control = ControlAtPos(TPoint{Message.XPos(), Message.YPos()}, false);
    }
    if (control == nullptr) return false;
    LPARAM pos = PointToLParam(Message.XPos() - control->Left(), Message.YPos() - control->Top());
    Message.Result = control->Perform(Message.Msg, Message.WParam, pos);
    return true;
}

void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_PRINTCLIENT: WMPrintClient(Message); break;
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_COMMAND: WMCommand(Message); break;
    case WM_NOTIFY: WMNotify(Message); break;
    case WM_DRAWITEM: WMDrawItem(Message); break;
    case WM_MEASUREITEM: WMMeasureItem(Message); break;
    case WM_DELETEITEM: WMDeleteItem(Message); break;
    case WM_COMPAREITEM: WMCompareItem(Message); break;
    case WM_HSCROLL: WMHScroll(Message); break;
    case WM_VSCROLL: WMVScroll(Message); break;
    case WM_VKEYTOITEM: WMVKeyToItem(Message); break;
    case WM_CHARTOITEM: WMCharToItem(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); break;
    case WM_KEYUP: WMKeyUp(Message); break;
    case WM_SYSKEYUP: WMSysKeyUp(Message); break;
    case WM_CHAR: WMChar(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_MOVE: WMMove(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_MOUSELEAVE: WMMouseLeave(Message); break;
    case WM_SYSCOLORCHANGE: WMSysColorChange(Message); break;
    case WM_DESTROY: WMDestroy(Message); break;
    case WM_NCDESTROY: WMNCDestroy(Message); break;
    case CN_KEYDOWN: CNKeyDown(Message); break;
    case CN_KEYUP: CNKeyUp(Message); break;
    case CN_CHAR: CNChar(Message); break;
    case CN_SYSKEYDOWN: CNSysKeyDown(Message); break;
    case CN_SYSCHAR: CNSysChar(Message); break;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: CNCtlColor(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); break;
    case CM_CHILDKEY: CMChildKey(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_INVALIDATE: CMInvalidate(Message); break;
    case CM_RECREATEWND: CMRecreateWnd(Message); break;
    case CM_CTL3DCHANGED: CMCtl3DChanged(Message); break;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(Message); break;
    case CM_BIDIMODECHANGED: CMBiDiModeChanged(Message); break;
    case CM_CURSORCHANGED: CMCursorChanged(Message); break;
    case CM_BORDERCHANGED: CMBorderChanged(Message); break;
    default: TControl::Dispatch(Message); break;
    }
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (FHandle == nullptr) {
        TControl::DefaultHandler(Message);
        return;
    }
    if (Message.Msg == WM_CONTEXTMENU && FParent != nullptr) {
        Message.Result = FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
        if (Message.Result != 0) return;
    }
    if (Message.Msg >= WM_CTLCOLORMSGBOX && Message.Msg <= WM_CTLCOLORSTATIC) {
        // The child paints with its own colours when it is one of ours.
        HWND child = reinterpret_cast<HWND>(Message.LParam);
        if (FindControl(child) != nullptr) {
            Message.Result = SendMessageW(child, CN_BASE + Message.Msg, Message.WParam, Message.LParam);
            return;
        }
    }
    WNDPROC proc = FDefWndProc != nullptr ? FDefWndProc : DefWindowProcW;
    Message.Result = CallWindowProcW(proc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

// ---- Reflected notifications ---------------------------------------------------------------

bool TWinControl::DoControlMsg(HWND ControlHandle, TMessage& Message)
{
    TWinControl* control = FindControl(ControlHandle);
    if (control == nullptr) return false;
    Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return true;
}

void TWinControl::WMCommand(TMessage& Message)
{
    if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message)
{
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    if (header == nullptr || !DoControlMsg(header->hwndFrom, Message)) DefaultHandler(Message);
}

void TWinControl::WMDrawItem(TMessage& Message)
{
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    if (item == nullptr || item->CtlType == ODT_MENU || !DoControlMsg(item->hwndItem, Message)) DefaultHandler(Message);
}

void TWinControl::WMMeasureItem(TMessage& Message)
{
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    if (item != nullptr && item->CtlType != ODT_MENU) {
        // The control ids of our child windows are their handles.
        for (TWinControl* child : FWinControls) {
            if (child->FHandle != nullptr && static_cast<UINT>(GetWindowLongPtrW(child->FHandle, GWLP_ID)) == item->CtlID) {
                Message.Result = child->Perform(CN_MEASUREITEM, Message.WParam, Message.LParam);
                return;
            }
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMDeleteItem(TMessage& Message)
{
    auto* item = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam);
    if (item == nullptr || !DoControlMsg(item->hwndItem, Message)) DefaultHandler(Message);
}

void TWinControl::WMCompareItem(TMessage& Message)
{
    auto* item = reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam);
    if (item == nullptr || !DoControlMsg(item->hwndItem, Message)) DefaultHandler(Message);
}

void TWinControl::WMHScroll(TMessage& Message)
{
    if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMVScroll(TMessage& Message)
{
    if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMVKeyToItem(TMessage& Message)
{
    if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMCharToItem(TMessage& Message)
{
    if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::CNCtlColor(TMessage& Message)
{
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
    SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(FBrush->Color())));
    Message.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
}

// ---- Window state messages -----------------------------------------------------------------

void TWinControl::UpdateBounds()
{
    if (FHandle == nullptr) return;
    RECT r;
    if (IsIconic(FHandle)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(FHandle, &placement);
        r = placement.rcNormalPosition;
    } else {
        GetWindowRect(FHandle, &r);
    }
    if ((GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) != 0) {
        HWND parent = GetParent(FHandle);
        if (parent != nullptr) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    if (r.left != FLeft || r.top != FTop || r.right - r.left != FWidth || r.bottom - r.top != FHeight) UpdateBoundsRect(r);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!CheckNewSize(AWidth, AHeight)) return;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    if (FHandle != nullptr && !IsIconic(FHandle)) {
        SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        FLeft = ALeft;
        FTop = ATop;
        FWidth = AWidth;
        FHeight = AHeight;
        if (FHandle != nullptr) {
            WINDOWPLACEMENT placement{};
            placement.length = sizeof(placement);
            GetWindowPlacement(FHandle, &placement);
            placement.rcNormalPosition = BoundsRect();
            SetWindowPlacement(FHandle, &placement);
        }
    }
    UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::WMSize(TMessage& Message)
{
    UpdateBounds();
    DefaultHandler(Message);
    Realign();
    if (!ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& Message)
{
    DefaultHandler(Message);
    UpdateBounds();
}

void TWinControl::InvalidateFrame()
{
    if (FParent == nullptr || !FParent->HandleAllocated()) return;
    TRect r = BoundsRect();
    InflateRect(&r, 1, 1);
    InvalidateRect(FParent->FHandle, &r, TRUE);
}

void TWinControl::WMWindowPosChanged(TMessage& Message)
{
    auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    bool framed = pos != nullptr && FCtl3D && FControlStyle.Contains(csFramed) && FParent != nullptr &&
                  (pos->flags & SWP_NOREDRAW) == 0;
    bool moved = pos != nullptr && (pos->flags & SWP_NOMOVE) == 0 && FHandle != nullptr && IsWindowVisible(FHandle);
    if (framed && moved) InvalidateFrame();
    TControl::WMWindowPosChanged(Message);
    if (framed && (moved || (pos->flags & SWP_NOSIZE) == 0)) InvalidateFrame();
}

void TWinControl::WMSetCursor(TMessage& Message)
{
    if (reinterpret_cast<HWND>(Message.WParam) == FHandle && static_cast<short>(LOWORD(Message.LParam)) == HTCLIENT &&
        Screen != nullptr) {
        TCursor cursor = Screen->Cursor();
        if (cursor == crDefault) {
            POINT p;
            GetCursorPos(&p);
            if (TControl* control = ControlAtPos(ScreenToClient(p), false)) cursor = control->Cursor();
            if (cursor == crDefault) cursor = FCursor;
        }
        if (cursor != crDefault) {
            ::SetCursor(Screen->Cursors(cursor));
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMMouseLeave(TMessage& Message)
{
    MouseTrackingLeave(this);
    DefaultHandler(Message);
}

void TWinControl::WMSysColorChange(TMessage& Message)
{
    Perform(CM_SYSCOLORCHANGE);
    DefaultHandler(Message);
}

void TWinControl::WMDestroy(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMNCDestroy(TMessage& Message)
{
    DefaultHandler(Message);
    FHandle = nullptr;
    FShowing = false;
}

// ---- Notifications -------------------------------------------------------------------------

void TWinControl::CMEnabledChanged(TMessage&)
{
    if (!Enabled() && FParent != nullptr) RemoveFocus(false);
    if (FHandle != nullptr && !ComponentState().Contains(csDesigning)) EnableWindow(FHandle, Enabled());
}

void TWinControl::CMFontChanged(TMessage& Message)
{
    TControl::CMFontChanged(Message);
    if (FHandle != nullptr) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message)
{
    TControl::CMColorChanged(Message);
    FBrush->SetColor(FColor);
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMCtl3DChanged(TMessage&)
{
    Invalidate();
    NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMBiDiModeChanged(TMessage& Message)
{
    if (FHandle != nullptr && Message.WParam == 0) {
        TCreateParams params;
        CreateParams(params);
        const DWORD mask = WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT;
        if ((static_cast<DWORD>(GetWindowLongW(FHandle, GWL_EXSTYLE)) & mask) != (params.ExStyle & mask)) RecreateWnd();
    }
    NotifyControls(CM_PARENTBIDIMODECHANGED);
}

void TWinControl::CMCursorChanged(TMessage&)
{
    if (FHandle == nullptr || GetCapture() != nullptr) return;
    POINT p;
    GetCursorPos(&p);
    if (FindDragTarget(p, false) == this) Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(FHandle), HTCLIENT);
}

void TWinControl::CMBorderChanged(TMessage&)
{
    if (FHandle != nullptr)
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
    Realign();
    Invalidate();
}

void TWinControl::CMSysColorChange(TMessage& Message) { Broadcast(Message); }
void TWinControl::CMSysFontChanged(TMessage& Message) { Broadcast(Message); }

void TWinControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TControl::Notification(AComponent, Operation);
}

TRect TWinControl::ClientRect()
{
    if (FHandle == nullptr) {
        // Without a window the client area is known only when one can be made now.
        bool canCreate = !ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying) &&
                         (FParent != nullptr || FParentWindow != nullptr || IsTopLevel());
        if (!canCreate) return TControl::ClientRect();
        HandleNeeded();
        if (FHandle == nullptr) return TControl::ClientRect();
    }
    RECT r;
    ::GetClientRect(FHandle, &r);
    return r;
}

TPoint TWinControl::ClientOrigin()
{
    POINT p{0, 0};
    ::ClientToScreen(Handle(), &p);
    return p;
}

HDC TWinControl::GetDeviceContext(HWND& WindowHandle)
{
    HDC dc = GetDC(Handle());
    if (dc == nullptr) throw EOutOfResources(L"Out of system resources");
    WindowHandle = FHandle;
    return dc;
}

void TWinControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent) return;
    if (AParent != nullptr && ContainsControl(AParent))
        throw EInvalidOperation(L"A control cannot have one of its children as its parent");
    if (AParent != nullptr && FParentWindow != nullptr) {
        DestroyHandle();
        FParentWindow = nullptr;
    }
    TControl::SetParent(AParent);
}

void TWinControl::SetZOrder(bool TopMost)
{
    if (FParent != nullptr) {
        auto& list = FParent->FWinControls;
        auto it = std::find(list.begin(), list.end(), this);
        if (it != list.end()) {
            list.erase(it);
            if (TopMost)
                list.push_back(this);
            else
                list.insert(list.begin(), this);
        }
    }
    if (FHandle != nullptr)
        SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
