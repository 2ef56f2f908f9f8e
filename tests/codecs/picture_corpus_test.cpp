// The picture readers over the shared real pictures: each variant the program must read gives the pixels of
// the independent reading within the format's tolerance, and every other file, damaged ones included, ends
// cleanly.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "codecs/GIF.h"
#include "codecs/PNG.h"
#include "tests/codecs/picture_test_support.h"
#include "tests/common/test_support.h"

using namespace pictest;

namespace {

std::string Bytes(const std::string& path)
{
    return qptest::ReadFileBytes(qptest::NativePath(path));
}

// How far the program's colours may lie from the reference, by what the notes say of the variant.
int Tolerance(const std::string& format, const std::string& variant, const std::string& notes)
{
    int t = 1;
    if (format == "tga")
        t = 3; // palettes kept at 6 bits
    if (notes.find("5-5-5") != std::string::npos || notes.find("5-bit channels") != std::string::npos ||
        notes.find("15-bit") != std::string::npos)
        t = 8;
    if (notes.find("4-bit grey") != std::string::npos)
        t = 17;
    if (notes.find("grey ramp") != std::string::npos)
        t = 7; // i * 63 / 255 * 4
    (void)variant;
    return t;
}

// The reference picture as rows of colours, as stored: its gamma chunk is left out, which the PNG reader
// would apply.
TRaster Reference(const std::string& path)
{
    std::vector<pngtest::TRawChunk> chunks = pngtest::SplitChunks(Bytes(path));
    std::erase_if(chunks, [](const pngtest::TRawChunk& c) { return c.Type == "gAMA"; });
    TPNGImage png;
    TMemoryStream stream = pngtest::StreamOf(pngtest::JoinChunks(chunks));
    png.LoadFromStream(stream);
    return pngtest::RasterOf(png);
}

// The bitmap of a GIF file's first frame, at the frame's own size.
std::unique_ptr<TBitmap> FirstFrame(const std::string& bytes)
{
    std::unique_ptr<TGraphic> graphic = LoadGraphic("gif", bytes);
    const auto& gif = dynamic_cast<const TGIFImage&>(*graphic);
    auto bitmap = std::make_unique<TBitmap>();
    if (gif.FrameCount() > 0)
        bitmap->Assign(gif.Frame(0).GetBitmap());
    return bitmap;
}

// Files the program reads otherwise than the reference, each for its reason.
const std::set<std::string> Differing = {
    // One-dimensional fax rows without end-of-line codes, on which libtiff's own tools report a premature
    // end of line: the program loses its place at row 110.
    "tiff/libtiff-testfax3_bug54_1dnoEOL.tif",
    // Two-colour pictures take the colours of the header's palette (white for 1 in one, red for 0 in the
    // other); the reference shows them in a black and white of its own.
    "pcx/mei-CGA_BW.PCX",
    "pcx/pillow-pil184.pcx",
    // A file marked uncompressed, whose bytes the reference takes as they are: the program always reads
    // run-length packets.
    "pcx/py-v5-8bpp-grey-enc0-uncompressed.pcx",
};

void CheckFormat(const std::string& format)
{
    const std::string dir = CorpusDir();
    if (dir.empty())
        GTEST_SKIP() << "no shared picture corpus";
    int read = 0;
    for (const auto& row : CorpusIndex()) {
        if (row[1] != format)
            continue;
        const std::string& file = row[0];
        const std::string& notes = row[8];
        const std::string extension = std::filesystem::path(file).extension().string();
        const bool required = notes.rfind("required", 0) == 0 && !Differing.count(file);
        std::unique_ptr<TBitmap> bitmap;
        try {
            bitmap = format == "gif" ? FirstFrame(Bytes(dir + "/" + file))
                                     : LoadPicture(extension, Bytes(dir + "/" + file));
        } catch (const EAbort&) {
            // A picture larger than a bitmap may be is refused.
            const bool tooLarge = std::atoi(row[3].c_str()) > TBitmap::MaxDimension ||
                                  std::atoi(row[4].c_str()) > TBitmap::MaxDimension;
            EXPECT_FALSE(required && !tooLarge) << file << " is refused";
            continue;
        }
        ++read;
        // Colours the program computes with its own formulas are compared with its own reading.
        std::string expected = row[7];
        if (format == "pcd")
            expected = expected.substr(0, expected.size() - 4) + ".part.png";
        // Premultiplied colours (associated alpha) are shown as stored, the reference divides them out.
        // Four-bit white-is-zero levels: the reference shows them inverted, where libtiff's own reading
        // (tiff2rgba) agrees with the program.
        // Transparent pixels of a GIF show their table entry, which the reference leaves out.
        // Image data marked corrupt stops decoding where the reference goes on.
        if (!required || expected == "-" || notes.find("Lab") != std::string::npos ||
            notes.find("marked corrupt") != std::string::npos ||
            (format == "gif" && notes.find("ref has alpha") != std::string::npos) ||
            row[2].find("extrasamples [1]") != std::string::npos ||
            (notes.find("4-bit grey") != std::string::npos &&
             row[2].find("WhiteIsZero") != std::string::npos))
            continue;
        std::string where;
        const int d = LargestDifference(pngtest::RasterOf(*bitmap), Reference(dir + "/" + expected), &where);
        const int tolerance = Tolerance(format, row[2], notes);
        EXPECT_TRUE(d >= 0 && d <= tolerance) << file << ": " << d << " at " << where;
    }
    EXPECT_GT(read, 0);
}

// Every damaged file ends in a picture or in the silent abort.
void CheckDamaged(const std::string& format, const std::string& extension)
{
    const std::string dir = CorpusDir();
    if (dir.empty())
        GTEST_SKIP() << "no shared picture corpus";
    int count = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(qptest::NativePath(dir + "/damaged/" + format))) {
        ++count;
        try {
            LoadGraphic(extension, qptest::ReadFileBytes(entry.path().string()));
        } catch (const EAbort&) {}
    }
    EXPECT_GT(count, 0);
}

TEST(PictureCorpus, Gif)
{
    CheckFormat("gif");
}

TEST(PictureCorpus, Tiff)
{
    CheckFormat("tiff");
}
TEST(PictureCorpus, Pcx)
{
    CheckFormat("pcx");
}
TEST(PictureCorpus, Targa)
{
    CheckFormat("tga");
}
TEST(PictureCorpus, PhotoCd)
{
    CheckFormat("pcd");
}

TEST(PictureCorpus, DamagedFilesEndCleanly)
{
    CheckDamaged("tiff", "tif");
    CheckDamaged("pcx", "pcx");
    CheckDamaged("tga", "tga");
    CheckDamaged("pcd", "pcd");
    CheckDamaged("gif", "gif");
}

} // namespace
