// Object pictures: packing and unpacking, memory accounting and the scaled rendering for the screen.
#include "document/DocObjects.h"

#include <zlib.h>

#include "classlib/graphics/Bitmap.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Metafiles.h"
#include "codecs/PNG.h"
#include "codecs/Resample.h"
#include "codecs/Zlib.h"

namespace {

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& bytes, int level = Z_DEFAULT_COMPRESSION)
{
    uLongf size = compressBound(uLong(bytes.size()));
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, bytes.data(), uLong(bytes.size()), level) != Z_OK)
        throw EOutOfMemory();
    out.resize(size);
    return out;
}

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& bytes, int32_t estimate)
{
    return DecompressBuffer(bytes.data(), int32_t(bytes.size()), estimate);
}

// Decodes PNG bytes into a 24-bit image; false when they are no picture.
bool LoadPng(const std::vector<uint8_t>& bytes, TPNGImage& png)
{
    if (!DecodePng(bytes.data(), bytes.size(), png))
        return false;
    if (png.GetPixelFormat() != pf24bit)
        png.SetPixelFormat(pf24bit);
    return true;
}

int64_t BitmapBytes(const TBitmap& bitmap)
{
    return (int64_t(bitmap.GetWidth()) * bitmap.BitsPerPixel() + 7) / 8 * bitmap.GetHeight();
}

} // namespace

void FadeBitmap(TBitmap& bitmap)
{
    // A light grey of the picture's own brightness, like text outside the edited story.
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y) {
        uint8_t* row = bitmap.ScanLine(y);
        for (int32_t x = 0; x < bitmap.GetWidth(); ++x) {
            uint8_t* p = row + x * 3;
            const int grey = (p[0] * 114 + p[1] * 587 + p[2] * 299) / 1000;
            p[0] = p[1] = p[2] = uint8_t(128 + grey / 2);
        }
    }
}

TDocObjectImage::TDocObjectImage(TDocObject* owner) : Owner(owner) {}

TDocObjectImage::~TDocObjectImage()
{
    DeleteMetafile(Metafile);
}

void TDocObjectImage::Count(int delta)
{
    if (Owner->Listed)
        DocumentHost().CountLivePicture(LiveSize, delta);
}

void TDocObjectImage::SetBitmap(std::unique_ptr<TBitmap> bitmap)
{
    if (IsLive())
        Count(-1);
    DeleteMetafile(Metafile);
    Metafile = 0;
    Kind = ikBitmap;
    Bitmap = std::move(bitmap);
    PackedBytes.clear();
    JpegBytes.clear();
    Packed = false;
    ScaledRendering.reset();
    PngRendering.clear();
    LiveSize = BitmapBytes(*Bitmap);
    Count(1);
}

void TDocObjectImage::SetPacked(TDocImageKind kind, std::vector<uint8_t> bytes)
{
    if (IsLive())
        Count(-1);
    DeleteMetafile(Metafile);
    Metafile = 0;
    Bitmap.reset();
    SecondGraphic.reset();
    Kind = kind;
    PackedBytes = std::move(bytes);
    JpegBytes.clear();
    DeflatedTwice = false;
    UnpackedSize = 0;
    Packed = true;
    LiveSize = 0;
    ScaledRendering.reset();
    PngRendering.clear();
}

void TDocObjectImage::SetMetafileBits(const std::vector<uint8_t>& bits, bool windowsMetafile,
                                      const TMetafileHeader& header)
{
    SetPacked(ikMetafile, Deflate(bits));
    MetafileHeader = header;
    FromWindowsMetafile = windowsMetafile;
}

void TDocObjectImage::SetPngBytes(std::vector<uint8_t> bytes)
{
    SetPacked(ikBitmap, std::move(bytes));
}

int64_t TDocObjectImage::GetMemorySize() const
{
    int64_t size = int64_t(sizeof(*this)) + int64_t(PackedBytes.size()) + int64_t(PngRendering.size()) +
                   int64_t(PreviewBytes.size());
    if (IsLive())
        size += LiveSize;
    if (ScaledRendering)
        size += BitmapBytes(*ScaledRendering);
    if (auto* second = dynamic_cast<const TBitmap*>(SecondGraphic.get()))
        size += BitmapBytes(*second);
    return size;
}

std::vector<uint8_t> TDocObjectImage::InflatedBits() const
{
    if (!DeflatedTwice)
        return Inflate(PackedBytes, 0);
    return Inflate(Inflate(PackedBytes, UnpackedSize), 0);
}

std::vector<uint8_t> TDocObjectImage::GetPngBytes() const
{
    if (Kind != ikBitmap)
        return {};
    return Bitmap ? EncodePng(*Bitmap) : PackedBytes;
}

std::vector<uint8_t> TDocObjectImage::GetStoredMetafileBits(bool& windowsMetafile) const
{
    windowsMetafile = false;
    if (Kind != ikMetafile)
        return {};
    if (Metafile)
        return GetMetafileBits(Metafile);
    windowsMetafile = FromWindowsMetafile;
    return InflatedBits();
}

