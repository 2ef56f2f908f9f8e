// The system's languages by name, and the user's recent languages (the language history).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TSettingsStorage;

// The name the system gives a language identifier, empty when it has none.
using TLanguageNamer = std::function<std::string(int32_t language)>;

class TLanguageManager {
public:
    static constexpr int MaxHistory = 8;

    // Every language the system names: primary languages 1 to 54, each with its sub-languages from 1
    // up to the first one without a name; sorted by name.
    void BuildLanguageList(const TLanguageNamer& nameOf);
    // "( aucune )" for no language or the user's default; the list's name; else the identifier.
    std::string GetLanguageName(int32_t language) const;

    // Moves the language to the front of the history, which keeps the 8 most recent.
    void AddToHistory(int32_t language);
    // Reads section "LangHistory". Without any stored history (only the registry answers an absent
    // count with -1) it starts from the default language and the spell checkers' languages, the first
    // of those at the front; only then are the checkers asked for their languages.
    void LoadHistory(TSettingsStorage& storage, int32_t defaultLanguage,
                     const std::function<std::vector<int32_t>()>& spellCheckerLanguages);
    void SaveHistory(TSettingsStorage& storage) const;

    std::vector<std::pair<std::string, int32_t>> Languages; // name and identifier, sorted by name
    std::vector<int32_t> History;                           // most recent first
};

// The name the system gives a language (none on the host build).
std::string SystemLanguageName(int32_t language);
// The program's language manager, made on first use with the system's language names. The program
// loads its history at start-up and the settings holder writes it with the other settings.
TLanguageManager& LanguageManager();
// Whether the manager was made (the settings holder writes the history only then).
bool LanguageManagerExists();
void FreeLanguageManager();
