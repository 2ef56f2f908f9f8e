// Putting the inline tags of a paragraph in canonical order.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "document/InlineTags.h"
#include "document/Paragraph.h"
#include "tagged_text.h"

using qptest::Bytes;
using qptest::DescribeTagged;
using qptest::SetTaggedText;
using qptest::TaggedText;

namespace {

std::string Normalized(const std::string& notation)
{
    TParagraph p(nullptr);
    SetTaggedText(p, notation);
    p.NormalizeTags();
    EXPECT_TRUE(p.GetNormalized());
    return DescribeTagged(p.Text);
}

TEST(ParagraphTags, NormalizeTagsCases)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"{2:1}{2:0}ab{22:2}", "ab{22:2}"},             // bold on then off: no tag
        {"{3:1}{26:5}ab{22:2}", "{26:5}{3:1}ab{22:2}"}, // field marks before format tags
        {"a{3:1}{2:1}{26:5}{27:6}b{22:2}", "a{26:5}{27:6}{3:1}{2:1}b{22:2}"},
        {"{2:0}ab{22:2}", "ab{22:2}"},                  // the value already in force
        {"{1:20}{1:28}ab{22:2}", "{1:28}ab{22:2}"},     // one tag per field: the last
        {"{1:20}{3:1}{1:24}ab{22:2}", "{3:1}ab{22:2}"}, // back to the run's start value
        {"a{2:1}b{2:1}c{22:2}", "a{2:1}bc{22:2}"},
        {"{2:1}{26:1}{2:0}a{22:2}", "{26:1}a{22:2}"},             // field marks do not end a run
        {"a{22:7}{2:1}b{2:0}{22:2}", "a{22:7}{2:1}b{2:0}{22:2}"}, // already canonical
        {"x{2:1}{24:3}{2:1}y{22:2}", "x{2:1}{24:3}y{22:2}"},      // a counted tag ends the run
        {"ab{22:2}{2:1}{3:1}", "ab{22:2}"},                       // nothing after the end mark
        {"ab{22:2}{27:3}{2:1}", "ab{22:2}{27:3}"},
        {"{2:1}", "{2:1}"}, // a stream under 16 bytes keeps it
        {"{2:1}{3:1}", "{2:1}"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Normalized(c.in), c.out) << c.in;
}

TEST(ParagraphTags, CutOffTagIsLeftAlone)
{
    TParagraph p(nullptr);
    const std::string s = TaggedText("{2:0}ab{22:2}") + std::string("\0\x02\0", 3);
    p.Text.Assign(s.data(), static_cast<int32_t>(s.size()));
    p.UpdatePlainText();
    EXPECT_EQ(Bytes(p.PlainText), "ab\x02");
    p.NormalizeTags();
    EXPECT_EQ(DescribeTagged(p.Text), "ab{22:2}{cut}");
    EXPECT_EQ(p.CharToStreamOffset(2), 2);
    EXPECT_EQ(p.GetSection(), nullptr);
}

// What a stream means: its plain text, the character format at every position, and the field marks
// with the position they stand before.
struct TMeaning {
    std::string Plain;
    std::vector<std::vector<int32_t>> Formats;
    std::vector<std::string> Marks;
    bool operator==(const TMeaning&) const = default;
};

TMeaning MeaningOf(const TMemory& text)
{
    TMeaning m;
    TCharFormat f = DefaultCharFormat();
    const uint8_t* s = text.Data();
    for (int32_t pos = 0; pos < text.Size();) {
        const bool tag = s[pos] == 0;
        const int code = tag ? TagCode(s + pos) : -1;
        if (tag && IsFormatTag(code)) {
            f[code] = TagValue(s + pos);
        } else if (tag && IsFieldMark(code)) {
            m.Marks.push_back(std::to_string(m.Plain.size()) + ":" + std::to_string(code) + ":" +
                              std::to_string(TagValue(s + pos)));
        } else {
            m.Plain +=
                tag ? static_cast<char>(PlainByteOfTag(code, TagValue(s + pos))) : static_cast<char>(s[pos]);
            m.Formats.emplace_back(f.F, f.F + CharFormatFieldCount);
        }
        pos += tag ? InlineTagSize : 1;
    }
    return m;
}

