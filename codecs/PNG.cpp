// The PNG image: loading and saving through its chunk list, and its registration as a picture format.
#include "codecs/PNG.h"

#include <cstring>

#include "classlib/graphics/Picture.h"
#include "classlib/runtime/Exceptions.h"

namespace {

constexpr uint8_t Signature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

std::unique_ptr<TGraphic> MakePNGImage()
{
    return std::make_unique<TPNGImage>();
}

// Start-up: the chunk classes, and the picture format "png".
const bool Registered = [] {
    GetChunkClasses();
    TPicture::RegisterFileFormat("png", "", MakePNGImage);
    return true;
}();

} // namespace

TPNGImage::TPNGImage() : Chunks(std::make_unique<TChunkList>(*this))
{
    MakeDefaultChunks();
}

TPNGImage::~TPNGImage() = default;

void TPNGImage::MakeDefaultChunks()
{
    Chunks->Clear();
    Chunks->Add(std::make_unique<TChunkIHDR>(*Chunks));
    Chunks->Add(std::make_unique<TChunkIDAT>(*Chunks));
    Chunks->Add(std::make_unique<TChunkIEND>(*Chunks));
}

void TPNGImage::Assign(const TBitmap& source)
{
    TBitmap::Assign(source);
    if (auto* png = dynamic_cast<const TPNGImage*>(&source))
        Filters = png->Filters;
}

void TPNGImage::LoadFromStream(TStream& stream)
{
    // A file that cannot be read leaves the image as it was.
    TBitmap previous;
    previous.Assign(*this);
    std::unique_ptr<TChunkList> previousChunks = std::move(Chunks);
    Chunks = std::make_unique<TChunkList>(*this);
    try {
        uint8_t signature[8];
        if (stream.GetSize() - stream.GetPosition() < static_cast<int64_t>(sizeof signature))
            Abort();
        stream.ReadBuffer(signature, sizeof signature);
        if (std::memcmp(signature, Signature, sizeof signature) != 0)
            Abort();
        while (stream.GetPosition() < stream.GetSize() && Chunks->ReadChunk(stream)) {}
        if (Chunks->Count() == 0 || !dynamic_cast<TChunkIHDR*>(&Chunks->Item(0)) ||
            Chunks->FindChunk<TChunkIDAT>() < 0)
            Abort();
        LoadGamma = nullptr;
        PaletteLoaded = false;
        for (int i = 0; i < Chunks->Count(); ++i)
            Chunks->Item(i).Apply();
        LoadGamma = nullptr;
    } catch (...) {
        LoadGamma = nullptr;
        Chunks = std::move(previousChunks);
        TBitmap::Assign(previous);
        try {
            throw;
        } catch (const EStreamError&) {
            // Damaged compressed data or a stream that ends too soon: the file is not readable.
            Abort();
        }
    }
}

void TPNGImage::CheckChunkOrder()
{
    if (Chunks->Count() == 0)
        MakeDefaultChunks();
    if (!dynamic_cast<TChunkIHDR*>(&Chunks->Item(0)))
        Chunks->Insert(0, std::make_unique<TChunkIHDR>(*Chunks));
    if (Chunks->FindChunk<TChunkIEND>() < 0)
        Chunks->Add(std::make_unique<TChunkIEND>(*Chunks));
    if (Chunks->FindChunk<TChunkIDAT>() < 0)
        Chunks->Insert(Chunks->FindChunk<TChunkIEND>(), std::make_unique<TChunkIDAT>(*Chunks));
    // The palette goes right before the image data: after the header and after a gamma chunk, which applies
    // to it.
    if (IsPaletted() && Chunks->FindChunk<TChunkPLTE>() < 0)
        Chunks->Insert(Chunks->FindChunk<TChunkIDAT>(), std::make_unique<TChunkPLTE>(*Chunks));
}

void TPNGImage::SaveToStream(TStream& stream)
{
    if (Empty())
        Abort();
    if (!IsPaletted() && GetPixelFormat() != pf24bit)
        SetPixelFormat(pf24bit);
    stream.WriteBuffer(Signature, sizeof Signature);
    CheckChunkOrder();
    for (int i = 0; i < Chunks->Count(); ++i)
        Chunks->Item(i).SaveToStream(stream);
}

bool DecodePng(const uint8_t* bytes, size_t size, TPNGImage& png)
{
    if (size == 0 || size > size_t(INT32_MAX))
        return false;
    TMemoryStream stream;
    stream.WriteBuffer(bytes, static_cast<int32_t>(size));
    stream.SetPosition(0);
    try {
        png.LoadFromStream(stream);
    } catch (const Exception&) {
        return false;
    }
    return !png.Empty();
}

std::vector<uint8_t> EncodePng(const TBitmap& bitmap)
{
    TPNGImage png;
    png.Assign(bitmap);
    TMemoryStream stream;
    png.SaveToStream(stream);
    return std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.GetSize());
}
