// The program's own additions to the spelling engine's answers, free of the engine itself: the character
// maps for Czech, the retries for Swiss German and Canadian French, compound splitting and the tidying of
// suggestion lists.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "spelling/engine/EntryList.h"

// Languages by primary language number (language id AND 0x3FF).
constexpr int32_t PrimaryLanguageMask = 0x3FF;
constexpr int32_t LangCzech = 5;
constexpr int32_t LangSwissGerman = 0x807;
constexpr int32_t LangCanadianFrench = 0xC0C;

// Czech: the program's code page and the engine's form of five letters.
void MapToEngineChars(char* text, int32_t length);
void MapFromEngineChars(char* text, int32_t length);
void MapToEngineChars(std::string& text);
void MapFromEngineChars(std::string& text);

// A check of one word giving the engine's result bits (negative: an engine error).
using TWordCheck = std::function<int(const std::string&)>;

// Whether the word holds a capital: a character that lower-casing changes.
bool HasCapitals(const std::string& word);

// Swiss German: the word with each "ss" written "ß" while the first "ss" lies after the first character;
// false when no "ss" was replaced.
bool SwissGermanVariant(const std::string& word, std::string& variant);

// Canadian French: variants of the word with each of its first four capital vowels plain or accented
// (À Á Â, È É Ê, Ì Í Î, Ò Ó Ô, Ù Ú Û), checked in turn until one is accepted; the result of that one, else
// of the last tried. The word must hold a capital.
int CheckAccentedCapitals(const std::string& word, const TWordCheck& check);

// Whether the word can be cut from the left into pieces of at least three characters that each check
// exactly 0 (the whole word at least two characters long). Words over 100 characters are not cut.
bool SplitsIntoKnownWords(const std::string& word, const TWordCheck& check);

// Suggestions as the engine writes them: NUL-ended entries, the list ending at an empty entry or at the
// end of the buffer. (WriteEntryList, shared with the engine, writes them back.)
std::vector<std::string> ReadEntryList(const char* buffer, int32_t size);

// Tidies a suggestion list for a checked word of at least two characters: near entries first, runs equal
// but for case reduced to the entry whose capitals agree with the word's, and for Canadian French the plain
// form of each entry with accented capitals added after it.
std::vector<std::string> TidySuggestions(const std::string& word, std::vector<std::string> list,
                                         int32_t language);
