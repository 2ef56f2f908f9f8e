// The screen's resolution, asked of Windows.
#include "document/ScreenInfo.h"
#include <windows.h>

int32_t ScreenPixelsPerInch()
{
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc)
        ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}
