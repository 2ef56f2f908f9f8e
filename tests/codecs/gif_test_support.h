// What the GIF tests share: fixtures and their reference pixels, and GIF files put together block by block
// with an LZW packer of their own.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "codecs/GIF.h"
#include "tests/codecs/png_test_support.h"

namespace giftest {

using pngtest::TRaster;

// The whole contents of tests/data/gif/NAME.
std::string Fixture(const std::string& name);
// ImageMagick's reading of frame N of tests/data/gif/NAME.gif.
TRaster Reference(const std::string& name, int frame);

void Load(TGIFImage& image, const std::string& bytes);
std::string Save(TGIFImage& image);
// The colours of frame N's bitmap.
TRaster FrameRaster(const TGIFImage& image, int frame);

// Pieces of a GIF file.
std::string Word(uint16_t v);
// "GIF89a" (or another signature), the logical screen and the global colour table when one is given.
std::string Header(uint16_t width, uint16_t height, const std::vector<TRGBEntry>& globalTable,
                   const char* signature = "GIF89a", uint8_t background = 0);
std::string GraphicControl(uint8_t flags, uint16_t delay, uint8_t transparentIndex);
std::string Comment(const std::vector<std::string>& blocks);
// An image descriptor with its local colour table (when given) and its image data.
std::string Image(uint16_t left, uint16_t top, uint16_t width, uint16_t height, const std::string& data,
                  const std::vector<TRGBEntry>& localTable = {}, bool interlaced = false);

// Codes of stated sizes packed least-significant bit first into sub-blocks, after the minimum code size byte
// and before the terminator.
std::string PackCodes(int minSize, const std::vector<std::pair<int, int>>& codesAndSizes);
// Image data that gives every pixel a code of its own, with a clear code before the table would grow.
std::string LiteralData(int minSize, const std::vector<int>& pixels);
// The codes of image data, read with the code sizes a decoder uses.
std::vector<int> CodesOf(const std::vector<uint8_t>& data);

// A colour table of N entries: entry i is (i * 7, 255 - i, i * 3) wrapped to bytes.
std::vector<TRGBEntry> Table(int count);

} // namespace giftest
