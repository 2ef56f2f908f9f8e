// A read-only stream over a resource of a Windows module (Windows only).
#pragma once
#include <cstdint>

#include "classlib/runtime/Streams.h"

// Standard resource type of raw data.
inline const char* const RT_RCDATA_TYPE = reinterpret_cast<const char*>(static_cast<uintptr_t>(10));
// A resource name or type given by number.
inline const char* ResourceId(uint16_t id)
{
    return reinterpret_cast<const char*>(static_cast<uintptr_t>(id));
}

class TResourceStream : public TStream {
public:
    // Module: the module's handle (nullptr for the program itself); Name and Type: texts or
    // ResourceId numbers. A missing resource raises EStreamError.
    TResourceStream(void* module, const char* name, const char* type);

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t GetSize() override { return FSize; }
    const uint8_t* Memory() const { return FData; }

private:
    const uint8_t* FData = nullptr;
    int64_t FSize = 0;
    int64_t FPos = 0;
};
