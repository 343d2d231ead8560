#pragma once
// Small guards that undo a change when a scope ends, whether it ends normally or by an exception.
// They replace hand-written "catch (...) { undo; throw; }" blocks: the undo is written once, beside
// the change it belongs to.
//
// An undo that runs user code (an EndUpdate that fires OnChange, a form's OnModalEnd) may throw.
// On a normal exit its exception leaves the scope as the plain call's would; while another
// exception is unwinding the scope it is dropped so that the first one goes on (two exceptions in
// flight would end the program).
#include <exception>
#include <utility>

namespace ScopeGuardsDetail {
template <class TAction>
void RunUndo(TAction& Action, int UncaughtAtStart)
{
    if (std::uncaught_exceptions() <= UncaughtAtStart) {
        Action();
        return;
    }
    try {
        Action();
    } catch (...) {
    }
}
} // namespace ScopeGuardsDetail

// Runs a callable when the scope ends (unless dismissed).
template <class TAction>
class TScopeExit {
public:
    explicit TScopeExit(TAction Action) : FAction(std::move(Action)) {}
    ~TScopeExit() noexcept(false)
    {
        if (FActive) ScopeGuardsDetail::RunUndo(FAction, FUncaught);
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;
    // The scope's work succeeded in a way that needs no undo.
    void Dismiss() { FActive = false; }

private:
    TAction FAction;
    int FUncaught = std::uncaught_exceptions();
    bool FActive = true;
};

// BeginUpdate on construction, EndUpdate on destruction, for anything that counts updates
// (string lists, collections).
template <class TUpdatable>
class TUpdateGuard {
public:
    explicit TUpdateGuard(TUpdatable& Target) : FTarget(Target) { FTarget.BeginUpdate(); }
    ~TUpdateGuard() noexcept(false)
    {
        auto end = [this] { FTarget.EndUpdate(); };
        ScopeGuardsDetail::RunUndo(end, FUncaught);
    }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
    TUpdatable& FTarget;
    int FUncaught = std::uncaught_exceptions();
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
