// What the colour services ask of the system: its user-interface colours and solid brushes.
#pragma once
#include "core/Colors.h"

// System colour indexes the colour schemes use.
enum : int {
    SysColorWindow = 5,
    SysColorWindowText = 8,
    SysColorButtonFace = 15,
    SysColorButtonShadow = 16,
};

// The current value of a system colour.
TColorRef GetSystemColor(int index);
// A new solid brush of a colour (0 where the system has none), and its release.
TBrushHandle CreateSolidBrushHandle(TColorRef color);
void DeleteBrushHandle(TBrushHandle brush);
