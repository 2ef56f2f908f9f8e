// Associations of extensions with the program and their undoing, the spell-checker switch, and what the
// uninstaller removes of a logged installation.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "classlib/runtime/Registry.h"
#include "dialogs/FileAssoc.h"
#include "dialogs/Uninstall.h"
#include "tests/common/test_support.h"

namespace {

const std::string Program = "C:\\Essai\\Quillpad.exe";

std::string Read(TRegistryRoot root, const std::string& key, const std::string& value)
{
    TRegistry reg(root);
    return reg.OpenKeyReadOnly(key) ? reg.ReadString(value) : "<absent>";
}

bool HasValue(const std::string& key, const std::string& value)
{
    TRegistry reg(TRegistryRoot::ClassesRoot);
    return reg.OpenKeyReadOnly(key) && reg.ValueExists(value);
}

void SetDefault(const std::string& key, const std::string& value)
{
    TRegistry reg(TRegistryRoot::ClassesRoot);
    reg.OpenKey(key, true);
    reg.WriteString("", value);
}

class FileAssocTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetDefault(".rtf", "rtffile");
        SetDefault(".doc", "Word.Document");
    }
    void TearDown() override
    {
        RestoreAllAssociations();
        TRegistry(TRegistryRoot::CurrentUser).DeleteKey(FileAssocKey);
        TRegistry(TRegistryRoot::CurrentUser).DeleteKey(SpellCheckKey);
        TRegistry reg(TRegistryRoot::ClassesRoot);
        for (const TFileTypeInfo& type : FileTypes)
            reg.DeleteKey(type.ProgId);
    }
};

TEST_F(FileAssocTest, TheSwitchBindsTheNamedExtensionsAndTheProgramsOwnTypes)
{
    AssociateSwitch("rtf_cod_doc", Program);
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".rtf", ""), "Quillpad.Document");
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".cod", ""), "Quillpad.EncryptedDocument");
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".doc", ""), "Quillpad.Document");
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".rtf", "Quillpad_Save"), "rtffile");
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".qsc", ""), "Quillpad.SpellCheckSystem");
    EXPECT_EQ(Read(TRegistryRoot::CurrentUser, FileAssocKey, "FileAssoc"), ".rtf .cod .doc ");
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, "Quillpad.Document\\shell\\open\\command", ""),
              "\"" + Program + "\" \"%1\"");
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, "Quillpad.Document\\shell\\printto\\command", ""),
              "\"" + Program + "\" /pt \"%1\" \"%2\" \"%3\" \"%4\"");
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, "Quillpad.Document\\DefaultIcon", ""), Program + ",1");
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".rtf\\ShellNew", "FileName"),
              "C:\\Essai\\Modèles de document\\Normal.rtf");

    // Once more: the first saved value stays, the list does not repeat.
    AssociateExtension("RTF", true, Program);
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".rtf", "Quillpad_Save"), "rtffile");
    EXPECT_EQ(Read(TRegistryRoot::CurrentUser, FileAssocKey, "FileAssoc"), ".rtf .cod .doc ");

    // Another program takes .doc over: restoring leaves it its default and drops the program's values.
    SetDefault(".doc", "Autre.Document");
    RestoreExtension("doc");
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".doc", ""), "Autre.Document");
    EXPECT_FALSE(HasValue(".doc", "Quillpad_Save"));
    EXPECT_EQ(Read(TRegistryRoot::CurrentUser, FileAssocKey, "FileAssoc"), ".rtf .cod ");

    RestoreAllAssociations();
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".rtf", ""), "rtffile");
    EXPECT_FALSE(HasValue(".rtf", "Quillpad_Last"));
    EXPECT_EQ(Read(TRegistryRoot::CurrentUser, FileAssocKey, "FileAssoc"), "");
}

