// The benchmark document: about Target bytes of RTF (text with formatting, tables of fonts and colours,
// fields, PNG pictures in hexadecimal), shared by the reading and writing benchmarks.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>

#include "classlib/runtime/Streams.h"
#include "codecs/PNG.h"
#include "formats/rtf/RtfControlWords.h"

// A 64 x 64 PNG picture (a gradient) in hexadecimal lines of 128 digits, as writers give them.
inline std::string PictureHex()
{
    TPNGImage png;
    png.SetPixelFormat(pf24bit);
    png.SetSize(64, 64);
    for (int32_t y = 0; y < 64; ++y) {
        uint8_t* row = png.ScanLine(y);
        for (int32_t x = 0; x < 64; ++x, row += 3) {
            row[0] = static_cast<uint8_t>(x * 4);
            row[1] = static_cast<uint8_t>(y * 4);
            row[2] = static_cast<uint8_t>((x ^ y) * 4);
        }
    }
    TMemoryStream stream;
    png.SaveToStream(stream);
    std::string hex;
    const uint8_t* bytes = stream.Memory();
    for (int64_t done = 0; done < stream.GetSize(); done += 64) {
        const int32_t count = static_cast<int32_t>(std::min<int64_t>(64, stream.GetSize() - done));
        char line[128];
        BytesToHexPairs(line, bytes + done, count);
        hex.append(line, 2 * static_cast<size_t>(count)) += '\n';
    }
    return hex;
}

inline std::string MakeBenchmarkRtf(size_t target)
{
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n";
    const char* paragraph =
        "\\pard\\plain\\ql\\li360\\ri120\\sb120\\sa60\\f0\\fs24 Le texte d\\'e9bute ici, {\\b gras} et "
        "{\\i italique}, {\\cf1 rouge} et {\\f1\\fs20 Arial}, un champ {\\field{\\*\\fldinst PAGE}"
        "{\\fldrslt 1}} puis une tabulation\\tab et la fin du paragraphe avec des accents "
        "\\'e0\\'e7\\'f4.\\par\n";
    std::string picture =
        "{\\pict\\pngblip\\picw64\\pich64\\picwgoal960\\pichgoal960\n" + PictureHex() + "}\\par\n";
    int n = 0;
    while (rtf.size() < target) {
        rtf += paragraph;
        if (++n % 200 == 0)
            rtf += picture;
    }
    rtf += "}";
    return rtf;
}
