#pragma once
// Action lists and the actions controls are linked to.
//
// TContainedAction is an action that may belong to an action list (TCustomActionList): the
// list sees its Execute and Update first (OnExecute / OnUpdate with Handled) and lends it its
// Images. TCustomAction adds the state its clients show (Caption, Checked, Enabled, GroupIndex,
// HelpContext, Hint, ImageIndex, ShortCut, Visible, AutoCheck, Category): changing any of it
// tells every linked client, first through the link's setter for that property (which passes the
// value on only while the client still shows the action's old value), then as a change of the
// whole action.
//
// TActionLink is the link of a client that shows an action's state, TControlActionLink the one
// of a control: caption, enabled, hint and visible are linked while the control shows the
// action's values, and a click runs the action while the control has no OnClick of its own.
#include <functional>

#include "framework/classes/BasicAction.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/ImageList.h"

class TCustomActionList;

// Handled set to true stops the action's own handling.
using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

class TContainedAction : public TBasicAction {
public:
    explicit TContainedAction(TComponent* AOwner);
    // Leaves its list.
    ~TContainedAction() override;

    TCustomActionList* ActionList() const { return FActionList; }
    // Moves the action from its list (if any) to the end of Value's.
    void SetActionList(TCustomActionList* Value);
    // Position in its list, -1 without one.
    int Index() const;
    void SetIndex(int Value);
    const String& Category() const { return FCategory; }
    void SetCategory(const String& Value);

    // The list's OnExecute (or OnUpdate) first; the action's own event when the list left it.
    bool Execute() override;
    bool Update() override;

    // A form description nests actions inside their list.
    void SetParentComponent(TComponent* AParent);

protected:
    friend class TCustomActionList;
    void Change() override;

private:
    TCustomActionList* FActionList = nullptr;
    String FCategory;
};

class TCustomAction : public TContainedAction {
public:
    explicit TCustomAction(TComponent* AOwner);

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    // Checking an action of a group (GroupIndex > 0) unchecks the others of its list's group.
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    // The image of the list's Images; -1 for none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // The key that runs the action while its list's form is active (scNone: none).
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Executing toggles Checked (a checked action of a group stays checked).
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }

    // Refreshes the state (Update), then runs only when enabled.
    bool Execute() override;

private:
    // Unchecks the other checked actions of the list in this action's group.
    void UncheckGroup();

    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    int FGroupIndex = 0;
    int FHelpContext = 0;
    String FHint;
    int FImageIndex = -1;
    TShortCut FShortCut = scNone;
    bool FVisible = true;
    bool FAutoCheck = false;
    // Set while the group is being unchecked, so that unchecking does not recurse.
    bool FChecking = false;
};

class TAction : public TCustomAction {
public:
    using TCustomAction::TCustomAction;
};

class TCustomActionList : public TComponent {
public:
    explicit TCustomActionList(TComponent* AOwner);
    // Frees its actions.
    ~TCustomActionList() override;

    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TContainedAction* Actions(int Index) const { return FActions.at(static_cast<size_t>(Index)); }
    // The images the actions' ImageIndex points into (watched: a freed list is forgotten).
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    // The list's say in running and refreshing one of its actions: true when its event handled it.
    virtual bool ExecuteAction(TBasicAction* Action);
    virtual bool UpdateAction(TBasicAction* Action);
    // Runs the enabled action whose ShortCut is ShortCut (after refreshing it); true when one ran.
    bool IsShortCut(TShortCut ShortCut);

    void Notification(TComponent* AComponent, TOperation Operation) override;

    TActionEvent OnExecute;
    TActionEvent OnUpdate;
    // The list or one of its actions changed.
    TNotifyEvent OnChange;

protected:
    friend class TContainedAction;
    void AddAction(TContainedAction* Action);
    void RemoveAction(TContainedAction* Action);
    // OnChange, and every action tells its clients (Images changed).
    virtual void Change();

private:
    std::vector<TContainedAction*> FActions;
    TCustomImageList* FImages = nullptr;
};

class TActionList : public TCustomActionList {
public:
    using TCustomActionList::TCustomActionList;
};

// The link of a client that shows a TCustomAction's state. Each Is...Linked says whether the
// client follows that property of the action; each Set... receives the action's new value
// before the action stores it, and passes it on only while linked (so a client whose own value
// was changed away from the action's keeps it). This base links everything of a TCustomAction
// and has nowhere to pass values; clients override what they show.
class TActionLink : public TBasicActionLink {
public:
    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsGroupIndexLinked();
    virtual bool IsHintLinked();
    virtual bool IsImageIndexLinked();
    virtual bool IsVisibleLinked();
    // A click of the client runs the action.
    virtual bool IsOnExecuteLinked();

    virtual void SetCaption(const String& Value) {}
    virtual void SetChecked(bool Value) {}
    virtual void SetEnabled(bool Value) {}
    virtual void SetGroupIndex(int Value) {}
    virtual void SetHint(const String& Value) {}
    virtual void SetImageIndex(int Value) {}
    virtual void SetVisible(bool Value) {}

protected:
    // The action as a TCustomAction (null for any other action).
    TCustomAction* CustomAction() const;
};

// The link between a control and its Action (TControl::SetAction makes it).
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* AClient) : FClient(AClient) {}
    TControl* Client() const { return FClient; }

    bool IsCaptionLinked() override;
    bool IsEnabledLinked() override;
    bool IsHintLinked() override;
    bool IsVisibleLinked() override;
    // The control's own OnClick wins over the action.
    bool IsOnExecuteLinked() override;

    void SetCaption(const String& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const String& Value) override;
    void SetVisible(bool Value) override;

    // The control drops its Action (and frees this link).
    void ActionDestroying() override;

protected:
    TControl* FClient;
};
