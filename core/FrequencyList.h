// A frequency counter of fixed-size keys: each key's total weight and the key that weighs most.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class TFrequencyMemList {
public:
    explicit TFrequencyMemList(int32_t keySize) : KeySize(keySize > 0 ? keySize : 1) {}

    // Adds Weight to the key of KeySize bytes at Key (a new key starts at Weight).
    void Add(const void* key, int32_t weight);

    int32_t Count() const { return static_cast<int32_t>(Counts.size()); }
    const uint8_t* Key(int32_t index) const { return Keys.data() + size_t(index) * size_t(KeySize); }
    int32_t KeyCount(int32_t index) const { return Counts[size_t(index)]; }
    // The key that weighs most (-1 while the list is empty) and its weight.
    int32_t HighestIndex() const { return Highest; }
    int32_t HighestCount() const { return HighestWeight; }

    const int32_t KeySize;

private:
    std::vector<uint8_t> Keys; // the keys back to back
    std::vector<int32_t> Counts;
    int32_t Highest = -1;
    int32_t HighestWeight = 0;
};
