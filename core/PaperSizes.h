// The table of paper and envelope sizes with their names and Windows paper codes.
#pragma once
#include <cstdint>
#include <string>

constexpr int PaperSizeCount = 36; // 35 sizes and the custom size
constexpr int CustomPaperSize = 35;
constexpr int FirstEnvelopeSize = 13;
constexpr int LastEnvelopeSize = 34;

struct TPaperSize {
    int32_t Width; // twips, portrait; 0 for the custom size
    int32_t Height;
    int32_t Code;     // the Windows paper code, 0 where Windows has none
    const char* Name; // the two dimension texts marked with "^" on both sides
};

extern const TPaperSize PaperSizes[PaperSizeCount];

// The display name of a size; in landscape the two dimensions change places.
std::string GetPaperSizeName(int index, bool landscape);
// The first size within 20 twips of the given one in either orientation; the custom size when none.
int FindPaperSize(int32_t width, int32_t height);
// The same over the envelopes; -1 when none.
int FindEnvelopeSize(int32_t width, int32_t height);
// The Windows paper code of the size found; 0 for the custom size.
int32_t GetPaperSizeCode(int32_t width, int32_t height);
