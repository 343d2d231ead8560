// TControl's side of actions: linking a control to an action, taking the action's state, and
// letting the action refresh itself at idle time.
#include "framework/controls/ActionList.h"
#include "framework/controls/Controls.h"

TBasicAction* TControl::Action() const
{
    return FActionLink != nullptr ? FActionLink->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* Value)
{
    if (Value == nullptr) {
        FActionLink.reset();
        FControlStyle.Exclude(csActionClient);
        return;
    }
    FControlStyle.Include(csActionClient);
    if (FActionLink == nullptr) FActionLink = CreateActionLink();
    FActionLink->SetAction(Value);
    FActionLink->OnChange = [this](TObject* Sender) {
        if (Sender == Action()) ActionChange(Sender, false);
    };
    ActionChange(Value, Value->ComponentState().Contains(csLoading));
}

std::unique_ptr<TControlActionLink> TControl::CreateActionLink()
{
    return std::make_unique<TControlActionLink>(this);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (action == nullptr) return;
    // A caption equal to the name is the one a new control gets, not one the form gave it.
    if (!CheckDefaults || Caption().empty() || Caption() == Name()) SetCaption(action->Caption());
    if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
    if (!CheckDefaults || Hint().empty()) SetHint(action->Hint());
    if (!CheckDefaults || Visible()) SetVisible(action->Visible());
}

void TControl::InitiateAction()
{
    if (FActionLink == nullptr) return;
    FActionLink->Update();
    // OnUpdate may have dropped the action.
    if (TBasicAction* action = Action()) Perform(CM_ACTIONUPDATE, 0, reinterpret_cast<LPARAM>(action));
}
