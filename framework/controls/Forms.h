#pragma once
// Forms and the objects around them: TCustomForm/TForm (a top-level window that owns and lays out
// its controls, keeps track of the focused one, routes dialog keys, shows modally and closes
// through CloseQuery/OnClose), TApplication (the global Application: the hidden application
// window, the message loop with key preprocessing, exception handling, hints) and TScreen (the
// global Screen: forms, active form and control, cursors, monitors, metrics).
//
// An exception that escapes a message handler is caught by the window procedure (an exception
// must not cross the system's code) and handed to Application->HandleException, which calls
// OnException or shows the message through the message-box function (replaceable for tests).
#include <windows.h>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/graphics/Icon.h"
#include "framework/classes/StringList.h"
#include "framework/system/ScopeGuards.h"

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TEnumSet<TBorderIcon>;

enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TEnumSet<TFormStateFlag>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrClose = IDCLOSE;
constexpr TModalResult mrHelp = IDHELP;
constexpr TModalResult mrTryAgain = IDTRYAGAIN;
constexpr TModalResult mrContinue = IDCONTINUE;
constexpr TModalResult mrAll = mrContinue + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
// Msg is the WM_KEYDOWN/WM_SYSKEYDOWN of a possible shortcut.
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;
using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
// Command and Data as the system's help asks them (HELP_CONTEXT, the context); true when handled.
using THelpEvent = std::function<bool(UINT Command, LONG_PTR Data, bool& CallHelp)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
// Sees the application window's messages first; true stops the message there.
using TWindowHook = std::function<bool(TMessage& Message)>;
using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

// Arrives with the menus unit: a form keeps a pointer to its main menu; the menus unit plugs in
// attaching the menu bar to the form's window (a null window detaches it, so that destroying
// the window does not destroy the menu with it), the menu messages of the form's window (WM_COMMAND from the menu,
// WM_INITMENUPOPUP, WM_MENUSELECT, WM_MENUCHAR, owner-drawn menu items; true when handled) and
// the menu's shortcuts (a WM_KEYDOWN/WM_SYSKEYDOWN; true when it was one).
class TMainMenu;
extern std::function<void(TMainMenu* Menu, HWND Window)> MainMenuAttachFunction;
extern std::function<bool(TMainMenu* Menu, TMessage& Message)> MainMenuMessageHandler;
extern std::function<bool(TMainMenu* Menu, TMessage& KeyMessage)> MainMenuShortCutHandler;

class TCustomForm : public TWinControl {
public:
    // A form; a derived class builds (or reads) its components in its own constructor.
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    // Runs OnCreate once the form is complete. Application->CreateForm calls it; Show and
    // ShowModal call it when nobody did.
    void AfterConstruction();

