// The screen where no Windows runs: the standard 96 pixels per inch.
#ifndef _WIN32
#include "document/ScreenInfo.h"

int32_t ScreenPixelsPerInch()
{
    return 96;
}
#endif
