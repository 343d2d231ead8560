#pragma once
// Unit sSkinManager: TsSkinManager, the component a form holds to own one skin and answer the
// skin questions of the controls on it. Setting SkinName loads a skin from a folder, a packed
// file or a skin stored in the form, recolours it by HueOffset and Saturation and swaps it in
// whole; a load that fails leaves the skin in use as it was and shows why. The first manager
// created is the default one, which skinned controls use unless they name another.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/Collection.h"
#include "framework/classes/Component.h"
#include "framework/classes/Streams.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Messages.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicsObjects.h"
#include "skin/core/sMaskData.h"

class TCustomForm;
class TsSkinManager;

// --- Option classes: the manager's published sub-objects, streamed with its form ------------

// Which effects the manager allows.
class TacSkinEffects : public TPersistent {
public:
    explicit TacSkinEffects(TsSkinManager* AManager) : Manager(AManager) {}
    // Glowing needs layered windows (unless designing) and is off for a 32-bit process on 64-bit
    // Windows without desktop composition, whatever is stored.
    bool AllowGlowing() const;
    bool StoredAllowGlowing() const { return FAllowGlowing; }
    void SetAllowGlowing(bool Value) { FAllowGlowing = Value; }
    TsSkinManager* Manager;

private:
    bool FAllowGlowing = true;
};

enum TacBtnEvent { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
using TacBtnEvents = TEnumSet<TacBtnEvent>;

// The button events that animate.
class TacBtnEffects : public TPersistent {
public:
    explicit TacBtnEffects(TsSkinManager* AManager) : Manager(AManager) {}
    TacBtnEvents Events() const { return FEvents; }
    void SetEvents(TacBtnEvents Value) { FEvents = Value; }
    TsSkinManager* Manager;

private:
    TacBtnEvents FEvents{beMouseEnter, beMouseLeave, beMouseDown, beMouseUp};
};

enum TacAnimType { atFading, atAero };

// One animation: whether it runs, for how many milliseconds, and how.
class TacFormAnimation : public TPersistent {
public:
    bool Active() const { return FActive; }
    void SetActive(bool Value) { FActive = Value; }
    std::uint16_t Time() const { return FTime; }
    void SetTime(std::uint16_t Value) { FTime = Value; }
    TacAnimType Mode() const { return FMode; }
    void SetMode(TacAnimType Value) { FMode = Value; }

protected:
    TacFormAnimation(bool AActive, std::uint16_t ATime, TacAnimType AMode) : FTime(ATime), FActive(AActive), FMode(AMode) {}

private:
    std::uint16_t FTime;
    bool FActive;
    TacAnimType FMode;
};

class TacDialogShow : public TacFormAnimation {
public:
    TacDialogShow() : TacFormAnimation(true, 0, atAero) {}
};
class TacFormShow : public TacFormAnimation {
public:
    TacFormShow() : TacFormAnimation(true, 0, atAero) {}
};
class TacFormHide : public TacFormAnimation {
public:
    TacFormHide() : TacFormAnimation(true, 0, atAero) {}
};
class TacSkinChanging : public TacFormAnimation {
public:
    TacSkinChanging() : TacFormAnimation(true, 100, atFading) {}
};
class TacPageChange : public TacFormAnimation {
public:
    TacPageChange() : TacFormAnimation(true, 0, atAero) {}
};
class TacMinimizing : public TacFormAnimation {
public:
    TacMinimizing() : TacFormAnimation(true, 200, atAero) {}
};
// Also how opaque a form stays while it is dragged.
class TacBlendOnMoving : public TacFormAnimation {
public:
    TacBlendOnMoving() : TacFormAnimation(false, 1000, atAero) {}
    std::uint8_t BlendValue() const { return FBlendValue; }
    void SetBlendValue(std::uint8_t Value) { FBlendValue = Value; }

private:
    std::uint8_t FBlendValue = 170;
};

// Which animations run and how long they take.
class TacAnimEffects : public TPersistent {
public:
    explicit TacAnimEffects(TsSkinManager* AManager);
    TacBtnEffects* Buttons() const { return FButtons.get(); }
    TacDialogShow* DialogShow() const { return FDialogShow.get(); }
    TacFormShow* FormShow() const { return FFormShow.get(); }
    TacFormHide* FormHide() const { return FFormHide.get(); }
    TacSkinChanging* SkinChanging() const { return FSkinChanging.get(); }
    TacPageChange* PageChange() const { return FPageChange.get(); }
    TacFormHide* DialogHide() const { return FDialogHide.get(); }
    TacMinimizing* Minimizing() const { return FMinimizing.get(); }
    TacBlendOnMoving* BlendOnMoving() const { return FBlendOnMoving.get(); }
    TsSkinManager* Manager;

private:
    std::unique_ptr<TacBtnEffects> FButtons;
    std::unique_ptr<TacDialogShow> FDialogShow;
    std::unique_ptr<TacFormShow> FFormShow;
    std::unique_ptr<TacFormHide> FFormHide;
    std::unique_ptr<TacSkinChanging> FSkinChanging;
    std::unique_ptr<TacPageChange> FPageChange;
    std::unique_ptr<TacFormHide> FDialogHide;
    std::unique_ptr<TacMinimizing> FMinimizing;
    std::unique_ptr<TacBlendOnMoving> FBlendOnMoving;
};

// A skin carried inside the form: its packed archive and what the skin list shows of it.
class TsStoredSkin : public TCollectionItem {
public:
    explicit TsStoredSkin(TCollection* ACollection);
    // Copies another stored skin; anything else goes to the base class (which refuses it).
    void Assign(TPersistent* Source) override;

    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    TBitmap* MasterBitmap() const { return FMasterBitmap.get(); }
    double Version() const { return FVersion; }
    void SetVersion(double Value) { FVersion = Value; }
    const String& Description() const { return FDescription; }
    void SetDescription(const String& Value) { FDescription = Value; }
    const String& Author() const { return FAuthor; }
    void SetAuthor(const String& Value) { FAuthor = Value; }
    int Shadow1Offset() const { return FShadow1Offset; }
    void SetShadow1Offset(int Value) { FShadow1Offset = Value; }
    TColor Shadow1Color() const { return FShadow1Color; }
    void SetShadow1Color(TColor Value) { FShadow1Color = Value; }
    int Shadow1Blur() const { return FShadow1Blur; }
    void SetShadow1Blur(int Value) { FShadow1Blur = Value; }
    int Shadow1Transparency() const { return FShadow1Transparency; }
    void SetShadow1Transparency(int Value) { FShadow1Transparency = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }

