// The hot-key manager: the shortcut table, the overrides, two-stroke shortcuts and system-wide hot keys.
#include "shell/HotKeys.h"

#include <algorithm>
#include <cstring>

#include "classlib/runtime/Format.h"
#include "classlib/windowing/Controls.h"
#include "classlib/windowing/ShortCuts.h"
#include "core/Styles.h"
#include "document/Document.h"
#include "editing/OperationParams.h"
#include "formats/Encryption.h"
#include "shell/CommandManager.h"
#include "shell/MainForm.h"
#include "shell/ToolbarManager.h"

THotKeyManager& HotKeyManager()
{
    static THotKeyManager manager;
    return manager;
}

namespace {

constexpr int PrefixRows = 3;
constexpr uint32_t KeyOfCode(uint32_t key)
{
    return (key >> 8) & 0xFF;
}

uint32_t ReadU32(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// The commands that may act while the program is not focused: quit, and restore from the tray.
constexpr int32_t SystemWideCommands[] = {360, 90140};

// The document that a style shortcut acts on: the active one, when its window accepts editing.
TDocument* EditableDocument()
{
    TDocument* document = MainForm ? MainForm->GetActiveDocument() : nullptr;
    return document && document->Window && !document->GetModeFlag(mfConstructing) ? document : nullptr;
}

} // namespace

THotKeyManager::THotKeyManager()
{
    // The style descriptions show style shortcuts as this manager writes them.
    HotKeyToTextHook = [](int32_t key) { return HotKeyToText(static_cast<uint32_t>(key)); };
    HRSRC found = FindResourceA(nullptr, "HOTKEYTABLE", MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const auto* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!data)
        return;
    // The keys fill the first half of the resource, the commands the second.
    const size_t rows = SizeofResource(nullptr, found) / 8;
    for (size_t i = 0; i < rows; ++i) {
        Keys.push_back(ReadU32(data + 4 * i));
        Commands.push_back(static_cast<int32_t>(ReadU32(data + 4 * (rows + i))));
    }
}

bool THotKeyManager::Overridden(int32_t command) const
{
    return std::any_of(Overrides.begin(), Overrides.end(),
                       [command](const TOverride& o) { return o.Command == command; });
}

int32_t THotKeyManager::CommandForKeyCode(uint32_t key) const
{
    for (auto o = Overrides.rbegin(); o != Overrides.rend(); ++o)
        if (o->Key == key)
            return o->Command;
    for (size_t i = 0; i < Keys.size(); ++i)
        if (Keys[i] == key)
            return Overridden(Commands[i]) ? -1 : Commands[i];
    return -1;
}

uint32_t THotKeyManager::HotKeyOfCommand(int32_t command) const
{
    uint32_t key = 0;
    auto row = std::lower_bound(Commands.begin(), Commands.end(), command);
    if (row != Commands.end() && *row == command)
        key = Keys[static_cast<size_t>(row - Commands.begin())];
    for (auto o = Overrides.rbegin(); o != Overrides.rend(); ++o)
        if (o->Command == command)
            return o->Key;
    return key;
}

void THotKeyManager::SetHotKey(int32_t command, uint32_t key)
{
    RemoveOverrides(command);
    Overrides.push_back({command, key});
}

void THotKeyManager::RemoveOverrides(int32_t command)
{
    std::erase_if(Overrides, [command](const TOverride& o) { return o.Command == command; });
}

bool THotKeyManager::IsPendingStroke(uint32_t key) const
{
    if (key == 0)
        return false;
    for (size_t i = 0; i < Keys.size() && i < PrefixRows; ++i)
        if (Keys[i] == key)
            return true;
    return false;
}

int THotKeyManager::CommandForKey(uint32_t shift, uint32_t virtualKey)
{
    if (virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU ||
        (GetKeyState(VK_RMENU) & 0x8000))
        return 0;
    if (!IsPendingStroke(FPending))
        FPending = MakeKeyCode(shift, virtualKey);
    else
        FPending = (FPending & 0xFFFF) | (virtualKey & 0xFF) << 16;
    const int result = ExecuteKey(FPending);
    if (!IsPendingStroke(FPending))
        FPending = 0;
    return result;
}

int THotKeyManager::ExecuteKey(uint32_t key)
{
    Flags |= 2;
    struct TDone {
        uint8_t& Flags;
        ~TDone() { Flags &= ~2; }
    } done{Flags};
    const int32_t command = CommandForKeyCode(key);
    if (command != -1) {
        Flags |= 1;
        LastKeyCommand = command;
        CommandManager().ExecuteCommand(command);
        return 1;
    }
    TDocument* document = EditableDocument();
    if (!document)
        return 0;
    if (document->StyleList) {
        const TStyleList& styles = *document->StyleList;
        for (int32_t i = 0; i < styles.Count(); ++i) {
            if (styles.StyleOf(i)->ShortCut != static_cast<int32_t>(key))
                continue;
            TApplyStylesParams params;
            params.Range = document->Selection;
            params.Style = i;
            ExecuteOperation(*document, params);
            CommandManager().StampLastCommand();
            return 1;
        }
    }
    CommandManager().StampLastCommand();
    // An unbound two-stroke shortcut is swallowed.
    return (key >> 16) != 0 ? 1 : 0;
}

void THotKeyManager::WMKeyDown(TMessage& message)
{
    const auto key = static_cast<uint32_t>(message.WParam);
    GetEncryptionManager().AddEntropy(static_cast<int32_t>(key));
    if (TToolbarManager* toolbars = ToolbarManager())
        toolbars->HandleKeyDown(message);
    Flags &= ~1;
    if (key == VK_ESCAPE && MainForm && MainForm->FullScreen) {
        LastKeyCommand = 7000;
        CommandManager().ExecuteCommand(7000);
        message.Result = 1;
        return;
    }
    message.Result = CommandForKey(KeyboardShiftState(), key);
}

void THotKeyManager::WMKeyUp(TMessage& message)
{
    if (TToolbarManager* toolbars = ToolbarManager())
        toolbars->HandleKeyUp(message);
}

void THotKeyManager::WMSysKeyDown(TMessage& message)
{
    const auto key = static_cast<uint32_t>(message.WParam);
    GetEncryptionManager().AddEntropy(static_cast<int32_t>(key));
    Flags &= ~1;
    message.Result = 0;
    if (key < VK_SHIFT || key > VK_MENU)
        message.Result = CommandForKey(KeyboardShiftState(), key);
    const bool navigation = (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_CLEAR || key == VK_INSERT;
    NumLockNavigation = navigation && !(GetKeyState(VK_NUMLOCK) & 1);
}

void THotKeyManager::WMSysChar(TMessage& message)
{
    GetEncryptionManager().AddEntropy(static_cast<int32_t>(message.WParam));
    message.Result = 0;
    if (Flags & 1)
        return;
    const auto ch = static_cast<uint32_t>(message.WParam & 0xFF);
    uint32_t key = ch;
    if (ch >= 128) {
        const SHORT scan = VkKeyScanExA(static_cast<CHAR>(ch), GetKeyboardLayout(0));
        if (scan == -1)
            return;
        key = static_cast<uint32_t>(scan) & 0xFF;
    }
    message.Result = CommandForKey(KeyboardShiftState(), key);
}

bool HandleShortcutKey(WORD key)
{
    TMessage message = {WM_KEYDOWN, key, 0, 0};
    HotKeyManager().WMKeyDown(message);
    return message.Result != 0;
}

std::string HotKeyToText(uint32_t key)
{
    const std::string first = ShortCutToText(KeyOfCode(key), key & 0xFF);
    const uint32_t second = (key >> 16) & 0xFF;
    if (second == 0)
        return first;
    return Format("%s, %s", first, ShortCutToText(second, 0));
}

std::string THotKeyManager::CaptionWithHotKey(int32_t command, const std::string& caption) const
{
    const uint32_t key = HotKeyOfCommand(command);
    return key ? caption + "\t" + HotKeyToText(key) : caption;
}

void THotKeyManager::FreeKeys(std::vector<uint32_t>& list) const
{
    auto offer = [&](uint32_t key) {
        if (CommandForKeyCode(key) == -1)
            list.push_back(key);
    };
    // Letters only with Ctrl or two shift keys, digits only with Ctrl; F1 to F12 always.
    auto candidates = [&](bool letters, bool digits, auto make) {
        if (letters)
            for (uint32_t k = 'A'; k <= 'Z'; ++k)
                offer(make(k));
        if (digits)
            for (uint32_t k = '0'; k <= '9'; ++k)
                offer(make(k));
        for (uint32_t k = VK_F1; k <= VK_F12; ++k)
            offer(make(k));
    };
    static const uint32_t shifts[] = {
        0, ssCtrl, ssShift, ssCtrl | ssShift, ssCtrl | ssAlt, ssShift | ssAlt, ssCtrl | ssShift | ssAlt};
    for (uint32_t shift : shifts) {
        const bool letters = shift == ssCtrl || shift == (ssCtrl | ssShift) || shift == (ssShift | ssAlt) ||
                             shift == (ssCtrl | ssShift | ssAlt);
        candidates(letters, shift == ssCtrl, [shift](uint32_t k) { return MakeKeyCode(shift, k); });
    }
    for (size_t i = 0; i < Keys.size() && i < PrefixRows; ++i) {
        const uint32_t prefix = Keys[i];
        candidates(true, true, [prefix](uint32_t k) { return (prefix & 0xFFFF) | k << 16; });
    }
}

void THotKeyManager::RegisterHotKeys(HWND window)
{
    UnregisterHotKeys();
    FRegisteredWindow = window;
    for (int32_t command : SystemWideCommands) {
        const uint32_t key = HotKeyOfCommand(command);
        if (key == 0)
            continue;
        UINT modifiers = 0;
        if (key & ssShift)
            modifiers |= MOD_SHIFT;
        if (key & ssCtrl)
            modifiers |= MOD_CONTROL;
        if (key & ssAlt)
            modifiers |= MOD_ALT;
        // A key another program holds is not ours to have: the failure is ignored.
        RegisterHotKey(window, command, modifiers, KeyOfCode(key));
        FRegistered.push_back(command);
    }
}

void THotKeyManager::RegisterHotKeys()
{
    if (MainForm && MainForm->HandleAllocated())
        RegisterHotKeys(MainForm->Handle());
}

void THotKeyManager::UnregisterHotKeys()
{
    for (auto id = FRegistered.rbegin(); id != FRegistered.rend(); ++id)
        UnregisterHotKey(FRegisteredWindow, *id);
    FRegistered.clear();
}

void THotKeyManager::SetOverrides(const std::vector<uint8_t>& block)
{
    Overrides.clear();
    // Whole pairs only: a remainder shorter than a pair is left out.
    for (size_t at = 0; at + 8 <= block.size(); at += 8)
        Overrides.push_back(
            {static_cast<int32_t>(ReadU32(block.data() + at)), ReadU32(block.data() + at + 4)});
}

std::vector<uint8_t> THotKeyManager::GetOverrides() const
{
    std::vector<uint8_t> block;
    for (const TOverride& o : Overrides)
        for (uint32_t v : {static_cast<uint32_t>(o.Command), o.Key})
            for (int i = 0; i < 4; ++i)
                block.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return block;
}
