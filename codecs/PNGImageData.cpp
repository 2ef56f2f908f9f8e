// PNG image data: inflating, unfiltering and de-interlacing rows into the bitmap, and filtering and deflating
// them.
#include "codecs/PNG.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

int PaethPredictor(int a, int b, int c)
{
    int p = a + b - c;
    int pa = std::abs(p - a);
    int pb = std::abs(p - b);
    int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

// Undoes the filter of one row in place; Prior is the unfiltered row above (zeros for the first).
void UnfilterRow(int filter, uint8_t* row, const uint8_t* prior, size_t length, size_t bpp)
{
    switch (filter) {
    case 0: break;
    case 1:
        for (size_t i = bpp; i < length; ++i)
            row[i] = static_cast<uint8_t>(row[i] + row[i - bpp]);
        break;
    case 2:
        for (size_t i = 0; i < length; ++i)
            row[i] = static_cast<uint8_t>(row[i] + prior[i]);
        break;
    case 3:
        for (size_t i = 0; i < length; ++i) {
            int left = i >= bpp ? row[i - bpp] : 0;
            row[i] = static_cast<uint8_t>(row[i] + ((left + prior[i]) >> 1));
        }
        break;
    case 4:
        for (size_t i = 0; i < length; ++i) {
            int left = i >= bpp ? row[i - bpp] : 0;
            int upLeft = i >= bpp ? prior[i - bpp] : 0;
            row[i] = static_cast<uint8_t>(row[i] + PaethPredictor(left, prior[i], upLeft));
        }
        break;
    default: Abort();
    }
}

// Filters a row with filter type 0..4 into Out.
void FilterRow(int filter, const uint8_t* row, const uint8_t* prior, size_t length, size_t bpp, uint8_t* out)
{
    for (size_t i = 0; i < length; ++i) {
        int left = i >= bpp ? row[i - bpp] : 0;
        int upLeft = i >= bpp ? prior[i - bpp] : 0;
        int predicted = 0;
        switch (filter) {
        case 1: predicted = left; break;
        case 2: predicted = prior[i]; break;
        case 3: predicted = (left + prior[i]) >> 1; break;
        case 4: predicted = PaethPredictor(left, prior[i], upLeft); break;
        }
        out[i] = static_cast<uint8_t>(row[i] - predicted);
    }
}

// How well a filtered row will compress: the positions whose byte repeats each of the four bytes before it.
int RunScore(const uint8_t* out, size_t length)
{
    int score = 0;
    for (size_t i = 4; i < length; ++i)
        if (out[i] == out[i - 1] && out[i] == out[i - 2] && out[i] == out[i - 3] && out[i] == out[i - 4])
            ++score;
    return score;
}

int ChannelsOf(int colorType)
{
    static constexpr int channels[] = {1, 0, 3, 1, 2, 0, 4};
    return channels[colorType];
}

// Sample C of pixel X of a raw row, as 8 bits (16-bit samples keep their high byte; smaller ones as they
// are).
int SampleOf(const uint8_t* row, uint32_t x, int c, int channels, int depth)
{
    if (depth == 16)
        return row[2 * (static_cast<size_t>(x) * channels + c)];
    if (depth == 8)
        return row[static_cast<size_t>(x) * channels + c];
    size_t bit = static_cast<size_t>(x) * depth;
    return (row[bit >> 3] >> (8 - depth - (bit & 7))) & ((1 << depth) - 1);
}

// Reads exactly Count inflated bytes; data that ends early makes the file unreadable.
void ReadInflated(TZDecompressionStream& z, uint8_t* buffer, size_t count)
{
    if (z.Read(buffer, static_cast<int32_t>(count)) != static_cast<int32_t>(count))
        Abort();
}

struct TPass {
    uint32_t X0, Y0, DX, DY;
};

constexpr TPass Adam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
constexpr TPass WholeImage = {0, 0, 1, 1};

} // namespace

TChunkIDAT::TChunkIDAT(TChunkList& owner) : TChunk(owner, "IDAT") {}

