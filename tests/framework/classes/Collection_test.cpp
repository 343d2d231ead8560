#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/classes/Collection.h"

namespace {

class TValueItem : public TCollectionItem {
public:
    explicit TValueItem(TCollection* Collection) : TCollectionItem(Collection) { ++Live; }
    ~TValueItem() override { --Live; }
    int Value() const { return FValue; }
    void SetValue(int v)
    {
        FValue = v;
        Changed(false);
    }
    void Assign(TPersistent* Source) override
    {
        if (auto* item = dynamic_cast<TValueItem*>(Source)) {
            FValue = item->FValue;
            return;
        }
        TCollectionItem::Assign(Source);
    }
    String DisplayName() const override { return L"Value " + std::to_wstring(FValue); }
    static inline int Live = 0;

private:
    int FValue = 7;   // set by the constructor: must be in place when Notify sees the item
};

// Records what the collection is told, as "<what> <value>" lines.
class TRecordingCollection : public TOwnedCollection {
public:
    explicit TRecordingCollection(TPersistent* AOwner) : TOwnedCollection(AOwner, ItemClassOf<TValueItem>()) {}
    ~TRecordingCollection() override { Clear(); }   // while Notify still reaches this class
    std::vector<std::wstring> Log;

protected:
    void Update(TCollectionItem* Item) override
    {
        Log.push_back(Item ? L"update " + std::to_wstring(static_cast<TValueItem*>(Item)->Value()) : L"update all");
        TOwnedCollection::Update(Item);
    }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override
    {
        static const wchar_t* names[] = {L"added", L"extracting", L"deleting"};
        // An item being freed is only whole at cnDeleting; read values only then and on add.
        auto* value = dynamic_cast<TValueItem*>(Item);
        Log.push_back(std::wstring(names[Action]) + (value ? L" " + std::to_wstring(value->Value()) : L""));
    }
};

TValueItem* Item(TCollection& c, int i) { return static_cast<TValueItem*>(c.Items(i)); }

class CollectionTest : public ::testing::Test {
protected:
    void SetUp() override { TValueItem::Live = 0; }
    void TearDown() override { EXPECT_EQ(0, TValueItem::Live); }
};

} // namespace

TEST_F(CollectionTest, AddAnnouncesTheWholeItemAndDeleteTellsBeforeFreeing)
{
    TPersistent owner;
    TRecordingCollection c(&owner);
    EXPECT_EQ(&owner, c.Owner());

    auto* first = static_cast<TValueItem*>(c.Add());
    EXPECT_EQ((std::vector<std::wstring>{L"added 7", L"update all"}), c.Log);
    EXPECT_EQ(&c, first->Collection());
    EXPECT_EQ(&c, first->GetOwner());
    c.Add();
    c.Add();
    EXPECT_EQ(3, c.Count());
    EXPECT_EQ(3, TValueItem::Live);
    EXPECT_EQ((std::vector<int>{0, 1, 2}), (std::vector<int>{Item(c, 0)->ID(), Item(c, 1)->ID(), Item(c, 2)->ID()}));

    Item(c, 1)->SetValue(5);
    c.Log.clear();
    c.Delete(1);
    // The item is whole when told it is deleted, and already half gone when it leaves.
    EXPECT_EQ((std::vector<std::wstring>{L"deleting 5", L"extracting", L"update all"}), c.Log);
    EXPECT_EQ(2, c.Count());
    EXPECT_EQ(nullptr, c.FindItemID(1));
    EXPECT_EQ(Item(c, 1), c.FindItemID(2));
    EXPECT_EQ(3, c.Add()->ID());   // IDs are never reused

    EXPECT_THROW(c.Items(3), EListError);
    EXPECT_THROW(c.Delete(-1), EListError);
    EXPECT_EQ(L"Value 7", c.Items(0)->DisplayName());
}

