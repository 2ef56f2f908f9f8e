// Line breaking measured on the real graphics interface with the Liberation faces that stand in for
// Times New Roman, Arial and Courier New. A 12-point font is made with a 128-pixel em (eight times the
// screen size): a character's width is its design advance (2048 units to the em) times 128 / 2048,
// rounded, so that where lines break can be worked out from the faces' metrics tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Fonts.h"
#include "core/TabTables.h"
#include "document/LineBuilder.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "layout_support.h"
#include "tagged_text.h"

using qptest::LineTexts;

namespace {

// Tags selecting the three faces by their registered index.
const char* const Serif = "{0:0}";
const char* const Sans = "{0:1}";
const char* const Mono = "{0:3}";

class GdiLineBreaking : public qptest::SystemFontTest {
protected:
    void SetUp() override
    {
        SystemFontTest::SetUp();
        ASSERT_EQ(GetFontManager().RegisterFont("Courier New", AnsiCharset, 0), 3);
    }
    TParagraph& Break(const std::string& notation, int32_t width = 2880)
    {
        return SystemFontTest::Break(notation, width);
    }
};

// Design advances at a 128-pixel em.
int32_t At128(int32_t units)
{
    return (units * 128 + 1024) / 2048;
}

const std::string Sentence = "Le petit chat dort sur le canapé du salon, près de la fenêtre ouverte.{22:2}";

} // namespace

