// The system defaults read once, and replaced by tests.
#include "core/SystemDefaults.h"

namespace {

TSystemDefaults& Stored()
{
    static TSystemDefaults defaults = ReadSystemDefaults();
    return defaults;
}

} // namespace

const TSystemDefaults& SystemDefaults()
{
    return Stored();
}

void SetSystemDefaults(const TSystemDefaults& defaults)
{
    Stored() = defaults;
}
