// Reading cost of hostile files: small RTF files that ask for much work (long chains of styles based on
// one another, many bookmarks, fonts, colours, fields, deep nesting), each read through the program's
// load; prints the time per megabyte against a normal document of the same size.
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/BenchDocument.h"
#include "document/Document.h"
#include "core/Codings.h"
#include "formats/load/DocumentLoad.h"

namespace {

double LoadSeconds(const std::string& rtf)
{
    TDocument document;
    TDocOpeningOptions options;
    options.SourceKind = 1;
    options.MemoryBlock = rtf.data();
    options.MemorySize = static_cast<int64_t>(rtf.size());
    options.Coding = cdRtf;
    options.Quiet = true;
    TLoadedDocument loaded;
    const auto start = std::chrono::steady_clock::now();
    LoadDocumentFromFile(
        document, options, loaded, [](const std::string&, uint8_t, uint16_t, uint8_t) { return 2; },
        [](std::string&) { return false; });
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Head(const std::string& tables)
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}" + tables;
}

std::string StyleChain(int n)
{
    std::string s = "{\\stylesheet{\\s0 Normal;}";
    for (int i = 1; i < n; ++i)
        s += "{\\s" + std::to_string(i) + "\\sbasedon" + std::to_string(i - 1) + "\\b Style " +
             std::to_string(i) + ";}";
    s += "}";
    return Head(s) + "\\pard\\s" + std::to_string(n - 1) + " Texte.\\par}";
}

std::string Bookmarks(int n)
{
    std::string s = Head("");
    for (int i = 0; i < n; ++i)
        s += "{\\*\\bkmkstart b" + std::to_string(i) + "}x{\\*\\bkmkend b" + std::to_string(i) + "}";
    return s + "\\par}";
}

std::string Fonts(int n)
{
    std::string s = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (int i = 0; i < n; ++i)
        s += "{\\f" + std::to_string(i) + " Police" + std::to_string(i) + ";}";
    s += "}";
    for (int i = 0; i < n; i += 97)
        s += "\\f" + std::to_string(i) + " a";
    return s + "\\par}";
}

std::string Colours(int n)
{
    std::string s = "{\\colortbl;";
    for (int i = 0; i < n; ++i)
        s += "\\red" + std::to_string(i % 256) + "\\green" + std::to_string(i / 256 % 256) + "\\blue0;";
    s += "}";
    std::string body;
    for (int i = 0; i < n; i += 97)
        body += "\\cf" + std::to_string(i) + " a";
    return Head(s) + body + "\\par}";
}

std::string Fields(int n)
{
    std::string s = Head("");
    for (int i = 0; i < n; ++i)
        s += "{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}";
    return s + "\\par}";
}

std::string Nesting(int n)
{
    return Head("") + std::string(size_t(n), '{') + "x" + std::string(size_t(n), '}') + "\\par}";
}

} // namespace

int main()
{
    struct TCase {
        const char* Name;
        std::string Rtf;
    };
    TCase cases[] = {
        {"style chain (10 000)", StyleChain(10000)},
        {"bookmarks (50 000)", Bookmarks(50000)},
        {"fonts (50 000)", Fonts(50000)},
        {"colours (50 000)", Colours(50000)},
        {"fields (50 000)", Fields(50000)},
        {"nesting (350)", Nesting(350)},
    };
    const std::string normal = MakeBenchmarkRtf(1024 * 1024);
    const double normalPerMb = LoadSeconds(normal) / (normal.size() / 1048576.0);
    std::printf("hostile_inputs: normal document %.3f s/MB\n", normalPerMb);
    for (const TCase& c : cases) {
        const double mb = c.Rtf.size() / 1048576.0;
        const double perMb = LoadSeconds(c.Rtf) / mb;
        std::printf("hostile_inputs: %-22s %7.0f KB %8.3f s/MB  %6.1f x normal\n", c.Name, mb * 1024, perMb,
                    perMb / normalPerMb);
    }
    return 0;
}
