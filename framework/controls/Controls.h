#pragma once
// The control layer: TControl (anything with bounds inside a parent, windowed or painted by its
// parent), TWinControl (a control with a real window of its own, created on demand), and the two
// bases that paint through a canvas, TGraphicControl and TCustomControl; also THintWindow and the
// shared vocabulary (alignment, shift states, cursors, control styles and states, events).
//
// Every message a control receives goes through its replaceable WindowProc, which starts as the
// virtual WndProc: WndProc does the framework's preprocessing (mouse capture, enter/leave
// tracking, routing mouse messages to graphic children) and Dispatch hands each message to its
// handler (one virtual method per message, e.g. WMPaint, CMEnabledChanged); what no handler takes
// ends in DefaultHandler, which calls the window class's own procedure. Perform sends a message
// straight to WindowProc. Property setters notify through CM_* messages sent to the control itself.
//
// The forms layer (Forms.h) adds TCustomForm, TApplication and TScreen on top of this one.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/controls/Messages.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsBase.h"
#include "framework/graphics/GraphicsObjects.h"

class TControl;
class TWinControl;
class TCustomForm;
class TBasicAction;
// ActionList.h: the link between a control and its action.
class TControlActionLink;
// Arrives with the menus unit; controls only keep a pointer to it.
class TPopupMenu;

// The window procedure of every window class the controls register.
LRESULT CALLBACK ControlWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TEnumSet<TAnchorKind>;
// The anchors each alignment implies.
TAnchors AnchorAlign(TAlign Align);

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TEnumSet<TShiftStateFlag>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TControlStyleFlag {
    csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption,
    csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
    csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint,
    csParentBackground, csPannable, csAlignWithMargins, csGestures, csPaintBlackOpaqueOnGlass,
    csOverrideStylePaint
};
using TControlStyle = TEnumSet<TControlStyleFlag>;

enum TControlStateFlag {
    csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
    csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csDesignerHide, csPanning,
    csRecreating, csAligning, csGlassPaint, csPrintClient
};
using TControlState = TEnumSet<TControlStateFlag>;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Border styles of forms; plain controls use bsNone and bsSingle.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelEdge { beLeft, beTop, beRight, beBottom };
using TBevelEdges = TEnumSet<TBevelEdge>;
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };

// Cursor identifiers: the standard ones are negative; programs register their own (positive)
// through Screen->SetCursors.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSize = -22;
constexpr TCursor crSizeAll = -22;

// Events.
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

// The menus unit plugs in here: popping up a control's PopupMenu at a screen point (true when it
// showed), and asking a popup menu whether a key message is one of its shortcuts.
extern std::function<bool(TPopupMenu* Menu, TControl* Control, TPoint ScreenPos)> PopupMenuHandler;
extern std::function<bool(TPopupMenu* Menu, TMessage& KeyMessage)> PopupMenuShortCutHandler;

// Registers the control and form classes (and the layers below) with the form reader.
void RegisterControlsClasses();

// Shift states from the parts of mouse and key messages.
TShiftState KeysToShiftState(WORD Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);
TShiftState KeyboardStateToShiftState();
// A key with its modifiers (menu items and actions): the virtual-key code in the low byte,
// modifier bits above.
using TShortCut = WORD;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// True when Str has an accelerator ("&Save") for the key VK.
bool IsAccel(WORD VK, const String& Str);
// The part of a hint before '|', and the part after it (the whole hint when there is no '|').
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

// The control whose window Handle is (in this module and process), or null.
TWinControl* FindControl(HWND Handle);
// The innermost windowed control of ours at a screen point.
TWinControl* FindVCLWindow(const TPoint& Pos);
// The innermost control (graphic controls included) of ours at a screen point.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
bool IsVCLWindow(HWND Handle);

// The control that holds the mouse capture: a windowed control holds it through its window, a
// graphic control through its parent's window.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The control the mouse is over, as the enter/leave tracking last saw it.
TControl* GetMouseControl();