    // The packed skin archive, streamed as the property "Data".
    std::unique_ptr<TMemoryStream> PackedData;
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream) const;

private:
    String FName;
    std::unique_ptr<TBitmap> FMasterBitmap;
    double FVersion = 0;
    String FDescription;
    String FAuthor;
    int FShadow1Offset = 0;
    TColor FShadow1Color = 0;
    int FShadow1Blur = -1;
    int FShadow1Transparency = 0;
    TColor FBorderColor = 0xFF00FF;
};

// The manager's InternalSkins: filled by streaming only.
class TsStoredSkins : public TCollection {
public:
    explicit TsStoredSkins(TsSkinManager* AOwner);
    TsStoredSkin* Items(int Index) const { return static_cast<TsStoredSkin*>(TCollection::Items(Index)); }
    TsStoredSkin* Add() { return static_cast<TsStoredSkin*>(TCollection::Add()); }
    // Index of the first skin whose Name equals SkinName exactly (letter case counts), -1 when none.
    int IndexOf(const String& SkinName) const;
    // Deliberately does nothing.
    void Assign(TPersistent* Source) override {}
    TPersistent* GetOwner() override;

private:
    TsSkinManager* FOwner;
};

// Which foreign control classes get which kind of skinning: per kind, class names one a line.
class ThirdPartyList : public TPersistent {
public:
    static constexpr int Count = 18;
    ThirdPartyList() = default;
    // Index in the order of the kinds below; outside 0..17 the getter answers "" and the setter
    // does nothing.
    String Items(int Index) const;
    void SetItems(int Index, const String& Value);
    // The name a kind is offered under for editing ("Edit", "Button", ...).
    static String DisplayName(int Index);
    // The class names a kind starts with ("TEdit\r\nTMemo...", or one space for none).
    static String DefaultItems(int Index);

