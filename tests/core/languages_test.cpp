// The language list and the language history: names, the eight most recent languages, and the history
// kept in the settings through both kinds of store and written with the program's other settings.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "core/IniFile.h"
#include "core/Languages.h"
#include "core/OptionsHolder.h"
#include "tests/common/test_support.h"

namespace {

// A store that keeps numbers as numbers, as the registry does: an absent count reads as its default.
class TNumberStore : public TValueStore {
public:
    TNumberStore() : TValueStore(false) {}
    void OpenSection(const std::string& name) override { Section = name; }

protected:
    bool ReadValue(const std::string& name, TStoredValue& value) override
    {
        auto it = Values.find(Section + "\\" + name);
        if (it == Values.end())
            return false;
        value = it->second;
        return true;
    }
    void WriteValue(const std::string& name, const TStoredValue& value) override
    {
        Values[Section + "\\" + name] = value;
    }

private:
    std::string Section;
    std::map<std::string, TStoredValue> Values;
};

std::string Namer(int32_t id)
{
    // Two French and one English sub-language, German alone.
    static const std::map<int32_t, std::string> names = {{0x040C, "Français (France)"},
                                                         {0x080C, "Français (Belgique)"},
                                                         {0x0409, "Anglais (États-Unis)"},
                                                         {0x0407, "Allemand (Allemagne)"},
                                                         {0x0C0C + 0x400 * 10, "jamais atteint"}};
    auto it = names.find(id);
    return it == names.end() ? std::string() : it->second;
}

} // namespace

TEST(LanguageManager, ListsTheNamedLanguagesSortedAndNamesTheOthers)
{
    TLanguageManager m;
    m.BuildLanguageList(Namer);
    ASSERT_EQ(m.Languages.size(), 4u);
    EXPECT_EQ(m.Languages[0].first, "Allemand (Allemagne)");
    EXPECT_EQ(m.Languages[3].second, 0x040C);
    EXPECT_EQ(m.GetLanguageName(0x080C), "Français (Belgique)");
    EXPECT_EQ(m.GetLanguageName(0x400), "( aucune )");
    EXPECT_EQ(m.GetLanguageName(INT32_MIN), "( aucune )");
    EXPECT_EQ(m.GetLanguageName(0x7F3F), "( Autre langue (ID: 32575) )");
}

TEST(LanguageManager, HistoryKeepsTheEightMostRecent)
{
    TLanguageManager m;
    for (int32_t id = 1; id <= 9; ++id)
        m.AddToHistory(id);
    EXPECT_EQ(m.History, (std::vector<int32_t>{9, 8, 7, 6, 5, 4, 3, 2})); // the ninth drops the oldest
    m.AddToHistory(5);
    EXPECT_EQ(m.History, (std::vector<int32_t>{5, 9, 8, 7, 6, 4, 3, 2})); // a listed one comes first
}

TEST(LanguageManager, HistoryGoesThroughBothStores)
{
    const std::vector<int32_t> history = {0x040C, 0x0409, 0x0407};
    // With no history stored, the registry's absent count starts it from the default language and the
    // spell checkers' languages; the ini store's absent count is 0: an empty history.
    TNumberStore registry;
    TLanguageManager fresh;
    fresh.LoadHistory(registry, 0x040C, [] { return std::vector<int32_t>{0x0409, 0x0809}; });
    EXPECT_EQ(fresh.History, (std::vector<int32_t>{0x0409, 0x0809, 0x040C}));
    const std::string file = qptest::ScratchDir() + "/langues.ini";
    {
        TIniFile ini(file, false);
        fresh.LoadHistory(ini, 0x040C, [] { return std::vector<int32_t>{0x0409}; });
        EXPECT_TRUE(fresh.History.empty());
    }
    // Written and read back, in the same order.
    TLanguageManager m;
    m.History = history;
    m.SaveHistory(registry);
    TLanguageManager back;
    back.LoadHistory(registry, 0x400, [] { return std::vector<int32_t>{}; });
    EXPECT_EQ(back.History, history);
    {
        TIniFile ini(file, true);
        m.SaveHistory(ini);
    }
    TIniFile ini(file, false);
    back.LoadHistory(ini, 0x400, [] { return std::vector<int32_t>{}; });
    EXPECT_EQ(back.History, history);
    std::remove(file.c_str());
}

TEST(LanguageManager, TheSettingsHolderWritesTheProgramsHistory)
{
    TNumberStore store;
    {
        TOptionsHolder holder;
        holder.WriteAll(store); // no manager made yet: no history written
    }
    TLanguageManager back;
    back.LoadHistory(store, 0x040C, [] { return std::vector<int32_t>{}; });
    EXPECT_EQ(back.History, std::vector<int32_t>{0x040C}); // the absent count's start

    LanguageManager().History = {0x0407, 0x040C};
    {
        TOptionsHolder holder;
        holder.WriteAll(store);
    }
    FreeLanguageManager();
    back.LoadHistory(store, 0x400, [] { return std::vector<int32_t>{}; });
    EXPECT_EQ(back.History, (std::vector<int32_t>{0x0407, 0x040C}));
}
