// Reading a picture file into memory and making its bitmap within the limits.
#include "codecs/PictureBytes.h"

std::vector<uint8_t> ReadPictureBytes(TStream& stream)
{
    try {
        const int64_t size = stream.GetSize() - stream.GetPosition();
        if (size < 0 || size > MaxPictureFileSize)
            Abort();
        std::vector<uint8_t> bytes(static_cast<size_t>(size));
        if (size > 0)
            stream.ReadBuffer(bytes.data(), static_cast<int32_t>(size));
        return bytes;
    } catch (const EStreamError&) {
        Abort();
    }
}

TBitmap MakePictureBitmap(TPixelFormat format, int64_t width, int64_t height)
{
    if (width < 1 || height < 1 || width > TBitmap::MaxDimension || height > TBitmap::MaxDimension ||
        width * height > TBitmap::MaxPixels)
        Abort();
    TBitmap bitmap;
    bitmap.SetPixelFormat(format);
    try {
        bitmap.SetSize(static_cast<int32_t>(width), static_cast<int32_t>(height));
    } catch (const EInvalidGraphic&) {
        Abort();
    }
    return bitmap;
}
