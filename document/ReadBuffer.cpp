// The shared file-reading buffer, allocated once per run.
#include "document/ReadBuffer.h"

#include <cstring>
#include <memory>

namespace {

std::unique_ptr<uint8_t[]> GReadBuffer;

} // namespace

uint8_t* EnsureReadBuffer()
{
    if (!GReadBuffer) {
        GReadBuffer.reset(new uint8_t[ReadBufferSize]);
        std::memset(GReadBuffer.get() + ReadBufferFillOffset, 0, 4);
    }
    return GReadBuffer.get();
}

void FreeReadBuffer() { GReadBuffer.reset(); }