// In every run of tags between two counted items: field marks first, at most one tag per field, and
// no tag that sets the value already in force at the run's start.
void ExpectCanonical(const TMemory& text)
{
    TCharFormat f = DefaultCharFormat();
    TCharFormat runStart = f;
    std::vector<bool> seen(CharFormatFieldCount);
    bool formatSeen = false;
    const uint8_t* s = text.Data();
    for (int32_t pos = 0; pos < text.Size();) {
        const int code = s[pos] == 0 ? TagCode(s + pos) : -1;
        if (code >= 0 && IsFormatTag(code)) {
            EXPECT_FALSE(seen[code]) << "two tags for field " << code << " at " << pos;
            seen[code] = true;
            formatSeen = true;
            f[code] = TagValue(s + pos);
            EXPECT_NE(f[code], runStart[code]) << "tag without effect at " << pos;
        } else if (code >= 0 && IsFieldMark(code)) {
            EXPECT_FALSE(formatSeen) << "field mark after a format tag at " << pos;
        } else {
            runStart = f;
            seen.assign(CharFormatFieldCount, false);
            formatSeen = false;
        }
        pos += code >= 0 ? InlineTagSize : 1;
    }
}

TEST(ParagraphTags, NormalizingKeepsTheMeaning)
{
    std::mt19937 rng(20240601);
    const int formatFields[] = {cfSize, cfBold, cfItalic, cfColor};
    const int32_t values[][3] = {{20, 24, 28}, {0, 1, 0}, {0, 1, 1}, {0, 6, 2}};
    for (int round = 0; round < 2000; ++round) {
        std::string notation;
        const int items = static_cast<int>(rng() % 24);
        for (int i = 0; i < items; ++i) {
            const unsigned kind = rng() % 10;
            if (kind < 5) {
                const int k = static_cast<int>(rng() % 4);
                notation +=
                    "{" + std::to_string(formatFields[k]) + ":" + std::to_string(values[k][rng() % 3]) + "}";
            } else if (kind < 7) {
                notation += "{" + std::to_string(26 + rng() % 2) + ":" + std::to_string(rng() % 4) + "}";
            } else if (kind < 9) {
                notation += static_cast<char>('a' + rng() % 3);
            } else {
                notation += rng() % 2 ? "{22:7}" : "{24:1}";
            }
        }
        notation += rng() % 2 ? "{22:2}" : "{23:1}";
        for (int i = static_cast<int>(rng() % 3); i > 0; --i)
            notation += rng() % 2 ? "{27:1}" : "{3:1}";

        TParagraph p(nullptr);
        SetTaggedText(p, notation);
        const TMeaning before = MeaningOf(p.Text);
        p.NormalizeTags();
        const TMeaning after = MeaningOf(p.Text);
        EXPECT_EQ(after.Plain, before.Plain) << notation;
        // Field marks keep their order and the position they stand before.
        EXPECT_EQ(after.Marks, before.Marks) << notation;
        // Every position keeps its format (the format after the end mark is of no use).
        EXPECT_EQ(after.Formats, before.Formats) << notation;
        ExpectCanonical(p.Text);
        const std::string once = Bytes(p.Text);
        p.NormalizeTags();
        EXPECT_EQ(Bytes(p.Text), once) << notation;
        if (HasFailure())
            break;
    }
}

// Any bytes at all, as a damaged file may leave them: no operation reads outside the stream.
TEST(ParagraphTags, ArbitraryBytesAreSafe)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        std::string s(rng() % 40, '\0');
        for (char& c : s)
            c = static_cast<char>(rng() % 4 == 0 ? 0 : rng() % 40);
        TParagraph p(nullptr);
        p.Text.Assign(s.data(), static_cast<int32_t>(s.size()));
        p.UpdatePlainText();
        for (int32_t n = -1; n <= p.PlainText.Size(); ++n)
            EXPECT_LE(p.CharToStreamOffset(n), p.Text.Size());
        TCharFormat f{};
        p.GetLeadingCharFormat(f);
        p.GetSection();
        p.NormalizeTags();
        EXPECT_LE(p.Text.Size(), static_cast<int32_t>(s.size()));
    }
}

} // namespace
