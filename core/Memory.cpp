// The byte buffer's growth rule and its copy operations, and the two inline-tag writers.
#include "core/Memory.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "classlib/runtime/Exceptions.h"

namespace {

void StoreLE(uint8_t* p, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}

// True when Buffer points into the block [Data, Data + Capacity).
bool PointsInto(const void* buffer, const uint8_t* data, int32_t capacity)
{
    if (!data || !buffer)
        return false;
    auto b = reinterpret_cast<uintptr_t>(buffer);
    auto d = reinterpret_cast<uintptr_t>(data);
    return b >= d && b < d + static_cast<uintptr_t>(capacity);
}

} // namespace

TMemory::~TMemory()
{
    std::free(FData);
}

int32_t TMemory::GrownCapacity(int32_t capacity, int32_t newSize)
{
    if (newSize == capacity || newSize == 0)
        return newSize;
    if (newSize >= 256) {
        if (newSize <= capacity)
            return capacity;
        int64_t grown = static_cast<int64_t>(newSize) + newSize / 4;
        return grown > INT32_MAX ? INT32_MAX : static_cast<int32_t>(grown);
    }
    int32_t c = 16;
    while (c <= newSize)
        c *= 2;
    return c;
}

void TMemory::ResizeBlock(void*& block, int32_t& capacity, int32_t newSize)
{
    if (newSize < 0)
        throw EOutOfMemory();
    int32_t grown = GrownCapacity(capacity, newSize);
    if (grown == capacity)
        return;
    if (grown == 0) {
        std::free(block);
        block = nullptr;
        capacity = 0;
        return;
    }
    void* p = capacity == 0 ? std::malloc(static_cast<size_t>(grown))
                            : std::realloc(block, static_cast<size_t>(grown));
    if (!p) {
        if (grown < capacity)
            return; // a block that could not shrink keeps serving
        throw EOutOfMemory();
    }
    block = p;
    capacity = grown;
}

void TMemory::SetSize(int32_t newSize)
{
    void* block = FData;
    ResizeBlock(block, FCapacity, newSize);
    FData = static_cast<uint8_t*>(block);
    FSize = newSize;
}

int32_t TMemory::SizePlus(int64_t extra) const
{
    int64_t n = static_cast<int64_t>(FSize) + extra;
    if (n < 0 || n > INT32_MAX)
        throw EOutOfMemory();
    return static_cast<int32_t>(n);
}

void TMemory::Attach(void* buffer, int32_t length)
{
    Clear();
    if (length <= 0) {
        std::free(buffer);
        return;
    }
    FData = static_cast<uint8_t*>(buffer);
    FCapacity = FSize = length;
}

void TMemory::Assign(const void* buffer, int32_t length)
{
    if (PointsInto(buffer, FData, FCapacity)) {
        std::vector<uint8_t> copy(static_cast<const uint8_t*>(buffer),
                                  static_cast<const uint8_t*>(buffer) + length);
        Assign(copy.data(), length);
        return;
    }
    SetSize(length);
    if (length > 0)
        std::memcpy(FData, buffer, static_cast<size_t>(length));
}

void TMemory::Append(const void* buffer, int32_t length)
{
    Insert(buffer, FSize, length);
}

void TMemory::AppendByte(uint8_t value)
{
    SetSize(SizePlus(1));
    FData[FSize - 1] = value;
}

void TMemory::AppendWord(uint16_t value)
{
    SetSize(SizePlus(2));
    StoreLE(FData + FSize - 2, value, 2);
}

void TMemory::AppendDWord(uint32_t value)
{
    SetSize(SizePlus(4));
    StoreLE(FData + FSize - 4, value, 4);
}

void TMemory::Insert(const void* buffer, int32_t position, int32_t count)
{
    if (count <= 0)
        return;
    if (PointsInto(buffer, FData, FCapacity)) {
        std::vector<uint8_t> copy(static_cast<const uint8_t*>(buffer),
                                  static_cast<const uint8_t*>(buffer) + count);
        Insert(copy.data(), position, count);
        return;
    }
    int32_t oldSize = FSize;
    SetSize(SizePlus(count));
    std::memmove(FData + position + count, FData + position, static_cast<size_t>(oldSize - position));
    std::memcpy(FData + position, buffer, static_cast<size_t>(count));
}

void TMemory::Delete(int32_t position, int32_t count)
{
    if (count <= 0)
        return;
    std::memmove(FData + position, FData + position + count, static_cast<size_t>(FSize - position - count));
    SetSize(FSize - count);
}

void TMemory::Read(void* buffer, int32_t position, int32_t count) const
{
    if (count > 0)
        std::memcpy(buffer, FData + position, static_cast<size_t>(count));
}

void AppendInlineTag(TMemory& buffer, int32_t code, int32_t value)
{
    InsertInlineTag(buffer, buffer.Size(), code, value);
}

void InsertInlineTag(TMemory& buffer, int32_t position, int32_t code, int32_t value)
{
    uint8_t tag[InlineTagSize];
    tag[0] = 0;
    StoreLE(tag + 1, static_cast<uint32_t>(code), 2);
    StoreLE(tag + 3, static_cast<uint32_t>(value), 4);
    tag[7] = 1;
    buffer.Insert(tag, position, InlineTagSize);
}
