// Keyboard shortcuts as the menus and hints show them.
#pragma once
#include <cstdint>
#include <string>

// The text of a key with its shift state (ssShift, ssAlt, ssCtrl): "Ctrl+Maj+K", "Alt+F4", "Suppr".
std::string ShortCutToText(uint32_t virtualKey, uint32_t shift);
