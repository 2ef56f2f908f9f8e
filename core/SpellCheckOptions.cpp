// Reading and writing the user's spelling options in the settings.
#include "core/SpellCheckOptions.h"

#include "core/SettingsStorage.h"

void LoadSpellCheckOptions(TSettingsStorage& store, TSC_SpellCheckSystemSettings& options)
{
    store.OpenSection("SpellCheck");
    options.Flags =
        static_cast<uint16_t>(store.ReadInteger("Flags", 0, 65535, 0x0D34) & ~scoSplitInEveryLanguage);
    options.SuggestQuality = static_cast<uint8_t>(store.ReadInteger("SuggestQuality", 0, 2, 1));
}

void SaveSpellCheckOptions(TSettingsStorage& store, const TSC_SpellCheckSystemSettings& options)
{
    store.OpenSection("SpellCheck");
    store.WriteInteger("Flags", options.Flags & ~scoSplitInEveryLanguage);
    store.WriteInteger("SuggestQuality", options.SuggestQuality);
}
