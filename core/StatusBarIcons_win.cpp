// Loading the status bar's pictures from the program's bitmap resources.
#include <windows.h>

#include <string>

#include "core/InterfaceTexts.h"
#include "core/StatusBarIcons.h"

namespace {

uintptr_t LoadBitmapResource(const char* name)
{
    return reinterpret_cast<uintptr_t>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

} // namespace

TStatusBarIcons::~TStatusBarIcons()
{
    for (uintptr_t icon : Icons)
        if (icon)
            DeleteObject(reinterpret_cast<HGDIOBJ>(icon));
    if (SpellCheckStatus)
        DeleteObject(reinterpret_cast<HGDIOBJ>(SpellCheckStatus));
}

uintptr_t TStatusBarIcons::GetIcon(int i)
{
    if (i < 0 || i >= StatusIconCount)
        return 0;
    if (!Icons[i])
        Icons[i] = LoadBitmapResource(("STATUSBARICON" + std::to_string(i)).c_str());
    return Icons[i];
}

const char* TStatusBarIcons::GetHint(int i)
{
    // The window captions' table holds the same six texts in the same order.
    return i >= 0 && i < StatusIconCount ? WindowCaptions[i] : "";
}

uintptr_t TStatusBarIcons::GetSpellCheckStatusBitmap()
{
    if (!SpellCheckStatus)
        SpellCheckStatus = LoadBitmapResource("SPLCHKSTATUS");
    return SpellCheckStatus;
}

TStatusBarIcons& StatusBarIcons()
{
    static TStatusBarIcons icons;
    return icons;
}
