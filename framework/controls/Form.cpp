// TCustomForm: the top-level window of controls. Its frame from BorderStyle and BorderIcons,
// placement, showing (modal or not) and closing, activation, and the focus bookkeeping that
// turns window focus changes into CM_EXIT/CM_ENTER along the chain of parents.
#include "framework/controls/Forms.h"

#include <algorithm>
#include <functional>

#include "framework/controls/ActionList.h"
#include "framework/facts/SystemFacts.h"
#include "framework/system/ScopeGuards.h"

namespace {

// Bumped by every focus change; a focus message whose handler moved the focus elsewhere finds
// it changed and the change in progress stops.
int FocusCount = 0;

bool SendFocusMessage(TControl* Control, UINT Msg)
{
    int count = FocusCount;
    Control->Perform(Msg);
    return FocusCount == count;
}

int ShowCommand(TWindowState State)
{
    switch (State) {
    case wsMinimized: return SW_SHOWMINNOACTIVE;
    case wsMaximized: return SW_SHOWMAXIMIZED;
    default: return SW_SHOWNORMAL;
    }
}

struct TTaskWindows {
    HWND Except;
    std::vector<HWND> Windows;
};

BOOL CALLBACK DisableTaskWindow(HWND Wnd, LPARAM LParam)
{
    auto* d = reinterpret_cast<TTaskWindows*>(LParam);
    if (Wnd != d->Except && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
        d->Windows.push_back(Wnd);
        EnableWindow(Wnd, FALSE);
    }
    return TRUE;
}

// Windows disabled for a modal form, enabled again afterwards.
std::vector<HWND> DisableTaskWindows(HWND Except)
{
    TTaskWindows data{Except, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableTaskWindow, reinterpret_cast<LPARAM>(&data));
    return data.Windows;
}

void EnableTaskWindows(const std::vector<HWND>& Windows)
{
    for (HWND wnd : Windows)
        if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
}

} // namespace

std::function<void(TMainMenu*, HWND)> MainMenuAttachFunction;
std::function<bool(TMainMenu*, TMessage&)> MainMenuMessageHandler;
std::function<bool(TMainMenu*, TMessage&)> MainMenuShortCutHandler;

TCustomForm* GetParentForm(TControl* Control, bool TopForm)
{
    if (Control == nullptr) return nullptr;
    if (TopForm) {
        while (Control->Parent() != nullptr) Control = Control->Parent();
        return dynamic_cast<TCustomForm*>(Control);
    }
    while (Control != nullptr) {
        if (auto* form = dynamic_cast<TCustomForm*>(Control)) return form;
        Control = Control->Parent();
    }
    return nullptr;
}

TCustomForm* ValidParentForm(TControl* Control, bool TopForm)
{
    TCustomForm* form = GetParentForm(Control, TopForm);
    if (form == nullptr) throw EInvalidOperation(L"Control '" + (Control != nullptr ? Control->Name() : String()) + L"' has no parent window");
    return form;
}

// ---- Construction --------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()), FIcon(std::make_unique<TIcon>())
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FVisible = false;
    FParentColor = false;
    FParentFont = false;
    FParentCtl3D = false;
    FParentShowHint = false;
    FParentBiDiMode = false;
    FColor = clBtnFace;
    FBrush->SetColor(FColor);
    FWidth = 320;
    FHeight = 240;
    FPosition = poDesigned;
    FCanvas->SetControl(this);
    FIcon->OnChange = [this](TObject* Sender) { IconChanged(Sender); };
    if (Screen != nullptr) {
        FPixelsPerInch = Screen->PixelsPerInch();
        Screen->AddForm(this);
    }
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (FCreated && !FDestroyed) {
        FDestroyed = true;
        DoDestroy();
    }
    // The owned components go while the form is still whole: some of them (a skin provider)
    // hold on to the form's WindowProc and give it back when they go.
    DestroyComponents();
    if (Screen != nullptr) Screen->RemoveForm(this);
    if (FHandle != nullptr) DestroyHandle();
    FCanvas->SetControl(nullptr);
    FIcon->OnChange = nullptr;
}

