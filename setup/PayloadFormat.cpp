// Writing the payload and checking its file table.
#include "setup/PayloadFormat.h"

#include <zlib.h>

#include <cstring>
#include <stdexcept>

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutDouble(std::vector<uint8_t>& out, double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

uint32_t GetU32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

double GetDouble(const uint8_t* p)
{
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= uint64_t(p[i]) << (8 * i);
    double value;
    std::memcpy(&value, &bits, 8);
    return value;
}

void PutEntry(std::vector<uint8_t>& table, const std::string& name, uint32_t size, double time,
              uint32_t offset)
{
    table.push_back(static_cast<uint8_t>(name.size()));
    table.insert(table.end(), name.begin(), name.end());
    PutU32(table, size);
    PutDouble(table, time);
    PutU32(table, offset);
}

uint32_t CheckedOffset(size_t offset)
{
    if (offset > 0xFFFFFFFFu)
        throw std::runtime_error("setup file larger than 4 GiB");
    return static_cast<uint32_t>(offset);
}

} // namespace

std::vector<uint8_t> CompressBlock(const uint8_t* data, size_t size)
{
    uLongf length = compressBound(static_cast<uLong>(size));
    std::vector<uint8_t> out(length);
    static const uint8_t empty = 0;
    if (compress2(out.data(), &length, size ? data : &empty, static_cast<uLong>(size), Z_BEST_COMPRESSION) !=
        Z_OK)
        throw std::runtime_error("compression failed");
    out.resize(length);
    return out;
}

void AppendPayload(std::vector<uint8_t>& setup, const std::vector<TPayloadItem>& items)
{
    std::vector<uint8_t> table;
    for (const TPayloadItem& item : items) {
        if (!IsSafePayloadName(item.Name) || item.Name.size() > 255 || item.Data.size() > 0xFFFFFFFFu)
            throw std::runtime_error("file not fit for the payload: " + item.Name);
        uint32_t offset = CheckedOffset(setup.size());
        std::vector<uint8_t> stream = CompressBlock(item.Data.data(), item.Data.size());
        setup.insert(setup.end(), stream.begin(), stream.end());
        PutEntry(table, item.Name, static_cast<uint32_t>(item.Data.size()), item.FileTime, offset);
    }
    uint32_t tableOffset = CheckedOffset(setup.size());
    PutEntry(table, "", 0, 0.0, tableOffset);
    std::vector<uint8_t> packed = CompressBlock(table.data(), table.size());
    setup.insert(setup.end(), packed.begin(), packed.end());
    CheckedOffset(setup.size() + 8);
    PutU32(setup, tableOffset);
    PutU32(setup, tableOffset);
}

bool IsSafePayloadName(const std::string& name)
{
    if (name.empty() || name.front() == '\\' || name.back() == '\\')
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('\\', start);
        if (end == std::string::npos)
            end = name.size();
        std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." || part.back() == '.' || part.back() == ' ')
            return false;
        for (unsigned char c : part)
            if (c < 32 || std::strchr("<>:\"/|?*", c))
                return false;
        start = end + 1;
    }
    return true;
}

bool ParsePayloadTable(const uint8_t* table, size_t length, uint32_t tableOffset,
                       std::vector<TPayloadEntry>& entries)
{
    entries.clear();
    size_t pos = 0;
    bool sentinel = false;
    while (pos < length) {
        if (sentinel)
            return entries.clear(), false; // something after the sentinel
        size_t nameLength = table[pos++];
        if (length - pos < nameLength + 16)
            return entries.clear(), false;
        TPayloadEntry entry;
        entry.Name.assign(reinterpret_cast<const char*>(table + pos), nameLength);
        pos += nameLength;
        entry.Size = GetU32(table + pos);
        entry.FileTime = GetDouble(table + pos + 4);
        entry.StreamOffset = GetU32(table + pos + 12);
        pos += 16;
        if (entry.StreamOffset > tableOffset)
            return entries.clear(), false;
        if (!entries.empty()) {
            TPayloadEntry& previous = entries.back();
            if (entry.StreamOffset <= previous.StreamOffset)
                return entries.clear(), false;
            previous.CompressedSize = entry.StreamOffset - previous.StreamOffset;
        }
        if (entry.Name.empty()) {
            if (entry.Size != 0 || entry.StreamOffset != tableOffset)
                return entries.clear(), false;
            sentinel = true;
        } else if (!IsSafePayloadName(entry.Name)) {
            return entries.clear(), false;
        }
        entries.push_back(std::move(entry));
    }
    if (!sentinel)
        return entries.clear(), false;
    entries.pop_back();
    return true;
}
