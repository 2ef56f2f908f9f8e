// Compressed streams over zlib: a compressing and a decompressing stream, whole-buffer inflation and the
// CRC-32 table.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include <zlib.h>

#include "classlib/runtime/Streams.h"

// Compression levels, mapped to zlib levels 0 (stored), 1 (fastest), zlib's default and 9 (best).
enum TZCompressionLevel : uint8_t { zcNone = 0, zcFastest = 1, zcDefault = 2, zcMax = 3 };

// What the two stream classes share: the stream they work over, where they last left it, the zlib state and a
// 64 KB buffer of compressed bytes.
class TCustomZStream : public TStream {
public:
    static constexpr int32_t BufferSize = 65536;

    TCustomZStream(const TCustomZStream&) = delete;
    TCustomZStream& operator=(const TCustomZStream&) = delete;

protected:
    explicit TCustomZStream(TStream& stream);
    // Puts the underlying stream back where this object last left it, when someone moved it.
    void RestorePosition();

    TStream& Strm;
    int64_t StrmPos;
    z_stream ZStream{};
    std::vector<uint8_t> Buffer;
};

// A write-only stream that deflates what is written to it into a target stream.
class TZCompressionStream : public TCustomZStream {
public:
    TZCompressionStream(TZCompressionLevel level, TStream& target);
    // Finishes the stream when Finish was not called; errors are lost then, so writers call Finish
    // themselves.
    ~TZCompressionStream() override;

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    // Reports the number of bytes taken so far; the stream cannot move.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    // Ends the zlib stream and writes everything left to the target; write errors pass on.
    void Finish();

private:
    void FlushBuffer(int32_t count);
    bool Finished = false;
};

// A read-only stream that inflates zlib data read from a source stream.
class TZDecompressionStream : public TCustomZStream {
public:
    explicit TZDecompressionStream(TStream& source);
    ~TZDecompressionStream() override;

    // Reads up to Count inflated bytes; fewer once the compressed data ends or the source is exhausted.
    // Damaged compressed data raises EStreamError.
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    // Offset 0 from the beginning starts over; a forward move reads and drops bytes; the result is the
    // number of bytes produced so far.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    // The most compressed bytes the stream may take from the source (from where it was created).
    void SetInputLimit(int64_t limit) { InputLimit = limit; }

private:
    void Reset();
    int64_t StartPos;
    int64_t InputLimit = 0x7FFFFFFF;
    int64_t InputTaken = 0;
    bool Ended = false;
};

// Inflates a whole zlib buffer; the output starts at Estimate bytes (one step when 0) and grows by steps of
// the input size rounded up to 256. Damaged or truncated data raises EStreamError.
std::vector<uint8_t> DecompressBuffer(const void* input, int32_t inputSize, int32_t estimate);

// The CRC-32 table of the reflected polynomial 0xEDB88320, made on first use.
const std::array<uint32_t, 256>& MakeCrcTable();
// Runs the CRC register over Count bytes (no initial or final complement: the caller does both).
uint32_t UpdateCrc32(uint32_t crc, const void* data, size_t count);
