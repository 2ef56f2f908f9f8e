// The Windows code pages of the character sets that font tables name, and the 8-bit form of a Unicode
// character in each of them.
#pragma once
#include <cstdint>

// The code page of a font character set (the double-byte ones included): 1252 for the Western set and for
// sets without a page here.
int CodePageOfCharset(int32_t charset);
// The font character set of a Windows code page (0 for 1252 and unknown pages).
int32_t CharsetOfCodePage(int codePage);
// The byte of a Unicode character in a code page (1250 to 1258, 874), -1 when the page has no form for it.
int UnicodeToCodePage(uint32_t code, int codePage);
// Whether a font character set is a double-byte one (Japanese, Korean, Chinese), whose characters take
// a lead byte and a trail byte.
bool IsDoubleByteCharset(int32_t charset);
// Whether Byte starts a two-byte character in the text of a font of that character set.
bool IsDoubleByteLead(int32_t charset, uint8_t byte);
// The code pages in the order they are tried for a character the font's own page lacks.
constexpr int kCharsetCodePages[] = {1252, 1250, 1251, 1253, 1254, 1257, 1255, 1256, 1258, 874};
// The double-byte code pages (Japanese, simplified Chinese, traditional Chinese, Korean), in the order
// they are tried for a character that no single-byte page holds.
constexpr int kDoubleByteCodePages[] = {932, 936, 950, 949};

// A Macintosh font character set (77 to 89) as it is read: the Windows character set of its script, and
// the Macintosh code page its bytes are in (0 for the double-byte sets, whose bytes are kept as written).
struct TMacCharset {
    int32_t WindowsCharset;
    int MacPage;
};
// Whether Charset is a Macintosh one, its reading then in Mac.
bool MacCharset(int32_t charset, TMacCharset& mac);
