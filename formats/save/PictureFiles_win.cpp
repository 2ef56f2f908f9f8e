// Writing a document's picture as a picture file: raster formats from a bitmap of the picture, the two
// metafile formats from its metafile (or one made of its bitmap); a JPEG picture keeps its own bytes.
#include "formats/save/PictureFiles.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Metafile_win.h"
#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Streams.h"
#include "codecs/GIF.h"
#include "codecs/JpegImage.h"
#include "codecs/PNG.h"
#include "codecs/Tiff.h"
#include "core/MetafileUtils.h"
#include "core/Messages.h"
#include "core/SafeSave.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/Metafiles.h"

namespace {

using TBytes = std::vector<uint8_t>;

// The picture's size on screen at 100 %, as the bitmap of a metafile is drawn.
void DisplaySize(const TDocObject& picture, int32_t& width, int32_t& height)
{
    width = std::max(1, picture.Document->TwipsToScreen(picture.Width));
    height = std::max(1, picture.Document->TwipsToScreen(picture.Height));
}

// The picture as an enhanced metafile handle (the caller deletes it); 0 when it has none.
HENHMETAFILE PictureMetafile(const TDocObjectImage& image)
{
    bool windowsMetafile = false;
    const TBytes bits = image.GetStoredMetafileBits(windowsMetafile);
    return reinterpret_cast<HENHMETAFILE>(MetafileFromBits(bits, windowsMetafile, image.MetafileHeader));
}

// The picture as a bitmap: a bitmap picture's own pixels, a metafile drawn at its display size.
std::unique_ptr<TBitmap> PictureBitmap(const TDocObject& picture)
{
    const TDocObjectImage& image = *picture.Image;
    if (image.Kind == ikBitmap) {
        const TBytes png = image.GetPngBytes();
        auto bitmap = std::make_unique<TPNGImage>();
        if (png.empty() || !DecodePng(png.data(), png.size(), *bitmap))
            throw EInvalidGraphic("Image illisible.");
        return bitmap;
    }
    const HENHMETAFILE metafile = PictureMetafile(image);
    if (!metafile)
        throw EInvalidGraphic("Image illisible.");
    int32_t width, height;
    DisplaySize(picture, width, height);
    auto bitmap = std::make_unique<TBitmap>();
    const bool drawn = RenderMetafile(reinterpret_cast<TMetafileHandle>(metafile), width, height, *bitmap);
    DeleteEnhMetaFile(metafile);
    if (!drawn)
        throw EInvalidGraphic("Image illisible.");
    return bitmap;
}

// The picture as an enhanced metafile: its own, or one holding its bitmap (the caller deletes it).
HENHMETAFILE EnhancedMetafile(const TDocObject& picture)
{
    if (picture.Image->Kind == ikMetafile) {
        if (HENHMETAFILE metafile = PictureMetafile(*picture.Image))
            return metafile;
        throw EInvalidGraphic("Image illisible.");
    }
    std::unique_ptr<TMetafile> made = BitmapToMetafile(*PictureBitmap(picture));
    return CopyEnhMetaFileA(made->Handle(), nullptr);
}

TBytes EnhancedBits(HENHMETAFILE metafile)
{
    TBytes bits(GetEnhMetaFileBits(metafile, 0, nullptr));
    if (bits.empty() || GetEnhMetaFileBits(metafile, UINT(bits.size()), bits.data()) != bits.size())
        throw EInvalidGraphic("Image illisible.");
    return bits;
}

// A Windows metafile file: the placeable header (the picture's size in twips, 1440 units an inch)
// before the metafile's bits.
TBytes WindowsMetafileFile(HENHMETAFILE metafile, const TDocObject& picture)
{
    HDC screen = GetDC(nullptr);
    const UINT size = GetWinMetaFileBits(metafile, 0, nullptr, MM_ANISOTROPIC, screen);
    TBytes bits(size);
    const bool ok = size && GetWinMetaFileBits(metafile, size, bits.data(), MM_ANISOTROPIC, screen) == size;
    ReleaseDC(nullptr, screen);
    if (!ok)
        throw EInvalidGraphic("Image illisible.");
    const auto clamp16 = [](int32_t v) { return static_cast<uint16_t>(std::clamp(v, 1, 32767)); };
    const uint16_t words[10] = {0xCDD7, 0x9AC6, 0, 0, 0, clamp16(picture.Width), clamp16(picture.Height),
                                1440,   0,      0};
    uint16_t checksum = 0;
    for (uint16_t w : words)
        checksum ^= w;
    TBytes file;
    for (uint16_t w : words)
        file.insert(file.end(), {uint8_t(w), uint8_t(w >> 8)});
    file.insert(file.end(), {uint8_t(checksum), uint8_t(checksum >> 8)});
    file.insert(file.end(), bits.begin(), bits.end());
    return file;
}

// 24-bit red, green, blue rows from the top.
TBytes RgbRows(const TBitmap& bitmap)
{
    const int32_t width = bitmap.GetWidth(), height = bitmap.GetHeight();
    TBytes rgb;
    rgb.reserve(size_t(width) * 3 * size_t(height));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const TRGBEntry c = bitmap.GetPixelColor(x, y);
            rgb.insert(rgb.end(), {c.Red, c.Green, c.Blue});
        }
    return rgb;
}

