// JPEG pictures: the kept file bytes, their size, and decoding and encoding through libjpeg.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The largest picture the program decodes: each side, and the whole.
constexpr int32_t kMaxPictureSide = 20000;
constexpr int64_t kMaxPicturePixels = 25000000;

class TJPEGImage {
public:
    // Keeps a copy of the bytes and reads the picture's size from them; raises EStreamError when they
    // are not a JPEG picture the program can read, or when the picture is too large.
    void LoadFromBytes(const uint8_t* data, size_t size);
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    const std::vector<uint8_t>& Bytes() const { return FBytes; }
    bool Empty() const { return FBytes.empty(); }
    // The pixels as 24-bit red, green, blue rows from the top; raises EStreamError on damaged data.
    void Decode(std::vector<uint8_t>& rgb) const;

private:
    std::vector<uint8_t> FBytes;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};

// A JPEG file of 24-bit red, green, blue rows from the top at a quality of 1 to 100; raises EStreamError
// when libjpeg fails.
std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& rgb, int32_t width, int32_t height, int quality);
