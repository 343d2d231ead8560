#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/classes/Component.h"

namespace {

// Records its own destruction and every notification it hears into a shared log, and counts
// live instances so a double free or a leak shows.
class TRecorder : public TComponent {
public:
    TRecorder(TComponent* AOwner, const String& AName, std::vector<String>* ALog)
        : TComponent(AOwner), FLog(ALog)
    {
        SetName(AName);
        ++Live;
    }
    ~TRecorder() override
    {
        // Only an owner being destroyed marks a component before its own destructor runs.
        String line = L"~" + Name();
        if (ComponentState().Contains(csDestroying))
            line += L" marked";
        FLog->push_back(line);
        --Live;
    }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        if (AComponent != this)
            FLog->push_back(Name() + (Operation == opRemove ? L" hears remove of " + NameOf(AComponent) : L" hears insert"));
        TComponent::Notification(AComponent, Operation);
    }
    // Names of components that may be half destroyed: only the recorders' own names are read
    // while they are whole, so look them up by pointer.
    static String NameOf(TComponent* c);
    static inline int Live = 0;
    static inline std::vector<std::pair<TComponent*, String>> Names;

private:
    std::vector<String>* FLog;
};

String TRecorder::NameOf(TComponent* c)
{
    for (auto& [p, n] : Names)
        if (p == c) return n;
    return L"?";
}

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TRecorder::Live = 0;
        TRecorder::Names.clear();
    }
    TRecorder* Make(TComponent* owner, const String& name)
    {
        auto* r = new TRecorder(owner, name, &Log);
        TRecorder::Names.emplace_back(r, name);
        return r;
    }
    std::vector<String> Log;
};

} // namespace

TEST_F(ComponentTest, OwnerFreesOwnedComponentsLastFirstWhileMarkedDestroying)
{
    TRecorder* owner = Make(nullptr, L"Owner");
    TRecorder* a = Make(owner, L"A");
    Make(owner, L"B");
    Make(a, L"AChild");
    Make(owner, L"C");
    ASSERT_EQ(3, owner->ComponentCount());
    EXPECT_EQ(a, owner->Components(0));
    EXPECT_EQ(2, owner->Components(2)->ComponentIndex());
    Log.clear();

    delete owner;

    // A derived destructor body runs before ~TComponent frees the owned components, so each
    // owner's body comes first; the owned ones follow last first, each marked destroying.
    std::vector<String> expected = {L"~Owner", L"~C marked", L"~B marked", L"~A marked", L"~AChild marked"};
    EXPECT_EQ(expected, Log);
    EXPECT_EQ(0, TRecorder::Live);
}

TEST_F(ComponentTest, DeletingAnOwnedComponentLeavesTheListAndTellsTheOthers)
{
    auto owner = std::make_unique<TComponent>(nullptr);
    TRecorder* a = Make(owner.get(), L"A");
    TRecorder* b = Make(owner.get(), L"B");
    TRecorder* c = Make(owner.get(), L"C");
    Log.clear();

    delete b;
    EXPECT_EQ(2, owner->ComponentCount());
    EXPECT_EQ(a, owner->Components(0));
    EXPECT_EQ(c, owner->Components(1));
    EXPECT_EQ(1, c->ComponentIndex());
    EXPECT_EQ(nullptr, owner->FindComponent(L"B"));
    // Both survivors hear of it; B itself is already past its own destructor.
    EXPECT_NE(std::find(Log.begin(), Log.end(), L"A hears remove of B"), Log.end());
    EXPECT_NE(std::find(Log.begin(), Log.end(), L"C hears remove of B"), Log.end());

    owner.reset();
    EXPECT_EQ(0, TRecorder::Live);
}

TEST_F(ComponentTest, InsertAndRemoveAreAnnouncedAndMovingChangesOwner)
{
    auto first = std::make_unique<TComponent>(nullptr);
    auto second = std::make_unique<TComponent>(nullptr);
    Make(first.get(), L"Listener1");
    Make(second.get(), L"Listener2");
    auto moving = std::make_unique<TComponent>(nullptr);
    moving->SetName(L"Moving");
    TRecorder::Names.emplace_back(moving.get(), L"Moving");
    Log.clear();

    first->InsertComponent(moving.get());
    EXPECT_EQ(std::vector<String>{L"Listener1 hears insert"}, Log);
    EXPECT_EQ(first.get(), moving->Owner());
    EXPECT_EQ(first.get(), moving->GetOwner());

    Log.clear();
    second->InsertComponent(moving.get());
    EXPECT_EQ((std::vector<String>{L"Listener1 hears remove of Moving", L"Listener2 hears insert"}), Log);
    EXPECT_EQ(1, first->ComponentCount());
    EXPECT_EQ(second.get(), moving->Owner());

    second->RemoveComponent(moving.get());
    EXPECT_EQ(nullptr, moving->Owner());
    EXPECT_EQ(-1, moving->ComponentIndex());
    EXPECT_EQ(1, second->ComponentCount());
}

