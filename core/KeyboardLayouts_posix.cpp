// Keyboard layouts where the system has none to offer.
#include "core/KeyboardLayouts.h"

namespace {

class TNoLayouts : public TLayoutSystem {
public:
    std::vector<uintptr_t> InstalledLayouts() override { return {}; }
    uintptr_t ActiveLayout() override { return 0; }
    int TranslateChar(uint8_t, uintptr_t, uintptr_t) override { return -1; }
    void Activate(uintptr_t) override {}
};

} // namespace

TLayoutSystem& PlatformLayoutSystem()
{
    static TNoLayouts system;
    return system;
}
