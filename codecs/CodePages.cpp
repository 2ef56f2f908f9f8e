// The Windows code page's Unicode table and the conversions over it.
#include "codecs/CodePages.h"

namespace {

const uint16_t AnsiHighToUnicode[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

uint32_t AnsiToUnicode(uint8_t byte)
{
    return byte >= 0x80 && byte < 0xA0 ? AnsiHighToUnicode[byte - 0x80] : byte;
}

int UnicodeToAnsi(uint32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<int>(code);
    for (int i = 0; i < 32; ++i)
        if (AnsiHighToUnicode[i] == code)
            return 0x80 + i;
    return -1;
}
