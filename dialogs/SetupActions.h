// The one-shot actions that the setup program asks of the installed program through its command line:
// associating document types, installing spell-check systems, uninstalling.
#pragma once
#include <string>

// Associates the document types listed in Value ("rtf", "_cod", "_doc"...) with the program.
void AssociateDocumentTypes(const std::string& value);
// Appends Systems (";"-separated spell-check system files) to the installed systems list.
void InstallSpellCheckSystems(const std::string& systems);
// Removes what the installation log lists.
void RunUninstaller();
