// Line breaking over the fixed-proportion font device: every character of a 12-point font is 64 layout
// units (8 screen pixels) wide, so where lines break and where characters stand can be told exactly.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Fonts.h"
#include "core/Kerning.h"
#include "core/TabTables.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/LineBuilder.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "layout_support.h"
#include "tagged_text.h"

using qptest::LineTexts;

namespace {

// Twips of N characters of the 12-point fixed font (8 pixels, 120 twips each).
constexpr int32_t Chars(int32_t n)
{
    return n * 120;
}

class LineBreaking : public qptest::FixedFontTest {
protected:
    TParagraph& Break(const std::string& notation, int32_t width = Chars(12))
    {
        return FixedFontTest::Break(notation, width);
    }
    std::vector<int32_t> X(int line) { return Boundaries(line); }
};

} // namespace

TEST_F(LineBreaking, WhereLinesBreak)
{
    struct TCase {
        const char* Text;
        int32_t Width;
        std::vector<std::string> Lines;
    };
    const TCase cases[] = {
        // Twelve characters fit; the word that does not goes to the next line whole.
        {"aaa bbb ccc ddd{22:2}", Chars(12), {"aaa bbb ccc ", "ddd|"}},
        // Up to two spaces hang past the limit; the third starts the next line.
        {"aaaaaaaaaaaa   b{22:2}", Chars(12), {"aaaaaaaaaaaa  ", " b|"}},
        // A word longer than the line is cut at the first character that does not fit.
        {"aaaaaaaaaaaaaaaa{22:2}", Chars(12), {"aaaaaaaaaaaa", "aaaa|"}},
        // A character wider than the whole line stands alone on its line.
        {"ab{22:2}", 30, {"a", "b|"}},
        // Hyphens, dashes and optional hyphens are break characters; a non-breaking hyphen is not.
        {"aaaaa-bbbbbbbb{22:2}", Chars(12), {"aaaaa-", "bbbbbbbb|"}},
        {"aaaaa{22:11}bbbbbbbb{22:2}", Chars(12), {"aaaaa_bbbbbb", "bb|"}},
        {"aaaaaaa{22:14}bbbbbbbb{22:2}", Chars(12), {"aaaaaaa~", "bbbbbbbb|"}},
        {"aaaaaa{22:13}bbbbbbbb{22:2}", Chars(12), {"aaaaaa=", "bbbbbbbb|"}},
        // Forced breaks end their line whatever room is left.
        {"ab{22:5}cd{22:6}ef{22:4}gh{22:2}", Chars(12), {"ab/", "cd#", "ef%", "gh|"}},
        // The paragraph mark never wraps.
        {"aaaaaaaaaaaa{22:2}", Chars(12), {"aaaaaaaaaaaa|"}},
        // A paragraph always has a line.
        {"{22:2}", Chars(12), {"|"}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(LineTexts(Break(c.Text, c.Width)), c.Lines) << c.Text;
}

TEST_F(LineBreaking, BoundariesAndMetrics)
{
    TParagraph& p = Break("ab{1:48}cd{22:2}");
    ASSERT_EQ(p.LineCount(), 1);
    // 12 points: 64 units a character; 24 points: 128.
    EXPECT_EQ(X(0), (std::vector<int32_t>{0, 64, 128, 256, 384, 512}));
    // Ascent and descent of the largest font, in pixels: 24 points is a 256-unit em on this device.
    EXPECT_EQ(Line(0).Ascent, (256 * 4 / 5 + 32 + 4) / 8);
    EXPECT_EQ(Line(0).Descent, (256 - 256 * 4 / 5 + 16 + 4) / 8);
    EXPECT_EQ(Line(0).Height, Line(0).Ascent + Line(0).Descent); // single spacing
    EXPECT_EQ(Line(0).StreamOffset, 0);
    EXPECT_EQ(Line(0).StreamLength, p.Text.Size());
    // The line's start format is kept in the pool, sizes in eighths.
    TCharFormat start;
    p.LoadCharFormat(Line(0).FormatAtStart, start);
    EXPECT_EQ(start[cfSize], 24);

    TParagraph& q = Break("aaa bbb {1:48}cc{22:2}", Chars(10));
    ASSERT_EQ(q.LineCount(), 2);
    // The second line starts with the size that was in force at its first byte.
    q.LoadCharFormat(Line(1).FormatAtStart, start);
    EXPECT_EQ(start[cfSize], 24);
    EXPECT_EQ(LineTexts(q), (std::vector<std::string>{"aaa bbb ", "cc|"}));
    // The first line is measured without the larger font that only the second line uses.
    EXPECT_EQ(Line(0).Ascent, (128 * 4 / 5 + 16 + 4) / 8);
}

TEST_F(LineBreaking, TabStopsOfEveryKind)
{
    TTabTable table;
    table.AddTab(PackTabStop(1440, tkCenter, tlDots));
    const int centre = Doc->TabManager->RegisterTabTable(table);
    table.Clear();
    table.AddTab(PackTabStop(1440, tkRight, tlHyphens));
    const int right = Doc->TabManager->RegisterTabTable(table);
    table.Clear();
    table.AddTab(PackTabStop(1440, tkDecimal, tlUnderline));
    const int decimal = Doc->TabManager->RegisterTabTable(table);

    // Default stops every 720 twips (384 units).
    Break("a{22:7}b{22:2}", Chars(24));
    EXPECT_EQ(X(0), (std::vector<int32_t>{0, 64, 384, 448, 512}));

    Format()[pfTabTable] = centre;
    TParagraph& p = Break("{22:7}abc{22:2}", Chars(24));
    EXPECT_EQ(X(0), (std::vector<int32_t>{0, 672, 736, 800, 864, 928})); // centred on 768
    EXPECT_EQ(p.Text.Data()[2], tkCenter + 16 * tlDots);                 // kind and leader for drawing
    // Text wider than twice the distance to the stop stays where it is.
    Break("aaaaaaaaaa{22:7}aaaaaaaaaa{22:2}", Chars(36));
    EXPECT_EQ(X(0)[11], 640);

    Format()[pfTabTable] = right;
    TParagraph& r = Break("{22:7}abc{22:2}", Chars(24));
    EXPECT_EQ(X(0), (std::vector<int32_t>{0, 576, 640, 704, 768, 832}));
    EXPECT_EQ(r.Text.Data()[2], tkRight + 16 * tlHyphens);

    Format()[pfTabTable] = decimal;
    Break("{22:7}12,5{22:2}", Chars(24));
    EXPECT_EQ(X(0)[3], 768); // the decimal comma stands at the stop
    // Without the separator a decimal stop aligns to the right.
    Break("{22:7}125{22:2}", Chars(24));
    EXPECT_EQ(X(0)[4], 768);

    // A tab at the very start of a line on its stop goes on to the next stop.
    Format()[pfTabTable] = -1;
    Format()[pfLeftIndent] = 720;
    Break("{22:7}a{22:2}", Chars(24));
    EXPECT_EQ(X(0), (std::vector<int32_t>{384, 768, 832, 896}));
    // A hanging indent is a stop of its own.
    Format()[pfLeftIndent] = 1080;
    Format()[pfFirstIndent] = -1080;
    Break("1.{22:7}a{22:2}", Chars(24));
    EXPECT_EQ(X(0)[3], 576);
}

TEST_F(LineBreaking, Alignment)
{
    Format()[pfAlignment] = 1;
    Break("abc{22:2}");
    EXPECT_EQ(X(0)[0], (768 - 192) / 2);
    Format()[pfAlignment] = 2;
    Break("abc  {22:2}");
    EXPECT_EQ(X(0)[3], 768); // trailing spaces do not count
    Format()[pfAlignment] = 3;
    Break("aa bb cc dddd eee{22:2}");
    // "aa bb cc dddd" is 13 characters: the line ends after "cc ", and the 4 characters left free
    // (the trailing space does not count) are shared by the two spaces inside it.
    EXPECT_EQ(LineTexts(*Doc->Paragraphs[0]), (std::vector<std::string>{"aa bb cc ", "dddd eee|"}));
    EXPECT_EQ(X(0), (std::vector<int32_t>{0, 64, 128, 320, 384, 448, 640, 704, 768, 832}));
    EXPECT_EQ(X(1)[0], 0); // the last line is not justified
    // Nor is a line ended by a line break.
    Break("aa bb{22:5}cc{22:2}");
    EXPECT_EQ(X(0)[3], 192);
}

TEST_F(LineBreaking, IndentsAndBullets)
{
    Format()[pfLeftIndent] = 240;
    Format()[pfFirstIndent] = 120;
    Format()[pfRightIndent] = 240;
    // 12 characters less 4 of indents: 8 fit on lines after the first, 7 on the first.
    Break("aaaaaaaaaaaaaaaaaaaa{22:2}");
    EXPECT_EQ(LineTexts(*Doc->Paragraphs[0]), (std::vector<std::string>{"aaaaaaa", "aaaaaaaa", "aaaaa|"}));
    EXPECT_EQ(X(0)[0], 192);
    EXPECT_EQ(X(1)[0], 128);

    // A bullet takes at least 270 twips before the text.
    Format()[pfLeftIndent] = 0;
    Format()[pfFirstIndent] = 0;
    Format()[pfRightIndent] = 0;
    Format()[pfBullets] = 1;
    Break("ab{22:2}");
    EXPECT_EQ(X(0)[0], 144);
}

TEST_F(LineBreaking, LineSpacingAndParagraphSpace)
{
    Break("a{22:2}");
    const int32_t natural = Line(0).Height;
    EXPECT_EQ(natural, 15 + 4);
    Format()[pfLineSpacing] = 360; // one and a half lines
    Break("a{22:2}");
    EXPECT_EQ(Line(0).Height, natural + 19 / 2 + 1);
    Format()[pfLineSpacing] = 480;
    Break("a{22:2}");
    EXPECT_EQ(Line(0).Height, 2 * natural);
    Format()[pfSpacingRule] = 0;
    Format()[pfLineSpacing] = -360; // exactly 18 points
    Break("a{22:2}");
    EXPECT_EQ(Line(0).Height, 24);
    Format()[pfLineSpacing] = -120; // exactly 6 points: the line overflows its box
    Break("a{22:2}");
    EXPECT_EQ(Line(0).Height, 8);
    EXPECT_EQ(Line(0).Overhang, 1);
    Format()[pfLineSpacing] = 480; // at least 24 points
    Break("a{22:2}");
    EXPECT_EQ(Line(0).Height, 32);
    Format()[pfLineSpacing] = 120; // at least 6 points: the natural height stands
    Break("a{22:2}");
    EXPECT_EQ(Line(0).Height, natural);

    Format()[pfSpacingRule] = 1;
    Format()[pfLineSpacing] = 240;
    Format()[pfSpaceBefore] = 240;
    Format()[pfSpaceAfter] = 120;
    Break("aaa bbb ccc ddd{22:2}");
    EXPECT_EQ(Line(0).Height, natural + 16);
    EXPECT_EQ(Line(1).Height, natural + 8);
    EXPECT_EQ(Line(0).GetSpaceBefore(), 16);
    EXPECT_EQ(Line(1).GetSpaceBefore(), 0);
}

TEST_F(LineBreaking, PageBreaks)
{
    // Alone on a left-aligned line, a page break spans the rest of the line; centred it is 150 units.
    Break("{22:6}abc{22:2}");
    EXPECT_EQ(X(0), (std::vector<int32_t>{0, 768}));
    Format()[pfAlignment] = 1;
    Break("{22:6}abc{22:2}");
    EXPECT_EQ(X(0)[1] - X(0)[0], 150);
    // The line after a lone page break at the start of a paragraph keeps the first-line indent and
    // the space before.
    Format()[pfAlignment] = 0;
    Format()[pfFirstIndent] = 240;
    Format()[pfSpaceBefore] = 240;
    Break("{22:6}abc{22:2}");
    EXPECT_EQ(X(1)[0], 128);
    EXPECT_EQ(Line(0).GetSpaceBefore(), 0);
    EXPECT_EQ(Line(1).GetSpaceBefore(), 16);
}

TEST_F(LineBreaking, OptionalHyphenShowsOnlyAtTheLineEnd)
{
    Break("ab{22:14}cd{22:2}");
    EXPECT_EQ(X(0), (std::vector<int32_t>{0, 64, 128, 128, 192, 256, 320}));
    Break("aaaaaaaaaa{22:14}bbbbbb{22:2}");
    EXPECT_EQ(LineTexts(*Doc->Paragraphs[0]), (std::vector<std::string>{"aaaaaaaaaa~", "bbbbbb|"}));
    EXPECT_EQ(X(0)[11], 640 + 64); // the hyphen's width is added at the end
}

TEST_F(LineBreaking, KerningOnAndOff)
{
    Break("To{22:2}");
    EXPECT_EQ(X(0)[2], 128);
    // Kerning from 1 point up: "T" and "o" come 16 units closer.
    Break("{20:2}To{22:2}");
    EXPECT_EQ(X(0), (std::vector<int32_t>{0, 48, 112, 176}));
    // Below the kerning threshold (here 14 points) nothing moves.
    Break("{20:28}To{22:2}");
    EXPECT_EQ(X(0)[2], 128);
}

TEST_F(LineBreaking, CharacterEffects)
{
    // Letter spacing of 15 twips adds one pixel a character; capitals stand for small letters.
    Break("{18:15}ab{22:2}");
    EXPECT_EQ(X(0)[2], 2 * 72);
    Break("{8:1}aB{22:2}");
    // Small capitals: the small letter in the 80 % font, the capital at full size.
    EXPECT_EQ(X(0), (std::vector<int32_t>{0, 51, 115, 166})); // the mark in the small font
    // A decoration marks the line as drawing outside its box.
    Break("a{6:1}b{6:0}{22:2}");
    EXPECT_EQ(Line(0).Overhang, 1);
    Break("ab{22:2}");
    EXPECT_EQ(Line(0).Overhang, 0);
}

TEST_F(LineBreaking, ObjectsStandInTheText)
{
    // A picture 1 inch wide and half an inch high, drawn at 50 % of its width.
    TDocPicture picture(Doc.get());
    picture.Width = 1440;
    picture.Height = 720;
    picture.ScaleX = 50;
    const std::string tag = "{24:" + std::to_string(picture.Handle) + "}";
    Break("a" + tag + "b{22:2}");
    EXPECT_EQ(LineTexts(*Doc->Paragraphs[0]), (std::vector<std::string>{"a*b|"}));
    EXPECT_EQ(X(0), (std::vector<int32_t>{0, 64, 448, 512, 576}));
    EXPECT_EQ(Line(0).Ascent, 48);     // the picture's height
    EXPECT_EQ(Line(0).TextAscent, 15); // the text's own
    // Too wide for what is left of the line, the picture goes to the next one.
    Break("aaaaaaaa" + tag + "{22:2}");
    EXPECT_EQ(LineTexts(*Doc->Paragraphs[0]), (std::vector<std::string>{"aaaaaaaa", "*|"}));
}

TEST_F(LineBreaking, RelayoutKeepsALineThatStillFits)
{
    TParagraph& p = Break("aaa bbb ccc ddd{22:2}");
    ASSERT_EQ(p.LineCount(), 2);
    TParLine& first = *p.Lines[0];
    const int32_t height = first.Height;
    EXPECT_TRUE(first.Relayout());
    EXPECT_EQ(first.CharCount, 12);
    EXPECT_EQ(first.Height, height);
    // Larger text no longer fills the line's extent as it did: the old measures stand.
    qptest::SetTaggedText(p, "{1:48}aa bbb ccc ddd{22:2}");
    const std::vector<int32_t> before = X(0);
    EXPECT_FALSE(first.Relayout());
    EXPECT_EQ(X(0), before);
    EXPECT_EQ(first.CharCount, 12);
}

TEST_F(LineBreaking, FieldResultsAndExactSpacingOverlap)
{
    // A note reference shows its number in one character cell as wide as the number's text.
    TField note;
    note.Kind = fkNoteReference;
    note.AutoNumbered = 1;
    note.Result = "12";
    Break("a{26:" + std::to_string(note.Handle) + "}{22:15}{27:" + std::to_string(note.Handle) + "}b{22:2}");
    EXPECT_EQ(X(0), (std::vector<int32_t>{0, 64, 192, 256, 320}));
    EXPECT_EQ(Line(0).FieldRefs[1], &note);
    EXPECT_EQ(Line(0).Overhang, 1);
    // Without a note reference around it the cell shows "?".
    Break("a{22:15}b{22:2}");
    EXPECT_EQ(X(0)[2], 128);

    // Lines cut by exact spacing overlap the line before them.
    Format()[pfSpacingRule] = 0;
    Format()[pfLineSpacing] = -120;
    Break("aaa bbb ccc ddd{22:2}");
    EXPECT_EQ(Line(0).Overhang, 1);
    EXPECT_EQ(Line(1).Overhang, 1);
}
