#pragma once
// Unit sSkinProvider: TsSkinProvider, the component that skins one whole form. It takes over the
// form's window procedure, composes the whole window (frame, title bar with icon, caption and
// buttons, size grip, client background) in one 32-bit image, the form cache, and copies the
// parts of that image to the screen on the non-client and client paint messages. It answers the
// non-client hit test for its own title buttons and turns presses and releases on them into
// system commands. The window region cuts away the transparent corners of the skin's frame.
//
// The unit is split by concern: sSkinProvider.cpp (the component and its life), ...Metrics.cpp
// (frame sizes, region, composition and layered windows), ...Cache.cpp (the form image),
// ...Buttons.cpp (caption buttons, title icon, grip, hit test), ...WndProc.cpp (the window
// procedure), ...Mouse.cpp (non-client mouse and system commands), ...Paint.cpp (paint
// messages, maximized size, rubber band), ...Anim.cpp (showing, hiding and skin-change
// animations).
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/Collection.h"
#include "framework/classes/Component.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

class TsSkinManager;
class TsSkinProvider;
class TacBorderForm;   // the extended-border window; a provider has none yet
class TacSBAnimation;  // a caption button's state animation; none is ever started yet
class TacScrollWnd;    // the skinned scroll bars of an auto-scrolling form

// Hit codes of the skinned frame beyond the system's.
inline constexpr int HTMDICLOSE = 101;
inline constexpr int HTMDIMAX = 102;
inline constexpr int HTMDIMIN = 103;
inline constexpr int HTUDBTN = 1000;  // + index of a user title button

// One title button of a skinned form.
struct TsCaptionButton {
    int State = -1;  // -1 hidden, 0 normal, 1 hot, 2 pressed
    int ImageIndex = -1;
    TRect Rect{0, 0, 0, 0};
    bool HaveAlignment = false;
    int GlowID = -1;
    TacSBAnimation* Timer = nullptr;
    unsigned HitCode = 0;
};

enum TsGripMode { gmNone, gmRightBottom };
enum TsResizeMode { rmStandard, rmBorder };
enum TacAnimEvent { aeShowing, aeHiding, aeSkinChanging };
enum class TShowAction { saIgnore, saRestore, saMinimize, saMaximize };

using TacAfterAnimation = std::function<void(TacAnimEvent AnimType)>;
using TacNCHitTest = std::function<void(TMessage& Msg)>;
using TAddItemEvent = std::function<void(TComponent* Item, bool& CanBeAdded, String& SkinSection)>;

// The extra text of the title bar, drawn after the caption.
class TacAddedTitle : public TPersistent {
public:
    explicit TacAddedTitle(TsSkinProvider* AOwner);
    ~TacAddedTitle() override;
    bool ShowMainCaption() const { return FShowMainCaption; }
    void SetShowMainCaption(bool Value);
    const String& Text() const { return FText; }
    void SetText(const String& Value);
    TFont* Font() const { return FFont.get(); }
    // Assigned, not compared.
    void SetFont(TFont* Value);
    TsSkinProvider* FOwner;

private:
    void Changed();
    bool FShowMainCaption = true;
    String FText;
    std::unique_ptr<TFont> FFont;
};

// A title button the application adds to the form's title bar.
class TsTitleButton : public TCollectionItem {
public:
    explicit TsTitleButton(TCollection* ACollection);
    ~TsTitleButton() override;
    void Assign(TPersistent* Source) override;
    String DisplayName() const override { return FName; }

    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    bool Visible() const { return FVisible; }
    // Repaints the form's frame.
    void SetVisible(bool Value);
    bool UseSkinData() const { return FUseSkinData; }
    void SetUseSkinData(bool Value) { FUseSkinData = Value; }
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    void ShowHintWindow();
    void HideHintWindow();
    TsSkinProvider* Provider() const;

    THintWindow* HintWnd = nullptr;
    TsCaptionButton BtnData;

private:
    void GlyphChanged(TObject* Sender);
    String FName = L"TsTitleButton";
    std::unique_ptr<TBitmap> FGlyph;
    String FHint;
    bool FEnabled = true;
    bool FVisible = true;
    bool FUseSkinData = true;
};

