// acSBUtils: the handler base, its installation and detachment.
#include "skin/subclass/acSBUtils.h"

#include "framework/controls/Forms.h"
#include "framework/controls/ObjectInstance.h"
#include "framework/facts/SystemFacts.h"
#include "skin/core/acGlow.h"
#include "skin/core/sConst.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

bool DialogHandlerMode = false;
bool AdapterItemsRemoving = false;
std::function<TCustomForm*(TObject* Owner)> ProviderFormOf;
TGetScrollBarInfoFunc GetScrollBarInfoFunc = nullptr;
TFlatSBFunc InitializeFlatSBFunc = nullptr;
TFlatSBFunc UninitializeFlatSBFunc = nullptr;

namespace {

// The optional system functions, looked up at start-up; the libraries are freed at shut-down.
struct TSystemFunctionLoader {
    HMODULE User = nullptr;
    HMODULE CommonControls = nullptr;
    TSystemFunctionLoader()
    {
        User = LoadLibraryW(L"user32.dll");
        if (User != nullptr)
            GetScrollBarInfoFunc =
                reinterpret_cast<TGetScrollBarInfoFunc>(reinterpret_cast<void*>(GetProcAddress(User, "GetScrollBarInfo")));
        CommonControls = LoadLibraryW(L"comctl32.dll");
        if (CommonControls != nullptr) {
            UninitializeFlatSBFunc =
                reinterpret_cast<TFlatSBFunc>(reinterpret_cast<void*>(GetProcAddress(CommonControls, "UninitializeFlatSB")));
            InitializeFlatSBFunc =
                reinterpret_cast<TFlatSBFunc>(reinterpret_cast<void*>(GetProcAddress(CommonControls, "InitializeFlatSB")));
        }
    }
    ~TSystemFunctionLoader()
    {
        GetScrollBarInfoFunc = nullptr;
        InitializeFlatSBFunc = UninitializeFlatSBFunc = nullptr;
        if (CommonControls != nullptr) FreeLibrary(CommonControls);
        if (User != nullptr) FreeLibrary(User);
    }
};
const TSystemFunctionLoader SystemFunctionLoader;


TCustomForm* ProviderForm(const TsCommonData* Data)
{
    return Data != nullptr && ProviderFormOf ? ProviderFormOf(Data->FOwnerObject) : nullptr;
}

// The framework object whose WindowProc a handler of this state object replaces, null for a
// foreign window.
TControl* SubclassedControl(const TsCommonData* Data)
{
    if (TCustomForm* form = ProviderForm(Data)) return form;
    return Data != nullptr ? Data->FOwnerControl : nullptr;
}

} // namespace

String WindowText(HWND Wnd)
{
    const int length = GetWindowTextLengthW(Wnd);
    if (length <= 0) return L"";
    String text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Wnd, text.data(), length + 1)));
    return text;
}

// ---- Construction and destruction ----------------------------------------------------------------

TacMainWnd::TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                       bool Repaint)
{
    (void)Repaint;  // only scroll-bar handlers recalculate their frame
    Construct(AHandle, ASkinData, ASkinManager, SkinSection);
    InstallWndHandler(this, AHandle);
    if (SkinData->FOwnerControl != nullptr) {
        OldCtrlStyle = SkinData->FOwnerControl->ControlStyle();
        SkinData->FOwnerControl->SetControlStyle(TControlStyle(OldCtrlStyle).Include(csOpaque));
    }
}

TacMainWnd::TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                       TInstallLater)
{
    Construct(AHandle, ASkinData, ASkinManager, SkinSection);
}

