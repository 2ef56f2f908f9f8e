// The layout of the files appended to the setup program: one zlib stream per file, then the file table
// as one zlib stream, then an 8-byte trailer holding the table's offset twice. Writing the whole payload
// and reading back the table, with every offset, length and name checked before use.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One file of the payload as the table describes it.
struct TPayloadEntry {
    std::string Name;    // relative to the destination folder, "\" between folders
    uint32_t Size = 0;   // uncompressed
    double FileTime = 0; // last write, days since 30 December 1899, local time
    uint32_t StreamOffset = 0;
    uint32_t CompressedSize = 0; // next entry's stream offset minus this one's
};

// A file to append: its name in the payload, its contents and its time.
struct TPayloadItem {
    std::string Name;
    std::vector<uint8_t> Data;
    double FileTime = 0;
};

// Appends the streams, the table and the trailer to Setup, which holds the setup program's image.
void AppendPayload(std::vector<uint8_t>& setup, const std::vector<TPayloadItem>& items);

// The zlib stream of a block (any compression level reads back).
std::vector<uint8_t> CompressBlock(const uint8_t* data, size_t size);

// A name that stays inside the destination folder: not empty, not absolute, no drive, no "." or ".."
// part, no empty part, no character that a file name cannot hold.
bool IsSafePayloadName(const std::string& name);

// Reads the decompressed table of a setup file whose table starts at TableOffset. False, with Entries
// emptied, when an entry runs past the end, a name is unsafe, the stream offsets are not ascending or
// reach past the table, or the sentinel is missing or not last; the sentinel is dropped.
bool ParsePayloadTable(const uint8_t* table, size_t length, uint32_t tableOffset,
                       std::vector<TPayloadEntry>& entries);
