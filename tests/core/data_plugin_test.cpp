// Data-container files: indexing nested elements, and refusing every malformed file with a message.
#include <gtest/gtest.h>

#include "core/DataFolder.h"
#include "core/DataPlugin.h"
#include "core/Messages.h"
#include "tests/core/plugin_builder.h"
#include "tests/common/test_support.h"

using namespace qptest;

namespace {

std::string Write(const std::string& name, const std::string& bytes, const std::string& dir = ScratchDir())
{
    const std::string path = dir + "/" + name;
    WriteBytes(path, bytes);
    return NativePath(path);
}

} // namespace

TEST(DataPlugin, IndexesNestedElementsAndFindsTheFirstOfAName)
{
    const std::string file =
        Write("scheme.qsc", SoundSignature + Element("AUTHORINFO", "Moi||Toi") +
                                Element("SOUND", Element("EVENT", "Un") + Element("WAVE", "abc")) +
                                Element("SOUND", Element("EVENT", "Deux")));
    TDataPlugin plugin;
    ASSERT_TRUE(plugin.Open(file, SoundSchemeSignature));
    const TDPElementList& top = *plugin.Elements();
    ASSERT_EQ(top.Count(), 3);
    EXPECT_EQ(plugin.GetAuthorInfo(), "Moi\r\nToi");
    const TDPElement* sound = top.FindElement("SOUND");
    ASSERT_EQ(sound, &top.Element(1));
    TDPElementList inner(sound->DataStart, sound->DataEnd, &plugin);
    EXPECT_EQ(inner.GetText("EVENT", "?"), "Un");
    EXPECT_EQ(inner.FindElement("WAVE")->ReadText(), "abc");
    EXPECT_EQ(inner.GetText("event", "absent"), "absent"); // names compare with case

    // Only the signature: an empty list.
    TDataPlugin empty;
    ASSERT_TRUE(empty.Open(Write("empty.qsc", SoundSignature), SoundSchemeSignature));
    EXPECT_EQ(empty.Elements()->Count(), 0);
    EXPECT_EQ(empty.GetAuthorInfo(), "");
}

TEST(DataPlugin, RefusesMalformedFilesWithAMessage)
{
    const std::string good = Element("EVENT", "x");
    const struct {
        const char* Name;
        std::string Bytes;
    } cases[] = {
        {"short signature", std::string("\x04\x4C", 2)},
        {"wrong signature", Le32(0x12345678) + good},
        {"truncated header", SoundSignature + std::string("\x05\0\0", 3)},
        {"length past the end", SoundSignature + Element("EVENT", "x", 1000)},
        {"length that wraps", SoundSignature + Element("EVENT", "x", 0xFFFFFFFF)},
        {"length below the header", SoundSignature + Element("EVENT", "x", 1)},
        {"name past its element", SoundSignature + Element("EVENT", "x", 3, 5) + good},
        {"last element overruns", SoundSignature + good + Element("WAVE", "abcdef").substr(0, 9)},
    };
    [[maybe_unused]] TMessagesForTest messages;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string file = Write("bad.qsc", c.Bytes);
        PendingMessage.Text.clear();
        TDataPlugin plugin;
        EXPECT_FALSE(plugin.Open(file, SoundSchemeSignature));
        EXPECT_FALSE(plugin.IsOpen());
        EXPECT_TRUE(TMessagesForTest::Shown("n'est pas un module additionnel valide"));
    }

    // A nested list whose element runs past its parent's data: refused when it is parsed.
    const std::string file = Write(
        "nested.qsc", SoundSignature + Element("SOUND", Element("EVENT", "x", 40)) + good + good + good);
    TDataPlugin plugin;
    ASSERT_TRUE(plugin.Open(file, SoundSchemeSignature));
    const TDPElement& sound = plugin.Elements()->Element(0);
    EXPECT_THROW(TDPElementList(sound.DataStart, sound.DataEnd, &plugin), EDataPluginError);
}

TEST(DataPlugin, MissingFileOffersRetryAndTheDataFolderStandsIn)
{
    [[maybe_unused]] TMessagesForTest messages;
    PendingMessage.Text.clear();
    TDataPlugin plugin;
    EXPECT_FALSE(plugin.Open(NativePath(ScratchDir() + "/absent.qsc"), SoundSchemeSignature));
    EXPECT_TRUE(TMessagesForTest::Shown("Impossible d'ouvrir le fichier"));

    const std::string dir = ScratchDir();
    SetDataFolder(NativePath(dir + "/"));
    Write("chez.qsc", SoundSignature, dir);
    EXPECT_EQ(ResolvePluginFileName("C:\\nulle\\part\\chez.qsc"), DataFolder() + "chez.qsc");
    EXPECT_EQ(ResolvePluginFileName("C:\\nulle\\part\\autre.qsc"), "C:\\nulle\\part\\autre.qsc");
    SetDataFolder("");
}
