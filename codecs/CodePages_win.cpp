// The DOS conversions through the system's own (CharToOemBuff, OemToCharBuff).
#include "codecs/CodePages.h"

#include <windows.h>

void OemToAnsiBuffer(uint8_t* bytes, int32_t count)
{
    if (count > 0)
        OemToCharBuffA(reinterpret_cast<LPCSTR>(bytes), reinterpret_cast<LPSTR>(bytes), DWORD(count));
}

void AnsiToOemBuffer(uint8_t* bytes, int32_t count)
{
    if (count > 0)
        CharToOemBuffA(reinterpret_cast<LPCSTR>(bytes), reinterpret_cast<LPSTR>(bytes), DWORD(count));
}

int UnicodeToDoubleByte(uint32_t code, int codePage, uint8_t out[2])
{
    if (code == 0 || code > 0xFFFF)
        return 0;
    const wchar_t wide = static_cast<wchar_t>(code);
    char bytes[2];
    BOOL usedDefault = FALSE;
    const int n =
        WideCharToMultiByte(UINT(codePage), WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 2, nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return 0;
    out[0] = static_cast<uint8_t>(bytes[0]);
    out[1] = static_cast<uint8_t>(n > 1 ? bytes[1] : 0);
    return n;
}

uint32_t CodePageToUnicode(uint8_t byte, int codePage)
{
    const char narrow = static_cast<char>(byte);
    wchar_t wide = 0;
    if (MultiByteToWideChar(UINT(codePage), MB_ERR_INVALID_CHARS, &narrow, 1, &wide, 1) != 1)
        return 0;
    return wide;
}
