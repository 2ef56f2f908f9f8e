// Metafiles made into bitmaps and bitmaps into metafiles, for the picture and drawing code.
#pragma once
#include <cstdint>
#include <memory>

#include "core/Handles.h"

class TBitmap;
class TGIFImage;
class TMetafile;

// Gives the bitmap the size Width by Height (the metafile's own size when both are 0), fills it white,
// plays the metafile over it and reduces its colours.
void DrawMetafileOnBitmap(const TMetafile& metafile, TBitmap& bitmap, int32_t width, int32_t height);
// The same on a new bitmap, handed over as a bitmap handle of the system (the caller deletes it).
TBitmapHandle MetafileToBitmapHandle(const TMetafile& metafile, int32_t width, int32_t height);
// The same on a new bitmap, assigned to Graphic.
void AssignMetafileAsBitmap(const TMetafile& metafile, TBitmap& graphic, int32_t width, int32_t height);
// A new metafile of the bitmap's size holding the bitmap; a transparent bitmap shows white where it
// is transparent.
std::unique_ptr<TMetafile> BitmapToMetafile(const TBitmap& bitmap);
// A new metafile of the GIF image's current frame, transparent where the frame has its transparent colour
// (white there) when the image draws transparently.
std::unique_ptr<TMetafile> GifImageToMetafile(const TGIFImage& image);
