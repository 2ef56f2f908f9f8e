// Building and splitting main lexicon files, and telling text lexicons from anything else.
#include "spelling/engine/LexiconFormat.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace lexformat {

namespace {

void PutU32(std::string& out, uint64_t v)
{
    if (v > 0xFFFFFFFFu)
        throw std::length_error("lexicon part too large");
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint64_t GetU32(std::string_view s, size_t at)
{
    uint64_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}

} // namespace

std::string BuildMain(std::string_view affixes, std::string_view words)
{
    std::string out(MainMagic, sizeof MainMagic);
    PutU32(out, affixes.size());
    PutU32(out, words.size());
    out.append(affixes);
    out.append(words);
    return out;
}

bool ParseMain(std::string_view file, std::string_view& affixes, std::string_view& words)
{
    if (file.size() < MainHeaderSize || std::memcmp(file.data(), MainMagic, sizeof MainMagic) != 0)
        return false;
    uint64_t affSize = GetU32(file, 8);
    uint64_t dicSize = GetU32(file, 12);
    if (MainHeaderSize + affSize + dicSize != file.size())
        return false;
    affixes = file.substr(MainHeaderSize, affSize);
    words = file.substr(MainHeaderSize + affSize, dicSize);
    return true;
}

} // namespace lexformat
