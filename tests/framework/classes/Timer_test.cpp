#include <gtest/gtest.h>

#include <memory>

#include "framework/classes/Timer.h"
#include "framework/classes/UtilityWindow.h"
#include "tests/support/MessagePump.h"

// Timers that must stay silent are checked against a reference timer of the same interval:
// once the reference has ticked a few times, a silent one would have ticked too.
TEST(Timer, FiresWhilePumpingAndOnlyWhenEnabledWithIntervalAndHandler)
{
    TComponent owner(nullptr);
    auto* reference = new TTimer(&owner);
    auto* disabled = new TTimer(&owner);
    auto* zero = new TTimer(&owner);
    auto* noHandler = new TTimer(&owner);
    EXPECT_TRUE(reference->Enabled());
    EXPECT_EQ(1000u, reference->Interval());

    int ticks = 0, disabledTicks = 0, zeroTicks = 0;
    TObject* sender = nullptr;
    for (TTimer* t : {reference, disabled, zero, noHandler})
        t->SetInterval(10);
    disabled->SetEnabled(false);
    zero->SetInterval(0);
    reference->OnTimer = [&](TObject* s) {
        sender = s;
        ++ticks;
    };
    disabled->OnTimer = [&](TObject*) { ++disabledTicks; };
    zero->OnTimer = [&](TObject*) { ++zeroTicks; };

    EXPECT_TRUE(kvltest::PumpUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(reference, sender);
    EXPECT_EQ(0, disabledTicks);
    EXPECT_EQ(0, zeroTicks);

    // Giving the handler-less timer a handler starts it; clearing the reference's stops it.
    int lateTicks = 0;
    noHandler->OnTimer = [&](TObject*) { ++lateTicks; };
    EXPECT_TRUE(kvltest::PumpUntil([&] { return lateTicks >= 2; }));
    reference->OnTimer = nullptr;
    int stoppedAt = ticks;
    disabled->SetEnabled(true);
    EXPECT_TRUE(kvltest::PumpUntil([&] { return disabledTicks >= 3; }));
    EXPECT_EQ(stoppedAt, ticks);
}

TEST(Timer, AHandlerMayFreeItsTimerAndDestructionStopsTicks)
{
    auto* oneShot = new TTimer(nullptr);
    oneShot->SetInterval(5);
    int shots = 0;
    oneShot->OnTimer = [&](TObject*) {
        ++shots;
        delete oneShot;
    };
    TTimer reference(nullptr);
    reference.SetInterval(5);
    int ticks = 0;
    reference.OnTimer = [&](TObject*) { ++ticks; };

    auto* owner = new TComponent(nullptr);
    auto* owned = new TTimer(owner);
    owned->SetInterval(5);
    int ownedTicks = 0;
    owned->OnTimer = [&](TObject*) { ++ownedTicks; };
    EXPECT_TRUE(kvltest::PumpUntil([&] { return ownedTicks >= 1; }));
    HWND ownedWindow = owned->Handle();
    delete owner;
    EXPECT_FALSE(IsWindow(ownedWindow));
    int ownedAtDeath = ownedTicks;

    EXPECT_TRUE(kvltest::PumpUntil([&] { return ticks >= 4; }));
    EXPECT_EQ(1, shots);
    EXPECT_EQ(ownedAtDeath, ownedTicks);
}

TEST(Timer, AnExceptionInOnTimerGoesToTheUtilityWindowHandler)
{
    String caught;
    UtilityWindowExceptionHandler = [&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const Exception& ex) {
            caught = ex.Message();
        }
    };
    TTimer timer(nullptr);
    timer.SetInterval(5);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        throw EConvertError(L"tick failed");
    };
    EXPECT_TRUE(kvltest::PumpUntil([&] { return !caught.empty(); }));
    EXPECT_EQ(L"tick failed", caught);
    UtilityWindowExceptionHandler = nullptr;
}
