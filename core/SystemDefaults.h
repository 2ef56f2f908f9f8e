// What the settings' defaults ask of the running system: the screen, the user's locale and name, the
// documents folder, and the registry keys that the upgrade steps correct.
#pragma once
#include <cstdint>
#include <string>

struct TSystemDefaults {
    int32_t ScreenWidth = 1024;
    int32_t ScreenHeight = 768;
    int32_t UserLocale = 0x040C;
    bool MetricSystem = true;
    int32_t RtfClipboardFormat = 0;
    std::string UserName;
    std::string MyDocuments; // empty when the system has none
    std::string CurrentDir;  // with a trailing backslash
};

// What the system gives now.
TSystemDefaults ReadSystemDefaults();
// Read once, at the first call.
const TSystemDefaults& SystemDefaults();
// For tests: the values that later loads use.
void SetSystemDefaults(const TSystemDefaults& defaults);

// The registry's install keys, as the upgrade steps need them: removes the retired extensions from
// "Internal\FileAssoc", and brings "Install\IconsUpdatedForVer" up to date (telling the shell that the
// file icons changed when it must).
void FixRegistryFileAssoc(const std::string& root);
void FixRegistryIcons(const std::string& root, int32_t runCount, int32_t lastRunVer);
