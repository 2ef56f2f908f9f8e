// The hot-key manager: the user's overrides of the shortcut table and the system-wide hot keys. For
// now it keeps the overrides read at start-up and registers no system-wide key.
#pragma once
#include <cstdint>
#include <vector>

class THotKeyManager {
public:
    void SetOverrides(std::vector<uint8_t> overrides) { Overrides = std::move(overrides); }
    const std::vector<uint8_t>& GetOverrides() const { return Overrides; }
    void RegisterHotKeys() {}
    void UnregisterHotKeys() {}

private:
    std::vector<uint8_t> Overrides;
};

THotKeyManager& HotKeyManager();
