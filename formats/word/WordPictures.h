// What the Word reader's pictures need besides the picture classes: bitmaps made PNG pictures.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A device-independent bitmap (its header, palette and rows; uncompressed, of 1, 4, 8, 24 or 32 bits)
// as the bytes of a PNG file; none when it is another kind or its data do not hold its rows.
std::vector<uint8_t> DibAsPng(const uint8_t* bitmap, size_t size);
