#pragma once
// Unit sCommonData: TsCommonData, the skin state every skinned control owns. It keeps the
// control's section name and what that name resolves to in its skin manager's tables, the
// control's 32-bit cache bitmap (its composed look, copied to the screen), and the flags that
// decide when that cache is rebuilt. It answers what lies behind the control when a child asks,
// and gives the skin's colours to the plain properties of edit-like owners. Every routine
// tolerates a missing manager, skin or owner by answering "not skinned".
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/classes/Persistent.h"
#include "framework/controls/Messages.h"
#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "skin/core/sConst.h"

class TControl;
class TCustomForm;
class TWinControl;
class TsSkin;
class TsSkinManager;
struct TBackgroundQuery;

// CtrlSkinState bits.
inline constexpr std::uint16_t ACS_FAST = 0x0001;        // the background is a plain colour
inline constexpr std::uint16_t ACS_PRINTING = 0x0200;    // being printed into PrintDC
inline constexpr std::uint16_t ACS_MNUPDATING = 0x0400;  // menu change pending (form provider)
inline constexpr std::uint16_t ACS_LOCKED = 0x0800;      // inside BeginUpdate

// BGType bits.
inline constexpr std::uint16_t BGT_GRADIENTHORZ = 0x0001;
inline constexpr std::uint16_t BGT_GRADIENTVERT = 0x0002;
inline constexpr std::uint16_t BGT_TEXTURE = 0x0004;

// The section a control of that type code shows when it names none ("" for codes without one).
String DefaultSectionOfCode(int COC);
// Behaviour sets of control-type codes (codes above 255 belong to none).
bool IsEditLikeCode(int COC);
bool IsContainerCode(int COC);
bool IsNoGlowCode(int COC);

// The loaded skin of a manager, or null when it has no sections.
const TsSkin* SkinOfManager(TsSkinManager* Manager);
// The skin's global background colour, clBtnFace without a manager.
TColor ManagerGlobalColor(TsSkinManager* Manager);

class TsCommonData : public TPersistent {
public:
    TsCommonData(TObject* AOwner, bool CreateCacheBmp);
    ~TsCommonData() override;

    // ---- Properties ----
    const String& SkinSection() const { return FSkinSection; }
    void SetSkinSection(const String& Value);
    bool CustomColor() const { return FCustomColor; }
    void SetCustomColor(bool Value);
    bool CustomFont() const { return FCustomFont; }
    void SetCustomFont(bool Value);
    int HUEOffset() const { return FHUEOffset; }
    void SetHUEOffset(int Value);
    int Saturation() const { return FSaturation; }
    void SetSaturation(int Value);
    // The chosen manager, else the default one.
    TsSkinManager* GetSkinManager() const;
    TsSkinManager* SkinManager() const { return GetSkinManager(); }
    void SetSkinManager(TsSkinManager* Value);
    bool ManagerStored() const { return FSkinManager != nullptr; }
    bool Updating();
    void SetUpdating(bool Value) { FUpdating = Value; }
    // The own updating flag alone, without asking the parents.
    bool UpdatingFlag() const { return FUpdating; }

    // ---- Skin state ----
    // The skin of the manager, when it has sections.
    const TsSkin* Skin() const { return SkinOfManager(GetSkinManager()); }
    bool Skinned(bool CheckSkinActive = false) const;
    void UpdateIndexes();
    void Loaded();
    void Invalidate();
    void BeginUpdate();
    void EndUpdate(bool Repaint = false);
    bool RepaintIfMoved();
    bool FullPaintNeeded();
    bool HotStateActive();
    void InitCacheBitmap();
    TBitmap* CacheBmp() const { return FCacheBmp.get(); }
    // Empties the cache to 0 x 0 (a hidden owner, a removed skin).
    void EmptyCache();
    int MaxBorderWidth() const;
    // Gives an edit-like owner the section's colour and font colour unless kept custom.
    void ApplySkinColors(bool Repaint);
    // Shows the section's glow around the owner (or the window Handle without owner) while the
    // mouse is over it; hides it when the mouse left, the left button is held or Hide is set.
    void RefreshGlow(bool Hide, HWND Handle = nullptr);

    // ---- Background ----
    bool HasComplexBackground();
    void EvalBackgroundState(bool NotifyChildren);
    TColor StateBackColor(bool Hot, HWND Handle = nullptr);
    // Answers AC_QUERYBGINFO.
    void DescribeBackground(TBackgroundQuery& Query, bool Hot, HWND Handle = nullptr);
    TCacheInfo GetParentCacheInfo();
    // The owner's own colour in RGB: the owner control's, a skinned form's, else the button face.
    TColor OwnerColor() const;
    // The form whose skin this is, when the owner is the component that skins a form.
    TCustomForm* ProviderForm() const;

    // ---- Fields (the owners and the painting code read and set them directly) ----
    std::int32_t GlowID = -1;
    std::int32_t BorderIndex = -1;
    std::int32_t SkinIndex = -1;
    std::int32_t Texture = -1;
    std::int32_t HotTexture = -1;
    TControl* GraphControl = nullptr;
    bool UrgentPainting = false;
    bool BGChanged = true;
    bool HalfVisible = true;
    TControl* FOwnerControl = nullptr;
    TObject* FOwnerObject = nullptr;
    HRGN FRegion = nullptr;
    std::int32_t COC = 0;
    bool FFocused = false;
    bool FMouseAbove = false;
    std::uint16_t CtrlSkinState = 0;
    std::uint16_t BGType = 0;
    HDC PrintDC = nullptr;
    TRect InvalidRectH{0, 0, 0, 0};
    TRect InvalidRectV{0, 0, 0, 0};
    std::int32_t FUpdateCount = 0;

private:
    friend bool HandleSkinCmd(TMessage& Message, TsCommonData* SkinData);
    bool OwnerBusy() const;
    void Announce();
    void ComputeBGType();
    TColor ParentBackColor(HWND Handle);

