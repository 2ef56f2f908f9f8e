// Code pages of font character sets, and the byte a Unicode character has in each.
#include "codecs/CharsetCodePages.h"

#include "codecs/CodePages.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <mutex>

namespace {

struct TCharsetPage {
    int32_t Charset;
    int CodePage;
};

const TCharsetPage CharsetPages[] = {{0, 1252},   {238, 1250}, {204, 1251}, {161, 1253}, {162, 1254},
                                     {186, 1257}, {177, 1255}, {178, 1256}, {163, 1258}, {222, 874},
                                     {128, 932},  {134, 936},  {136, 950},  {129, 949},  {130, 1361}};

struct TMacCharsetEntry {
    int32_t Charset;
    TMacCharset Mac;
};

const TMacCharsetEntry MacCharsets[] = {
    {77, {0, 10000}},   // Roman
    {78, {128, 0}},     // Japanese
    {79, {129, 0}},     // Korean
    {80, {134, 0}},     // simplified Chinese
    {81, {136, 0}},     // traditional Chinese
    {83, {177, 10005}}, // Hebrew
    {84, {178, 10004}}, // Arabic
    {85, {161, 10006}}, // Greek
    {86, {162, 10081}}, // Turkish
    {87, {222, 10021}}, // Thai
    {88, {238, 10029}}, // Central European
    {89, {204, 10007}}, // Cyrillic
};

// The Unicode character of each byte from 128 up in a code page (0 for none), read once from the system's
// conversion.
const std::array<uint32_t, 128>& UpperHalf(int codePage)
{
    static std::mutex lock;
    static std::map<int, std::array<uint32_t, 128>> halves;
    const std::lock_guard<std::mutex> guard(lock);
    auto [it, made] = halves.try_emplace(codePage);
    if (made)
        for (int i = 0; i < 128; ++i)
            it->second[static_cast<size_t>(i)] = CodePageToUnicode(static_cast<uint8_t>(0x80 + i), codePage);
    return it->second;
}

} // namespace

bool IsDoubleByteCharset(int32_t charset)
{
    return charset == 128 || charset == 129 || charset == 130 || charset == 134 || charset == 136;
}

bool IsDoubleByteLead(int32_t charset, uint8_t byte)
{
    switch (charset) {
    case 128: return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 130:
        return (byte >= 0x84 && byte <= 0xD3) || (byte >= 0xD8 && byte <= 0xDE) ||
               (byte >= 0xE0 && byte <= 0xF9);
    case 129:
    case 134:
    case 136: return byte >= 0x81 && byte <= 0xFE;
    default: return false;
    }
}

int CodePageOfCharset(int32_t charset)
{
    for (const TCharsetPage& p : CharsetPages)
        if (p.Charset == charset)
            return p.CodePage;
    return 1252;
}

int32_t CharsetOfCodePage(int codePage)
{
    for (const TCharsetPage& p : CharsetPages)
        if (p.CodePage == codePage)
            return p.Charset;
    return 0;
}

int UnicodeToCodePage(uint32_t code, int codePage)
{
    if (codePage == 1252 || std::find(std::begin(kCharsetCodePages), std::end(kCharsetCodePages), codePage) ==
                                std::end(kCharsetCodePages))
        return UnicodeToAnsi(code);
    if (code < 0x80)
        return static_cast<int>(code);
    const std::array<uint32_t, 128>& half = UpperHalf(codePage);
    const auto it = std::find(half.begin(), half.end(), code);
    return it != half.end() && code != 0 ? 0x80 + static_cast<int>(it - half.begin()) : -1;
}

bool MacCharset(int32_t charset, TMacCharset& mac)
{
    for (const TMacCharsetEntry& e : MacCharsets)
        if (e.Charset == charset) {
            mac = e.Mac;
            return true;
        }
    return false;
}
