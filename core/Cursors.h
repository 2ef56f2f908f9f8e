// The program's mouse cursors: 40 slots, each loaded on first use from the cursor resource its name gives,
// or, where the program carries no such resource, from the system cursor that stands in for it.
#pragma once
#include <cstdint>

// Slot numbers of the named cursors (1 to 38).
enum TCursorSlot : int {
    crNormalCaret = 1,
    crItalicCaret,
    crSelectLine,
    crDragText,
    crDuplicateText,
    crSelectObject,
    crFormatByTemplateNormalCaret,
    crFormatByTemplateItalicCaret,
    crFormatByTemplateNormalArrow,
    crFormatByTemplateSelectLine,
    crHand,
    crFist,
    crMagnifyingGlass,
    crFinger,
    crHighlightNormalCaret,
    crHighlightItalicCaret,
    crHighlightNormalArrow,
    crHighlightSelectLine,
    crFontColorNormalCaret,
    crFontColorItalicCaret,
    crFontColorNormalArrow,
    crFontColorSelectLine,
    crClickTypeL,
    crClickTypeFL,
    crClickTypeC,
    crClickTypeR,
    crFormatPicker,
    crWheelScl00,
    crWheelScl01,
    crWheelScl02,
    crWheelScl10,
    crWheelScl11,
    crWheelScl12,
    crWheelScl20,
    crWheelScl21,
    crWheelScl22,
    crWheelScl11Static,
    crDragRemove,
    CursorSlotCount = 40
};

// The resource name of a slot; empty for a slot without one.
const char* CursorResourceName(int slot);

class TCursorManager {
public:
    // The cursor of a slot (loaded when needed); 0 for a slot outside the table.
    uintptr_t LoadCursorResource(int slot);
    // Makes the slot's cursor the current one of the system.
    void SetCursor(int slot);

private:
    uintptr_t Slots[CursorSlotCount] = {};
};

TCursorManager& CursorManager();