    String FSkinSection;
    bool FCustomFont = false;
    bool FCustomColor = false;
    std::int32_t FHUEOffset = 0;
    std::int32_t FSaturation = 0;
    bool FUpdating = false;
    TsSkinManager* FSkinManager = nullptr;
    std::unique_ptr<TBitmap> FCacheBmp;
};

// The same state, also offering HUEOffset and Saturation for streaming.
class TsCtrlSkinData : public TsCommonData {
public:
    using TsCommonData::TsCommonData;
};

// The parent control's section index (AC_QUERYSKININDEX): Default when none; a parent more
// than half transparent passes the question one level up; the section counts only when it gives
// its own font.
int FontSourceSectionIndex(TControl* Control, int Default, TsSkinManager* Manager);
// The parent's answer to AC_QUERYMOVEREPAINT (false without a parent window).
bool ParentRepaintsWhenMoved(TControl* Control);
// Registers TsCommonData and TsCtrlSkinData and their published properties (once).
void RegisterCommonDataClasses();

// The background a window's parent describes, or the empty value for a window without parent.
TCacheInfo WndParentCacheInfo(HWND Window);

// ---- Messages every skinned control routes through its skin state first ----

// The skin command (SM_LUMACMD) for SkinData; true when consumed, and the control then stops
// processing the message. Another message or no state object: false, nothing done.
bool HandleSkinCmd(TMessage& Message, TsCommonData* SkinData);
// The ordinary messages that change a control's look (moving, sizing, focus, hover, enabling,
// visibility, context menus, children created); the skin command goes to HandleSkinCmd. True
// only for consumed messages; it never calls the window procedure itself.
bool HandleCommonMessage(TMessage& Message, TsCommonData* SkinData);

// The speed buttons plug in here: true for a speed button that shows the mouse above it, so
// that entering its parent makes it let go of its hot look.
extern std::function<bool(TControl* Control)> SpeedButtonHotTest;

// Copies DstRect's size of the cache, from SrcRect's top-left, to DstRect in DC, with Control's
// visible children that would cover it (opaque, windowless or being designed; each moved by
// the offsets) clipped out. FillCorners first lets the parent show through the cache's
// transparent corners. Nothing without a cache.
void CopyCacheToDC(TControl* Control, TsCommonData* SkinData, const TRect& SrcRect, int OffsetY, int OffsetX,
                   bool FillCorners, HDC DC, const TRect& DstRect);
// The same for a window and its child windows; of a group box only its frame is clipped out, so
// that its inside shows the window's cache.
void CopyCacheToWndDC(HWND Window, TsCommonData* SkinData, const TRect& SrcRect, int OffsetY, int OffsetX,
                      bool FillCorners, HDC DC, const TRect& DstRect);

// ---- The caption label of an edit control ----

class TComponent;
class TCustomLabel;
class TFont;
class TsBoundLabel;

// Where a bound label stands: left of the edit, or above it at its left, centre or right.
enum TsCaptionLayout { sclLeft, sclTopLeft, sclTopCenter, sclTopRight };

// The labels unit plugs its edit label in here (the skinned controls sit above this layer):
// making the label for a bound label, and the label's own use of the skin's colour. Reached
// through a function, so that a unit may register from its own start-up.
struct TsEditLabelHooks {
    std::function<TCustomLabel*(TsBoundLabel* Bound, TComponent* Owner)> Create;
    std::function<void(TCustomLabel* Label, bool Value)> SetUseSkinColor;
    std::function<bool(TCustomLabel* Label)> UseSkinColor;
};
TsEditLabelHooks& EditLabelHooks();

// The settings through which an edit control shows a caption label beside or above it. While
// Active the label exists, stands on the edit's parent and follows the settings.
class TsBoundLabel : public TPersistent {
public:
    TsBoundLabel(TControl* AOwner, TsCommonData* CommonData);
    ~TsBoundLabel() override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    const String& Caption() const { return FText; }
    void SetCaption(const String& Value);
    int Indent() const { return FIndent; }
    void SetIndent(int Value);
    TsCaptionLayout Layout() const { return FLayout; }
    void SetLayout(TsCaptionLayout Value);
    // 0: no limit.
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    // The label's font once it exists, else the one it will take.
    TFont* Font() const;
    void SetFont(TFont* Value);
    bool UseSkinColor() const;
    void SetUseSkinColor(bool Value);

    // Places the label by Layout, Indent and MaxWidth beside or above the edit.
    void AlignLabel();
    // Keeps the label with its edit after the edit's Message: placed again when the edit moved or
    // changed its size or reading order, as visible as the edit, and as enabled as the edit shows
    // itself (a blended disabled edit keeps its label enabled).
    void FollowOwner(const TMessage& Message, bool BlendedWhenDisabled);
    TCustomLabel* TheLabel() const { return FTheLabel; }
    // The label tells its settings that it is gone (without freeing it again).
    void LabelDestroyed();

private:
    TAlignment LabelAlignment() const;
    void Realign();

    int FMaxWidth = 0;
    String FText;
    TsCaptionLayout FLayout = sclLeft;
    std::unique_ptr<TFont> FFont;
    int FIndent = 0;
    bool FActive = false;
    TCustomLabel* FTheLabel = nullptr;
    TsCommonData* FCommonData;
    TControl* FOwner;
    bool FUseSkinColor = true;
};
