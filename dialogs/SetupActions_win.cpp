// The one-shot actions of the command line. Appending spell-check systems writes the settings store;
// associating and uninstalling come with their dialogs and do nothing yet.
#include "dialogs/SetupActions.h"

#include <memory>

#include "core/OptionsHolder.h"
#include "core/RegistryEx.h"

void AssociateDocumentTypes(const std::string&) {}

void InstallSpellCheckSystems(const std::string& systems)
{
    if (systems.empty())
        return;
    TRegistryEx registry;
    registry.Root = SettingsRoot;
    registry.OpenSection("SpellCheck");
    std::string list = registry.ReadString("Systems", "");
    if (!list.empty() && list.back() != ';')
        list += ';';
    registry.WriteString("Systems", list + systems);
}

void RunUninstaller() {}
