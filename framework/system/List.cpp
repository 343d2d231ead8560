#include "framework/system/List.h"

#include <algorithm>
#include <string>

TList::~TList()
{
    Clear();
}

void TList::Error(int Index)
{
    throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
}

void TList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count()) Error(Index);
}

int TList::Add(void* Item)
{
    int index = Count();
    FList.push_back(Item);
    if (Item != nullptr) Notify(Item, lnAdded);
    return index;
}

void TList::Insert(int Index, void* Item)
{
    if (Index < 0 || Index > Count()) Error(Index);
    FList.insert(FList.begin() + Index, Item);
    if (Item != nullptr) Notify(Item, lnAdded);
}

void TList::Delete(int Index)
{
    CheckIndex(Index);
    void* item = FList[static_cast<size_t>(Index)];
    FList.erase(FList.begin() + Index);
    if (item != nullptr) Notify(item, lnDeleted);
}

int TList::Remove(void* Item)
{
    int index = IndexOf(Item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* Item)
{
    int index = IndexOf(Item);
    if (index < 0) return nullptr;
    FList.erase(FList.begin() + index);
    Notify(Item, lnExtracted);
    return Item;
}

int TList::IndexOf(void* Item) const
{
    auto it = std::find(FList.begin(), FList.end(), Item);
    return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Clear()
{
    SetCount(0);
    FList.shrink_to_fit();
}

void TList::SetCount(int NewCount)
{
    if (NewCount < 0) throw EListError(L"List count out of bounds (" + std::to_wstring(NewCount) + L")");
    if (NewCount > Count()) {
        FList.resize(static_cast<size_t>(NewCount), nullptr);
        return;
    }
    // From the end, so a descendant's Notify sees a consistent list.
    for (int i = Count() - 1; i >= NewCount; --i) Delete(i);
}

void TList::SetCapacity(int NewCapacity)
{
    if (NewCapacity < Count())
        throw EListError(L"List capacity out of bounds (" + std::to_wstring(NewCapacity) + L")");
    if (static_cast<size_t>(NewCapacity) > FList.capacity())
        FList.reserve(static_cast<size_t>(NewCapacity));
    else
        FList.shrink_to_fit();
}

void* TList::Items(int Index) const
{
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)];
}

void TList::SetItems(int Index, void* Item)
{
    CheckIndex(Index);
    void* old = FList[static_cast<size_t>(Index)];
    if (old == Item) return;
    FList[static_cast<size_t>(Index)] = Item;
    if (old != nullptr) Notify(old, lnDeleted);
    if (Item != nullptr) Notify(Item, lnAdded);
}

void TList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    void* item = FList[static_cast<size_t>(CurIndex)];
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, item);
}

void TList::Pack()
{
    FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end());
}

void TList::Sort(const TListSortCompare& Compare)
{
    if (Count() < 2 || !Compare) return;
    std::stable_sort(FList.begin(), FList.end(), [&](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::Assign(const TList* Source)
{
    if (Source == this) return;
    Clear();
    if (Source == nullptr) return;
    FList.reserve(Source->FList.size());
    for (void* item : Source->FList) Add(item);
}

void TList::Notify(void*, TListNotification) {}
