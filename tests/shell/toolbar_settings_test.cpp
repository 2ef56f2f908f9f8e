// The toolbar settings file: written and read back, the defaults of what it lacks, and damaged files;
// the texts that the zoom and font-size boxes accept.
#include "shell/ToolbarSettings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "shell/ToolbarManager.h"
#include "tests/common/test_support.h"

namespace {

std::string WriteFile(const std::string& name, const std::string& text)
{
    const std::string path = qptest::ScratchDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return qptest::NativePath(path);
}

std::vector<int32_t> BuiltInCommands(int toolbar)
{
    TToolbarSettings defaults(nullptr);
    defaults.SetDefaults();
    return defaults.Toolbars[static_cast<size_t>(toolbar)].Commands;
}

} // namespace

TEST(ToolbarSettingsTest, FileRoundTripsAndIsWrittenAsIniText)
{
    TToolbarSettings settings(nullptr);
    settings.SetDefaults();
    settings.LargeButtons = true;
    settings.ComboBoxHints = false;
    settings.Toolbars[1].Visible = false;
    settings.Toolbars[3].Visible_Preview = false;
    settings.Toolbars[2].Commands = {100, ToolbarSeparator, 206100, -1, 0};
    settings.Toolbars[0].AlternativeCommands.clear();
    const std::string dir = qptest::ScratchDir();
    const std::string file = qptest::NativePath(dir + "/Quillpad.qts");
    settings.Save(file);

    TToolbarSettings read(nullptr);
    read.Load(file);
    EXPECT_FALSE(read.Modified);
    EXPECT_EQ(read.FlatButtons, settings.FlatButtons);
    EXPECT_TRUE(read.LargeButtons);
    EXPECT_TRUE(read.DropDownMenus);
    EXPECT_FALSE(read.ComboBoxHints);
    EXPECT_TRUE(read.ShowHotKeys);
    for (int i = 0; i < ToolbarCount; ++i) {
        const TSingleToolbarSettings& a = settings.Toolbars[static_cast<size_t>(i)];
        const TSingleToolbarSettings& b = read.Toolbars[static_cast<size_t>(i)];
        EXPECT_EQ(b.Visible, a.Visible) << i;
        EXPECT_EQ(b.Visible_Preview, a.Visible_Preview) << i;
        EXPECT_EQ(b.Commands, a.Commands) << i;
        EXPECT_EQ(b.AlternativeCommands, a.AlternativeCommands) << i;
    }

    // Sections in their order, each entry as eight upper-case digits; toolbar 4 is not stored.
    const std::string text = qptest::ReadFileBytes(dir + "/Quillpad.qts");
    const size_t general = text.find("[General Settings]"), standard = text.find("[STANDARD]"),
                 formatting = text.find("[FORMATTING]"), extended = text.find("[EXTENDED]"),
                 preview = text.find("[PREVIEW]");
    ASSERT_NE(preview, std::string::npos);
    EXPECT_TRUE(general < standard && standard < formatting && formatting < extended && extended < preview);
    EXPECT_NE(text.find("Commands=000000647FFFFFFF00032514FFFFFFFF00000000\r\n"), std::string::npos);
    EXPECT_NE(text.find("LargeButtons=1"), std::string::npos);
    EXPECT_EQ(text.find("[HEADER"), std::string::npos);
    EXPECT_EQ(text.find("00000DF2"), std::string::npos); // 3570, on the header and footer toolbar only
}

TEST(ToolbarSettingsTest, MissingKeysAndSectionsTakeTheirDefaults)
{
    // No PREVIEW section: toolbar 3 shows in both modes with empty lists (the manager then hides it).
    const std::string file =
        WriteFile("partial.qts", "[General Settings]\r\nShowHotKeys=0\r\n"
                                 "[STANDARD]\r\nVisible=0\r\nCommands=0000006400000078ABCD\r\n"
                                 "[EXTENDED]\r\nCommands=00000064000000c8\r\n");
    TToolbarSettings settings(nullptr);
    settings.Load(file);
    EXPECT_FALSE(settings.ShowHotKeys);
    EXPECT_TRUE(settings.DropDownMenus);
    EXPECT_FALSE(settings.Toolbars[0].Visible);
    EXPECT_TRUE(settings.Toolbars[0].Visible_Preview);
    EXPECT_EQ(settings.Toolbars[0].Commands, (std::vector<int32_t>{100, 120})); // the last four ignored
    EXPECT_TRUE(settings.Toolbars[0].AlternativeCommands.empty());
    EXPECT_EQ(settings.Toolbars[2].Commands, (std::vector<int32_t>{100, 200})); // lower case accepted
    EXPECT_TRUE(settings.Toolbars[3].Visible);
    EXPECT_TRUE(settings.Toolbars[3].Visible_Preview);
    EXPECT_TRUE(settings.Toolbars[3].Commands.empty());
    // The header and footer toolbar keeps its built-in lists whatever the file says.
    EXPECT_EQ(settings.Toolbars[4].Commands, BuiltInCommands(4));
    EXPECT_EQ(settings.Toolbars[4].AlternativeCommands, BuiltInCommands(4));
    EXPECT_EQ(settings.VisibleToolbarCount(), 3);
}

