#include "skin/core/acThdTimer.h"

#include "framework/controls/Forms.h"

namespace {

bool ApplicationTerminating()
{
    return Application->Terminated();
}

} // namespace

// ---- TacTimerThread ---------------------------------------------------------------------------

TacTimerThread::TacTimerThread(TacThreadedTimer* AOwnerTimer)
    : TThread(true), OwnerTimer(AOwnerTimer), TimeEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      RunEvent(CreateEventW(nullptr, TRUE, TRUE, nullptr))
{
}

TacTimerThread::~TacTimerThread()
{
    CloseHandle(TimeEvent);
    CloseHandle(RunEvent);
}

void TacTimerThread::SetRunning(bool Value)
{
    if (Value) SetEvent(RunEvent);
    else ResetEvent(RunEvent);
}

bool TacTimerThread::WaitUntil(DWORD Start, DWORD Length)
{
    for (;;) {
        DWORD elapsed = GetTickCount() - Start;
        DWORD left = elapsed >= Length ? 0 : Length - elapsed;
        DWORD result = WaitForSingleObject(TimeEvent, left);
        if (result != WAIT_TIMEOUT) return false;
        // A longer interval set meanwhile lengthens the current wait.
        Length = Interval.load();
        if (GetTickCount() - Start >= Length) return true;
    }
}

bool TacTimerThread::WaitWhilePaused()
{
    HANDLE handles[2] = {TimeEvent, RunEvent};
    return WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
}

void TacTimerThread::Execute()
{
    while (!Terminated()) {
        if (!WaitWhilePaused()) return;
        const DWORD start = GetTickCount();
        if (!WaitUntil(start, Interval.load())) return;
        // Paused during the wait: the tick waits for the worker to run again (or for the stop).
        if (!Running()) {
            if (!WaitWhilePaused()) return;
        }
        bool goOn = true;
        Synchronize([&] { goOn = OwnerTimer->TickFromWorker(); });
        if (!goOn) return;
    }
}

// ---- TacThreadedTimer -------------------------------------------------------------------------

TacThreadedTimer::TacThreadedTimer(TComponent* AOwner) : TComponent(AOwner)
{
    if (ApplicationTerminating()) return;
    FEnabled = true;
    FInterval = 1000;
    StartWorker();
}

TacThreadedTimer::TacThreadedTimer(TComponent* AOwner, bool OwnHandler) : TacThreadedTimer(AOwner)
{
    SetEnabled(false);
    FOwner = AOwner;
    if (OwnHandler) SetOnTimer([this](TObject*) { TimeHandler(); });
}

TacThreadedTimer::~TacThreadedTimer()
{
    *FAlive = false;
    StopWorker();
}

void TacThreadedTimer::StartWorker()
{
    FTimerThread = std::make_unique<TacTimerThread>(this);
    FTimerThread->Interval = FInterval;
    FTimerThread->SetPriority(FThreadPriority);
    FTimerThread->Start();
}

void TacThreadedTimer::StopWorker()
{
    if (FTimerThread == nullptr) return;
    SetEvent(FTimerThread->TimeEvent);
    if (FInTick) {
        // Stopped from its own tick (a handler that resets or frees the timer): the worker
        // waits for this very tick to end, so it cannot be joined here. It ends by itself right
        // after the tick, without touching the timer again, and frees itself.
        FTimerThread->SetFreeOnTerminate(true);
        FTimerThread.release();
        return;
    }
    // Serves a tick the worker may be waiting in meanwhile, so the stop cannot deadlock.
    FTimerThread->WaitFor();
    FTimerThread.reset();
}

void TacThreadedTimer::UpdateRunState()
{
    if (FTimerThread == nullptr) return;
    FTimerThread->SetRunning(FInterval != 0 && FEnabled && FOnTimer);
}

void TacThreadedTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateRunState();
}

void TacThreadedTimer::SetInterval(std::uint32_t Value)
{
    if (Value == FInterval) return;
    FInterval = Value;
    if (FTimerThread != nullptr) FTimerThread->Interval = Value;
    UpdateRunState();
}

void TacThreadedTimer::SetThreadPriority(TThreadPriority Value)
{
    if (Value == FThreadPriority) return;
    FThreadPriority = Value;
    if (FTimerThread != nullptr) FTimerThread->SetPriority(Value);
    UpdateRunState();
}

void TacThreadedTimer::SetOnTimer(TNotifyEvent Value)
{
    FOnTimer = std::move(Value);
    UpdateRunState();
}

void TacThreadedTimer::Reset()
{
    StopWorker();
    StartWorker();
    UpdateRunState();
}

bool TacThreadedTimer::TickFromWorker()
{
    if (ApplicationTerminating()) return false;
    // Paused after the worker asked for this tick: a paused timer does not tick.
    if (FTimerThread == nullptr || !FTimerThread->Running()) return true;
    TacTimerThread* worker = FTimerThread.get();
    std::shared_ptr<bool> alive = FAlive;
    FInTick = true;
    Timer();
    // The handler may have freed the timer, or stopped or replaced this worker.
    if (!*alive) return false;
    FInTick = false;
    return FTimerThread.get() == worker;
}

void TacThreadedTimer::Timer()
{
    if (FOnTimer) FOnTimer(this);
}
