// The French descriptions of styles' formatting and the tests on built-in styles.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/runtime/Format.h"
#include "core/Fonts.h"
#include "core/Options.h"
#include "core/RecordUtils.h"
#include "core/Styles.h"
#include "core/TabTables.h"

namespace {

// Lengths in points, so that the texts do not depend on the user's unit.
class PointsUnit {
public:
    PointsUnit() : FSaved(CurrentOptions().General.Measurements)
    {
        CurrentOptions().General.Measurements = 2;
    }
    ~PointsUnit() { CurrentOptions().General.Measurements = FSaved; }

private:
    uint8_t FSaved;
};

std::string Comma(std::string s)
{
    for (char& c : s)
        if (c == ',')
            c = FormatSettings.DecimalSeparator;
    return s;
}

TStyle& Add(TStyleList& list, int32_t basedOn, const char* name = "")
{
    auto style = std::make_unique<TStyle>(&list);
    ClearCharFormatState(style->CharFormat);
    ClearParFormatState(style->ParaFormat);
    style->BasedOn = basedOn;
    style->DisplayName = name;
    TStyle& added = list.AddStyle(std::move(style));
    added.ParaFormat[pfStyle] = UndefinedField; // a style's own format leaves the style field unset
    return added;
}

std::string Describe(const TStyle& style, bool whole)
{
    std::string text = "stale";
    DescribeFormat(style, whole, text);
    return text;
}

} // namespace

TEST(StyleDescriptions, EachFieldAsWorded)
{
    PointsUnit unit;
    struct Case {
        bool Char;
        int Field;
        int32_t Value;
        const char* Text;
    };
    const Case cases[] = {
        {true, cfSize, 21, "taille de la police : 10,50 pt"},
        {true, cfBold, 0, "non gras"},
        {true, cfItalic, 2, "italique"},
        {true, cfStrike, 1, "barré"},
        {true, cfStrike, 0, "non barré"},
        {true, cfDoubleStrike, 1, "barré double"},
        {true, cfDoubleStrike, 0, ""},
        {true, cfUnderline, 11, "soulignage onduleux"},
        {true, cfUnderline, 99, ""}, // a kind the program does not know
        {true, cfUnderlineColor, 6, "couleur du soulignage : rouge"},
        {true, cfColor, 10, "couleur du texte : cyan foncé"},
        {true, cfColor, 17, "couleur du texte : standard"},
        {true, cfColor, 40, ""},
        {true, cfSmallCaps, 0, ""},
        {true, cfAllCaps, 0, "pas de majuscules"},
        {true, cfShadow, 0, "pas d'ombre"},
        {true, cfEngrave, 1, "empreinte"},
        {true, cfVertPos, 2, "indice"},
        {true, cfScale, 100, "pas d'étirement des caractères"},
        {true, cfScale, 150, "étirement des caractères : 150%"},
        {true, cfSpacing, 30, "police à espacement : 1,5 pt"},
        {true, cfSpacing, 0, "police sans espacement"},
        {true, cfRaise, -3, "décalage vers le bas : 3 pt"},
        {true, cfRaise, 4, "décalage vers le haut : 4 pt"},
        {true, cfKerning, 25, "crénage : 12 pt et plus"},
        {true, cfHighlight, 7, ""},
        {true, cfLanguage, 1036, ""},
        {false, pfFirstIndent, 360, "retrait de 1ère ligne positif : 18 pt"},
        {false, pfRightIndent, 1440, "retrait droit : 72 pt"},
        {false, pfAlignment, 3, "alignement justifié"},
        {false, pfKeepWithNext, 1, "paragraphes solidaires"},
        {false, pfKeepTogether, 0, "lignes non solidaires"},
        {false, pfPageBreakBefore, 1, "saut de page avant"},
        {false, pfWidowControl, 0, "ignorer veuves et orphelines"},
        {false, pfSpaceBefore, 130, "espacement avant paragraphe : 6,5 pt"},
        {false, pfSpaceAfter, 240, "espacement après paragraphe : 12 pt"},
        {false, pfTabTable, -1, ""},
        {false, pfTabTable, 5, ""},      // names no table
        {false, pfLineSpacing, 360, ""}, // without its rule
    };
    TStyleList list(nullptr, nullptr);
    TStyle& style = Add(list, -1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        ClearCharFormatState(style.CharFormat);
        ClearParFormatState(style.ParaFormat);
        (c.Char ? style.CharFormat[c.Field] : style.ParaFormat[c.Field]) = c.Value;
        EXPECT_EQ(Describe(style, false), Comma(c.Text));
    }
    // Double strike silences "non barré"; small caps silence "pas de majuscules".
    ClearCharFormatState(style.CharFormat);
    style.CharFormat[cfStrike] = 0;
    style.CharFormat[cfDoubleStrike] = 1;
    style.CharFormat[cfSmallCaps] = 1;
    style.CharFormat[cfAllCaps] = 0;
    EXPECT_EQ(Describe(style, false), "barré double; petites majuscules");
}

