// Fuzz target: the compound-file reader that tells Word documents from other files.
#include <cstring>
#include <vector>

#include "classlib/runtime/Exceptions.h"
#include "formats/load/WordStorage.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TReadAt read = [&](int64_t offset, uint8_t* into, int32_t count) {
        if (offset < 0 || count < 0 || uint64_t(offset) + uint64_t(count) > size)
            return false;
        std::memcpy(into, data + offset, size_t(count));
        return true;
    };
    try {
        if (IsCompoundFile(read, int64_t(size))) {
            std::vector<uint8_t> bytes;
            if (ReadCompoundStreamStart(read, int64_t(size), "WordDocument", 1024, bytes))
                IsWordStreamStart(bytes);
        }
    } catch (const Exception&) {}
    return 0;
}
