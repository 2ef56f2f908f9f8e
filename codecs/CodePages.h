// Conversions between the program's Windows Western code page, the DOS code page of text files and
// Unicode.
#pragma once
#include <cstdint>

// Converts DOS (OEM) bytes to the Windows code page in place, and back. The two directions are exact
// inverses, so a DOS text file read and written again keeps every byte; the few DOS characters with
// no Windows form (box drawing, shades) stand in for the Windows characters with no DOS form.
void OemToAnsiBuffer(uint8_t* bytes, int32_t count);
void AnsiToOemBuffer(uint8_t* bytes, int32_t count);

// The Windows code-page byte of a Unicode character, or -1 when it has none.
int UnicodeToAnsi(uint32_t code);
// The Unicode character of a Windows code-page byte.
uint32_t AnsiToUnicode(uint8_t byte);
