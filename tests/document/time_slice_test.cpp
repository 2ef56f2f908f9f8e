// Work in slices of bounded time, run against a clock that the test drives.
#include <gtest/gtest.h>

#include "document/TimeSlice.h"

namespace {

// Each reading moves the time on by a fixed step.
class TTickingClock : public TClock {
public:
    explicit TTickingClock(int64_t step) : FStep(step) {}
    int64_t NowMs() override { return FNow += FStep; }

private:
    int64_t FStep;
    int64_t FNow = 1000;
};

TEST(TimeSlice, StepsRunUntilTheBudgetIsSpent)
{
    TTickingClock clock(7);
    int calls = 0;
    EXPECT_EQ(RunTimeSlice(clock, 50, [&] { return ++calls < 100; }), 8);   // 7 x 8 = 56 >= 50
    EXPECT_EQ(calls, 8);
}

TEST(TimeSlice, StopsWhenTheWorkIsDoneAndAlwaysRunsOneStep)
{
    TTickingClock clock(7);
    int calls = 0;
    EXPECT_EQ(RunTimeSlice(clock, 50, [&] { return ++calls < 3; }), 3);
    TTickingClock slow(500);
    EXPECT_EQ(RunTimeSlice(slow, 50, [] { return true; }), 1);
    const int64_t a = SystemClock().NowMs();
    EXPECT_GE(SystemClock().NowMs(), a);
}

} // namespace
