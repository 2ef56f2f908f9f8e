// The tokenizer over the load's input buffer: tokens, chunk boundaries, and damaged input.
#include <gtest/gtest.h>

#include <string>

#include "classlib/runtime/Streams.h"
#include "formats/load/LoadInput.h"
#include "formats/rtf/RtfTokenizer.h"

namespace {

// The tokens of a text, one short form each: { } \word[N] \?word \sym 'hh [text] bin(N).
std::string Describe(const std::string& rtf, TRtfError* error = nullptr)
{
    TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
    TRtfTokenizer tok(input);
    std::string out;
    for (;;) {
        const TRtfToken& t = tok.Next();
        switch (t.Kind) {
        case TRtfTokenKind::End:
            if (error)
                *error = tok.Error();
            return out;
        case TRtfTokenKind::GroupStart: out += "{"; break;
        case TRtfTokenKind::GroupEnd: out += "}"; break;
        case TRtfTokenKind::Word:
            out += t.Word < 0 ? "\\?" : "\\" + std::string(TControlWords::NameOf(t.Word));
            if (t.HasParam)
                out += std::to_string(t.Param);
            out += " ";
            break;
        case TRtfTokenKind::Symbol:
            out += t.Char == '\n' ? std::string("\\n ") : std::string("\\") + char(t.Char) + " ";
            break;
        case TRtfTokenKind::Text:
            out += "[" + std::string(reinterpret_cast<const char*>(t.Text), t.Length) + "]";
            break;
        case TRtfTokenKind::Byte: out += "'" + std::to_string(t.Char) + " "; break;
        case TRtfTokenKind::Binary: out += "bin(" + std::to_string(t.Param) + ")"; break;
        }
    }
}

} // namespace

TEST(RtfTokenizer, Tokens)
{
    struct {
        const char* rtf;
        const char* tokens;
    } cases[] = {
        {"{\\rtf1\\ansi {\\b bold} plain}", "{\\?1 \\? {\\b [bold]}[ plain]}"},
        {"{\\FS24 x\\li-360\\b0 y}", "{\\fs24 [x]\\li-360 \\b0 [y]}"},
        {"a\r\nb\\\r\nc\\\nd", "[a][b]\\n [c]\\n [d]"},
        {"\\'e9\\'E8\\'zz\\'4", "'233 '232 [zz]"},
        {"\\{\\}\\\\\\~\\*", "\\{ \\} \\\\ \\~ \\* "},
        {"\\fs99999999999999999999 \\up-99999999999", "\\fs2147483647 \\up-2147483647 "},
        {"\\li- x", "\\li [- x]"},
        {"\\abcdefghijklmnopqrstuvwxyzabcdefghijkl5 x\\par", "\\?5 [x]\\par "},
        {"{\\bin5 }}{{\\x}x}", "{bin(5)[x]}[x]}"},
        {"\\bin-3 a", "bin(0)[a]"},
        {"\\bin99999999999 ab", "bin(2147483647)"},
        {"}}{a", "}}{[a]"},
        {"\\", ""},
        {"\\'", ""},
        // Words and parameters: a delimiting space belongs to the word, a word without digits has no
        // parameter (the reader takes 1 for a toggle), parameters saturate, letters are lower-cased.
        {"\\fs24 x", "\\fs24 [x]"},
        {"\\li-360\\", "\\li-360 "},
        {"\\b0 ", "\\b0 "},
        {"\\b\\i", "\\b \\i "},
        {"\\par x", "\\par [x]"},
        {"\\fs99999999999", "\\fs2147483647 "},
        {"\\li-99999999999", "\\li-2147483647 "},
        {"\\RTF1\\PARD", "\\?1 \\pard "},
        // The data ends inside a word: the letters read so far make it.
        {"\\font", "\\? "},
        {"\\pa", "\\? "},
        // Escapes one after the other, then text; a broken escape gives nothing.
        {"\\'e9\\'e8xy", "'233 '232 [xy]"},
        {"\\'zz", "[zz]"},
        {"\\'e", ""},
    };
    for (auto& c : cases)
        EXPECT_EQ(Describe(c.rtf), c.tokens) << c.rtf;
}

TEST(RtfTokenizer, DeepNestingEndsWithAnError)
{
    TRtfError error = TRtfError::None;
    std::string deep(TRtfTokenizer::kMaxGroupDepth + 1, '{');
    Describe(deep, &error);
    EXPECT_EQ(error, TRtfError::GroupTooDeep);
    std::string fine =
        std::string(TRtfTokenizer::kMaxGroupDepth, '{') + std::string(TRtfTokenizer::kMaxGroupDepth, '}');
    Describe(fine, &error);
    EXPECT_EQ(error, TRtfError::None);
}

TEST(RtfTokenizer, WordsAcrossChunkBoundaries)
{
    // Words, escapes and parameters fall across every offset around the end of the first chunk.
    for (int shift = 0; shift < 12; ++shift) {
        std::string rtf(TLoadInput::kChunkSize - 6 + shift, 'x');
        rtf += "\\fs24 \\'e9\\li-360 yz";
        std::string d = Describe(rtf);
        EXPECT_EQ(d.substr(d.size() - 24), "]\\fs24 '233 \\li-360 [yz]") << shift;
    }
}