void TCustomForm::AfterConstruction()
{
    if (FCreated) return;
    FCreated = true;
    DoCreate();
    if (FFormState.Contains(fsVisible)) {
        FFormState.Exclude(fsVisible);
        SetVisible(true);
    }
}

TForm* TForm::CreateNew(TComponent* AOwner)
{
    auto* form = new TForm(AOwner);
    form->AfterConstruction();
    return form;
}

void TCustomForm::DoCreate()
{
    try {
        if (OnCreate) OnCreate(this);
    } catch (...) {
        if (Application != nullptr) Application->HandleException(this);
    }
}

void TCustomForm::DoDestroy()
{
    try {
        if (OnDestroy) OnDestroy(this);
    } catch (...) {
        if (Application != nullptr) Application->HandleException(this);
    }
}

void TCustomForm::Loaded()
{
    TWinControl::Loaded();
    if (FClientWidth > 0) SetClientWidth(FClientWidth);
    if (FClientHeight > 0) SetClientHeight(FClientHeight);
    FClientWidth = FClientHeight = 0;
    if (Screen != nullptr) {
        int ppi = Screen->PixelsPerInch();
        if (FScaled && FPixelsPerInch > 0 && FPixelsPerInch != ppi) ScaleBy(ppi, FPixelsPerInch);
        FPixelsPerInch = ppi;
    }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent == nullptr) return;
    if (static_cast<TComponent*>(FActiveControl) == AComponent) FActiveControl = nullptr;
    if (static_cast<TComponent*>(FFocusedControl) == AComponent) FFocusedControl = nullptr;
    if (AComponent == FMenuComponent) {
        // The menu is going: it detaches itself from its window.
        FMenu = nullptr;
        FMenuComponent = nullptr;
        if (FHandle != nullptr && FParent == nullptr) ::SetMenu(FHandle, nullptr);
    }
}

// ---- Window --------------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    bool topLevel = FParent == nullptr && FParentWindow == nullptr;
    bool isMain = Application != nullptr && (Application->MainForm() == this || Application->MainForm() == nullptr);
    if (topLevel) {
        Params.WndParent = nullptr;
        if (Application != nullptr) {
            if (!Application->MainFormOnTaskBar())
                Params.WndParent = Application->Handle();
            else if (!isMain && Application->MainForm()->HandleAllocated())
                Params.WndParent = Application->MainForm()->Handle();
        }
        Params.Style &= ~static_cast<DWORD>(WS_CHILD | WS_GROUP | WS_TABSTOP);
    }
    Params.WindowClass.style = CS_DBLCLKS;
    TBorderIcons icons = FBorderIcons;
    switch (FBorderStyle) {
    case bsNone:
        if (topLevel) Params.Style |= WS_POPUP;
        icons = TBorderIcons{};
        break;
    case bsSingle:
    case bsToolWindow: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION;
        Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        icons = icons * TBorderIcons{biSystemMenu, biHelp};
        Params.WindowClass.style |= CS_SAVEBITS | CS_BYTEALIGNWINDOW;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) {
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        icons = icons * TBorderIcons{biSystemMenu};
    }
    if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable || FBorderStyle == bsNone) {
        if (icons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
        if (icons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
        if (FWindowState == wsMinimized)
            Params.Style |= WS_MINIMIZE;
        else if (FWindowState == wsMaximized)
            Params.Style |= WS_MAXIMIZE;
    } else {
        FWindowState = wsNormal;
    }
    if (icons.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
    if (icons.Contains(biHelp) && !icons.Contains(biMinimize) && !icons.Contains(biMaximize)) Params.ExStyle |= WS_EX_CONTEXTHELP;
    if (topLevel) {
        if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
        if (FAlphaBlend || FTransparentColor) Params.ExStyle |= WS_EX_LAYERED;
        if (isMain && Application != nullptr && Application->MainFormOnTaskBar()) Params.ExStyle |= WS_EX_APPWINDOW;
        if (FPosition == poDefault || FPosition == poDefaultPosOnly) Params.X = Params.Y = CW_USEDEFAULT;
        if (FPosition == poDefault || FPosition == poDefaultSizeOnly) Params.Width = Params.Height = CW_USEDEFAULT;
    }
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!FIcon->Empty()) SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon->Handle()));
    UpdateLayered();
    UpdateMenu();
}

