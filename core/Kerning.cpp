// Kerning pairs of fonts and their cache.
#include "core/Kerning.h"

#include <algorithm>
#include <cstring>

#include "core/Fonts.h"

namespace {

TKerningPairsManager* GKerningPairsManager = nullptr;

constexpr int32_t PairSize = 8;

void WritePair(uint8_t* p, const TKerningPair& pair)
{
    const uint32_t amount = static_cast<uint32_t>(pair.Amount);
    p[0] = static_cast<uint8_t>(pair.First);
    p[1] = static_cast<uint8_t>(pair.First >> 8);
    p[2] = static_cast<uint8_t>(pair.Second);
    p[3] = static_cast<uint8_t>(pair.Second >> 8);
    for (int b = 0; b < 4; ++b)
        p[4 + b] = static_cast<uint8_t>(amount >> (8 * b));
}

uint16_t PairSecond(const uint8_t* p)
{
    return static_cast<uint16_t>(p[2] | p[3] << 8);
}

int32_t PairAmount(const uint8_t* p)
{
    return static_cast<int32_t>(uint32_t(p[4]) | uint32_t(p[5]) << 8 | uint32_t(p[6]) << 16 |
                                uint32_t(p[7]) << 24);
}

} // namespace

TSharedKerningPairs::TSharedKerningPairs(const TCharFormat& format, int32_t height, TFontDevice& device,
                                         TDCHandle dc)
    : Format(format)
{
    Format[cfSize] = height;
    std::vector<TKerningPair> pairs;
    device.ReadKerningPairs(dc, pairs);
    // Pairs of characters beyond the 8-bit range never meet in the text.
    pairs.erase(std::remove_if(pairs.begin(), pairs.end(),
                               [](const TKerningPair& p) { return p.First > 255 || p.Second > 255; }),
                pairs.end());
    std::stable_sort(pairs.begin(), pairs.end(), [](const TKerningPair& a, const TKerningPair& b) {
        return a.First != b.First ? a.First < b.First : a.Second < b.Second;
    });
    Pairs.SetSize(static_cast<int32_t>(pairs.size()) * PairSize);
    for (size_t i = 0; i < pairs.size(); ++i) {
        WritePair(Pairs.Data() + i * PairSize, pairs[i]);
        const uint8_t first = static_cast<uint8_t>(pairs[i].First);
        if (Count[first]++ == 0)
            Start[first] = static_cast<int32_t>(i);
    }
}

int32_t TSharedKerningPairs::GetKerning(uint8_t first, uint8_t second) const
{
    if (Count[first] == 0)
        return 0;
    const uint8_t* base = Pairs.Data() + static_cast<size_t>(Start[first]) * PairSize;
    for (int32_t i = Count[first] - 1; i >= 0; --i) {
        const uint8_t* p = base + static_cast<size_t>(i) * PairSize;
        const uint16_t s = PairSecond(p);
        if (s == second)
            return PairAmount(p);
        if (s < second)
            break;
    }
    return 0;
}

TSharedKerningPairs* TKerningPairsManager::SelectKerningPairs(const TCharFormat& format, int32_t height,
                                                              TDCHandle dc)
{
    TCharFormat key = format;
    key[cfSize] = height;
    if (FCurrent && SameFontFormat(FCurrent->Format, key)) {
        ++FCurrent->UseCount;
        return FCurrent;
    }
    for (auto& table : FTables)
        if (SameFontFormat(table->Format, key)) {
            FCurrent = table.get();
            ++FCurrent->UseCount;
            return FCurrent;
        }
    auto table = std::make_unique<TSharedKerningPairs>(format, height, GetFontManager().Device(), dc);
    if (static_cast<int>(FTables.size()) >= MaxCachedTables) {
        auto least = std::min_element(FTables.begin(), FTables.end(),
                                      [](const auto& a, const auto& b) { return a->UseCount < b->UseCount; });
        if (least->get() == FCurrent)
            FCurrent = nullptr;
        FTables.erase(least);
    }
    table->UseCount = 1;
    FCurrent = table.get();
    FTables.push_back(std::move(table));
    return FCurrent;
}

void TKerningPairsManager::SortByUse()
{
    std::stable_sort(FTables.begin(), FTables.end(),
                     [](const auto& a, const auto& b) { return a->UseCount > b->UseCount; });
}

void TKerningPairsManager::Clear()
{
    FTables.clear();
    FCurrent = nullptr;
}

TKerningPairsManager& GetKerningPairsManager()
{
    if (!GKerningPairsManager)
        GKerningPairsManager = new TKerningPairsManager;
    return *GKerningPairsManager;
}

void FreeKerningPairsManager()
{
    delete GKerningPairsManager;
    GKerningPairsManager = nullptr;
}