class TsTitleButtons : public TCollection {
public:
    explicit TsTitleButtons(TsSkinProvider* AOwner);
    ~TsTitleButtons() override;
    TsTitleButton* Items(int Index) const { return static_cast<TsTitleButton*>(TCollection::Items(Index)); }
    TsTitleButton* Add() { return static_cast<TsTitleButton*>(TCollection::Add()); }
    TPersistent* GetOwner() override;
    TsSkinProvider* FOwner;
};

// The custom title icon: a glyph and its size (0 = derived from the caption height).
class TsTitleIcon : public TPersistent {
public:
    TsTitleIcon();
    TBitmap* Glyph() const { return FGlyph.get(); }
    int Width = 0;
    int Height = 0;

private:
    std::unique_ptr<TBitmap> FGlyph;
};

// Which system-menu entries (and so which caption buttons) a skinned form shows and enables.
class TsSystemMenu : public TObject {
public:
    explicit TsSystemMenu(TsSkinProvider* AOwner);
    bool VisibleClose() const;
    bool VisibleMax() const;
    bool VisibleMin() const;
    bool VisibleRestore() const;
    bool VisibleSize() const;
    bool EnabledMax() const;
    bool EnabledMin() const;
    bool EnabledMove() const;
    bool EnabledRestore() const;
    bool EnabledSize() const;
    // Brings the window's own system menu in step with the rules above.
    void UpdateItems(bool Full);
    // Shows the window's own system menu at a screen point and runs the chosen command.
    void Popup(int X, int Y);
    TsSkinProvider* FOwner;
    TCustomForm* FForm;
};

// ---- Frame metrics (Wnd = the window; CheckSkin = use the skin's extended values) ----
int WindowFrameWidth(HWND Wnd, TacBorderForm* BorderForm, bool CheckSkin);
int StdFrameWidth(HWND Wnd, TacBorderForm* BorderForm, bool CheckSkin);
int StdCaptionHeight(TCustomForm* Form);
int SkinExTitleHeight(TacBorderForm* BorderForm);
int SkinExBorderWidth(TacBorderForm* BorderForm);
int ExtraTitleHeight(TacBorderForm* BorderForm);
int ExtraBorderWidth(TacBorderForm* BorderForm);
int WindowPixelWidth(HWND Wnd);
int WindowPixelHeight(HWND Wnd);
int ClientPixelWidth(HWND Wnd);
int ClientPixelHeight(HWND Wnd);
void FormWorkArea(TCustomForm* Form, TRect& R);

// ---- Desktop composition (dwmapi, looked up by name; composition itself is a system fact) ----
bool IsCompositionActive();
HRESULT SetDwmWindowAttribute(HWND Wnd, DWORD Attribute, const void* Data, DWORD Size);
void DisableDwmTransitions(HWND Wnd, bool Disable);
void RefreshIconicBitmaps(HWND Wnd);
bool SendIconicThumbnail(HWND Wnd, TsSkinProvider* Provider, int MaxWidth, int MaxHeight);
bool SendIconicPreview(HWND Wnd, TsSkinProvider* Provider);
// The size SendIconicThumbnail gives an image of W x H for a box of MaxWidth x MaxHeight.
TSize IconicThumbnailSize(int W, int H, int MaxWidth, int MaxHeight);

// ---- Layered windows ----
void UpdateLayeredForm(HWND Wnd, TBitmap* Bmp, BYTE Alpha, const TPoint* Pos);
bool SetWindowInvisible(HWND Wnd, bool UseLayered);
TForm* MakeCoverForm(HWND Wnd);

// The provider of a form (its answer to AC_QUERYPROVIDER), or null.
TsSkinProvider* FindFormProvider(TCustomForm* Form);

// ---- Animations of a skinned form (sSkinProviderAnim.cpp) ----
// The form with its controls, the size of the form image, into Bmp at (0, 0); opaque without a
// border window. Nothing without a form image.
void RenderFormImage(TBitmap* Bmp, TsSkinProvider* Provider);
// The form's image fades (or zooms) in on a cover over Time ms; then the form takes its place.
void AnimShowSkinnedForm(TsSkinProvider* Provider, unsigned Time, int AlphaValue, TacAnimType AnimType);
// The hidden form's image fades out on the shared hide timer, as the manager's FormHide says.
void AnimHideSkinnedForm(TsSkinProvider* Provider);
// The new look of a form with a provider fades in over its old one; false for another form.
bool AnimateFormLookChange(TCustomForm* Form, unsigned Time, int AlphaValue, TacAnimType AnimType);
// Plugs the form animations into the skin engine: the look change and the skin change.
void LinkFormAnimations();

