// The system's keyboard layouts through the keyboard-layout functions of Windows.
#include <windows.h>

#include "core/KeyboardLayouts.h"

namespace {

class TWindowsLayouts : public TLayoutSystem {
public:
    std::vector<uintptr_t> InstalledLayouts() override
    {
        std::vector<uintptr_t> layouts;
        const int count = GetKeyboardLayoutList(0, nullptr);
        if (count <= 0)
            return layouts;
        std::vector<HKL> list(static_cast<size_t>(count));
        const int got = GetKeyboardLayoutList(count, list.data());
        for (int i = 0; i < got; ++i)
            layouts.push_back(reinterpret_cast<uintptr_t>(list[size_t(i)]));
        return layouts;
    }
    uintptr_t ActiveLayout() override { return reinterpret_cast<uintptr_t>(GetKeyboardLayout(0)); }
    int TranslateChar(uint8_t c, uintptr_t from, uintptr_t to) override
    {
        const HKL source = reinterpret_cast<HKL>(from);
        const HKL target = reinterpret_cast<HKL>(to);
        const SHORT key = VkKeyScanExA(char(c), source);
        if (key == -1 || (key & 0xFF) == 0xFF)
            return -1;
        BYTE state[256] = {};
        if (key & 0x100)
            state[VK_SHIFT] = 0x80;
        const UINT vk = UINT(key & 0xFF);
        WORD out = 0;
        if (ToAsciiEx(vk, MapVirtualKeyExA(vk, 0, target), state, &out, 0, target) != 1)
            return -1;
        return out & 0xFF;
    }
    void Activate(uintptr_t layout) override { ActivateKeyboardLayout(reinterpret_cast<HKL>(layout), 0); }
};

} // namespace

TLayoutSystem& PlatformLayoutSystem()
{
    static TWindowsLayouts system;
    return system;
}
