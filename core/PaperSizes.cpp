// The paper and envelope size table and the searches over it.
#include "core/PaperSizes.h"
#include <cstdlib>

const TPaperSize PaperSizes[PaperSizeCount] = {
    {16838, 23811, 8, "A3 (^297^ x ^420^ mm)"},
    {11905, 16838, 9, "A4 (^210^ x ^297^ mm)"},
    {8391, 11905, 11, "A5 (^148^ x ^210^ mm)"},
    {14173, 20069, 12, "B4 (^250^ x ^353^ mm)"},
    {10318, 14570, 13, "B5 (^176^ x ^250^ mm)"},
    {12240, 15840, 1, "US Letter (^8 1/2^ x ^11^ in.)"},
    {12240, 20160, 5, "US Legal (^8 1/2^ x ^14^ in.)"},
    {24480, 31680, 0, "US C (^17^ x ^22^ in.)"},
    {15840, 24480, 3, "US Tabloid (^11^ x ^17^ in.)"},
    {17280, 25920, 6, "US Ledger Extra (^12^ x ^18^ in.)"},
    {10440, 15120, 7, "US Executive (^7 1/4^ x ^10 1/2^ in.)"},
    {12240, 18720, 14, "US Folio (^8 1/4^ x ^13^ in.)"},
    {12189, 15591, 15, "US Quarto (^8 1/2^ x ^10 13/16^ in.)"},
    {18369, 25965, 29, "Env. C3 (^324^ x ^458^ mm)"},
    {12983, 18369, 30, "Env. C4 (^229^ x ^324^ mm)"},
    {9184, 12983, 28, "Env. C5 (^162^ x ^229^ mm)"},
    {6463, 9184, 31, "Env. C6 (^114^ x ^162^ mm)"},
    {6463, 12983, 32, "Env. C65 (^114^ x ^229^ mm)"},
    {14173, 20013, 33, "Env. B4 (^262^ x ^371^ mm)"},
    {9978, 14173, 34, "Env. B5 (^185^ x ^262^ mm)"},
    {7087, 9978, 35, "Env. B6 (^131^ x ^185^ mm)"},
    {12472, 17575, 0, "Env. A4 (^220^ x ^312^ mm)"},
    {8787, 12472, 0, "Env. A5 (^156^ x ^220^ mm)"},
    {6236, 8787, 0, "Env. A6 (^110^ x ^156^ mm)"},
    {6236, 12472, 27, "Env. E65 ou DL (^110^ x ^220^ mm)"},
    {8787, 12643, 0, "Env. M5 (^155^ x ^223^ mm)"},
    {6350, 12643, 0, "Env. M65 (^112^ x ^223^ mm)"},
    {6236, 13039, 36, "Env. Italie (^110^ x ^230^ mm)"},
    {5580, 12780, 19, "US Env. 9 (^3 7/8^ x ^8 7/8^ in.)"},
    {5940, 13680, 20, "US Env. 10 (^4 1/8^ x ^9 1/2^ in.)"},
    {6480, 14940, 21, "US Env. 11 (^4 1/2^ x ^10 3/8^ in.)"},
    {6840, 15840, 22, "US Env. 12 (^4 3/4^ x ^11^ in.)"},
    {7200, 16560, 23, "US Env. 14 (^5^ x ^11 1/2^ in.)"},
    {5580, 10800, 37, "US Env. 7 3/4 (^3 7/8^ x ^7 1/2^ in.)"},
    {5220, 9360, 38, "US Env 6 3/4 (^3 5/8^ x ^6 1/2^ in.)"},
    {0, 0, 0, "Taille personnalisée"},
};

std::string GetPaperSizeName(int index, bool landscape)
{
    if (index < 0 || index >= PaperSizeCount)
        return {};
    std::string name = PaperSizes[index].Name;
    if (landscape) {
        // The marks enclose the first dimension at [a, b] and the second at [c, d].
        const size_t a = name.find('^');
        const size_t b = a == std::string::npos ? a : name.find('^', a + 1);
        const size_t c = b == std::string::npos ? b : name.find('^', b + 1);
        const size_t d = c == std::string::npos ? c : name.find('^', c + 1);
        if (d != std::string::npos) {
            const std::string first = name.substr(a + 1, b - a - 1);
            const std::string second = name.substr(c + 1, d - c - 1);
            name = name.substr(0, a + 1) + second + name.substr(b, c - b + 1) + first + name.substr(d);
        }
    }
    std::string result;
    for (char ch : name)
        if (ch != '^')
            result += ch;
    return result;
}

namespace {

bool Near(int32_t a, int32_t b)
{
    return std::llabs(int64_t(a) - b) <= 20;
}

int FindSize(int first, int last, int32_t width, int32_t height)
{
    for (int i = first; i <= last; ++i) {
        const TPaperSize& p = PaperSizes[i];
        if ((Near(p.Width, width) && Near(p.Height, height)) ||
            (Near(p.Width, height) && Near(p.Height, width)))
            return i;
    }
    return -1;
}

} // namespace

int FindPaperSize(int32_t width, int32_t height)
{
    const int i = FindSize(0, CustomPaperSize - 1, width, height);
    return i < 0 ? CustomPaperSize : i;
}

int FindEnvelopeSize(int32_t width, int32_t height)
{
    return FindSize(FirstEnvelopeSize, LastEnvelopeSize, width, height);
}

int32_t GetPaperSizeCode(int32_t width, int32_t height)
{
    return PaperSizes[FindPaperSize(width, height)].Code;
}
