// Windows-1252 to UTF-8 and back through the program's code-page table, and the case of its letters.
#include "spelling/engine/Cp1252.h"

#include <cstdint>

#include "codecs/CodePages.h"

namespace cp1252 {

namespace {

// The five bytes the code page leaves undefined keep their value as a code point.
uint32_t CodePoint(unsigned char c)
{
    return AnsiToUnicode(c);
}

bool ByteOf(uint32_t cp, char& out)
{
    const int byte = UnicodeToAnsi(cp);
    if (byte < 0)
        return false;
    out = static_cast<char>(byte);
    return true;
}

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (unsigned char c : text)
        AppendUtf8(out, CodePoint(c));
    return out;
}

bool FromUtf8(std::string_view text, std::string& out)
{
    out.clear();
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        uint32_t cp;
        size_t extra;
        if (c < 0x80) {
            cp = c;
            extra = 0;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else {
            return false;
        }
        if (extra > 0 && i + extra >= text.size())
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        char b;
        if (!ByteOf(cp, b))
            return false;
        out += b;
        i += extra + 1;
    }
    return true;
}

bool IsUpper(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F ||
           (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

bool IsLower(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || c == 0x9A || c == 0x9C || c == 0x9E || c == 0xAA || c == 0xB5 ||
           c == 0xBA || (c >= 0xDF && c != 0xF7);
}

char ToLower(char ch)
{
    unsigned char c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char>(c + 0x20);
    if (c == 0x8A || c == 0x8C || c == 0x8E)
        return static_cast<char>(c + 0x10);
    if (c == 0x9F)
        return static_cast<char>(0xFF);
    return ch;
}

char ToUpper(char ch)
{
    unsigned char c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char>(c - 0x20);
    if (c == 0x9A || c == 0x9C || c == 0x9E)
        return static_cast<char>(c - 0x10);
    if (c == 0xFF)
        return static_cast<char>(0x9F);
    return ch;
}

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = ToLower(c);
    return out;
}

} // namespace cp1252