void TacMainWnd::Construct(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection)
{
    CtrlHandle = AHandle;
    // Visual styles would draw over the skin; dialogs keep theirs, their frame is drawn apart.
    if (SetWindowThemeProc != nullptr && SkinSection != L"DIALOG") SetWindowThemeProc(AHandle, L" ", L" ");
    SkinManager = ASkinManager;
    if (ASkinData != nullptr) {
        SkinData = ASkinData;
        if (SkinManager == nullptr) SkinManager = SkinData->GetSkinManager();
    } else {
        SkinData = new TsCommonData(nullptr, true);
        OwnSkinData = true;
    }
    SkinData->SetCustomFont(ForceCustomFont || SkinData->CustomFont());
    if (SkinData->SkinSection().empty()) SkinData->SetSkinSection(SkinSection);
    DlgMode = DialogHandlerMode;
    // Descendants save their own look in their constructors: no override runs from here.
    SaveStdParams();
    ParamsChanged = false;
    Caption = WindowText(AHandle);
    FInstalledMethod = std::make_unique<TWndMethod>([this](TMessage& M) { acWndProc(M); });
}

TacMainWnd::~TacMainWnd()
{
    if (SkinData != nullptr && !Destroyed && SkinManager != nullptr) {
        if (SkinData->FOwnerControl != nullptr) SkinData->FOwnerControl->SetControlStyle(OldCtrlStyle);
        if (AdapterItemsRemoving && !SkinManager->SkinRemoving) {
            // The window goes away with its form; touching it now would only cost time.
            Destroyed = true;
        } else {
            if (!GiveProcedureBack()) LeaveStubForwarding();
            RemovePropW(CtrlHandle, HandlerProp);
            RestoreStdParams();
            const bool compositionKeepsThemes = SkinData->COC == 10 && SystemFacts().CompositionEnabled();
            if (SetWindowThemeProc != nullptr && !compositionKeepsThemes) SetWindowThemeProc(CtrlHandle, nullptr, nullptr);
            Destroyed = true;
        }
    } else if (!Destroyed) {
        // Without a manager nothing else is restored, but the window must not keep calling a
        // handler that is gone.
        if (!GiveProcedureBack()) LeaveStubForwarding();
        RemovePropW(CtrlHandle, HandlerProp);
    }
    if (NewWndProcInstance != nullptr) FreeObjectInstance(NewWndProcInstance);
    NewWndProcInstance = nullptr;
    if (OwnSkinData) delete SkinData;
    SkinData = nullptr;
    SkinManager = nullptr;
}

bool TacMainWnd::GiveProcedureBack()
{
    if (OldWndProc) {
        if (TControl* control = SubclassedControl(SkinData)) control->WindowProc = OldWndProc;
        return true;
    }
    if (NewWndProcInstance == nullptr || OldProc == nullptr) return false;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(CtrlHandle, GWLP_WNDPROC)) != NewWndProcInstance) return false;
    SetWindowLongPtrW(CtrlHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldProc));
    OldProc = nullptr;
    FreeObjectInstance(NewWndProcInstance);
    NewWndProcInstance = nullptr;
    return true;
}

void TacMainWnd::LeaveStubForwarding()
{
    if (NewWndProcInstance == nullptr) return;
    // The later subclasser still calls our stub: it must outlive us and reach the old procedure.
    const WNDPROC old = OldProc;
    const HWND wnd = CtrlHandle;
    *FInstalledMethod = [old, wnd](TMessage& M) {
        M.Result = old != nullptr ? CallWindowProcW(old, wnd, M.Msg, M.WParam, M.LParam) : DefWindowProcW(wnd, M.Msg, M.WParam, M.LParam);
    };
    FInstalledMethod.release();
    NewWndProcInstance = nullptr;
}

// ---- Installation ------------------------------------------------------------------------------------

void InstallWndHandler(TacMainWnd* Handler, HWND Wnd)
{
    if (Handler == nullptr || Wnd == nullptr) return;
    Handler->DontRepaint = false;
    Handler->CtrlHandle = Wnd;
    SetPropW(Wnd, HandlerProp, reinterpret_cast<HANDLE>(Handler));
    if (TControl* control = SubclassedControl(Handler->SkinData)) {
        Handler->OldWndProc = control->WindowProc;
        control->WindowProc = *Handler->InstalledMethod();
        return;
    }
    Handler->OldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Wnd, GWLP_WNDPROC));
    Handler->NewWndProcInstance = MakeObjectInstance(Handler->InstalledMethod());
    if (Handler->NewWndProcInstance != nullptr)
        SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Handler->NewWndProcInstance));
}

