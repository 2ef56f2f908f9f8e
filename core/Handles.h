// The system's drawing handles as the engine names them: opaque numbers, so that engine headers stay free
// of Windows. The Windows-only sources turn them back into the system's types.
#pragma once
#include <cstdint>

using TDCHandle = uintptr_t;       // a device context
using TFontHandle = uintptr_t;     // a logical font
using TBrushHandle = uintptr_t;    // a brush
using TRegionHandle = uintptr_t;   // a region
using TMetafileHandle = uintptr_t; // an enhanced or Windows metafile while it is live; 0 for none
using TBitmapHandle = uintptr_t;   // a device-dependent bitmap
