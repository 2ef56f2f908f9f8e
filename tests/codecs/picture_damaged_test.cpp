// Damaged pictures of every reader: each fixture cut short at many lengths, with bits flipped across it, and
// with its size fields at 0 and at their largest, ends in a picture or in the silent abort, never in a crash
// or another failure.
#include <gtest/gtest.h>

#include "tests/codecs/picture_test_support.h"
#include "tests/common/test_support.h"

using namespace pictest;

namespace {

// Reads the bytes; false when the reader ended in anything but a picture or the silent abort.
bool EndsCleanly(const std::string& extension, const std::string& bytes)
{
    try {
        LoadGraphic(extension, bytes);
    } catch (const EAbort&) {}
    return true;
}

void Sweep(const std::string& extension, const std::string& path,
           const std::vector<std::pair<size_t, size_t>>& fields)
{
    const std::string file = qptest::ReadFileBytes(qptest::DataPath(path));
    ASSERT_FALSE(file.empty()) << path;
    const size_t step = std::max<size_t>(1, file.size() / 60);
    for (size_t cut = 0; cut < file.size(); cut += step)
        EXPECT_TRUE(EndsCleanly(extension, file.substr(0, cut))) << path << " cut at " << cut;
    for (size_t at = 0; at < file.size(); at += step)
        for (uint8_t mask : {uint8_t(0x01), uint8_t(0x80), uint8_t(0xFF)}) {
            std::string flipped = file;
            flipped[at] = char(flipped[at] ^ mask);
            EXPECT_TRUE(EndsCleanly(extension, flipped)) << path << " flipped at " << at;
        }
    // Size fields (offset, length in bytes) at 0 and at their largest.
    for (const auto& [at, length] : fields)
        for (char fill : {'\0', '\xFF'}) {
            std::string changed = file;
            for (size_t i = 0; i < length && at + i < changed.size(); ++i)
                changed[at + i] = fill;
            EXPECT_TRUE(EndsCleanly(extension, changed)) << path << " field at " << at;
        }
}

TEST(PictureDamaged, Tiff)
{
    for (const char* name : {"rgb8-lzw", "rgb8-packbits-rps4", "rgb8-planar-none", "rgb8-tiles16-lzw-pred2",
                             "bw-g3-2d", "bw-g4", "bw-g3-1d", "pal4-none-MM", "multipage-last-grey"})
        Sweep("tif", std::string("tiff/") + name + ".tif", {{4, 4}});
}

TEST(PictureDamaged, Pcx)
{
    for (const char* name : {"rgb24", "pal256", "runs"})
        Sweep("pcx", std::string("pcx/") + name + ".pcx", {{8, 2}, {10, 2}, {66, 2}, {65, 1}, {3, 1}});
}

TEST(PictureDamaged, Targa)
{
    for (const char* name : {"rgb24-rle", "pal8-rle", "rgba32", "grey8-rle"})
        Sweep("tga", std::string("tga/") + name + ".tga", {{3, 2}, {5, 2}, {7, 1}, {12, 2}, {14, 2}, {0, 1}});
}

TEST(PictureDamaged, Gif)
{
    for (const char* name : {"im-anim", "im-pal16i", "im-noise", "im-transparent"})
        Sweep("gif", std::string("gif/") + name + ".gif", {{6, 2}, {8, 2}, {10, 1}});
}

} // namespace
