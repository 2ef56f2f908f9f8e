// The character classes of the text routines: 256-entry flag tables filled once at start-up, the ASCII
// case map, hexadecimal digit values and the glyphs shown for formatting marks.
#pragma once
#include <cstdint>

enum TCharClass : uint16_t {
    ccSeparator = 1 << 0,       // a word ends at it
    ccWordRun = 1 << 1,         // the separators but the space
    ccStop = 1 << 2,            // codes 2 to 6: paragraph ends, forced breaks, objects and field marks
    ccLinkChar = 1 << 3,        // may stand in a link
    ccLinkTrail = 1 << 4,       // punctuation dropped from the end of a link
    ccTokenTrim = 1 << 5,       // trimmed from both ends of a token
    ccQuote = 1 << 6,           // quotes and apostrophes
    ccSpanishOpening = 1 << 7,  // the inverted marks that open a Spanish sentence
    ccSentenceSpace = 1 << 8,   // white space between sentences (codes 2 to 7, 10 and the space)
    ccSentenceEnd = 1 << 9,     // "!", "." and "?"
    ccListLabelEnd = 1 << 10,   // ")" and "."
    ccTokenDelimiter = 1 << 11, // codes 2 to 8, 10 and the space
    ccPunctuation = 1 << 12,    // punctuation trimmed from the end of a suggested file name
    ccLowerLetter = 1 << 13,    // "a" to "z"
};

// The flags of every byte. Mutable: a routine may change an entry for the length of one run and put
// it back afterwards.
extern uint16_t CharClasses[256];

inline bool IsCharClass(unsigned char c, TCharClass cls)
{
    return (CharClasses[c] & cls) != 0;
}

// "A" to "Z" mapped to "a" to "z", every other byte to itself.
extern uint8_t AsciiLowerCase[256];
// The value of a hexadecimal digit (either case), -1 for any other byte.
extern int8_t HexDigitValues[256];
// The glyph drawn for each display code of formatting marks.
extern uint8_t MarkGlyphs[256];

inline int HexDigitValue(char c)
{
    return HexDigitValues[static_cast<unsigned char>(c)];
}

// Fills the tables; with a Spanish system locale the inverted marks are word separators too.
void BuildCharClasses(bool spanishLocale);
