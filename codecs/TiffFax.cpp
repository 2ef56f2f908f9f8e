// Fax-coded rows: the run-length codes of T.4 (terminating, make-up and extended make-up codes of both
// colours) and the two-dimensional modes of T.4 and T.6.
#include "codecs/TiffFax.h"

#include <array>
#include <cstring>

namespace {

struct TCode {
    const char* Bits;
    int16_t Run;
};

// White runs: terminating codes 0 to 63, then the make-up codes.
constexpr TCode WhiteCodes[] = {
    {"00110101", 0},     {"000111", 1},       {"0111", 2},         {"1000", 3},         {"1011", 4},
    {"1100", 5},         {"1110", 6},         {"1111", 7},         {"10011", 8},        {"10100", 9},
    {"00111", 10},       {"01000", 11},       {"001000", 12},      {"000011", 13},      {"110100", 14},
    {"110101", 15},      {"101010", 16},      {"101011", 17},      {"0100111", 18},     {"0001100", 19},
    {"0001000", 20},     {"0010111", 21},     {"0000011", 22},     {"0000100", 23},     {"0101000", 24},
    {"0101011", 25},     {"0010011", 26},     {"0100100", 27},     {"0011000", 28},     {"00000010", 29},
    {"00000011", 30},    {"00011010", 31},    {"00011011", 32},    {"00010010", 33},    {"00010011", 34},
    {"00010100", 35},    {"00010101", 36},    {"00010110", 37},    {"00010111", 38},    {"00101000", 39},
    {"00101001", 40},    {"00101010", 41},    {"00101011", 42},    {"00101100", 43},    {"00101101", 44},
    {"00000100", 45},    {"00000101", 46},    {"00001010", 47},    {"00001011", 48},    {"01010010", 49},
    {"01010011", 50},    {"01010100", 51},    {"01010101", 52},    {"00100100", 53},    {"00100101", 54},
    {"01011000", 55},    {"01011001", 56},    {"01011010", 57},    {"01011011", 58},    {"01001010", 59},
    {"01001011", 60},    {"00110010", 61},    {"00110011", 62},    {"00110100", 63},    {"11011", 64},
    {"10010", 128},      {"010111", 192},     {"0110111", 256},    {"00110110", 320},   {"00110111", 384},
    {"01100100", 448},   {"01100101", 512},   {"01101000", 576},   {"01100111", 640},   {"011001100", 704},
    {"011001101", 768},  {"011010010", 832},  {"011010011", 896},  {"011010100", 960},  {"011010101", 1024},
    {"011010110", 1088}, {"011010111", 1152}, {"011011000", 1216}, {"011011001", 1280}, {"011011010", 1344},
    {"011011011", 1408}, {"010011000", 1472}, {"010011001", 1536}, {"010011010", 1600}, {"011000", 1664},
    {"010011011", 1728},
};

// Black runs: terminating codes 0 to 63, then the make-up codes.
constexpr TCode BlackCodes[] = {
    {"0000110111", 0},
    {"010", 1},
    {"11", 2},
    {"10", 3},
    {"011", 4},
    {"0011", 5},
    {"0010", 6},
    {"00011", 7},
    {"000101", 8},
    {"000100", 9},
    {"0000100", 10},
    {"0000101", 11},
    {"0000111", 12},
    {"00000100", 13},
    {"00000111", 14},
    {"000011000", 15},
    {"0000010111", 16},
    {"0000011000", 17},
    {"0000001000", 18},
    {"00001100111", 19},
    {"00001101000", 20},
    {"00001101100", 21},
    {"00000110111", 22},
    {"00000101000", 23},
    {"00000010111", 24},
    {"00000011000", 25},
    {"000011001010", 26},
    {"000011001011", 27},
    {"000011001100", 28},
    {"000011001101", 29},
    {"000001101000", 30},
    {"000001101001", 31},
    {"000001101010", 32},
    {"000001101011", 33},
    {"000011010010", 34},
    {"000011010011", 35},
    {"000011010100", 36},
    {"000011010101", 37},
    {"000011010110", 38},
    {"000011010111", 39},
    {"000001101100", 40},
    {"000001101101", 41},
    {"000011011010", 42},
    {"000011011011", 43},
    {"000001010100", 44},
    {"000001010101", 45},
    {"000001010110", 46},
    {"000001010111", 47},
    {"000001100100", 48},
    {"000001100101", 49},
    {"000001010010", 50},
    {"000001010011", 51},
    {"000000100100", 52},
    {"000000110111", 53},
    {"000000111000", 54},
    {"000000100111", 55},
    {"000000101000", 56},
    {"000001011000", 57},
    {"000001011001", 58},
    {"000000101011", 59},
    {"000000101100", 60},
    {"000001011010", 61},
    {"000001100110", 62},
    {"000001100111", 63},
    {"0000001111", 64},
    {"000011001000", 128},
    {"000011001001", 192},
    {"000001011011", 256},
    {"000000110011", 320},
    {"000000110100", 384},
    {"000000110101", 448},
    {"0000001101100", 512},
    {"0000001101101", 576},
    {"0000001001010", 640},
    {"0000001001011", 704},
    {"0000001001100", 768},
    {"0000001001101", 832},
    {"0000001110010", 896},
    {"0000001110011", 960},
    {"0000001110100", 1024},
    {"0000001110101", 1088},
    {"0000001110110", 1152},
    {"0000001110111", 1216},
    {"0000001010010", 1280},
    {"0000001010011", 1344},
    {"0000001010100", 1408},
    {"0000001010101", 1472},
    {"0000001011010", 1536},
    {"0000001011011", 1600},
    {"0000001100100", 1664},
    {"0000001100101", 1728},
};

// Make-up codes shared by both colours.
constexpr TCode ExtendedCodes[] = {
    {"00000001000", 1792},  {"00000001100", 1856},  {"00000001101", 1920},  {"000000010010", 1984},
    {"000000010011", 2048}, {"000000010100", 2112}, {"000000010101", 2176}, {"000000010110", 2240},
    {"000000010111", 2304}, {"000000011100", 2368}, {"000000011101", 2432}, {"000000011110", 2496},
    {"000000011111", 2560},
};

// The two-dimensional modes.
enum TModeCode : int16_t {
    mPass = 100,
    mHorizontal,
    mVertical0,
    mVerticalR1,
    mVerticalR2,
    mVerticalR3,
    mVerticalL1,
    mVerticalL2,
    mVerticalL3,
    mExtension
};
constexpr TCode ModeCodes[] = {
    {"0001", mPass},          {"001", mHorizontal},     {"1", mVertical0},    {"011", mVerticalR1},
    {"000011", mVerticalR2},  {"0000011", mVerticalR3}, {"010", mVerticalL1}, {"000010", mVerticalL2},
    {"0000010", mVerticalL3}, {"0000001", mExtension},
};

constexpr int LookupBits = 13;

struct TEntry {
    int16_t Run = -1;
    uint8_t Length = 0;
};

// A table indexed by the next 13 bits: the run (or mode) of the code they begin with and its length.
struct TLookup {
    std::array<TEntry, 1 << LookupBits> Entries;

