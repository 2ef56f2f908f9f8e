// Reading Photo CD files: the base image's luminance and chroma rows turned into 24-bit pixels.
#include "codecs/PCD.h"

#include <algorithm>
#include <cmath>

#include "codecs/PictureBytes.h"

namespace {

constexpr size_t OrientationAt = 72;
constexpr size_t BaseImageAt = 0x30000;
constexpr int BaseWidth = 768, BaseHeight = 512;
constexpr size_t PairBytes = 3 * BaseWidth;

uint8_t Clamp(double v)
{
    const double r = std::nearbyint(v);
    return uint8_t(r < 0 ? 0 : r > 255 ? 255 : r);
}

} // namespace

void DecodePCD(const uint8_t* data, size_t size, TBitmap& result)
{
    if (size < BaseImageAt + PairBytes * (BaseHeight / 2))
        Abort();
    const bool upright = (data[OrientationAt] & 63) == 8;
    TBitmap bitmap =
        MakePictureBitmap(pf24bit, upright ? BaseWidth : BaseHeight, upright ? BaseHeight : BaseWidth);
    for (int n = 0; n < BaseHeight / 2; ++n) {
        const uint8_t* pair = data + BaseImageAt + size_t(n) * PairBytes;
        const uint8_t* chroma = pair + 2 * BaseWidth;
        for (int line = 0; line < 2; ++line) {
            const uint8_t* luma = pair + size_t(line) * BaseWidth;
            for (int x = 0; x < BaseWidth; ++x) {
                const double y = 1.407488 * luma[x];
                const double c1 = chroma[x / 2] - 156.0, c2 = chroma[BaseWidth / 2 + x / 2] - 137.0;
                uint8_t* p = upright ? bitmap.ScanLine(2 * n + line) + 3 * x
                                     : bitmap.ScanLine(BaseWidth - 1 - x) + 3 * (2 * n + line);
                p[2] = Clamp(y + 1.3230336 * c2);
                p[1] = Clamp(y - 0.3954176 * c1 - 0.67392 * c2);
                p[0] = Clamp(y + 2.0360448 * c1);
            }
        }
    }
    result = std::move(bitmap);
}

void TPCDImage::LoadFromStream(TStream& stream)
{
    const std::vector<uint8_t> bytes = ReadPictureBytes(stream);
    TBitmap decoded;
    DecodePCD(bytes.data(), bytes.size(), decoded);
    TBitmap::Assign(decoded);
}
