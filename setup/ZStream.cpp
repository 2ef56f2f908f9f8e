// Inflating a zlib stream in blocks of at most 64 KiB of input.
#include "setup/ZStream.h"

#include <zlib.h>

#include <vector>

constexpr int32_t InputBufferSize = 65536;

struct TZDecompressionStream::TState {
    z_stream Z{};
    std::vector<uint8_t> Input = std::vector<uint8_t>(InputBufferSize);
};

TZDecompressionStream::TZDecompressionStream(TStream& source)
    : FSource(source), FSourcePos(source.GetPosition()), FState(std::make_unique<TState>())
{
    if (inflateInit(&FState->Z) != Z_OK)
        throw EStreamError("Impossible de décompresser les données.");
}

TZDecompressionStream::~TZDecompressionStream()
{
    inflateEnd(&FState->Z);
}

int64_t TZDecompressionStream::Seek(int64_t offset, TSeekOrigin origin)
{
    if (offset == 0 && origin == soCurrent)
        return FProduced;
    throw EStreamError("Un flux décompressé ne peut être lu que du début à la fin.");
}

int64_t TZDecompressionStream::CompressedUsed() const
{
    return FTaken - FState->Z.avail_in;
}

int32_t TZDecompressionStream::Read(void* buffer, int32_t count)
{
    if (count <= 0 || FFinished)
        return 0;
    z_stream& z = FState->Z;
    z.next_out = static_cast<Bytef*>(buffer);
    z.avail_out = static_cast<uInt>(count);
    while (z.avail_out > 0) {
        if (z.avail_in == 0) {
            int64_t room = FLimit - FTaken;
            int32_t want =
                room < InputBufferSize ? static_cast<int32_t>(room < 0 ? 0 : room) : InputBufferSize;
            if (FSource.GetPosition() != FSourcePos)
                FSource.SetPosition(FSourcePos);
            int32_t got = want > 0 ? FSource.Read(FState->Input.data(), want) : 0;
            if (got <= 0)
                throw EStreamError("Les données compressées sont incomplètes.");
            FTaken += got;
            FSourcePos += got;
            z.next_in = FState->Input.data();
            z.avail_in = static_cast<uInt>(got);
        }
        int rc = inflate(&z, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) {
            FFinished = true;
            break;
        }
        if (rc != Z_OK && rc != Z_BUF_ERROR)
            throw EStreamError("Les données compressées sont endommagées.");
    }
    int32_t produced = count - static_cast<int32_t>(z.avail_out);
    FProduced += produced;
    return produced;
}