void TCustomForm::UpdateLayered()
{
    if (FHandle == nullptr || FParent != nullptr) return;
    LONG ex = GetWindowLongW(FHandle, GWL_EXSTYLE);
    if (FAlphaBlend || FTransparentColor) {
        if ((ex & WS_EX_LAYERED) == 0) SetWindowLongW(FHandle, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        DWORD flags = (FAlphaBlend ? LWA_ALPHA : 0) | (FTransparentColor ? LWA_COLORKEY : 0);
        SetLayeredWindowAttributes(FHandle, static_cast<COLORREF>(ColorToRGB(FTransparentColorValue)),
                                   FAlphaBlend ? FAlphaBlendValue : 255, flags);
    } else if ((ex & WS_EX_LAYERED) != 0) {
        SetWindowLongW(FHandle, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
        RedrawWindow(FHandle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void TCustomForm::SetAlphaBlend(bool Value)
{
    if (FAlphaBlend == Value) return;
    FAlphaBlend = Value;
    UpdateLayered();
}

void TCustomForm::SetAlphaBlendValue(BYTE Value)
{
    if (FAlphaBlendValue == Value) return;
    FAlphaBlendValue = Value;
    UpdateLayered();
}

void TCustomForm::SetTransparentColor(bool Value)
{
    if (FTransparentColor == Value) return;
    FTransparentColor = Value;
    UpdateLayered();
}

void TCustomForm::SetTransparentColorValue(TColor Value)
{
    if (FTransparentColorValue == Value) return;
    FTransparentColorValue = Value;
    UpdateLayered();
}

void TCustomForm::SetMenuLink(TMainMenu* Menu, TComponent* AsComponent)
{
    if (FMenu != nullptr && FMenu != Menu && FHandle != nullptr && FParent == nullptr && MainMenuAttachFunction)
        MainMenuAttachFunction(FMenu, nullptr);
    if (FMenuComponent != nullptr && FMenuComponent != AsComponent) RemoveFreeNotification(FMenuComponent);
    FMenu = Menu;
    FMenuComponent = AsComponent;
    if (AsComponent != nullptr) FreeNotification(AsComponent);
    UpdateMenu();
}

void TCustomForm::UpdateMenu()
{
    if (FHandle == nullptr || FParent != nullptr) return;
    if (FMenu != nullptr && MainMenuAttachFunction)
        MainMenuAttachFunction(FMenu, FHandle);
    else if (GetMenu(FHandle) != nullptr)
        ::SetMenu(FHandle, nullptr);
}

void TCustomForm::DestroyWnd()
{
    // Windows destroys the menu of a window it destroys; the menu outlives this window.
    if (FHandle != nullptr && FParent == nullptr && FMenu != nullptr && MainMenuAttachFunction)
        MainMenuAttachFunction(FMenu, nullptr);
    TWinControl::DestroyWnd();
}

TRect TCustomForm::ClientRect()
{
    if (FHandle == nullptr && FParent == nullptr && FParentWindow == nullptr) {
        if (ComponentState().Contains(csLoading) && FClientWidth > 0 && FClientHeight > 0)
            return Rect(0, 0, FClientWidth, FClientHeight);
        // The frame follows from the styles: no window is needed to know the client size.
        TCreateParams params;
        CreateParams(params);
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, params.Style, FMenu != nullptr, params.ExStyle);
        int width = FWidth - static_cast<int>(frame.right - frame.left);
        int height = FHeight - static_cast<int>(frame.bottom - frame.top);
        return Rect(0, 0, std::max(0, width), std::max(0, height));
    }
    return TWinControl::ClientRect();
}

void TCustomForm::SetClientWidth(int Value)
{
    if (ComponentState().Contains(csLoading))
        FClientWidth = Value;
    else
        TWinControl::SetClientWidth(Value);
}

void TCustomForm::SetClientHeight(int Value)
{
    if (ComponentState().Contains(csLoading))
        FClientHeight = Value;
    else
        TWinControl::SetClientHeight(Value);
}

namespace {
// Restyles a live window (frame changes without making the window again).
void ApplyStyles(HWND Wnd, const TCreateParams& Params)
{
    const DWORD keep = WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    DWORD style = (static_cast<DWORD>(GetWindowLongW(Wnd, GWL_STYLE)) & keep) | (Params.Style & ~keep);
    SetWindowLongW(Wnd, GWL_STYLE, static_cast<LONG>(style));
    SetWindowLongW(Wnd, GWL_EXSTYLE, static_cast<LONG>(Params.ExStyle & ~static_cast<DWORD>(WS_EX_TOPMOST)));
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
} // namespace

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (FHandle != nullptr) {
        TCreateParams params;
        CreateParams(params);
        ApplyStyles(FHandle, params);
    }
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    if (FBorderIcons == Value) return;
    FBorderIcons = Value;
    if (FHandle != nullptr) {
        TCreateParams params;
        CreateParams(params);
        ApplyStyles(FHandle, params);
    }
}

void TCustomForm::SetPosition(TPosition Value) { FPosition = Value; }

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    if (FFormStyle == Value) return;
    FFormStyle = Value;
    if (FHandle != nullptr && FParent == nullptr)
        SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    if (FWindowState == Value) return;
    FWindowState = Value;
    if (FHandle != nullptr && Showing() && !ComponentState().Contains(csDesigning)) ShowWindow(FHandle, ShowCommand(Value));
}

void TCustomForm::IconChanged(TObject*)
{
    if (FHandle != nullptr)
        SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon->Empty() ? nullptr : FIcon->Handle()));
    Perform(CM_ICONCHANGED);
}

// ---- Painting ------------------------------------------------------------------------------

void TCustomForm::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow(HDC DC)
{
    FCanvas->PaintOn(DC, [this] { Paint(); });
}

void TCustomForm::WMPaint(TMessage& Message)
{
    CustomPaintHandler(Message);
}

void TCustomForm::WMEraseBkgnd(TMessage& Message) { TWinControl::WMEraseBkgnd(Message); }

// ---- Showing -------------------------------------------------------------------------------

void TCustomForm::SetVisible(bool Value)
{
    if (FFormState.Contains(fsCreating) || ComponentState().Contains(csLoading)) {
        if (Value)
            FFormState.Include(fsVisible);
        else
            FFormState.Exclude(fsVisible);
        return;
    }
    TWinControl::SetVisible(Value);
}

void TCustomForm::Show()
{
    AfterConstruction();
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::DoShow()
{
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide) OnHide(this);
}

void TCustomForm::ApplyPosition()
{
    if (FParent != nullptr || Screen == nullptr) return;
    int x = FLeft, y = FTop;
    switch (FPosition) {
    case poScreenCenter:
        x = (Screen->Width() - FWidth) / 2;
        y = (Screen->Height() - FHeight) / 2;
        break;
    case poDesktopCenter:
        x = Screen->DesktopLeft() + (Screen->DesktopWidth() - FWidth) / 2;
        y = Screen->DesktopTop() + (Screen->DesktopHeight() - FHeight) / 2;
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* center = Application != nullptr ? Application->MainForm() : nullptr;
        if (FPosition == poOwnerFormCenter)
            if (auto* owner = dynamic_cast<TCustomForm*>(Owner())) center = owner;
        if (center != nullptr && center != this) {
            x = center->Left() + (center->Width() - FWidth) / 2;
            y = center->Top() + (center->Height() - FHeight) / 2;
        } else {
            x = (Screen->Width() - FWidth) / 2;
            y = (Screen->Height() - FHeight) / 2;
        }
        break;
    }
    default: return;
    }
    if (x < Screen->DesktopLeft()) x = Screen->DesktopLeft();
    if (y < Screen->DesktopTop()) y = Screen->DesktopTop();
    SetBounds(x, y, FWidth, FHeight);
}

