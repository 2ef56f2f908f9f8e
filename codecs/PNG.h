// The PNG picture class: a bitmap that reads and writes PNG files, kept as a list of chunk objects.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "codecs/Zlib.h"

class TPNGImage;
class TChunkList;

// One chunk of a PNG file: its four-letter type and its data (without length, type or CRC).
class TChunk {
public:
    explicit TChunk(TChunkList& owner, const char* type);
    virtual ~TChunk() = default;
    TChunk(const TChunk&) = delete;
    TChunk& operator=(const TChunk&) = delete;

    // Applies what the chunk holds to the image once the file is read (nothing in the base).
    virtual void Apply() {}
    // Copies the data and the type of another chunk.
    virtual void Assign(const TChunk& source);
    // Writes the chunk: its length, type, data and CRC (only for types whose fourth letter is upper case).
    virtual void SaveToStream(TStream& stream);

    const std::string& GetType() const { return Type; }
    TChunkList& Owner;
    TMemoryStream Data;

protected:
    TPNGImage& Image();
    std::string Type;
};

// The file header chunk: size, sample depth and colour type.
class TChunkIHDR : public TChunk {
public:
    explicit TChunkIHDR(TChunkList& owner);
    void Apply() override;
    void SaveToStream(TStream& stream) override;

    uint32_t Width = 0;
    uint32_t Height = 0;
    uint8_t BitDepth = 8;
    uint8_t ColorType = 2;
    uint8_t CompressionMethod = 0;
    uint8_t FilterMethod = 0;
    uint8_t InterlaceMethod = 0;
};

// The gamma of the image (gamma × 100000), with its correction table and the inverse table used for writing.
class TChunkGAMA : public TChunk {
public:
    explicit TChunkGAMA(TChunkList& owner);
    void Apply() override;
    void Assign(const TChunk& source) override;

    // Whether the chunk holds a usable gamma (four bytes, not zero).
    bool IsValid() const { return Gamma != 0; }
    uint32_t Gamma = 0;
    std::array<uint8_t, 256> GammaTable{};
    std::array<uint8_t, 256> InverseTable{};

private:
    void MakeTables();
};

// The image data: one zlib stream of filtered rows, all IDAT chunks of a file together.
class TChunkIDAT : public TChunk {
public:
    explicit TChunkIDAT(TChunkList& owner);
    void Apply() override;
    void SaveToStream(TStream& stream) override;
};

// The palette as RGB triples.
class TChunkPLTE : public TChunk {
public:
    explicit TChunkPLTE(TChunkList& owner);
    void Apply() override;
    void SaveToStream(TStream& stream) override;
};

// The end of the file; no data.
class TChunkIEND : public TChunk {
public:
    explicit TChunkIEND(TChunkList& owner);
};

// Makes a chunk of one class for a list.
using TChunkClass = std::unique_ptr<TChunk> (*)(TChunkList& owner);

// Which class reads each chunk type; other types are skipped on reading.
class TChunkClasses {
public:
    void RegisterChunk(const std::string& type, TChunkClass chunkClass);
    // The class registered for the type, or null.
    TChunkClass FindChunk(const std::string& type) const;

private:
    std::vector<std::pair<std::string, TChunkClass>> Classes;
};

// The registry of chunk classes, made at start-up with the five chunk types that the image uses.
TChunkClasses& GetChunkClasses();

// The chunks of one image, in file order.
class TChunkList {
public:
    explicit TChunkList(TPNGImage& image) : Image(image) {}

    int Count() const { return static_cast<int>(Items.size()); }
    TChunk& Item(int index) { return *Items.at(static_cast<size_t>(index)); }
    // The index of the first chunk of class T, or -1.
    template<class T>
    int FindChunk() const
    {
        for (size_t i = 0; i < Items.size(); ++i)
            if (dynamic_cast<const T*>(Items[i].get()))
                return static_cast<int>(i);
        return -1;
    }
    void Add(std::unique_ptr<TChunk> chunk);
    void Insert(int index, std::unique_ptr<TChunk> chunk);
    // Reads one chunk from the stream (see the image's loading); false once IEND has been read.
    bool ReadChunk(TStream& stream);
    void Clear() { Items.clear(); }

    TPNGImage& Image;

private:
    std::vector<std::unique_ptr<TChunk>> Items;
};

// Filters that the writer may choose for a row.
enum TPNGFilter : uint8_t { pfNone = 1, pfSub = 2, pfUp = 4, pfAverage = 8, pfPaeth = 16 };

class TPNGImage : public TBitmap {
public:
    static constexpr uint8_t DefaultFilters = pfNone | pfSub | pfAverage | pfPaeth;

    TPNGImage();
    ~TPNGImage() override;
    TPNGImage(const TPNGImage&) = delete;
    TPNGImage& operator=(const TPNGImage&) = delete;

    // Reads a PNG file. A file that is not one, or is damaged, ends in the silent abort and leaves the image
    // as it was.
    void LoadFromStream(TStream& stream) override;
    // Writes the image as a PNG file; an empty image ends in the silent abort.
    void SaveToStream(TStream& stream) override;
    // Copies the bitmap, and the filter set when the source is a PNG image too.
    void Assign(const TBitmap& source) override;

    uint8_t GetFilters() const { return Filters; }
    // The filters the writer may use; None is always among them.
    void SetFilters(uint8_t filters) { Filters = static_cast<uint8_t>(filters | pfNone); }
    TZCompressionLevel GetCompressionLevel() const { return CompressionLevel; }
    void SetCompressionLevel(TZCompressionLevel level) { CompressionLevel = level; }
    TChunkList& GetChunks() { return *Chunks; }

private:
    friend class TChunkIHDR;
    friend class TChunkGAMA;
    friend class TChunkPLTE;
    friend class TChunkIDAT;

    void MakeDefaultChunks();
    void CheckChunkOrder();

    std::unique_ptr<TChunkList> Chunks;
    uint8_t Filters = DefaultFilters;
    TZCompressionLevel CompressionLevel = zcDefault;
    // While loading: the gamma in force and whether a palette chunk gave the palette.
    const TChunkGAMA* LoadGamma = nullptr;
    bool PaletteLoaded = false;
};

// Decodes PNG file bytes into the image; false when they are empty, no PNG file or damaged (the image is
// then as it was) or hold no pixels.
bool DecodePng(const uint8_t* bytes, size_t size, TPNGImage& png);
// The PNG file bytes of a bitmap.
std::vector<uint8_t> EncodePng(const TBitmap& bitmap);
