// Whole-file reading and writing for the build's packaging tools (host side).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The file's bytes; raises std::runtime_error when it cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::string& path);
// Writes the bytes beside Path and puts them in its place only once complete; raises on failure.
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
