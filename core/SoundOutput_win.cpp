// The system's wave output through PlaySound.
#include "core/SoundOutput.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

DWORD SoundFlags(uint32_t flags)
{
    DWORD result = SND_NODEFAULT;
    if (flags & spAsync)
        result |= SND_ASYNC;
    if (flags & spNoInterrupt)
        result |= SND_NOSTOP | SND_NOWAIT;
    return result;
}

} // namespace

bool PlayWaveFile(const std::string& fileName, uint32_t flags)
{
    return PlaySoundA(fileName.c_str(), nullptr, SoundFlags(flags) | SND_FILENAME) != FALSE;
}

bool PlayWaveImage(const std::vector<uint8_t>& image, uint32_t flags)
{
    if (image.empty())
        return false;
    return PlaySoundA(reinterpret_cast<const char*>(image.data()), nullptr, SoundFlags(flags) | SND_MEMORY) !=
           FALSE;
}

void StopWave()
{
    PlaySoundA(nullptr, nullptr, 0);
}
