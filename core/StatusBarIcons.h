// The status bar's pictures: the six document-state icons with their hints and the spell-check status
// strip, each loaded from the program's bitmap resources on first use.
#pragma once
#include <cstdint>

// The document states that the status bar shows as icons, in their order on the bar.
enum TStatusIcon : int {
    siNewDocument = 0,
    siTemplate,
    siBackupAvailable,
    siRestored,
    siPrintPreview,
    siEncrypted,
    StatusIconCount
};

// The size of a spell-check status frame, and the icons' distance along the bar.
constexpr int SpellCheckStatusFrameSize = 16;
constexpr int StatusIconStep = 15;

class TStatusBarIcons {
public:
    TStatusBarIcons() = default;
    ~TStatusBarIcons();
    TStatusBarIcons(const TStatusBarIcons&) = delete;
    TStatusBarIcons& operator=(const TStatusBarIcons&) = delete;

    // The bitmap of icon I ("STATUSBARICON" and the digit), 0 outside 0 to 5 or without the resource.
    uintptr_t GetIcon(int i);
    // The hint of icon I; empty outside 0 to 5.
    static const char* GetHint(int i);
    // The strip of spell-check status frames ("SPLCHKSTATUS"), 16 by 16 side by side.
    uintptr_t GetSpellCheckStatusBitmap();

private:
    uintptr_t Icons[StatusIconCount] = {};
    uintptr_t SpellCheckStatus = 0;
};

TStatusBarIcons& StatusBarIcons();
