// A read-only stream that inflates one zlib stream out of the middle of another stream, never taking
// more than a set number of compressed bytes from it.
#pragma once
#include <cstdint>
#include <memory>

#include "classlib/runtime/Streams.h"

class TZDecompressionStream : public TStream {
public:
    // Starts at the source's current position with the largest limit.
    explicit TZDecompressionStream(TStream& source);
    ~TZDecompressionStream() override;

    // The most compressed bytes this stream may take from the source.
    void SetLimit(int64_t limit) { FLimit = limit; }
    // Bytes inflated into Buffer: fewer than Count at the end of the data. Damaged data, or compressed
    // data that stops before its stream's end, raise EStreamError.
    int32_t Read(void* buffer, int32_t count) override;
    // The stream is read only: writing does nothing.
    int32_t Write(const void*, int32_t) override { return 0; }
    // Only the position can be asked for.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    // The zlib stream's end (its checksum checked) has been read.
    bool Finished() const { return FFinished; }
    // Compressed bytes taken from the source and not left unused in the input buffer.
    int64_t CompressedUsed() const;

private:
    struct TState;
    TStream& FSource;
    int64_t FSourcePos;
    int64_t FLimit = 2147483647;
    int64_t FTaken = 0;
    int64_t FProduced = 0;
    bool FFinished = false;
    std::unique_ptr<TState> FState;
};