void UninstallWndHandler(HWND Wnd, bool FreeHandler, bool Repaint, TacMainWnd*& Handler)
{
    if (Handler == nullptr) return;
    if (!Handler->Destroyed) {
        const bool detached = Handler->GiveProcedureBack();
        RemovePropW(Wnd, HandlerProp);
        Handler->RestoreStdParams();
        if (IsWindowVisible(Wnd)) RedrawFrame(Wnd, Repaint);
        Handler->Destroyed = detached;
    }
    if (FreeHandler) {
        // Whatever was not given back stays with the window (or with a later subclasser).
        if (!Handler->Destroyed) Handler->LeaveStubForwarding();
        Handler->OldProc = nullptr;
        Handler->OldWndProc = nullptr;
        Handler->Destroyed = true;
        delete Handler;
        Handler = nullptr;
    }
}

TacMainWnd* GetWndHandler(HWND Wnd)
{
    return Wnd != nullptr ? reinterpret_cast<TacMainWnd*>(GetPropW(Wnd, HandlerProp)) : nullptr;
}

int DefaultMinThumbSize()
{
    return 10;
}

void RedrawFrame(HWND Wnd, bool FrameChanged)
{
    if (FrameChanged)
        SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    else
        SendMessageW(Wnd, WM_NCPAINT, 1, 0);
}

void ReadWndPlacement(HWND Wnd, HWND& ParentWnd, TRect& WndRect, TRect& ParentRect, TSize& WndSize, TPoint& WndPos)
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    WndRect = TRect{r.left, r.top, r.right, r.bottom};
    ParentWnd = GetParent(Wnd);
    RECT p{};
    if (ParentWnd != nullptr) GetWindowRect(ParentWnd, &p);
    ParentRect = TRect{p.left, p.top, p.right, p.bottom};
    WndSize = TSize{r.right - r.left, r.bottom - r.top};
    POINT topLeft{r.left, r.top};
    ScreenToClient(ParentWnd, &topLeft);
    WndPos = TPoint{topLeft.x, topLeft.y};
}

void BroadcastToOwner(TControl* Control, HWND Wnd, TMessage& Message)
{
    if (auto* win = dynamic_cast<TWinControl*>(Control))
        BroadcastToControls(win, Message);
    else if (Control == nullptr)
        BroadcastToChildWnds(Wnd, Message);
}

void NotifyChildAdded(HWND Wnd)
{
    if (Wnd == nullptr) return;
    SendSkinCmd(TopParentWindow(Wnd), AC_CHILDADDED, 0);
}

// ---- Messages ------------------------------------------------------------------------------------------

LRESULT TacMainWnd::CallPrevWndProc(HWND Handle, UINT Msg, WPARAM WParam, LPARAM& LParam)
{
    if (OldWndProc) {
        TMessage m{Msg, WParam, LParam, 0};
        // The previous method may detach and free us: call a copy.
        TWndMethod previous = OldWndProc;
        previous(m);
        LParam = m.LParam;
        return m.Result;
    }
    if (OldProc != nullptr) return CallWindowProcW(OldProc, Handle, Msg, WParam, LParam);
    return 0;
}

