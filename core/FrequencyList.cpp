// A frequency counter of fixed-size keys: each key's total weight and the key that weighs most.
#include "core/FrequencyList.h"

#include <cstring>

void TFrequencyMemList::Add(const void* key, int32_t weight)
{
    // The most recent keys are the likeliest: searched from the last one.
    for (int32_t i = Count() - 1; i >= 0; --i) {
        if (std::memcmp(Key(i), key, size_t(KeySize)) != 0)
            continue;
        Counts[size_t(i)] += weight;
        if (Counts[size_t(i)] > HighestWeight) {
            HighestWeight = Counts[size_t(i)];
            Highest = i;
        }
        return;
    }
    const auto* bytes = static_cast<const uint8_t*>(key);
    Keys.insert(Keys.end(), bytes, bytes + KeySize);
    Counts.push_back(weight);
    if (Highest < 0 || weight > HighestWeight) {
        Highest = Count() - 1;
        HighestWeight = weight;
    }
}
