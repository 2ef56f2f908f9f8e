// A clock for work done in slices on the user-interface thread, and the slice loop itself.
#pragma once
#include <cstdint>
#include <functional>

// Milliseconds from an arbitrary start; tests give their own clock so that slices run the same way on
// every machine.
class TClock {
public:
    virtual ~TClock() = default;
    virtual int64_t NowMs() = 0;
};

// The machine's monotonic clock.
TClock& SystemClock();

// Runs Step until it answers false (nothing left to do) or BudgetMs have passed since the slice began;
// at least one step runs. The number of steps run.
int32_t RunTimeSlice(TClock& clock, int32_t budgetMs, const std::function<bool()>& step);
