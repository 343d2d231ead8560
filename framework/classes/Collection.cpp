#include "framework/classes/Collection.h"

#include <algorithm>
#include <iterator>

#include "framework/system/Conversions.h"
#include "framework/system/ScopeGuards.h"

TCollectionItem::TCollectionItem(TCollection* Collection)
{
    if (Collection != nullptr)
        Collection->LinkItem(this);
}

TCollectionItem::~TCollectionItem()
{
    if (FCollection != nullptr)
        FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (Value == FCollection)
        return;
    if (FCollection != nullptr)
        FCollection->RemoveItem(this);
    if (Value != nullptr)
        Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
    if (FCollection == nullptr)
        return -1;
    auto& items = FCollection->FItems;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    int current = Index();
    if (current < 0 || current == Value)
        return;
    auto& items = FCollection->FItems;
    FCollection->CheckIndex(Value, static_cast<int>(items.size()) - 1);
    items.erase(items.begin() + current);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

String TCollectionItem::DisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const String& Value) { Changed(false); }

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection != nullptr && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TCollectionItemClass ItemClass) : FItemClass(std::move(ItemClass)) {}

TCollection::~TCollection()
{
    FUpdateCount = 1;
    while (!FItems.empty()) {
        TCollectionItem* item = FItems.back();
        FItems.pop_back();
        item->FCollection = nullptr;
        delete item;
    }
}

void TCollection::CheckIndex(int Index, int Limit) const
{
    if (Index < 0 || Index > Limit)
        throw EListError(L"List index out of bounds (" + IntToStr(Index) + L")");
}

TCollectionItem* TCollection::Items(int Index) const
{
    CheckIndex(Index, Count() - 1);
    return FItems[static_cast<size_t>(Index)];
}

void TCollection::SetItems(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

TCollectionItem* TCollection::Add()
{
    TCollectionItem* item = FItemClass(this);
    if (item->FCollection != this)
        item->SetCollection(this);
    else
        Announce(item);
    return item;
}

TCollectionItem* TCollection::Insert(int Index)
{
    CheckIndex(Index, Count());
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

void TCollection::Delete(int Index)
{
    TCollectionItem* item = Items(Index);
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::InsertBlock(int Index, int Count)
{
    CheckIndex(Index, this->Count());
    if (Count <= 0)
        return;
    TUpdateGuard<TCollection> update(*this);
    int first = this->Count();
    for (int i = 0; i < Count; ++i)
        Add();
    std::rotate(FItems.begin() + Index, FItems.begin() + first, FItems.end());
}

void TCollection::DeleteBlock(int Index, int Count)
{
    if (Count <= 0)
        return;
    CheckIndex(Index, this->Count() - 1);
    CheckIndex(Index + Count - 1, this->Count() - 1);
    TUpdateGuard<TCollection> update(*this);
    // At the back each item leaves the list without a search.
    std::rotate(FItems.begin() + Index, FItems.begin() + Index + Count, FItems.end());
    for (int i = 0; i < Count; ++i) {
        TCollectionItem* item = FItems.back();
        Notify(item, cnDeleting);
        delete item;
    }
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    TUpdateGuard<TCollection> update(*this);
    while (!FItems.empty()) {
        TCollectionItem* item = FItems.back();
        Notify(item, cnDeleting);
        delete item;
    }
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* item : FItems)
        if (item->FID == ID)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    Changed();
}

void TCollection::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TCollection*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    TUpdateGuard<TCollection> update(*this);
    Clear();
    for (TCollectionItem* item : source->FItems)
        Add()->Assign(item);
}

void TCollection::Update(TCollectionItem* Item)
{
    if (OnChange)
        OnChange(this);
}

void TCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::LinkItem(TCollectionItem* Item)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
}

void TCollection::Announce(TCollectionItem* Item)
{
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    LinkItem(Item);
    Announce(Item);
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    Notify(Item, cnExtracting);
    // Searched from the back: a collection frees its items last first, so that stays linear.
    auto it = std::find(FItems.rbegin(), FItems.rend(), Item);
    if (it != FItems.rend())
        FItems.erase(std::next(it).base());
    Item->FCollection = nullptr;
    Changed();
}