TEST_F(CollectionTest, ItemChangesReachUpdateAndOnChangeOncePerOutermostEndUpdate)
{
    TRecordingCollection c(nullptr);
    int changes = 0;
    c.OnChange = [&](TObject* sender) {
        EXPECT_EQ(&c, sender);
        ++changes;
    };
    c.Add();
    c.Add();
    c.Log.clear();
    changes = 0;

    Item(c, 0)->SetValue(3);
    EXPECT_EQ(std::vector<std::wstring>{L"update 3"}, c.Log);
    EXPECT_EQ(1, changes);

    c.Log.clear();
    changes = 0;
    c.BeginUpdate();
    c.BeginUpdate();
    Item(c, 0)->SetValue(4);
    c.Add();
    c.Delete(0);
    c.EndUpdate();
    EXPECT_EQ(0, changes);
    c.EndUpdate();
    EXPECT_EQ(1, changes);
    EXPECT_EQ(L"update all", c.Log.back());
    EXPECT_EQ(2, c.Count());

    changes = 0;
    c.Clear();   // one update for the whole clear
    EXPECT_EQ(1, changes);
    EXPECT_EQ(0, c.Count());
}

TEST_F(CollectionTest, ItemsMoveWithinAndBetweenCollections)
{
    TRecordingCollection a(nullptr), b(nullptr);
    for (int v : {10, 11, 12, 13})
        static_cast<TValueItem*>(a.Add())->SetValue(v);

    Item(a, 0)->SetIndex(2);
    EXPECT_EQ((std::vector<int>{11, 12, 10, 13}),
              (std::vector<int>{Item(a, 0)->Value(), Item(a, 1)->Value(), Item(a, 2)->Value(), Item(a, 3)->Value()}));
    EXPECT_EQ(2, Item(a, 2)->Index());
    EXPECT_THROW(Item(a, 0)->SetIndex(4), EListError);

    auto* inserted = static_cast<TValueItem*>(a.Insert(1));
    EXPECT_EQ(1, inserted->Index());
    EXPECT_EQ(5, a.Count());
    EXPECT_THROW(a.Insert(6), EListError);

    b.Add();
    b.Add();
    b.Delete(0);
    a.Log.clear();
    b.Log.clear();
    TValueItem* moving = Item(a, 0);
    moving->SetCollection(&b);
    EXPECT_EQ(4, a.Count());
    EXPECT_EQ(2, b.Count());
    EXPECT_EQ(moving, b.Items(1));
    EXPECT_EQ(2, moving->ID());   // numbered by its new collection
    EXPECT_EQ((std::vector<std::wstring>{L"extracting 11", L"update all"}), a.Log);
    EXPECT_EQ((std::vector<std::wstring>{L"added 11", L"update all"}), b.Log);

    // An item on its own belongs to nobody until given a collection; deleting one directly
    // takes it out.
    auto* loose = new TValueItem(nullptr);
    EXPECT_EQ(-1, loose->Index());
    loose->SetCollection(&b);
    EXPECT_EQ(3, b.Count());
    delete b.Items(0);
    EXPECT_EQ(2, b.Count());
    EXPECT_EQ(moving, b.Items(0));
}

TEST_F(CollectionTest, AssignCopiesItemByItemAndRejectsOtherClasses)
{
    TRecordingCollection source(nullptr), target(nullptr);
    for (int v : {1, 2, 3})
        static_cast<TValueItem*>(source.Add())->SetValue(v);
    target.Add();
    target.Add();
    target.Add();
    target.Add();
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };

    target.Assign(&source);
    ASSERT_EQ(3, target.Count());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(i + 1, Item(target, i)->Value());
        EXPECT_NE(Item(source, i), Item(target, i));
    }
    EXPECT_EQ(1, changes);
    EXPECT_EQ(3, source.Count());

    TPersistent other;
    EXPECT_THROW(target.Assign(&other), EConvertError);
    EXPECT_EQ(3, target.Count());
}

TEST_F(CollectionTest, ItemsAreFreedWithTheCollectionExactlyOnce)
{
    {
        TCollection plain(ItemClassOf<TValueItem>());
        plain.Add();
        plain.Add();
        delete plain.Items(0);
        EXPECT_EQ(1, TValueItem::Live);
        EXPECT_EQ(nullptr, plain.Owner());
    }
    // TearDown checks that nothing is left and nothing was freed twice.
}
