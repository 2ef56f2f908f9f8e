// Work in slices of bounded time, run against a clock that the test drives.
#include <gtest/gtest.h>

#include "document/TimeSlice.h"
#include "ticking_clock.h"

namespace {

TEST(TimeSlice, StepsRunUntilTheBudgetIsSpent)
{
    TTickingClock clock(7, 1000);
    int calls = 0;
    EXPECT_EQ(RunTimeSlice(clock, 50, [&] { return ++calls < 100; }), 8); // 7 x 8 = 56 >= 50
    EXPECT_EQ(calls, 8);
}

TEST(TimeSlice, StopsWhenTheWorkIsDoneAndAlwaysRunsOneStep)
{
    TTickingClock clock(7, 1000);
    int calls = 0;
    EXPECT_EQ(RunTimeSlice(clock, 50, [&] { return ++calls < 3; }), 3);
    TTickingClock slow(500, 1000);
    EXPECT_EQ(RunTimeSlice(slow, 50, [] { return true; }), 1);
    const int64_t a = SystemClock().NowMs();
    EXPECT_GE(SystemClock().NowMs(), a);
}

} // namespace
