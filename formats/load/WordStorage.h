// Telling a Word document by its storage: a compound file (the structured storage format) whose root
// holds a "WordDocument" stream that opens with a Word file information block.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Reads Count bytes at Offset of the file; false when the file has not that many there.
using TReadAt = std::function<bool(int64_t offset, uint8_t* into, int32_t count)>;

// The first bytes of a stream kept by the test.
constexpr int32_t kWordStreamStartSize = 1024;

// True when the file of Size bytes is a compound file (its signature and a sound header).
bool IsCompoundFile(const TReadAt& read, int64_t size);
// The first Count bytes (fewer when the stream is shorter) of the stream Name directly in the root of
// the compound file; false when the file is not one, has no such stream or is damaged.
bool ReadCompoundStreamStart(const TReadAt& read, int64_t size, const std::string& name, int32_t count,
                             std::vector<uint8_t>& bytes);
// The whole stream Name directly in the root of the compound file (never more than the file holds);
// false when the file is not one, has no such stream or is damaged.
bool ReadCompoundStream(const TReadAt& read, int64_t size, const std::string& name,
                        std::vector<uint8_t>& bytes);
// True when the start of a "WordDocument" stream is that of a Word document: identifier 0xA5DC or
// 0xA5EC, then a version of 101 or more.
bool IsWordStreamStart(const std::vector<uint8_t>& bytes);
