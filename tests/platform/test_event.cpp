#include "platform/Event.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>

namespace warden {
namespace {

TEST(Event, ManualResetStaysSignalledUntilReset) {
    Event event(Event::ResetMode::Manual);
    EXPECT_FALSE(event.Wait(0));
    event.Set();
    EXPECT_TRUE(event.Wait(0));
    EXPECT_TRUE(event.Wait(0));
    event.Reset();
    EXPECT_FALSE(event.Wait(0));
}

TEST(Event, AutoResetReleasesOneWaitOnly) {
    Event event(Event::ResetMode::Auto, true);
    EXPECT_TRUE(event.IsSet());
    EXPECT_TRUE(event.Wait(0));
    EXPECT_FALSE(event.IsSet());
    EXPECT_FALSE(event.Wait(0));
}

TEST(Event, WaitTimesOutWhenNothingFires) {
    Event event;
    EXPECT_FALSE(event.Wait(5));
}

TEST(Event, SetFromAnotherThreadWakesAnInfiniteWait) {
    Event event;
    std::thread setter([&] { event.Set(); });
    EXPECT_TRUE(event.Wait(kInfinite));
    setter.join();
}

TEST(Event, WaitAnyReturnsTheIndexOfTheEventThatFired) {
    Event first, second, third(Event::ResetMode::Auto);
    std::array<Event*, 3> events{&first, &second, &third};
    EXPECT_EQ(Event::WaitAny(events, 0), kWaitTimeout);

    std::thread setter([&] { third.Set(); });
    EXPECT_EQ(Event::WaitAny(events, kInfinite), 2);
    setter.join();
    EXPECT_FALSE(third.IsSet()) << "an auto-reset event is consumed by the wait that it ended";

    second.Set();
    first.Set();
    EXPECT_EQ(Event::WaitAny(events, 0), 0) << "the lowest index wins when several are set";
}

TEST(Event, WaitAnyTimesOut) {
    Event first, second;
    std::array<Event*, 2> events{&first, &second};
    EXPECT_EQ(Event::WaitAny(events, 3), kWaitTimeout);
}

TEST(Event, ManyWaitersAreAllReleasedByAManualEvent) {
    Event event;
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i) {
        waiters.emplace_back([&] {
            if (event.Wait(kInfinite)) released.fetch_add(1);
        });
    }
    event.Set();
    for (auto& waiter : waiters) waiter.join();
    EXPECT_EQ(released.load(), 4);
}

}  // namespace
}  // namespace warden
