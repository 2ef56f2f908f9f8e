// Percentages and pictures from resources.
#include "core/SystemUtils.h"

#include <algorithm>

#include "classlib/runtime/Exceptions.h"
#include "codecs/JpegImage.h"

int32_t PercentOf(int32_t value, int32_t percent)
{
    const int64_t product = static_cast<int64_t>(value) * percent;
    int64_t result = product / 100;
    const int64_t rest = product % 100;
    if (rest >= 50)
        ++result;
    else if (rest <= -50)
        --result;
    return static_cast<int32_t>(std::clamp<int64_t>(result, INT32_MIN, INT32_MAX));
}

void LoadJpegFromResource(TJPEGImage& image, const char* name)
{
    const TResourceData data = LoadResourceData(name, "JPEG");
    if (!data.Data)
        throw EStreamError(std::string("Ressource introuvable : ") + name);
    image.LoadFromBytes(static_cast<const uint8_t*>(data.Data), data.Size);
}
