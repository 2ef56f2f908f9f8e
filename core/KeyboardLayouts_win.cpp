// The system's keyboard layouts through the keyboard-layout functions of Windows.
#include <windows.h>

#include "core/KeyboardLayouts.h"

uintptr_t CurrentKeyboardLayout()
{
    return reinterpret_cast<uintptr_t>(GetKeyboardLayout(0));
}

void TLayoutManager::Refresh()
{
    Layouts.clear();
    const int count = GetKeyboardLayoutList(0, nullptr);
    if (count <= 0)
        return;
    std::vector<HKL> list(static_cast<size_t>(count));
    const int got = GetKeyboardLayoutList(count, list.data());
    for (int i = 0; i < got; ++i)
        Layouts.push_back(TLayout{reinterpret_cast<uintptr_t>(list[size_t(i)])});
    if (Current >= int32_t(Layouts.size()))
        Current = 0;
}

uint8_t TLayoutManager::TranslateChar(uint8_t c, int32_t from, int32_t to) const
{
    if (c < 32)
        return ' ';
    if (from < 0 || to < 0 || from >= int32_t(Layouts.size()) || to >= int32_t(Layouts.size()))
        return c;
    const HKL source = reinterpret_cast<HKL>(Layouts[size_t(from)].Handle);
    const HKL target = reinterpret_cast<HKL>(Layouts[size_t(to)].Handle);
    const SHORT key = VkKeyScanExA(char(c), source);
    if (key == -1 || (key & 0xFF) == 0xFF)
        return c;
    BYTE state[256] = {};
    if (key & 0x100)
        state[VK_SHIFT] = 0x80;
    const UINT vk = UINT(key & 0xFF);
    const UINT scan = MapVirtualKeyExA(vk, 0, target);
    WORD out = 0;
    const int n = ToAsciiEx(vk, scan, state, &out, 0, target);
    if (n != 1)
        return c;
    const uint8_t result = uint8_t(out & 0xFF);
    return result < 32 ? uint8_t(' ') : result;
}

void TLayoutManager::ActivateLayout(int32_t index)
{
    if (index < 0 || index >= int32_t(Layouts.size()))
        return;
    ActivateKeyboardLayout(reinterpret_cast<HKL>(Layouts[size_t(index)].Handle), 0);
    Current = index;
}
