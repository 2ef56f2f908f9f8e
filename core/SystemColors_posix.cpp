// System colours where no Windows runs (the host build of the engine): the classic Windows values.
#include "core/SystemColors.h"

TColorRef GetSystemColor(int index)
{
    switch (index) {
    case SysColorWindow: return 0xFFFFFF;
    case SysColorButtonFace: return 0xC0C0C0;
    case SysColorButtonShadow: return 0x808080;
    default: return 0x000000;
    }
}

// No graphics interface here: palettes hold colours without brushes.
TBrushHandle CreateSolidBrushHandle(TColorRef)
{
    return 0;
}

void DeleteBrushHandle(TBrushHandle) {}
