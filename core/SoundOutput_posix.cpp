// Without the system's wave output nothing plays; every play is reported as failed.
#include "core/SoundOutput.h"

bool PlayWaveFile(const std::string&, uint32_t)
{
    return false;
}

bool PlayWaveImage(const std::vector<uint8_t>&, uint32_t)
{
    return false;
}

void StopWave() {}
