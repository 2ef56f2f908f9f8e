// What the fuzz targets share: the entry every target defines, and the document load they run inputs
// through.
#pragma once
#include <cstddef>
#include <cstdint>

// The entry the fuzzer (or the replay driver of the tests) calls with one input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Loads a memory block as a document of a coding (7: detect it) with no questions and no password,
// as the program's load does; any exception but the program's own escapes and is a finding.
void FuzzLoadDocument(const uint8_t* data, size_t size, int32_t coding);
