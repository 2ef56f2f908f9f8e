// The system's wave output: playing a wave file or a wave image in memory, and stopping it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum : uint32_t {
    spAsync = 1,      // return at once, the sound plays on
    spNoInterrupt = 2 // do not stop a sound that plays
};

// False when the sound could not be played.
bool PlayWaveFile(const std::string& fileName, uint32_t flags);
bool PlayWaveImage(const std::vector<uint8_t>& image, uint32_t flags);
void StopWave();
