// The host build's system: a fixed screen, a French metric user, no registry.
#include "core/SystemDefaults.h"

#include <unistd.h>

TSystemDefaults ReadSystemDefaults()
{
    TSystemDefaults d;
    d.UserName = "Utilisateur";
    char buffer[4096];
    if (getcwd(buffer, sizeof(buffer)))
        d.CurrentDir = std::string(buffer) + "/";
    return d;
}

void FixRegistryFileAssoc(const std::string&) {}
void FixRegistryIcons(const std::string&, int32_t, int32_t) {}