TEST_F(GdiLineBreaking, WhereLinesBreak)
{
    struct TCase {
        std::string Text;
        int32_t Width;
        std::vector<std::string> Lines;
    };
    const TCase cases[] = {
        // Two inches (1536 units) of 12-point text in each face.
        {Serif + Sentence,
         2880,
         {"Le petit chat dort sur le ", "canapé du salon, près de la ", "fenêtre ouverte.|"}},
        {Sans + Sentence,
         2880,
         {"Le petit chat dort sur le ", "canapé du salon, près de ", "la fenêtre ouverte.|"}},
        {Mono + Sentence,
         2880,
         {"Le petit chat dort ", "sur le canapé du ", "salon, près de la ", "fenêtre ouverte.|"}},
        // A word longer than the line is cut.
        {"anticonstitutionnellement{22:2}", 1440, {"anticonstitutio", "nnellement|"}},
        // 10 points, accents, ligature and guillemets.
        {"{1:20}Un été très chaud à Montréal : l'œuvre de Molière, « Le Misanthrope », jouée à guichets "
         "fermés.{22:2}",
         2880,
         {"Un été très chaud à Montréal : ", "l'œuvre de Molière, « Le ", "Misanthrope », jouée à guichets ",
          "fermés.|"}},
        // Mixed sizes and faces: "Le " 167 units, "GRAND" at 24 points 911, " chat " 278, and "noir" in
        // Arial 213 do not fit in 1536.
        {"Le {1:48}GRAND{1:24} chat {0:1}noir{0:0} et le petit chien blanc.{22:2}",
         2880,
         {"Le GRAND chat ", "noir et le petit chien blanc.|"}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(LineTexts(Break(c.Text, c.Width)), c.Lines) << c.Text;
}

TEST_F(GdiLineBreaking, WidthsAndHeightsOfTheFaces)
{
    Break("Le{22:2}");
    EXPECT_EQ(X(0, 1), At128(1251)); // "L"
    EXPECT_EQ(X(0, 2), At128(1251) + At128(909));
    // Times New Roman 12 points: ascent 114 and descent with leading 33 units of the 128-unit em.
    EXPECT_EQ(Line(0).Ascent, 14);
    EXPECT_EQ(Line(0).Descent, 4);
    EXPECT_EQ(Line(0).Height, 18);
    Break(std::string(Sans) + "Le{22:2}");
    EXPECT_EQ(X(0, 2), At128(1139) + At128(1139));
    EXPECT_EQ(Line(0).Height, 19);
    Break("{1:48}Le{22:2}");
    EXPECT_EQ(X(0, 1), At128(2 * 1251));
    EXPECT_EQ(Line(0).Height, 29 + 8); // 228 and 66 units of a 256-unit em
}

TEST_F(GdiLineBreaking, TabsWithLeadersAndAlignment)
{
    TTabTable table;
    table.AddTab(PackTabStop(720, tkLeft, tlNone));
    table.AddTab(PackTabStop(1440, tkCenter, tlDots));
    table.AddTab(PackTabStop(2160, tkDecimal, tlHyphens));
    table.AddTab(PackTabStop(2880, tkRight, tlUnderline));
    Format()[pfTabTable] = Doc->TabManager->RegisterTabTable(table);
    TParagraph& p = Break("a{22:7}b{22:7}mot{22:7}3,25{22:7}12{22:2}", 4320);
    ASSERT_EQ(p.LineCount(), 1);
    const int32_t mot = At128(1593) + At128(1024) + At128(569);
    EXPECT_EQ(X(0, 2), 384);                // left stop at half an inch
    EXPECT_NEAR(X(0, 4) + mot / 2, 768, 1); // "mot" centred on the inch
    EXPECT_EQ(X(0, 9), 1152);               // the decimal comma on 1.5 inch
    EXPECT_EQ(X(0, 15), 1536);              // "12" ends on 2 inches
    // Kinds and leaders are kept in the tabs for drawing.
    const uint8_t* s = p.Text.Data();
    EXPECT_EQ(s[1 + 2], tkLeft);
    EXPECT_EQ(s[1 + 8 + 1 + 2], tkCenter + 16 * tlDots);
    EXPECT_EQ(s[1 + 8 + 1 + 8 + 3 + 2], tkDecimal + 16 * tlHyphens);
    EXPECT_EQ(s[1 + 8 + 1 + 8 + 3 + 8 + 4 + 2], tkRight + 16 * tlUnderline);
}

TEST_F(GdiLineBreaking, AlignmentJustificationAndIndents)
{
    Format()[pfAlignment] = 1;
    Break(Sentence);
    // Each line is centred in the 1536 units less its trailing spaces and mark.
    EXPECT_NEAR(X(0, 0) * 2 + (X(0, 25) - X(0, 0)), 1536, 1);
    Format()[pfAlignment] = 2;
    Break(Sentence);
    EXPECT_EQ(X(1, 27), 1536); // "la" ends on the right edge, the space after it hangs
    Format()[pfAlignment] = 3;
    Break(Sentence);
    EXPECT_EQ(X(0, 0), 0);
    EXPECT_EQ(X(0, 25), 1536); // "le" ends on the right edge
    EXPECT_EQ(X(1, 27), 1536);
    EXPECT_EQ(X(2, 0), 0);
    EXPECT_EQ(X(2, 8) - X(2, 7), At128(512)); // the last line keeps its spaces
    Format()[pfAlignment] = 0;
    Format()[pfLeftIndent] = 720;
    Format()[pfFirstIndent] = -360;
    Format()[pfRightIndent] = 360;
    Break(Sentence);
    EXPECT_EQ(X(0, 0), 192);
    EXPECT_EQ(X(1, 0), 384);
    for (const auto& line : Doc->Paragraphs[0]->Lines)
        EXPECT_EQ(line->RightLimit, 1536 - 192);
}

TEST_F(GdiLineBreaking, LineSpacingKinds)
{
    const int32_t natural = 18;
    struct TCase {
        int32_t Rule, Spacing, Height;
    };
    const TCase cases[] = {
        {1, 240, natural},     // single
        {1, 360, natural + 9}, // one and a half: half the base height more
        {1, 480, 2 * natural}, // double
        {0, 480, 32},          // at least 24 points
        {0, 120, natural},     // at least 6 points: the natural height
        {0, -300, 20},         // exactly 15 points
    };
    for (const TCase& c : cases) {
        Format()[pfSpacingRule] = c.Rule;
        Format()[pfLineSpacing] = c.Spacing;
        Break(Sentence);
        EXPECT_EQ(Line(0).Height, c.Height) << c.Rule << " " << c.Spacing;
    }
    Format()[pfSpacingRule] = 1;
    Format()[pfLineSpacing] = 240;
    Format()[pfSpaceBefore] = 120;
    Format()[pfSpaceAfter] = 240;
    Break(Sentence);
    EXPECT_EQ(Line(0).Height, natural + 8);
    EXPECT_EQ(Line(1).Height, natural);
    EXPECT_EQ(Line(2).Height, natural + 16);
}

TEST_F(GdiLineBreaking, KerningOnAndOff)
{
    // Arial's pairs: "AV" -152 units, "To" -227 units (-9.5 and -14.2 at a 128-pixel em).
    Break(std::string(Sans) + "AVATAR Tout{22:2}");
    const int32_t plain = X(0, 6);
    EXPECT_EQ(plain, 4 * At128(1366) + At128(1251) + At128(1479));
    Break(std::string(Sans) + "{20:2}AVATAR Tout{22:2}");
    EXPECT_LT(X(0, 6), plain);
    EXPECT_EQ(X(0, 1), At128(1366) - 10);           // -9.5 pixels, rounded away from zero
    EXPECT_EQ(X(0, 8) - X(0, 7), At128(1251) - 14); // -14.2
    // Kerning only from its threshold up: 16 points asked, the text is 12.
    Break(std::string(Sans) + "{20:32}AVATAR Tout{22:2}");
    EXPECT_EQ(X(0, 6), plain);
}

// Japanese in the font of the Shift-JIS character set that the system gives for a face without it: each
// character measured whole on its lead byte: a full-width character is an em wide.
TEST_F(GdiLineBreaking, DoubleByteTextKeepsItsCharacterSetAndIsMeasuredWhole)
{
    const int f = GetFontManager().RegisterFont("Liberation Serif", 128, 0);
    TParagraph& p = Break("{0:" + std::to_string(f) + "}\x93\xfa\x82\xa0" + "a{22:2}");
    TCharFormat format = DefaultCharFormat();
    format[cfFont] = f;
    const TSelectedFont font = Doc->SelectFormatFont(format, sfLineBuilding);
    ASSERT_EQ(font.Font->Metrics.CharSet, 128);
    const int32_t wide = font.Font->PairWidth(0x93, 0xfa);
    EXPECT_GT(wide, font.Font->CharWidth('a'));
    const std::vector<int32_t> x = Boundaries(0);
    ASSERT_EQ(x.size(), 7u);
    EXPECT_EQ(x[1] - x[0], 128); // a full em, as the system measures the pair
    EXPECT_EQ(x[2], x[1]);
    EXPECT_EQ(x[4], x[3]);
    EXPECT_EQ(LineTexts(p), (std::vector<std::string>{"\x93\xfa\x82\xa0"
                                                      "a|"}));
}
