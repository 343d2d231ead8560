#include "skin/core/sSkinManager.h"

#include "framework/classes/PropertyRegistry.h"

const wchar_t* const DefaultSkinDirectory = L"c:\\Skins";

namespace {
TsSkinManager* GDefaultManager = nullptr;
}

TsSkinManager* TsSkinManager::DefaultSkinManager()
{
    return GDefaultManager;
}

TsSkinManager::TsSkinManager(TComponent* AOwner) : TComponent(AOwner), FSkinDirectory(DefaultSkinDirectory)
{
    if (GDefaultManager == nullptr) GDefaultManager = this;
}

TsSkinManager::~TsSkinManager()
{
    if (GDefaultManager == this) GDefaultManager = nullptr;
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
}

void RegisterSkinManagerClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterClassesClasses();
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
        .NotStored(L"SkinInfo", TPropertyKind::String)
        .NotStored(L"Version", TPropertyKind::String)
        .Event<TNotifyEvent>(L"OnBeforeChange", [](M* m) -> TNotifyEvent& { return m->OnBeforeChange; })
        .Event<TNotifyEvent>(L"OnAfterChange", [](M* m) -> TNotifyEvent& { return m->OnAfterChange; });
}
