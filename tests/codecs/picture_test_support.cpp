// Loading pictures by extension, comparing pixels, and finding the shared real pictures.
#include "tests/codecs/picture_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "classlib/graphics/Picture.h"
#include "codecs/PictureFormats.h"
#include "tests/common/test_support.h"

namespace pictest {

std::unique_ptr<TGraphic> LoadGraphic(const std::string& extension, const std::string& bytes)
{
    RegisterPictureFormats();
    TGraphicClass graphicClass = TPicture::FindFileFormat(extension);
    if (!graphicClass)
        throw std::runtime_error("no picture class for " + extension);
    std::unique_ptr<TGraphic> graphic = graphicClass();
    TMemoryStream stream = pngtest::StreamOf(bytes);
    graphic->LoadFromStream(stream);
    return graphic;
}

std::unique_ptr<TBitmap> LoadPicture(const std::string& extension, const std::string& bytes)
{
    std::unique_ptr<TGraphic> graphic = LoadGraphic(extension, bytes);
    auto* bitmap = dynamic_cast<TBitmap*>(graphic.get());
    if (!bitmap)
        throw std::runtime_error("the class for " + extension + " makes no bitmap");
    graphic.release();
    return std::unique_ptr<TBitmap>(bitmap);
}

int LargestDifference(const TRaster& a, const TRaster& b, std::string* where)
{
    if (a.Width != b.Width || a.Height != b.Height) {
        if (where)
            *where = std::to_string(a.Width) + "x" + std::to_string(a.Height) + " against " +
                     std::to_string(b.Width) + "x" + std::to_string(b.Height);
        return -1;
    }
    int largest = 0;
    for (int32_t y = 0; y < a.Height; ++y)
        for (int32_t x = 0; x < a.Width; ++x) {
            const TRGBEntry p = a.At(x, y), q = b.At(x, y);
            const int d = std::max({std::abs(int(p.Red) - q.Red), std::abs(int(p.Green) - q.Green),
                                    std::abs(int(p.Blue) - q.Blue)});
            if (d > largest) {
                largest = d;
                if (where)
                    *where = "pixel " + std::to_string(x) + "," + std::to_string(y);
            }
        }
    return largest;
}

std::string CorpusDir()
{
    const char* data = std::getenv("QP_TESTDATA");
    if (!data)
        return {};
    // tests/data of the project, whose folder stands beside the shared one.
    const std::string dir = std::string(data) + "/../../../shared/corpus/pictures";
    if (!std::filesystem::exists(qptest::NativePath(dir + "/ref/INDEX.tsv")))
        return {};
    return dir;
}

std::vector<std::vector<std::string>> CorpusIndex()
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(qptest::ReadFileBytes(qptest::NativePath(CorpusDir() + "/ref/INDEX.tsv")));
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, '\t'))
            fields.push_back(cell);
        if (fields.size() >= 9)
            rows.push_back(std::move(fields));
    }
    return rows;
}

} // namespace pictest