TEST_F(ComponentTest, FreeNotificationWorksBothWaysAndOnlyOnce)
{
    auto formA = std::make_unique<TComponent>(nullptr);
    auto formB = std::make_unique<TComponent>(nullptr);
    TRecorder* grid = Make(formA.get(), L"Grid");
    TRecorder* menu = Make(formB.get(), L"Menu");
    TRecorder* list = Make(nullptr, L"List");

    grid->FreeNotification(menu);
    grid->FreeNotification(list);
    EXPECT_TRUE(grid->ComponentState().Contains(csFreeNotification));
    Log.clear();

    delete menu;   // the grid hears of the menu
    EXPECT_EQ((std::vector<String>{L"~Menu", L"Grid hears remove of Menu"}), Log);
    Log.clear();
    formB.reset();

    formA.reset();   // the list hears of the grid, the menu is not touched again
    EXPECT_EQ((std::vector<String>{L"~Grid marked", L"List hears remove of Grid"}), Log);

    // A removed link stays silent.
    TRecorder* x = Make(nullptr, L"X");
    TRecorder* y = Make(nullptr, L"Y");
    x->FreeNotification(y);
    x->RemoveFreeNotification(y);
    Log.clear();
    delete y;
    EXPECT_EQ(std::vector<String>{L"~Y"}, Log);
    delete x;
    delete list;
    EXPECT_EQ(0, TRecorder::Live);
}

TEST_F(ComponentTest, OwnerDestructionTellsSiblingsOnlyOfComponentsThatAskedForNotifications)
{
    auto* owner = new TComponent(nullptr);
    TRecorder* watcher = Make(owner, L"Watcher");
    Make(owner, L"Quiet");
    TRecorder* loud = Make(owner, L"Loud");
    loud->FreeNotification(watcher);   // same owner: only marks both
    Make(owner, L"Last");
    Log.clear();

    delete owner;
    EXPECT_EQ((std::vector<String>{L"~Last marked", L"Quiet hears remove of Loud", L"Watcher hears remove of Loud",
                                   L"~Loud marked", L"~Quiet marked", L"~Watcher marked"}),
              Log);
    EXPECT_EQ(0, TRecorder::Live);
}

TEST(ComponentNames, DuplicatesAreRejectedCaseInsensitivelyAndLookupIgnoresCase)
{
    TComponent owner(nullptr);
    auto* edit = new TComponent(&owner);
    auto* button = new TComponent(&owner);
    edit->SetName(L"Edit1");
    button->SetName(L"Button1");

    EXPECT_EQ(edit, owner.FindComponent(L"EDIT1"));
    EXPECT_EQ(button, owner.FindComponent(L"button1"));
    EXPECT_EQ(nullptr, owner.FindComponent(L""));
    EXPECT_EQ(nullptr, owner.FindComponent(L"Edit2"));

    try {
        button->SetName(L"edit1");
        FAIL() << "expected EComponentError";
    } catch (const EComponentError& e) {
        EXPECT_EQ(L"A component named edit1 already exists", e.Message());
    }
    EXPECT_EQ(L"Button1", button->Name());

    edit->SetName(L"EDIT1");   // same component, other case
    EXPECT_EQ(L"EDIT1", edit->Name());
    button->SetName(L"");
    new TComponent(&owner);    // several unnamed components are fine
    EXPECT_EQ(3, owner.ComponentCount());

    // Joining an owner that already has the name fails and leaves the component where it was.
    TComponent other(nullptr);
    auto* stranger = new TComponent(&other);
    stranger->SetName(L"Edit1");
    EXPECT_THROW(owner.InsertComponent(stranger), EComponentError);
    EXPECT_EQ(&other, stranger->Owner());

    // Without an owner any valid name goes.
    TComponent lone(nullptr);
    lone.SetName(L"Edit1");
    EXPECT_EQ(L"Edit1", lone.Name());
}

TEST(ComponentNames, InvalidIdentifiersAreRejected)
{
    TComponent c(nullptr);
    for (const wchar_t* bad : {L"1abc", L"a b", L"a-b", L"Ab.c", L" x", L"\u4e2d-x"}) {
        try {
            c.SetName(bad);
            ADD_FAILURE() << "accepted an invalid name";
        } catch (const EComponentError& e) {
            EXPECT_EQ(String(L"''") + bad + L"'' is not a valid component name", e.Message());
        }
    }
    for (const wchar_t* good : {L"_x", L"Grid1", L"a_1_B", L"\u4e0a\u73ed\u65e5\u671f", L"\u00e4bc"}) {
        c.SetName(good);
        EXPECT_EQ(good, c.Name());
    }
}

TEST(ComponentState, FlagsLoadedDesigningAndIndexing)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    auto* c = new TComponent(&owner);
    a->SetTag(-42);
    EXPECT_EQ(-42, a->Tag());
    EXPECT_THROW(owner.Components(3), EListError);
    EXPECT_THROW(owner.Components(-1), EListError);

    c->SetComponentIndex(0);
    EXPECT_EQ(c, owner.Components(0));
    EXPECT_EQ(a, owner.Components(1));
    b->SetComponentIndex(99);   // clamped to the end
    EXPECT_EQ(2, b->ComponentIndex());

    a->SetLoading(true);
    EXPECT_TRUE(a->ComponentState().Contains(csLoading));
    a->Loaded();
    EXPECT_FALSE(a->ComponentState().Contains(csLoading));

    owner.SetDesigning(true);
    EXPECT_TRUE(b->ComponentState().Contains(csDesigning));
    auto* late = new TComponent(&owner);
    EXPECT_TRUE(late->ComponentState().Contains(csDesigning));

    TComponentState set{csLoading, csUpdating};
    EXPECT_TRUE((set * TComponentState{csUpdating}).Contains(csUpdating));
    EXPECT_TRUE((set - TComponentState{csLoading, csUpdating}).Empty());
}