// Sizes a control may take; a change re-applies them to the owning control.
class TSizeConstraints : public TPersistent {
public:
    explicit TSizeConstraints(TControl* Control) : FControl(Control) {}
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override;

    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);

    TNotifyEvent OnChange;

protected:
    void Change();

private:
    TControl* FControl;
    int FMaxHeight = 0, FMaxWidth = 0, FMinHeight = 0, FMinWidth = 0;
};

// Window creation parameters a control fills in CreateParams.
struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSW WindowClass{};
    String WinClassName;
};

// A canvas on a control: on the control's own window for a windowed control, on the parent's
// window, offset and clipped to the control's bounds, for a graphic control. The DC is taken on
// first use and released by FreeHandle (and by the next paint or idle time).
class TControlCanvas : public TCanvas {
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;

    TControl* Control() const { return FControl; }
    void SetControl(TControl* AControl);
    // Releases a DC the canvas took itself (a DC given through SetHandle is just dropped).
    void FreeHandle();
    // Text flags follow the control's reading order.
    void UpdateTextFlags();
    // Runs Paint with the canvas on DC (locked, any DC of its own let go first), and lets go of
    // DC afterwards, also when Paint raises.
    void PaintOn(HDC DC, const std::function<void()>& Paint);

protected:
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    HDC FDeviceContext = nullptr;
    HWND FWindowHandle = nullptr;
};

