// The screen's resolution from the system.
#include <windows.h>

#include "codecs/ScreenResolution.h"

uint32_t ScreenDotsPerInch(bool horizontal)
{
    HDC dc = GetDC(nullptr);
    if (!dc)
        return 96;
    const int dpi = GetDeviceCaps(dc, horizontal ? LOGPIXELSX : LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? uint32_t(dpi) : 96;
}