TEST(RtfTokenizer, SkipGroupAndBinaryData)
{
    std::string rtf = "{\\*\\gen {a}\\bin3 }}}b}c";
    TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
    TRtfTokenizer tok(input);
    EXPECT_EQ(tok.Next().Kind, TRtfTokenKind::GroupStart);
    tok.SkipGroup();
    EXPECT_EQ(tok.Depth(), 0);
    EXPECT_EQ(tok.Next().Kind, TRtfTokenKind::Text);
    EXPECT_EQ(tok.Current().Text[0], 'c');

    std::string bin = "\\bin4 {}\\x\\par";
    TLoadInput in2(bin.data(), static_cast<int64_t>(bin.size()));
    TRtfTokenizer tok2(in2);
    ASSERT_EQ(tok2.Next().Kind, TRtfTokenKind::Binary);
    std::vector<uint8_t> data;
    tok2.ReadBinary(&data);
    EXPECT_EQ(std::string(data.begin(), data.end()), "{}\\x");
    EXPECT_EQ(tok2.Next().Word, rw_par);
}

TEST(RtfTokenizer, HexDataSkipsBlanksOneAtATime)
{
    struct {
        const char* rtf;
        const char* bytes;
    } cases[] = {
        {"41 42\n43\r\n44 }x", "ABCD"},
        {"4\n1\n4\n2}", "AB"},
        {"41\n42\n }", "AB"},
        {"41zz42}", "AB"},
        {"414}", "A"},
        {"4142", "AB"},
        // Pairs read digit by digit: upper and lower case, a stray pair passed over, an odd digit dropped.
        {"4a6B", "\x4a\x6b"},
        {"4aZZ", "\x4a"},
        {"4a4Z", "\x4a"},
        {"4a4", "\x4a"},
    };
    for (auto& c : cases) {
        std::string rtf = c.rtf;
        TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
        TRtfTokenizer tok(input);
        std::vector<uint8_t> data;
        tok.ReadHexData(data);
        EXPECT_EQ(std::string(data.begin(), data.end()), c.bytes) << c.rtf;
        if (std::string(c.rtf).find('}') != std::string::npos) {
            EXPECT_EQ(tok.Next().Kind, TRtfTokenKind::GroupEnd) << c.rtf;
        }
    }
    // Data across chunks.
    std::string big;
    for (int i = 0; i < 100000; ++i)
        big += (i % 64 == 63) ? "\n" : "7f";
    big += "}";
    TLoadInput input(big.data(), static_cast<int64_t>(big.size()));
    TRtfTokenizer tok(input);
    std::vector<uint8_t> data;
    int64_t added = tok.ReadHexData(data);
    EXPECT_EQ(added, static_cast<int64_t>(data.size()));
    EXPECT_EQ(data.size(), 100000u - 100000u / 64);
}

TEST(LoadInput, ConvertsEachByteOnceAcrossChunks)
{
    std::string text(3 * TLoadInput::kChunkSize + 17, 'a');
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
    stream.SetPosition(0);
    TLoadInput input(stream, stream.GetSize(), "x.txt");
    input.ConvertChunk = [](uint8_t* p, int32_t n, int64_t) {
        for (int32_t i = 0; i < n; ++i)
            ++p[i];
    };
    std::string seen;
    while (!input.AtEnd()) {
        // Read in odd steps so that remainders move to the buffer's start.
        int32_t step = std::min(7, input.Filled - input.Pos);
        seen.append(reinterpret_cast<const char*>(input.Buffer.data() + input.Pos), step);
        input.Pos += step;
        EXPECT_EQ(input.Buffer[input.Filled], 0);
    }
    EXPECT_EQ(seen, std::string(text.size(), 'b'));
}

namespace {
class TFailingStream : public TMemoryStream {
public:
    int Failures = 0;
    int32_t Read(void* buffer, int32_t count) override
    {
        if (Failures > 0) {
            --Failures;
            return 0;
        }
        return TMemoryStream::Read(buffer, count);
    }
};
} // namespace

TEST(LoadInput, ReadErrorsAskToRetryOrEndTheLoad)
{
    TFailingStream stream;
    stream.WriteBuffer("abc", 3);
    stream.SetPosition(0);
    stream.Failures = 2;
    TLoadInput input(stream, 3, "lettre.txt");
    std::string asked;
    input.OnReadError = [&](const std::string& m) {
        asked = m;
        return true;
    };
    ASSERT_TRUE(input.Ensure(3));
    EXPECT_EQ(asked, "Erreur lors de la lecture du fichier \"lettre.txt\".");
    EXPECT_EQ(stream.Failures, 0);

    stream.Failures = 1;
    TLoadInput cancelled(stream, 3, "lettre.txt");
    cancelled.OnReadError = [](const std::string&) { return false; };
    EXPECT_THROW(cancelled.Ensure(1), EAbort);
}
