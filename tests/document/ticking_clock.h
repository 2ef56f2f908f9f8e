// A clock for tests whose every reading moves the time on by a fixed step.
#pragma once
#include <cstdint>

#include "document/TimeSlice.h"

class TTickingClock : public TClock {
public:
    explicit TTickingClock(int64_t step, int64_t start = 0) : FStep(step), FNow(start) {}
    int64_t NowMs() override { return FNow += FStep; }

private:
    int64_t FStep;
    int64_t FNow;
};
