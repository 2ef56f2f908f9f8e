// The host build has no screen: the usual 96 dots per inch.
#include "codecs/ScreenResolution.h"

uint32_t ScreenDotsPerInch(bool)
{
    return 96;
}
