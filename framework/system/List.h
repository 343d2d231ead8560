#pragma once
// TList: the framework's growable list of untyped pointers. It owns nothing itself; a
// descendant that owns its items overrides Notify, which hears of every item that enters or
// leaves the list (and must call Clear in its own destructor, since a base destructor cannot
// reach the descendant's Notify).
#include <functional>
#include <vector>

#include "framework/system/Exceptions.h"
#include "framework/system/SystemTypes.h"

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Negative when Item1 sorts before Item2, 0 when equal, positive after.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
public:
    TList() = default;
    ~TList() override;

    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Removes the first occurrence of Item; returns its former index or -1.
    int Remove(void* Item);
    // Takes Item out without deleting it (Notify hears lnExtracted); returns Item or null.
    void* Extract(void* Item);
    int IndexOf(void* Item) const;
    void Clear();

    int Count() const { return static_cast<int>(FList.size()); }
    // Growing fills with nulls; shrinking deletes the items past the end.
    void SetCount(int NewCount);
    int Capacity() const { return static_cast<int>(FList.capacity()); }
    void SetCapacity(int NewCapacity);

    void* Items(int Index) const;
    void SetItems(int Index, void* Item);
    void* operator[](int Index) const { return Items(Index); }

    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }

    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    // Removes every null item.
    void Pack();
    void Sort(const TListSortCompare& Compare);
    // Makes this list a copy of Source's items.
    void Assign(const TList* Source);

    // The raw item array, for code that walks it quickly.
    void* const* List() const { return FList.data(); }

protected:
    virtual void Notify(void* Ptr, TListNotification Action);

private:
    [[noreturn]] static void Error(int Index);
    void CheckIndex(int Index) const;

    std::vector<void*> FList;
};
