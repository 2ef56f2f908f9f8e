// The symbolic names of the commands of the default toolbars and their close relatives, independent of
// the French captions.
#pragma once
#include <cstdint>

struct TCommandName {
    int32_t Command;
    const char* Name;
};

// The table, sorted by name in byte order; every name and every number occurs once.
extern const TCommandName CommandNames[112];
