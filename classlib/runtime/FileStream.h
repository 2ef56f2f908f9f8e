// A stream over a file on disk.
#pragma once
#include <cstdint>
#include <string>

#include "classlib/runtime/Streams.h"

// Open modes: one access mode, optionally with one share mode; or fmCreate alone.
enum : uint32_t {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    // Share modes: without one, others may read and write the file while it is open, so a file
    // that another program holds can still be read.
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyNone = 0x0040,
    // Creates the file, or empties an existing one, for reading and writing.
    fmCreate = 0xFF00,
};

// Opening failures raise EStreamError with a French message naming the file.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, uint32_t mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t newSize) override;
    // Writes what the system still holds of the file through to the disk; false when the disk refused
    // (full, gone, or a write error surfacing late).
    bool FlushToDisk();
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    void* FHandle = nullptr; // the system's file handle, or the C runtime's FILE on the host
};
