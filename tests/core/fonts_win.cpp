// The font manager on the real graphics interface, with the Liberation faces standing in for the
// usual Windows fonts. Expected widths are the faces' design advances (2048 units to the em) scaled to
// the font's height and rounded.
#include <gtest/gtest.h>

#include <string>

#include "core/Fonts.h"
#include "core/Kerning.h"

namespace {

class FontsGdi : public testing::Test {
protected:
    void SetUp() override
    {
        FreeFontManager();
        FreeKerningPairsManager();
    }
    void TearDown() override
    {
        FreeFontManager();
        FreeKerningPairsManager();
    }
    TSharedFont* Get(const char* face, int32_t height, int32_t scale = 100)
    {
        TFontManager& fm = GetFontManager();
        TCharFormat f = DefaultCharFormat();
        f[cfFont] = fm.RegisterFont(face, AnsiCharset, 0);
        f[cfScale] = scale;
        return fm.GetSharedFont(f, height, false, true, fm.Device().MeasuringDC());
    }
};

// Design advance in units of a 2048-unit em, at a 128-pixel em.
int32_t At128(int32_t units)
{
    return (units * 128 + 1024) / 2048;
}

} // namespace

TEST_F(FontsGdi, ReplacedFacesAreInstalledScalableFamilies)
{
    TFontManager& fm = GetFontManager();
    EXPECT_GE(fm.IndexOfFamily("Times New Roman"), 0);
    EXPECT_GE(fm.IndexOfFamily("Arial"), 0);
    EXPECT_GE(fm.IndexOfFamily("Courier New"), 0);
    EXPECT_GE(fm.IndexOfFamilyTrimmed("Arial Gras", true), 0);
    for (const TFontFamily& f : fm.Families()) {
        EXPECT_TRUE(f.PitchAndFamily & ScalablePitchBit) << f.Name;
        EXPECT_NE(f.Charset, OemCharset) << f.Name;
    }
    for (size_t i = 1; i < fm.Families().size(); ++i)
        EXPECT_LT(fm.Families()[i - 1].Name, fm.Families()[i].Name); // sorted, each once
    EXPECT_TRUE(fm.Font(fm.DefaultFont()).IsInstalled());
    EXPECT_EQ(fm.Device().ScreenDpi(), 96);
}

TEST_F(FontsGdi, WidthTablesAndMetrics)
{
    TSharedFont* sans = Get("Arial", -128);
    EXPECT_EQ(sans->Widths['a'], At128(1139));
    EXPECT_EQ(sans->Widths[' '], At128(569));
    EXPECT_EQ(sans->Widths['i'], At128(455));
    EXPECT_EQ(sans->Widths['W'], At128(1933));
    EXPECT_EQ(sans->Widths[0xE9], At128(1139)); // "é" as wide as "e"
    EXPECT_EQ(sans->TextWidth("Wai"), At128(1933) + At128(1139) + At128(455));
    EXPECT_EQ(sans->TextWidth(""), 0);
    EXPECT_EQ(sans->Ascent, 116);
    EXPECT_EQ(sans->Descent, 27 + 4); // descent plus external leading

    TSharedFont* serif = Get("Times New Roman", -128);
    EXPECT_EQ(serif->Widths['a'], At128(909));
    EXPECT_EQ(serif->Widths[' '], At128(512));
    EXPECT_EQ(serif->Widths['W'], At128(1933));

    TSharedFont* mono = Get("Courier New", -128);
    EXPECT_EQ(mono->Widths['a'], At128(1229));
    EXPECT_EQ(mono->Widths['W'], At128(1229));
    EXPECT_EQ(GetFontManager().SubstitutedFaces().Count(), 0);
}

TEST_F(FontsGdi, ScaleHalvesTheAverageWidth)
{
    TSharedFont* normal = Get("Arial", -128);
    const int32_t full = normal->Metrics.AveCharWidth;
    const int32_t a = normal->Widths['a'];
    TSharedFont* narrow = Get("Arial", -128, 50);
    EXPECT_EQ(narrow->Metrics.AveCharWidth, (full + 1) / 2);
    EXPECT_NEAR(narrow->Widths['a'], a / 2, 1);
    EXPECT_EQ(narrow->Ascent, normal->Ascent); // only the width changes
}

TEST_F(FontsGdi, MissingFaceIsSubstitutedAndRecorded)
{
    TSharedFont* f = Get("Nulle Part", -128);
    Get("Nulle Part", -64);
    TFontManager& fm = GetFontManager();
    ASSERT_EQ(fm.SubstitutedFaces().Count(), 2);
    EXPECT_EQ(fm.SubstitutedFaces()[1], "Nulle Part");
    const std::string obtained = fm.GetSubstitute("Nulle Part");
    EXPECT_NE(obtained, "Nulle Part");
    EXPECT_GT(f->Widths['a'], 0);
}

TEST_F(FontsGdi, KerningPairsOfTheFont)
{
    TFontManager& fm = GetFontManager();
    Get("Arial", -128);
    TCharFormat f = fm.CurrentFont()->Format;
    TSharedKerningPairs* sans =
        GetKerningPairsManager().SelectKerningPairs(f, -128, fm.Device().MeasuringDC());
    EXPECT_GT(sans->PairCount(), 50);
    EXPECT_EQ(sans->GetKerning('A', 'V'), -10); // -152 units
    EXPECT_EQ(sans->GetKerning('T', 'o'), -14); // -227 units
    EXPECT_EQ(sans->GetKerning('o', 'o'), 0);

    Get("Courier New", -128);
    f = fm.CurrentFont()->Format;
    TSharedKerningPairs* mono =
        GetKerningPairsManager().SelectKerningPairs(f, -128, fm.Device().MeasuringDC());
    EXPECT_EQ(mono->PairCount(), 0);
}
