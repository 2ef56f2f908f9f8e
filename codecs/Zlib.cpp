// Compressed streams over zlib, whole-buffer inflation and the CRC-32 table.
#include "codecs/Zlib.h"

#include <algorithm>
#include <cstring>

namespace {

int ZlibLevel(TZCompressionLevel level)
{
    switch (level) {
    case zcNone: return 0;
    case zcFastest: return 1;
    case zcDefault: return Z_DEFAULT_COMPRESSION;
    default: return 9;
    }
}

[[noreturn]] void RaiseDamaged()
{
    throw EStreamError("Les données compressées sont endommagées.");
}

[[noreturn]] void RaiseZlibInit(int result)
{
    if (result == Z_MEM_ERROR)
        throw EOutOfMemory();
    throw EStreamError("Erreur d'initialisation de la compression.");
}

} // namespace

TCustomZStream::TCustomZStream(TStream& stream)
    : Strm(stream), StrmPos(stream.GetPosition()), Buffer(BufferSize)
{}

void TCustomZStream::RestorePosition()
{
    if (Strm.GetPosition() != StrmPos)
        Strm.SetPosition(StrmPos);
}

// --- Compression
// -------------------------------------------------------------------------------------------------

TZCompressionStream::TZCompressionStream(TZCompressionLevel level, TStream& target) : TCustomZStream(target)
{
    int result = deflateInit(&ZStream, ZlibLevel(level));
    if (result != Z_OK)
        RaiseZlibInit(result);
    ZStream.next_out = Buffer.data();
    ZStream.avail_out = BufferSize;
}

TZCompressionStream::~TZCompressionStream()
{
    try {
        Finish();
    } catch (...) {
        // Writers call Finish themselves to see write errors; a destructor cannot pass them on.
    }
    deflateEnd(&ZStream);
}

int32_t TZCompressionStream::Read(void*, int32_t)
{
    return 0;
}

void TZCompressionStream::FlushBuffer(int32_t count)
{
    Strm.WriteBuffer(Buffer.data(), count);
    StrmPos = Strm.GetPosition();
    ZStream.next_out = Buffer.data();
    ZStream.avail_out = BufferSize;
}

int32_t TZCompressionStream::Write(const void* buffer, int32_t count)
{
    if (count <= 0 || Finished)
        return 0;
    ZStream.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    ZStream.avail_in = static_cast<uInt>(count);
    RestorePosition();
    while (ZStream.avail_in > 0) {
        if (deflate(&ZStream, Z_NO_FLUSH) == Z_STREAM_ERROR)
            throw EStreamError("Erreur de compression.");
        if (ZStream.avail_out == 0)
            FlushBuffer(BufferSize);
    }
    return count;
}

int64_t TZCompressionStream::Seek(int64_t, TSeekOrigin)
{
    return static_cast<int64_t>(ZStream.total_in);
}

void TZCompressionStream::Finish()
{
    if (Finished)
        return;
    Finished = true;
    ZStream.next_in = nullptr;
    ZStream.avail_in = 0;
    RestorePosition();
    for (;;) {
        int result = deflate(&ZStream, Z_FINISH);
        if (result == Z_STREAM_ERROR)
            throw EStreamError("Erreur de compression.");
        if (result == Z_STREAM_END)
            break;
        FlushBuffer(BufferSize - static_cast<int32_t>(ZStream.avail_out));
    }
    int32_t left = BufferSize - static_cast<int32_t>(ZStream.avail_out);
    if (left > 0)
        FlushBuffer(left);
}

// --- Decompression
// -----------------------------------------------------------------------------------------------

TZDecompressionStream::TZDecompressionStream(TStream& source) : TCustomZStream(source), StartPos(StrmPos)
{
    int result = inflateInit(&ZStream);
    if (result != Z_OK)
        RaiseZlibInit(result);
}

TZDecompressionStream::~TZDecompressionStream()
{
    inflateEnd(&ZStream);
}

