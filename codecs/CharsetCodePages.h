// The Windows code pages of the character sets that font tables name, and the 8-bit form of a Unicode
// character in each of them.
#pragma once
#include <cstdint>

// The code page of a font character set: 1252 for the Western set and for sets without a table here.
int CodePageOfCharset(int32_t charset);
// The font character set of a code page (0 for 1252 and unknown pages).
int32_t CharsetOfCodePage(int codePage);
// The byte of a Unicode character in a code page (1250 to 1258, 874), -1 when the page has no form for it.
int UnicodeToCodePage(uint32_t code, int codePage);
// The code pages in the order they are tried for a character the font's own page lacks.
constexpr int kCharsetCodePages[] = {1252, 1250, 1251, 1253, 1254, 1257, 1255, 1256, 1258, 874};