void TChunkIDAT::Apply()
{
    const TChunkIHDR& header = static_cast<const TChunkIHDR&>(Owner.Item(0));
    TPNGImage& image = Image();
    const TChunkGAMA* gamma = image.LoadGamma;
    const int depth = header.BitDepth;
    const int colorType = header.ColorType;
    const int channels = ChannelsOf(colorType);

    if (colorType == 3) {
        if (!image.PaletteLoaded)
            Abort();
    } else if (colorType == 0 || colorType == 4) {
        // Grey levels become a grey palette; two-bit levels sit in a four-bit bitmap.
        const int count = depth == 16 ? 256 : 1 << depth;
        std::vector<TRGBEntry> palette(static_cast<size_t>(count == 4 ? 16 : count));
        for (int i = 0; i < count; ++i) {
            auto v = static_cast<uint8_t>((i * 255 + (count - 1) / 2) / (count - 1));
            if (gamma)
                v = gamma->GammaTable[v];
            palette[static_cast<size_t>(i)] = {v, v, v};
        }
        image.SetPalette(std::move(palette));
    }

    const int bitsPerPixel = channels * depth;
    const size_t bpp = static_cast<size_t>(std::max(1, bitsPerPixel / 8));
    const int targetBits = image.BitsPerPixel();
    Data.SetPosition(0);
    TZDecompressionStream z(Data);
    const uint32_t width = header.Width;
    const uint32_t height = header.Height;
    std::vector<uint8_t> row;
    std::vector<uint8_t> prior;

    const int passCount = header.InterlaceMethod ? 7 : 1;
    for (int p = 0; p < passCount; ++p) {
        const TPass& pass = header.InterlaceMethod ? Adam7[p] : WholeImage;
        if (width <= pass.X0 || height <= pass.Y0)
            continue;
        const uint32_t passWidth = (width - pass.X0 + pass.DX - 1) / pass.DX;
        const size_t rowBytes = (static_cast<size_t>(passWidth) * bitsPerPixel + 7) / 8;
        row.assign(rowBytes + 1, 0);
        prior.assign(rowBytes, 0);
        for (uint32_t y = pass.Y0; y < height; y += pass.DY) {
            ReadInflated(z, row.data(), rowBytes + 1);
            uint8_t* samples = row.data() + 1;
            UnfilterRow(row[0], samples, prior.data(), rowBytes, bpp);
            uint8_t* target = image.ScanLine(static_cast<int32_t>(y));
            if (targetBits == 24) {
                const int step = depth / 8 * channels;
                for (uint32_t i = 0; i < passWidth; ++i) {
                    const uint8_t* s = samples + static_cast<size_t>(i) * step;
                    const int hi = depth / 8;
                    uint8_t rgb[3] = {s[0], s[hi], s[2 * hi]};
                    if (gamma)
                        for (uint8_t& c : rgb)
                            c = gamma->GammaTable[c];
                    uint8_t* d = target + 3 * (pass.X0 + static_cast<size_t>(i) * pass.DX);
                    d[0] = rgb[2];
                    d[1] = rgb[1];
                    d[2] = rgb[0];
                }
            } else if (!header.InterlaceMethod && depth == targetBits && channels == 1) {
                // Packed indices are laid out as in the bitmap.
                std::memcpy(target, samples, rowBytes);
            } else {
                for (uint32_t i = 0; i < passWidth; ++i)
                    TBitmap::SetPixelIndex(target, static_cast<int32_t>(pass.X0 + i * pass.DX), targetBits,
                                           SampleOf(samples, i, 0, channels, depth));
            }
            prior.assign(samples, samples + rowBytes);
        }
    }
}

void TChunkIDAT::SaveToStream(TStream& stream)
{
    TPNGImage& image = Image();
    const int gammaIndex = Owner.FindChunk<TChunkGAMA>();
    const auto* gamma = gammaIndex >= 0 ? static_cast<TChunkGAMA*>(&Owner.Item(gammaIndex)) : nullptr;
    if (gamma && !gamma->IsValid())
        gamma = nullptr;
    const bool paletted = image.IsPaletted();
    const int32_t width = image.GetWidth();
    const size_t rowBytes = paletted ? (static_cast<size_t>(width) * image.BitsPerPixel() + 7) / 8
                                     : static_cast<size_t>(width) * 3;
    const size_t bpp = paletted ? 1 : 3;
    const uint8_t filters = image.GetFilters();

    std::vector<uint8_t> row(rowBytes);
    std::vector<uint8_t> prior(rowBytes, 0);
    std::vector<uint8_t> candidate(rowBytes);
    std::vector<uint8_t> best(rowBytes + 1);
    Data.Clear();
    TZCompressionStream z(image.GetCompressionLevel(), Data);
    for (int32_t y = 0; y < image.GetHeight(); ++y) {
        const uint8_t* line = image.ScanLine(y);
        if (paletted) {
            std::memcpy(row.data(), line, rowBytes);
        } else {
            for (int32_t x = 0; x < width; ++x) {
                const uint8_t* s = line + 3 * static_cast<size_t>(x);
                uint8_t* d = row.data() + 3 * static_cast<size_t>(x);
                d[0] = s[2];
                d[1] = s[1];
                d[2] = s[0];
                if (gamma)
                    for (int c = 0; c < 3; ++c)
                        d[c] = gamma->InverseTable[d[c]];
            }
        }
        // The filter whose output repeats itself most; an earlier filter keeps a tie, None when nothing
        // repeats.
        best[0] = 0;
        std::memcpy(best.data() + 1, row.data(), rowBytes);
        if (rowBytes > 4 && filters != pfNone) {
            int bestScore = 0;
            for (int filter = 0; filter <= 4; ++filter) {
                if (!(filters & (1 << filter)))
                    continue;
                FilterRow(filter, row.data(), prior.data(), rowBytes, bpp, candidate.data());
                int score = RunScore(candidate.data(), rowBytes);
                if (score > bestScore) {
                    bestScore = score;
                    best[0] = static_cast<uint8_t>(filter);
                    std::memcpy(best.data() + 1, candidate.data(), rowBytes);
                }
            }
        }
        z.WriteBuffer(best.data(), static_cast<int32_t>(best.size()));
        std::swap(row, prior);
    }
    z.Finish();
    TChunk::SaveToStream(stream);
}
