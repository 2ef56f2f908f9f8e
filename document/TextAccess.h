// Pieces of a paragraph's text that the text routines find (words, links, tokens), and the outside
// lists they consult.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "document/TextPos.h"

class TStringList;

// A position of which only the paragraph and the offset are given.
inline TTextPos TextPosAt(int32_t paragraph, int32_t offset)
{
    TTextPos pos{};
    MakeTextPos(paragraph, offset, pos);
    return pos;
}

inline TTextRange TextRangeOf(const TTextPos& start, const TTextPos& end)
{
    TTextRange range{};
    range.StartPos = start;
    range.EndPos = end;
    return range;
}

// A run of characters of one paragraph: where it starts and how many characters it holds.
struct TTextPiece {
    TTextPos Pos;
    int32_t Length;
};

// The text names a file: after an optional "file:///", it has a drive (a drive letter with its colon,
// or a network server and share), or an extension found in the file-extension list.
bool IsFilePathText(std::string_view text);

// The sorted list of extensions (without the dot) that count as file names, from the setting
// "FileExts".
const TStringList& FileExtensionList();

// The abbreviations of a language (a sentence does not end after them), installed by the writing
// tools; none while it is not installed.
extern const TStringList* (*AbbreviationList)(int32_t language);