void TacMainWnd::PassOn(TMessage& Message)
{
    Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TacMainWnd::OnDestroyMessage(TMessage& Message)
{
    if (SkinData != nullptr && SkinData->GlowID >= 0) {
        FreeGlowEffect(SkinData->GlowID);
        SkinData->GlowID = -1;
    }
    if (OldProc == nullptr && !OldWndProc) {
        // Detached already: the window's own procedure answers.
        Message.Result = SendMessageW(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    PassOn(Message);
    if (Message.Result != 0) return;
    try {
        TacMainWnd* self = this;
        UninstallWndHandler(CtrlHandle, false, false, self);
    } catch (...) {
        // The window is going away; a failed detach must not stop that.
    }
}

void TacMainWnd::acWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY: OnDestroyMessage(Message); return;
    case WM_UPDATEUISTATE: return;  // focus cues are the skin's
    case WM_PRINT: Message.Result = SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, Message.LParam); return;
    case WM_SIZE: SkinData->BGChanged = true; break;
    case WM_SETTEXT:
        PassOn(Message);
        Caption = WindowText(CtrlHandle);
        return;
    case WM_CONTEXTMENU:
        if (SkinData->FOwnerControl != nullptr) HookPopupMenu(SkinData->GetSkinManager(), SkinData->FOwnerControl->PopupMenu());
        break;
    case WM_MOUSEMOVE:
        if (TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
            manager != nullptr && !manager->ComponentState().Contains(csDesigning) && IsWindowEnabled(CtrlHandle) &&
            manager->ActiveControl() != CtrlHandle)
            manager->SetActiveControl(CtrlHandle);
        break;
    default: break;
    }
    TsSkinManager* manager = SkinData != nullptr ? SkinData->GetSkinManager() : nullptr;
    if (manager == nullptr || !manager->Active() || Message.Msg != SM_LUMACMD || !HandleSkinCommand(Message))
        PassOn(Message);
}

bool TacMainWnd::HandleSkinCommand(TMessage& Message)
{
    TsCommonData* data = SkinData;
    const bool ownManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == data->GetSkinManager();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        if (ownManager) {
            data->UpdateIndexes();
            data->BGChanged = true;
            BroadcastToOwner(data->FOwnerControl, CtrlHandle, Message);
        }
        return false;
    case AC_SKINUNLOADED:
        if (ownManager) RestoreStdParams();
        return false;
    case AC_RESKIN:
        if (!ownManager) return false;
        data->UpdateIndexes();
        data->BGChanged = true;
        data->SetUpdating(false);
        if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
        return true;
    case AC_RESUMEPAINT: {
        if (!data->UpdatingFlag()) return false;
        data->SetUpdating(false);
        const bool stillUpdating = data->Updating();
        data->SetUpdating(stillUpdating);
        if (!stillUpdating)
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return true;
    }
    case AC_QUERYSKINNED: Message.Result = 1; return true;
    case AC_QUERYBUSY: Message.Result = data->UpdatingFlag() ? 1 : 0; return true;
    case AC_ASSIGNSECTION:
        if (Message.LParam != 0) data->SetSkinSection(reinterpret_cast<const TacSectionInfo*>(Message.LParam)->Name);
        return false;
    case AC_QUERYMOVEREPAINT: return data->FOwnerControl != nullptr && HandleSkinCmd(Message, data);
    case AC_QUERYBGCOLOR:
        PassOn(Message);
        if (Message.Result == 0) Message.Result = static_cast<LRESULT>(data->StateBackColor(false, CtrlHandle));
        return true;
    case AC_BUILDCACHE: PrepareFrameCache(data, CtrlHandle, false); return false;
    case AC_QUERYBGINFO:
        if (Message.LParam != 0) data->DescribeBackground(*reinterpret_cast<TBackgroundQuery*>(Message.LParam), false, CtrlHandle);
        return true;
    case AC_SETPRINTDC:
        data->PrintDC = reinterpret_cast<HDC>(Message.LParam);
        if (data->PrintDC != nullptr)
            data->CtrlSkinState |= ACS_PRINTING;
        else
            data->CtrlSkinState &= static_cast<std::uint16_t>(~ACS_PRINTING);
        return false;
    case AC_QUERYAPP: Message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application)); return true;
    default: return false;
    }
}