void TCustomForm::CMShowingChanged(TMessage& Message)
{
    if (FFormState.Contains(fsShowing)) throw EInvalidOperation(L"Cannot change Visible in OnShow or OnHide");
    TFlagGuard showing(FFormState, fsShowing);
    if (FShowing) {
        try {
            DoShow();
        } catch (...) {
            if (Application != nullptr) Application->HandleException(this);
        }
        ApplyPosition();
        if (FParent != nullptr)
            TWinControl::CMShowingChanged(Message);
        else
            ShowWindow(FHandle, ShowCommand(FWindowState));
    } else {
        try {
            DoHide();
        } catch (...) {
            if (Application != nullptr) Application->HandleException(this);
        }
        if (FParent != nullptr)
            TWinControl::CMShowingChanged(Message);
        else
            ShowWindow(FHandle, SW_HIDE);
        if (FActive) SetActive(false);
    }
}

int TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild)
        throw EInvalidOperation(L"Cannot make a visible window modal");
    AfterConstruction();
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    if (Application != nullptr) {
        Application->ModalStarted();
        if (Application->OnModalBegin) Application->OnModalBegin(Application);
    }
    FFormState.Include(fsModal);
    HWND activeWindow = GetActiveWindow();
    int saveFocusCount = FocusCount;
    if (Screen != nullptr) {
        Screen->SaveFocusedList.insert(Screen->SaveFocusedList.begin(), Screen->FocusedForm());
        Screen->SetFocusedForm(this);
    }
    TCursor saveCursor = Screen != nullptr ? Screen->Cursor() : crDefault;
    if (Screen != nullptr) Screen->SetCursor(crDefault);
    int saveCursorCount = Screen != nullptr ? Screen->CursorCount() : 0;
    std::vector<HWND> disabled = DisableTaskWindows(nullptr);
    // However the modal loop ends, everything it changed comes back (after the form is hidden).
    TScopeExit restore([&] {
        if (Screen != nullptr) {
            Screen->SetCursor(Screen->CursorCount() == saveCursorCount ? saveCursor : crDefault);
        }
        EnableTaskWindows(disabled);
        if (Screen != nullptr) {
            if (!Screen->SaveFocusedList.empty()) {
                Screen->SetFocusedForm(Screen->SaveFocusedList.front());
                Screen->SaveFocusedList.erase(Screen->SaveFocusedList.begin());
            } else {
                Screen->SetFocusedForm(nullptr);
            }
        }
        if (activeWindow != nullptr && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
        FocusCount = saveFocusCount;
        FFormState.Exclude(fsModal);
        if (Application != nullptr) {
            Application->ModalFinished();
            if (Application->OnModalEnd) Application->OnModalEnd(Application);
        }
    });
    int result = mrNone;
    Show();
    {
        TScopeExit hide([this] { Hide(); });
        SendMessageW(FHandle, CM_ACTIVATE, 0, 0);
        FModalResult = mrNone;
        bool terminatedBefore = Application != nullptr && Application->Terminated();
        do {
            if (Application != nullptr)
                Application->HandleMessage();
            else
                WaitMessage();
            if (Application != nullptr && Application->Terminated() && !terminatedBefore)
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
        } while (FModalResult == mrNone);
        result = FModalResult;
        if (FHandle != nullptr) SendMessageW(FHandle, CM_DEACTIVATE, 0, 0);
        if (GetActiveWindow() != FHandle) activeWindow = nullptr;
    }
    return result;
}

