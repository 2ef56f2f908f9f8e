// Bytes from the system's cryptographic random generator.
#pragma once
#include <cstddef>
#include <cstdint>

// Fills Out with Count random bytes; false when the system's generator gave none.
bool SystemRandomBytes(uint8_t* out, size_t count);
