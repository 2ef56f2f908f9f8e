// Tab stops packed in 32 bits, tables of them, and a document's register of shared tab tables.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Packed stop: position in twips in bits 0-23, kind in bits 24-27, leader in bits 28-31.
enum TTabKind : int32_t { tkLeft = 0, tkCenter = 1, tkRight = 2, tkDecimal = 3, tkBar = 4 };
enum TTabLeader : int32_t { tlNone = 0, tlDots = 1, tlHyphens = 2, tlUnderline = 3 };

// A position below 16 is stored as 15.
uint32_t PackTabStop(int32_t position, int32_t kind, int32_t leader);
void UnpackTabStop(uint32_t stop, int32_t& position, int32_t& kind, int32_t& leader);
inline int32_t TabStopPosition(uint32_t stop)
{
    return static_cast<int32_t>(stop & 0xFFFFFF);
}
inline int32_t TabStopKind(uint32_t stop)
{
    return static_cast<int32_t>((stop >> 24) & 0xF);
}

// What FindNextTab answers when no stop follows.
constexpr uint32_t NoTabStop = 0x7FFFFFFF;

// At most 50 packed stops, in the order they were added (until sorted).
class TTabTable {
public:
    static constexpr int MaxStops = 50;

    int Count() const { return static_cast<int>(Stops.size()); }
    uint32_t operator[](int index) const { return Stops[static_cast<size_t>(index)]; }
    bool operator==(const TTabTable& other) const = default;

    // Index of the last stop at that position, -1 when none.
    int IndexOf(int32_t position) const;
    bool HasTabAt(int32_t position) const { return IndexOf(position) >= 0; }
    void Assign(const TTabTable& other) { Stops = other.Stops; }
    // Adds a stop at the end unless the table is full or holds the same packed value; a position
    // below 15 becomes 15.
    void AddTab(uint32_t stop);
    void DeleteTab(int32_t position);
    void Clear() { Stops.clear(); }
    // Orders the stops by position (stops at one position keep their order).
    void Sort();
    // The first stop in table order, bar stops aside, after the position (or at it when inclusive);
    // NoTabStop when none.
    uint32_t FindNextTab(int32_t position, bool inclusive) const;

private:
    std::vector<uint32_t> Stops;
};

// The tab tables of a document (or of a style list), each registered once and named by its index,
// and the working table of the paragraph being laid out: its stops followed by default stops.
class TTabManager {
public:
    static constexpr int32_t StandardTabInterval = 720;
    // Stops are never placed beyond this distance from the text's left edge (22 inches).
    static constexpr int32_t MaxTabPosition = 31680;

    int Count() const { return static_cast<int>(Tables.size()); }
    // The registered table of an index from 0 to Count - 1.
    const TTabTable& Table(int index) const { return Tables[static_cast<size_t>(index)]; }
    // -1 for an empty table; else the index of an equal registered table (same stops in the same
    // order), or of a copy registered now.
    int RegisterTabTable(const TTabTable& table);

    // Default stops fall on the multiples of this interval in twips.
    int32_t DefaultTabInterval() const { return FDefaultTabInterval; }
    void SetDefaultTabInterval(int32_t interval) { FDefaultTabInterval = interval; }

    // The working table for a paragraph of that tab table (-1 none) and right indent: the table's
    // stops other than bar stops, before the limit of 31680 twips less the right indent (the first
    // one always), then default stops up to the limit (at least one). It is rebuilt only when the
    // table index, the right indent or the default interval differ from the last call; an interval
    // of 0 or less counts as 720.
    const TTabTable& BuildTabStops(int32_t tableIndex, int32_t rightIndent);
    const TTabTable& WorkingTable() const { return Working; }

private:
    std::vector<TTabTable> Tables;
    int32_t FDefaultTabInterval = StandardTabInterval;
    TTabTable Working;
    // What the working table was built for; the index INT32_MIN means not built yet.
    int32_t BuiltIndex = INT32_MIN;
    int32_t BuiltRightIndent = 0;
    int32_t BuiltInterval = 0;
};
