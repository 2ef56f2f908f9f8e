// The engine's lexicon files: a main lexicon bundles the affix and word files of one dictionary; anything
// else must be a text lexicon, one entry a line.
#pragma once
#include <string>
#include <string_view>

namespace lexformat {

// A main lexicon: these 8 bytes, the sizes of the affix file and of the word file (32 bits, little-endian),
// then the two files. The zero byte keeps every main lexicon apart from text.
inline constexpr char MainMagic[8] = {'Q', 'L', 'E', 'X', 0x1A, 0x00, 0x01, 0x00};
inline constexpr size_t MainHeaderSize = 16;

std::string BuildMain(std::string_view affixes, std::string_view words);

// Splits a main lexicon into its two files; false when the bytes are not a whole main lexicon.
bool ParseMain(std::string_view file, std::string_view& affixes, std::string_view& words);

// True when no byte is a control character other than tab, line feed and carriage return.
inline bool IsText(std::string_view file)
{
    for (unsigned char c : file)
        if (c < 32 && c != '\t' && c != '\n' && c != '\r')
            return false;
    return true;
}

} // namespace lexformat
