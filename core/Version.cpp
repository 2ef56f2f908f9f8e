// Version texts and numbers.
#include "core/Version.h"

#include <climits>

std::string VersionString = "1.5.0.0";

int32_t VersionToNumber(const std::string& text)
{
    int64_t total = 0;
    int64_t weight = 10000000;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t dot = text.find('.', pos);
        if (dot == std::string::npos)
            dot = text.size();
        int64_t part = 0;
        for (size_t i = pos; i < dot && part < 100000000; ++i)
            if (text[i] >= '0' && text[i] <= '9')
                part = part * 10 + (text[i] - '0');
        total += part * weight;
        weight = weight > 1000 ? weight / 100 : 1;
        if (total > INT32_MAX)
            return INT32_MAX;
        pos = dot + 1;
    }
    return static_cast<int32_t>(total);
}

std::string EditionOfVersion(const std::string& version)
{
    return version.substr(0, version.find('.')) + ".x Bright Ink";
}