// Releases the DCs every control canvas took on its own (after painting and at idle time).
void FreeDeviceContexts();

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // ---- Messages --------------------------------------------------------------------------
    // The control's message method: starts as a call of WndProc; replace it to subclass the
    // control and put the kept value back to stop.
    TWndMethod WindowProc;
    // Sends a message straight to WindowProc and answers its Result.
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // Preprocessing, then Dispatch.
    virtual void WndProc(TMessage& Message);
    // Hands a message to its handler; what no handler takes goes to DefaultHandler.
    virtual void Dispatch(TMessage& Message);
    // The end of the handler chain: text messages of a control without window; the window
    // class's own procedure for a windowed one.
    virtual void DefaultHandler(TMessage& Message);

    // ---- Parent and bounds -----------------------------------------------------------------
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const { return FParent != nullptr; }

    int Left() const { return FLeft; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    int Top() const { return FTop; }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& Rect) { SetBounds(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top); }
    // The client area in client coordinates.
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().right; }
    virtual void SetClientWidth(int Value);
    int ClientHeight() { return ClientRect().bottom; }
    virtual void SetClientHeight(int Value);
    void SetClientSize(int AWidth, int AHeight);
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(const TPoint& Point);
    TPoint ScreenToClient(const TPoint& Point);
    // Between this control's client coordinates and those of AParent (default: the parent).
    TPoint ClientToParent(const TPoint& Point, TWinControl* AParent = nullptr);
    TPoint ParentToClient(const TPoint& Point, TWinControl* AParent = nullptr);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
    // Scales bounds (and an own font) by M/D.
    void ScaleBy(int M, int D);

    // ---- Appearance and state --------------------------------------------------------------
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show();
    void Hide();
    virtual bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    // Called where the menu class is complete, so the control can also watch the menu as a
    // component and forget it when it is destroyed.
    template <class M>
    void SetPopupMenu(M* Value) { SetPopupMenuLink(static_cast<TPopupMenu*>(Value), Value); }
    void SetPopupMenu(std::nullptr_t) { SetPopupMenuLink(nullptr, nullptr); }
    void SetPopupMenuLink(TPopupMenu* Menu, TComponent* AsComponent);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
    virtual bool UseRightToLeftAlignment() const;
    virtual bool UseRightToLeftReading() const;
    virtual bool UseRightToLeftScrollBar() const;

    // Text (also called Caption). A windowed control keeps it in its window (WM_SETTEXT).
    String Text();
    void SetText(const String& Value);
    String Caption() { return Text(); }
    void SetCaption(const String& Value) { SetText(Value); }
    int GetTextLen();
    int GetTextBuf(wchar_t* Buffer, int BufSize);
    void SetTextBuf(const wchar_t* Buffer);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    bool MouseCapture() { return GetCaptureControl() == this; }
    void SetMouseCapture(bool Value);
    // The mouse is over the control (from CM_MOUSEENTER until CM_MOUSELEAVE).
    bool MouseInClient() const { return FMouseInClient; }

    // ---- Painting --------------------------------------------------------------------------
    virtual void Invalidate();
    virtual void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    // Invalidates the control's area of the parent (IsOpaque: no background erase needed).
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    // A DC on the window the control paints into, with the origin and clip set for this
    // control; WindowHandle receives that window (for ReleaseDC).
    virtual HDC GetDeviceContext(HWND& WindowHandle);

    // ---- Z order and actions ---------------------------------------------------------------
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }
    virtual void SetZOrder(bool TopMost);
    // The linked action runs when the control has no OnClick of its own; else OnClick.
    virtual void Click();
    virtual void DblClick();

    // The action the control offers (null: none). Linking takes the action's caption, enabled,
    // hint and visible state (while a form is read only where the control kept its defaults),
    // and the control follows each later change of the action.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }
    // Lets the linked action refresh its state (its OnUpdate), then tells the control with
    // CM_ACTIONUPDATE (LParam: the action). The forms call it at idle time.
    virtual void InitiateAction();

    // ---- Mouse -----------------------------------------------------------------------------
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    // Where a wheel message starts: the form's focused control, then up the parents.
    virtual void MouseWheelHandler(TMessage& Message);
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);

    // ---- Life cycle ------------------------------------------------------------------------
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SetName(const String& NewName) override;
    virtual void Resize();
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    // Applies the constraints (and CanResize) to a proposed size; false refuses the change.
    bool CheckNewSize(int& NewWidth, int& NewHeight);
    virtual void ConstraintsChanged();
    virtual void ChangeScale(int M, int D);
    // Asks the parent to realign (this control changed).
    virtual void RequestAlign();
    void UpdateAnchorRules();
    // Sets the parent from a component (the form reader's hook for nested components).
    virtual void SetParentComponent(TComponent* Value);
    TComponent* GetParentComponent() const;

    // ---- Message handlers (each calls its base, or DefaultHandler, as "inherited") ---------
    virtual void WMLButtonDown(TMessage& Message);
    virtual void WMRButtonDown(TMessage& Message);
    virtual void WMMButtonDown(TMessage& Message);
    virtual void WMLButtonDblClk(TMessage& Message);
    virtual void WMRButtonDblClk(TMessage& Message);
    virtual void WMMButtonDblClk(TMessage& Message);
    virtual void WMLButtonUp(TMessage& Message);
    virtual void WMRButtonUp(TMessage& Message);
    virtual void WMMButtonUp(TMessage& Message);
    virtual void WMMouseMove(TMessage& Message);
    virtual void WMMouseWheel(TMessage& Message);
    virtual void WMCancelMode(TMessage& Message);
    virtual void WMWindowPosChanged(TMessage& Message);
    virtual void WMContextMenu(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMParentShowHintChanged(TMessage& Message);
    virtual void CMParentBiDiModeChanged(TMessage& Message);
    virtual void CMParentCtl3DChanged(TMessage& Message);
    virtual void CMHitTest(TMessage& Message);
    virtual void CMMouseEnter(TMessage& Message);
    virtual void CMMouseLeave(TMessage& Message);
    virtual void CMMouseWheel(TMessage& Message);
    virtual void CMHintShow(TMessage& Message);
    virtual void CMSysColorChange(TMessage& Message);
    virtual void CMSysFontChanged(TMessage& Message);

    // ---- Events ----------------------------------------------------------------------------
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    TContextPopupEvent OnContextPopup;

protected:
    // Mouse-message helpers shared by the button handlers.
    void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TMessage& Message, TMouseButton Button);
    // Sends CM_CANCELMODE to the focused control of the forms above (a click elsewhere).
    void SendCancelMode(TControl* Sender);
    virtual void VisibleChanging() {}
    void FontChanged(TObject* Sender);
    // The link SetAction makes; controls with more to link (checked state, group) make their own.
    virtual std::unique_ptr<TControlActionLink> CreateActionLink();
    // Takes the state of the linked action (Sender). With CheckDefaults only properties the
    // control still has at their defaults are taken (a form being read).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    void UpdateBoundsRect(const TRect& R);
    // Stores the text of a control without window.
    String FText;

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TPoint FAnchorRules{0, 0};
    TPoint FOriginalParentSize{0, 0};
    bool FAnchorMove = false;
    std::unique_ptr<TSizeConstraints> FConstraints;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    TCursor FCursor = crDefault;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TPopupMenu* FPopupMenu = nullptr;
    TComponent* FPopupMenuComponent = nullptr;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    bool FMouseInClient = false;
    int FWheelAccumulator = 0;
    std::unique_ptr<TControlActionLink> FActionLink;

