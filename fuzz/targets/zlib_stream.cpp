// Fuzz target: compressed data inflated through the stream class and as a whole buffer.
#include <vector>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Streams.h"
#include "codecs/Zlib.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemoryStream source;
    source.Write(data, static_cast<int32_t>(size));
    source.Seek(0, soBeginning);
    try {
        TZDecompressionStream inflater(source);
        uint8_t buffer[4096];
        // A small input may inflate to a great deal: a few megabytes are enough to walk the code.
        for (int64_t total = 0; total < (int64_t(8) << 20);) {
            const int32_t n = inflater.Read(buffer, sizeof buffer);
            if (n <= 0)
                break;
            total += n;
        }
    } catch (const Exception&) {}
    if (size < (1u << 16)) {
        try {
            DecompressBuffer(data, static_cast<int32_t>(size), 0);
        } catch (const Exception&) {}
    }
    return 0;
}
