// Refilling the load's input buffer from its file or memory block.
#include "formats/load/LoadInput.h"

#include <cstring>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Streams.h"

TLoadInput::TLoadInput(TStream& source, int64_t size, std::string fileName)
    : Buffer(kBufferSize, 0), Size(size < 0 ? 0 : size), FileName(std::move(fileName)), Source(&source)
{
    StreamOrigin = source.GetPosition();
}

TLoadInput::TLoadInput(const void* data, int64_t size)
    : Buffer(kBufferSize, 0), Size(size < 0 ? 0 : size), Memory(static_cast<const uint8_t*>(data))
{}

int32_t TLoadInput::ReadSource(uint8_t* into, int32_t count)
{
    int64_t offset = BufferStart + Filled;
    if (Memory) {
        std::memcpy(into, Memory + offset, static_cast<size_t>(count));
        return count;
    }
    for (;;) {
        int32_t got = 0;
        try {
            Source->Seek(StreamOrigin + offset, soBeginning);
            got = Source->Read(into, count);
        } catch (const EAbort&) {
            throw;
        } catch (const Exception&) {
            got = -1;
        }
        if (got == count)
            return got;
        std::string message = "Erreur lors de la lecture du fichier \"" + FileName + "\".";
        if (!OnReadError || !OnReadError(message))
            Abort();
    }
}

bool TLoadInput::ReadAt(int64_t offset, uint8_t* into, int32_t count)
{
    if (offset < 0 || count < 0 || offset > Size || count > Size - offset)
        return false;
    if (Memory) {
        std::memcpy(into, Memory + offset, static_cast<size_t>(count));
        return true;
    }
    try {
        Source->Seek(StreamOrigin + offset, soBeginning);
        return Source->Read(into, count) == count;
    } catch (const EAbort&) {
        throw;
    } catch (const Exception&) {
        return false;
    }
}

void TLoadInput::ReadFileChunk()
{
    int32_t remainder = Filled - Pos;
    if (remainder >= kLookahead || BufferStart + Filled >= Size)
        return;
    if (remainder < 0)
        remainder = 0;
    std::memmove(Buffer.data(), Buffer.data() + Pos, static_cast<size_t>(remainder));
    BufferStart += Filled - remainder;
    Filled = remainder;
    Pos = 0;
    // A last piece of up to kLookahead bytes is read with the chunk before it rather than alone.
    int64_t fromStart = Size - BufferStart;
    int32_t count =
        fromStart > kChunkSize + kLookahead ? kChunkSize : static_cast<int32_t>(fromStart - remainder);
    int64_t chunkOffset = BufferStart + remainder;
    uint8_t* into = Buffer.data() + remainder;
    ReadSource(into, count);
    Filled = remainder + count;
    Buffer[static_cast<size_t>(Filled)] = 0;
    if (ConvertChunk)
        ConvertChunk(into, count, chunkOffset);
    if (OnProgress)
        OnProgress(BufferStart + Pos);
}

void TLoadInput::Restart()
{
    BufferStart = 0;
    Filled = 0;
    Pos = 0;
    Buffer[0] = 0;
}
