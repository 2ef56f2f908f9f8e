// LZW decoding of GIF image data into bitmaps and encoding of bitmaps into image data.
#include <array>

#include "codecs/GIFCodec.h"

namespace {

constexpr int MaxCodes = 4096;
constexpr int MaxCodeSize = 12;

// Codes read least-significant bit first from the data sub-blocks of an item, never past its end.
class TCodeReader {
public:
    TCodeReader(const std::vector<uint8_t>& data, size_t start) : Data(data), Pos(start) {}

    // The next code of Size bits, or -1 when the data is exhausted.
    int Read(int size)
    {
        while (BitCount < size) {
            if (BlockLeft == 0) {
                if (Ended || Pos >= Data.size() || Data[Pos] == 0) {
                    Ended = true;
                    return -1;
                }
                BlockLeft = Data[Pos++];
            }
            if (Pos >= Data.size()) {
                Ended = true;
                return -1;
            }
            Bits |= static_cast<uint32_t>(Data[Pos++]) << BitCount;
            BitCount += 8;
            --BlockLeft;
        }
        const int code = static_cast<int>(Bits & ((1u << size) - 1));
        Bits >>= size;
        BitCount -= size;
        return code;
    }

private:
    const std::vector<uint8_t>& Data;
    size_t Pos;
    size_t BlockLeft = 0;
    uint32_t Bits = 0;
    int BitCount = 0;
    bool Ended = false;
};

// Writes pixels into the bitmap's rows in the frame's order until every row is full.
class TPixelWriter {
public:
    TPixelWriter(TBitmap& bitmap, bool interlaced)
        : Bitmap(bitmap), Order(bitmap.GetHeight(), interlaced), Bits(bitmap.BitsPerPixel())
    {
        if (bitmap.GetWidth() == 0)
            while (!Order.Done())
                Order.Next();
        if (!Order.Done())
            Line = Bitmap.ScanLine(Order.Row());
    }
    bool Full() const { return Order.Done(); }
    void Put(int index)
    {
        if (Order.Done())
            return;
        TBitmap::SetPixelIndex(Line, X, Bits, index);
        if (++X == Bitmap.GetWidth()) {
            X = 0;
            Order.Next();
            if (!Order.Done())
                Line = Bitmap.ScanLine(Order.Row());
        }
    }

private:
    TBitmap& Bitmap;
    TGIFRowOrder Order;
    int Bits;
    uint8_t* Line = nullptr;
    int32_t X = 0;
};

TPixelFormat FormatForPalette(int count)
{
    if (count == 2)
        return pf1bit;
    if (count >= 3 && count <= 16)
        return pf4bit;
    if (count >= 17 && count <= 256)
        return pf8bit;
    Abort();
}

} // namespace

TGIFRowOrder::TGIFRowOrder(int32_t height, bool interlaced) : Height(height), Interlaced(interlaced)
{
    Settle();
}

void TGIFRowOrder::Next()
{
    static constexpr int32_t Step[4] = {8, 8, 4, 2};
    Current += Interlaced ? Step[Pass] : 1;
    Settle();
}

void TGIFRowOrder::Settle()
{
    static constexpr int32_t Start[4] = {0, 4, 2, 1};
    while (Pass < 4 && Current >= Height) {
        if (!Interlaced) {
            Pass = 4;
            break;
        }
        if (++Pass < 4)
            Current = Start[Pass];
    }
}

void DecodeGIFItem(const TGIFItem& item, bool interlaced, TBitmap& bitmap)
{
    const TPixelFormat format = FormatForPalette(item.Palette.Count);
    TBitmap decoded;
    decoded.SetPixelFormat(format);
    try {
        decoded.SetSize(item.Width, item.Height);
    } catch (const EInvalidGraphic&) {
        Abort();
    }
    std::vector<TRGBEntry> palette(size_t{1} << decoded.BitsPerPixel(), TRGBEntry{128, 128, 128});
    for (int i = 0; i < item.Palette.Count; ++i)
        palette[static_cast<size_t>(i)] = item.Palette.Entries[static_cast<size_t>(i)];
    decoded.SetPalette(std::move(palette));

    TPixelWriter out(decoded, interlaced);
    if (!out.Full()) {
        if (item.ImageData.empty())
            Abort();
        int minSize = item.ImageData[0];
        bool corrupt = false;
        if (minSize < 2 || minSize > 9) {
            corrupt = true;
            minSize = minSize < 2 ? 2 : 9;
        }
        const int clear = 1 << minSize, end = clear + 1;
        const int pixelMask =
            item.BitsPerPixel >= 1 && item.BitsPerPixel <= 8 ? (1 << item.BitsPerPixel) - 1 : 0xFF;
        int codeSize = minSize + 1, next = clear + 2;
        bool full = false;
        std::array<uint16_t, MaxCodes> prefix{};
        std::array<uint8_t, MaxCodes> suffix{};
        std::array<uint8_t, MaxCodes + 2> stack{};
        int oldCode = -1, firstChar = 0;
        TCodeReader reader(item.ImageData, 1);
        auto read = [&](int size) {
            const int code = reader.Read(size);
            if (code < 0)
                Abort();
            return code;
        };
        do {
            int code = read(codeSize);
            if (code == end)
                break;
            if (code == clear || oldCode < 0) {
                // After a clear code the table starts again; its first code is a pixel of its own.
                while (code == clear) {
                    codeSize = minSize + 1;
                    next = clear + 2;
                    full = false;
                    code = read(codeSize);
                }
                if (code == end)
                    break;
                // A string code before the table holds any string: the data is damaged, the picture ends.
                if (code > clear) {
                    corrupt = true;
                    break;
                }
                firstChar = code & pixelMask;
                oldCode = firstChar;
                out.Put(firstChar);
                continue;
            }
            const int inCode = code;
            int top = 0;
            // Only the code about to be made may be used before it exists; any code past it ends the picture.
            if (code > next) {
                corrupt = true;
                break;
            }
            if (code == next) {
                stack[static_cast<size_t>(top++)] = static_cast<uint8_t>(firstChar);
                code = oldCode;
            }
            while (code >= clear) {
                if (top >= MaxCodes) {
                    corrupt = true;
                    break;
                }
                stack[static_cast<size_t>(top++)] = suffix[static_cast<size_t>(code)];
                code = prefix[static_cast<size_t>(code)];
            }
            if (corrupt)
                break;
            firstChar = code;
            stack[static_cast<size_t>(top++)] = static_cast<uint8_t>(code);
            while (top > 0)
                out.Put(stack[static_cast<size_t>(--top)]);
            if (!full) {
                prefix[static_cast<size_t>(next)] = static_cast<uint16_t>(oldCode);
                suffix[static_cast<size_t>(next)] = static_cast<uint8_t>(firstChar);
                if (++next >= (1 << codeSize)) {
                    if (codeSize < MaxCodeSize)
                        ++codeSize;
                    else
                        full = true;
                }
            }
            oldCode = inCode;
        } while (!corrupt && !out.Full());
    }
    bitmap = std::move(decoded);
}

