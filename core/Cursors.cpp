// The cursor names of the slots.
#include "core/Cursors.h"

namespace {

const char* const CursorNames[CursorSlotCount] = {
    "",
    "NormalCaret",
    "ItalicCaret",
    "SelectLine",
    "DragText",
    "DuplicateText",
    "SelectObject",
    "FormatByTemplateNormalCaret",
    "FormatByTemplateItalicCaret",
    "FormatByTemplateNormalArrow",
    "FormatByTemplateSelectLine",
    "Hand",
    "Fist",
    "MagnifyingGlass",
    "Finger",
    "HighlightNormalCaret",
    "HighlightItalicCaret",
    "HighlightNormalArrow",
    "HighlightSelectLine",
    "FontColorNormalCaret",
    "FontColorItalicCaret",
    "FontColorNormalArrow",
    "FontColorSelectLine",
    "ClickTypeL",
    "ClickTypeFL",
    "ClickTypeC",
    "ClickTypeR",
    "FormatPicker",
    "WheelScl_00",
    "WheelScl_01",
    "WheelScl_02",
    "WheelScl_10",
    "WheelScl_11",
    "WheelScl_12",
    "WheelScl_20",
    "WheelScl_21",
    "WheelScl_22",
    "WheelScl_11_Static",
    "DragRemove",
    "",
};

} // namespace

const char* CursorResourceName(int slot)
{
    return slot >= 0 && slot < CursorSlotCount ? CursorNames[slot] : "";
}

TCursorManager& CursorManager()
{
    static TCursorManager manager;
    return manager;
}
