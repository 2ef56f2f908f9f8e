// Loading the cursors of the slots through the system.
#include <windows.h>

#include "core/Cursors.h"

namespace {

// The system cursor that stands in for a slot whose resource the program does not carry.
const char* StandIn(int slot)
{
    switch (slot) {
    case crNormalCaret:
    case crItalicCaret:
    case crFormatByTemplateNormalCaret:
    case crFormatByTemplateItalicCaret:
    case crHighlightNormalCaret:
    case crHighlightItalicCaret:
    case crFontColorNormalCaret:
    case crFontColorItalicCaret:
    case crClickTypeL:
    case crClickTypeFL:
    case crClickTypeC:
    case crClickTypeR: return IDC_IBEAM;
    case crSelectObject:
    case crFist:
    case crWheelScl00:
    case crWheelScl01:
    case crWheelScl02:
    case crWheelScl10:
    case crWheelScl11:
    case crWheelScl12:
    case crWheelScl20:
    case crWheelScl21:
    case crWheelScl22:
    case crWheelScl11Static: return IDC_SIZEALL;
    case crHand:
    case crFinger: return IDC_HAND;
    case crMagnifyingGlass:
    case crFormatPicker: return IDC_CROSS;
    case crDragRemove: return IDC_NO;
    default: return IDC_ARROW;
    }
}

} // namespace

uintptr_t TCursorManager::LoadCursorResource(int slot)
{
    if (slot <= 0 || slot >= CursorSlotCount)
        return 0;
    if (!Slots[slot]) {
        HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), CursorResourceName(slot));
        if (!cursor)
            cursor = LoadCursorA(nullptr, StandIn(slot));
        Slots[slot] = reinterpret_cast<uintptr_t>(cursor);
    }
    return Slots[slot];
}

void TCursorManager::SetCursor(int slot)
{
    if (const uintptr_t cursor = LoadCursorResource(slot))
        ::SetCursor(reinterpret_cast<HCURSOR>(cursor));
}
