#pragma once
// TComponent: the owned, named building block of forms. An owner keeps a list of the
// components it owns and frees them (last first) when it is freed; components tell each other
// when one joins or leaves an owner, and a component can ask to hear of another's
// destruction (free notification). The component state says what the component goes
// through (loading, destroying, designing ...).
//
// A component joining an owner is announced from inside its TComponent constructor, so the
// pointer in that opInsert notification is, like the one in a notification sent from
// ~TComponent, only good for comparison.
//
// C++ runs the derived destructors before ~TComponent: when owned components must go while
// this object's own members still live (controls with children), call DestroyComponents()
// from the derived destructor.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "framework/classes/Persistent.h"

// A set over a small enumeration (at most 64 members), with the classic set operations.
template <typename E>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> items)
    {
        for (E item : items)
            FBits |= Bit(item);
    }
    constexpr bool Contains(E item) const { return (FBits & Bit(item)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TEnumSet& Include(E item) { FBits |= Bit(item); return *this; }
    constexpr TEnumSet& Exclude(E item) { FBits &= ~Bit(item); return *this; }
    constexpr TEnumSet operator+(TEnumSet other) const { return FromBits(FBits | other.FBits); }
    constexpr TEnumSet operator-(TEnumSet other) const { return FromBits(FBits & ~other.FBits); }
    constexpr TEnumSet operator*(TEnumSet other) const { return FromBits(FBits & other.FBits); }
    constexpr bool operator==(const TEnumSet& other) const = default;
    constexpr std::uint64_t Bits() const { return FBits; }
    static constexpr TEnumSet FromBits(std::uint64_t bits)
    {
        TEnumSet set;
        set.FBits = bits;
        return set;
    }

private:
    static constexpr std::uint64_t Bit(E item) { return std::uint64_t(1) << static_cast<unsigned>(item); }
    std::uint64_t FBits = 0;
};

enum TComponentStateFlag {
    csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups,
    csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TEnumSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    // Joins AOwner's components when AOwner is given.
    explicit TComponent(TComponent* AOwner);
    // Marks itself destroying, tells those registered for free notification, frees its owned
    // components last first, and leaves its owner.
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    TPersistent* GetOwner() override { return FOwner; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    // EListError when Index is out of range.
    TComponent* Components(int Index) const;
    // Position in the owner's list, -1 without owner.
    int ComponentIndex() const;
    void SetComponentIndex(int Value);
    // Takes AComponent from its current owner (if any) into this one's list and tells every
    // owned component (opInsert). EComponentError when its name is taken here.
    void InsertComponent(TComponent* AComponent);
    // Tells every owned component (opRemove) and drops AComponent from the list.
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, last first.
    void DestroyComponents();
    // Case-insensitive; null for an empty name or when none matches.
    TComponent* FindComponent(const String& AName) const;

    const String& Name() const { return FName; }
    // A valid identifier or empty; EComponentError for a bad name, or when another component
    // of the same owner has it already (case-insensitive).
    virtual void SetName(const String& NewName);

    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t Value) { FTag = Value; }

    TComponentState ComponentState() const { return FComponentState; }
    // Marks this component and the components it owns as being destroyed.
    void Destroying();
    // Loading from a form description: csLoading (and csReading while properties are read).
    void SetLoading(bool Value);
    void SetReading(bool Value);
    void SetDesigning(bool Value, bool SetChildren = true);
    // Marks csUpdating; Updated clears it.
    void Updating();
    void Updated();

    // After loading: clears csLoading.
    virtual void Loaded();
    // AComponent joined (opInsert) or is leaving (opRemove) this component's owner, or it is a
    // component registered for free notification that is going. The default forwards to the
    // owned components and forgets a free-notification link on opRemove.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Links this component and AComponent both ways: when either is destroyed the other gets
    // Notification(it, opRemove). Components of the same owner hear of each other already.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

protected:
    // Raises EComponentError when NewName is taken among this component's components.
    virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
    virtual void ValidateInsert(TComponent* AComponent) {}
    virtual void ValidateContainer(TComponent* AComponent) {}
    void SetComponentStateFlag(TComponentStateFlag Flag, bool Value);

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    String FName;
    intptr_t FTag = 0;
    TComponentState FComponentState;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};
