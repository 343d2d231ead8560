#pragma once
// TThread: a worker thread object. The worker runs Execute; everything that touches the user
// interface runs on the GUI thread through Synchronize (wait) or Queue (fire and forget). The
// GUI thread learns of pending calls through a message posted to a hidden utility window made
// at start-up on the main thread; CheckSynchronize runs them (its message loop calls it too).
//
// C++ runs no code after the most derived constructor, so a thread made with
// CreateSuspended = false starts in AfterConstruction: build it with TThread::Create<T>(...),
// or call AfterConstruction() (or Start()) at the end of the derived constructor. Likewise the
// derived destructor runs before this one: a class whose Execute uses its own members must
// Terminate() and WaitFor() in its destructor before those members go.
#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <utility>

#include "framework/system/Exceptions.h"
#include "framework/system/SystemTypes.h"

using TThreadMethod = std::function<void()>;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// The id of the thread that started the program (the GUI thread).
extern const DWORD MainThreadID;

class TThread : public TObject {
public:
    explicit TThread(bool CreateSuspended);
    ~TThread() override;

    // Makes a T and, unless it was created suspended, starts it once fully constructed.
    template <class T, class... Args>
    static T* Create(Args&&... args)
    {
        T* thread = new T(std::forward<Args>(args)...);
        thread->AfterConstruction();
        return thread;
    }
    // Starts the thread if it was created with CreateSuspended = false and has not started.
    void AfterConstruction();

    // Starts a thread created suspended. EThread when it already runs or has finished.
    void Start();
    // Start for a thread that has not started yet; does nothing otherwise.
    void Resume();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    // Waits until the thread ends and answers its exit code (ReturnValue). On the GUI thread it
    // keeps running synchronized calls meanwhile, so a worker waiting in Synchronize cannot
    // deadlock it. EThread for a FreeOnTerminate thread (it may already be gone).
    DWORD WaitFor();

    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
    HANDLE Handle() const { return FHandle; }
    DWORD ThreadID() const { return FThreadID; }
    TThreadPriority Priority() const;
    void SetPriority(TThreadPriority Value);
    bool Finished() const { return FFinished; }
    bool Started() const { return FStarted; }
    // The exception that ended Execute, or null.
    std::exception_ptr FatalException() const { return FFatalException; }

    // Runs after Execute on the GUI thread (through Synchronize), before a FreeOnTerminate
    // thread deletes itself.
    TNotifyEvent OnTerminate;

    // Runs Method on the GUI thread and waits for it; an exception it raises is raised again
    // here. On the GUI thread the method runs at once. AThread may be null.
    static void Synchronize(TThread* AThread, TThreadMethod Method);
    // Runs Method later on the GUI thread without waiting; on the GUI thread it runs at once.
    static void Queue(TThread* AThread, TThreadMethod Method);
    // Like Queue, but always later, even when called on the GUI thread.
    static void ForceQueue(TThread* AThread, TThreadMethod Method);
    // Drops the queued calls of AThread that have not run yet.
    static void RemoveQueuedEvents(TThread* AThread);

protected:
    virtual void Execute() = 0;
    // Fires OnTerminate through Synchronize.
    virtual void DoTerminate();
    void Synchronize(TThreadMethod Method) { Synchronize(this, std::move(Method)); }
    void Queue(TThreadMethod Method) { Queue(this, std::move(Method)); }
    int ReturnValue() const { return FReturnValue; }
    void SetReturnValue(int Value) { FReturnValue = Value; }

private:
    static unsigned __stdcall ThreadProc(void* Parameter);

    HANDLE FHandle = nullptr;
    DWORD FThreadID = 0;
    bool FCreateSuspended;
    std::atomic<bool> FStarted{false};
    std::atomic<bool> FAbandoned{false};
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    bool FFreeOnTerminate = false;
    int FReturnValue = 0;
    std::exception_ptr FFatalException;
};

// Runs the pending synchronized and queued calls; call on the GUI thread only (EThread
// otherwise). Waits up to Timeout ms for a first call when none is pending. Answers whether
// anything ran. An exception from a queued call is raised here after that call.
bool CheckSynchronize(int Timeout = 0);
