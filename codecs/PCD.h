// The Photo CD picture class: reads the base image (768 by 512 pixels) of a Photo CD file into a 24-bit
// bitmap, upright or turned as the file says.
#pragma once
#include <cstddef>
#include <cstdint>

#include "classlib/graphics/Bitmap.h"

class TPCDImage : public TBitmap {
public:
    // Reads the picture of the file that starts at the stream's position; a file too short for the base image
    // ends in the silent abort.
    void LoadFromStream(TStream& stream) override;
};

// The decoding of a whole Photo CD file held in memory, with no system call: the bitmap's new content, or the
// silent abort.
void DecodePCD(const uint8_t* data, size_t size, TBitmap& bitmap);
