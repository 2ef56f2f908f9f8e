// Reading the picture files that the picture classes do not read: metafiles, icons, cursors and animated
// cursors.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class TBitmap;
class TDocObject;

// An enhanced metafile, or a Windows metafile with or without its placeable header, kept in the object as
// a metafile with its size; false when the bytes are not one.
bool LoadMetafilePicture(const std::vector<uint8_t>& bytes, bool windowsMetafile, TDocObject& object);
// The largest image of an icon or cursor file, or the first frame of an animated cursor, drawn on white
// through its mask; nothing when the bytes are not such a file.
std::unique_ptr<TBitmap> IconFileBitmap(const std::vector<uint8_t>& bytes);
std::unique_ptr<TBitmap> AnimatedCursorBitmap(const std::vector<uint8_t>& bytes);
