// The registry store of the program's settings.
#include <memory>

#include "core/RegistryEx.h"

std::unique_ptr<TSettingsStorage> NewRegistryStore()
{
    return std::make_unique<TRegistryEx>();
}