TEST(StyleDescriptions, IndentsLineSpacingAndTabs)
{
    PointsUnit unit;
    TTabManager tabs;
    TTabTable table;
    table.AddTab(PackTabStop(720, tkLeft, 0));
    table.AddTab(PackTabStop(1440, tkDecimal, 0));
    TStyleList list(nullptr, &tabs);
    TStyle& style = Add(list, -1);
    style.ParaFormat[pfTabTable] = tabs.RegisterTabTable(table);
    style.ParaFormat[pfFirstIndent] = -360;
    style.ParaFormat[pfLeftIndent] = 720;
    EXPECT_EQ(Describe(style, false), "retrait de 1ère ligne négatif : 18 pt; retrait gauche : 18 pt; "
                                      "taquets de tabulation : 36 pt, 72 pt alignement décimal");
    ClearParFormatState(style.ParaFormat);
    struct Case {
        int32_t Spacing, Rule;
        const char* Text;
    };
    const Case cases[] = {
        {360, 1, "interligne 1,5 ligne"},
        {240, 2, "interligne simple"},
        {480, 1, "interligne double"},
        {300, 1, "interligne multiple : 1,25"},
        {250, 0, "interligne d'au moins : 12,5 pt"},
        {-280, 0, "interligne défini : 14 pt"},
    };
    for (const Case& c : cases) {
        style.ParaFormat[pfLineSpacing] = c.Spacing;
        style.ParaFormat[pfSpacingRule] = c.Rule;
        EXPECT_EQ(Describe(style, false), Comma(c.Text));
    }
}

TEST(StyleDescriptions, WholeStyle)
{
    TStyleList list(nullptr, nullptr);
    TStyle& normal = Add(list, -1, "Normal");
    TStyle& strong = Add(list, 0, "Fort");
    // A root style shows the default font and size it leaves unset, but only as a whole style.
    const TCharFormat& d = DefaultCharFormat();
    const std::string fontAndSize =
        "police : " + GetFontManager().FontName(d[cfFont]) + Comma("; taille de la police : 12,00 pt");
    EXPECT_EQ(Describe(normal, true), fontAndSize);
    EXPECT_EQ(Describe(normal, false), "");
    EXPECT_EQ(Describe(strong, true), "Normal");
    strong.CharFormat[cfBold] = 1;
    EXPECT_EQ(Describe(strong, true), "Normal + gras");
    EXPECT_EQ(Describe(strong, false), "gras");

    // The shortcut's text comes from the hot-key manager, on a line of its own.
    const THotKeyToText saved = HotKeyToTextHook;
    HotKeyToTextHook = [](int32_t key) { return std::string(key == 0x4142 ? "Ctrl+Maj+B" : "?"); };
    strong.ShortCut = 0x4142;
    EXPECT_EQ(Describe(strong, true), "Normal + gras\rRaccourci clavier : Ctrl+Maj+B");
    HotKeyToTextHook = saved;
}

TEST(StyleDescriptions, BuiltInKinds)
{
    struct Case {
        int32_t Id;
        bool LowerCase, Heading;
    };
    const Case cases[] = {{-1, false, false}, {0, false, false}, {1, true, true},
                          {9, true, true},    {10, true, false}, {28, false, false},
                          {45, false, false}, {46, true, false}, {47, false, false}};
    TStyle style(nullptr);
    for (const Case& c : cases) {
        style.BuiltInId = c.Id;
        EXPECT_EQ(style.WritesLowerCaseName(), c.LowerCase) << c.Id;
        EXPECT_EQ(style.IsHeading(), c.Heading) << c.Id;
    }
}