TBytes PictureFileBytes(const TDocObject& picture, int formatIndex)
{
    const TDocObjectImage& image = *picture.Image;
    switch (formatIndex) {
    case pfEmf:
    case pfWmf: {
        const HENHMETAFILE metafile = EnhancedMetafile(picture);
        try {
            TBytes bytes =
                formatIndex == pfEmf ? EnhancedBits(metafile) : WindowsMetafileFile(metafile, picture);
            DeleteEnhMetaFile(metafile);
            return bytes;
        } catch (...) {
            DeleteEnhMetaFile(metafile);
            throw;
        }
    }
    case pfJpeg: {
        if (!image.JpegBytes.empty())
            return image.JpegBytes;
        const std::unique_ptr<TBitmap> bitmap = PictureBitmap(picture);
        return EncodeJpeg(RgbRows(*bitmap), bitmap->GetWidth(), bitmap->GetHeight(), 90);
    }
    case pfPng:
        if (image.Kind == ikBitmap && image.JpegBytes.empty() && !image.GetPngBytes().empty())
            return image.GetPngBytes();
        return EncodePng(*PictureBitmap(picture));
    case pfGif: {
        TGIFImage gif;
        gif.Assign(*PictureBitmap(picture));
        TMemoryStream stream;
        gif.SaveToStream(stream);
        return TBytes(stream.Memory(), stream.Memory() + stream.GetSize());
    }
    case pfTiff: return EncodeTiff(*PictureBitmap(picture), 96, 96);
    default: {
        TMemoryStream stream;
        // The bitmap file format, whatever the class the pixels came in.
        PictureBitmap(picture)->TBitmap::SaveToStream(stream);
        return TBytes(stream.Memory(), stream.Memory() + stream.GetSize());
    }
    }
}

} // namespace

bool WritePictureFile(TDocObject& picture, const std::string& fileName, int formatIndex)
{
    if (!picture.Image) {
        ShowError("Image illisible.");
        return false;
    }
    TBytes bytes;
    try {
        bytes = PictureFileBytes(picture, formatIndex);
    } catch (const EAbort&) {
        return false;
    } catch (const Exception& e) {
        ShowError(e.Message);
        return false;
    }
    try {
        TSafeSave save(fileName);
        save.Stream().WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
        if (save.Commit())
            return true;
    } catch (const Exception&) {}
    ShowError("Impossible de créer le fichier \"" + fileName + "\".");
    return false;
}
