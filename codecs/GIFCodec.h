// The pixel coding of GIF frames: LZW decoding and encoding, and the reduction of bitmaps to 256 colours or
// grey.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "codecs/GIF.h"

// The bitmap of a frame's image data: 1, 4 or 8 bits per pixel by the size of its colour table (other sizes
// end in the silent abort), the table completed with grey (128, 128, 128). Rows the data does not reach keep
// index 0; data that ends too soon ends in the silent abort, as does a size the bitmap cannot take.
void DecodeGIFItem(const TGIFItem& item, bool interlaced, TBitmap& bitmap);

// The image data of a bitmap of 1, 4 or 8 bits per pixel: the minimum code size byte, the codes in sub-blocks
// of 255 bytes and the terminator. Rows are taken in the interlaced order when asked.
std::vector<uint8_t> EncodeGIFPixels(const TBitmap& bitmap, bool interlaced);

// An 8-bit bitmap of at most 256 colours near those of the source: the most frequent colours after the
// lowest bits of red, green and blue are dropped until no more than 2049 remain; unused entries are grey 128.
void ReduceGIFColors(const TBitmap& source, TBitmap& target);
// An 8-bit bitmap of the source's grey levels, palette entry i being (i, i, i).
void ConvertGIFToGrey(const TBitmap& source, TBitmap& target);

// The rows of a frame in the order the file holds them: top to bottom, or every 8th row from 0, every 8th
// from 4, every 4th from 2 and every 2nd from 1.
class TGIFRowOrder {
public:
    TGIFRowOrder(int32_t height, bool interlaced);
    bool Done() const { return Pass >= 4; }
    int32_t Row() const { return Current; }
    void Next();

private:
    void Settle();
    int32_t Height;
    bool Interlaced;
    int Pass = 0;
    int32_t Current = 0;
};
