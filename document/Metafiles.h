// What the pictures of a document ask of the system's metafiles.
#pragma once
#include <cstdint>
#include <vector>

#include "document/DocObjects.h"

// A live metafile from its bits (Windows-metafile bits are placed by Header); 0 when the bits are not
// a metafile or the system has no metafiles.
TMetafileHandle MetafileFromBits(const std::vector<uint8_t>& bits, bool windowsMetafile,
                                 const TMetafileHeader& header);
// The enhanced-metafile bits of a live metafile.
std::vector<uint8_t> GetMetafileBits(TMetafileHandle metafile);
void DeleteMetafile(TMetafileHandle metafile);
// Plays the metafile into a 24-bit bitmap of the given size (white background); false when it cannot.
bool RenderMetafile(TMetafileHandle metafile, int32_t width, int32_t height, TBitmap& out);
