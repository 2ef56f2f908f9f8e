// The compressed envelope of lexicon files: what zlib itself reads back, and damaged files refused whole.
#include <gtest/gtest.h>

#include <zlib.h>

#include <fstream>

#include "classlib/runtime/Files.h"
#include "tests/common/test_support.h"
#include "codecs/LexiconEnvelope.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Lexicon()
{
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "mot" + std::to_string(i * 7919 % 100003) + "\r\n";
    return text;
}

} // namespace

TEST(LexiconEnvelope, PackedLexiconIsTheSignatureAndOneZlibStream)
{
    const std::string lexicon = Lexicon();
    const std::string packed = CompressLexicon(lexicon);
    ASSERT_EQ(packed.substr(0, 4), std::string("\x01\x4C\xE5\xBF", 4));
    // zlib itself reads the rest back.
    std::string plain(lexicon.size(), '\0');
    uLongf size = static_cast<uLongf>(plain.size());
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(plain.data()), &size,
                         reinterpret_cast<const Bytef*>(packed.data() + 4),
                         static_cast<uLong>(packed.size() - 4)),
              Z_OK);
    EXPECT_EQ(plain, lexicon);

    const std::string dir = qptest::ScratchDir();
    WriteFile(dir + "/lex.zlx", packed);
    EXPECT_TRUE(IsCompressedLexiconFile(dir + "/lex.zlx"));
    ASSERT_TRUE(InflateLexiconFile(dir + "/lex.zlx", dir + "/lex.tlx"));
    EXPECT_EQ(qptest::ReadFileBytes(dir + "/lex.tlx"), lexicon);
}

TEST(LexiconEnvelope, DamagedEnvelopesLeaveNoInflatedFile)
{
    const std::string packed = CompressLexicon(Lexicon());
    std::string corrupt = packed;
    corrupt[packed.size() / 2] ^= 0x55;
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"truncated", packed.substr(0, packed.size() / 2)},
        {"trailing", packed + "more"},
        {"corrupt", corrupt},
        {"nostream", packed.substr(0, 4)},
        {"plain", "mot\r\n"},
    };
    const std::string dir = qptest::ScratchDir();
    for (const auto& c : cases) {
        const std::string source = dir + "/" + c.name + ".zlx", dest = dir + "/" + c.name + ".tlx";
        WriteFile(source, c.bytes);
        EXPECT_FALSE(InflateLexiconFile(source, dest)) << c.name;
        EXPECT_FALSE(FileExists(dest)) << c.name;
    }
    EXPECT_FALSE(IsCompressedLexiconFile(dir + "/plain.zlx"));
    EXPECT_FALSE(IsCompressedLexiconFile(dir + "/missing.zlx"));
    EXPECT_FALSE(InflateLexiconFile(dir + "/missing.zlx", dir + "/missing.tlx"));
}
