#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <vector>

#include "framework/classes/Thread.h"
#include "tests/support/MessagePump.h"

namespace {

// Runs the function it is given as its Execute.
class TFunctionThread : public TThread {
public:
    TFunctionThread(bool CreateSuspended, std::function<void(TFunctionThread&)> Body)
        : TThread(CreateSuspended), FBody(std::move(Body)) {}
    ~TFunctionThread() override
    {
        // Execute uses FBody: stop before it goes.
        if (Started() && !Finished() && !FreeOnTerminate()) {
            Terminate();
            WaitFor();
        }
        if (Destroyed) *Destroyed = true;
    }
    using TThread::Queue;
    using TThread::SetReturnValue;
    using TThread::Synchronize;
    std::atomic<bool>* Destroyed = nullptr;

protected:
    void Execute() override { FBody(*this); }

private:
    std::function<void(TFunctionThread&)> FBody;
};

} // namespace

TEST(Thread, SynchronizeRunsOnTheMainThreadWhileItPumpsMessages)
{
    ASSERT_EQ(GetCurrentThreadId(), MainThreadID);
    std::vector<DWORD> ranOn;
    DWORD workerId = 0;
    auto* thread = TThread::Create<TFunctionThread>(false, [&](TFunctionThread& self) {
        workerId = GetCurrentThreadId();
        for (int i = 0; i < 3; ++i)
            self.Synchronize([&] { ranOn.push_back(GetCurrentThreadId()); });
        self.SetReturnValue(17);
    });
    EXPECT_TRUE(kvltest::PumpUntil([&] { return thread->Finished(); }));
    EXPECT_EQ((std::vector<DWORD>{MainThreadID, MainThreadID, MainThreadID}), ranOn);
    EXPECT_NE(workerId, MainThreadID);
    EXPECT_EQ(workerId, thread->ThreadID());
    EXPECT_EQ(17u, thread->WaitFor());
    EXPECT_EQ(nullptr, thread->FatalException());
    delete thread;

    // On the main thread itself the call runs at once.
    bool direct = false;
    TThread::Synchronize(nullptr, [&] { direct = true; });
    EXPECT_TRUE(direct);
}

TEST(Thread, WaitForServesSynchronizeAndReturnsTheExitCode)
{
    int value = 0;
    TFunctionThread thread(true, [&](TFunctionThread& self) {
        self.Synchronize([&] { value = 5; });
        self.SetReturnValue(value * 2);
    });
    EXPECT_FALSE(thread.Started());
    EXPECT_THROW(thread.WaitFor(), EThread);
    thread.Start();
    EXPECT_THROW(thread.Start(), EThread);
    EXPECT_EQ(10u, thread.WaitFor());   // would deadlock if WaitFor did not run the call
    EXPECT_TRUE(thread.Finished());
}

TEST(Thread, ExceptionsInExecuteAreKeptAndSynchronizeRaisesInTheWorker)
{
    bool sawInWorker = false;
    TFunctionThread thread(true, [&](TFunctionThread& self) {
        try {
            self.Synchronize([] { throw EConvertError(L"from the GUI side"); });
        } catch (const EConvertError& e) {
            sawInWorker = e.Message() == L"from the GUI side";
        }
        throw EInvalidOperation(L"boom");
    });
    thread.Start();
    thread.WaitFor();
    EXPECT_TRUE(sawInWorker);
    ASSERT_NE(nullptr, thread.FatalException());
    try {
        std::rethrow_exception(thread.FatalException());
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(L"boom", e.Message());
    }
}

TEST(Thread, FreeOnTerminateDeletesItselfAfterOnTerminateRanOnTheMainThread)
{
    std::atomic<bool> destroyed{false};
    std::atomic<bool> destroyedBeforeOnTerminate{false};
    DWORD onTerminateThread = 0;
    auto* thread = new TFunctionThread(true, [](TFunctionThread&) {});
    thread->Destroyed = &destroyed;
    thread->SetFreeOnTerminate(true);
    thread->OnTerminate = [&](TObject* sender) {
        EXPECT_EQ(thread, sender);
        onTerminateThread = GetCurrentThreadId();
        destroyedBeforeOnTerminate = destroyed.load();
    };
    thread->Start();
    EXPECT_THROW(thread->WaitFor(), EThread);
    EXPECT_TRUE(kvltest::PumpUntil([&] { return destroyed.load(); }));
    EXPECT_EQ(MainThreadID, onTerminateThread);
    EXPECT_FALSE(destroyedBeforeOnTerminate);
}

TEST(Thread, DestroyingTerminatesAndWaitsAndNeverStartedThreadsNeverRun)
{
    std::atomic<bool> running{false};
    std::atomic<int> executed{0};
    {
        TFunctionThread loop(true, [&](TFunctionThread& self) {
            ++executed;
            running = true;
            while (!self.Terminated())
                Sleep(1);
        });
        loop.Start();
        while (!running)
            Sleep(1);
    }
    EXPECT_EQ(1, executed);
    {
        TFunctionThread idle(true, [&](TFunctionThread&) { ++executed; });
        idle.OnTerminate = [&](TObject*) { ++executed; };
    }
    EXPECT_EQ(1, executed);
}

TEST(Thread, QueuedCallsRunLaterOnTheMainThreadUnlessRemoved)
{
    std::vector<int> ran;
    std::atomic<bool> queued{false};
    TFunctionThread thread(true, [&](TFunctionThread& self) {
        self.Queue([&] { ran.push_back(1); });
        self.Queue([&] { ran.push_back(2); });
        queued = true;
    });
    thread.Start();
    while (!queued)
        Sleep(1);
    EXPECT_TRUE(ran.empty());   // nothing runs until the main thread looks
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ((std::vector<int>{1, 2}), ran);
    EXPECT_FALSE(CheckSynchronize());

    TThread::ForceQueue(&thread, [&] { ran.push_back(3); });
    TThread::ForceQueue(nullptr, [&] { ran.push_back(4); });
    TThread::RemoveQueuedEvents(&thread);
    EXPECT_TRUE(kvltest::PumpUntil([&] { return ran.size() == 3; }));
    EXPECT_EQ(4, ran.back());

    // An exception from a queued call surfaces in CheckSynchronize; the next call still runs.
    TThread::ForceQueue(nullptr, [] { throw EConvertError(L"queued"); });
    TThread::ForceQueue(nullptr, [&] { ran.push_back(5); });
    EXPECT_THROW(CheckSynchronize(), EConvertError);
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ(5, ran.back());

    // Only the GUI thread may run the calls.
    bool refused = false;
    TFunctionThread checker(true, [&](TFunctionThread&) {
        try {
            CheckSynchronize();
        } catch (const EThread&) {
            refused = true;
        }
    });
    checker.Start();
    checker.WaitFor();
    EXPECT_TRUE(refused);
}

TEST(Thread, PriorityIsReadBack)
{
    TFunctionThread thread(true, [](TFunctionThread&) {});
    thread.SetPriority(tpLower);
    EXPECT_EQ(tpLower, thread.Priority());
    thread.SetPriority(tpNormal);
    EXPECT_EQ(tpNormal, thread.Priority());
    EXPECT_NE(nullptr, thread.Handle());
}
