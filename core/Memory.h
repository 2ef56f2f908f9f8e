// The growable byte buffer that holds paragraph text, per-position data and file contents.
#pragma once
#include <cstdint>

// A block of bytes on the program's heap with a used size and a capacity that grows in fixed classes
// (16, 32, 64, 128, 256 bytes) and, from 256 bytes on, by a quarter at a time. Positions and counts
// given to its operations are not checked: the caller keeps within Size. A failed growth raises
// EOutOfMemory and leaves the buffer exactly as it was.
class TMemory {
public:
    TMemory() = default;
    ~TMemory();
    TMemory(const TMemory&) = delete;
    TMemory& operator=(const TMemory&) = delete;

    uint8_t* Data() { return FData; }
    const uint8_t* Data() const { return FData; }
    int32_t Size() const { return FSize; }
    int32_t Capacity() const { return FCapacity; }

    // Sets the used size and adjusts the capacity by the growth rule; 0 frees the block.
    void SetSize(int32_t newSize);
    void Clear() { SetSize(0); }
    // Adopts a block from malloc/realloc as the contents; the buffer frees it later.
    void Attach(void* buffer, int32_t length);
    void Assign(const void* buffer, int32_t length);
    void AssignMemory(const TMemory& other) { Assign(other.FData, other.FSize); }
    void Append(const void* buffer, int32_t length);
    void AppendMemory(const TMemory& other) { Append(other.FData, other.FSize); }
    void AppendByte(uint8_t value);
    void AppendWord(uint16_t value);
    void AppendDWord(uint32_t value);
    // Makes room for Count bytes at Position, moving the tail up, and copies Buffer there.
    void Insert(const void* buffer, int32_t position, int32_t count);
    // Removes Count bytes at Position, moving the tail down.
    void Delete(int32_t position, int32_t count);
    // Copies Count bytes from Position into the caller's buffer.
    void Read(void* buffer, int32_t position, int32_t count) const;

    // Applies the growth rule to a block the caller keeps in its own variables (freed when NewSize
    // is 0). On failure the caller's pointer and capacity are left as they were.
    template<class T>
    static void ResizeBuffer(T*& buffer, int32_t& capacity, int32_t newSize)
    {
        void* p = buffer;
        ResizeBlock(p, capacity, newSize);
        buffer = static_cast<T*>(p);
    }

    // The capacity the growth rule gives a block of Capacity bytes asked to hold NewSize bytes.
    static int32_t GrownCapacity(int32_t capacity, int32_t newSize);

private:
    static void ResizeBlock(void*& block, int32_t& capacity, int32_t newSize);
    // Size + Extra, or EOutOfMemory when that cannot be held.
    int32_t SizePlus(int64_t extra) const;

    int32_t FCapacity = 0;
    uint8_t* FData = nullptr;
    int32_t FSize = 0;
};

// Inline tags inside a paragraph's text: 0, the code, 0, a 32-bit little-endian value, 1.
constexpr int32_t InlineTagSize = 8;
// Appends an inline tag at the end of Buffer.
void AppendInlineTag(TMemory& buffer, int32_t code, int32_t value);
// Inserts an inline tag at Position, moving the following bytes up by 8.
void InsertInlineTag(TMemory& buffer, int32_t position, int32_t code, int32_t value);
