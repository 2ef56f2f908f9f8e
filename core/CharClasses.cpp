// The character-class tables and the maps built with them.
#include "core/CharClasses.h"

#include <cstring>
#include <initializer_list>

uint16_t CharClasses[256];
uint8_t AsciiLowerCase[256];
int8_t HexDigitValues[256];
uint8_t MarkGlyphs[256];

namespace {

void Mark(TCharClass cls, const char* chars)
{
    for (const char* p = chars; *p; ++p)
        CharClasses[static_cast<unsigned char>(*p)] |= cls;
}

void MarkRange(TCharClass cls, int first, int last)
{
    for (int c = first; c <= last; ++c)
        CharClasses[c] |= cls;
}

// Tables usable before start-up builds them with the system's locale.
struct TInitialTables {
    TInitialTables() { BuildCharClasses(false); }
} InitialTables;

} // namespace

void BuildCharClasses(bool spanishLocale)
{
    std::memset(CharClasses, 0, sizeof(CharClasses));

    MarkRange(ccSeparator, 2, 13);
    Mark(ccSeparator, "\x0F !\"#$%&()*+,-./:;<=>?@[\\]^_{|}~\x80\x84\x85\x93\x94\xAB\xBB");
    if (spanishLocale)
        Mark(ccSeparator, "\xA1\xBF");
    for (int c = 0; c < 256; ++c)
        if ((CharClasses[c] & ccSeparator) && c != ' ')
            CharClasses[c] |= ccWordRun;

    MarkRange(ccStop, 2, 6);

    Mark(ccLinkChar, "#%&'()+,-./0123456789:;=?@\\_~");
    MarkRange(ccLinkChar, 'A', 'Z');
    MarkRange(ccLinkChar, 'a', 'z');
    MarkRange(ccLinkChar, 128, 255);
    for (unsigned char c : {0x84, 0x93, 0x94, 0xAB, 0xBB})
        CharClasses[c] &= static_cast<uint16_t>(~ccLinkChar);

    Mark(ccLinkTrail, "#%&()+,-.:;=?@");
    Mark(ccTokenTrim, "!\"#$%&'()*+,-.:;<=>?@[]^`{|}\x84\x91\x92\x93\x94\xAB\xBB");
    Mark(ccQuote, "\"'`\x84\x91\x92\x93\x94\xAB\xBB");
    Mark(ccSpanishOpening, "\xA1\xBF");
    MarkRange(ccSentenceSpace, 2, 7);
    Mark(ccSentenceSpace, "\x0A ");
    Mark(ccSentenceEnd, "!.?");
    Mark(ccListLabelEnd, ").");
    MarkRange(ccTokenDelimiter, 2, 8);
    Mark(ccTokenDelimiter, "\x0A ");
    Mark(ccPunctuation, "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~\x84\x85\x91\x92\x93\x94\x96\x97\xAB\xBB");
    MarkRange(ccLowerLetter, 'a', 'z');

    for (int c = 0; c < 256; ++c) {
        AsciiLowerCase[c] = static_cast<uint8_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        HexDigitValues[c] = static_cast<int8_t>(c >= '0' && c <= '9'   ? c - '0'
                                                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                       : -1);
        MarkGlyphs[c] = static_cast<uint8_t>(c);
    }
    MarkGlyphs[2] = 182;  // paragraph mark
    MarkGlyphs[10] = 176; // non-breaking space
    MarkGlyphs[11] = 150; // non-breaking hyphen
    MarkGlyphs[12] = 151; // em dash
    MarkGlyphs[13] = 150; // en dash
    MarkGlyphs[14] = '-'; // optional hyphen
}
