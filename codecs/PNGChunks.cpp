// PNG chunks: the chunk base and list, the chunk class registry, and the header, gamma, palette and end
// chunks.
#include "codecs/PNG.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

uint32_t GetBE32(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

void PutBE32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

bool IsUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

bool IsLetter(char c)
{
    return IsUpper(c) || (c >= 'a' && c <= 'z');
}

template<class T>
std::unique_ptr<TChunk> MakeChunk(TChunkList& owner)
{
    return std::make_unique<T>(owner);
}

// The header chunk of a list being applied: always its first chunk.
const TChunkIHDR& HeaderOf(TChunkList& list)
{
    auto* header = list.Count() > 0 ? dynamic_cast<const TChunkIHDR*>(&list.Item(0)) : nullptr;
    if (!header)
        Abort();
    return *header;
}

} // namespace

// --- Chunk base
// --------------------------------------------------------------------------------------------------

TChunk::TChunk(TChunkList& owner, const char* type) : Owner(owner), Type(type, 4) {}

TPNGImage& TChunk::Image()
{
    return Owner.Image;
}

void TChunk::Assign(const TChunk& source)
{
    Type = source.Type;
    Data.Clear();
    Data.WriteBuffer(source.Data.Memory(),
                     static_cast<int32_t>(const_cast<TMemoryStream&>(source.Data).GetSize()));
}

void TChunk::SaveToStream(TStream& stream)
{
    if (!IsUpper(Type[3]))
        return;
    const int64_t size = Data.GetSize();
    if (size > 0x7FFFFFFF)
        throw EInvalidGraphic("L'image est trop grande pour être enregistrée.");
    uint8_t head[8];
    PutBE32(head, static_cast<uint32_t>(size));
    std::memcpy(head + 4, Type.data(), 4);
    uint32_t crc = UpdateCrc32(0xFFFFFFFFu, Type.data(), 4);
    crc = UpdateCrc32(crc, Data.Memory(), static_cast<size_t>(size)) ^ 0xFFFFFFFFu;
    uint8_t tail[4];
    PutBE32(tail, crc);
    stream.WriteBuffer(head, sizeof head);
    stream.WriteBuffer(Data.Memory(), static_cast<int32_t>(size));
    stream.WriteBuffer(tail, sizeof tail);
}

// --- Header
// ------------------------------------------------------------------------------------------------------

TChunkIHDR::TChunkIHDR(TChunkList& owner) : TChunk(owner, "IHDR") {}

void TChunkIHDR::Apply()
{
    if (Data.GetSize() != 13)
        Abort();
    const uint8_t* p = Data.Memory();
    Width = GetBE32(p);
    Height = GetBE32(p + 4);
    BitDepth = p[8];
    ColorType = p[9];
    CompressionMethod = p[10];
    FilterMethod = p[11];
    InterlaceMethod = p[12];

    bool depthOk = false;
    switch (ColorType) {
    case 0:
        depthOk = BitDepth == 1 || BitDepth == 2 || BitDepth == 4 || BitDepth == 8 || BitDepth == 16;
        break;
    case 3: depthOk = BitDepth == 1 || BitDepth == 2 || BitDepth == 4 || BitDepth == 8; break;
    case 2:
    case 4:
    case 6: depthOk = BitDepth == 8 || BitDepth == 16; break;
    }
    if (!depthOk || CompressionMethod != 0 || FilterMethod != 0 || InterlaceMethod > 1)
        Abort();
    if (Width == 0 || Height == 0 || Width > TBitmap::MaxDimension || Height > TBitmap::MaxDimension ||
        static_cast<int64_t>(Width) * Height > TBitmap::MaxPixels)
        Abort();

    TPixelFormat format = pf24bit;
    if (ColorType == 0 || ColorType == 3 || ColorType == 4)
        format = BitDepth == 1 ? pf1bit : BitDepth <= 4 ? pf4bit : pf8bit;
    TPNGImage& image = Image();
    image.SetSize(0, 0);
    image.SetPixelFormat(format);
    image.SetSize(static_cast<int32_t>(Width), static_cast<int32_t>(Height));
}