    // ---- Frame and placement ---------------------------------------------------------------
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    void SetClientWidth(int Value) override;
    void SetClientHeight(int Value) override;
    TRect ClientRect() override;
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value) { FIcon->Assign(Value); }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool Value) { FScaled = Value; }
    // The resolution the form was laid out at; a Scaled form is scaled to the screen's after
    // loading.
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
    TCanvas* Canvas() const { return FCanvas.get(); }
    TFormState FormState() const { return FFormState; }
    // A top-level form drawn with a constant opacity and/or a colour that shows through
    // (a layered window).
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value);
    bool TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(bool Value);
    TColor TransparentColorValue() const { return FTransparentColorValue; }
    void SetTransparentColorValue(TColor Value);
    // Kept for the code that asks; the form itself does not scroll.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value) { FAutoScroll = Value; }
    TMainMenu* Menu() const { return FMenu; }
    // Called where the menu class is complete (see SetPopupMenu).
    template <class M>
    void SetMenu(M* Value) { SetMenuLink(static_cast<TMainMenu*>(Value), Value); }
    void SetMenu(std::nullptr_t) { SetMenuLink(nullptr, nullptr); }
    void SetMenuLink(TMainMenu* Menu, TComponent* AsComponent);
    // Puts the menu's current handle on the window (after the menu was rebuilt).
    void UpdateMenu();

    // ---- Showing and closing ---------------------------------------------------------------
    void SetVisible(bool Value) override;
    void Show();
    void Hide();
    // Shows the form with the thread's other windows disabled and runs messages until
    // ModalResult is set (closing sets mrCancel); answers ModalResult.
    virtual int ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the messages already queued for it are handled.
    void Release();
    bool Active() const { return FActive; }

    // ---- Focus -----------------------------------------------------------------------------
    TWinControl* ActiveControl() const { return FActiveControl; }
    // EInvalidOperation "Cannot focus a disabled or invisible window" for a control that
    // cannot take the focus (or is not on this form).
    void SetActiveControl(TWinControl* Control);
    void FocusControl(TWinControl* Control);
    // Control is going away (Removing) or losing the ability to take focus.
    void DefocusControl(TWinControl* Control, bool Removing);
    // Called when Control's window got the focus: sends CM_EXIT up from the old focused
    // control and CM_ENTER down to the new one, then broadcasts CM_FOCUSCHANGED. False when a
    // handler moved the focus elsewhere meanwhile.
    bool SetFocusedControl(TWinControl* Control);
    TWinControl* FocusedControl() const { return FFocusedControl; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    void SetFocus() override;
    bool CanFocus() override;
    // The focused control gets CM_CANCELMODE (a click elsewhere on the form).
    void SendCancelMode(TControl* Sender);
    // OnShortCut, the main menu, then the actions of the form's action lists.
    virtual bool IsShortCut(TMessage& Message);
    // Lets the actions of the form and of its visible controls refresh their state (the
    // application calls it for its visible forms when it goes idle).
    virtual void UpdateActions();

    bool IsTopLevel() const override { return FParent == nullptr; }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void PaintWindow(HDC DC) override;
    void Loaded() override;
    void MouseWheelHandler(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual void Activate();
    virtual void Deactivate();
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Paint();

    // ---- Message handlers ------------------------------------------------------------------
    virtual void WMClose(TMessage& Message);
    virtual void WMActivate(TMessage& Message);
    virtual void WMSysCommand(TMessage& Message);
    virtual void WMGetMinMaxInfo(TMessage& Message);
    virtual void WMQueryEndSession(TMessage& Message);
    void WMSize(TMessage& Message) override;
    void WMPaint(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    virtual void CMActivate(TMessage& Message);
    virtual void CMDeactivate(TMessage& Message);
    virtual void CMRelease(TMessage& Message);
    virtual void CMIconChanged(TMessage& Message);
    void CMDialogKey(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;

    // ---- Events ----------------------------------------------------------------------------
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    void SetActive(bool Value);
    void SetWindowFocus();
    void CloseModal();
    // Moves the form to its Position (once, when first shown).
    void ApplyPosition();
    void IconChanged(TObject* Sender);
    void UpdateLayered();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDefaultPosOnly;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    TFormState FFormState;
    TModalResult FModalResult = mrNone;
    bool FActive = false;
    bool FKeyPreview = false;
    bool FScaled = true;
    int FPixelsPerInch = 96;
    int FClientWidth = 0;
    int FClientHeight = 0;
    bool FCreated = false;
    bool FDestroyed = false;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 255;
    bool FTransparentColor = false;
    TColor FTransparentColorValue = 0;
    bool FAutoScroll = false;
    TMainMenu* FMenu = nullptr;
    TComponent* FMenuComponent = nullptr;
    std::unique_ptr<TControlCanvas> FCanvas;
    std::unique_ptr<TIcon> FIcon;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
    // A form without description, complete (OnCreate has run).
    static TForm* CreateNew(TComponent* AOwner);
};

// The form a control is on: the topmost form above it (TopForm) or the nearest one.
TCustomForm* GetParentForm(TControl* Control, bool TopForm = true);
// The same, raising EInvalidOperation "Control '<name>' has no parent window" when there is none.
TCustomForm* ValidParentForm(TControl* Control, bool TopForm = true);

enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

class TMonitor : public TObject {
public:
    HMONITOR Handle() const { return FHandle; }
    int MonitorNum() const { return FMonitorNum; }
    TRect BoundsRect() const;
    TRect WorkareaRect() const;
    int Left() const { return BoundsRect().left; }
    int Top() const { return BoundsRect().top; }
    int Width() const { TRect r = BoundsRect(); return r.right - r.left; }
    int Height() const { TRect r = BoundsRect(); return r.bottom - r.top; }
    bool Primary() const;

private:
    friend class TScreen;
    HMONITOR FHandle = nullptr;
    int FMonitorNum = 0;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    // Every form, the most recently active first.
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int Index) const { return FForms.at(static_cast<size_t>(Index)); }
    int CustomFormCount() const { return FormCount(); }
    TCustomForm* CustomForms(int Index) const { return Forms(Index); }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TCustomForm* ActiveCustomForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    TCustomForm* FocusedForm() const { return FFocusedForm; }

    // The cursor for the whole application (crDefault lets each control choose its own).
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // The cursor handle of an identifier; unknown ones answer the arrow.
    HCURSOR Cursors(TCursor Index) const;
    // Registers (or replaces) a cursor; the screen destroys handles it was given.
    void SetCursors(TCursor Index, HCURSOR Handle);

    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    int DesktopLeft() const { return GetSystemMetrics(SM_XVIRTUALSCREEN); }
    int DesktopTop() const { return GetSystemMetrics(SM_YVIRTUALSCREEN); }
    int DesktopWidth() const { return GetSystemMetrics(SM_CXVIRTUALSCREEN); }
    int DesktopHeight() const { return GetSystemMetrics(SM_CYVIRTUALSCREEN); }
    TRect DesktopRect() const { return Bounds(DesktopLeft(), DesktopTop(), DesktopWidth(), DesktopHeight()); }
    TRect WorkAreaRect() const;
    int WorkAreaLeft() const { return WorkAreaRect().left; }
    int WorkAreaTop() const { return WorkAreaRect().top; }
    int WorkAreaWidth() const { TRect r = WorkAreaRect(); return r.right - r.left; }
    int WorkAreaHeight() const { TRect r = WorkAreaRect(); return r.bottom - r.top; }
    int PixelsPerInch() const;

    int MonitorCount();
    TMonitor* Monitors(int Index);
    TMonitor* PrimaryMonitor();
    TMonitor* MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo Default = mdNearest);
    TMonitor* MonitorFromWindow(HWND Handle, TMonitorDefaultTo Default = mdNearest);
    TMonitor* MonitorFromRect(const TRect& Rect, TMonitorDefaultTo Default = mdNearest);

    // Names of the installed font families, sorted.
    TStrings* Fonts();
    void ResetFonts();
    TFont* HintFont() const { return FHintFont.get(); }
    TFont* IconFont() const { return FIconFont.get(); }
    TFont* MenuFont() const { return FMenuFont.get(); }

    TNotifyEvent OnActiveControlChange;
    TNotifyEvent OnActiveFormChange;

    // Kept by the forms layer.
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void FormFocused(TCustomForm* Form, TWinControl* Control);
    void SetFocusedForm(TCustomForm* Form) { FFocusedForm = Form; }
    int CursorCount() const { return FCursorCount; }
    // The forms saved by nested modal loops.
    std::vector<TCustomForm*> SaveFocusedList;

private:
    TMonitor* FindMonitor(HMONITOR Handle);
    void GetMetricSettings();

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TCustomForm* FFocusedForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = crDefault;
    int FCursorCount = 0;
    std::map<TCursor, HCURSOR> FCursors;
    std::vector<HCURSOR> FOwnedCursors;
    std::vector<std::unique_ptr<TMonitor>> FMonitors;
    std::unique_ptr<TStringList> FFonts;
    std::unique_ptr<TFont> FHintFont, FIconFont, FMenuFont;
};

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize();
    // The main form shows on the task bar with its own button (instead of the hidden
    // application window owning every form).
    bool MainFormOnTaskBar() const { return FMainFormOnTaskBar; }
    void SetMainFormOnTaskBar(bool Value) { FMainFormOnTaskBar = Value; }
    TCustomForm* MainForm() const { return FMainForm; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }

    // Creates a form owned by the application (the first one becomes MainForm), stores it in
    // *Reference before OnCreate runs, and answers it.
    template <class T>
    T* CreateForm(T** Reference = nullptr)
    {
        if (Reference != nullptr) *Reference = nullptr;
        T* form = new T(this);
        if (Reference != nullptr) *Reference = form;
        FormCreated(form);
        return form;
    }
    TCustomForm* CreateForm(const std::function<TCustomForm*(TComponent* Owner)>& Factory);

    // Shows the main form and runs messages until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles every message waiting now.
    void ProcessMessages();
    // Handles one message, or idles (and waits for one) when there is none.
    void HandleMessage();
    // True while a modal form runs its loop.
    int ModalLevel() const { return FModalLevel; }
    void ModalStarted() { ++FModalLevel; }
    void ModalFinished() { --FModalLevel; }

    // The current exception (call inside a catch): OnException or ShowException; EAbort is silent.
    void HandleException(TObject* Sender);
    void ShowException(Exception& E);
    // The message box of the application (through the replaceable message-box function).
    int MessageBox(const String& Text, const String& Caption = L"", UINT Flags = MB_OK);
    // Help for a help context: OnHelp decides, the program carrying no help file of its own;
    // true when help was shown.
    bool HelpContext(int Context);

    // The hidden application window (created on first use).
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HookMainWindow(const TWindowHook& Hook, const void* Id = nullptr);
    // Removes the hook installed with Id.
    void UnhookMainWindow(const void* Id);
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value);
    String ExeName() const;
    bool Active() const { return FActive; }
    void BringToFront();
    void Minimize();
    void Restore();
    // The window under a modal dialog that is not ours, for IsDialogMessage.
    HWND DialogHandle() const { return FDialogHandle; }
    void SetDialogHandle(HWND Value) { FDialogHandle = Value; }

    // ---- Hints -----------------------------------------------------------------------------
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value);
    int HintPause() const { return FHintPause; }
    void SetHintPause(int Value) { FHintPause = Value; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int Value) { FHintShortPause = Value; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int Value) { FHintHidePause = Value; }
    void CancelHint();
    void ActivateHint(const TPoint& CursorPos);
    // The mouse moved over Control: the hint machinery follows it.
    void HintMouseMessage(TControl* Control, TMessage& Message);
    THintWindow* HintWindow() const { return FHintWindow.get(); }
    TControl* HintControl() const { return FHintControl; }
    // Forgets a control that is being destroyed.
    void ControlDestroyed(TControl* Control);

    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnHint;
    TShowHintEvent OnShowHint;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnModalBegin;
    TNotifyEvent OnModalEnd;
    THelpEvent OnHelp;

    // The application window's procedure (after the hooks).
    virtual void WndProc(TMessage& Message);
    void FormCreated(TCustomForm* Form);

