#pragma once
// Actions: a command (what a button or a menu item does) kept apart from the controls that
// offer it. A TBasicAction runs the command (Execute) and refreshes its own state before it is
// shown (Update); every client reaches it through a link of its own (TBasicActionLink), and the
// action tells each link when it changed, so the client can follow it.
//
// An action that goes away while clients are linked tells each link first (ActionDestroying),
// while it is still whole: a client never keeps a pointer to a freed action.
#include <vector>

#include "framework/classes/Component.h"

class TBasicAction;

class TBasicActionLink : public TObject {
public:
    TBasicActionLink() = default;
    // Leaves the action's list of clients.
    ~TBasicActionLink() override;
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    TBasicAction* Action() const { return FAction; }
    // Moves the link from its old action's clients to Value's.
    virtual void SetAction(TBasicAction* Value);
    // Runs the action on behalf of AComponent (the control that was clicked); true when
    // something handled it.
    virtual bool Execute(TComponent* AComponent = nullptr);
    // Lets the action refresh its state; true when something handled it.
    virtual bool Update();
    // The action is being freed. The default forgets it; a client's link lets the client drop
    // the action (and with it this link).
    virtual void ActionDestroying();

    // The action changed (Sender is the action).
    TNotifyEvent OnChange;

protected:
    friend class TBasicAction;
    virtual void Change();

    TBasicAction* FAction = nullptr;
};

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner);
    // Tells every linked client (ActionDestroying) before it goes.
    ~TBasicAction() override;

    // Runs OnExecute; true when it is assigned.
    virtual bool Execute();
    // Runs OnUpdate; true when it is assigned.
    virtual bool Update();
    // The component that started the Execute running now (the clicked control), else null.
    TComponent* ActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* Value) { FActionComponent = Value; }

    int ClientCount() const { return static_cast<int>(FClients.size()); }
    TBasicActionLink* Clients(int Index) const { return FClients.at(static_cast<size_t>(Index)); }
    void RegisterChanges(TBasicActionLink* Value);
    void UnRegisterChanges(TBasicActionLink* Value);

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;
    // The action changed (after its clients heard of it).
    TNotifyEvent OnChange;

protected:
    // Tells every client's link, then OnChange.
    virtual void Change();

    std::vector<TBasicActionLink*> FClients;

private:
    TComponent* FActionComponent = nullptr;
};
