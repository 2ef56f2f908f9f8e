// What the picture readers share: a file's bytes read into memory under a size cap, bounded reads of them,
// and bitmaps made only within the class library's limits.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/graphics/Bitmap.h"

// The largest picture file a reader takes.
constexpr int64_t MaxPictureFileSize = 256LL * 1024 * 1024;

// The bytes from the stream's position to its end. A stream larger than the cap, or one that cannot be read,
// ends in the silent abort.
std::vector<uint8_t> ReadPictureBytes(TStream& stream);

// A fresh bitmap of the format and size; a size of 0 or beyond the bitmap's limits ends in the silent abort.
TBitmap MakePictureBitmap(TPixelFormat format, int64_t width, int64_t height);

// Bytes of a file read at any offset: what lies past the end reads as 0.
class TByteView {
public:
    TByteView(const uint8_t* data, size_t size) : Data(data), Size(size) {}
    size_t GetSize() const { return Size; }
    const uint8_t* Bytes() const { return Data; }
    uint8_t U8(uint64_t at) const { return at < Size ? Data[at] : 0; }
    uint16_t U16LE(uint64_t at) const { return static_cast<uint16_t>(U8(at) | (U8(at + 1) << 8)); }
    uint16_t U16BE(uint64_t at) const { return static_cast<uint16_t>((U8(at) << 8) | U8(at + 1)); }
    uint32_t U32LE(uint64_t at) const { return U16LE(at) | (static_cast<uint32_t>(U16LE(at + 2)) << 16); }
    uint32_t U32BE(uint64_t at) const { return (static_cast<uint32_t>(U16BE(at)) << 16) | U16BE(at + 2); }
    // Whether Count bytes from At all lie in the file.
    bool Holds(uint64_t at, uint64_t count) const { return at <= Size && count <= Size - at; }

private:
    const uint8_t* Data;
    size_t Size;
};
