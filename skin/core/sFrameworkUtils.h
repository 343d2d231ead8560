#pragma once
// Unit sFrameworkUtils: how skin components reach one another. The senders put the skin
// command message to one window, one control, every child control of a control or every child
// window of a window; the rest are small procedures the skinned controls, window handlers and
// form providers share: painting a control's windowless children through an offscreen copy,
// background colours, readiness and owner lookups, caption flags, the sizes of aligned children
// and window geometry. The unit also keeps the visual-styles entry point that switches a window's
// themes off and on, and the flag that holds painting back while an animation captures frames.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "skin/core/acThdTimer.h"
#include "skin/core/sSkinManager.h"

class TCustomForm;
class TForm;
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

// ---- Animations (sFrameworkUtilsAnim.cpp) ----
// Windows appear, go and change their look on images, never on the live windows: the final look
// is captured into a 32-bit bitmap and shown on a borderless layered cover (fading, or zooming
// from three quarters of its size), one frame every 12 ms, StepCount = Time div 12 steps and
// StepCount + 1 frames. Show animations and look changes run on the interface thread; hide
// animations run on one shared threaded timer, so that the window can go at once.

inline constexpr int acAnimFrameMs = 12;
inline int AnimStepCount(unsigned Time) { return static_cast<int>(static_cast<std::uint16_t>(Time) / 12); }

// Where every frame reaches the screen. The real one calls UpdateLayeredWindow and copies the
// mixed images into the window's DC; a test puts its own in place to record the frames (this
// screen has no compositor to show them).
class TacAnimationOutput {
public:
    virtual ~TacAnimationOutput() = default;
    // Image on the layered window Wnd at the blend's constant alpha.
    virtual void ShowLayered(HWND Wnd, TBitmap* Image, const BLENDFUNCTION& Blend);
    // A frame of a look change: the mix with the old image's Weight, copied into Wnd at (0, 0).
    virtual void ShowMix(HWND Wnd, TBitmap* Image, int Weight);
};
TacAnimationOutput& AnimationOutput();
// Puts Output in force while the scope lives (nests; the previous one comes back).
class TacAnimationOutputScope {
public:
    explicit TacAnimationOutputScope(TacAnimationOutput& Output);
    ~TacAnimationOutputScope();
    TacAnimationOutputScope(const TacAnimationOutputScope&) = delete;
    TacAnimationOutputScope& operator=(const TacAnimationOutputScope&) = delete;

private:
    TacAnimationOutput* FPrevious;
};

// The frame procedure every show, hide and look change shares.
struct TacAnimFrames {
    TacAnimType AnimType{};
    bool Hiding = false;
    int StepCount = 0;
    double Trans = 0, p = 0;
    double dx = 0, dy = 0, l = 0, t = 0, r = 0, b = 0;
    double AlphaValue = 255;
    BLENDFUNCTION Blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

    // StartAlpha is where the alpha starts, Divisor what the alpha range is split into (the
    // step count, or one more for dialogs); W x H the image size.
    void Init(int W, int H, double StartAlpha, double Range, int Divisor);
    // The next frame's alpha and, into Dst, its image.
    void DoNext(TBitmap* Src, TBitmap* Dst);
    void GoToNext();
};

// Shows Image on Cover (made layered and non-activating) frame by frame from nothing to
// AlphaValue, then the image itself at AlphaValue. DialogSteps splits the alpha in StepCount + 1.
void PlayShowAnimation(TForm* Cover, TBitmap* Image, unsigned Time, int AlphaValue, TacAnimType AnimType,
                       bool DialogSteps);

// The shared timer of the hide animations: one cover fades out at a time.
class TacHideTimer : public TacThreadedTimer {
public:
    explicit TacHideTimer(TComponent* AOwner);
    ~TacHideTimer() override;

    HDC DC = nullptr;
    std::unique_ptr<TForm> Form;
    TSize FBmpSize{0, 0};
    TPoint FBmpTopLeft{0, 0};
    TacAnimFrames Frames;
    int StartBlendValue = 255;
    int i = 0;
    int DelayValue = 12;
    std::unique_ptr<TBitmap> SrcBmp;
    std::unique_ptr<TBitmap> DstBmp;

    void Anim_Init();
    void Anim_DoNext();
    void Anim_GoToNext();
    // One frame; past the last one the cover and the images go and the timer rests.
    void OnTimerProc(TObject* Sender);
};
// The shared hide timer, null before the first hide animation.
TacHideTimer* HideAnimationTimer();
// Fades Cover (taken over, freed at the end) out from StartAlpha over Time ms showing Image.
// A cover still fading from an earlier call goes at once. Time below 12: both freed at once.
void StartHideAnimation(std::unique_ptr<TForm> Cover, std::unique_ptr<TBitmap> Image, unsigned Time,
                        TacAnimType AnimType, int StartAlpha);

// Paints Control and its visible windowed children into Bmp at (X, Y).
void SnapshotControl(TBitmap* Bmp, TControl* Control, int X, int Y);

// A plain window that shows nothing of its own: the screen keeps what was under it until
// something is drawn into its window DC.
class TOutputWindow : public TCustomControl {
public:
    explicit TOutputWindow(TComponent* AOwner);
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    // The control it covers: a topmost one makes a popup output window topmost too.
    TWinControl* CoveredControl = nullptr;
};

// Captures the control's screen image and covers the control with the output window, before
// the control changes.
void CoverControlSnapshot(TControl* Control);
// Moves Control just after Sibling in their parent's child order.
void PlaceAfterSibling(TControl* Control, TControl* Sibling);
// Cross-fades from the image CoverControlSnapshot captured to the control's new look. A form
// whose provider takes the look change (the form layer plugs it in) is animated by the provider.
void AnimateLookChange(TControl* Control, unsigned Time, int AlphaValue, TacAnimType AnimType);
// The form layer's look change of a form with a provider; false when it does not take it.
extern std::function<bool(TCustomForm* Form, unsigned Time, int AlphaValue, TacAnimType AnimType)>
    FormLookChangeAnimator;
// Frees the cover and the image CoverControlSnapshot left for a look change that will not come
// (the change was refused).
void ReleaseLookChangeCover();
// The output window and old image of the look change under way (null when none).
TOutputWindow* LookChangeOutputWindow();
TBitmap* LookChangeSnapshot();
