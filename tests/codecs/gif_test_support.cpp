// Fixtures, reference pixels and GIF files put together block by block, for the GIF tests.
#include "tests/codecs/gif_test_support.h"

#include <stdexcept>

#include "tests/common/test_support.h"

namespace giftest {

std::string Fixture(const std::string& name)
{
    std::string bytes = qptest::ReadFileBytes(qptest::DataPath("gif/" + name));
    if (bytes.empty())
        throw std::runtime_error("missing fixture " + name);
    return bytes;
}

TRaster Reference(const std::string& name, int frame)
{
    return pngtest::ReadPPM(Fixture(name + "-" + std::to_string(frame) + ".ppm"));
}

void Load(TGIFImage& image, const std::string& bytes)
{
    TMemoryStream stream = pngtest::StreamOf(bytes);
    image.LoadFromStream(stream);
}

std::string Save(TGIFImage& image)
{
    TMemoryStream stream;
    image.SaveToStream(stream);
    return pngtest::BytesOf(stream);
}

TRaster FrameRaster(const TGIFImage& image, int frame)
{
    return pngtest::RasterOf(image.Frame(frame).GetBitmap());
}

std::string Word(uint16_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

static int TableBits(size_t count)
{
    int bits = 1;
    while ((size_t{1} << bits) < count)
        ++bits;
    return bits;
}

static std::string TableBytes(const std::vector<TRGBEntry>& table)
{
    std::string out;
    for (size_t i = 0; i < (size_t{1} << TableBits(table.size())); ++i) {
        const TRGBEntry e = i < table.size() ? table[i] : TRGBEntry{};
        out += {static_cast<char>(e.Red), static_cast<char>(e.Green), static_cast<char>(e.Blue)};
    }
    return out;
}

std::string Header(uint16_t width, uint16_t height, const std::vector<TRGBEntry>& globalTable,
                   const char* signature, uint8_t background)
{
    std::string out = std::string(signature) + Word(width) + Word(height);
    if (globalTable.empty())
        return out + std::string("\0", 1) + static_cast<char>(background) + std::string("\0", 1);
    const int bits = TableBits(globalTable.size());
    out += static_cast<char>(0x80 | ((bits - 1) << 4) | (bits - 1));
    out += static_cast<char>(background);
    out += '\0';
    return out + TableBytes(globalTable);
}

std::string GraphicControl(uint8_t flags, uint16_t delay, uint8_t transparentIndex)
{
    return std::string("!\xF9\x04", 3) + static_cast<char>(flags) + Word(delay) +
           static_cast<char>(transparentIndex) + std::string("\0", 1);
}

std::string Comment(const std::vector<std::string>& blocks)
{
    std::string out = "!\xFE";
    for (const std::string& b : blocks)
        out += static_cast<char>(b.size()) + b;
    return out + std::string("\0", 1);
}

std::string Image(uint16_t left, uint16_t top, uint16_t width, uint16_t height, const std::string& data,
                  const std::vector<TRGBEntry>& localTable, bool interlaced)
{
    uint8_t flags = interlaced ? 0x40 : 0;
    if (!localTable.empty())
        flags = static_cast<uint8_t>(flags | 0x80 | (TableBits(localTable.size()) - 1));
    std::string out = "," + Word(left) + Word(top) + Word(width) + Word(height) + static_cast<char>(flags);
    if (!localTable.empty())
        out += TableBytes(localTable);
    return out + data;
}

std::string PackCodes(int minSize, const std::vector<std::pair<int, int>>& codesAndSizes)
{
    std::string bytes;
    uint32_t bits = 0;
    int count = 0;
    for (auto [code, size] : codesAndSizes) {
        bits |= static_cast<uint32_t>(code) << count;
        count += size;
        while (count >= 8) {
            bytes += static_cast<char>(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        bytes += static_cast<char>(bits & 0xFF);
    std::string out(1, static_cast<char>(minSize));
    for (size_t at = 0; at < bytes.size(); at += 255) {
        const size_t n = std::min<size_t>(255, bytes.size() - at);
        out += static_cast<char>(n) + bytes.substr(at, n);
    }
    return out + std::string("\0", 1);
}

std::string LiteralData(int minSize, const std::vector<int>& pixels)
{
    const int clear = 1 << minSize, size = minSize + 1;
    std::vector<std::pair<int, int>> codes{{clear, size}};
    int sinceClear = 0;
    for (int p : pixels) {
        // After clear - 1 codes following a clear code the decoder would read wider codes.
        if (sinceClear == clear - 2) {
            codes.push_back({clear, size});
            sinceClear = 0;
        }
        codes.push_back({p, size});
        ++sinceClear;
    }
    codes.push_back({clear + 1, size});
    return PackCodes(minSize, codes);
}

std::vector<int> CodesOf(const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> bytes;
    for (size_t at = 1; at < data.size() && data[at] != 0; at += data[at] + 1u)
        bytes.insert(bytes.end(), data.begin() + static_cast<ptrdiff_t>(at + 1),
                     data.begin() + static_cast<ptrdiff_t>(std::min(data.size(), at + 1 + data[at])));
    const int minSize = data[0], clear = 1 << minSize;
    int size = minSize + 1, next = clear + 2;
    bool first = true;
    std::vector<int> codes;
    size_t bit = 0;
    while (bit + static_cast<size_t>(size) <= bytes.size() * 8) {
        int code = 0;
        for (int i = 0; i < size; ++i, ++bit)
            code |= ((bytes[bit / 8] >> (bit % 8)) & 1) << i;
        codes.push_back(code);
        if (code == clear + 1)
            break;
        if (code == clear) {
            size = minSize + 1;
            next = clear + 2;
            first = true;
        } else if (first) {
            first = false;
        } else if (next < 4096 && ++next == (1 << size) && size < 12) {
            ++size;
        }
    }
    return codes;
}

std::vector<TRGBEntry> Table(int count)
{
    std::vector<TRGBEntry> t(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        t[static_cast<size_t>(i)] = {static_cast<uint8_t>(i * 7), static_cast<uint8_t>(255 - i),
                                     static_cast<uint8_t>(i * 3)};
    return t;
}

} // namespace giftest
