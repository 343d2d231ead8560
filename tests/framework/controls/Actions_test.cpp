// Actions and their clients: a linked control shows the action's state and follows its changes,
// a click runs the action, idle time lets actions refresh themselves, and neither side keeps a
// pointer to the other once one is freed.
#include "framework/controls/ActionList.h"

#include <memory>
#include <vector>

#include "tests/framework/controls/ControlFixtures.h"
#include "tests/support/MessagePump.h"

using namespace kvltest;

namespace {

class Actions : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        List = new TActionList(Form);
        Action = new TAction(Form);
        Action->SetActionList(List);
        Action->SetCaption(L"Save");
        Action->SetHint(L"Save the month");
    }

    // Runs the application's message loop until it has gone idle at least once: a thread timer
    // wakes the idle wait.
    void RunIdleStep()
    {
        bool idled = false;
        TIdleEvent old = Application->OnIdle;
        Application->OnIdle = [&](TObject*, bool&) { idled = true; };
        UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
        for (int i = 0; i < 200 && !idled; ++i) Application->HandleMessage();
        KillTimer(nullptr, timer);
        // The idle step that ran OnIdle went on to the actions.
        Application->OnIdle = old;
        ASSERT_TRUE(idled);
    }

    TActionList* List = nullptr;
    TAction* Action = nullptr;
};

TEST_F(Actions, LinkedControlTakesTheActionsStateAndFollowsItsChanges)
{
    auto* control = Add<TSolidControl>(Form, 10, 10, 50, 20);
    control->SetAction(Action);
    EXPECT_EQ(Action, control->Action());
    EXPECT_TRUE(control->ControlStyle().Contains(csActionClient));
    EXPECT_EQ(L"Save", control->Caption());
    EXPECT_EQ(L"Save the month", control->Hint());

    Action->SetCaption(L"保存");
    Action->SetEnabled(false);
    Action->SetVisible(false);
    Action->SetHint(L"");
    EXPECT_EQ(L"保存", control->Caption());
    EXPECT_FALSE(control->Enabled());
    EXPECT_FALSE(control->Visible());
    EXPECT_EQ(L"", control->Hint());

    // A control that shows a value of its own is no longer linked for it.
    control->SetCaption(L"Mine");
    EXPECT_FALSE(control->ActionLink()->IsCaptionLinked());
    EXPECT_TRUE(control->ActionLink()->IsEnabledLinked());

    control->SetAction(nullptr);
    EXPECT_EQ(0, Action->ClientCount());
    EXPECT_FALSE(control->ControlStyle().Contains(csActionClient));
    Action->SetCaption(L"Later");
    EXPECT_EQ(L"Mine", control->Caption());
}

TEST_F(Actions, ClickRunsTheActionUnlessTheControlHasItsOwnOnClick)
{
    auto* control = Add<TSolidControl>(Form, 10, 10, 50, 20);
    control->SetAction(Action);
    std::vector<TComponent*> runs;
    Action->OnExecute = [&](TObject* Sender) { runs.push_back(static_cast<TBasicAction*>(Sender)->ActionComponent()); };
    control->Click();
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ(control, runs[0]);
    EXPECT_EQ(nullptr, Action->ActionComponent());

    // The list sees it first; Handled keeps the action's own event out.
    int listRuns = 0;
    List->OnExecute = [&](TBasicAction* A, bool& Handled) {
        ++listRuns;
        Handled = A == Action;
    };
    control->Click();
    EXPECT_EQ(1, listRuns);
    EXPECT_EQ(1u, runs.size());
    List->OnExecute = nullptr;

    // AutoCheck toggles on every run; a disabled action does not run.
    Action->SetAutoCheck(true);
    control->Click();
    EXPECT_TRUE(Action->Checked());
    control->Click();
    EXPECT_FALSE(Action->Checked());
    Action->SetEnabled(false);
    control->Click();
    EXPECT_EQ(3u, runs.size());
    EXPECT_FALSE(Action->Checked());

    // The control's own handler wins.
    Action->SetEnabled(true);
    int own = 0;
    control->OnClick = [&](TObject*) { ++own; };
    EXPECT_FALSE(control->ActionLink()->IsOnExecuteLinked());
    control->Click();
    EXPECT_EQ(1, own);
    EXPECT_EQ(3u, runs.size());
}

