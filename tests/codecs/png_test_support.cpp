// Fixtures, reference pixels and PNG files put together chunk by chunk, for the PNG tests.
#include "tests/codecs/png_test_support.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <zlib.h>

#include "codecs/PNG.h"
#include "tests/common/test_support.h"

namespace pngtest {

std::string Fixture(const std::string& name)
{
    std::string bytes = qptest::ReadFileBytes(qptest::DataPath("png/" + name));
    if (bytes.empty())
        throw std::runtime_error("missing fixture " + name);
    return bytes;
}

TRaster ReadPPM(const std::string& bytes)
{
    std::istringstream in(bytes);
    std::string magic;
    int maxValue = 0;
    TRaster r;
    in >> magic >> r.Width >> r.Height >> maxValue;
    in.get();
    if (magic != "P6")
        throw std::runtime_error("not a binary PPM file");
    const size_t sampleBytes = maxValue > 255 ? 2 : 1;
    const size_t start = static_cast<size_t>(in.tellg());
    r.Pixels.resize(static_cast<size_t>(r.Width) * r.Height);
    for (size_t i = 0; i < r.Pixels.size(); ++i) {
        const auto* p = reinterpret_cast<const uint8_t*>(bytes.data() + start + i * 3 * sampleBytes);
        r.Pixels[i] = {p[0], p[sampleBytes], p[2 * sampleBytes]};
    }
    return r;
}

TRaster RasterOf(const TBitmap& bitmap)
{
    TRaster r;
    r.Width = bitmap.GetWidth();
    r.Height = bitmap.GetHeight();
    for (int32_t y = 0; y < r.Height; ++y)
        for (int32_t x = 0; x < r.Width; ++x)
            r.Pixels.push_back(bitmap.GetPixelColor(x, y));
    return r;
}

TMemoryStream StreamOf(const std::string& bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    stream.SetPosition(0);
    return stream;
}

std::string BytesOf(TMemoryStream& stream)
{
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.GetSize()));
}

void Load(TPNGImage& image, const std::string& bytes)
{
    TMemoryStream stream = StreamOf(bytes);
    image.LoadFromStream(stream);
}

std::string Save(TPNGImage& image)
{
    TMemoryStream stream;
    image.SaveToStream(stream);
    return BytesOf(stream);
}

static uint32_t GetBE32(const std::string& s, size_t at)
{
    const auto* p = reinterpret_cast<const uint8_t*>(s.data() + at);
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

static std::string BE32(uint32_t v)
{
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

std::vector<TRawChunk> SplitChunks(const std::string& file)
{
    std::vector<TRawChunk> chunks;
    size_t at = 8;
    while (at + 12 <= file.size()) {
        uint32_t length = GetBE32(file, at);
        if (at + 12 + length > file.size())
            throw std::runtime_error("chunk past the end");
        chunks.push_back(
            {file.substr(at + 4, 4), file.substr(at + 8, length), GetBE32(file, at + 8 + length)});
        at += 12 + length;
    }
    return chunks;
}

std::string JoinChunks(const std::vector<TRawChunk>& chunks)
{
    std::string file = "\x89PNG\r\n\x1A\n";
    for (const TRawChunk& c : chunks)
        file += BE32(static_cast<uint32_t>(c.Data.size())) + c.Type + c.Data + BE32(c.Crc);
    return file;
}

TRawChunk MakeChunk(const std::string& type, const std::string& data)
{
    std::string both = type + data;
    auto crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(both.data()), static_cast<uInt>(both.size())));
    return {type, data, crc};
}

std::string HeaderData(uint32_t width, uint32_t height, int depth, int colorType, int interlace)
{
    return BE32(width) + BE32(height) +
           std::string{static_cast<char>(depth), static_cast<char>(colorType), 0, 0,
                       static_cast<char>(interlace)};
}

std::string Deflate(const std::string& data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
             static_cast<uLong>(data.size()));
    out.resize(size);
    return out;
}

std::string Inflate(const std::string& data)
{
    z_stream z{};
    inflateInit(&z);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    std::string out;
    char buffer[4096];
    int result = Z_OK;
    while (result == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        result = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
    }
    inflateEnd(&z);
    if (result != Z_STREAM_END)
        throw std::runtime_error("zlib data does not inflate");
    return out;
}

std::string ImageData(const std::vector<TRawChunk>& chunks)
{
    std::string data;
    for (const TRawChunk& c : chunks)
        if (c.Type == "IDAT")
            data += c.Data;
    return data;
}

int RunTool(const std::string& command, std::string* output)
{
    const std::string log = qptest::ScratchDir() + "/output.txt";
    const int rc = std::system((command + " >'" + log + "' 2>&1").c_str());
    if (output)
        *output = qptest::ReadFileBytes(log);
    return rc;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string DifferentPixels(const std::string& a, const std::string& b)
{
    const std::string dir = qptest::ScratchDir();
    for (const auto& [picture, ppm] : {std::pair{a, "a.ppm"}, std::pair{b, "b.ppm"}})
        if (RunTool("convert '" + picture + "' +repage -alpha off -depth 8 '" + dir + "/" + ppm + "'") != 0)
            return "ImageMagick cannot read " + picture;
    std::string output;
    RunTool("compare -metric AE '" + dir + "/a.ppm' '" + dir + "/b.ppm' null:", &output);
    return output;
}

uint8_t GammaCorrect(uint8_t level, uint32_t gamma)
{
    if (gamma == 0)
        return level;
    return static_cast<uint8_t>(
        std::nearbyint(255.0 * std::pow(level / 255.0, 1.0 / (2.2 * gamma / 100000.0))));
}

} // namespace pngtest
