#include "platform/WorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/Trace.h"

namespace warden {
namespace {

// The body every worker of the program follows: 1 ms waits on the stop event.
void PollUntilStopped(WorkerContext context) {
    auto* passes = static_cast<std::atomic<int>*>(context.owner);
    while (!context.stop->Wait(1)) passes->fetch_add(1);
}

TEST(WorkerThread, StopEndsAPollingThreadAndTracesTheOutcome) {
    TraceCapture trace;
    std::atomic<int> passes{0};
    WorkerThread worker;
    worker.Start(&passes, PollUntilStopped);
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_EQ(worker.Stop(), StopOutcome::Ended);
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(trace.Count("线程退出：：对象处于激发状态\n"), 1u);
}

TEST(WorkerThread, StartStopsTheRunningThreadFirstAndGivesAFreshStopEvent) {
    TraceCapture trace;
    std::atomic<int> passes{0};
    WorkerThread worker;
    worker.Start(&passes, PollUntilStopped);
    Event* firstStop = worker.StopEvent();
    worker.Start(&passes, PollUntilStopped);
    EXPECT_EQ(trace.Count("线程退出：：对象处于激发状态\n"), 1u);
    ASSERT_NE(worker.StopEvent(), nullptr);
    EXPECT_FALSE(worker.StopEvent()->IsSet());
    (void)firstStop;
}

TEST(WorkerThread, AnOverrunIsTracedAndStillJoined) {
    TraceCapture trace;
    Event release;
    WorkerThread worker;
    // A body that ignores its stop event until released: the bound passes.
    worker.Start(&release, [](WorkerContext context) {
        static_cast<Event*>(context.owner)->Wait(kInfinite);
    });
    std::thread releaser([&] {
        while (!trace.Contains("超时")) std::this_thread::yield();
        release.Set();
    });
    EXPECT_EQ(worker.Stop(10), StopOutcome::TimedOut);
    releaser.join();
    EXPECT_EQ(trace.Count("线程退出：：对象处于非激发状态，超时\n"), 1u);
    EXPECT_FALSE(worker.IsRunning());
}

TEST(WorkerThread, StoppingAnIdleWorkerDoesNothing) {
    TraceCapture trace;
    WorkerThread worker;
    EXPECT_EQ(worker.Stop(), StopOutcome::NotRunning);
    EXPECT_TRUE(trace.Entries().empty());
}

TEST(WorkerThread, SleepUnlessStoppedEndsAtOnceWhenStopped) {
    Event stop;
    stop.Set();
    EXPECT_TRUE(SleepUnlessStopped(stop, kInfinite));
    stop.Reset();
    EXPECT_FALSE(SleepUnlessStopped(stop, 1));
}

}  // namespace
}  // namespace warden
