// Readers of the data blocks that the clipboard and a drop hand over: each reads only within the size
// the system reports for the block, and refuses a damaged block instead of guessing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class TBitmap;

// Text of CF_TEXT and "Rich Text Format": up to the first zero byte or the block's end, whichever first.
std::string ReadClipboardText(const uint8_t* data, size_t size);
// Text of CF_UNICODETEXT: whole UTF-16 units up to the first zero unit or the block's end.
std::u16string ReadClipboardUnicodeText(const uint8_t* data, size_t size);

// A packed device-independent bitmap (CF_DIB: header, colour masks, colour table, rows). The colour
// table and the rows are found from the header (a colour count of 0 meaning the most the depth allows,
// bit-field masks after a 40-byte header or inside a larger one), every size checked against the
// block; 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed or with bit fields. Fills Bitmap (a palette
// format up to 8 bits, else 24 bits) and returns true; a damaged or unknown block returns false and
// leaves Bitmap as it was.
bool ReadClipboardDib(const uint8_t* data, size_t size, TBitmap& bitmap);
// A bitmap as a packed device-independent bitmap (40-byte header, colour table, rows), as CF_DIB holds.
std::string WriteClipboardDib(const TBitmap& bitmap);

// "FileGroupDescriptor": the number of items it lists and the flags of the first; false when the block
// is too short for the items it claims.
struct TFileGroupInfo {
    uint32_t Count = 0;
    uint32_t FirstFlags = 0;
};
bool ReadFileGroupDescriptor(const uint8_t* data, size_t size, TFileGroupInfo& info);
// The flag of a file descriptor that marks a dragged link.
constexpr uint32_t FileDescriptorLinkFlag = 0x8000;
// A descriptor block lists exactly one item, and that item is a link.
bool IsSingleDraggedLink(const uint8_t* data, size_t size);