namespace {

// Codes packed least-significant bit first into sub-blocks of 255 bytes.
class TCodeWriter {
public:
    explicit TCodeWriter(std::vector<uint8_t>& out) : Out(out) {}
    void Write(int code, int size)
    {
        Bits |= static_cast<uint32_t>(code) << BitCount;
        BitCount += size;
        while (BitCount >= 8) {
            Block.push_back(static_cast<uint8_t>(Bits));
            Bits >>= 8;
            BitCount -= 8;
            if (Block.size() == 255)
                FlushBlock();
        }
    }
    // The last bits, the last shorter block and the terminator.
    void Finish()
    {
        if (BitCount > 0)
            Block.push_back(static_cast<uint8_t>(Bits));
        Bits = 0;
        BitCount = 0;
        FlushBlock();
        Out.push_back(0);
    }

private:
    void FlushBlock()
    {
        if (Block.empty())
            return;
        Out.push_back(static_cast<uint8_t>(Block.size()));
        Out.insert(Out.end(), Block.begin(), Block.end());
        Block.clear();
    }
    std::vector<uint8_t>& Out;
    std::vector<uint8_t> Block;
    uint32_t Bits = 0;
    int BitCount = 0;
};

constexpr uint32_t HashSize = 17777;
constexpr int LastCode = 4094;

struct THashSlot {
    int16_t Prefix = -1; // -1: empty
    uint8_t Pixel = 0;
    int16_t Code = 0;
};

} // namespace

std::vector<uint8_t> EncodeGIFPixels(const TBitmap& bitmap, bool interlaced)
{
    const int bits = bitmap.BitsPerPixel();
    if (bits > 8)
        throw EInvalidGraphic("Seules les images de 256 couleurs au plus peuvent être codées.");
    const int minSize = bits == 1 ? 2 : bits;
    const int clear = 1 << minSize, end = clear + 1;
    std::vector<uint8_t> out{static_cast<uint8_t>(minSize)};
    TCodeWriter writer(out);
    std::vector<THashSlot> table(HashSize);
    int codeSize = minSize + 1, next = clear + 2;
    writer.Write(clear, codeSize);

    int string = -1, length = 0;
    uint64_t hash = 0;
    auto startString = [&](int pixel) {
        string = pixel;
        hash = static_cast<uint64_t>(pixel + 3) * 301;
        length = 1;
    };
    for (TGIFRowOrder order(bitmap.GetHeight(), interlaced); !order.Done(); order.Next()) {
        const uint8_t* row = bitmap.ScanLine(order.Row());
        for (int32_t x = 0; x < bitmap.GetWidth(); ++x) {
            const int pixel = TBitmap::GetPixelIndex(row, x, bits);
            if (string < 0) {
                startString(pixel);
                continue;
            }
            const uint64_t extended = hash * static_cast<uint64_t>(pixel + length + 4) % HashSize;
            size_t slot = static_cast<size_t>(extended);
            while (table[slot].Prefix >= 0 && !(table[slot].Prefix == string && table[slot].Pixel == pixel))
                slot = (slot + 1) % HashSize;
            if (table[slot].Prefix >= 0) {
                string = table[slot].Code;
                hash = extended;
                ++length;
                continue;
            }
            writer.Write(string, codeSize);
            const int assigned = next++;
            table[slot] = {static_cast<int16_t>(string), static_cast<uint8_t>(pixel),
                           static_cast<int16_t>(assigned)};
            startString(pixel);
            if (assigned == (1 << codeSize)) {
                ++codeSize;
            } else if (assigned == LastCode) {
                writer.Write(pixel, codeSize);
                writer.Write(clear, codeSize);
                std::fill(table.begin(), table.end(), THashSlot{});
                codeSize = minSize + 1;
                next = clear + 2;
                string = -1;
            }
        }
    }
    if (string >= 0)
        writer.Write(string, codeSize);
    writer.Write(end, codeSize);
    writer.Finish();
    return out;
}
