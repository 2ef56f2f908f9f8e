// Fuzz target: a setup program's file table as it reads after inflating, checked entry by entry.
#include <cstdlib>
#include <vector>

#include "fuzz/Fuzzing.h"
#include "setup/PayloadFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The table's own offset comes first, then the table.
    if (size < 4)
        return 0;
    uint32_t tableOffset =
        uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24;
    std::vector<TPayloadEntry> entries;
    if (!ParsePayloadTable(data + 4, size - 4, tableOffset, entries))
        return entries.empty() ? 0 : (std::abort(), 0);
    // What the reader goes on with: safe names, streams in order, each ending at or before the table.
    for (size_t i = 0; i < entries.size(); ++i) {
        const TPayloadEntry& e = entries[i];
        if (!IsSafePayloadName(e.Name) || uint64_t(e.StreamOffset) + e.CompressedSize > tableOffset ||
            (i > 0 && e.StreamOffset <= entries[i - 1].StreamOffset))
            std::abort();
    }
    return 0;
}
