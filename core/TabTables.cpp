// Packing of tab stops, table operations and the working table with its default stops.
#include "core/TabTables.h"

#include <algorithm>

uint32_t PackTabStop(int32_t position, int32_t kind, int32_t leader)
{
    uint32_t pos = position < 16 ? 15u : static_cast<uint32_t>(position) & 0xFFFFFF;
    return ((static_cast<uint32_t>(kind) & 0xF) << 24) | ((static_cast<uint32_t>(leader) & 0xF) << 28) | pos;
}

void UnpackTabStop(uint32_t stop, int32_t& position, int32_t& kind, int32_t& leader)
{
    position = TabStopPosition(stop);
    kind = TabStopKind(stop);
    leader = static_cast<int32_t>(stop >> 28);
}

int TTabTable::IndexOf(int32_t position) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (TabStopPosition(Stops[static_cast<size_t>(i)]) == position)
            return i;
    return -1;
}

void TTabTable::AddTab(uint32_t stop)
{
    if (Count() >= MaxStops)
        return;
    if (TabStopPosition(stop) < 15)
        stop = (stop & 0xFF000000) | 15;
    if (std::find(Stops.begin(), Stops.end(), stop) == Stops.end())
        Stops.push_back(stop);
}

void TTabTable::DeleteTab(int32_t position)
{
    int i = IndexOf(position);
    if (i >= 0)
        Stops.erase(Stops.begin() + i);
}

void TTabTable::Sort()
{
    std::stable_sort(Stops.begin(), Stops.end(),
                     [](uint32_t a, uint32_t b) { return TabStopPosition(a) < TabStopPosition(b); });
}

uint32_t TTabTable::FindNextTab(int32_t position, bool inclusive) const
{
    for (uint32_t stop : Stops) {
        int32_t p = TabStopPosition(stop);
        if (TabStopKind(stop) != tkBar && (p > position || (inclusive && p == position)))
            return stop;
    }
    return NoTabStop;
}

int TTabManager::RegisterTabTable(const TTabTable& table)
{
    if (table.Count() == 0)
        return -1;
    for (int i = 0; i < Count(); ++i)
        if (Tables[static_cast<size_t>(i)] == table)
            return i;
    Tables.push_back(table);
    return Count() - 1;
}

const TTabTable& TTabManager::BuildTabStops(int32_t tableIndex, int32_t rightIndent)
{
    const int32_t interval = FDefaultTabInterval > 0 ? FDefaultTabInterval : StandardTabInterval;
    if (BuiltIndex != INT32_MIN && BuiltIndex == tableIndex && BuiltRightIndent == rightIndent &&
        BuiltInterval == interval)
        return Working;
    Working.Clear();
    BuiltIndex = tableIndex;
    BuiltRightIndent = rightIndent;
    BuiltInterval = interval;

    const int64_t limit = static_cast<int64_t>(MaxTabPosition) - rightIndent;
    int64_t last = 0;
    if (tableIndex >= 0 && tableIndex < Count()) {
        const TTabTable& table = Tables[static_cast<size_t>(tableIndex)];
        for (int i = 0; i < table.Count(); ++i) {
            uint32_t stop = table[i];
            if (TabStopKind(stop) == tkBar)
                continue;
            if (TabStopPosition(stop) >= limit && Working.Count() > 0)
                break;
            Working.AddTab(stop);
            last = TabStopPosition(stop);
        }
    }
    // Default stops on the multiples of the interval after the last stop, up to the limit.
    for (;;) {
        int64_t next = (last + interval) / interval * interval;
        if (next > 0xFFFFFF || (Working.Count() > 0 && next > limit) ||
            Working.Count() >= TTabTable::MaxStops)
            break;
        Working.AddTab(PackTabStop(static_cast<int32_t>(next), tkLeft, tlNone));
        last = next;
    }
    return Working;
}
