// The registry store under the current user's key of the test prefix, and the ini store under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include "core/FileList.h"
#include "core/FileSys.h"
#include "core/IniFile.h"
#include "core/RegistryEx.h"
#include "core/SystemUtils.h"
#include "tests/common/test_support.h"
#include "tests/core/settings_cases.h"

namespace {

const std::string TestKey = "Software\\Quillpad tests\\" + std::to_string(GetCurrentProcessId());

// A store rooted in a key of this test program's own, removed afterwards.
class RegistryStore : public testing::Test {
protected:
    void SetUp() override { SHDeleteKeyA(HKEY_CURRENT_USER, TestKey.c_str()); }
    void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, TestKey.c_str()); }
    static std::unique_ptr<TRegistryEx> Store()
    {
        auto store = std::make_unique<TRegistryEx>();
        store->Root = "\\" + TestKey + "\\";
        return store;
    }
    static bool KeyExists(const std::string& sub)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, (TestKey + "\\" + sub).c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
};

} // namespace

TEST_F(RegistryStore, EveryKindOfValueReadsBackUnchanged)
{
    settingscases::WriteAll(*Store());
    settingscases::CheckAll(*Store());
    // Values are registry integers and strings.
    DWORD type = 0;
    RegGetValueA(HKEY_CURRENT_USER, (TestKey + "\\Values").c_str(), "True", RRF_RT_ANY, &type, nullptr,
                 nullptr);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    RegGetValueA(HKEY_CURRENT_USER, (TestKey + "\\Values").c_str(), "Plain", RRF_RT_ANY, &type, nullptr,
                 nullptr);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistryStore, AbsentIntegerGivesItsDefaultUnclamped)
{
    auto s = Store();
    s->OpenSection("Ints");
    s->WriteInteger("X", 50);
    s->WriteString("Text", "12");
    EXPECT_EQ(s->ReadInteger("X", 0, 10, 99), 10);
    EXPECT_EQ(s->ReadInteger("X", 60, 100, 99), 60);
    EXPECT_EQ(s->ReadInteger("Absent", 0, 10, 99), 99);
    EXPECT_EQ(s->ReadInteger("Text", 0, 100, 99), 99); // not a registry integer
    EXPECT_TRUE(s->ReadBool("Text", true));
    EXPECT_EQ(s->ReadString("X", "def"), "def");
}

TEST_F(RegistryStore, ReadingNeverCreatesAKey)
{
    auto s = Store();
    EXPECT_FALSE(s->SectionExists("General"));
    s->OpenSection("General");
    EXPECT_TRUE(s->ReadBool("ShowSplash", true));
    EXPECT_EQ(s->ReadString("UsrName", "def"), "def");
    EXPECT_EQ(s->ReadLongString("Internal\\Envelopes\\AddrFont", "def"), "def");
    EXPECT_TRUE(s->ReadBinary("Print\\DEVMODE").empty());
    EXPECT_FALSE(KeyExists("General"));
    EXPECT_FALSE(KeyExists("Print"));
    s->OpenSection("General");
    s->WriteBool("ShowSplash", false);
    EXPECT_TRUE(KeyExists("General"));
    EXPECT_FALSE(s->ReadBool("ShowSplash", true));
}

TEST_F(RegistryStore, ShorterLongTextLeavesNoPieceOfTheOlderOne)
{
    auto s = Store();
    const std::string longer(3 * 512, 'a');
    // 1,030 characters with blanks that run the first piece on: "Count" 3, but only two pieces.
    std::string shorter = std::string(510, 'b') + std::string(10, ' ') + std::string(510, 'c');
    s->WriteLongString("Text", longer);
    s->WriteLongString("Text", shorter);
    EXPECT_EQ(Store()->ReadLongString("Text", "def"), shorter);
    const uint8_t bytes[] = {1, 2, 3, 4};
    s->WriteBinary("Block", bytes, 4);
    s->OpenSection("Block");
    s->WriteString("0", "0102"); // a value cut short by hand
    s->WriteInteger("Count", 1);
    EXPECT_EQ(Store()->ReadBinary("Block"), (std::vector<uint8_t>{1, 2}));
}

TEST(IniFileUnderWine, AccentedNamesAndValuesReadBack)
{
    const std::string path = IncludeTrailingPathDelimiter(qptest::ScratchDir()) + "Réglages.ini";
    {
        TIniFile w(path, true);
        settingscases::WriteAll(w);
        w.OpenSection("Général");
        w.WriteString("Clé", "Valeur é");
    }
    TIniFile r(path, false);
    settingscases::CheckAll(r);
    r.OpenSection("GÉNÉRAL");
    EXPECT_EQ(r.ReadString("CLÉ", "def"), "Valeur é");
}

TEST_F(RegistryStore, ThirtyEntryFileListSurvivesSaveAndLoad)
{
    TFileList list(TFileList::flFolders);
    for (int i = 0; i < 30; ++i)
        list.Names.push_back("C:\\Dossier " + std::to_string(i) + "\\[copie]");
    list.Locked = true;
    auto s = Store();
    s->OpenSection("Folders");
    list.Save(*s);
    TFileList loaded(TFileList::flFolders);
    auto r = Store();
    r->OpenSection("Folders");
    loaded.Load(*r);
    EXPECT_EQ(loaded.Names, list.Names);
    EXPECT_TRUE(loaded.Locked);
}

TEST(SystemMessageBeep, ReadsTheSoundSchemeWithoutCreatingKeys)
{
    const char* const events[] = {"Exclamation", "Hand", "Asterisk", "Question"};
    const uint32_t types[] = {0x30, 0x10, 0x40, 0x20};
    for (int i = 0; i < 4; ++i) {
        const std::string path =
            std::string("AppEvents\\Schemes\\Apps\\.Default\\System") + events[i] + "\\.Current";
        HKEY key;
        const bool existed =
            RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (existed)
            RegCloseKey(key);
        SystemMessageBeep(types[i]);
        const bool exists =
            RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (exists)
            RegCloseKey(key);
        EXPECT_EQ(exists, existed) << events[i];
    }
}
