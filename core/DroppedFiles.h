// The list of files that a drop of files (CF_HDROP) hands over, read within the size of its block.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The names of a DROPFILES block: a 20-byte header whose first field is the offset of the names and whose
// last tells whether they are UTF-16, then the names, each ending with a zero, and one more zero. A name
// that does not end within the block, an offset outside it or a list without names refuses the block
// (false, Files left empty). UTF-16 names are brought to 8 bits (characters beyond 255 become "?").
bool ReadDroppedFiles(const uint8_t* data, size_t size, std::vector<std::string>& files);
