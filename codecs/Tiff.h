// The TIFF picture class: reads the last picture of a TIFF file into a 24-bit or 1-bit bitmap and writes any
// bitmap as a 24-bit RGB TIFF compressed with LZW.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"

class TTiffImage : public TBitmap {
public:
    // Decodes the TIFF file from the stream's position. A file that cannot be read ends in the silent abort;
    // a file whose first directory offset is 0 leaves an empty bitmap.
    void LoadFromStream(TStream& stream) override;
    // Writes the bitmap as one LZW strip of 24-bit RGB pixels at the stream's position.
    void SaveToStream(TStream& stream) override;
};

// The decoding of a whole TIFF file held in memory, with no system call: the bitmap's new content, or the
// silent abort.
void DecodeTiff(const uint8_t* data, size_t size, TBitmap& bitmap);
// A TIFF file of the bitmap, its resolution given in dots per inch.
std::vector<uint8_t> EncodeTiff(const TBitmap& bitmap, uint32_t dotsPerInchX, uint32_t dotsPerInchY);

// The Software text of the one writer known to store 12 significant bits in 16-bit grey samples.
extern const char TiffTwelveBitWriter[16];

// TIFF LZW: codes of 9 to 12 bits, most significant bit first, with the early change of code width; a strip
// that starts with the bytes 0 and 1 (or 3, 5, ...) holds the first coder's LZW instead: codes least
// significant bit first, widened only when the next free code needs it.
class TTiffLzwDecoder {
public:
    TTiffLzwDecoder(const uint8_t* data, size_t size);
    // Fills the row with the next bytes of the stream; false when the stream is corrupt or ends first.
    bool Decode(uint8_t* out, size_t count);

private:
    int ReadCode();
    int CodeWidth() const;
    const uint8_t* Data;
    size_t Size;
    size_t BitPos = 0;
    int Width = 9;
    int Next = 258;
    int Old = -1;
    bool Ended = false;
    bool Compat = false;
    std::vector<uint16_t> Prefix;
    std::vector<uint8_t> Suffix;
    std::vector<uint8_t> First;
    std::vector<uint16_t> Length;
    // Bytes of the last string that did not fit into the previous row.
    std::vector<uint8_t> Pending;
    size_t PendingAt = 0;
};

// The TIFF LZW stream of the bytes: a clear code first, a clear code again when the next free code reaches
// 4094, the end code, the last byte padded with zero bits.
std::vector<uint8_t> TiffLzwEncode(const std::vector<uint8_t>& bytes);
