// System colours and solid brushes through the Windows graphics interface.
#include "core/SystemColors.h"
#include <windows.h>

TColorRef GetSystemColor(int index)
{
    return GetSysColor(index);
}

TBrushHandle CreateSolidBrushHandle(TColorRef color)
{
    return reinterpret_cast<TBrushHandle>(CreateSolidBrush(color));
}

void DeleteBrushHandle(TBrushHandle brush)
{
    if (brush)
        DeleteObject(reinterpret_cast<HGDIOBJ>(brush));
}