    template<size_t N>
    void Add(const TCode (&codes)[N])
    {
        for (const TCode& c : codes) {
            const int length = int(std::strlen(c.Bits));
            int value = 0;
            for (int i = 0; i < length; ++i)
                value = (value << 1) | (c.Bits[i] == '1');
            const int first = value << (LookupBits - length);
            for (int i = first; i < first + (1 << (LookupBits - length)); ++i)
                Entries[size_t(i)] = {c.Run, uint8_t(length)};
        }
    }
};

// 0 white runs, 1 black runs, 2 the two-dimensional modes.
const TLookup& Lookup(int which)
{
    static const std::array<TLookup, 3> tables = [] {
        std::array<TLookup, 3> t;
        t[0].Add(WhiteCodes);
        t[0].Add(ExtendedCodes);
        t[1].Add(BlackCodes);
        t[1].Add(ExtendedCodes);
        t[2].Add(ModeCodes);
        return t;
    }();
    return tables[size_t(which)];
}

} // namespace

// A byte with its bits in the other order.
uint8_t ReverseBits(uint8_t b)
{
    static const std::array<uint8_t, 256> table = [] {
        std::array<uint8_t, 256> t{};
        for (int i = 0; i < 256; ++i)
            for (int k = 0; k < 8; ++k)
                if (i & (1 << k))
                    t[size_t(i)] |= uint8_t(0x80 >> k);
        return t;
    }();
    return table[b];
}

