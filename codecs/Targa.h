// The Targa picture class: reads Targa files, run-length coded or not, into 1-bit, 8-bit or 24-bit bitmaps.
#pragma once
#include <cstddef>
#include <cstdint>

#include "classlib/graphics/Bitmap.h"

class TTargaImage : public TBitmap {
public:
    // Reads the picture from the stream's position; a file it refuses ends in the silent abort.
    void LoadFromStream(TStream& stream) override;
};

// The decoding of a whole Targa file held in memory, with no system call: the bitmap's new content, or the
// silent abort.
void DecodeTarga(const uint8_t* data, size_t size, TBitmap& bitmap);
