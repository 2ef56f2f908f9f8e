// Cursors where there is no system to show them: every slot stays empty.
#include "core/Cursors.h"

uintptr_t TCursorManager::LoadCursorResource(int)
{
    return 0;
}

void TCursorManager::SetCursor(int) {}
