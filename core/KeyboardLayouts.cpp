// The keyboard layout manager over the system's layouts.
#include "core/KeyboardLayouts.h"

namespace {

TLayoutSystem* Installed = nullptr;

TLayoutSystem& System()
{
    return Installed ? *Installed : PlatformLayoutSystem();
}

} // namespace

TLayoutSystem::~TLayoutSystem() = default;

void SetLayoutSystem(TLayoutSystem* system)
{
    Installed = system;
}

uintptr_t CurrentKeyboardLayout()
{
    return System().ActiveLayout();
}

TLayoutManager& LayoutManager()
{
    static TLayoutManager manager;
    return manager;
}

void TLayoutManager::Refresh()
{
    Layouts.clear();
    for (uintptr_t handle : System().InstalledLayouts())
        Layouts.push_back(TLayout{handle});
    if (Current >= int32_t(Layouts.size()))
        Current = 0;
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

uint8_t TLayoutManager::TranslateChar(uint8_t c, int32_t from, int32_t to) const
{
    if (c < 32)
        return ' ';
    if (from < 0 || to < 0 || from >= int32_t(Layouts.size()) || to >= int32_t(Layouts.size()))
        return c;
    const int result = System().TranslateChar(c, Layouts[size_t(from)].Handle, Layouts[size_t(to)].Handle);
    if (result < 0)
        return c;
    return result < 32 ? uint8_t(' ') : uint8_t(result);
}

void TLayoutManager::ActivateLayout(int32_t index)
{
    if (index < 0 || index >= int32_t(Layouts.size()))
        return;
    System().Activate(Layouts[size_t(index)].Handle);
    Current = index;
}
