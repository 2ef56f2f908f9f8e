// The abstract stream's shared operations and the memory stream.
#include "classlib/runtime/Streams.h"

#include <algorithm>
#include <cstring>

int64_t TStream::GetSize()
{
    int64_t pos = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t)
{
    throw EStreamError("Ce flux ne peut pas changer de taille.");
}

void TStream::ReadBuffer(void* buffer, int32_t count)
{
    if (count > 0 && Read(buffer, count) != count)
        throw EStreamError("Erreur de lecture du flux.");
}

void TStream::WriteBuffer(const void* buffer, int32_t count)
{
    if (count > 0 && Write(buffer, count) != count)
        throw EStreamError("Erreur d'écriture du flux.");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.GetSize();
    }
    std::vector<uint8_t> buf(static_cast<size_t>(std::min<int64_t>(count, 65536)) + 1);
    int64_t left = count;
    while (left > 0) {
        int32_t n = static_cast<int32_t>(std::min<int64_t>(left, static_cast<int64_t>(buf.size())));
        source.ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        left -= n;
    }
    return count;
}

int32_t TMemoryStream::Read(void* buffer, int32_t count)
{
    if (count <= 0 || Pos >= GetSize())
        return 0;
    int64_t n = std::min<int64_t>(count, GetSize() - Pos);
    std::memcpy(buffer, Bytes.data() + Pos, static_cast<size_t>(n));
    Pos += n;
    return static_cast<int32_t>(n);
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count)
{
    if (count <= 0)
        return 0;
    int64_t end = Pos + count;
    if (end > GetSize())
        Bytes.resize(static_cast<size_t>(end));
    std::memcpy(Bytes.data() + Pos, buffer, static_cast<size_t>(count));
    Pos = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? Pos : GetSize();
    Pos = std::max<int64_t>(0, base + offset);
    return Pos;
}

void TMemoryStream::SetSize(int64_t newSize)
{
    Bytes.resize(static_cast<size_t>(std::max<int64_t>(0, newSize)));
    Pos = std::min(Pos, GetSize());
}

void TMemoryStream::Clear()
{
    Bytes.clear();
    Bytes.shrink_to_fit();
    Pos = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    int64_t size = source.GetSize();
    SetSize(size);
    Pos = 0;
    if (size > 0)
        source.ReadBuffer(Bytes.data(), static_cast<int32_t>(size));
}

void TMemoryStream::SaveToStream(TStream& target)
{
    if (!Bytes.empty())
        target.WriteBuffer(Bytes.data(), static_cast<int32_t>(Bytes.size()));
}