private:
    friend class TWinControl;
};

// A windowed control frees its child controls when it is destroyed (the classic rule: a child
// never outlives its parent), after destroying their windows and its own.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // ---- Window ----------------------------------------------------------------------------
    // The window, created (with the parents' windows) when it does not exist yet.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    // A window of someone else's to live in, for a control without Parent.
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND Value);
    // Fills the creation parameters (class, styles, bounds, parent window, caption).
    virtual void CreateParams(TCreateParams& Params);
    // Makes the window class a copy of a system class (EDIT, BUTTON, SysTabControl32 ...), whose
    // procedure DefaultHandler then calls.
    void CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName);
    virtual void CreateHandle();
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    // Destroys the windows of the children and then this one; the control keeps its state.
    void DestroyHandle();
    // Destroys and makes the window again (text, bounds and children come back).
    void RecreateWnd();
    // The procedure DefaultHandler calls (DefWindowProc, or the system class's).
    WNDPROC DefWndProc() const { return FDefWndProc; }
    void SetDefWndProc(WNDPROC Value) { FDefWndProc = Value; }
    // The window is visible with all parents (the framework's view of it).
    bool Showing() const { return FShowing; }
    // Shows or hides the window according to Visible, creating it when needed.
    virtual void UpdateShowing();
    // Runs UpdateShowing when the chain of parents up to a top-level window is showing.
    void UpdateControlState();
    // A control that may have a window without parent (forms, hint windows).
    virtual bool IsTopLevel() const { return false; }
    // A child asks to be shown (a page container brings the page forward); the default asks
    // the parent in turn.
    virtual void ShowControl(TControl* AControl);

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    // The window procedure's entry: runs WindowProc, catching what escapes it.
    LRESULT MainWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);

    // ---- Children --------------------------------------------------------------------------
    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    // Graphic children first (in z-order), then windowed ones.
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* Control) const;
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
    // Sends Message to every child's WindowProc until one answers non-zero.
    void Broadcast(TMessage& Message);
    void NotifyControls(UINT Msg);

    // ---- Alignment -------------------------------------------------------------------------
    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return FAlignLevel != 0; }
    void Realign();
    void AlignControl(TControl* AControl);
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // The part of the client area the children are aligned in.
    virtual void AdjustClientRect(TRect& Rect) {}
    virtual void ControlsAligned() {}

    // ---- Painting --------------------------------------------------------------------------
    // Paints the control and its children into DC at (X, Y).
    void PaintTo(HDC DC, int X, int Y);
    void PaintTo(TCanvas* Canvas, int X, int Y) { PaintTo(Canvas->Handle(), X, Y); }
    // The window's own painting (the class's WM_PAINT; TCustomControl's Paint).
    virtual void PaintWindow(HDC DC);
    // Paints the window (unless opaque graphic children cover it) and then its graphic children.
    void PaintHandler(TMessage& Message);
    // Paints the graphic children from First on, in z-order, clipped to each.
    void PaintControls(HDC DC, TControl* First);
    // Paints the parent's background into DC as seen under this control.
    void DrawParentBackground(HDC DC);
    TBrush* Brush() const { return FBrush.get(); }
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
    bool ParentBackground() const { return FControlStyle.Contains(csParentBackground); }
    void SetParentBackground(bool Value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelKind BevelKind() const { return FBevelKind; }
    void SetBevelKind(TBevelKind Value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    TBevelEdges BevelEdges() const { return FBevelEdges; }
    void SetBevelEdges(TBevelEdges Value);
    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    HDC GetDeviceContext(HWND& WindowHandle) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void SetZOrder(bool TopMost) override;
    void ChangeScale(int M, int D) override;
    // Reads the bounds back from the window.
    void UpdateBounds();

    // ---- Focus and keys --------------------------------------------------------------------
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    // Position among the parent's windowed children in tab order, -1 without parent.
    int TabOrder() const;
    void SetTabOrder(int Value);
    virtual bool CanFocus();
    virtual void SetFocus();
    virtual bool Focused();
    // The windowed descendants in tab order (depth first).
    void GetTabOrderList(std::vector<TWinControl*>& List);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    // Puts the children's tab order in the order their TabOrder was read (after loading).
    void FixupTabList();
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(wchar_t& Key);
    // The key methods with the form's KeyPreview first; true when the key was used up.
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    // A key the popup menus or the form take as a shortcut.
    bool IsMenuKey(TMessage& Message);
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // ---- Message handlers ------------------------------------------------------------------
    virtual void WMPaint(TMessage& Message);
    virtual void WMEraseBkgnd(TMessage& Message);
    virtual void WMPrintClient(TMessage& Message);
    virtual void WMNCCalcSize(TMessage& Message);
    virtual void WMNCPaint(TMessage& Message);
    virtual void WMCommand(TMessage& Message);
    virtual void WMNotify(TMessage& Message);
    virtual void WMDrawItem(TMessage& Message);
    virtual void WMMeasureItem(TMessage& Message);
    virtual void WMDeleteItem(TMessage& Message);
    virtual void WMCompareItem(TMessage& Message);
    virtual void WMHScroll(TMessage& Message);
    virtual void WMVScroll(TMessage& Message);
    virtual void WMVKeyToItem(TMessage& Message);
    virtual void WMCharToItem(TMessage& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    virtual void WMKeyDown(TMessage& Message);
    virtual void WMSysKeyDown(TMessage& Message);
    virtual void WMKeyUp(TMessage& Message);
    virtual void WMSysKeyUp(TMessage& Message);
    virtual void WMChar(TMessage& Message);
    virtual void WMSize(TMessage& Message);
    virtual void WMMove(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message) override;
    virtual void WMSetCursor(TMessage& Message);
    virtual void WMMouseLeave(TMessage& Message);
    virtual void WMSysColorChange(TMessage& Message);
    virtual void WMDestroy(TMessage& Message);
    virtual void WMNCDestroy(TMessage& Message);
    virtual void CNKeyDown(TMessage& Message);
    virtual void CNKeyUp(TMessage& Message);
    virtual void CNChar(TMessage& Message);
    virtual void CNSysKeyDown(TMessage& Message);
    virtual void CNSysChar(TMessage& Message);
    virtual void CNCtlColor(TMessage& Message);
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMFocusChanged(TMessage& Message);
    virtual void CMShowingChanged(TMessage& Message);
    virtual void CMChildKey(TMessage& Message);
    virtual void CMDialogKey(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    virtual void CMInvalidate(TMessage& Message);
    virtual void CMRecreateWnd(TMessage& Message);
    virtual void CMCtl3DChanged(TMessage& Message);
    virtual void CMShowHintChanged(TMessage& Message);
    virtual void CMBiDiModeChanged(TMessage& Message);
    virtual void CMCursorChanged(TMessage& Message);
    virtual void CMBorderChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMSysColorChange(TMessage& Message) override;
    void CMSysFontChanged(TMessage& Message) override;

    // ---- Events ----------------------------------------------------------------------------
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    // Gives focus up when the control goes away, is hidden or disabled.
    void RemoveFocus(bool Removing);
    // WMPaint of a control that paints itself (PaintWindow on its canvas): TWinControl's
    // painting with csCustomPaint set, so that it paints even without graphic children.
    void CustomPaintHandler(TMessage& Message);
    // WM_SETFOCUS / WM_KILLFOCUS before the window sees them: the parent form learns of a gain
    // first and may refuse it, and a loss while the focus moves in code goes no further. True
    // when the message is done with.
    bool FocusMessageDone(const TMessage& Message);
    // Routes a mouse message to the graphic child under it (or holding the capture).
    bool IsControlMouseMsg(TMessage& Message);
    // The window this control's window goes after in z-order (its successor among siblings).
    HWND PrecedingWindow(TWinControl* Control);
    // Sends a parent's notification about a child window on to that child as CN_* (true when
    // the window was one of ours).
    static bool DoControlMsg(HWND ControlHandle, TMessage& Message);

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    WNDPROC FDefWndProc = nullptr;
    bool FShowing = false;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FWinControls;
    std::vector<TWinControl*> FTabList;
    int FAlignLevel = 0;
    std::unique_ptr<TBrush> FBrush;
    bool FDoubleBuffered = false;
    int FBorderWidth = 0;
    TBevelCut FBevelInner = bvRaised;
    TBevelCut FBevelOuter = bvLowered;
    TBevelKind FBevelKind = bkNone;
    int FBevelWidth = 1;
    TBevelEdges FBevelEdges{beLeft, beTop, beRight, beBottom};
    bool FTabStop = false;
    int FTabOrder = -1;

private:
    friend class TControl;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    void AttachHandle(HWND Wnd);
    void Insert(TControl* AControl);
    void Remove(TControl* AControl);
    void UpdateTabOrder(int Value);
    void InvalidateFrame();
};

// A control without window: its parent paints it, through Paint on the control's Canvas.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    virtual void Paint() {}

    void Dispatch(TMessage& Message) override;
    virtual void WMPaint(TMessage& Message);

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// A windowed control that paints itself through Paint on its Canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;

    void Dispatch(TMessage& Message) override;
    virtual void WMPaint(TMessage& Message);

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

class THintWindow;

// What CM_HINTSHOW (LParam = THintInfo*) lets a control change before its hint shows.
struct THintInfo {
    TControl* HintControl = nullptr;
    // Makes the window the hint shows in (default: a THintWindow).
    std::function<THintWindow*()> HintWindowClass;
    TPoint HintPos{0, 0};       // screen position of the hint window
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect{0, 0, 0, 0}; // the hint goes when the cursor leaves this (control's client coordinates)
    TPoint CursorPos{0, 0};       // in the control's client coordinates
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    String HintStr;
    void* HintData = nullptr;
};

// The small popup that shows a hint: no activation, no focus, transparent to the mouse.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // Shows AHint at Rect (screen coordinates, kept on the screen), without activating.
    virtual void ActivateHint(TRect Rect, const String& AHint);
    virtual void ActivateHintData(TRect Rect, const String& AHint, void* AData);
    // The size the hint needs (left/top 0), wrapping at MaxWidth.
    virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
    // A message that should take the hint away (keys, clicks, focus changes).
    virtual bool IsHintMsg(const MSG& Msg);
    // Takes the hint away and frees the window.
    void ReleaseHandle();

    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    bool IsTopLevel() const override { return true; }
    void Dispatch(TMessage& Message) override;
    virtual void WMNCHitTest(TMessage& Message);
    virtual void WMNCPaint(TMessage& Message) override;
    virtual void CMTextChanged(TMessage& Message);

private:
    bool FActivating = false;
    DWORD FLastActive = 0;
};
