// The machine's monotonic clock and the loop that runs work in slices of bounded time.
#include "document/TimeSlice.h"

#include <chrono>

namespace {

class TSteadyClock : public TClock {
public:
    int64_t NowMs() override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

} // namespace

TClock& SystemClock()
{
    static TSteadyClock clock;
    return clock;
}

int32_t RunTimeSlice(TClock& clock, int32_t budgetMs, const std::function<bool()>& step)
{
    const int64_t start = clock.NowMs();
    int32_t steps = 0;
    do {
        ++steps;
        if (!step())
            break;
    } while (clock.NowMs() - start < budgetMs);
    return steps;
}
