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