void TChunkIHDR::SaveToStream(TStream& stream)
{
    TPNGImage& image = Image();
    Width = static_cast<uint32_t>(image.GetWidth());
    Height = static_cast<uint32_t>(image.GetHeight());
    if (image.IsPaletted()) {
        ColorType = 3;
        BitDepth = static_cast<uint8_t>(image.BitsPerPixel());
    } else {
        ColorType = 2;
        BitDepth = 8;
    }
    CompressionMethod = 0;
    FilterMethod = 0;
    InterlaceMethod = 0;
    uint8_t p[13];
    PutBE32(p, Width);
    PutBE32(p + 4, Height);
    p[8] = BitDepth;
    p[9] = ColorType;
    p[10] = CompressionMethod;
    p[11] = FilterMethod;
    p[12] = InterlaceMethod;
    Data.Clear();
    Data.WriteBuffer(p, sizeof p);
    TChunk::SaveToStream(stream);
}

// --- Gamma
// -------------------------------------------------------------------------------------------------------

TChunkGAMA::TChunkGAMA(TChunkList& owner) : TChunk(owner, "gAMA")
{
    for (int i = 0; i < 256; ++i)
        GammaTable[static_cast<size_t>(i)] = InverseTable[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
}

void TChunkGAMA::MakeTables()
{
    const double exponent = 1.0 / (2.2 * (Gamma / 100000.0));
    std::array<int, 256> inverse;
    inverse.fill(-1);
    for (int i = 0; i < 256; ++i) {
        double v = std::nearbyint(255.0 * std::pow(i / 255.0, exponent));
        GammaTable[static_cast<size_t>(i)] = static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
        inverse[GammaTable[static_cast<size_t>(i)]] = i;
    }
    // Values that no level corrects to take the level of the nearest value that one does, so a picture
    // changed after loading is written back close to what it shows.
    for (int v = 0; v < 256; ++v) {
        int found = inverse[static_cast<size_t>(v)];
        for (int d = 1; found < 0 && d < 256; ++d) {
            if (v - d >= 0 && inverse[static_cast<size_t>(v - d)] >= 0)
                found = inverse[static_cast<size_t>(v - d)];
            else if (v + d < 256 && inverse[static_cast<size_t>(v + d)] >= 0)
                found = inverse[static_cast<size_t>(v + d)];
        }
        InverseTable[static_cast<size_t>(v)] = static_cast<uint8_t>(std::max(found, 0));
    }
}

void TChunkGAMA::Apply()
{
    Gamma = Data.GetSize() == 4 ? GetBE32(Data.Memory()) : 0;
    if (!IsValid())
        return;
    MakeTables();
    Image().LoadGamma = this;
}

void TChunkGAMA::Assign(const TChunk& source)
{
    TChunk::Assign(source);
    if (auto* gamma = dynamic_cast<const TChunkGAMA*>(&source)) {
        Gamma = gamma->Gamma;
        GammaTable = gamma->GammaTable;
        InverseTable = gamma->InverseTable;
    }
}

// --- Palette
// -----------------------------------------------------------------------------------------------------

TChunkPLTE::TChunkPLTE(TChunkList& owner) : TChunk(owner, "PLTE") {}

void TChunkPLTE::Apply()
{
    const int64_t size = Data.GetSize();
    const int64_t count = size / 3;
    if (size % 3 != 0 || count == 0 || count > 256)
        Abort();
    const TChunkIHDR& header = HeaderOf(Owner);
    // Only a palette image takes the palette; for the others it is a mere suggestion.
    if (header.ColorType != 3)
        return;
    if (count > (1 << header.BitDepth))
        Abort();
    TPNGImage& image = Image();
    std::vector<TRGBEntry> palette(static_cast<size_t>(count));
    const uint8_t* p = Data.Memory();
    for (auto& entry : palette) {
        entry = {p[0], p[1], p[2]};
        if (image.LoadGamma) {
            const auto& table = image.LoadGamma->GammaTable;
            entry = {table[entry.Red], table[entry.Green], table[entry.Blue]};
        }
        p += 3;
    }
    image.SetPalette(std::move(palette));
    image.PaletteLoaded = true;
}

void TChunkPLTE::SaveToStream(TStream& stream)
{
    TPNGImage& image = Image();
    std::vector<TRGBEntry> palette = image.GetPalette();
    if (image.IsPaletted()) {
        // Every index the rows use gets an entry.
        int most = 0;
        const int bits = image.BitsPerPixel();
        for (int32_t y = 0; y < image.GetHeight(); ++y) {
            const uint8_t* row = image.ScanLine(y);
            for (int32_t x = 0; x < image.GetWidth(); ++x)
                most = std::max(most, TBitmap::GetPixelIndex(row, x, bits));
        }
        if (palette.size() <= static_cast<size_t>(most))
            palette.resize(static_cast<size_t>(most) + 1);
    }
    if (palette.empty())
        return;
    int gammaIndex = Owner.FindChunk<TChunkGAMA>();
    const auto* gamma = gammaIndex >= 0 ? static_cast<TChunkGAMA*>(&Owner.Item(gammaIndex)) : nullptr;
    Data.Clear();
    for (const TRGBEntry& entry : palette) {
        uint8_t rgb[3] = {entry.Red, entry.Green, entry.Blue};
        if (gamma && gamma->IsValid())
            for (uint8_t& c : rgb)
                c = gamma->InverseTable[c];
        Data.WriteBuffer(rgb, 3);
    }
    TChunk::SaveToStream(stream);
}

// --- End
// ---------------------------------------------------------------------------------------------------------

TChunkIEND::TChunkIEND(TChunkList& owner) : TChunk(owner, "IEND") {}

// --- Registry
// ----------------------------------------------------------------------------------------------------

void TChunkClasses::RegisterChunk(const std::string& type, TChunkClass chunkClass)
{
    Classes.emplace_back(type, chunkClass);
}

TChunkClass TChunkClasses::FindChunk(const std::string& type) const
{
    for (const auto& [name, chunkClass] : Classes)
        if (name == type)
            return chunkClass;
    return nullptr;
}

TChunkClasses& GetChunkClasses()
{
    static TChunkClasses classes = [] {
        TChunkClasses c;
        c.RegisterChunk("IEND", MakeChunk<TChunkIEND>);
        c.RegisterChunk("IHDR", MakeChunk<TChunkIHDR>);
        c.RegisterChunk("gAMA", MakeChunk<TChunkGAMA>);
        c.RegisterChunk("IDAT", MakeChunk<TChunkIDAT>);
        c.RegisterChunk("PLTE", MakeChunk<TChunkPLTE>);
        return c;
    }();
    return classes;
}

// --- List
// --------------------------------------------------------------------------------------------------------

void TChunkList::Add(std::unique_ptr<TChunk> chunk)
{
    Items.push_back(std::move(chunk));
}

void TChunkList::Insert(int index, std::unique_ptr<TChunk> chunk)
{
    index = std::clamp(index, 0, Count());
    Items.insert(Items.begin() + index, std::move(chunk));
}

bool TChunkList::ReadChunk(TStream& stream)
{
    uint8_t head[8];
    const int64_t left = stream.GetSize() - stream.GetPosition();
    if (left < static_cast<int64_t>(sizeof head))
        Abort();
    stream.ReadBuffer(head, sizeof head);
    const uint32_t length = GetBE32(head);
    const std::string type(reinterpret_cast<const char*>(head + 4), 4);
    // The data and the CRC must lie within the file.
    if (length > 0x7FFFFFFFu || static_cast<int64_t>(length) + 4 > left - 8)
        Abort();
    if (!std::all_of(type.begin(), type.end(), IsLetter))
        Abort();
    const bool critical = IsUpper(type[0]);

    // The data goes where it will be kept: a new chunk's stream, the first IDAT's stream, or a scrap buffer.
    std::unique_ptr<TChunk> chunk;
    TMemoryStream scrap;
    TMemoryStream* target = &scrap;
    const TChunkClass chunkClass = GetChunkClasses().FindChunk(type);
    int firstData = type == "IDAT" ? FindChunk<TChunkIDAT>() : -1;
    if (firstData >= 0) {
        target = &Item(firstData).Data;
    } else if (chunkClass) {
        chunk = chunkClass(*this);
        target = &chunk->Data;
    }
    const int64_t at = target->GetSize();
    target->SetSize(at + length);
    stream.ReadBuffer(target->Memory() + at, static_cast<int32_t>(length));
    uint8_t tail[4];
    stream.ReadBuffer(tail, sizeof tail);
    uint32_t crc = UpdateCrc32(0xFFFFFFFFu, type.data(), 4);
    crc = UpdateCrc32(crc, target->Memory() + at, length) ^ 0xFFFFFFFFu;
    if (crc != GetBE32(tail)) {
        // A damaged critical chunk makes the file unreadable; a damaged ancillary one is left out.
        if (critical)
            Abort();
        return true;
    }

    if (type == "IEND")
        return false;
    if (!chunk)
        return true;
    if ((type == "IHDR" && FindChunk<TChunkIHDR>() >= 0) || (type == "PLTE" && FindChunk<TChunkPLTE>() >= 0))
        Abort();
    Add(std::move(chunk));
    return true;
}
