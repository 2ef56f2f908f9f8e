// The hot-key manager: turns key strokes (one stroke, or a prefix such as Ctrl+K and a second key) into
// command numbers through the built-in shortcut table and the user's overrides, shows shortcuts as text
// and registers the system-wide hot keys.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct TMessage;

// A key code: byte 0 the shift state of the first stroke (1 Shift, 2 Alt, 4 Ctrl), byte 1 its virtual
// key, byte 2 the virtual key of a second stroke (0 for none); 0 is no shortcut.
constexpr uint32_t MakeKeyCode(uint32_t shift, uint32_t key, uint32_t second = 0)
{
    return (shift & 0xFF) | (key & 0xFF) << 8 | (second & 0xFF) << 16;
}

class THotKeyManager {
public:
    // Loads the built-in table (resource HOTKEYTABLE).
    THotKeyManager();

    // The command bound to a complete key code, or -1: the overrides first (the last pair of that key),
    // then the table, unless the user rebound the table's command elsewhere.
    int32_t CommandForKeyCode(uint32_t key) const;
    // The key shown for a command (0 for none): its first table row, replaced by its last override.
    uint32_t HotKeyOfCommand(int32_t command) const;
    // Binds the command to Key alone (0 removes its shortcut).
    void SetHotKey(int32_t command, uint32_t key);
    // Gives the command its built-in keys back.
    void RemoveOverrides(int32_t command);
    void RemoveAllOverrides() { Overrides.clear(); }
    // The key starts a two-stroke shortcut (one of the table's prefix rows).
    bool IsPendingStroke(uint32_t key) const;
    // One key stroke; 1 when the key was consumed, else 0.
    int CommandForKey(uint32_t shift, uint32_t virtualKey);
    // Runs the command of a complete key code (or applies the style it is the shortcut of); 1 when the
    // key was consumed.
    int ExecuteKey(uint32_t key);

    // The key messages of the main window and the document windows; Result 1 when the key was used.
    void WMKeyDown(TMessage& message);
    void WMKeyUp(TMessage& message);
    void WMSysKeyDown(TMessage& message);
    void WMSysChar(TMessage& message);

    // The caption, a tab and the shortcut text when the command has a shortcut.
    std::string CaptionWithHotKey(int32_t command, const std::string& caption) const;
    // Appends the candidate key codes that no command is bound to (offered by the shortcut dialogs).
    void FreeKeys(std::vector<uint32_t>& list) const;

    // The commands that act while the program is not focused, registered on the window.
    void RegisterHotKeys(HWND window);
    void RegisterHotKeys();
    void UnregisterHotKeys();
    const std::vector<int32_t>& Registered() const { return FRegistered; }

    // The overrides as the settings keep them: pairs of a 32-bit command and a 32-bit key code. A block
    // whose size is not a whole number of pairs keeps its whole pairs.
    void SetOverrides(const std::vector<uint8_t>& block);
    std::vector<uint8_t> GetOverrides() const;

    uint32_t Pending() const { return FPending; }
    // The command that the last key bound to one handed to the command manager (-1 before any).
    int32_t LastKeyCommand = -1;
    int TableSize() const { return static_cast<int>(Keys.size()); }
    // Set on every system key-down: a navigation key while Num Lock is off.
    bool NumLockNavigation = false;

private:
    struct TOverride {
        int32_t Command;
        uint32_t Key;
    };
    bool Overridden(int32_t command) const;

    std::vector<uint32_t> Keys;
    std::vector<int32_t> Commands; // ascending, paired with Keys
    std::vector<TOverride> Overrides;
    std::vector<int32_t> FRegistered;
    HWND FRegisteredWindow = nullptr;
    uint32_t FPending = 0;
    uint8_t Flags = 0; // bit 0 a command ran for the current key, bit 1 a key is being executed
};

THotKeyManager& HotKeyManager();

// A key-down of a document window handed to the hot-key manager; true when it used the key.
bool HandleShortcutKey(WORD key);

// A shortcut as text: "Ctrl+Maj+K" for one stroke, "Ctrl+K, Y" for two.
std::string HotKeyToText(uint32_t key);
