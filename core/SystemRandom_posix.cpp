// The system's cryptographic random generator of the host build (getrandom).
#include "core/SystemRandom.h"

#include <sys/random.h>

bool SystemRandomBytes(uint8_t* out, size_t count)
{
    while (count > 0) {
        const ssize_t n = getrandom(out, count, 0);
        if (n <= 0)
            return false;
        out += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}
