// The manager's life, its properties and the change of skin behind SkinName.
#include "skin/core/sSkinManager.h"

#include "framework/classes/PropertyRegistry.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/Graphics.h"
#include "framework/system/ScopeGuards.h"
#include "framework/system/StringUtils.h"
#include "skin/core/acAlphaImageList.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sDialogs.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMessages.h"

const wchar_t* const DefaultSkinDirectory = L"c:\\Skins";
const wchar_t* const acSkinExt = L"vtz";
bool SkinEditorLink = false;
std::unique_ptr<TStringList> EditorOptionsText;

namespace {

TsSkinManager* GDefaultManager = nullptr;
int GSkinLoading = 0;

bool EndsWithSkinExt(const String& Value)
{
    return Value.size() > 4 && SameText(Value.substr(Value.size() - 4), String(L".") + acSkinExt);
}

// What the user is told when a skin is refused: which skin, then what is wrong with it, in
// printable text whatever the damaged data held.
String LoadRefusal(const String& SkinName, const Exception& Error)
{
    return PrintableText(L"Skin \"" + SkinName + L"\" cannot be loaded: " + Error.Message());
}

}  // namespace

bool SkinLoading()
{
    return GSkinLoading > 0;
}

TSkinLoadingScope::TSkinLoadingScope()
{
    ++GSkinLoading;
}

TSkinLoadingScope::~TSkinLoadingScope()
{
    --GSkinLoading;
}

TsSkinManager* TsSkinManager::DefaultSkinManager()
{
    return GDefaultManager;
}

TsSkinManager::TsSkinManager(TComponent* AOwner)
    : TComponent(AOwner), FSkinDirectory(DefaultSkinDirectory), FBuiltInSkins(std::make_unique<TsStoredSkins>(this)),
      FCommonSections(std::make_unique<TStringList>()), FMenuSupport(std::make_unique<TacMenuSupport>()),
      FAnimEffects(std::make_unique<TacAnimEffects>(this)), FThirdParty(std::make_unique<ThirdPartyList>()),
      FEffects(std::make_unique<TacSkinEffects>(this)), FSkinableMenus(std::make_unique<TsSkinableMenus>(this))
{
    FCommonSections->SetCaseSensitive(true);
    for (auto& list : ThirdLists) {
        list = std::make_unique<TStringList>();
        list->SetCaseSensitive(true);
    }
    ShdaTemplate = std::make_unique<TBitmap>();
    ShdiTemplate = std::make_unique<TBitmap>();
    if (GDefaultManager == nullptr) {
        GDefaultManager = this;
        // The default manager speaks for the application window (minimising, restoring, the
        // task bar's menu).
        Application->HookMainWindow([this](TMessage& Message) { return AppWindowHook(Message); }, this);
    }
    AfterConstruction();
}

void TsSkinManager::AfterConstruction()
{
    FillThirdLists(false);
    if (FSkinDirectory.empty()) FSkinDirectory = DefaultSkinDirectory;
}

TsSkinManager::~TsSkinManager()
{
    FActive = false;
    RemoveSkin();
    Application->UnhookMainWindow(this);
    if (GDefaultManager == this) GDefaultManager = nullptr;
    StoreThirdLists();
}

void TsSkinManager::SetSkinDirectory(const String& Value)
{
    if (Value == FSkinDirectory) return;
    FSkinDirectory = Value;
    SkinData.SkinPath = FullSkinDirectory();
}

void TsSkinManager::SetSkinName(const String& Value)
{
    // While the form is read the name is only stored: the stored skins may come after it, and
    // Loaded loads the skin once everything is read.
    if (ComponentState().Contains(csLoading)) {
        FSkinName = Value;
        return;
    }
    ChangeSkin(Value, true);
}

void TsSkinManager::ChangeSkin(const String& Value, bool Repaint)
{
    String oldName = FSkinName;
    FSkinName = Value;
    if (FActive) {
        if (OnBeforeChange) OnBeforeChange(this);
        // The shown forms are captured in their old look before it goes.
        if (Repaint) PrepareFormsForAnimation();
        TSkinLoadingScope loading;
        bool wasActive = SkinData.Active;
        SkinData.Active = false;
        if (EndsWithSkinExt(Value)) FSkinName = Value.substr(0, Value.size() - 4);
        bool loaded = false;
        try {
            if (UsePackedFile()) ReloadPackedSkin();
            else ReloadSkin();
            loaded = true;
        } catch (const Exception& e) {
            String refused = FSkinName;
            FSkinName = oldName;
            SkinData.Active = wasActive;
            MessageBoxDlg(LoadRefusal(refused, e), mtError, {mbOK}, 0);
        }
        if (loaded) {
            if (!FActive) RemoveSkin();
            else if (!NonAutoUpdate) AnnounceSkin(Repaint);
        }
        if (OnAfterChange) OnAfterChange(this);
    }
    PublishDialogRule();
}