TFaxDecoder::TFaxDecoder(const uint8_t* data, size_t size, int32_t width, TMode mode, bool lsbFirst)
    : Data(data), Size(size), Width(width < 0 ? 0 : width), Mode(mode), LsbFirst(lsbFirst)
{
    // The row before the first is white.
    Reference = {Width, Width};
}

int TFaxDecoder::Bit(size_t at) const
{
    if (at >= Size * 8)
        return 0;
    const uint8_t byte = Data[at >> 3];
    return LsbFirst ? (byte >> (at & 7)) & 1 : (byte >> (7 - (at & 7))) & 1;
}

int TFaxDecoder::Peek(int count) const
{
    // Up to 13 bits start within the first of three bytes; bits past the data read as 0.
    const size_t at = Pos >> 3;
    auto byte = [&](size_t i) -> uint32_t {
        if (at + i >= Size)
            return 0;
        const uint8_t b = Data[at + i];
        return LsbFirst ? ReverseBits(b) : b;
    };
    const uint32_t window = byte(0) << 16 | byte(1) << 8 | byte(2);
    return int((window >> (24 - int(Pos & 7) - count)) & ((1u << count) - 1));
}

int32_t TFaxDecoder::ReadRun(bool black)
{
    const TLookup& table = Lookup(black ? 1 : 0);
    int32_t total = 0;
    for (;;) {
        const TEntry e = table.Entries[size_t(Peek(LookupBits))];
        if (e.Length == 0 || !Available(e.Length))
            return -1;
        Pos += e.Length;
        total += e.Run;
        if (e.Run < 64)
            return total;
        // Make-up codes add up; a row can never need more than its width.
        if (total > Width)
            return -1;
    }
}

void TFaxDecoder::SkipEndOfLine()
{
    size_t at = Pos;
    while (at + 12 <= Size * 8) {
        int value = 0;
        for (int i = 0; i < 12; ++i)
            value = (value << 1) | Bit(at + size_t(i));
        if (value == 1) {
            Pos = at + 12;
            return;
        }
        if (value != 0)
            return;
        ++at;
    }
}

bool TFaxDecoder::Record(int32_t change)
{
    // Runs of length 0 add changes without moving on: a row holds at most two for each pixel.
    if (Current.size() > 2 * size_t(Width) + 4)
        return false;
    Current.push_back(change);
    return true;
}

bool TFaxDecoder::Uncompressed(int32_t& a0, bool& black)
{
    // Pixels as they are: a code of Z zeros and a one is Z white pixels and a black one (Z up to 4), five
    // white pixels (Z = 5), or the exit after Z - 6 white pixels, followed by the colour of the next run.
    bool colour = black;
    auto put = [&](bool pixelBlack) {
        if (a0 >= Width)
            return true;
        if (pixelBlack != colour) {
            if (!Record(a0))
                return false;
            colour = pixelBlack;
        }
        ++a0;
        return true;
    };
    for (;;) {
        int zeros = 0;
        while (zeros <= 10 && Available(1) && Bit(Pos) == 0) {
            ++zeros;
            ++Pos;
        }
        if (zeros > 10 || !Available(1))
            return false;
        ++Pos;
        const int whites = zeros <= 4 ? zeros : zeros == 5 ? 5 : zeros - 6;
        for (int i = 0; i < whites; ++i)
            if (!put(false))
                return false;
        if (zeros <= 4 && !put(true))
            return false;
        if (zeros >= 6) {
            if (!Available(1))
                return false;
            const bool next = Bit(Pos++) == 1;
            if (next != colour && !Record(a0))
                return false;
            black = next;
            return true;
        }
    }
}

