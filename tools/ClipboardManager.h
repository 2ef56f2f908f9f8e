// The clipboard manager: the one place that touches the system clipboard. For now it only answers
// whether the program may close; its history and the piggy bank come with the writing tools.
#pragma once

class TClipboardManager {
public:
    TClipboardManager();
    ~TClipboardManager();
    TClipboardManager(const TClipboardManager&) = delete;
    TClipboardManager& operator=(const TClipboardManager&) = delete;

    // Whether the program may close (nothing of the clipboard's needs keeping yet).
    bool CanClose() const { return true; }
};

// The one clipboard manager while it exists.
TClipboardManager* GetClipboardManager();