    const String& ThirdEdits() const { return FItems[0]; }
    const String& ThirdButtons() const { return FItems[1]; }
    const String& ThirdBitBtns() const { return FItems[2]; }
    const String& ThirdCheckBoxes() const { return FItems[3]; }
    const String& ThirdComboBoxes() const { return FItems[4]; }
    const String& ThirdGrids() const { return FItems[5]; }
    const String& ThirdGroupBoxes() const { return FItems[6]; }
    const String& ThirdListViews() const { return FItems[7]; }
    const String& ThirdPanels() const { return FItems[8]; }
    const String& ThirdTreeViews() const { return FItems[9]; }
    const String& ThirdWWEdits() const { return FItems[10]; }
    const String& ThirdGridEh() const { return FItems[11]; }
    const String& ThirdVirtualTrees() const { return FItems[12]; }
    const String& ThirdPageControl() const { return FItems[13]; }
    const String& ThirdTabControl() const { return FItems[14]; }
    const String& ThirdToolBar() const { return FItems[15]; }
    const String& ThirdStatusBar() const { return FItems[16]; }
    const String& ThirdSpeedButton() const { return FItems[17]; }

private:
    std::array<String, Count> FItems;
};

// Menu options: the section of the icon column and the extra line beside popup menus.
class TacMenuSupport : public TPersistent {
public:
    TacMenuSupport();
    const String& IcoLineSkin() const { return FIcoLineSkin; }
    void SetIcoLineSkin(const String& Value) { FIcoLineSkin = Value; }
    bool UseExtraLine() const { return FUseExtraLine; }
    void SetUseExtraLine(bool Value) { FUseExtraLine = Value; }
    int ExtraLineWidth() const { return FExtraLineWidth; }
    void SetExtraLineWidth(int Value) { FExtraLineWidth = Value; }
    TFont* ExtraLineFont() const { return FExtraLineFont.get(); }

private:
    String FIcoLineSkin;
    bool FUseExtraLine = false;
    int FExtraLineWidth = 32;
    std::unique_ptr<TFont> FExtraLineFont;
};

// The menu skinner: created by the manager with itself as owner. It keeps its fields until the
// skinning of menus arrives.
class TsSkinableMenus : public TPersistent {
public:
    explicit TsSkinableMenus(TsSkinManager* AOwner) : FOwner(AOwner) {}
    TsSkinManager* Owner() const { return FOwner; }
    // Width of the skin's menu border; -1 until a skin has been measured, again after every new
    // skin.
    int FSkinBorderWidth = -1;

private:
    TsSkinManager* FOwner;
};

// --- The manager ---------------------------------------------------------------------------

// Which skins GetSkinNames lists.
enum TacSkinTypes { stUnpacked, stPacked, stAllSkins };

// What the manager skins besides its own skinned controls.
enum TacSkinningRule { srStdForms, srStdDialogs, srThirdParty };
using TacSkinningRules = TEnumSet<TacSkinningRule>;

// The application's last show command.
enum TacShowState { saIgnore, saRestore, saMinimize };

// The file extension of packed skins, without its dot.
extern const wchar_t* const acSkinExt;

// Set while any manager loads a skin: painting that would read half-built tables skips its work.
bool SkinLoading();

// Sets the skin-loading flag for a scope; loads may nest (a reload inside a change of name).
class TSkinLoadingScope {
public:
    TSkinLoadingScope();
    ~TSkinLoadingScope();
    TSkinLoadingScope(const TSkinLoadingScope&) = delete;
    TSkinLoadingScope& operator=(const TSkinLoadingScope&) = delete;
};

class TsSkinManager : public TComponent {
public:
    explicit TsSkinManager(TComponent* AOwner);
    ~TsSkinManager() override;
    void AfterConstruction();