bool TFaxDecoder::DecodeOneDim()
{
    int32_t a0 = 0;
    bool black = false;
    Current.clear();
    for (int32_t codes = 0; a0 < Width; ++codes) {
        // Codes that never move on (runs of 0 pixels) end a damaged row.
        if (codes > 2 * Width + 64)
            return false;
        // The uncompressed mode's entry code in place of a run.
        if (Peek(12) == 0x00F && Available(12)) {
            Pos += 12;
            if (!Uncompressed(a0, black))
                return false;
            continue;
        }
        const int32_t run = ReadRun(black);
        if (run < 0)
            return false;
        // A run is never taken past the end of the row.
        a0 = run > Width - a0 ? Width : a0 + run;
        if (!Record(a0))
            return false;
        black = !black;
    }
    return true;
}

bool TFaxDecoder::DecodeTwoDim()
{
    const TLookup& modes = Lookup(2);
    int32_t a0 = -1;
    bool black = false;
    size_t p = 0;
    Current.clear();
    const size_t n = Reference.size();
    for (int32_t codes = 0; a0 < Width; ++codes) {
        if (codes > 2 * Width + 64)
            return false;
        // b1: the first change of the reference row right of a0 to the colour opposite a0's; b2 the next.
        while (p < n && Reference[p] <= a0)
            ++p;
        size_t i = p;
        if (i < n && (i & 1) != (black ? 1u : 0u))
            ++i;
        const int32_t b1 = i < n ? Reference[i] : Width;
        const int32_t b2 = i + 1 < n ? Reference[i + 1] : Width;
        const TEntry e = modes.Entries[size_t(Peek(LookupBits))];
        if (e.Length == 0 || !Available(e.Length))
            return false;
        Pos += e.Length;
        const int32_t start = a0 < 0 ? 0 : a0;
        switch (e.Run) {
        case mPass:
            if (b2 < start)
                return false;
            a0 = b2;
            break;
        case mHorizontal: {
            const int32_t first = ReadRun(black);
            const int32_t second = first < 0 ? -1 : ReadRun(!black);
            if (second < 0)
                return false;
            const int32_t a1 = first > Width - start ? Width : start + first;
            const int32_t a2 = second > Width - a1 ? Width : a1 + second;
            if (!Record(a1) || !Record(a2))
                return false;
            a0 = a2;
            break;
        }
        case mExtension: {
            // Only the extension 111, the uncompressed mode, is known.
            if (!Available(3) || Peek(3) != 7)
                return false;
            Pos += 3;
            int32_t at = start;
            if (!Uncompressed(at, black))
                return false;
            a0 = at;
            break;
        }
        default: {
            static constexpr int32_t Offsets[] = {0, 1, 2, 3, -1, -2, -3};
            int32_t a1 = b1 + Offsets[e.Run - mVertical0];
            if (a1 < start)
                return false;
            if (a1 > Width)
                a1 = Width;
            if (!Record(a1))
                return false;
            a0 = a1;
            black = !black;
        }
        }
    }
    return true;
}

bool TFaxDecoder::DecodeRow(uint8_t* out)
{
    bool ok;
    switch (Mode) {
    case fmModifiedHuffman:
        AlignToByte();
        ok = DecodeOneDim();
        break;
    case fmGroup3:
        SkipEndOfLine();
        ok = DecodeOneDim();
        break;
    case fmGroup3TwoDim: {
        SkipEndOfLine();
        const bool oneDim = Bit(Pos) == 1;
        ++Pos;
        ok = oneDim ? DecodeOneDim() : DecodeTwoDim();
        break;
    }
    default: ok = DecodeTwoDim();
    }
    if (!ok || Pos > Size * 8)
        return false;
    // White is 1: the row starts white and changes colour at each changing element.
    const size_t bytes = (size_t(Width) + 7) / 8;
    if (bytes > 0)
        std::memset(out, 0xFF, bytes);
    bool black = false;
    int32_t from = 0;
    for (const int32_t change : Current) {
        if (black)
            for (int32_t x = from; x < change; ++x)
                out[x >> 3] &= uint8_t(~(0x80 >> (x & 7)));
        from = change;
        black = !black;
    }
    Reference = Current;
    Reference.push_back(Width);
    Reference.push_back(Width);
    return true;
}
