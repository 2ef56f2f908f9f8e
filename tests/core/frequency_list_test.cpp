// The frequency counter: weights add up per key and the heaviest key is known at every step.
#include <gtest/gtest.h>

#include <string>

#include "core/FrequencyList.h"

TEST(FrequencyMemList, WeightsAddUpAndTheHeaviestKeyIsKept)
{
    TFrequencyMemList list(2);
    EXPECT_EQ(list.HighestIndex(), -1);
    const struct {
        const char* Key;
        int32_t Weight, Count, Highest, HighestCount;
    } steps[] = {
        {"ab", 4, 1, 0, 4}, // the first key is the heaviest
        {"cd", 2, 2, 0, 4}, // lighter: the first stays
        {"cd", 3, 2, 1, 5}, // the same key twice, 2 + 3, overtakes
        {"ab", 1, 2, 1, 5}, // a tie does not take over
        {"ax", 9, 3, 2, 9}, // keys differ in their second byte
    };
    for (const auto& s : steps) {
        list.Add(s.Key, s.Weight);
        EXPECT_EQ(list.Count(), s.Count) << s.Key;
        EXPECT_EQ(list.HighestIndex(), s.Highest) << s.Key;
        EXPECT_EQ(list.HighestCount(), s.HighestCount) << s.Key;
    }
    EXPECT_EQ(list.KeyCount(0), 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(list.Key(1)), 2), "cd");
}