TEST(ToolbarSettingsTest, RetiredCommandIsDroppedAndTheFileRewritten)
{
    const std::string file =
        WriteFile("retired.qts", "[STANDARD]\r\nCommands=000000640000181F0000181F00000078\r\n"
                                 "AlternativeCommands=0000181F\r\n");
    TToolbarSettings settings(nullptr);
    settings.Load(file);
    EXPECT_EQ(settings.Toolbars[0].Commands, (std::vector<int32_t>{100, 120}));
    EXPECT_TRUE(settings.Toolbars[0].AlternativeCommands.empty());
    EXPECT_TRUE(settings.Modified);
}

TEST(ToolbarSettingsTest, DamagedFileFallsBackToTheBuiltInToolbars)
{
    std::string binary(600, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 37 + 11);
    const std::string files[] = {
        WriteFile("binary.qts", binary),
        WriteFile("empty.qts", ""),
        WriteFile("other.qts", "[Something]\r\nCommands=00000064\r\n"),
        WriteFile("truncated.qts", "[STAND"),
        qptest::NativePath(qptest::ScratchDir() + "/missing.qts"),
    };
    for (const std::string& file : files) {
        TToolbarSettings settings(nullptr);
        settings.Load(file);
        EXPECT_EQ(settings.Toolbars[0].Commands, BuiltInCommands(0)) << file;
        EXPECT_EQ(settings.Toolbars[1].Commands, BuiltInCommands(1)) << file;
        EXPECT_TRUE(settings.Toolbars[0].Visible) << file;
        EXPECT_FALSE(settings.Toolbars[3].Visible) << file;
        EXPECT_EQ(settings.VisibleToolbarCount(), 3) << file;
    }
    // Entries with characters that are no hexadecimal digits are left out; their neighbours stay.
    TToolbarSettings settings(nullptr);
    settings.Load(WriteFile("garbled.qts", "[STANDARD]\r\nCommands=00000064zz\xff\x01"
                                           "000000000078\r\n"));
    EXPECT_EQ(settings.Toolbars[0].Commands, (std::vector<int32_t>{100, 120}));
}

TEST(ToolbarSettingsTest, AssignCopiesEverythingButModified)
{
    TToolbarSettings source(nullptr), target(nullptr);
    source.SetDefaults();
    source.FlatButtons = false;
    source.Toolbars[4].Visible = true;
    source.Modified = true;
    target.Assign(source);
    EXPECT_FALSE(target.FlatButtons);
    EXPECT_TRUE(target.Toolbars[4].Visible);
    EXPECT_EQ(target.Toolbars[2].AlternativeCommands, source.Toolbars[2].AlternativeCommands);
    EXPECT_FALSE(target.Modified);
}

TEST(ToolbarBoxTextTest, ZoomAndFontSizeTexts)
{
    using TParser = bool (*)(const std::string&, int32_t&, std::string&);
    const TParser zoom = ParseZoomText, size = ParseFontSizeText;
    const struct {
        TParser Parse;
        const char* Text;
        int32_t Value; // 0: refused with Message
        const char* Message;
    } cases[] = {
        {zoom, "250 %", 250, ""},
        {zoom, "75%", 75, ""},
        {zoom, "10", 10, ""},
        {zoom, "501", 0, "Le nombre doit être compris entre 10% et 500%."},
        {zoom, "9", 0, "Le nombre doit être compris entre 10% et 500%."},
        {zoom, "abc", 0, "Le nombre spécifié n'est pas valide."},
        {zoom, "", 0, "Le nombre spécifié n'est pas valide."},
        {zoom, "12,5", 0, "Le nombre spécifié n'est pas valide."},
        // Font sizes in half-points.
        {size, "10,5", 21, ""},
        {size, "12", 24, ""},
        {size, "1", 2, ""},
        {size, "1000", 2000, ""},
        {size, "0,4", 0, "Le nombre doit être compris entre 1 et 1000."},
        {size, "1000,5", 0, "Le nombre doit être compris entre 1 et 1000."},
        {size, "grand", 0, "Le nombre spécifié n'est pas valide."},
    };
    for (const auto& c : cases) {
        int32_t value = 0;
        std::string error;
        EXPECT_EQ(c.Parse(c.Text, value, error), c.Value != 0) << c.Text;
        EXPECT_EQ(value, c.Value) << c.Text;
        EXPECT_EQ(error, c.Message) << c.Text;
    }
}