TEST_F(FileAssocTest, AnEmptyNameIsSkippedAndAnEmptyValueAssociatesEveryType)
{
    AssociateSwitch("_cod", Program);
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".rtf", ""), "rtffile");
    EXPECT_EQ(Read(TRegistryRoot::CurrentUser, FileAssocKey, "FileAssoc"), ".cod ");
    RestoreAllAssociations();
    AssociateSwitch("", Program);
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".rtf", ""), "Quillpad.Document");
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".fpl", ""), "Quillpad.FormatPalette");
    EXPECT_EQ(Read(TRegistryRoot::CurrentUser, FileAssocKey, "FileAssoc"), ".rtf .cod ");
}

TEST_F(FileAssocTest, ProgramsAndSystemTypesAreNeverTakenOver)
{
    for (const char* ext :
         {"exe", ".COM", "bat", "cmd", "lnk", "pif", "scr", "dll", "sys", "..\\rtf", "a b", ""})
        EXPECT_FALSE(AssociateExtension(ext, true, Program)) << ext;
    AssociateSwitch("exe_txt", Program);
    EXPECT_NE(Read(TRegistryRoot::ClassesRoot, ".exe", ""), "Quillpad.Document");
    EXPECT_EQ(Read(TRegistryRoot::ClassesRoot, ".txt", ""), "Quillpad.Document");
    EXPECT_EQ(Read(TRegistryRoot::CurrentUser, FileAssocKey, "FileAssoc"), ".txt ");
}

TEST_F(FileAssocTest, SpellCheckersJoinTheSystemsList)
{
    InstallSpellCheckersSwitch("C:\\Q\\Orthographe\\French.qsc");
    EXPECT_EQ(Read(TRegistryRoot::CurrentUser, SpellCheckKey, "Systems"), ";C:\\Q\\Orthographe\\French.qsc");
    InstallSpellCheckersSwitch("B.qsc");
    EXPECT_EQ(Read(TRegistryRoot::CurrentUser, SpellCheckKey, "Systems"),
              ";C:\\Q\\Orthographe\\French.qsc;B.qsc");
}

TEST(UninstallTest, RemovesWhatTheLogListsInsideItsFoldersAndNothingElse)
{
    std::string root = qptest::ScratchDir();
    std::string d = root + "\\Quillpad", menu = root + "\\Menu\\Quillpad", other = root + "\\Autre";
    for (const std::string& dir : {d, d + "\\Orthographe", root + "\\Menu", menu, other})
        CreateDirectoryA(dir.c_str(), nullptr);
    auto touch = [](const std::string& path) { std::ofstream(path) << "x"; };
    for (const std::string& f : {d + "\\Quillpad.exe", d + "\\Licence.txt", d + "\\Orthographe\\French.qsc",
                                 d + "\\Mes notes.txt", menu + "\\Quillpad.lnk", other + "\\Important.txt"})
        touch(f);
    std::vector<std::string> log = {
        "Made Dir: " + d,
        "File Copy: " + d + "\\Quillpad.exe",
        "File Copy: " + d + "\\Licence.txt",
        "Made Dir: " + d + "\\Orthographe",
        "File Copy: " + d + "\\Orthographe\\French.qsc",
        "File Copy: " + d + "\\Licence.txt", // a second installation logs it again
        "Made Dir: " + menu,
        "File Copy: " + menu + "\\Quillpad.lnk",
        "File Copy: " + other + "\\Important.txt", // outside every folder of the installation
        "File Copy: " + d + "\\..\\Autre\\Important.txt",
        "Made Dir: " + other,
        "Ligne inconnue: " + d + "\\Mes notes.txt",
    };
    RemoveInstalledFiles(log, d + "\\Quillpad.exe", false);
    auto exists = [](const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    EXPECT_FALSE(exists(d + "\\Licence.txt"));
    EXPECT_FALSE(exists(d + "\\Orthographe"));
    EXPECT_FALSE(exists(menu));
    EXPECT_TRUE(exists(d + "\\Quillpad.exe")) << "the running program is left to its batch file";
    EXPECT_TRUE(exists(d + "\\Mes notes.txt"));
    EXPECT_TRUE(exists(other + "\\Important.txt"));
    EXPECT_TRUE(exists(d)) << "still holds the user's file";
}

} // namespace