int32_t TZDecompressionStream::Write(const void*, int32_t)
{
    return 0;
}

int32_t TZDecompressionStream::Read(void* buffer, int32_t count)
{
    if (count <= 0 || Ended)
        return 0;
    ZStream.next_out = static_cast<Bytef*>(buffer);
    ZStream.avail_out = static_cast<uInt>(count);
    RestorePosition();
    while (ZStream.avail_out > 0) {
        if (ZStream.avail_in == 0) {
            int64_t room = std::min<int64_t>(BufferSize, InputLimit - InputTaken);
            int32_t got = room > 0 ? Strm.Read(Buffer.data(), static_cast<int32_t>(room)) : 0;
            if (got <= 0)
                break;
            InputTaken += got;
            StrmPos = Strm.GetPosition();
            ZStream.next_in = Buffer.data();
            ZStream.avail_in = static_cast<uInt>(got);
        }
        int result = inflate(&ZStream, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            Ended = true;
            break;
        }
        // With input and output room, anything but progress means the data cannot be inflated.
        if (result != Z_OK)
            RaiseDamaged();
    }
    return count - static_cast<int32_t>(ZStream.avail_out);
}

void TZDecompressionStream::Reset()
{
    inflateReset(&ZStream);
    ZStream.next_in = nullptr;
    ZStream.avail_in = 0;
    InputTaken = 0;
    Ended = false;
    StrmPos = StartPos;
    Strm.SetPosition(StartPos);
}

int64_t TZDecompressionStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t produced = static_cast<int64_t>(ZStream.total_out);
    if (origin == soBeginning && offset == 0) {
        Reset();
        return 0;
    }
    int64_t skip = 0;
    if (origin == soBeginning && offset > produced)
        skip = offset - produced;
    else if (origin == soCurrent && offset > 0)
        skip = offset;
    uint8_t scrap[4096];
    while (skip > 0) {
        int32_t piece = static_cast<int32_t>(std::min<int64_t>(skip, sizeof scrap));
        int32_t got = Read(scrap, piece);
        skip -= got;
        if (got < piece)
            break;
    }
    return static_cast<int64_t>(ZStream.total_out);
}

// --- Whole buffers
// -----------------------------------------------------------------------------------------------

std::vector<uint8_t> DecompressBuffer(const void* input, int32_t inputSize, int32_t estimate)
{
    inputSize = std::max(inputSize, 0);
    const size_t step = std::max<size_t>(256, (static_cast<size_t>(inputSize) + 255) / 256 * 256);
    std::vector<uint8_t> output(estimate > 0 ? static_cast<size_t>(estimate) : step);

    z_stream z{};
    int result = inflateInit(&z);
    if (result != Z_OK)
        RaiseZlibInit(result);
    z.next_in = static_cast<Bytef*>(const_cast<void*>(input));
    z.avail_in = static_cast<uInt>(inputSize);
    size_t produced = 0;
    try {
        for (;;) {
            if (produced == output.size())
                output.resize(output.size() + step);
            z.next_out = output.data() + produced;
            z.avail_out = static_cast<uInt>(output.size() - produced);
            result = inflate(&z, Z_NO_FLUSH);
            produced = output.size() - z.avail_out;
            if (result == Z_STREAM_END)
                break;
            // Out of input before the end of the stream, or data that does not inflate.
            if ((result != Z_OK && result != Z_BUF_ERROR) || z.avail_out > 0)
                RaiseDamaged();
        }
    } catch (...) {
        inflateEnd(&z);
        throw;
    }
    inflateEnd(&z);
    output.resize(produced);
    return output;
}

// --- CRC-32
// ------------------------------------------------------------------------------------------------------

const std::array<uint32_t, 256>& MakeCrcTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

uint32_t UpdateCrc32(uint32_t crc, const void* data, size_t count)
{
    const auto& table = MakeCrcTable();
    const auto* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < count; ++i)
        crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}
