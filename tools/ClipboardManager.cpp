// The clipboard manager's lifetime.
#include "tools/ClipboardManager.h"

namespace {

TClipboardManager* Manager = nullptr;

} // namespace

TClipboardManager::TClipboardManager()
{
    Manager = this;
}

TClipboardManager::~TClipboardManager()
{
    if (Manager == this)
        Manager = nullptr;
}

TClipboardManager* GetClipboardManager()
{
    return Manager;
}
