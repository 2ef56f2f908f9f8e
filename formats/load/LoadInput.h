// The input buffer of a load: a window of the file (or of a memory block) refilled chunk by chunk, with
// each new chunk converted (code page, cipher) before any reader scans it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TStream;

class TLoadInput {
public:
    static constexpr int32_t kChunkSize = 65536;
    static constexpr int32_t kBufferSize = kChunkSize + 35;
    // A refill happens when fewer unread bytes than this remain.
    static constexpr int32_t kLookahead = 32;

    // Reads from a stream (the open file) of the given size, from its current position.
    TLoadInput(TStream& source, int64_t size, std::string fileName = {});
    // Reads from a block of memory that outlives the load.
    TLoadInput(const void* data, int64_t size);

    // Refills the buffer when fewer than kLookahead unread bytes remain and the file has more.
    void ReadFileChunk();
    // Starts again from the first byte of the data (the converter then sees every chunk again).
    void Restart();

    // True when the buffer has at least N unread bytes, after a refill if needed (N <= kLookahead).
    bool Ensure(int32_t n)
    {
        if (Filled - Pos >= n)
            return true;
        ReadFileChunk();
        return Filled - Pos >= n;
    }
    // True when every byte of the data has been read.
    bool AtEnd() { return !Ensure(1); }
    int64_t Offset() const { return BufferStart + Pos; }
    // Reads Count bytes at Offset of the data, beside the buffer and without asking on failure; false
    // when they cannot be read.
    bool ReadAt(int64_t offset, uint8_t* into, int32_t count);

    std::vector<uint8_t> Buffer; // kBufferSize bytes; the byte at Filled is always 0
    int64_t BufferStart = 0;     // offset in the data of the buffer's first byte
    int32_t Filled = 0;          // valid bytes in the buffer
    int32_t Pos = 0;             // next unread byte
    int64_t Size = 0;            // size of the data
    std::string FileName;

    // The Word test: 0 not made yet, 1 the data are a Word document, 2 they are not; and the first
    // bytes of its "WordDocument" stream.
    int WordStorageState = 0;
    std::vector<uint8_t> WordStreamStart;

    // Called on the bytes of each new chunk, with the chunk's offset in the data.
    std::function<void(uint8_t* bytes, int32_t count, int64_t offset)> ConvertChunk;
    // Called after each refill with the offset reached.
    std::function<void(int64_t offset)> OnProgress;
    // Called when a read fails, with the message to show; true asks for the read to be tried again.
    // Without it, or when it answers false, the load ends silently.
    std::function<bool(const std::string& message)> OnReadError;

private:
    int32_t ReadSource(uint8_t* into, int32_t count);

    TStream* Source = nullptr;
    const uint8_t* Memory = nullptr;
    int64_t StreamOrigin = 0;
};
