// Default format records, and comparing and merging character and paragraph formats.
#include <gtest/gtest.h>

#include "core/FormatRecords.h"

namespace {

// Registered fonts 0 and 3 are one face under two character sets; 1 is another face.
int32_t FontIdOf(int32_t index)
{
    switch (index) {
    case 0:
    case 3: return 100;
    case 1: return 101;
    default: return UndefinedField;
    }
}

class FormatRecords : public testing::Test {
protected:
    void SetUp() override { SetFontIdLookup(FontIdOf); }
    void TearDown() override { SetFontIdLookup(nullptr); }
    TCharFormat Base()
    {
        TCharFormat f = DefaultCharFormat();
        f[cfColor] = 6;
        return f;
    }
};

TEST_F(FormatRecords, DefaultsPreparedAtEngineStart)
{
    InitFormatDefaults(0x040C);
    const TCharFormat& c = DefaultCharFormat();
    for (int i = 0; i < CharFormatFieldCount; ++i) {
        const int32_t expected = i == cfSize ? 24 : i == cfScale ? 100 : i == cfLanguage ? 0x040C : 0;
        EXPECT_EQ(c[i], expected) << "field " << i;
    }
    EXPECT_TRUE(CharFormatsEqual(DefaultCharFormatCopy(), c));
    TCharFormat bold = c;
    bold[cfBold] = 1;
    EXPECT_TRUE(CharFormatsEqual(DefaultBoldCharFormat(), bold));
    const TCharFormat& base = StyleBaseCharFormat();
    EXPECT_EQ(base[cfFont], UndefinedField);
    EXPECT_EQ(base[cfSize], UndefinedField);
    EXPECT_EQ(base[cfScale], 100);
    EXPECT_EQ(base[cfLanguage], 0);

    const TParaFormat& p = DefaultParaFormat();
    for (int i = 0; i < ParaFormatFieldCount; ++i) {
        const int32_t expected = i == pfLineSpacing ? 240 : i == pfSpacingRule ? 1 : i == pfTabTable ? -1 : 0;
        EXPECT_EQ(p[i], expected) << "field " << i;
    }
    const TParaFormat& s = StyleBaseParaFormat();
    for (int i : {pfFirstIndent, pfLeftIndent, pfRightIndent, pfAlignment})
        EXPECT_EQ(s[i], UndefinedField);
    EXPECT_EQ(s[pfLineSpacing], 240);
    EXPECT_EQ(s[pfWidowControl], 1);
    EXPECT_EQ(s[pfTabTable], -1);
    EXPECT_EQ(s[pfSpaceAfter], 0);
    EXPECT_EQ(StyleBaseParaFormatNoWidow()[pfWidowControl], 0);
    EXPECT_EQ(StyleBaseParaFormatNoWidow()[pfAlignment], UndefinedField);
}

TEST_F(FormatRecords, EmptyChangedRange)
{
    const TChangedRange r = EmptyChangedRange();
    const int32_t expected[10] = {
        0, UndefinedField, UndefinedField, UndefinedField, UndefinedField, 0, 0, 0, 0, 0};
    for (int i = 0; i < ChangedRangeFieldCount; ++i)
        EXPECT_EQ(r[i], expected[i]) << "field " << i;
}

TEST_F(FormatRecords, CharFormatsEqualFollowsFontIds)
{
    const struct {
        int32_t fontA, fontB;
        bool equal;
    } cases[] = {
        {0, 0, true},
        {0, 3, true}, // one face under two character sets
        {0, 1, false},
        {0, UndefinedField, false}, // not set never agrees with set
        {UndefinedField, 0, false},
        {UndefinedField, UndefinedField, true},
        {7, 8, false}, // neither names a registered font
    };
    for (const auto& c : cases) {
        TCharFormat a = Base(), b = Base();
        a[cfFont] = c.fontA;
        b[cfFont] = c.fontB;
        EXPECT_EQ(CharFormatsEqual(a, b), c.equal) << c.fontA << " vs " << c.fontB;
    }
    TCharFormat a = Base(), b = Base();
    b[cfLanguage] = UndefinedField;
    EXPECT_FALSE(CharFormatsEqual(a, b));
    b = a;
    b[cfItalic] = 1;
    EXPECT_FALSE(CharFormatsEqual(a, b));

    // Without the font manager's lookup only equal indexes agree.
    SetFontIdLookup(nullptr);
    b = a;
    b[cfFont] = 3;
    EXPECT_FALSE(CharFormatsEqual(a, b));
}

TEST_F(FormatRecords, IntersectKeepsOnlyCommonFields)
{
    TCharFormat a = Base(), b = Base();
    b[cfFont] = 3;
    b[cfBold] = 1;
    b[cfSize] = UndefinedField;
    IntersectCharFormats(a, b);
    EXPECT_EQ(a[cfFont], 0); // same font id: stays
    EXPECT_EQ(a[cfBold], UndefinedField);
    EXPECT_EQ(a[cfSize], UndefinedField);
    EXPECT_EQ(a[cfColor], 6);
    EXPECT_EQ(a[cfScale], 100);

    a = Base();
    b = Base();
    b[cfFont] = 1;
    IntersectCharFormats(a, b);
    EXPECT_EQ(a[cfFont], UndefinedField);
}

TEST_F(FormatRecords, FillUnsetTakesOnlySetValues)
{
    TCharFormat a = Base(), b = Base();
    a[cfBold] = UndefinedField;
    a[cfItalic] = UndefinedField;
    a[cfColor] = 2;
    b[cfBold] = 1;
    b[cfItalic] = UndefinedField;
    FillUnsetCharFormat(a, b);
    EXPECT_EQ(a[cfBold], 1);
    EXPECT_EQ(a[cfItalic], UndefinedField);
    EXPECT_EQ(a[cfColor], 2); // set fields are kept
}

TEST_F(FormatRecords, RemoveSameCharFormatLeavesDifferences)
{
    TCharFormat a = Base(), b = Base();
    a[cfFont] = 3;
    a[cfBold] = 1;
    RemoveSameCharFormat(a, b);
    EXPECT_EQ(a[cfFont], UndefinedField); // same font id counts as the same
    EXPECT_EQ(a[cfBold], 1);
    for (int i = cfItalic; i < CharFormatFieldCount; ++i)
        EXPECT_EQ(a[i], UndefinedField) << "field " << i;

    a = Base();
    a[cfFont] = 1;
    RemoveSameCharFormat(a, b);
    EXPECT_EQ(a[cfFont], 1);
}

TEST_F(FormatRecords, RemoveSameParaFormatComparesPairs)
{
    // Fields: first-line indent, left indent, spacing, rule of A then of B; expected four fields of A.
    constexpr int32_t U = UndefinedField;
    const struct {
        int32_t a[4], b[4], expected[4];
    } cases[] = {
        {{0, 100, 240, 1}, {0, 100, 240, 1}, {U, U, U, U}},
        {{0, 100, 240, 1}, {0, 200, 240, 1}, {U, 100, U, U}},       // both first lines 0
        {{-50, 100, 360, 1}, {-50, 200, 360, 1}, {-50, 100, U, U}}, // the pair stays whole
        {{20, 100, 240, 1}, {0, 100, 240, 1}, {20, 100, U, U}},
        {{0, 0, 240, 1}, {0, 0, 240, 0}, {U, U, 240, 1}}, // rule differs
        {{0, 0, 240, 1}, {0, 0, 300, 1}, {U, U, 240, 1}}, // spacing differs
    };
    for (const auto& c : cases) {
        TParaFormat a = DefaultParaFormat(), b = DefaultParaFormat();
        for (int i = 0; i < 4; ++i) {
            a[i] = c.a[i];
            b[i] = c.b[i];
        }
        RemoveSameParaFormat(a, b);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(a[i], c.expected[i]) << "field " << i << " of case " << (&c - cases);
    }
    // Fields 4 to 14 one by one.
    TParaFormat a = DefaultParaFormat(), b = DefaultParaFormat();
    a[pfAlignment] = 3;
    a[pfTabTable] = 2;
    RemoveSameParaFormat(a, b);
    EXPECT_EQ(a[pfAlignment], 3);
    EXPECT_EQ(a[pfTabTable], 2);
    EXPECT_EQ(a[pfRightIndent], UndefinedField);
    EXPECT_EQ(a[pfStyle], UndefinedField);
    EXPECT_EQ(a[pfBullets], UndefinedField);
}

} // namespace
