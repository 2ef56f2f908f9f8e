// The keyboard layout manager: the parts that need no system call.
#include "core/KeyboardLayouts.h"

TLayoutManager& LayoutManager()
{
    static TLayoutManager manager;
    return manager;
}

void TLayoutManager::UpdateCurrentLayout()
{
    Refresh();
    const uintptr_t current = CurrentKeyboardLayout();
    for (size_t i = 0; i < Layouts.size(); ++i)
        if (Layouts[i].Handle == current)
            Current = int32_t(i);
}

int32_t TLayoutManager::IndexOfLanguage(int32_t languageId) const
{
    for (size_t i = 0; i < Layouts.size(); ++i)
        if (Layouts[i].LanguageId() == (languageId & 0xFFFF))
            return int32_t(i);
    return Current;
}
