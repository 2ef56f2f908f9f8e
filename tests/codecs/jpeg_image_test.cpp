// JPEG pictures through libjpeg: decoding, damaged data and oversized pictures.
#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/runtime/Exceptions.h"
#include "codecs/JpegImage.h"
#include "tests/common/test_support.h"

namespace {
std::vector<uint8_t> Fixture()
{
    std::string s = qptest::ReadFileBytes(qptest::DataPath("jpeg/grad16.jpg"));
    return std::vector<uint8_t>(s.begin(), s.end());
}
} // namespace

TEST(JpegImage, DecodesAPicture)
{
    std::vector<uint8_t> bytes = Fixture();
    ASSERT_FALSE(bytes.empty());
    TJPEGImage image;
    image.LoadFromBytes(bytes.data(), bytes.size());
    EXPECT_EQ(image.Width(), 16);
    EXPECT_EQ(image.Height(), 16);
    std::vector<uint8_t> rgb;
    image.Decode(rgb);
    ASSERT_EQ(rgb.size(), 16u * 16 * 3);
    // The gradient: red grows to the right, green downwards, blue stays near 200.
    const uint8_t* last = &rgb[(15 * 16 + 15) * 3];
    EXPECT_NEAR(last[0], 240, 12);
    EXPECT_NEAR(last[1], 240, 12);
    EXPECT_NEAR(last[2], 200, 12);
    EXPECT_NEAR(rgb[0], 0, 12);
}

TEST(JpegImage, DamagedDataRaisesTheProgramsException)
{
    std::vector<uint8_t> bytes = Fixture();
    TJPEGImage image;
    const uint8_t garbage[] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_THROW(image.LoadFromBytes(garbage, sizeof garbage), EStreamError);
    EXPECT_THROW(image.LoadFromBytes(bytes.data(), 0), EStreamError);
    EXPECT_TRUE(image.Empty());
    // Cut anywhere, the data either decode (libjpeg fills what is missing) or raise; never more.
    for (size_t cut = 2; cut < bytes.size(); cut += 7) {
        try {
            TJPEGImage part;
            part.LoadFromBytes(bytes.data(), cut);
            std::vector<uint8_t> rgb;
            part.Decode(rgb);
            EXPECT_EQ(rgb.size(), 16u * 16 * 3);
        } catch (const EStreamError&) {}
    }
}

TEST(JpegImage, OversizedPicturesAreRefused)
{
    std::vector<uint8_t> bytes = Fixture();
    // The frame header (FFC0 or FFC2) holds height and width as 16-bit values behind its precision.
    for (size_t i = 0; i + 9 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
            bytes[i + 5] = 0xEA, bytes[i + 6] = 0x60; // 60000 rows
            bytes[i + 7] = 0xEA, bytes[i + 8] = 0x60; // 60000 columns
            break;
        }
    }
    TJPEGImage image;
    EXPECT_THROW(image.LoadFromBytes(bytes.data(), bytes.size()), EStreamError);
}
