// Metafiles made into bitmaps and bitmaps into metafiles, for the picture and drawing code.
#pragma once
#include <windows.h>

#include <memory>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Metafile_win.h"

class TGIFImage;

// Gives the bitmap the size (the metafile's own size when Size is 0 by 0), fills it white, plays the
// metafile over it and reduces its colours.
void DrawMetafileOnBitmap(const TMetafile& metafile, TBitmap& bitmap, SIZE size);
// The same on a new bitmap, handed over as a bitmap handle of the system (the caller deletes it).
HBITMAP MetafileToBitmapHandle(const TMetafile& metafile, SIZE size);
// The same on a new bitmap, assigned to Graphic.
void AssignMetafileAsBitmap(const TMetafile& metafile, TBitmap& graphic, SIZE size);
// A new metafile of the bitmap's size holding the bitmap; a transparent bitmap shows white where it
// is transparent.
std::unique_ptr<TMetafile> BitmapToMetafile(const TBitmap& bitmap);
// A new metafile of the GIF image's current frame, transparent where the frame has its transparent colour
// (white there) when the image draws transparently.
std::unique_ptr<TMetafile> GifImageToMetafile(const TGIFImage& image);