TEST_F(Actions, CheckingAnActionOfAGroupUnchecksTheOthersOfItsList)
{
    auto* second = new TAction(Form);
    second->SetActionList(List);
    auto* elsewhere = new TAction(Form);
    for (TCustomAction* a : {static_cast<TCustomAction*>(Action), static_cast<TCustomAction*>(second), static_cast<TCustomAction*>(elsewhere)})
        a->SetGroupIndex(1);
    Action->SetChecked(true);
    elsewhere->SetChecked(true);
    second->SetChecked(true);
    EXPECT_FALSE(Action->Checked());
    EXPECT_TRUE(second->Checked());
    // Not in the list: not in the group.
    EXPECT_TRUE(elsewhere->Checked());

    // AutoCheck leaves a checked action of a group checked.
    second->SetAutoCheck(true);
    second->Execute();
    EXPECT_TRUE(second->Checked());
    EXPECT_EQ(1, second->Index());
    second->SetIndex(0);
    EXPECT_EQ(0, second->Index());
    EXPECT_EQ(1, Action->Index());
}

TEST_F(Actions, IdleStepUpdatesTheActionsOfVisibleControlsAndTellsTheControls)
{
    auto* shown = Add<TSolidControl>(Form, 10, 10, 50, 20);
    auto* hidden = Add<TSolidControl>(Form, 10, 40, 50, 20);
    auto* hiddenAction = new TAction(Form);
    shown->SetAction(Action);
    hidden->SetAction(hiddenAction);
    hidden->SetVisible(false);
    int updates = 0, hiddenUpdates = 0;
    Action->OnUpdate = [&](TObject*) {
        ++updates;
        Action->SetEnabled(false);
    };
    hiddenAction->OnUpdate = [&](TObject*) { ++hiddenUpdates; };
    std::vector<LPARAM> told;
    TWndMethod old = shown->WindowProc;
    shown->WindowProc = [&](TMessage& M) {
        if (M.Msg == CM_ACTIONUPDATE) told.push_back(M.LParam);
        old(M);
    };

    // A form that is not shown updates nothing.
    RunIdleStep();
    EXPECT_EQ(0, updates);

    ShowActive();
    RunIdleStep();
    EXPECT_GE(updates, 1);
    EXPECT_EQ(0, hiddenUpdates);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(reinterpret_cast<LPARAM>(static_cast<TBasicAction*>(Action)), told.back());
    EXPECT_FALSE(shown->Enabled());

    // The list's OnUpdate comes first and may keep the action's own out.
    const int before = updates;
    bool listSaw = false;
    List->OnUpdate = [&](TBasicAction* A, bool& Handled) { listSaw = Handled = A == Action; };
    RunIdleStep();
    EXPECT_TRUE(listSaw);
    EXPECT_EQ(before, updates);
    shown->WindowProc = old;
}

TEST_F(Actions, FreeingEitherSideLeavesNoDanglingLink)
{
    auto* first = Add<TSolidControl>(Form, 10, 10, 50, 20);
    auto* second = Add<TSolidControl>(Form, 10, 40, 50, 20);
    first->SetAction(Action);
    second->SetAction(Action);
    EXPECT_EQ(2, Action->ClientCount());

    delete second;
    EXPECT_EQ(1, Action->ClientCount());

    delete Action;
    EXPECT_EQ(nullptr, first->Action());
    EXPECT_EQ(nullptr, first->ActionLink());
    EXPECT_EQ(0, List->ActionCount());
    int clicks = 0;
    first->OnClick = [&](TObject*) { ++clicks; };
    first->Click();
    EXPECT_EQ(1, clicks);

    // A list takes its actions with it.
    auto* listed = new TAction(Form);
    listed->SetActionList(List);
    first->SetAction(listed);
    const int components = Form->ComponentCount();
    delete List;
    EXPECT_EQ(nullptr, first->Action());
    EXPECT_EQ(components - 2, Form->ComponentCount());
}

TEST_F(Actions, FreedImagesLeaveTheActionList)
{
    auto* images = new TImageList(Form);
    int changes = 0;
    List->OnChange = [&](TObject*) { ++changes; };
    List->SetImages(images);
    EXPECT_EQ(1, changes);
    delete images;
    EXPECT_EQ(nullptr, List->Images());
    EXPECT_EQ(2, changes);

    // Images owned elsewhere are watched too.
    auto other = std::make_unique<TImageList>(nullptr);
    List->SetImages(other.get());
    other.reset();
    EXPECT_EQ(nullptr, List->Images());
}

TEST_F(Actions, AShortCutOfAnActionOfTheFormRunsIt)
{
    Action->SetShortCut(ShortCut(VK_F5, TShiftState()));
    int runs = 0;
    Action->OnExecute = [&](TObject*) { ++runs; };
    TMessage key{WM_KEYDOWN, VK_F5, 0, 0};
    EXPECT_TRUE(Form->IsShortCut(key));
    EXPECT_EQ(1, runs);
    // A disabled action still owns its key, but does not run.
    Action->SetEnabled(false);
    EXPECT_TRUE(Form->IsShortCut(key));
    EXPECT_EQ(1, runs);
    TMessage other{WM_KEYDOWN, VK_F6, 0, 0};
    EXPECT_FALSE(Form->IsShortCut(other));
}

} // namespace
