#include "skin/core/sSkinManager.h"

#include "framework/classes/PropertyRegistry.h"
#include "framework/graphics/Graphics.h"

const wchar_t* const DefaultSkinDirectory = L"c:\\Skins";

namespace {
TsSkinManager* GDefaultManager = nullptr;
}

TsSkinManager* TsSkinManager::DefaultSkinManager()
{
    return GDefaultManager;
}

TsSkinManager::TsSkinManager(TComponent* AOwner)
    : TComponent(AOwner), FSkinDirectory(DefaultSkinDirectory), FBuiltInSkins(std::make_unique<TsStoredSkins>(this)),
      FCommonSections(std::make_unique<TStringList>()), FMenuSupport(std::make_unique<TacMenuSupport>()),
      FAnimEffects(std::make_unique<TacAnimEffects>(this)), FThirdParty(std::make_unique<ThirdPartyList>()),
      FEffects(std::make_unique<TacSkinEffects>(this))
{
    FCommonSections->SetCaseSensitive(true);
    for (auto& list : ThirdLists) {
        list = std::make_unique<TStringList>();
        list->SetCaseSensitive(true);
    }
    if (GDefaultManager == nullptr) GDefaultManager = this;
    FillThirdLists(false);
}

TsSkinManager::~TsSkinManager()
{
    if (GDefaultManager == this) GDefaultManager = nullptr;
    StoreThirdLists();
}

void TsSkinManager::SetSkinDirectory(const String& Value)
{
    FSkinDirectory = Value;
}

void TsSkinManager::SetSkinName(const String& Value)
{
    FSkinName = Value;
}

void TsSkinManager::SetActive(bool Value)
{
    FActive = Value;
}

void TsSkinManager::SetIsDefault(bool Value)
{
    // Only a manager can make itself the default; giving it up leaves the current one in place.
    if (Value || GDefaultManager == nullptr) GDefaultManager = this;
}

void TsSkinManager::Loaded()
{
    TComponent::Loaded();
    if (FSkinDirectory.empty()) FSkinDirectory = DefaultSkinDirectory;
    if (FMenuSupport->IcoLineSkin().empty()) FMenuSupport->SetIcoLineSkin(L"ICOLINE");
    FillThirdLists(false);
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
    // The skin is built with the new sections once loading a skin by name exists.
    SetSkinName(FSkinName);
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
