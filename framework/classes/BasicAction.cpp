#include "framework/classes/BasicAction.h"

#include <algorithm>

#include "framework/system/ScopeGuards.h"

// ---- TBasicActionLink ----------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink()
{
    if (FAction != nullptr) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value)
{
    if (Value == FAction) return;
    if (FAction != nullptr) FAction->UnRegisterChanges(this);
    FAction = Value;
    if (Value != nullptr) Value->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent)
{
    if (FAction == nullptr) return false;
    TBasicAction* action = FAction;
    action->SetActionComponent(AComponent);
    TScopeExit forget([action] { action->SetActionComponent(nullptr); });
    return action->Execute();
}

bool TBasicActionLink::Update()
{
    return FAction != nullptr && FAction->Update();
}

void TBasicActionLink::ActionDestroying()
{
    SetAction(nullptr);
}

void TBasicActionLink::Change()
{
    if (OnChange) OnChange(FAction);
}

// ---- TBasicAction --------------------------------------------------------------------------

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction()
{
    Destroying();
    while (!FClients.empty()) {
        TBasicActionLink* link = FClients.back();
        // The link may free itself here (its client drops the action).
        link->ActionDestroying();
        if (!FClients.empty() && FClients.back() == link) {
            FClients.pop_back();
            link->FAction = nullptr;
        }
    }
}

bool TBasicAction::Execute()
{
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update()
{
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value)
{
    if (Value == nullptr || std::find(FClients.begin(), FClients.end(), Value) != FClients.end()) return;
    FClients.push_back(Value);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value)
{
    auto it = std::find(FClients.begin(), FClients.end(), Value);
    if (it != FClients.end()) FClients.erase(it);
}

void TBasicAction::Change()
{
    // A client may drop the action while it hears of the change: walk a copy.
    std::vector<TBasicActionLink*> clients = FClients;
    for (TBasicActionLink* link : clients)
        if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
    if (OnChange) OnChange(this);
}
