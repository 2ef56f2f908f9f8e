// Packed string tables, the format of several string resources: a 32-bit count N, N ids (signed,
// ascending), N entries (bits 0-7 the text's length, bits 8-31 its offset from the table's start),
// then the texts, not terminated. All values little-endian.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class TStringList;

// The text of an id, empty when absent. Binary search over the ids; reads stay within Size bytes, a
// table too short for its count or an entry outside the table giving empty texts.
std::string FindPackedString(const void* table, size_t size, int32_t id);
// Clears the list and adds every text in table order, each with its id as the entry's object.
void PackedStringsToList(const void* table, size_t size, TStringList& list);
