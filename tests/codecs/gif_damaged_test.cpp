// Damaged and hostile GIF files: each ends in the silent abort and leaves the image empty, or reads cleanly.
#include <gtest/gtest.h>

#include "tests/codecs/gif_test_support.h"

using namespace giftest;

namespace {

const std::string Pixels = LiteralData(2, {0, 1, 2, 3, 2, 1});
// Two pixels and no end code.
const std::string Unfinished = PackCodes(2, {{4, 3}, {1, 3}, {2, 3}});

bool Refused(const std::string& file)
{
    TGIFImage image;
    try {
        Load(image, file);
    } catch (const EAbort&) {
        EXPECT_EQ(0, image.FrameCount());
        EXPECT_TRUE(image.Empty());
        return true;
    }
    return false;
}

TEST(GifDamaged, MalformedFilesAreRefused)
{
    const std::string header = Header(3, 2, Table(4));
    const std::string frame = Image(0, 0, 3, 2, Pixels);
    const struct {
        const char* What;
        std::string File;
    } cases[] = {
        {"empty file", ""},
        {"signature only", "GIF89a"},
        {"not GIF", "GIT89a" + header.substr(6) + frame + ";"},
        {"version 88a", "GIF88a" + header.substr(6) + frame + ";"},
        {"version in capitals", "GIF89A" + header.substr(6) + frame + ";"},
        {"screen cut short", header.substr(0, 10)},
        {"global table cut short", header.substr(0, 20)},
        {"unknown extension label", header + "!\x42\x01x" + std::string(1, '\0') + frame + ";"},
        {"extension cut after its mark", header + "!"},
        {"graphic control cut short", header + GraphicControl(1, 5, 0).substr(0, 5)},
        {"plain text cut short", header + "!\x01\x0C"
                                          "abc"},
        {"unknown block", header + "X" + frame + ";"},
        {"unknown block after an extension", header + Comment({"c"}) + "X" + frame + ";"},
        {"image descriptor cut short", header + frame.substr(0, 6)},
        {"local table cut short", header + Image(0, 0, 3, 2, Pixels, Table(8)).substr(0, 20)},
        {"no minimum code size", header + frame.substr(0, 10)},
        {"image data ends before the pixels", header + Image(0, 0, 3, 2, Unfinished) + ";"},
        {"image data cut short", header + frame.substr(0, 13)},
        {"no image data", header + frame.substr(0, 11) + std::string(1, '\0') + ";"},
        {"no colour table at all", Header(3, 2, {}) + frame + ";"},
        {"frame beyond the largest bitmap",
         Header(0xFFFF, 0xFFFF, Table(4)) + Image(0, 0, 0, 0, Pixels) + ";"},
        {"frame of 40000 pixels in width", header + Image(0, 0, 40000, 1, Pixels) + ";"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(Refused(c.File)) << c.What;
}

TEST(GifDamaged, OddButReadableFiles)
{
    const std::string header = Header(3, 2, Table(4));
    // A sub-block that runs past the end of the file is cut to what remains; a frame far outside the screen
    // is kept where it is, and the screen written for it is capped.
    TGIFImage image;
    Load(image,
         header + Image(65534, 65000, 3, 2, Pixels.substr(0, Pixels.size() - 1) + std::string(40, '\0')));
    ASSERT_EQ(1, image.FrameCount());
    EXPECT_EQ(3, image.GetWidth());
    EXPECT_EQ(65534, image.Frame(0).Left);
    TGIFImage again;
    Load(again, Save(image));
    EXPECT_EQ(0xFFFF, again.ScreenWidth);
    EXPECT_EQ(65000, again.Frame(0).Top);
    EXPECT_EQ(FrameRaster(image, 0).Pixels, FrameRaster(again, 0).Pixels);
    // A sub-block length that promises more than the file holds.
    TGIFImage partial;
    Load(partial, header + Image(0, 0, 3, 2, std::string("\x02\xF0", 2) + Pixels.substr(2)));
    EXPECT_EQ(FrameRaster(image, 0).Pixels, FrameRaster(partial, 0).Pixels);
    // An empty file ending right after the screen: no frames, nothing to show.
    TGIFImage none;
    Load(none, header);
    EXPECT_TRUE(none.Empty());
    EXPECT_EQ(0, none.GetWidth());
}

TEST(GifDamaged, FilesOfTinyBlocksAreKeptWithinBounds)
{
    // 70,000 frames: the first 65,535 are kept. A comment of two million one-byte sub-blocks: 2^20 lines
    // kept.
    const std::string frame = Image(0, 0, 1, 1, LiteralData(2, {1}));
    std::string file = Header(1, 1, Table(4));
    for (int i = 0; i < 70000; ++i)
        file += frame;
    TGIFImage image;
    Load(image, file + ";");
    EXPECT_EQ(65535, image.FrameCount());
    std::string comment = "!\xFE";
    for (int i = 0; i < 2000000; ++i)
        comment += std::string("\x01x", 2);
    TGIFImage commented;
    Load(commented, Header(1, 1, Table(4)) + comment + std::string(1, '\0') + frame + ";");
    EXPECT_EQ(size_t{1} << 20, commented.Frame(0).Extensions.at(0).Lines.size());
}

TEST(GifDamaged, LaterFrameThatCannotBeDecodedEndsInTheSilentAbortWhenShown)
{
    TGIFImage image;
    Load(image, Header(3, 2, Table(4)) + Image(0, 0, 3, 2, Pixels) + Image(0, 0, 3, 2, Unfinished) + ";");
    ASSERT_EQ(2, image.FrameCount());
    image.CurrentIndex = 1;
    EXPECT_THROW(image.GetWidth(), EAbort);
    // Its stored data is written back as it is.
    TGIFImage again;
    Load(again, Save(image));
    EXPECT_EQ(image.Frame(1).GetItem()->ImageData, again.Frame(1).GetItem()->ImageData);
}

TEST(GifDamaged, RefusedFileLeavesTheImageEmpty)
{
    TGIFImage image;
    Load(image, Fixture("im-anim.gif"));
    EXPECT_THROW(Load(image, Header(3, 2, Table(4)) + "X"), EAbort);
    EXPECT_EQ(0, image.FrameCount());
    EXPECT_EQ(-1, image.CurrentIndex);
    EXPECT_EQ(0, image.Data().Palette.Count);
}

// Every cut of a file, and every single-bit change, ends in the silent abort or reads frames that decode to
// the picture or end in the silent abort; what was read can be written again.
TEST(GifDamaged, EveryTruncationAndBitFlipEndsCleanly)
{
    auto check = [](const std::string& damaged, const std::vector<TRaster>& expected, bool exact,
                    const std::string& what) {
        TGIFImage image;
        try {
            Load(image, damaged);
        } catch (const EAbort&) {
            return;
        }
        for (int i = 0; i < image.FrameCount(); ++i) {
            try {
                const TRaster r = FrameRaster(image, i);
                if (exact && static_cast<size_t>(i) < expected.size()) {
                    EXPECT_EQ(expected[static_cast<size_t>(i)].Pixels, r.Pixels) << what << " frame " << i;
                }
            } catch (const EAbort&) {}
        }
        try {
            Save(image);
        } catch (const EAbort&) {}
    };
    for (const char* name : {"im-anim", "im-pal16i", "im-transparent"}) {
        const std::string file = Fixture(std::string(name) + ".gif");
        TGIFImage good;
        Load(good, file);
        std::vector<TRaster> expected;
        for (int i = 0; i < good.FrameCount(); ++i)
            expected.push_back(FrameRaster(good, i));
        for (size_t cut = 0; cut < file.size(); ++cut)
            check(file.substr(0, cut), expected, true, std::string(name) + " cut at " + std::to_string(cut));
        for (size_t bit = 0; bit < file.size() * 8; ++bit) {
            std::string damaged = file;
            damaged[bit / 8] = static_cast<char>(damaged[bit / 8] ^ (1 << (bit % 8)));
            check(damaged, expected, false, std::string(name) + " bit " + std::to_string(bit));
        }
    }
}

} // namespace
