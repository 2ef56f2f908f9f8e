// The paragraph store: tagged text with its plain mirror, offsets, lines, the format pool and snapshots.
#include <gtest/gtest.h>

#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/TagTargets.h"
#include "tagged_text.h"

using qptest::Bytes;
using qptest::DescribeTagged;
using qptest::SetTaggedText;

namespace {

TEST(Paragraph, PlainTextMirrorsTheStream)
{
    TDocument doc;
    doc.Paragraphs.push_back(std::make_unique<TParagraph>(&doc));
    TParagraph& p = *doc.Paragraphs[0];
    EXPECT_EQ(p.Document, &doc);
    EXPECT_EQ(p.Text.Size(), 0);
    EXPECT_EQ(p.PlainText.Size(), 0);
    EXPECT_EQ(p.LineCount(), 0);
    EXPECT_FALSE(p.GetNormalized());
    EXPECT_FALSE(p.GetLaidOut());

    // Format tags and field marks take no position; special characters, pictures, objects and the
    // section mark take one each, with their own plain byte.
    SetTaggedText(p, "{1:20}Ab{26:4}{22:7}c{27:4}{24:9}{25:9}{22:10}d{3:1}{23:5}");
    EXPECT_EQ(Bytes(p.PlainText), std::string("Ab\x07"
                                              "c\x08\x09\x0A"
                                              "d\x03"));
    // The same stream built with the byte buffer's own tag writers.
    TParagraph q(&doc);
    AppendInlineTag(q.Text, 22, 2);
    q.Text.Append("xy", 2);
    InsertInlineTag(q.Text, 0, 2, 1);
    q.UpdatePlainText();
    EXPECT_EQ(DescribeTagged(q.Text), "{2:1}{22:2}xy");
    EXPECT_EQ(Bytes(q.PlainText), "\x02xy");
}

TEST(Paragraph, CharToStreamOffsetLandsAfterZeroWidthTags)
{
    TParagraph p(nullptr);
    SetTaggedText(p, "{2:1}ab{3:1}{26:1}c{22:7}d{22:2}");
    // Stream: [0]{2:1} [8]a [9]b [10]{3:1} [18]{26:1} [26]c [27]{22:7} [35]d [36]{22:2}
    const struct {
        int32_t n, offset;
    } cases[] = {
        {-5, 8}, {0, 8}, {1, 9}, {2, 26}, {3, 27}, {4, 35}, {5, 36}, {6, 36}, {1000, 36},
    };
    for (const auto& c : cases)
        EXPECT_EQ(p.CharToStreamOffset(c.n), c.offset) << "character " << c.n;

    TParagraph empty(nullptr);
    EXPECT_EQ(empty.CharToStreamOffset(3), 0);
}

// Lines of the given lengths over the paragraph's plain text.
void SetLines(TParagraph& p, std::initializer_list<int32_t> counts)
{
    p.Lines.clear();
    int32_t first = 0;
    for (int32_t count : counts) {
        auto line = std::make_unique<TParLine>(&p);
        line->FirstChar = first;
        line->CharCount = count;
        line->LineIndex = p.LineCount();
        first += count;
        p.Lines.push_back(std::move(line));
    }
}

TEST(Paragraph, LineAtOffsetChoosesAtWrapPoints)
{
    TParagraph p(nullptr);
    EXPECT_EQ(p.LineAtOffset(0, 0, 0), 0);
    // Lines "aaa " "bbb{5}" "ccc " "dd{2}": line 1 ends with a line break.
    SetTaggedText(p, "aaa bbb{22:5}ccc dd{22:2}");
    SetLines(p, {4, 4, 4, 3});
    const struct {
        int32_t offset, hint, flags, line;
    } cases[] = {
        {0, 0, 0, 0},  {5, 0, 0, 1},
        {14, 0, 0, 3}, {99, 0, 0, 3},         // past the end: the last line probed
        {12, 2, 0, 2},                        // start of line 3 after hint 2: end of line 2
        {12, 2, 1, 2}, {12, 3, 0, 3},         // the hint is line 3 itself
        {8, 0, 0, 2},                         // line 1 ends with a forced break: start of line 2
        {8, 0, 1, 1},                         // unless the end is asked for
        {4, 0, 0, 0},  {4, 2147483647, 0, 1}, // a very large hint always gives the next line's start
    };
    for (const auto& c : cases)
        EXPECT_EQ(p.LineAtOffset(c.offset, c.hint, c.flags), c.line)
            << "offset " << c.offset << " hint " << c.hint << " flags " << c.flags;
}

TEST(Paragraph, FormatPoolStoresDifferencesFromTheDefault)
{
    TParagraph p(nullptr);
    EXPECT_EQ(p.StoreCharFormat(DefaultCharFormat()), -1);
    EXPECT_EQ(p.FormatPool.Size(), 0);

    TCharFormat f = DefaultCharFormat();
    f[cfSize] = 20 * 8; // lines keep sizes multiplied by 8
    f[cfColor] = -2;
    const int32_t first = p.StoreCharFormat(f);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(p.FormatPool.Size(), 11);
    // Field 1 = 160, field 14 = -2, little-endian, then the end byte 29.
    EXPECT_EQ(Bytes(p.FormatPool), std::string("\x01\xA0\0\0\0\x0E\xFE\xFF\xFF\xFF\x1D", 11));

    TCharFormat g = DefaultCharFormat();
    g[cfBold] = 1;
    g[cfSize] = 21 * 8 + 4; // 21.5 half-points: halves go away from zero
    const int32_t second = p.StoreCharFormat(g);
    EXPECT_EQ(second, 11);

    TCharFormat out{};
    p.LoadCharFormat(first, out);
    TCharFormat expected = f;
    expected[cfSize] = 20;
    EXPECT_TRUE(CharFormatsEqual(out, expected));
    p.LoadCharFormat(second, out);
    EXPECT_EQ(out[cfSize], 22);
    EXPECT_EQ(out[cfBold], 1);
    EXPECT_EQ(out[cfColor], 0); // the first entry does not leak into the second
    p.LoadCharFormat(-1, out);
    EXPECT_EQ(out[cfSize], 3); // the default's 24 read as a size times 8
    g[cfSize] = -(21 * 8 + 4);
    p.LoadCharFormat(p.StoreCharFormat(g), out);
    EXPECT_EQ(out[cfSize], -22);
}

TEST(Paragraph, LeadingCharFormat)
{
    TParagraph p(nullptr);
    TCharFormat f{};
    p.GetLeadingCharFormat(f);
    EXPECT_TRUE(CharFormatsEqual(f, DefaultCharFormat()));

    SetTaggedText(p, "{1:20}{26:3}{2:1}{1:28}ab{3:1}{22:2}");
    p.GetLeadingCharFormat(f);
    TCharFormat expected = DefaultCharFormat();
    expected[cfSize] = 28;
    expected[cfBold] = 1;
    EXPECT_TRUE(CharFormatsEqual(f, expected)); // the italic tag after the text is not leading
}

TEST(Paragraph, GetSectionFindsTheEndingSectionMark)
{
    int section = 0; // stands for a TSection: the paragraph only hands the pointer back
    const int32_t handle = RegisterTagTarget(TTagTargetKind::Section, &section);
    const std::string h = std::to_string(handle);
    const struct {
        std::string text;
        bool isSection;
    } cases[] = {
        {"ab{22:2}{27:" + h + "}", false}, {"ab{23:" + h + "}{27:1}{26:1}", true},
        {"ab{23:" + h + "}", true},        {"ab{23:" + h + "}{2:1}", false}, // a format tag is the last tag
        {"{23:" + h + "}ab", false},       {"", false},
    };
    for (const auto& c : cases) {
        TParagraph p(nullptr);
        SetTaggedText(p, c.text);
        EXPECT_EQ(p.GetSection(), c.isSection ? reinterpret_cast<TSection*>(&section) : nullptr) << c.text;
    }
    TParagraph p(nullptr);
    SetTaggedText(p, "ab{23:" + h + "}");
    ReleaseTagTarget(handle);
    EXPECT_EQ(p.GetSection(), nullptr); // a released section is no longer reached
}

TEST(Paragraph, SnapshotTakesTheLinesAndGivesThemBack)
{
    TParagraph p(nullptr);
    SetTaggedText(p, "{2:1}abc{22:2}");
    p.NormalizeTags();
    p.SetLaidOut(true);
    SetLines(p, {2, 2});
    TParLine* firstLine = p.Lines[0].get();
    p.StoreCharFormat(DefaultBoldCharFormat());
    EXPECT_FALSE(p.IsOnPage());

    TParagraphSnapshot snapshot;
    p.SaveSnapshot(snapshot);
    EXPECT_EQ(p.LineCount(), 0);
    EXPECT_FALSE(p.GetLaidOut());
    EXPECT_TRUE(p.GetNormalized());

    // A trial layout changes the paragraph; restoring puts everything back.
    SetTaggedText(p, "xyz{22:2}");
    SetLines(p, {4});
    p.FormatPool.Clear();
    p.SetNormalized(false);
    p.RestoreSnapshot(snapshot);
    EXPECT_EQ(DescribeTagged(p.Text), "{2:1}abc{22:2}");
    EXPECT_EQ(Bytes(p.PlainText), "abc\x02");
    EXPECT_EQ(p.FormatPool.Size(), 6);
    EXPECT_EQ(p.LineCount(), 2);
    EXPECT_EQ(p.Lines[0].get(), firstLine);
    EXPECT_TRUE(p.GetLaidOut());
    EXPECT_TRUE(p.GetNormalized());

    // On a page once laid out with its first line placed.
    p.Lines[0]->Page = reinterpret_cast<TPage*>(&snapshot);
    EXPECT_TRUE(p.IsOnPage());
    p.SetLaidOut(false);
    EXPECT_FALSE(p.IsOnPage());
    p.Lines[0]->Page = nullptr; // no real page: a line leaves the page that shows it when freed
}

TEST(Paragraph, SpellCheckRangeAndMarks)
{
    TParagraph p(nullptr);
    SetTaggedText(p, "Un mot fautif ici{22:2}");
    int32_t generation = 0; // the spell checker's check generation
    EXPECT_FALSE(p.IsRangeSpellChecked(0, 2, generation));
    p.AddMisspelling(3, 6, 0xFF); // nothing is checked yet
    EXPECT_TRUE(p.Misspellings.empty());

    p.ExtendSpellCheckRange(3, 13, generation);
    EXPECT_TRUE(p.IsRangeSpellChecked(3, 13, generation));
    EXPECT_FALSE(p.IsRangeSpellChecked(0, 6, generation));
    p.AddMisspelling(7, 13, 0xFF);
    p.AddMisspelling(7, 13, 0x800000); // same start and end: once only
    p.AddMisspelling(12, 15, 0xFF);    // reaches outside the checked range
    ASSERT_EQ(p.Misspellings.size(), 1u);
    EXPECT_EQ(p.Misspellings[0].Kind, 0xFF);

    p.ExtendSpellCheckRange(0, 2, generation); // widened to cover both
    EXPECT_TRUE(p.IsRangeSpellChecked(0, 13, generation));
    EXPECT_EQ(p.Misspellings.size(), 1u);

    // New settings or lexicons: the marks and the checked range no longer hold.
    generation += 1;
    EXPECT_FALSE(p.IsRangeSpellChecked(3, 6, generation));
    p.ExtendSpellCheckRange(14, 17, generation);
    EXPECT_TRUE(p.Misspellings.empty());
    EXPECT_FALSE(p.IsRangeSpellChecked(0, 13, generation));
    EXPECT_TRUE(p.IsRangeSpellChecked(14, 17, generation));
}

} // namespace
