// Keyboard layouts where the system has none to offer: the list stays empty.
#include "core/KeyboardLayouts.h"

uintptr_t CurrentKeyboardLayout()
{
    return 0;
}

void TLayoutManager::Refresh()
{
    Layouts.clear();
    Current = 0;
}

uint8_t TLayoutManager::TranslateChar(uint8_t c, int32_t, int32_t) const
{
    return c < 32 ? uint8_t(' ') : c;
}

void TLayoutManager::ActivateLayout(int32_t index)
{
    Current = index;
}
