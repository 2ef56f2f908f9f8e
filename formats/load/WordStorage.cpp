// Reading the start of a stream of a compound file: header, allocation tables, directory and the
// small-stream area, every sector number and chain checked against the file's size.
#include "formats/load/WordStorage.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kNoEntry = 0xFFFFFFFF;
constexpr int32_t kHeaderSize = 512, kEntrySize = 128, kHeaderTableEntries = 109;
constexpr uint8_t kStreamEntry = 2, kRootEntry = 5;

uint32_t Get32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Get16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

class TCompoundFile {
public:
    TCompoundFile(const TReadAt& read, int64_t size) : Read(read), Size(size) {}

    // The header and the allocation table.
    bool Open();
    bool ReadStreamStart(const std::string& name, int32_t count, std::vector<uint8_t>& bytes);

private:
    bool ReadSector(uint32_t sector, uint8_t* into);
    // The sectors of the chain from Start through Table, at most Limit of them; false on a broken chain.
    // A chain longer than MaxCount has a loop.
    bool Chain(uint32_t start, const std::vector<uint32_t>& table, size_t limit,
               std::vector<uint32_t>& sectors, size_t maxCount) const;
    bool ReadChain(uint32_t start, size_t limit, std::vector<uint8_t>& bytes);
    const uint8_t* FindRootChild(const std::vector<uint8_t>& directory, const std::string& name) const;

    const TReadAt& Read;
    int64_t Size;
    uint8_t Header[kHeaderSize] = {};
    int32_t SectorSize = 512;
    uint32_t SectorCount = 0;
    std::vector<uint32_t> Fat;
};

bool TCompoundFile::Open()
{
    if (Size < kHeaderSize || !Read(0, Header, kHeaderSize) || std::memcmp(Header, kSignature, 8) != 0)
        return false;
    const uint16_t major = Get16(Header + 0x1A), shift = Get16(Header + 0x1E);
    if (Get16(Header + 0x1C) != 0xFFFE || !((major == 3 && shift == 9) || (major == 4 && shift == 12)) ||
        Get16(Header + 0x20) != 6)
        return false;
    SectorSize = 1 << shift;
    SectorCount = static_cast<uint32_t>(std::min<int64_t>((Size - 1) / SectorSize, 0x7FFFFFFF));
    const uint32_t fatSectors = Get32(Header + 0x2C);
    if (fatSectors == 0 || fatSectors > SectorCount)
        return false;

    // The sectors of the allocation table: listed in the header, then in a chain of further lists.
    std::vector<uint32_t> tableSectors;
    for (int i = 0; i < kHeaderTableEntries && tableSectors.size() < fatSectors; ++i)
        tableSectors.push_back(Get32(Header + 0x4C + 4 * i));
    std::vector<uint8_t> sector(static_cast<size_t>(SectorSize));
    const int32_t perList = SectorSize / 4 - 1;
    uint32_t list = Get32(Header + 0x44);
    for (uint32_t steps = 0; tableSectors.size() < fatSectors; ++steps) {
        if (steps > SectorCount || !ReadSector(list, sector.data()))
            return false;
        for (int32_t i = 0; i < perList && tableSectors.size() < fatSectors; ++i)
            tableSectors.push_back(Get32(sector.data() + 4 * i));
        list = Get32(sector.data() + 4 * perList);
    }
    Fat.reserve(tableSectors.size() * static_cast<size_t>(SectorSize / 4));
    for (uint32_t s : tableSectors) {
        if (!ReadSector(s, sector.data()))
            return false;
        for (int32_t i = 0; i < SectorSize / 4; ++i)
            Fat.push_back(Get32(sector.data() + 4 * i));
    }
    return true;
}

bool TCompoundFile::ReadSector(uint32_t sector, uint8_t* into)
{
    if (sector >= SectorCount)
        return false;
    return Read((int64_t(sector) + 1) * SectorSize, into, SectorSize);
}

bool TCompoundFile::Chain(uint32_t start, const std::vector<uint32_t>& table, size_t limit,
                          std::vector<uint32_t>& sectors, size_t maxCount) const
{
    sectors.clear();
    uint32_t s = start;
    while (s != kEndOfChain && sectors.size() < limit) {
        // A chain longer than its table, or than the file has sectors, has a loop.
        if (s >= table.size() || sectors.size() > table.size() || sectors.size() > maxCount)
            return false;
        sectors.push_back(s);
        s = table[s];
    }
    return true;
}

