#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace warden {
namespace {

TEST(Clock, ManualClockReplacesTheProcessClockForItsScope) {
    ManualClock manual(1000);
    {
        ScopedClock scope(manual);
        EXPECT_EQ(GetTickCount(), 1000u);
        Sleep(250);  // sleeping advances a manual clock instead of blocking
        EXPECT_EQ(GetTickCount(), 1250u);
        manual.Advance(5);
        EXPECT_EQ(GetTickCount(), 1255u);
    }
    EXPECT_EQ(&CurrentClock() == &manual, false);
}

TEST(Clock, ManualClockWrapsLikeATickCount) {
    ManualClock manual(0xFFFFFFF0u);
    manual.Advance(0x20);
    EXPECT_EQ(manual.TickCount(), 0x10u);
}

TEST(Clock, SystemClockIsMonotonic) {
    const uint32_t first = GetTickCount();
    const uint32_t second = GetTickCount();
    EXPECT_LE(static_cast<uint32_t>(second - first), 1000u);
}

}  // namespace
}  // namespace warden