    // Where skins are looked for by name ("c:\Skins" when left empty).
    const String& SkinDirectory() const { return FSkinDirectory; }
    void SetSkinDirectory(const String& Value);
    // SkinDirectory made absolute: a leading "..\" is the program folder's parent, ".\" the
    // program folder, and a relative path lies in the program folder. No trailing separator.
    String FullSkinDirectory() const;
    const String& SkinName() const { return FSkinName; }
    // Loads the skin of that name (when Active): a packed file "<directory>\<name>.vtz", else a
    // folder "<directory>\<name>" holding "Options.dat", else the internal skin of that name,
    // else the first internal skin. A load that fails keeps the previous skin and name and shows
    // the error in a message box.
    void SetSkinName(const String& Value);
    // A skin is shown (true after construction).
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    // Popup and system menus are skinned too.
    bool SkinnedPopups() const { return FSkinnedPopups; }
    void SetSkinnedPopups(bool Value) { FSkinnedPopups = Value; }
    // Forms get wide borders with a shadow (layered windows; false without them).
    bool ExtendedBorders() const;
    void SetExtendedBorders(bool Value);
    // Recolouring of the skin: degrees of hue, percent of saturation (taken modulo 101).
    int HueOffset() const { return FHueOffset; }
    void SetHueOffset(int Value);
    int Saturation() const { return FSaturation; }
    void SetSaturation(int Value);
    TacSkinningRules SkinningRules() const { return FSkinningRules; }
    void SetSkinningRules(TacSkinningRules Value);
    // This manager is the application's default one.
    bool IsDefault() const { return DefaultSkinManager() == this; }
    void SetIsDefault(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    // The version of the loaded skin as text ("7.5"); "N/A" while none is active.
    String SkinInfo() const;
    // The version of the skin engine.
    static String Version() { return L"7.42"; }

    void Loaded() override;

    // Option sub-objects.
    TacSkinEffects* Effects() const { return FEffects.get(); }
    bool AllowGlowing() const { return FEffects->AllowGlowing(); }
    TacAnimEffects* AnimEffects() const { return FAnimEffects.get(); }
    TsStoredSkins* InternalSkins() const { return FBuiltInSkins.get(); }
    ThirdPartyList* ThirdParty() const { return FThirdParty.get(); }
    TacMenuSupport* MenuSupport() const { return FMenuSupport.get(); }
    TsSkinableMenus* SkinableMenus() const { return FSkinableMenus.get(); }
    // Sections (INI text) that complete a skin lacking them.
    TStringList* CommonSections() const { return FCommonSections.get(); }
    // Copies Value with the spaces taken out of every line but comments (";"), then applies the
    // skin name again.
    void SetCommonSections(TStrings* Value);

    // The ThirdParty kinds parsed into lists, by ThirdPartyList index.
    std::array<std::unique_ptr<TStringList>, ThirdPartyList::Count> ThirdLists;
    // Each list from its ThirdParty text; with Reset, or where that text is empty, the text
    // takes its default first.
    void FillThirdLists(bool Reset);
    // Each ThirdParty text from its list.
    void StoreThirdLists();

    // Around a change of skin by SetSkinName.
    TNotifyEvent OnBeforeChange;
    TNotifyEvent OnAfterChange;

    // The first manager created (null when none exists).
    static TsSkinManager* DefaultSkinManager();

private:
    // Declared before the views below, which refer into it.
    TsSkin FSkin;

public:
    // --- The loaded skin ---
    // The whole loaded skin; the names below are views of its parts. A new load builds a new
    // skin aside and moves it in here only when it succeeded.
    const TsSkin& Skin() const { return FSkin; }
    TsSkinData& SkinData = FSkin.SkinData;
    TsSkinGeneralData& gd = FSkin.gd;
    TsMaskArray& ma = FSkin.ma;
    TsPatternArray& pa = FSkin.pa;
    TConstantSkinData& ConstData = FSkin.ConstData;
    std::unique_ptr<TBitmap>& MasterBitmap = FSkin.MasterBitmap;
    // The skin in use came from an unpacked archive (a packed file or an internal skin).
    bool SkinIsPacked() const { return FSkin.SkinIsPacked; }

    // Loads SkinName from the folder or the internal skins (ReloadSkin) or from the packed file
    // (ReloadPackedSkin). Errors pass to the caller; the skin in use changes only on success.
    void ReloadSkin();
    void ReloadPackedSkin();
    // Shows the notice about a skin VERSION outside 7..7.99 (an old one only when designing or
    // run with "/actest").
    void CheckVersion();
    // The form-shadow templates and widths of the skin in use.
    void CheckShadows();
    std::unique_ptr<TBitmap> ShdaTemplate;
    std::unique_ptr<TBitmap> ShdiTemplate;
    TRect FormShadowSize{0, 0, 0, 0};

    // While set, a new skin is not announced to the forms.
    bool NonAutoUpdate = false;
    TacShowState ShowState = saIgnore;
    bool SkinRemoving = false;
    bool GlobalHookInstalled = false;
    void BeginUpdate() { NonAutoUpdate = true; }
    void EndUpdate(bool Repaint = true, bool AllowAnimation = true);
    // Announces the skin in use when Active.
    void UpdateSkin(bool Repaint = true);
    // Tells every form that running fades end and that the skin wants a repaint (AC_RESKIN);
    // with DoLockForms the forms are held for the skin-change animation around it.
    void RepaintForms(bool DoLockForms = true);
    // Tells every form that the look of SectionName changed (AC_SECTIONCHANGED).
    void UpdateSkinSection(const String& SectionName);
    // The thread's window-creation hook through which dialogs and new forms get skinned: only
    // the default manager installs it, once, and removes it with its skin.
    void InstallHook();
    void UnInstallHook();

    // Section and image lookups of the skin in use; -1 when it has none of that name.
    int GetSkinIndex(const String& SkinSection) const;
    bool IsValidSkinIndex(int Index) const { return FSkin.IsValidSkinIndex(Index); }
    bool IsValidImgIndex(int Index) const { return FSkin.IsValidImgIndex(Index); }
    int GetMaskIndex(int SkinIndex, const String& SkinSection, const String& MaskName) const;
    int GetMaskIndex(const String& SkinSection, const String& MaskName) const;
    int GetTextureIndex(int SkinIndex, const String& SkinSection, const String& PropName) const;
    int GetPatternIndex(int SkinIndex, const String& SkinSection, const String& PatternName) const;
    int MaskWidthLeft(int MaskIndex);
    int MaskWidthTop(int MaskIndex) const;
    int MaskWidthRight(int MaskIndex) const;
    int MaskWidthBottom(int MaskIndex) const;

    // Colours of the skin in use, system colours as RGB (the fallbacks say when not).
    TColor GetGlobalColor() const;
    TColor GetGlobalFontColor() const;
    TColor GetActiveEditColor() const;
    TColor GetActiveEditFontColor() const;
    TColor GetHighLightColor(bool Focused = false) const;
    TColor GetHighLightFontColor(bool Focused = false) const;

    // The skins available: internal ones first, then those in the skin directory; List is
    // sorted, the result is the first name found ('' when none).
    String GetSkinNames(TStrings* List, TacSkinTypes SkinType = stAllSkins) const;
    String GetExternalSkinNames(TStrings* List, TacSkinTypes SkinType = stAllSkins) const;
    // The section names of the skin in use, in table order (nothing while inactive).
    void GetSkinSections(TStrings* List) const;
    String GetRandomSkin() const;
    // Writes an internal skin's archive to DestDir as "<name> extracted.vtz".
    void ExtractInternalSkin(const String& NameOfSkin, const String& DestDir);
    void ExtractByIndex(int Index, const String& DestDir);

    // The window under the mouse: the previous one gets AC_HOTOFF, the new one AC_HOTON.
    HWND ActiveControl() const { return FActiveControl; }
    void SetActiveControl(HWND Value);

private:
    // The application window's messages the default manager takes (minimising, restoring, the
    // task bar's menu, theme changes); true when consumed.
    bool AppWindowHook(TMessage& Message);
    // The skin-change animation: the shown forms of this manager are captured before the new
    // skin loads, held (no redrawing) while it is announced, and then animated to their new look.
    void PrepareFormsForAnimation();
    void LockFormsForAnimation();
    void FinishFormsAnimation(bool Allow);
    std::vector<TCustomForm*> AnimatedForms() const;
    // The change of skin: loads Value from the source its name finds and moves the result in;
    // on an exception of the runtime's class the old name and skin stay and the message shows.
    void ChangeSkin(const String& Value, bool Repaint);
    // Reloads the current skin from where it came from (recolouring, common sections).
    void ReloadCurrent();
    // Loads a skin aside, recolours it and moves it in.
    void LoadFrom(const TsSkinSource& Source, bool Packed);
    // Empties the tables and marks the skin inactive.
    void RemoveSkin();
    void AnnounceSkin(bool Repaint);
    void PublishDialogRule();
    String PackedFileName(const String& Name) const;
    // The skin comes from its packed file (which exists) rather than from its folder.
    bool UsePackedFile() const;

    int FGroupIndex = 0;
    String FSkinDirectory;
    String FSkinName;
    bool FActive = true;
    bool FSkinnedPopups = true;
    bool FExtendedBorders = false;
    int FHueOffset = 0;
    int FSaturation = 0;
    TacSkinningRules FSkinningRules{srStdForms, srStdDialogs, srThirdParty};
    HWND FActiveControl = nullptr;
    std::unique_ptr<TsStoredSkins> FBuiltInSkins;
    std::unique_ptr<TStringList> FCommonSections;
    std::unique_ptr<TacMenuSupport> FMenuSupport;
    std::unique_ptr<TacAnimEffects> FAnimEffects;
    std::unique_ptr<ThirdPartyList> FThirdParty;
    std::unique_ptr<TacSkinEffects> FEffects;
    std::unique_ptr<TsSkinableMenus> FSkinableMenus;
};

// --- Skinned forms and the announcements that walk them -----------------------------------

// The forms a form skin provider skins, one entry per provider (registered and unregistered by
// the provider).
void RegisterSkinnedForm(TCustomForm* Form);
// Every entry of Form is replaced by the last entry; the list shrinks by one.
void UnregisterSkinnedForm(TCustomForm* Form);
const std::vector<TCustomForm*>& SkinnedForms();
// The message to every form of the application and its controls; the skinned forms (those that
// answer AC_QUERYSKINNED) are reached once, through the skinned-form list.
void BroadcastToForms(const TMessage& Message);
// The message to every listed form and its controls, then to every visible hooked dialog.
void BroadcastToSkinnedForms(const TMessage& Message);

// The skin editor's preview link: WM_COPYDATA with WParam 7 and a block carrying the command
// $A400, the skin's name, its directory and its options text sets that skin on Manager. Another
// WParam, a block shorter than the record or from nowhere, or another command leaves Result alone.
void LoadSkinFromEditor(TMessage& Message, TsSkinManager* Manager);

// Set once the skin editor drove a manager through the preview link.
extern bool SkinEditorLink;
// The options text the skin editor sent: while it lives, a skin folder's options file is not
// read, this text is.
extern std::unique_ptr<TStringList> EditorOptionsText;

// What the layers above the core plug in: the dialog and form hook, and the parts of the
// skin-change animation and the application window that need the form skin providers. Each
// member may stay empty; the core then does its own part only.
struct TacSkinHookLinks {
    // The thread's window-creation (CBT) hook procedure; empty: a hook that passes events on.
    HOOKPROC CBTHookProc = nullptr;
    // Frees the handlers and providers the hook made (the hook is going).
    std::function<void()> ReleaseHooked;
    // The windows of the dialogs the hook skinned.
    std::function<std::vector<HWND>()> HookedDialogWindows;
    // The form's provider belongs to Manager and takes part in the skin-change animation.
    std::function<bool(TCustomForm* Form, TsSkinManager* Manager)> AnimatesSkinChange;
    // Captures the form's look before a skin change; shows that capture while the form is held.
    std::function<void(TCustomForm* Form)> PrepareSkinChange;
    std::function<void(TCustomForm* Form)> LockSkinChange;
    // Ends the held state of the form: animates to the new look with Allow, else only redraws.
    std::function<void(TCustomForm* Form, TsSkinManager* Manager, bool Allow)> FinishSkinChange;
    // The application window's messages that need a provider (minimise and restore animations,
    // thumbnails, the task bar's menu, menu borders); true when consumed.
    std::function<bool(TsSkinManager* Manager, TMessage& Message)> AppWindowMessage;
};
TacSkinHookLinks& SkinHookLinks();
// The installed window-creation hook, null while none is.
HHOOK SkinHookHandle();

// The directory SkinDirectory falls back to.
extern const wchar_t* const DefaultSkinDirectory;

// Registers the option classes' published properties (once).
void RegisterSkinOptionClasses();
// Registers TsSkinManager and its published properties with the form reader (once).
void RegisterSkinManagerClasses();
