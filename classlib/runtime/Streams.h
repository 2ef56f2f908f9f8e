// Streams of bytes: the abstract stream and the memory stream; file and resource streams build on them.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/runtime/Exceptions.h"

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to Count bytes; returns how many were read (0 at the end).
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    // Writes Count bytes; returns how many were written.
    virtual int32_t Write(const void* buffer, int32_t count) = 0;
    // Moves the position; returns the new position from the start.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t GetSize();
    virtual void SetSize(int64_t newSize);

    int64_t GetPosition() { return Seek(0, soCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
    // Reads or writes exactly Count bytes, or raises EStreamError.
    void ReadBuffer(void* buffer, int32_t count);
    void WriteBuffer(const void* buffer, int32_t count);
    // Copies Count bytes from Source (its whole contents from the start when Count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over a growable block of memory.
class TMemoryStream : public TStream {
public:
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t GetSize() override { return static_cast<int64_t>(Bytes.size()); }
    void SetSize(int64_t newSize) override;
    void Clear();
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& target);
    uint8_t* Memory() { return Bytes.data(); }
    const uint8_t* Memory() const { return Bytes.data(); }

private:
    std::vector<uint8_t> Bytes;
    int64_t Pos = 0;
};