void TsSkinManager::SetActive(bool Value)
{
    if (Value == FActive) return;
    FActive = Value;
    if (ComponentState().Contains(csLoading)) return;
    if (Value) {
        SetSkinName(FSkinName);
        return;
    }
    if (!SkinLoading()) RemoveSkin();
    FSkin.InitConstantIndexes();
    PublishDialogRule();
}

bool TsSkinManager::ExtendedBorders() const
{
    return FExtendedBorders && LayeredWindowsAvailable();
}

void TsSkinManager::SetExtendedBorders(bool Value)
{
    if (Value == FExtendedBorders) return;
    FExtendedBorders = Value;
    if (!SkinData.Active) return;
    ReloadCurrent();
}

void TsSkinManager::SetHueOffset(int Value)
{
    if (Value == FHueOffset) return;
    FHueOffset = Value;
    if (FActive && !ComponentState().Contains(csLoading)) ReloadCurrent();
}

void TsSkinManager::SetSaturation(int Value)
{
    if (Value == FSaturation) return;
    FSaturation = Value;
    if (FActive && !ComponentState().Contains(csLoading)) ReloadCurrent();
}

void TsSkinManager::ReloadCurrent()
{
    if (FSkinName.empty() || SkinLoading()) return;
    TSkinLoadingScope loading;
    try {
        if (UsePackedFile()) ReloadPackedSkin();
        else ReloadSkin();
    } catch (const Exception& e) {
        MessageBoxDlg(LoadRefusal(FSkinName, e), mtError, {mbOK}, 0);
        return;
    }
    if (!NonAutoUpdate && FActive) AnnounceSkin(true);
}

void TsSkinManager::SetSkinningRules(TacSkinningRules Value)
{
    FSkinningRules = Value;
    PublishDialogRule();
}

void TsSkinManager::SetIsDefault(bool Value)
{
    // Only a manager can make itself the default; giving it up leaves the current one in place.
    if (!Value && GDefaultManager != nullptr) return;
    GDefaultManager = this;
    if (FActive) AnnounceSkin(true);
    else RemoveSkin();
}

bool TsSkinManager::UsePackedFile() const
{
    if (!FileExists(PackedFileName(FSkinName))) return false;
    // The skin editor works on the unpacked folder of a skin it previews.
    return !SkinEditorLink || !DirectoryExists(IncludeTrailingPathDelimiter(FullSkinDirectory()) + FSkinName);
}

String TsSkinManager::SkinInfo() const
{
    if (!FActive || gd.empty()) return L"N/A";
    wchar_t text[32];
    swprintf(text, 32, L"%g", SkinData.Version);
    return text;
}

void TsSkinManager::Loaded()
{
    TComponent::Loaded();
    if (FSkinDirectory.empty()) FSkinDirectory = DefaultSkinDirectory;
    if (FMenuSupport->IcoLineSkin().empty()) FMenuSupport->SetIcoLineSkin(L"ICOLINE");
    FillThirdLists(false);
    // The skin named while the form was read, announced once without repaint.
    if (FActive && !FSkinName.empty()) ChangeSkin(FSkinName, false);
    PublishDialogRule();
}

void TsSkinManager::EndUpdate(bool Repaint, bool AllowAnimation)
{
    NonAutoUpdate = false;
    TacSkinChanging* animation = FAnimEffects->SkinChanging();
    const bool animates = animation->Active();
    // The skin-change animation sits out this one update when it is not allowed.
    if (!AllowAnimation) animation->SetActive(false);
    TScopeExit restore([&] { animation->SetActive(animates); });
    UpdateSkin(Repaint);
}

void TsSkinManager::UpdateSkin(bool Repaint)
{
    if (FActive) AnnounceSkin(Repaint);
}

