// The DOS conversions of the host build: the Western European DOS code page (850) through Unicode, with
// the nearest forms of the characters one page lacks.
#include "codecs/CodePages.h"

#include <iconv.h>

#include <string>

namespace {

// The Unicode character of each DOS byte from 0x80 on.
const uint16_t OemHighToUnicode[128] = {
    0xC7,   0xFC,   0xE9,   0xE2,   0xE4,   0xE0,   0xE5,   0xE7,   0xEA,   0xEB,   0xE8,   0xEF,   0xEE,
    0xEC,   0xC4,   0xC5,   0xC9,   0xE6,   0xC6,   0xF4,   0xF6,   0xF2,   0xFB,   0xF9,   0xFF,   0xD6,
    0xDC,   0xF8,   0xA3,   0xD8,   0xD7,   0x192,  0xE1,   0xED,   0xF3,   0xFA,   0xF1,   0xD1,   0xAA,
    0xBA,   0xBF,   0xAE,   0xAC,   0xBD,   0xBC,   0xA1,   0xAB,   0xBB,   0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0xC1,   0xC2,   0xC0,   0xA9,   0x2563, 0x2551, 0x2557, 0x255D, 0xA2,   0xA5,   0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0xE3,   0xC3,   0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0xA4,   0xF0,   0xD0,   0xCA,   0xCB,   0xC8,   0x131,  0xCD,   0xCE,   0xCF,   0x2518, 0x250C,
    0x2588, 0x2584, 0xA6,   0xCC,   0x2580, 0xD3,   0xDF,   0xD4,   0xD2,   0xF5,   0xD5,   0xB5,   0xFE,
    0xDE,   0xDA,   0xDB,   0xD9,   0xFD,   0xDD,   0xAF,   0xB4,   0xAD,   0xB1,   0x2017, 0xBE,   0xB6,
    0xA7,   0xF7,   0xB8,   0xB0,   0xA8,   0xB7,   0xB9,   0xB3,   0xB2,   0x25A0, 0xA0};

// The nearest plain form of characters that a page lacks.
uint8_t NearestForm(uint32_t code)
{
    switch (code) {
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x2039:
    case 0x203A: return '\'';
    case 0x201C:
    case 0x201D:
    case 0x201E: return '"';
    case 0x2013:
    case 0x2014:
    case 0x2500: return '-';
    case 0x2026: return '.';
    case 0x02C6: return '^';
    case 0x02DC: return '~';
    case 0x0152: return 'O';
    case 0x0153: return 'o';
    case 0x0160: return 'S';
    case 0x0161: return 's';
    case 0x017D: return 'Z';
    case 0x017E: return 'z';
    case 0x0178: return 'Y';
    case 0x2502:
    case 0x2551: return '|';
    case 0x2122: return 'T';
    default: return code >= 0x2500 && code < 0x2580 ? '+' : '?';
    }
}

} // namespace

void OemToAnsiBuffer(uint8_t* bytes, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        if (bytes[i] < 0x80)
            continue;
        const uint32_t code = OemHighToUnicode[bytes[i] - 0x80];
        const int ansi = UnicodeToAnsi(code);
        bytes[i] = ansi >= 0 ? static_cast<uint8_t>(ansi) : NearestForm(code);
    }
}

void AnsiToOemBuffer(uint8_t* bytes, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        if (bytes[i] < 0x80)
            continue;
        const uint32_t code = AnsiToUnicode(bytes[i]);
        uint8_t oem = NearestForm(code);
        for (int k = 0; k < 128; ++k)
            if (OemHighToUnicode[k] == code) {
                oem = static_cast<uint8_t>(0x80 + k);
                break;
            }
        bytes[i] = oem;
    }
}

int UnicodeToDoubleByte(uint32_t code, int codePage, uint8_t out[2])
{
    if (code == 0 || code > 0xFFFF)
        return 0;
    iconv_t cd = iconv_open(("CP" + std::to_string(codePage)).c_str(), "UTF-32LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return 0;
    char in[4] = {char(code & 0xFF), char(code >> 8 & 0xFF), 0, 0};
    char bytes[4];
    char* from = in;
    char* to = bytes;
    size_t inLeft = sizeof in, outLeft = sizeof bytes;
    const size_t done = iconv(cd, &from, &inLeft, &to, &outLeft);
    iconv_close(cd);
    const int n = static_cast<int>(sizeof bytes - outLeft);
    if (done == static_cast<size_t>(-1) || n < 1 || n > 2)
        return 0;
    out[0] = static_cast<uint8_t>(bytes[0]);
    out[1] = static_cast<uint8_t>(n > 1 ? bytes[1] : 0);
    return n;
}

uint32_t CodePageToUnicode(uint8_t byte, int codePage)
{
    const std::string name = codePage == 10000   ? "MACINTOSH"
                             : codePage == 10029 ? "MAC-CENTRALEUROPE"
                                                 : "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-32LE", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return 0;
    char in[1] = {static_cast<char>(byte)};
    unsigned char out[8];
    char* from = in;
    char* to = reinterpret_cast<char*>(out);
    size_t inLeft = 1, outLeft = sizeof out;
    size_t done = iconv(cd, &from, &inLeft, &to, &outLeft);
    // Pages with combining marks (1255, 1258) hold a letter back until they see what follows it.
    if (done != static_cast<size_t>(-1))
        done = iconv(cd, nullptr, nullptr, &to, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1) || sizeof out - outLeft != 4)
        return 0;
    return uint32_t(out[0]) | uint32_t(out[1]) << 8 | uint32_t(out[2]) << 16 | uint32_t(out[3]) << 24;
}
