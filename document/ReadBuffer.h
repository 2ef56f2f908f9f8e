// The shared buffer that document readers and file previews fill from files.
#pragma once
#include <cstdint>

// 64 KB of data and 35 bytes beyond, with a 32-bit word at ReadBufferFillOffset kept 0, so that a
// scanner running past the data meets a 0.
constexpr int32_t ReadBufferSize = 65536 + 35;
constexpr int32_t ReadBufferFillOffset = 65567;

// Allocates the buffer on the first call of the run, with its word at ReadBufferFillOffset set to 0;
// later calls only return it.
uint8_t* EnsureReadBuffer();
// Frees the buffer when the document engine shuts down.
void FreeReadBuffer();
