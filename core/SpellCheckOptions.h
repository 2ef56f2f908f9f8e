// The user's spelling options: the options word with its bits, the suggestion quality, and the record
// that each spell-check system copies when its engine options are set.
#pragma once
#include <cstdint>
#include <string>

class TSettingsStorage;

// Bits of the spelling options word (settings "SpellCheck", "Flags").
enum : uint16_t {
    scoIgnoreCapitalized = 0x0001,
    scoIgnoreAllCaps = 0x0002,
    scoIgnoreWordsWithNumbers = 0x0004,
    scoIgnoreMixedCase = 0x0008,
    scoIgnoreUrls = 0x0010,
    scoCaseSensitive = 0x0020,
    scoSplitInEveryLanguage = 0x0040, // never stored
    scoSuggestSplitWords = 0x0080,
    scoReportDoubledWords = 0x0100,
    scoCheckAsYouType = 0x0400,
    scoUnderlineMistakes = 0x0800,
};

struct TSC_SpellCheckSystemSettings {
    uint16_t Flags = 0x0D34;
    uint8_t SuggestQuality = 1; // 0 fast, 1 fairly fast and precise, 2 slow and very precise
    uint8_t Reserved = 0;
    std::string Text;
};

// Reads "Flags" and "SuggestQuality" of the section "SpellCheck" (bit 6 cleared) into the record, and
// writes them back.
void LoadSpellCheckOptions(TSettingsStorage& store, TSC_SpellCheckSystemSettings& options);
void SaveSpellCheckOptions(TSettingsStorage& store, const TSC_SpellCheckSystemSettings& options);
