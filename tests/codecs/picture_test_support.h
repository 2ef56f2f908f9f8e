// What the picture reader tests share: loading through the picture-format list, comparing with reference
// pixels within a tolerance, and the shared folder of real pictures.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "tests/codecs/png_test_support.h"

namespace pictest {

using pngtest::TRaster;

// A graphic read from the bytes by the class registered for the extension (the silent abort passes on).
std::unique_ptr<TGraphic> LoadGraphic(const std::string& extension, const std::string& bytes);
// A bitmap read from the bytes by the class registered for the extension (the silent abort passes on).
std::unique_ptr<TBitmap> LoadPicture(const std::string& extension, const std::string& bytes);
// The largest difference of one channel between the two pictures, and where it lies; -1 when their sizes
// differ.
int LargestDifference(const TRaster& a, const TRaster& b, std::string* where = nullptr);
// The folder of real pictures beside the project (empty when it is not there).
std::string CorpusDir();
// The rows of its index: file, format, variant, width, height, depth, frames, expected picture, notes.
std::vector<std::vector<std::string>> CorpusIndex();

} // namespace pictest
