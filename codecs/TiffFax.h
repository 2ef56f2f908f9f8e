// Decoding of fax-coded TIFF rows: modified Huffman, T.4 one- and two-dimensional, and T.6.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A byte with its bits in the other order.
uint8_t ReverseBits(uint8_t b);

class TFaxDecoder {
public:
    enum TMode { fmModifiedHuffman, fmGroup3, fmGroup3TwoDim, fmGroup4 };
    // Width is the number of pixels of a row; with LsbFirst the bits of each byte are read from bit 0 up.
    TFaxDecoder(const uint8_t* data, size_t size, int32_t width, TMode mode, bool lsbFirst);
    // Writes the next row packed at one bit per pixel, white 1 and black 0, the most significant bit first;
    // false when the data is damaged or ends first.
    bool DecodeRow(uint8_t* out);

private:
    int Bit(size_t at) const;
    int Peek(int count) const;
    bool Available(int count) const { return Pos + size_t(count) <= Size * 8; }
    // The length of one run of the colour (terminating codes after any make-up codes), or -1.
    int32_t ReadRun(bool black);
    // Adds a changing element of the row; false when a damaged row has far more than it can hold.
    bool Record(int32_t change);
    // Reads pixels in the uncompressed mode from A0 on until its exit code, which sets the colour of the next
    // run; false when the data is damaged.
    bool Uncompressed(int32_t& a0, bool& black);
    bool DecodeOneDim();
    bool DecodeTwoDim();
    // Skips fill bits and an end-of-line code when one comes next.
    void SkipEndOfLine();
    void AlignToByte() { Pos = (Pos + 7) & ~size_t(7); }

    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
    int32_t Width;
    TMode Mode;
    bool LsbFirst;
    // Changing elements of the reference row and of the row being decoded: the positions where the colour
    // changes, ending with Width twice.
    std::vector<int32_t> Reference;
    std::vector<int32_t> Current;
};
