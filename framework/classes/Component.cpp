#include "framework/classes/Component.h"

#include <windows.h>

#include <algorithm>

#include "framework/system/Conversions.h"
#include "framework/system/StringUtils.h"

namespace {

// Letters of any script count: forms name components in Chinese as well.
bool IsIdentStart(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' || (c > 0x7F && IsCharAlphaW(c));
}
bool IsIdentChar(wchar_t c) { return IsIdentStart(c) || (c >= L'0' && c <= L'9'); }

bool IsValidIdent(const String& ident)
{
    return !ident.empty() && IsIdentStart(ident[0]) && std::all_of(ident.begin() + 1, ident.end(), IsIdentChar);
}

} // namespace

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner != nullptr)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        other->Notification(this, opRemove);
        // An override that skipped the inherited Notification left the link in place.
        auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), other);
        if (it != FFreeNotifies.end()) {
            FFreeNotifies.erase(it);
            other->RemoveNotification(this);
        }
    }
    DestroyComponents();
    if (FOwner != nullptr)
        FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        throw EListError(L"List index out of bounds (" + IntToStr(Index) + L")");
    return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const
{
    if (FOwner == nullptr)
        return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int Value)
{
    int current = ComponentIndex();
    if (current < 0)
        return;
    auto& list = FOwner->FComponents;
    Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
    if (Value == current)
        return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + Value, this);
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    AComponent->ValidateContainer(this);
    ValidateRename(AComponent, L"", AComponent->FName);
    ValidateInsert(AComponent);
    if (AComponent->FOwner != nullptr)
        AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    if (FComponentState.Contains(csDesigning))
        AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (AComponent->FOwner != this)
        return;
    ValidateRename(AComponent, AComponent->FName, L"");
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* instance = FComponents.back();
        // Only components that asked for notifications make their siblings hear of it; the
        // others leave quietly, which keeps tearing down a large owner linear.
        if (instance->FComponentState.Contains(csFreeNotification))
            RemoveComponent(instance);
        else
            Remove(instance);
        delete instance;
    }
}

TComponent* TComponent::FindComponent(const String& AName) const
{
    if (AName.empty())
        return nullptr;
    for (TComponent* component : FComponents)
        if (SameText(component->FName, AName))
            return component;
    return nullptr;
}

void TComponent::SetName(const String& NewName)
{
    if (FName == NewName)
        return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError(L"''" + NewName + L"'' is not a valid component name");
    if (FOwner != nullptr)
        FOwner->ValidateRename(this, FName, NewName);
    else
        ValidateRename(nullptr, FName, NewName);
    FName = NewName;
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName)
{
    if (AComponent != nullptr && !NewName.empty() && !SameText(CurName, NewName)) {
        TComponent* existing = FindComponent(NewName);
        if (existing != nullptr && existing != AComponent)
            throw EComponentError(L"A component named " + NewName + L" already exists");
    }
    if (FComponentState.Contains(csDesigning) && FOwner != nullptr)
        FOwner->ValidateRename(AComponent, CurName, NewName);
}

void TComponent::SetComponentStateFlag(TComponentStateFlag Flag, bool Value)
{
    if (Value)
        FComponentState.Include(Flag);
    else
        FComponentState.Exclude(Flag);
}

void TComponent::Destroying()
{
    if (FComponentState.Contains(csDestroying))
        return;
    FComponentState.Include(csDestroying);
    for (TComponent* component : FComponents)
        component->Destroying();
}

void TComponent::SetLoading(bool Value) { SetComponentStateFlag(csLoading, Value); }
void TComponent::SetReading(bool Value) { SetComponentStateFlag(csReading, Value); }

void TComponent::SetDesigning(bool Value, bool SetChildren)
{
    SetComponentStateFlag(csDesigning, Value);
    if (SetChildren)
        for (TComponent* component : FComponents)
            component->SetDesigning(Value, true);
}

void TComponent::Updating() { FComponentState.Include(csUpdating); }
void TComponent::Updated() { FComponentState.Exclude(csUpdating); }

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent != nullptr)
        RemoveFreeNotification(AComponent);
    // A notified component may free others of this list; keep the index inside it.
    int i = ComponentCount() - 1;
    while (i >= 0) {
        FComponents[static_cast<size_t>(i)]->Notification(AComponent, Operation);
        --i;
        if (i >= ComponentCount())
            i = ComponentCount() - 1;
    }
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (AComponent == nullptr || AComponent == this)
        return;
    if (FOwner == nullptr || AComponent->FOwner != FOwner) {
        if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
            FFreeNotifies.push_back(AComponent);
            AComponent->FreeNotification(this);
        }
    }
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it != FComponents.end())
        FComponents.erase(it);
    AComponent->FOwner = nullptr;
}

void TComponent::RemoveNotification(TComponent* AComponent)
{
    auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
    if (it != FFreeNotifies.end())
        FFreeNotifies.erase(it);
}
