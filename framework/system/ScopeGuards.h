#pragma once
// Small guards that undo a change when a scope ends, whether it ends normally or by an exception.
// They replace hand-written "catch (...) { undo; throw; }" blocks: the undo is written once, beside
// the change it belongs to.
#include <utility>

// Runs a callable when the scope ends (unless dismissed).
template <class TAction>
class TScopeExit {
public:
    explicit TScopeExit(TAction Action) : FAction(std::move(Action)) {}
    ~TScopeExit()
    {
        if (FActive) FAction();
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;
    // The scope's work succeeded in a way that needs no undo.
    void Dismiss() { FActive = false; }

private:
    TAction FAction;
    bool FActive = true;
};

// Includes a flag in a set for the lifetime of the guard (a control's state while it paints, a
// form's state while it shows). Works with any set that has Include and Exclude.
template <class TSet, class TFlag>
class TFlagGuard {
public:
    TFlagGuard(TSet& Set, TFlag Flag) : FSet(Set), FFlag(Flag) { FSet.Include(FFlag); }
    ~TFlagGuard() { FSet.Exclude(FFlag); }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    TSet& FSet;
    TFlag FFlag;
};

// Sets a variable for the lifetime of the guard and puts the old value back afterwards
// (re-entrancy flags, update counters held for one call).
template <class T>
class TValueRestore {
public:
    TValueRestore(T& Variable, T Value) : FVariable(Variable), FSaved(std::move(Variable)) { FVariable = std::move(Value); }
    ~TValueRestore() { FVariable = std::move(FSaved); }
    TValueRestore(const TValueRestore&) = delete;
    TValueRestore& operator=(const TValueRestore&) = delete;

private:
    T& FVariable;
    T FSaved;
};
