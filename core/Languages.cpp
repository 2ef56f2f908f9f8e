// The system's languages by name, and the user's recent languages (the language history).
#include "core/Languages.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "classlib/runtime/Format.h"
#include "core/SettingsStorage.h"

namespace {

constexpr int32_t NoLanguage = INT32_MIN;
constexpr int32_t UserDefaultLanguage = 0x400;

// The value names of the history's entries: "A", "B", ...
std::string EntryName(int index)
{
    return std::string(1, char('A' + index));
}

std::unique_ptr<TLanguageManager> GLanguageManager;

} // namespace

TLanguageManager& LanguageManager()
{
    if (!GLanguageManager) {
        GLanguageManager = std::make_unique<TLanguageManager>();
        GLanguageManager->BuildLanguageList(SystemLanguageName);
    }
    return *GLanguageManager;
}

bool LanguageManagerExists()
{
    return GLanguageManager != nullptr;
}

void FreeLanguageManager()
{
    GLanguageManager.reset();
}

void TLanguageManager::BuildLanguageList(const TLanguageNamer& nameOf)
{
    Languages.clear();
    for (int32_t primary = 1; primary <= 54; ++primary)
        for (int32_t sub = 1; sub < 64; ++sub) {
            const int32_t id = (sub << 10) | primary;
            std::string name = nameOf(id);
            if (name.empty())
                break;
            Languages.emplace_back(std::move(name), id);
        }
    std::stable_sort(Languages.begin(), Languages.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

std::string TLanguageManager::GetLanguageName(int32_t language) const
{
    if (language == NoLanguage || language == UserDefaultLanguage)
        return "( aucune )";
    for (const auto& [name, id] : Languages)
        if (id == language)
            return name;
    return Format("( Autre langue (ID: %d) )", language);
}

void TLanguageManager::AddToHistory(int32_t language)
{
    History.erase(std::remove(History.begin(), History.end(), language), History.end());
    History.insert(History.begin(), language);
    if (History.size() > size_t(MaxHistory))
        History.resize(size_t(MaxHistory));
}

void TLanguageManager::LoadHistory(TSettingsStorage& storage, int32_t defaultLanguage,
                                   const std::function<std::vector<int32_t>()>& spellCheckerLanguages)
{
    History.clear();
    storage.OpenSection("LangHistory");
    const int32_t count = storage.ReadInteger("Count", 0, MaxHistory, -1);
    if (count == -1) {
        AddToHistory(defaultLanguage);
        const std::vector<int32_t> languages = spellCheckerLanguages();
        for (auto it = languages.rbegin(); it != languages.rend(); ++it)
            AddToHistory(*it);
        return;
    }
    // "A" holds the oldest entry: adding from there to the newest keeps the stored order.
    for (int i = 0; i < count; ++i)
        AddToHistory(storage.ReadInteger(EntryName(i), INT32_MIN, INT32_MAX, defaultLanguage));
}

void TLanguageManager::SaveHistory(TSettingsStorage& storage) const
{
    storage.OpenSection("LangHistory");
    const int count = int(History.size());
    for (int i = 0; i < count; ++i)
        storage.WriteInteger(EntryName(i), History[size_t(count - 1 - i)]);
    storage.WriteInteger("Count", count);
}