void TDocObjectImage::DeflateAgain()
{
    if (Kind != ikMetafile || !Packed || DeflatedTwice)
        return;
    std::vector<uint8_t> twice = Deflate(PackedBytes, Z_BEST_COMPRESSION);
    UnpackedSize = int32_t(PackedBytes.size());
    PackedBytes = std::move(twice);
    DeflatedTwice = true;
}

void TDocObjectImage::Pack()
{
    if (Kind == ikMetafile) {
        const std::vector<uint8_t> bits = GetMetafileBits(Metafile);
        if (bits.empty())
            return; // the live metafile stays as it is rather than lose the picture
        PackedBytes = Deflate(bits);
        UnpackedSize = 0;
        DeflatedTwice = false;
        FromWindowsMetafile = false;
        Count(-1);
        DeleteMetafile(Metafile);
        Metafile = 0;
    } else {
        PackedBytes = EncodePng(*Bitmap);
        if (!PreviewBytes.empty()) {
            TPNGImage preview;
            if (LoadPng(PreviewBytes, preview))
                PreviewBytes = EncodePng(preview);
        }
        Count(-1);
        Bitmap.reset();
    }
    SecondGraphic.reset();
    Packed = true;
}

bool TDocObjectImage::Unpack()
{
    TDocumentHost& host = DocumentHost();
    if (Owner->Listed && host.PictureCacheFull())
        host.FreeOldestPictureCache(Owner);
    if (Owner->Listed && host.PictureCacheFull())
        return false;
    try {
        if (Kind == ikMetafile) {
            const std::vector<uint8_t> bits = InflatedBits();
            Metafile = MetafileFromBits(bits, FromWindowsMetafile, MetafileHeader);
            if (!Metafile)
                return false;
            LiveSize = int64_t(bits.size());
        } else {
            auto png = std::make_unique<TPNGImage>();
            if (!LoadPng(PackedBytes, *png))
                return false;
            LiveSize = BitmapBytes(*png);
            Bitmap = std::move(png);
        }
    } catch (const EStreamError&) {
        return false; // damaged packed bytes: the picture stays packed
    }
    Packed = false;
    Count(1);
    // Another decoded picture of the open documents makes room for this one.
    if (Owner->Listed && host.PictureCacheFull())
        host.FreeOldestPictureCache(Owner);
    return true;
}

void TDocObjectImage::SetCompressed(bool pack)
{
    if (pack && IsLive())
        Pack();
    else if (!pack && Packed && !IsLive())
        Unpack();
}

void TDocObjectImage::MakePngData()
{
    if (!PngRendering.empty())
        return;
    SetCompressed(false);
    if (Bitmap) {
        PngRendering = EncodePng(*Bitmap);
        return;
    }
    int32_t width, height;
    Owner->GetPixelSize(width, height);
    TBitmap rendering;
    if (RenderMetafile(Metafile, width, height, rendering))
        PngRendering = EncodePng(rendering);
}

bool TDocObjectImage::PrepareScaledImage(const TObjectPlacement& placement)
{
    const TDocument& document = *Owner->Document;
    const int32_t w = document.ApplyZoom(document.TwipsToScreenScaled(Owner->Width, Owner->ScaleX));
    const int32_t h = document.ApplyZoom(document.TwipsToScreenScaled(Owner->Height, Owner->ScaleY));
    const bool greyed = (placement.Flags & opGreyed) != 0;
    const bool scaled = Owner->ScaleX != 100 || Owner->ScaleY != 100 || document.ViewState.ZoomPercent != 100;
    const bool wanted = greyed || (int64_t(w) * h <= 786432 && w >= 2 && h >= 2 && scaled);
    // A picture of no size has nothing to resample.
    if (!wanted || w < 1 || h < 1)
        return false;
    if (ScaledRendering && ScaledRendering->GetWidth() == w && ScaledRendering->GetHeight() == h &&
        RenderingGreyed == greyed)
        return true;

    // The source: the live bitmap in 24 bits (or a copy of it), its packed bytes, or a metafile's rendering.
    TPNGImage decoded;
    const TBitmap* source = nullptr;
    if (Bitmap && Bitmap->GetPixelFormat() == pf24bit) {
        source = Bitmap.get();
    } else if (Bitmap) {
        decoded.Assign(*Bitmap);
        decoded.SetPixelFormat(pf24bit);
        source = &decoded;
    } else if (Kind == ikBitmap) {
        if (LoadPng(PackedBytes, decoded))
            source = &decoded;
    } else {
        MakePngData();
        if (LoadPng(PngRendering, decoded))
            source = &decoded;
    }
    if (!source || source->Empty())
        return false;
    auto rendering = std::make_unique<TPNGImage>();
    rendering->SetPixelFormat(pf24bit);
    rendering->SetSize(w, h);
    Resample(*source, *rendering);
    if (greyed)
        FadeBitmap(*rendering);
    ScaledRendering = std::move(rendering);
    RenderingGreyed = greyed;
    return true;
}