bool TCompoundFile::ReadChain(uint32_t start, size_t limit, std::vector<uint8_t>& bytes)
{
    std::vector<uint32_t> sectors;
    if (!Chain(start, Fat, limit, sectors, SectorCount))
        return false;
    bytes.resize(sectors.size() * static_cast<size_t>(SectorSize));
    for (size_t i = 0; i < sectors.size(); ++i)
        if (!ReadSector(sectors[i], bytes.data() + i * static_cast<size_t>(SectorSize)))
            return false;
    return true;
}

// The entry of the root's child named Name (compared without regard to the case of ASCII letters).
const uint8_t* TCompoundFile::FindRootChild(const std::vector<uint8_t>& directory,
                                            const std::string& name) const
{
    const size_t entries = directory.size() / kEntrySize;
    if (entries == 0 || directory[0x42] != kRootEntry)
        return nullptr;
    std::vector<bool> seen(entries, false);
    std::vector<uint32_t> pending{Get32(directory.data() + 0x4C)};
    while (!pending.empty()) {
        const uint32_t id = pending.back();
        pending.pop_back();
        if (id >= entries || seen[id])
            continue;
        seen[id] = true;
        const uint8_t* e = directory.data() + size_t(id) * kEntrySize;
        pending.push_back(Get32(e + 0x44));
        pending.push_back(Get32(e + 0x48));
        const uint16_t length = Get16(e + 0x40);
        if (length != 2 * (name.size() + 1) || length > 64)
            continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i) {
            const uint16_t c = Get16(e + 2 * i);
            same = c < 128 && std::toupper(c) == std::toupper(static_cast<unsigned char>(name[i]));
        }
        if (same)
            return e;
    }
    return nullptr;
}

bool TCompoundFile::ReadStreamStart(const std::string& name, int32_t count, std::vector<uint8_t>& bytes)
{
    std::vector<uint8_t> directory;
    if (!ReadChain(Get32(Header + 0x30), SectorCount, directory))
        return false;
    const uint8_t* entry = FindRootChild(directory, name);
    if (!entry || entry[0x42] != kStreamEntry)
        return false;
    const uint64_t streamSize = Get16(Header + 0x1A) == 3
                                    ? Get32(entry + 0x78)
                                    : Get32(entry + 0x78) | uint64_t(Get32(entry + 0x7C)) << 32;
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(streamSize, uint64_t(std::max(count, 0))));
    const uint32_t start = Get32(entry + 0x74);
    if (streamSize >= Get32(Header + 0x38)) {
        if (!ReadChain(start, (wanted + SectorSize - 1) / SectorSize, bytes) || bytes.size() < wanted)
            return false;
        bytes.resize(wanted);
        return true;
    }
    // A small stream lives in 64-byte pieces of the root's stream, chained by the small allocation table.
    std::vector<uint8_t> smallTableBytes, area;
    if (!ReadChain(Get32(Header + 0x3C), SectorCount, smallTableBytes))
        return false;
    std::vector<uint32_t> smallTable(smallTableBytes.size() / 4);
    for (size_t i = 0; i < smallTable.size(); ++i)
        smallTable[i] = Get32(smallTableBytes.data() + 4 * i);
    std::vector<uint32_t> pieces;
    if (!Chain(start, smallTable, (wanted + 63) / 64, pieces, smallTable.size()))
        return false;
    if (!ReadChain(Get32(directory.data() + 0x74), SectorCount, area))
        return false;
    bytes.clear();
    for (uint32_t piece : pieces) {
        const size_t at = size_t(piece) * 64;
        if (at + 64 > area.size())
            return false;
        bytes.insert(bytes.end(), area.begin() + static_cast<std::ptrdiff_t>(at),
                     area.begin() + static_cast<std::ptrdiff_t>(at + 64));
    }
    if (bytes.size() < wanted)
        return false;
    bytes.resize(wanted);
    return true;
}

} // namespace

bool IsCompoundFile(const TReadAt& read, int64_t size)
{
    TCompoundFile file(read, size);
    return file.Open();
}

bool ReadCompoundStreamStart(const TReadAt& read, int64_t size, const std::string& name, int32_t count,
                             std::vector<uint8_t>& bytes)
{
    TCompoundFile file(read, size);
    return file.Open() && file.ReadStreamStart(name, count, bytes);
}

bool ReadCompoundStream(const TReadAt& read, int64_t size, const std::string& name,
                        std::vector<uint8_t>& bytes)
{
    TCompoundFile file(read, size);
    return file.Open() && file.ReadStreamStart(name, INT32_MAX, bytes);
}

bool IsWordStreamStart(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < 4)
        return false;
    const uint16_t id = Get16(bytes.data()), version = Get16(bytes.data() + 2);
    return (id == 0xA5DC || id == 0xA5EC) && version >= 101;
}