void TCustomForm::CloseModal()
{
    try {
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            DoClose(action);
        }
        if (action == caNone)
            FModalResult = mrNone;
        else if (action == caFree)
            Release();
    } catch (...) {
        FModalResult = mrNone;
        if (Application != nullptr) Application->HandleException(this);
    }
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close()
{
    if (FFormState.Contains(fsModal)) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application != nullptr && Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::Release()
{
    if (HandleAllocated())
        PostMessageW(FHandle, CM_RELEASE, 0, 0);
    else
        PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) { delete this; }

// ---- Activation and focus ------------------------------------------------------------------

void TCustomForm::Activate()
{
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::CMActivate(TMessage&) { Activate(); }
void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

void TCustomForm::SetActive(bool Value)
{
    FActive = Value;
    if (!Value) return;
    if (FActiveControl == nullptr && !ComponentState().Contains(csDesigning))
        FActiveControl = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
}

void TCustomForm::SetWindowFocus()
{
    HWND focus = nullptr;
    if (FActiveControl != nullptr && FActiveControl->CanFocus())
        focus = FActiveControl->Handle();
    else if (FHandle != nullptr)
        focus = FHandle;
    if (focus != nullptr) ::SetFocus(focus);
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (FActiveControl == Control) return;
    bool loading = ComponentState().Contains(csLoading);
    if (Control != nullptr &&
        (static_cast<TWinControl*>(this) == Control || GetParentForm(Control) != this || !(loading || Control->CanFocus())))
        throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    FActiveControl = Control;
    if (!loading && FActive) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control)
{
    bool wasActive = FActive;
    SetActiveControl(Control);
    if (!wasActive) SetFocus();
}

bool TCustomForm::CanFocus() { return Visible() && Enabled() && (FParent == nullptr || TWinControl::CanFocus()); }

void TCustomForm::SetFocus()
{
    if (FParent != nullptr) {
        TWinControl::SetFocus();
        return;
    }
    if (FActive) return;
    if (!Visible() || !Enabled()) throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    SetWindowFocus();
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing)
{
    if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->Parent();
    if (Control->ContainsControl(FActiveControl)) {
        FActiveControl = nullptr;
        if (FActive && !ComponentState().Contains(csDestroying)) SetWindowFocus();
    }
    if (Screen != nullptr && Screen->ActiveControl() != nullptr && Control->ContainsControl(Screen->ActiveControl()))
        Screen->FormFocused(Screen->ActiveForm(), nullptr);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control)
{
    ++FocusCount;
    FActiveControl = Control != this ? Control : nullptr;
    if (Screen != nullptr) Screen->FormFocused(this, Control);
    if (Control->ControlState().Contains(csFocusing)) return false;
    Control->SetControlState(Control->ControlState() + TControlState{csFocusing});
    struct Guard {
        TWinControl* C;
        ~Guard() { C->SetControlState(C->ControlState() - TControlState{csFocusing}); }
    } guard{Control};
    if (Screen != nullptr && Screen->FocusedForm() != this) {
        if (TCustomForm* old = Screen->FocusedForm()) {
            Screen->SetFocusedForm(nullptr);
            if (!SendFocusMessage(old, CM_DEACTIVATE)) return false;
        }
        Screen->SetFocusedForm(this);
        if (!SendFocusMessage(this, CM_ACTIVATE)) return false;
    }
    if (FFocusedControl == nullptr) FFocusedControl = this;
    if (FFocusedControl != Control) {
        while (FFocusedControl != nullptr && !FFocusedControl->ContainsControl(Control)) {
            TWinControl* leaving = FFocusedControl;
            FFocusedControl = FFocusedControl->Parent();
            if (!SendFocusMessage(leaving, CM_EXIT)) return false;
        }
        while (FFocusedControl != Control) {
            TWinControl* entering = Control;
            while (entering->Parent() != FFocusedControl) entering = entering->Parent();
            FFocusedControl = entering;
            if (!SendFocusMessage(entering, CM_ENTER)) return false;
        }
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    }
    return true;
}

void TCustomForm::SendCancelMode(TControl* Sender)
{
    if (FActive && FActiveControl != nullptr) FActiveControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}

bool TCustomForm::IsShortCut(TMessage& Message)
{
    bool handled = false;
    if (OnShortCut) OnShortCut(Message, handled);
    if (!handled && FMenu != nullptr && MainMenuShortCutHandler) handled = MainMenuShortCutHandler(FMenu, Message);
    if (handled) return true;
    // Then the actions of the form's action lists.
    const TShortCut shortCut = ::ShortCut(static_cast<WORD>(Message.WParam), KeyDataToShiftState(Message.LParam));
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TCustomActionList*>(Components(i)))
            if (list->IsShortCut(shortCut)) return true;
    return false;
}

void TCustomForm::UpdateActions()
{
    if (ComponentState().Contains(csDesigning) || !Showing()) return;
    InitiateAction();
    // Hidden controls and the children of hidden containers show no action: they wait.
    std::function<void(TWinControl*)> traverse = [&](TWinControl* container) {
        if (!container->Showing()) return;
        for (int i = 0; i < container->ControlCount(); ++i) {
            TControl* control = container->Controls(i);
            if (control->ControlStyle().Contains(csActionClient) && control->Visible()) control->InitiateAction();
            if (auto* child = dynamic_cast<TWinControl*>(control); child != nullptr && child->ControlCount() > 0) traverse(child);
        }
    };
    traverse(this);
}

void TCustomForm::MouseWheelHandler(TMessage& Message)
{
    if (FFocusedControl != nullptr && FFocusedControl != this)
        Message.Result = FFocusedControl->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
    else
        Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

// ---- Messages ------------------------------------------------------------------------------

void TCustomForm::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_SETFOCUS && !ComponentState().Contains(csDesigning) && FActiveControl != nullptr &&
        FActiveControl != this && FActiveControl->CanFocus()) {
        // The form's window passes the focus on to its active control.
        ::SetFocus(FActiveControl->Handle());
        return;
    }
    TWinControl::WndProc(Message);
}