private:
    bool ProcessMessage(MSG& Msg);
    void Idle(const MSG& Msg);
    // The actions of every visible, enabled form refresh their state.
    void DoActionIdle();
    bool IsKeyMsg(MSG& Msg);
    bool IsHintMsg(MSG& Msg);
    bool IsDlgMsg(MSG& Msg);
    void CreateHandle();
    static LRESULT CALLBACK AppWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    void HintTimerExpired();
    void StartHintTimer(int Value, int Kind);
    void StopHintTimer();

    HWND FHandle = nullptr;
    TCustomForm* FMainForm = nullptr;
    bool FMainFormOnTaskBar = false;
    bool FShowMainForm = true;
    bool FTerminated = false;
    bool FRunning = false;
    bool FActive = false;
    int FModalLevel = 0;
    String FTitle;
    HWND FDialogHandle = nullptr;
    struct THookEntry {
        TWindowHook Hook;
        const void* Id;
    };
    std::vector<THookEntry> FWindowHooks;

    String FHint;
    bool FShowHint = true;
    TColor FHintColor = clInfoBk;
    int FHintPause = 500;
    int FHintShortPause = 0;
    int FHintHidePause = 2500;
    std::unique_ptr<THintWindow> FHintWindow;
    TControl* FHintControl = nullptr;
    TControl* FMouseControl = nullptr;
    TRect FHintCursorRect{0, 0, 0, 0};
    bool FHintActive = false;
    int FHintTimerKind = 0;
};

// The application and the screen. Each is made on first use, so no order of start-up matters;
// `Application->Run()`, `TApplication* app = Application` work as with a plain pointer.
struct TApplicationInstance {
    static TApplication* Get();
    TApplication* operator->() const { return Get(); }
    operator TApplication*() const { return Get(); }
};
struct TScreenInstance {
    static TScreen* Get();
    TScreen* operator->() const { return Get(); }
    operator TScreen*() const { return Get(); }
};
inline constexpr TApplicationInstance Application{};
inline constexpr TScreenInstance Screen{};

// Frees the forms and components the application owns (the end of the program).
void DoneApplication();

// The one place a message box is shown from (ShowException, Application->MessageBox). Tests
// install their own to capture the text instead of showing a box. An empty F restores MessageBoxW.
using TMessageBoxFunction = std::function<int(HWND Owner, const String& Text, const String& Caption, UINT Flags)>;
TMessageBoxFunction SetMessageBoxFunction(TMessageBoxFunction F);
// A message box described in full (help callback, context, icon): through the replaceable
// function when one is installed (it sees owner, text, caption and style), else the system's.
int ShowMessageBoxIndirect(const MSGBOXPARAMSW& Params);
