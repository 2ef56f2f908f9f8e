// The system's cryptographic random generator on Windows (RtlGenRandom of advapi32).
#include "core/SystemRandom.h"

#include <windows.h>

#include <ntsecapi.h>

bool SystemRandomBytes(uint8_t* out, size_t count)
{
    while (count > 0) {
        const ULONG n = count > 0x10000 ? 0x10000 : static_cast<ULONG>(count);
        if (!RtlGenRandom(out, n))
            return false;
        out += n;
        count -= n;
    }
    return true;
}