// Set while a caption or title button is down; releases act only then.
extern bool ButtonPressed;

// The one rubber band of border-mode moving and sizing (the mouse loop is modal).
bool RubberBandActive();
// Marks the next band as moving or sizing, remembers what started it (HitCode -1 keeps the
// code the hit test noted) and the mouse point.
void RubberBandPrepare(bool Moving, int HitCode, TPoint Point);
void RubberBandClear();

class TsSkinProvider : public TComponent {
public:
    explicit TsSkinProvider(TComponent* AOwner) : TsSkinProvider(AOwner, false) {}
    // The run-time provider the window hook makes: its set-up waits for the first non-client
    // message, whatever InitRT says.
    static TsSkinProvider* CreateRT(TComponent* AOwner, bool InitRT = true);
    ~TsSkinProvider() override;
    void AfterConstruction();
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // ---- Properties ----
    TacAddedTitle* AddedTitle() const { return FAddedTitle.get(); }
    bool AllowExtBorders() const { return FAllowExtBorders; }
    void SetAllowExtBorders(bool Value);
    bool AllowBlendOnMoving() const { return FAllowBlendOnMoving; }
    void SetAllowBlendOnMoving(bool Value) { FAllowBlendOnMoving = Value; }
    TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TAlignment Value);
    bool DrawNonClientArea() const { return FDrawNonClientArea; }
    void SetDrawNonClientArea(bool Value);
    TsCommonData* SkinData() const { return FCommonData.get(); }
    TsGripMode GripMode() const { return FGripMode; }
    void SetGripMode(TsGripMode Value) { FGripMode = Value; }
    bool MakeSkinMenu() const { return FMakeSkinMenu; }
    void SetMakeSkinMenu(bool Value) { FMakeSkinMenu = Value; }
    const String& MenuLineSkin() const { return FMenuLineSkin; }
    void SetMenuLineSkin(const String& Value);
    TsResizeMode ResizeMode() const { return FResizeMode; }
    void SetResizeMode(TsResizeMode Value) { FResizeMode = Value; }
    bool ScreenSnap() const { return FScreenSnap; }
    void SetScreenSnap(bool Value) { FScreenSnap = Value; }
    int SnapBuffer() const { return FSnapBuffer; }
    void SetSnapBuffer(int Value) { FSnapBuffer = Value; }
    bool ShowAppIcon() const { return FShowAppIcon; }
    void SetShowAppIcon(bool Value);
    TsTitleButtons* TitleButtons() const { return FTitleButtons.get(); }
    void SetTitleButtons(TsTitleButtons* Value) { FTitleButtons->Assign(Value); }
    TsTitleIcon* TitleIcon() const { return FTitleIcon.get(); }
    const String& TitleSkin() const { return FTitleSkin; }
    void SetTitleSkin(const String& Value);
    bool UseGlobalColor() const { return FUseGlobalColor; }
    void SetUseGlobalColor(bool Value);
    int LinesCount();
    TacAfterAnimation OnAfterAnimation;
    TacNCHitTest OnExtHitTest;
    TAddItemEvent OnSkinItem;

    // ---- Life (sSkinProvider.cpp) ----
    void LoadInit();
    void PrepareForm();
    virtual void CreateAdapter();
    void DeleteAdapter();
    void AdapterNotify(TMessage& Message);
    void HookMDI(bool Active);
    // Gives an auto-scrolling skinned form the skin's scroll bars (ListSW) and takes them back
    // when the form is no longer skinned.
    void AttachScrollHandler();
    void FreeScrollHandler();
    TsSkinManager* Manager() const;
    bool Skinned() const { return FCommonData && FCommonData->Skinned(true); }
    bool Loading() const { return ComponentState().Contains(csLoading); }
    bool Designing() const { return ComponentState().Contains(csDesigning); }

    // ---- Metrics, region, repaint (sSkinProviderMetrics.cpp) ----
    int BorderWidth(bool CheckSkin);
    int BorderHeight(bool CheckSkin);
    int CaptionHeight(bool CheckSkin);
    bool HasFrame() const;
    static bool HasSizingFrame(HWND Wnd);
    bool IsNormalBorder() const;
    bool InAnimation() const { return FInAnimation; }
    bool GripVisible() const;
    bool IsSingleImageMask(int MaskIndex) const;
    static bool CtrlHandleAllocated(TWinControl* Control) { return Control != nullptr && Control->HandleAllocated(); }
    void FillRegionRects();
    HRGN MakeFrameRegion(int X, int Y);
    void SetFrameRegion(bool Redraw);
    void RepaintFormFrame();
    bool Iconic() const;
    bool Zoomed() const;
    bool IsMainForm() const;
    bool IsMDIChild() const;
    bool IsMDIForm() const;

    // ---- The form image (sSkinProviderCache.cpp) ----
    void PaintFormCache();
    int CaptionWidth();
    void ShadowSize(TRect& R) const;
    int OffsetX();
    int OffsetY();
    TColor FormColor();
    int TitleSkinIndex();
    String TitleSkinSection() const { return FTitleSkin.empty() ? String(L"FORMTITLE") : FTitleSkin; }
    void IconRect(TRect& R);
    bool CacheSizeChanged();
    void GripPosition(int MaskIndex, TPoint& P);
    void SaveButtonsBackground(bool Full);
    void RestoreButtonsBackground();
    int HeaderHeight();
    int FormPaintState();
    bool MenuPresent() const { return false; }
    int MenuHeight() const { return 0; }
    bool HasOwnMenu() const { return false; }

    // ---- Caption buttons, title icon, grip (sSkinProviderButtons.cpp) ----
    int HitTest(TMessage& Message);
    void RepaintButton(int HitCode);
    TsCaptionButton* ButtonOfHit(int HitCode);
    int ButtonHeight();
    int ButtonWidth(const TsCaptionButton& Button);
    int VisibleButtonCount();
    int ButtonsWidth();
    int UserButtonWidth(TsTitleButton* Button);
    int TitleReservedWidth(int MaskIndex);
    bool ShowsAppIcon();
    static int TitleIconSize(int H);
    int TitleIconWidth();
    int TitleIconHeight();
    void PaintTitleIcon();
    void PaintGrip(HDC DC);
    void InitTitleButtonMasks();
    void PaintTitleButtons();
    void SetHotHT(int HitCode, bool Repaint = true);
    void SetPressedHT(int HitCode);
    void KillAnimations();
    void DropSysMenu(int X, int Y);
    void UpdateSysMenuStyle(bool Skinned);

    // ---- Window procedure (sSkinProviderWndProc.cpp, sSkinProviderMouse.cpp) ----
    void NewWndProc(TMessage& Message);
    void CallOld(TMessage& Message);

    // ---- Paint messages and border mode (sSkinProviderPaint.cpp) ----
    void WMNCPaint();
    void PrintFrame(HDC DC);
    void PaintClient(HDC DC, bool RefreshChildren);
    void WMEraseBkgnd(HDC DC);
    void WMPaint(TMessage& Message);
    void WMGetMinMaxInfo(TMessage& Message);
    void FormScreenOrigin(TPoint& P);
    void ScreenToFormPoint(int X, int Y, TPoint& P);
    void StartRubberBand(int X, int Y);
    void DrawRubberBand(int X, int Y);
    void EndRubberBand(int X, int Y);
    void CMMouseWheel(TMessage& Message) {}

    // ---- The caption cover (sSkinProviderTitle.cpp) ----
    // A borderless window that paints nothing is laid over the title band while the system
    // would draw its own caption (text change, activation), so the skinned title stays seen.
    void ShowCaptionForm();
    void HideCaptionForm();

    // ---- Fields ----
    TAOR ArOR;
    bool RgnChanged = true;
    int CurrentHT = 0;
    std::unique_ptr<TBitmap> TempBmp;
    bool ControlsChanged = false;
    bool HaveSysMenu = false;
    bool FirstInitialized = false;
    int UserBtnIndex = -1;
    int LockCount = 0;
    bool ClearButtons = false;
    bool MenusInitialized = false;
    bool RegionChanged = false, CaptChanged = false, CaptRgnChanged = false;
    std::unique_ptr<TBitmap> FGlow1, FGlow2;
    TForm* CoverForm = nullptr;
    TRect NormalBounds{0, 0, 0, 0};
    TsCaptionButton ButtonMin, ButtonMax, ButtonClose, ButtonHelp;
    TsCaptionButton MDIMin, MDIMax, MDIClose;
    TRect LastClientRect{0, 0, 0, 0};
    bool FSysExHeight = false;
    int FTitleSkinIndex = -1;
    int FCaptionSkinIndex = -1;
    bool RTInit = false;
    bool RTEmpty = false;
    bool InAero = false;
    bool InMenu = false;
    bool FInAnimation = false;
    TShowAction ShowAction = TShowAction::saIgnore;
    bool SkipAnimation = false;
    bool fAnimating = false;
    unsigned FormState = 0;
    bool RgnChanging = false;
    bool MenuChanged = true;
    TWndMethod OldWndProc;
    bool FormActive = false;
    std::unique_ptr<TBitmap> MenuLineBmp;
    TCustomForm* Form = nullptr;
    int FLinesCount = -1;
    std::unique_ptr<TsSystemMenu> SystemMenu;
    TacBorderForm* BorderForm = nullptr;
    // The skinned scroll bars of an auto-scrolling form; owned.
    TacScrollWnd* ListSW = nullptr;
    TForm* CaptForm = nullptr;
    TWndMethod OldCaptFormProc;

