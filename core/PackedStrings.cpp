// Reading packed string tables.
#include "core/PackedStrings.h"

#include <algorithm>

#include "classlib/runtime/StringList.h"

namespace {

struct TPackedTable {
    TPackedTable(const void* table, size_t size)
        : Data(static_cast<const uint8_t*>(table)), Size(table ? size : 0)
    {
        if (Size >= 4) {
            const uint64_t n = Read(0);
            // Only as many strings as the ids and entries that fit.
            Count = static_cast<int32_t>(std::min<uint64_t>(n, (Size - 4) / 8));
        }
    }
    uint32_t Read(size_t offset) const
    {
        const uint8_t* p = Data + offset;
        return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
    }
    int32_t Id(int32_t index) const { return static_cast<int32_t>(Read(4 + 4 * static_cast<size_t>(index))); }
    std::string Text(int32_t index) const
    {
        const uint32_t entry = Read(4 + 4 * static_cast<size_t>(Count) + 4 * static_cast<size_t>(index));
        const size_t length = entry & 0xFF, offset = entry >> 8;
        if (offset > Size || length > Size - offset)
            return {};
        return std::string(reinterpret_cast<const char*>(Data + offset), length);
    }

    const uint8_t* Data;
    size_t Size;
    int32_t Count = 0;
};

} // namespace

std::string FindPackedString(const void* table, size_t size, int32_t id)
{
    const TPackedTable t(table, size);
    int32_t low = 0, high = t.Count - 1;
    while (low <= high) {
        const int32_t middle = low + (high - low) / 2;
        const int32_t found = t.Id(middle);
        if (found < id)
            low = middle + 1;
        else if (found > id)
            high = middle - 1;
        else
            return t.Text(middle);
    }
    return {};
}

void PackedStringsToList(const void* table, size_t size, TStringList& list)
{
    const TPackedTable t(table, size);
    list.Clear();
    for (int32_t i = 0; i < t.Count; ++i)
        list.Add(t.Text(i), t.Id(i));
}
