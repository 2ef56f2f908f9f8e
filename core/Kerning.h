// Kerning pairs of fonts, read once per font and kept in a small cache with a current entry.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/FontDevice.h"
#include "core/Memory.h"
#include "core/FormatRecords.h"

// The kerning pairs of one font: the pairs as the system gives them (8 bytes each) and, for each first
// character, where its pairs start and how many there are, sorted by the second character.
class TSharedKerningPairs {
public:
    // Reads the pairs of the font selected into DC, made for Format (its size replaced by Height).
    TSharedKerningPairs(const TCharFormat& format, int32_t height, TFontDevice& device, TDCHandle dc);

    TCharFormat Format;
    TMemory Pairs;
    int32_t Start[256] = {};
    int32_t Count[256] = {};
    int32_t UseCount = 0;

    int32_t PairCount() const { return Pairs.Size() / 8; }
    // The amount of the pair, 0 when the font has none for it.
    int32_t GetKerning(uint8_t first, uint8_t second) const;
};

class TKerningPairsManager {
public:
    static constexpr int MaxCachedTables = 40;

    // Makes the pairs of the font for Format at Height (selected into DC by the caller) current,
    // reading them when they are not cached; counts the use.
    TSharedKerningPairs* SelectKerningPairs(const TCharFormat& format, int32_t height, TDCHandle dc);
    TSharedKerningPairs* Current() const { return FCurrent; }
    // Most used first.
    void SortByUse();
    void Clear();
    int Count() const { return static_cast<int>(FTables.size()); }

private:
    std::vector<std::unique_ptr<TSharedKerningPairs>> FTables;
    TSharedKerningPairs* FCurrent = nullptr;
};

// The program's kerning pairs manager, made on first use.
TKerningPairsManager& GetKerningPairsManager();
void FreeKerningPairsManager();
