#pragma once
// Unit sFrameworkUtils: how skin components reach one another. The senders put the skin
// command message to one window, one control, every child control of a control or every child
// window of a window; the rest are small procedures the skinned controls, window handlers and
// form providers share: painting a control's windowless children through an offscreen copy,
// background colours, readiness and owner lookups, caption flags, the sizes of aligned children
// and window geometry. The unit also keeps the visual-styles entry point that switches a window's
// themes off and on, and the flag that holds painting back while an animation captures frames.
#include <windows.h>

#include <functional>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

class TCustomForm;
class TPopupMenu;
class TsSkinManager;

// True while a form, dialog or control animation captures or plays its frames: child refreshes
// wait, and skinned windows hold their own painting back.
extern bool AnimationInProgress;

// The visual-styles library and its SetWindowTheme, looked up once at start-up; both null when
// the system has none. Callers test the pointer before they call it.
using TSetWindowThemeProc = HRESULT(WINAPI*)(HWND Wnd, LPCWSTR SubAppName, LPCWSTR SubIdList);
extern HMODULE VisualStylesLibrary;
extern TSetWindowThemeProc SetWindowThemeProc;

// When set, BroadcastToControls does not descend into the unskinned windowed children it
// answers true for. Unset unless an application sets it.
extern std::function<bool(TControl* Control)> BroadcastSkipTest;

// The form layer plugs its skin providers in here: given one of a form's components, answers
// true when it is a live provider and it took the message through its design-time handler.
extern std::function<bool(TComponent* Component, TMessage& Message)> ProviderDesignHandler;

// The menu engine plugs in here: it takes over the drawing of a popup menu for the manager's
// skin (Active: skinned now, else only prepared).
extern std::function<void(TsSkinManager* Manager, TPopupMenu* Menu, bool Active)> PopupMenuSkinner;
// Hands Menu to the menu engine for Manager, when both exist and an engine is plugged in.
void HookPopupMenu(TsSkinManager* Manager, TPopupMenu* Menu);

// ---- Senders (WParam = Sub shl 16; results as the receiver gave them, 0 = no answer) ----

LRESULT SendSkinCmd(HWND Wnd, int Sub, LPARAM LParam);
// A windowed control without a window, or being destroyed, gets nothing and answers 0 (no
// window is made for it); other windowed controls get SendMessage, the rest Perform.
LRESULT ControlSkinCmd(TControl* Control, int Sub, LPARAM LParam);
LRESULT QueryControlSkinCmd(TControl* Control, int Sub);
// True exactly when the window answers Sub (LParam 0) with 1.
bool WndAnswersSkinCmd(HWND Wnd, int Sub);
// Tells the control's topmost form that the control arrived (AC_CHILDADDED); nothing while the
// control is designed or loaded.
void NotifyParentForm(TControl* Control);
// AC_RESUMEPAINT to every child control that paints itself (not while an animation runs).
void RefreshChildControls(TWinControl* Control);
// AC_RESUMEPAINT to every child window of Wnd.
void RefreshChildWindows(HWND Wnd);
// Skinned windows first-hand; unskinned windowed children pass the message to their children.
// The walk stops at the first child that is being destroyed.
void BroadcastToControls(TWinControl* Parent, const TMessage& Message);
// SendMessage to every direct child window of Wnd; results are dropped.
void BroadcastToChildWnds(HWND Wnd, const TMessage& Message);
// Gives the message to the form's first skin provider (its design-time handler).
void ProviderDesignMessage(TCustomForm* Form, TMessage& Message);

// ---- Colours ----

// A skinned control's colour answer, else its Color; RGB; $FF00FF for no control.
TColor ControlBackColor(TControl* Control);
// The window's colour answer as RGB; $FF00FF for no window.
TColor WndBackColor(HWND Wnd);

// ---- Controls and windows ----

// The control exists, has its window when it is windowed, is neither being created, read,
// loaded nor destroyed, and has a parent: it may paint and size its cache.
bool ControlIsReady(TControl* Control);
// The first form in the owner chain, starting with the component itself; null when none.
TCustomForm* FindOwnerForm(TComponent* Component);
// DrawText flags of a caption: alignment, DT_EXPANDTABS and DT_VCENTER, mirrored and read right
// to left as the control's bidirectional mode asks.
UINT ControlTextFlags(TControl* Control, TAlignment Alignment);
// The summed heights (alTop, alBottom) or widths (alLeft, alRight) of the visible children of
// that alignment; graphic children only with IncludeGraphic.
int AlignedChildrenSize(TWinControl* Parent, TAlign Align, bool IncludeGraphic);
// The client area in window coordinates.
TRect ClientRectInWindow(HWND Wnd);
// The topmost ancestor of Wnd (Wnd itself without parent).
HWND TopParentWindow(HWND Wnd);
TPoint ScreenCursorPos();

// Paints the windowless children of Parent into DC, moved by Offset from their places in the
// parent's client area, each over the parent's background in an offscreen copy. A child that
// left its first pixel on the transparent key is not copied. Not re-entrant: a nested call
// returns at once. An empty clip box marks the parent half shown instead.
void DrawGraphicChildren(HDC DC, TWinControl* Parent, TPoint Offset, bool CheckVisible);
