// Conversions between the program's Windows Western code page, the DOS code page of text files and
// Unicode.
#pragma once
#include <cstdint>

// Converts DOS (OEM) bytes to the Windows code page in place, and back, as the system converts them, so
// that a DOS program shows the characters the user sees. Characters that both pages hold go back and
// forth unchanged; one that the other page lacks becomes its nearest form there (’ an apostrophe, œ an
// o, a box-drawing line a plus or minus sign) or a question mark.
void OemToAnsiBuffer(uint8_t* bytes, int32_t count);
void AnsiToOemBuffer(uint8_t* bytes, int32_t count);

// The Windows code-page byte of a Unicode character, or -1 when it has none.
int UnicodeToAnsi(uint32_t code);
// The Unicode character of a Windows code-page byte.
uint32_t AnsiToUnicode(uint8_t byte);
// The bytes of a Unicode character in a double-byte code page (932, 936, 949, 950) put in Out: their
// number (1 or 2), 0 when the page has no form for it.
int UnicodeToDoubleByte(uint32_t code, int codePage, uint8_t out[2]);
// The Unicode character of a byte of a code page (the Macintosh pages included), 0 when it has none.
uint32_t CodePageToUnicode(uint8_t byte, int codePage);
