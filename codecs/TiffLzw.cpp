// TIFF LZW decoding, a row at a time, and encoding of a whole strip.
#include <algorithm>
#include <array>
#include <memory>

#include "codecs/Tiff.h"

namespace {

constexpr int ClearCode = 256;
constexpr int EndCode = 257;
constexpr int FirstFree = 258;
constexpr int TableSize = 4096;

// The width of the next code for a decoder whose next free code is Next (the early change of TIFF).
int EarlyWidth(int next)
{
    return next >= 2047 ? 12 : next >= 1023 ? 11 : next >= 511 ? 10 : 9;
}

} // namespace

TTiffLzwDecoder::TTiffLzwDecoder(const uint8_t* data, size_t size)
    : Data(data), Size(size), Compat(size >= 2 && data[0] == 0 && (data[1] & 1)), Prefix(TableSize),
      Suffix(TableSize), First(TableSize), Length(TableSize)
{
    for (int i = 0; i < 256; ++i) {
        Suffix[size_t(i)] = uint8_t(i);
        First[size_t(i)] = uint8_t(i);
        Length[size_t(i)] = 1;
    }
}

int TTiffLzwDecoder::CodeWidth() const
{
    if (!Compat)
        return EarlyWidth(Next);
    return Next >= 2048 ? 12 : Next >= 1024 ? 11 : Next >= 512 ? 10 : 9;
}

int TTiffLzwDecoder::ReadCode()
{
    if (BitPos + size_t(Width) > Size * 8)
        return -1;
    // The three bytes that hold the code (a code of up to 12 bits starts within the first).
    const size_t at = BitPos >> 3;
    auto byte = [&](size_t i) { return at + i < Size ? uint32_t(Data[at + i]) : 0u; };
    const uint32_t mask = (1u << Width) - 1;
    const int shift = int(BitPos & 7);
    BitPos += size_t(Width);
    if (Compat)
        return int(((byte(0) | byte(1) << 8 | byte(2) << 16) >> shift) & mask);
    return int(((byte(0) << 16 | byte(1) << 8 | byte(2)) >> (24 - shift - Width)) & mask);
}

bool TTiffLzwDecoder::Decode(uint8_t* out, size_t count)
{
    size_t done = 0;
    while (PendingAt < Pending.size() && done < count)
        out[done++] = Pending[PendingAt++];
    while (done < count) {
        if (Ended)
            return false;
        const int code = ReadCode();
        if (code < 0 || code == EndCode) {
            Ended = true;
            return false;
        }
        if (code == ClearCode) {
            Next = FirstFree;
            Width = 9;
            Old = -1;
            continue;
        }
        if (Old < 0) {
            if (code > 255) {
                Ended = true;
                return false;
            }
        } else {
            // A code past the next free one, or a table with no room left, is a corrupt stream; the first
            // coder went on with a full table until its next clear code.
            if (code > Next || (Next >= TableSize && !Compat)) {
                Ended = true;
                return false;
            }
        }
        if (Old >= 0 && Next < TableSize) {
            const size_t n = size_t(Next);
            Prefix[n] = uint16_t(Old);
            Suffix[n] = code < Next ? First[size_t(code)] : First[size_t(Old)];
            First[n] = First[size_t(Old)];
            Length[n] = uint16_t(Length[size_t(Old)] + 1);
            ++Next;
            Width = CodeWidth();
        }
        Old = code;
        // The string is written from its end; what does not fit into the row waits for the next one.
        const size_t length = Length[size_t(code)];
        uint8_t* target;
        if (length <= count - done) {
            target = out + done;
        } else {
            Pending.resize(length);
            PendingAt = 0;
            target = Pending.data();
        }
        for (int c = code, i = int(length) - 1; i >= 0; --i, c = Prefix[size_t(c)])
            target[i] = Suffix[size_t(c)];
        if (target == out + done) {
            done += length;
        } else {
            while (PendingAt < Pending.size() && done < count)
                out[done++] = Pending[PendingAt++];
        }
    }
    return true;
}

namespace {

// Codes packed most significant bit first.
class TMsbWriter {
public:
    void Put(int code, int width)
    {
        Bits = (Bits << width) | uint32_t(code);
        Count += width;
        while (Count >= 8) {
            Out.push_back(uint8_t(Bits >> (Count - 8)));
            Count -= 8;
        }
    }
    std::vector<uint8_t> Finish()
    {
        if (Count > 0)
            Out.push_back(uint8_t(Bits << (8 - Count)));
        return std::move(Out);
    }

private:
    uint32_t Bits = 0;
    int Count = 0;
    std::vector<uint8_t> Out;
};

// The strings of the table: (prefix code, byte) to code, by open addressing.
class TStringTable {
public:
    TStringTable() { Clear(); }
    void Clear() { Keys.fill(-1); }
    int Find(int prefix, uint8_t byte, size_t& slot) const
    {
        const int32_t key = (prefix << 8) | byte;
        slot = size_t((uint32_t(key) * 2654435761u) >> 19);
        while (Keys[slot] >= 0) {
            if (Keys[slot] == key)
                return Codes[slot];
            slot = (slot + 1) & (Slots - 1);
        }
        return -1;
    }
    void Add(size_t slot, int prefix, uint8_t byte, int code)
    {
        Keys[slot] = (prefix << 8) | byte;
        Codes[slot] = int16_t(code);
    }

private:
    static constexpr size_t Slots = 8192;
    std::array<int32_t, Slots> Keys;
    std::array<int16_t, Slots> Codes;
};

} // namespace

std::vector<uint8_t> TiffLzwEncode(const std::vector<uint8_t>& bytes)
{
    TMsbWriter out;
    auto table = std::make_unique<TStringTable>();
    int next = FirstFree;
    // The encoder runs one entry ahead of the decoder, whose next free code decides the width.
    auto width = [&] { return EarlyWidth(next - 1); };
    out.Put(ClearCode, 9);
    if (bytes.empty()) {
        out.Put(EndCode, 9);
        return out.Finish();
    }
    int string = bytes[0];
    for (size_t i = 1; i < bytes.size(); ++i) {
        const uint8_t byte = bytes[i];
        size_t slot;
        const int found = table->Find(string, byte, slot);
        if (found >= 0) {
            string = found;
            continue;
        }
        out.Put(string, width());
        table->Add(slot, string, byte, next++);
        if (next == 4094) {
            out.Put(ClearCode, width());
            table->Clear();
            next = FirstFree;
        }
        string = byte;
    }
    out.Put(string, width());
    ++next;
    out.Put(EndCode, std::min(12, width()));
    return out.Finish();
}