void TCustomForm::Dispatch(TMessage& Message)
{
    if (FMenu != nullptr && MainMenuMessageHandler) {
        bool menuMessage = false;
        switch (Message.Msg) {
        case WM_COMMAND: menuMessage = Message.LParam == 0; break;
        case WM_INITMENUPOPUP:
        case WM_MENUSELECT:
        case WM_MENUCHAR: menuMessage = true; break;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
            menuMessage = item != nullptr && item->CtlType == ODT_MENU;
            break;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
            menuMessage = item != nullptr && item->CtlType == ODT_MENU;
            break;
        }
        }
        if (menuMessage && MainMenuMessageHandler(FMenu, Message)) return;
    }
    switch (Message.Msg) {
    case WM_CLOSE: WMClose(Message); break;
    case WM_ACTIVATE: WMActivate(Message); break;
    case WM_SYSCOMMAND: WMSysCommand(Message); break;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(Message); break;
    case WM_QUERYENDSESSION: WMQueryEndSession(Message); break;
    case CM_ACTIVATE: CMActivate(Message); break;
    case CM_DEACTIVATE: CMDeactivate(Message); break;
    case CM_RELEASE: CMRelease(Message); break;
    case CM_ICONCHANGED: CMIconChanged(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMActivate(TMessage& Message)
{
    if (FFormStyle != fsMDIForm || ComponentState().Contains(csDesigning)) SetActive(LOWORD(Message.WParam) != WA_INACTIVE);
}

void TCustomForm::WMSysCommand(TMessage& Message)
{
    DefaultHandler(Message);
    if (Application == nullptr || Application->MainForm() != this) return;
    UINT command = static_cast<UINT>(Message.WParam & 0xFFF0);
    if (command == SC_MINIMIZE && Application->OnMinimize) Application->OnMinimize(Application);
    if (command == SC_RESTORE && Application->OnRestore) Application->OnRestore(Application);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& Message)
{
    DefaultHandler(Message);
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    if (info == nullptr) return;
    const TSizeConstraints& c = *FConstraints;
    if (c.MinWidth() > 0) info->ptMinTrackSize.x = c.MinWidth();
    if (c.MinHeight() > 0) info->ptMinTrackSize.y = c.MinHeight();
    if (c.MaxWidth() > 0) info->ptMaxTrackSize.x = c.MaxWidth();
    if (c.MaxHeight() > 0) info->ptMaxTrackSize.y = c.MaxHeight();
}

void TCustomForm::WMQueryEndSession(TMessage& Message) { Message.Result = CloseQuery() ? 1 : 0; }

void TCustomForm::WMSize(TMessage& Message)
{
    if (!ComponentState().Contains(csDesigning)) {
        switch (Message.WParam) {
        case SIZE_RESTORED: FWindowState = wsNormal; break;
        case SIZE_MINIMIZED: FWindowState = wsMinimized; break;
        case SIZE_MAXIMIZED: FWindowState = wsMaximized; break;
        }
    }
    TWinControl::WMSize(Message);
}

void TCustomForm::CMIconChanged(TMessage&) {}

void TCustomForm::CMDialogKey(TMessage& Message)
{
    if (SystemFacts().KeyState(VK_MENU) >= 0) {
        switch (Message.WParam) {
        case VK_TAB:
            if (SystemFacts().KeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, SystemFacts().KeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl != nullptr && FActiveControl->Parent() != nullptr) {
                FActiveControl->Parent()->SelectNext(FActiveControl, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        }
    }
    TWinControl::CMDialogKey(Message);
}
