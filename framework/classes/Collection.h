#pragma once
// Collections: an ordered list of items of one kind that the collection creates, owns and
// frees (grid columns, drop-down items, hidden rows ...). Items report their changes to the
// collection, which tells its owner through Update / OnChange; BeginUpdate ... EndUpdate folds
// a batch of changes into one Update.
#include <functional>
#include <vector>

#include "framework/classes/Persistent.h"

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
    // Joins Collection (when given) quietly: the collection's Add / Insert announce the item
    // (Notify cnAdded, Update) once it is fully constructed. An item made on its own with a
    // null collection and then given one through SetCollection is announced there.
    explicit TCollectionItem(TCollection* Collection);
    // Leaves the collection (Notify cnExtracting, Update).
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to Value (or out of any collection for null); it gets a new ID there.
    virtual void SetCollection(TCollection* Value);
    // Unique within the collection that numbered it, never reused.
    int ID() const { return FID; }
    // Position in the collection, -1 outside one.
    int Index() const;
    // Moves the item to position Value; EListError when Value is out of range.
    virtual void SetIndex(int Value);
    // The text shown for the item in lists; the class name unless a class says better.
    virtual String DisplayName() const;
    virtual void SetDisplayName(const String& Value);

    TPersistent* GetOwner() override;

protected:
    // Reports a change of this item (or, with AllItems, of every item) to the collection.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

// Makes one item for a collection; the classic "item class".
using TCollectionItemClass = std::function<TCollectionItem*(TCollection* Collection)>;

template <class T>
TCollectionItemClass ItemClassOf()
{
    return [](TCollection* collection) -> TCollectionItem* { return new T(collection); };
}

class TCollection : public TPersistent {
public:
    explicit TCollection(TCollectionItemClass ItemClass);
    // Frees the items quietly (no Update).
    ~TCollection() override;

    const TCollectionItemClass& ItemClass() const { return FItemClass; }
    int Count() const { return static_cast<int>(FItems.size()); }
    // EListError when Index is out of range.
    TCollectionItem* Items(int Index) const;
    // Assigns Value into the item at Index.
    void SetItems(int Index, TCollectionItem* Value);

    // A new item at the end / at Index (Index = Count appends; EListError beyond).
    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    // Frees the item at Index (Notify cnDeleting first).
    void Delete(int Index);
    // Count new items at Index (Insert Count times, in one pass and with one Update).
    void InsertBlock(int Index, int Count);
    // Frees the Count items from Index, the last first, in one pass and with one Update.
    void DeleteBlock(int Index, int Count);
    void Clear();
    TCollectionItem* FindItemID(int ID) const;

    // Changes inside BeginUpdate ... EndUpdate cause one Update(null) at the outermost EndUpdate.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Clears this collection and adds and assigns one item per item of a TCollection Source.
    void Assign(TPersistent* Source) override;
    TPersistent* Owner() { return GetOwner(); }

    // Fired by Update.
    TNotifyEvent OnChange;

protected:
    // Item changed, or every item (Item null). The default fires OnChange.
    virtual void Update(TCollectionItem* Item);
    // Item was added, is being taken out, or is about to be freed by Delete / Clear. An item
    // taken out because it is being freed is no longer whole: compare the pointer only.
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
    // Update(null) unless updates are held.
    void Changed();

private:
    friend class TCollectionItem;
    // Links without notifying; Announce then tells Notify and Update.
    void LinkItem(TCollectionItem* Item);
    void Announce(TCollectionItem* Item);
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void CheckIndex(int Index, int Limit) const;

    TCollectionItemClass FItemClass;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
};

// A collection that knows the object it belongs to (a grid, a drop-down ...).
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass)
        : TCollection(std::move(ItemClass)), FOwner(AOwner) {}
    TPersistent* GetOwner() override { return FOwner; }

private:
    TPersistent* FOwner;
};
