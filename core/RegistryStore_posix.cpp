// The host build has no registry: its store reads defaults and keeps nothing.
#include <memory>

#include "core/SettingsStorage.h"

std::unique_ptr<TSettingsStorage> NewRegistryStore()
{
    return std::make_unique<TSettingsStorage>();
}
