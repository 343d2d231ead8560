// The threaded timer: when its worker runs and pauses, ticks on the interface thread, the owned
// timer's own handler, and stopping without deadlock (a tick pending, a timer freed in its tick).
#include <gtest/gtest.h>

#include "skin/core/acThdTimer.h"

namespace {

// Serves the worker's ticks on this (the interface) thread for up to Ms milliseconds, or until
// Done answers true.
template <class TDone>
void ServeTicks(DWORD Ms, TDone Done)
{
    DWORD start = GetTickCount();
    while (!Done() && GetTickCount() - start < Ms) CheckSynchronize(5);
}
void ServeTicks(DWORD Ms)
{
    ServeTicks(Ms, [] { return false; });
}

TEST(ThreadedTimer, RunsOnlyWhenEnabledWithAnIntervalAndAHandler)
{
    struct TCase {
        bool Enabled;
        std::uint32_t Interval;
        bool Handler;
        bool Runs;
    };
    for (TCase c : {TCase{true, 5, true, true}, TCase{false, 5, true, false}, TCase{true, 0, true, false},
                    TCase{true, 5, false, false}}) {
        TacThreadedTimer timer(nullptr);
        int ticks = 0;
        timer.SetInterval(c.Interval);
        timer.SetEnabled(c.Enabled);
        timer.SetOnTimer(c.Handler ? TNotifyEvent([&](TObject*) { ++ticks; }) : TNotifyEvent());
        EXPECT_EQ(timer.WorkerRunning(), c.Runs) << c.Enabled << c.Interval << c.Handler;
        ServeTicks(150, [&] { return ticks >= 2; });
        EXPECT_EQ(ticks >= 2, c.Runs) << c.Enabled << c.Interval << c.Handler;
    }
}

TEST(ThreadedTimer, ATimerMadeForAnOwnerStartsDisabledAndTicksItsHandlerOnceEnabled)
{
    struct TCounting : TacThreadedTimer {
        TCounting() : TacThreadedTimer(nullptr, true) {}
        int Ticks = 0;
        void TimeHandler() override { ++Ticks; }
    } timer;
    EXPECT_FALSE(timer.Enabled());
    EXPECT_FALSE(timer.WorkerRunning());
    timer.SetInterval(5);
    ServeTicks(60);
    EXPECT_EQ(timer.Ticks, 0);
    timer.SetEnabled(true);
    ServeTicks(500, [&] { return timer.Ticks >= 3; });
    EXPECT_GE(timer.Ticks, 3);

    timer.SetEnabled(false);
    int before = timer.Ticks;
    ServeTicks(60);
    EXPECT_EQ(timer.Ticks, before);
}

TEST(ThreadedTimer, ATickPendingWhenPausedOrStoppedDoesNotRunAndNothingDeadlocks)
{
    int ticks = 0;
    auto timer = std::make_unique<TacThreadedTimer>(nullptr);
    timer->SetInterval(1);
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    // The worker asks for a tick and waits in the synchronisation while nobody serves it.
    Sleep(40);
    timer->SetEnabled(false);
    ServeTicks(40);
    EXPECT_EQ(ticks, 0);

    timer->SetEnabled(true);
    Sleep(40);
    // Stopping serves the pending tick instead of waiting for the worker forever.
    timer.reset();
    EXPECT_LE(ticks, 1);
}

TEST(ThreadedTimer, AHandlerMayResetOrFreeItsOwnTimer)
{
    auto* timer = new TacThreadedTimer(nullptr);
    int resets = 0;
    bool freed = false;
    timer->SetInterval(2);
    timer->SetOnTimer([&](TObject*) {
        if (resets < 2) {
            ++resets;
            timer->Reset();
            return;
        }
        freed = true;
        delete timer;
    });
    ServeTicks(2000, [&] { return freed; });
    EXPECT_EQ(resets, 2);
    EXPECT_TRUE(freed);
    ServeTicks(30);
}

TEST(ThreadedTimer, ResetRestartsTheWorkerWithItsSettings)
{
    TacThreadedTimer timer(nullptr);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    timer.SetInterval(3);
    timer.SetThreadPriority(tpHigher);
    timer.Reset();
    EXPECT_TRUE(timer.WorkerRunning());
    ServeTicks(500, [&] { return ticks >= 2; });
    EXPECT_GE(ticks, 2);
}

} // namespace