protected:
    TsSkinProvider(TComponent* AOwner, bool RunTime);

private:
    void PaintTitleBar(const TCacheInfo& CI);
    void PaintCaptionText();
    void PaintCaptionButton(TsCaptionButton& Button, int& X, int Width, bool Enabled, int MaskOverride = -1);
    void DrawButtonImage(TsCaptionButton& Button, int MaskIndex, bool Enabled);
    void CopyCacheRectToWindow(const TRect& R);
    void ApplyGlobalColor();
    // The system-command path of a released caption button.
    void ReleaseButton(TMessage& Message);
    void PressButton(TMessage& Message);
    void SysCommand(TMessage& Message);
    // The special cases of SC_RESTORE for a form that is not an MDI child; true when done.
    bool RestoreCommand(TMessage& Message);
    void DoubleClick(TMessage& Message);
    void DoNCActivate(TMessage& Message);
    void DoShowWindow(TMessage& Message);
    void DoShowingChanged(TMessage& Message);
    void DoWindowPosChanged(TMessage& Message);
    void DoClose(TMessage& Message);
    // The manager plays a hide animation (lasting at least one frame, with NeedsTime).
    bool HideAnimationWanted(bool NeedsTime) const;
    void DoSize(TMessage& Message);
    void DoWindowPosChanging(TMessage& Message);
    void DoEraseBkgnd(TMessage& Message);
    void DoPaintMessage(TMessage& Message);
    void DoNCPaintMessage(TMessage& Message);
    void DoPrint(TMessage& Message);
    bool SkinCommandAnyState(TMessage& Message);
    void SkinCommandUnskinned(TMessage& Message);
    void SkinCommandSkinned(TMessage& Message);
    void WindowMessageSkinned(TMessage& Message);
    bool MouseMessage(TMessage& Message);
    void HandleSkinUnloaded(TMessage& Message);
    void HandleMouseMove(TMessage& Message);

    std::unique_ptr<TsCommonData> FCommonData;
    std::unique_ptr<TacAddedTitle> FAddedTitle;
    std::unique_ptr<TsTitleButtons> FTitleButtons;
    std::unique_ptr<TsTitleIcon> FTitleIcon;
    TAlignment FCaptionAlignment = taLeftJustify;
    TsGripMode FGripMode = gmNone;
    TsResizeMode FResizeMode = rmStandard;
    bool FMakeSkinMenu = false;
    bool FShowAppIcon = true;
    bool FScreenSnap = false;
    int FSnapBuffer = 10;
    bool FUseGlobalColor = true;
    String FTitleSkin;
    String FMenuLineSkin;
    bool FDrawNonClientArea = true;
    bool FAllowExtBorders = true;
    bool FAllowBlendOnMoving = true;
};