void TsSkinManager::PublishDialogRule()
{
    // The framework builds its message dialogs as ordinary forms, which skins can take over;
    // it has no switch to task dialogs, so there is nothing to publish yet.
}

void TsSkinManager::SetActiveControl(HWND Value)
{
    if (Value == FActiveControl) return;
    HWND previous = FActiveControl;
    FActiveControl = Value;
    if (previous != nullptr && IsWindow(previous))
        SendMessageW(previous, SM_LUMACMD, MakeSkinWParam(AC_HOTOFF), reinterpret_cast<LPARAM>(this));
    if (Value != nullptr && IsWindow(Value))
        SendMessageW(Value, SM_LUMACMD, MakeSkinWParam(AC_HOTON), reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::SetCommonSections(TStrings* Value)
{
    FCommonSections->Clear();
    if (Value != nullptr)
        for (int i = 0; i < Value->Count(); ++i) {
            String line = Value->Strings(i);
            if (line.empty() || line[0] != L';') std::erase(line, L' ');
            FCommonSections->Add(line);
        }
    // While the form is read the skin loads once everything is read.
    if (!ComponentState().Contains(csLoading) && !FSkinName.empty()) SetSkinName(FSkinName);
}

void TsSkinManager::FillThirdLists(bool Reset)
{
    for (int i = 0; i < ThirdPartyList::Count; ++i) {
        if (Reset || FThirdParty->Items(i).empty()) FThirdParty->SetItems(i, ThirdPartyList::DefaultItems(i));
        ThirdLists[i]->SetText(FThirdParty->Items(i));
    }
}

void TsSkinManager::StoreThirdLists()
{
    for (int i = 0; i < ThirdPartyList::Count; ++i) FThirdParty->SetItems(i, ThirdLists[i]->Text());
}

void RegisterSkinManagerClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterGraphicsClasses();
    RegisterSkinOptionClasses();
    RegisterAlphaImageListClasses();
    RegisterEnumType(L"TacSkinningRule", {L"srStdForms", L"srStdDialogs", L"srThirdParty"});
    using M = TsSkinManager;
    RegisterPublishedClass<M>(L"TsSkinManager", L"TComponent")
        .Text(L"SkinDirectory", [](M* m, const String& v) { m->SetSkinDirectory(v); }, DefaultSkinDirectory)
        .Text(L"SkinName", [](M* m, const String& v) { m->SetSkinName(v); })
        .Boolean(L"Active", [](M* m, bool v) { m->SetActive(v); }, L"True")
        .Boolean(L"SkinnedPopups", [](M* m, bool v) { m->SetSkinnedPopups(v); }, L"True")
        .Boolean(L"ExtendedBorders", [](M* m, bool v) { m->SetExtendedBorders(v); })
        .Integer(L"HueOffset", [](M* m, int v) { m->SetHueOffset(v); })
        .Integer(L"Saturation", [](M* m, int v) { m->SetSaturation(v); })
        .Boolean(L"IsDefault", [](M* m, bool v) { m->SetIsDefault(v); }, L"True")
        .Set(L"SkinningRules", L"TacSkinningRule",
             [](M* m, std::uint64_t v) { m->SetSkinningRules(TacSkinningRules::FromBits(v)); },
             L"[srStdForms, srStdDialogs, srThirdParty]")
        .Object(L"Effects", L"TacSkinEffects", [](M* m) { return m->Effects(); })
        .Object(L"AnimEffects", L"TacAnimEffects", [](M* m) { return m->AnimEffects(); })
        .Collection(L"InternalSkins", L"TsStoredSkin", [](M* m) { return m->InternalSkins(); })
        .Object(L"ThirdParty", L"ThirdPartyList", [](M* m) { return m->ThirdParty(); })
        .Object(L"MenuSupport", L"TacMenuSupport", [](M* m) { return m->MenuSupport(); })
        .Strings(L"CommonSections", [](M* m, const std::vector<String>& v) {
            TStringList lines;
            lines.AddStrings(v);
            m->SetCommonSections(&lines);
        })
        .NotStored(L"SkinInfo", TPropertyKind::String)
        .NotStored(L"Version", TPropertyKind::String)
        .Event<TNotifyEvent>(L"OnBeforeChange", [](M* m) -> TNotifyEvent& { return m->OnBeforeChange; })
        .Event<TNotifyEvent>(L"OnAfterChange", [](M* m) -> TNotifyEvent& { return m->OnAfterChange; });
}
