#pragma once
// Unit acThdTimer: TacThreadedTimer, a timer whose ticks are timed by a worker thread instead of
// window timer messages, so that animations keep their pace while the interface thread sits in
// modal loops or long paints. The worker only waits and hands each tick to the interface thread
// through synchronisation; every property change, every tick and the worker's start and stop
// happen on the interface thread.
//
// The worker is never suspended by the system: a thread stopped wherever it stands may hold a
// lock the interface thread needs next. It pauses at its tick moments instead: a paused worker
// finishes its current wait, produces no tick and waits until it runs again (or stops); one that
// runs again while its wait has not ended continues that wait.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "framework/classes/Component.h"
#include "framework/classes/Thread.h"

class TacThreadedTimer;

class TacTimerThread : public TThread {
public:
    explicit TacTimerThread(TacThreadedTimer* AOwnerTimer);
    ~TacTimerThread() override;

    TacThreadedTimer* OwnerTimer;
    // Read by the worker at each wait.
    std::atomic<std::uint32_t> Interval{1000};
    // Manual reset; set to stop the worker at once.
    HANDLE TimeEvent;
    // Manual reset; set while ticks may run, reset to pause the worker.
    HANDLE RunEvent;

    bool Running() const { return WaitForSingleObject(RunEvent, 0) == WAIT_OBJECT_0; }
    void SetRunning(bool Value);

protected:
    void Execute() override;

private:
    // Waits until Deadline (tick count) unless stopped first; false when stopped.
    bool WaitUntil(DWORD Start, DWORD Length);
    // Waits while paused; false when stopped meanwhile.
    bool WaitWhilePaused();
};

class TacThreadedTimer : public TComponent {
public:
    // Starts the worker at once with interval 1000 (its ticks do nothing until OnTimer is set),
    // unless the application is already terminating.
    explicit TacThreadedTimer(TComponent* AOwner);
    // A disabled timer; with OwnHandler its ticks call TimeHandler.
    TacThreadedTimer(TComponent* AOwner, bool OwnHandler);
    ~TacThreadedTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Milliseconds between ticks; 0 holds the ticks back.
    std::uint32_t Interval() const { return FInterval; }
    void SetInterval(std::uint32_t Value);
    TThreadPriority ThreadPriority() const { return FThreadPriority; }
    void SetThreadPriority(TThreadPriority Value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent Value);
    // Restarts the worker: the next tick comes one full interval from now.
    void Reset();

    // The worker exists and produces ticks (it is not paused).
    bool WorkerRunning() const { return FTimerThread != nullptr && FTimerThread->Running(); }
    bool HasWorker() const { return FTimerThread != nullptr; }

    TObject* FOwner = nullptr;
    bool InHandler = false;

protected:
    // A descendant's tick work (for timers made with OwnHandler).
    virtual void TimeHandler() {}
    // One tick on the interface thread.
    virtual void Timer();

private:
    friend class TacTimerThread;
    // Called on the interface thread by the worker; false ends the worker.
    bool TickFromWorker();
    void StartWorker();
    void StopWorker();
    void UpdateRunState();

    // Inside a tick the worker asked for (the worker is blocked until it ends).
    bool FInTick = false;
    // Cleared when the timer goes, for a tick whose handler freed it.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    bool FEnabled = false;
    std::uint32_t FInterval = 0;
    TNotifyEvent FOnTimer;
    std::unique_ptr<TacTimerThread> FTimerThread;
    TThreadPriority FThreadPriority = tpNormal;
};
