// Lists handed to the caller: each entry ended by a NUL byte, then one more NUL byte.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes as many whole entries as the buffer holds (size at least 1) and returns how many.
inline int32_t WriteEntryList(const std::vector<std::string>& entries, char* buffer, int32_t size)
{
    int32_t used = 0, count = 0;
    for (const std::string& s : entries) {
        if (static_cast<int64_t>(used) + static_cast<int64_t>(s.size()) + 2 > size)
            break;
        s.copy(buffer + used, s.size());
        used += static_cast<int32_t>(s.size());
        buffer[used++] = '\0';
        ++count;
    }
    buffer[used] = '\0';
    return count;
}
