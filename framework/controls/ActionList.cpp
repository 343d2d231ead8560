#include "framework/controls/ActionList.h"

#include <algorithm>

// ---- TContainedAction ----------------------------------------------------------------------

TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction()
{
    SetActionList(nullptr);
}

void TContainedAction::SetActionList(TCustomActionList* Value)
{
    if (Value == FActionList) return;
    if (FActionList != nullptr) FActionList->RemoveAction(this);
    if (Value != nullptr) Value->AddAction(this);
}

int TContainedAction::Index() const
{
    if (FActionList == nullptr) return -1;
    auto& list = FActionList->FActions;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TContainedAction::SetIndex(int Value)
{
    int current = Index();
    if (current < 0) return;
    auto& list = FActionList->FActions;
    Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
    if (Value == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + Value, this);
}

void TContainedAction::SetCategory(const String& Value)
{
    if (Value == FCategory) return;
    FCategory = Value;
    Change();
}

bool TContainedAction::Execute()
{
    if (FActionList != nullptr && FActionList->ExecuteAction(this)) return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update()
{
    if (FActionList != nullptr && FActionList->UpdateAction(this)) return true;
    return TBasicAction::Update();
}

void TContainedAction::SetParentComponent(TComponent* AParent)
{
    if (auto* list = dynamic_cast<TCustomActionList*>(AParent)) SetActionList(list);
}

void TContainedAction::Change()
{
    TBasicAction::Change();
    if (FActionList != nullptr && FActionList->OnChange) FActionList->OnChange(FActionList);
}

// ---- TCustomAction -------------------------------------------------------------------------

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

// Each setter hands the new value to every client's link before storing it: a link compares
// its client with the old value to know whether the client still follows the action.
template <class TSetter>
static void TellLinks(const std::vector<TBasicActionLink*>& Clients, TSetter Set)
{
    std::vector<TBasicActionLink*> clients = Clients;
    for (TBasicActionLink* client : clients)
        if (auto* link = dynamic_cast<TActionLink*>(client)) Set(link);
}

void TCustomAction::SetCaption(const String& Value)
{
    if (Value == FCaption) return;
    TellLinks(FClients, [&](TActionLink* l) { l->SetCaption(Value); });
    FCaption = Value;
    Change();
}

void TCustomAction::SetChecked(bool Value)
{
    if (Value == FChecked || FChecking) return;
    TellLinks(FClients, [&](TActionLink* l) { l->SetChecked(Value); });
    FChecked = Value;
    if (Value) UncheckGroup();
    Change();
}

void TCustomAction::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    TellLinks(FClients, [&](TActionLink* l) { l->SetEnabled(Value); });
    FEnabled = Value;
    Change();
}

void TCustomAction::SetGroupIndex(int Value)
{
    if (Value == FGroupIndex) return;
    TellLinks(FClients, [&](TActionLink* l) { l->SetGroupIndex(Value); });
    FGroupIndex = Value;
    if (FChecked) UncheckGroup();
    Change();
}

void TCustomAction::SetHelpContext(int Value)
{
    if (Value == FHelpContext) return;
    FHelpContext = Value;
    Change();
}

void TCustomAction::SetHint(const String& Value)
{
    if (Value == FHint) return;
    TellLinks(FClients, [&](TActionLink* l) { l->SetHint(Value); });
    FHint = Value;
    Change();
}

void TCustomAction::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    TellLinks(FClients, [&](TActionLink* l) { l->SetImageIndex(Value); });
    FImageIndex = Value;
    Change();
}

void TCustomAction::SetShortCut(TShortCut Value)
{
    if (Value == FShortCut) return;
    FShortCut = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    TellLinks(FClients, [&](TActionLink* l) { l->SetVisible(Value); });
    FVisible = Value;
    Change();
}

void TCustomAction::UncheckGroup()
{
    if (FGroupIndex <= 0 || ActionList() == nullptr) return;
    FChecking = true;
    TCustomActionList* list = ActionList();
    for (int i = 0; i < list->ActionCount(); ++i) {
        auto* other = dynamic_cast<TCustomAction*>(list->Actions(i));
        if (other != nullptr && other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
    }
    FChecking = false;
}

bool TCustomAction::Execute()
{
    Update();
    if (!FEnabled) return false;
    // A checked action of a group stays checked: another of the group unchecks it.
    if (FAutoCheck && (!FChecked || FGroupIndex == 0)) SetChecked(!FChecked);
    return TContainedAction::Execute();
}

// ---- TCustomActionList ---------------------------------------------------------------------

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomActionList::~TCustomActionList()
{
    SetImages(nullptr);
    while (!FActions.empty()) delete FActions.back();
}

void TCustomActionList::AddAction(TContainedAction* Action)
{
    FActions.push_back(Action);
    Action->FActionList = this;
}

void TCustomActionList::RemoveAction(TContainedAction* Action)
{
    auto it = std::find(FActions.begin(), FActions.end(), Action);
    if (it != FActions.end()) FActions.erase(it);
    Action->FActionList = nullptr;
}

void TCustomActionList::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    if (FImages != nullptr) RemoveFreeNotification(FImages);
    FImages = Value;
    if (Value != nullptr) FreeNotification(Value);
    if (!ComponentState().Contains(csDestroying)) Change();
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent != nullptr && AComponent == FImages) SetImages(nullptr);
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action)
{
    bool handled = false;
    if (OnExecute) OnExecute(Action, handled);
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action)
{
    bool handled = false;
    if (OnUpdate) OnUpdate(Action, handled);
    return handled;
}

bool TCustomActionList::IsShortCut(TShortCut ShortCut)
{
    if (ShortCut == scNone) return false;
    for (TContainedAction* contained : FActions) {
        auto* action = dynamic_cast<TCustomAction*>(contained);
        if (action == nullptr || action->ShortCut() != ShortCut) continue;
        // The key is the action's even when it is disabled: it goes no further.
        action->Update();
        if (action->Enabled()) action->Execute();
        return true;
    }
    return false;
}

void TCustomActionList::Change()
{
    if (OnChange) OnChange(this);
    std::vector<TContainedAction*> actions = FActions;
    for (TContainedAction* action : actions) action->TBasicAction::Change();
}

// ---- TActionLink ---------------------------------------------------------------------------

TCustomAction* TActionLink::CustomAction() const
{
    return dynamic_cast<TCustomAction*>(FAction);
}

bool TActionLink::IsCaptionLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsGroupIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsOnExecuteLinked() { return FAction != nullptr; }

// ---- TControlActionLink --------------------------------------------------------------------

bool TControlActionLink::IsCaptionLinked()
{
    return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked()
{
    return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}

bool TControlActionLink::IsHintLinked()
{
    return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}

bool TControlActionLink::IsVisibleLinked()
{
    return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}

bool TControlActionLink::IsOnExecuteLinked()
{
    return TActionLink::IsOnExecuteLinked() && !FClient->OnClick;
}

void TControlActionLink::SetCaption(const String& Value)
{
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value)
{
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}

void TControlActionLink::SetHint(const String& Value)
{
    if (IsHintLinked()) FClient->SetHint(Value);
}

void TControlActionLink::SetVisible(bool Value)
{
    if (IsVisibleLinked()) FClient->SetVisible(Value);
}

void TControlActionLink::ActionDestroying()
{
    // Frees this link: nothing of it may be touched afterwards.
    FClient->SetAction(nullptr);
}
