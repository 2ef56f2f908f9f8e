// The shared line buffer where the system has no bitmaps: only an installed one.
#include "core/DrawSurface.h"

namespace {
TOffscreenSurface* InstalledLineBuffer = nullptr;
}

TOffscreenSurface* SharedLineBuffer()
{
    return InstalledLineBuffer;
}

void FreeSharedLineBuffer() {}

void SetSharedLineBuffer(TOffscreenSurface* buffer)
{
    InstalledLineBuffer = buffer;
}
