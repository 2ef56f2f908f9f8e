// The screen's resolution from the system.
#include <windows.h>

#include "classlib/graphics/GdiHandles_win.h"
#include "codecs/ScreenResolution.h"

uint32_t ScreenDotsPerInch(bool horizontal)
{
    const TScreenDC dc;
    const int dpi = dc ? GetDeviceCaps(dc, horizontal ? LOGPIXELSX : LOGPIXELSY) : 0;
    return dpi > 0 ? uint32_t(dpi) : 96;
}
