// The font device where no system fonts exist (the host build of the engine): fixed proportions.
#include "core/FontDevice.h"

TFontDevice& SystemFontDevice()
{
    static TFixedFontDevice device;
    return device;
}
