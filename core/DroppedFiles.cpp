// Reading the file list of a drop of files within the size of its block.
#include "core/DroppedFiles.h"

namespace {

uint32_t ReadUInt32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

constexpr size_t HeaderSize = 20;

} // namespace

bool ReadDroppedFiles(const uint8_t* data, size_t size, std::vector<std::string>& files)
{
    files.clear();
    if (!data || size < HeaderSize)
        return false;
    const size_t offset = ReadUInt32(data);
    const bool wide = ReadUInt32(data + 16) != 0;
    if (offset < HeaderSize || offset >= size)
        return false;
    const size_t unit = wide ? 2 : 1;
    std::vector<std::string> names;
    size_t at = offset;
    for (;;) {
        if (size - at < unit)
            return false; // the list does not end within the block
        std::string name;
        bool ended = false;
        while (size - at >= unit) {
            const uint32_t c = wide ? uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 : data[at];
            at += unit;
            if (c == 0) {
                ended = true;
                break;
            }
            name += c < 256 ? char(c) : '?';
        }
        if (!ended)
            return false;
        if (name.empty())
            break; // the closing zero
        names.push_back(std::move(name));
    }
    if (names.empty())
        return false;
    files = std::move(names);
    return true;
}
