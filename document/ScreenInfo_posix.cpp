// The screen where no Windows runs: the standard 96 pixels per inch.
#include "document/ScreenInfo.h"

int32_t ScreenPixelsPerInch()
{
    return 96;
}
