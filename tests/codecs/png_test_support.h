// What the PNG tests share: fixtures and their reference pixels, and PNG files put together chunk by chunk.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/runtime/Streams.h"

class TPNGImage;

namespace pngtest {

// A picture as rows of colours, the top row first.
struct TRaster {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<TRGBEntry> Pixels;
    TRGBEntry At(int32_t x, int32_t y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// The whole contents of tests/data/png/NAME.
std::string Fixture(const std::string& name);
// A binary PPM file (8- or 16-bit samples; 16-bit ones keep their high byte).
TRaster ReadPPM(const std::string& bytes);
// The colours of a bitmap.
TRaster RasterOf(const TBitmap& bitmap);

TMemoryStream StreamOf(const std::string& bytes);
std::string BytesOf(TMemoryStream& stream);
// Loads PNG bytes into the image (the silent abort passes on).
void Load(TPNGImage& image, const std::string& bytes);
std::string Save(TPNGImage& image);

// One chunk of a PNG file, as stored.
struct TRawChunk {
    std::string Type;
    std::string Data;
    uint32_t Crc = 0;
};
// The chunks of a PNG file (its signature skipped).
std::vector<TRawChunk> SplitChunks(const std::string& file);
// A PNG file: the signature and the chunks, with the CRCs they carry.
std::string JoinChunks(const std::vector<TRawChunk>& chunks);
// A chunk whose CRC is computed by zlib.
TRawChunk MakeChunk(const std::string& type, const std::string& data);
// The data of a header chunk.
std::string HeaderData(uint32_t width, uint32_t height, int depth, int colorType, int interlace = 0);
std::string Deflate(const std::string& data);
std::string Inflate(const std::string& data);
// The data of all IDAT chunks of a file, together.
std::string ImageData(const std::vector<TRawChunk>& chunks);

// Runs a shell command; its exit code, and what it wrote to its standard output and error streams.
int RunTool(const std::string& command, std::string* output = nullptr);
void WriteFile(const std::string& path, const std::string& bytes);
// ImageMagick's count of pixels that differ between two pictures (file names as ImageMagick takes them,
// "file.gif[2]" for a frame), their transparency and page offsets left out.
std::string DifferentPixels(const std::string& a, const std::string& b);

// The gamma correction of a level for a gamma of gamma × 100000.
uint8_t GammaCorrect(uint8_t level, uint32_t gamma);

} // namespace pngtest
