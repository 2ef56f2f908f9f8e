// The font manager's logic over the fixed-proportion font device: families, registration, the
// shared-font cache, substitutions, history and kerning pairs.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/Fonts.h"
#include "core/Kerning.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/SettingsStorage.h"

namespace {

// Every test runs the program's managers over a fresh fixed device.
class FontsTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetFontDevice(&Device);
        FreeFontManager();
        FreeKerningPairsManager();
    }
    void TearDown() override
    {
        FreeFontManager();
        FreeKerningPairsManager();
        SetFontDevice(nullptr);
    }
    TCharFormat Format(int32_t font = 0)
    {
        TCharFormat f = DefaultCharFormat();
        f[cfFont] = font;
        return f;
    }
    TSharedFont* Get(const TCharFormat& f, int32_t height)
    {
        return GetFontManager().GetSharedFont(f, height, false, true, Device.MeasuringDC());
    }
    TFixedFontDevice Device;
};

std::vector<std::string> Names(const TStringList& list)
{
    std::vector<std::string> v;
    for (int i = 0; i < list.Count(); ++i)
        v.push_back(list[i]);
    return v;
}

// A store that holds what is written, section by section.
class TMemoryStorage : public TSettingsStorage {
public:
    void OpenSection(const std::string& name) override { Section = name; }
    std::string ReadString(const std::string& name, const std::string& def) override
    {
        auto it = Values.find(Section + "\\" + name);
        return it == Values.end() ? def : it->second;
    }
    int32_t ReadInteger(const std::string& name, int32_t min, int32_t max, int32_t def) override
    {
        auto it = Values.find(Section + "\\" + name);
        return it == Values.end() ? def : ClampSetting(std::stoi(it->second), min, max);
    }
    void WriteString(const std::string& name, const std::string& value) override
    {
        Values[Section + "\\" + name] = value;
    }
    void WriteInteger(const std::string& name, int32_t value) override
    {
        Values[Section + "\\" + name] = std::to_string(value);
    }
    bool SectionExists(const std::string& name) override
    {
        for (auto& v : Values)
            if (v.first.rfind(name + "\\", 0) == 0)
                return true;
        return false;
    }
    std::map<std::string, std::string> Values;
    std::string Section;
};

} // namespace

TEST_F(FontsTest, FamiliesAreScalableNonOemOncePerFaceAndSorted)
{
    TFontManager& fm = GetFontManager();
    std::vector<std::string> names;
    for (const TFontFamily& f : fm.Families())
        names.push_back(f.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Arial", "Courier New", "Symbol", "Times New Roman"}));
    EXPECT_EQ(fm.IndexOfFamily("TIMES new roman"), 3);
    EXPECT_EQ(fm.IndexOfFamily("Arial Narrow"), -1);
    EXPECT_EQ(fm.IndexOfFamilyTrimmed("Arial Narrow", true), 0);
    EXPECT_EQ(fm.IndexOfFamilyTrimmed("Arial Narrow Bold", true), -1); // only one word is cut
    EXPECT_EQ(fm.IndexOfFamilyTrimmed("System", true), -1);            // bitmap fonts are never listed
    EXPECT_EQ(fm.IndexOfFamilyTrimmed("", true), -1);
}

TEST_F(FontsTest, RegisteredFontsShareIdsAcrossCharsets)
{
    TFontManager& fm = GetFontManager();
    EXPECT_EQ(fm.DefaultFont(), 0);
    EXPECT_EQ(fm.FontName(0), "Times New Roman");
    EXPECT_EQ(fm.FontName(1), "Arial");
    EXPECT_EQ(fm.BulletFont(), 2);
    EXPECT_TRUE(fm.Font(fm.BulletFont()).IsInstalled());

    const int arial = fm.RegisterFont("arial", AnsiCharset, 0);
    EXPECT_EQ(fm.FontName(arial), "Arial"); // the family's spelling
    EXPECT_EQ(fm.RegisterFont("ARIAL", AnsiCharset, 0), arial);
    const int arialCe = fm.RegisterFont("Arial", 238, 0);
    EXPECT_NE(arialCe, arial);
    EXPECT_TRUE(SameFontId(arial, arialCe));
    EXPECT_FALSE(SameFontId(arial, 0));
    // An undefined character set counts as the ANSI one; the system's default one is another.
    EXPECT_EQ(fm.RegisterFont("Arial", UndefinedField, 0), arial);
    const int byDefault = fm.RegisterFont("Arial", DefaultCharset, 0);
    EXPECT_NE(byDefault, arial);
    EXPECT_EQ(fm.Font(byDefault).Charset, DefaultCharset);

    const int missing = fm.RegisterFont("Nulle Part", AnsiCharset, 0);
    EXPECT_FALSE(fm.Font(missing).IsInstalled());
    EXPECT_EQ(fm.FontName(missing), "Nulle Part");
    EXPECT_EQ(fm.IndexOfFont("nulle part"), missing);
    EXPECT_EQ(fm.IndexOfFont("Absente"), -1);

    // A symbol font keeps its character set; another font gets a variant.
    EXPECT_EQ(fm.GetFontForCharset(fm.BulletFont(), 238), fm.BulletFont());
    EXPECT_EQ(fm.GetFontForCharset(arial, 238), arialCe);
    const int greek = fm.GetFontForCharset(arial, 161);
    EXPECT_EQ(fm.Font(greek).Charset, 161);
    EXPECT_TRUE(SameFontId(greek, arial));

    std::vector<TFontTableEntry> table{{"Courier New", AnsiCharset, 0, -1}, {"Arial", 238, 0, -1}};
    fm.RegisterFontTable(table);
    EXPECT_EQ(fm.FontName(table[0].FontIndex), "Courier New");
    EXPECT_EQ(table[1].FontIndex, arialCe);
    // A font index that names nothing measures with the default font.
    EXPECT_EQ(&fm.FontOfIndex(9999), &fm.Font(0));
    EXPECT_EQ(&fm.FontOfIndex(UndefinedField), &fm.Font(0));
}

TEST_F(FontsTest, LogFontFromFormat)
{
    TFontManager& fm = GetFontManager();
    TCharFormat f = Format(fm.RegisterFont("Un nom de police beaucoup trop long pour tenir", 238, 0));
    f[cfSize] = -21;
    f[cfBold] = 1;
    f[cfItalic] = 1;
    f[cfUnderline] = 3;
    f[cfStrike] = 1;
    TLogFont lf;
    FontStateToLogFont(fm, f, lf);
    EXPECT_EQ(lf.Height, -21);
    EXPECT_EQ(lf.Weight, 700);
    EXPECT_EQ(lf.Italic, 1);
    EXPECT_EQ(lf.Underline, 1);
    EXPECT_EQ(lf.StrikeOut, 1);
    EXPECT_EQ(lf.CharSet, 238);
    EXPECT_EQ(std::string(lf.FaceName), "Un nom de police beaucoup trop "); // 31 characters
    f[cfBold] = 0;
    f[cfFont] = fm.RegisterFont("courier new", AnsiCharset, 0);
    FontStateToLogFont(fm, f, lf);
    EXPECT_EQ(lf.Weight, 400);
    EXPECT_EQ(std::string(lf.FaceName), "Courier New"); // the installed family's name
}

TEST_F(FontsTest, ScaleMakesANarrowerFont)
{
    TCharFormat f = Format();
    TSharedFont* normal = Get(f, -40);
    EXPECT_EQ(Device.FontsMade(), 1);
    EXPECT_EQ(normal->Metrics.AveCharWidth, 20);
    EXPECT_EQ(normal->Widths['a'], 20);
    EXPECT_EQ(normal->Format[cfSize], -40);
    f[cfScale] = 50;
    TSharedFont* narrow = Get(f, -40);
    EXPECT_EQ(Device.FontsMade(), 3); // made once at full width, then again at half of it
    EXPECT_EQ(Device.LiveFonts(), 2);
    EXPECT_EQ(narrow->Metrics.AveCharWidth, 10);
    EXPECT_EQ(narrow->TextWidth("abc"), 30);
    EXPECT_EQ(narrow->TextWidth(""), 0);
    EXPECT_EQ(narrow->Ascent, 32 + 5); // fixed device: 4/5 of the height plus the internal leading
    EXPECT_EQ(narrow->Descent, 8 + 2); // descent plus external leading
}

TEST_F(FontsTest, CurrentFontAndCacheAnswerRepeatedRequests)
{
    TFontManager& fm = GetFontManager();
    TCharFormat plain = Format();
    TCharFormat bold = plain;
    bold[cfBold] = 1;
    TSharedFont* a = Get(plain, -16);
    TSharedFont* b = Get(bold, -16);
    EXPECT_NE(a, b);
    EXPECT_EQ(fm.CurrentFont(), b);
    // Fields that do not choose a font do not matter.
    TCharFormat coloured = bold;
    coloured[cfColor] = 5;
    coloured[cfLanguage] = 0x809;
    EXPECT_EQ(Get(coloured, -16), b);
    EXPECT_EQ(b->UseCount, 0);
    EXPECT_EQ(Get(plain, -16), a);
    EXPECT_EQ(a->UseCount, 1);
    EXPECT_EQ(Get(plain, -17) == a, false);
    EXPECT_EQ(Device.FontsMade(), 3);
    EXPECT_EQ(fm.CachedFontCount(), 3);
    fm.SortFontCache();
    EXPECT_EQ(&fm.CachedFont(0), a);
}

TEST_F(FontsTest, FullCacheGivesUpTenFonts)
{
    TFontManager& fm = GetFontManager();
    for (int h = 1; h <= TFontManager::MaxCachedFonts; ++h)
        Get(Format(), -h);
    EXPECT_EQ(fm.CachedFontCount(), 40);
    TSharedFont* newest = Get(Format(), -41);
    EXPECT_EQ(fm.CachedFontCount(), 31);
    EXPECT_EQ(&fm.CachedFont(0), newest);
    EXPECT_EQ(Device.LiveFonts(), 31);
    // The ten oldest went.
    for (int i = 0; i < fm.CachedFontCount(); ++i)
        EXPECT_LT(fm.CachedFont(i).Format[cfSize], -10);
}

TEST_F(FontsTest, SubstitutedFacesAreRecordedPerFontMade)
{
    TFontManager& fm = GetFontManager();
    const int missing = fm.RegisterFont("Nulle Part", AnsiCharset, 0);
    Get(Format(missing), -16);
    Get(Format(missing), -20);
    EXPECT_EQ(Names(fm.SubstitutedFaces()), (std::vector<std::string>{"Nulle Part", "Nulle Part"}));
    EXPECT_EQ(Names(fm.ObtainedFaces()), (std::vector<std::string>{"Arial", "Arial"}));
    EXPECT_EQ(fm.GetSubstitute("NULLE PART"), "Arial");
    EXPECT_EQ(fm.GetSubstitute("Courier New"), "Courier New");

    // A character set that the substituted face lacks falls back to the default one first.
    const int missingCe = fm.RegisterFont("Ailleurs", 238, 0);
    TSharedFont* f = Get(Format(missingCe), -16);
    EXPECT_EQ(f->Metrics.CharSet, DefaultCharset);
    EXPECT_EQ(fm.GetSubstitute("Ailleurs"), "Arial");
    // Allowed to use the default character set, the manager records nothing.
    const int other = fm.RegisterFont("Autre Part", 238, 0);
    fm.GetSharedFont(Format(other), -16, true, true, Device.MeasuringDC());
    EXPECT_EQ(fm.GetSubstitute("Autre Part"), "Autre Part");
    EXPECT_EQ(fm.Flags, 0);
    // Nothing is recorded when the face is given as asked.
    const int courier = fm.RegisterFont("Courier New", AnsiCharset, 0);
    Get(Format(courier), -16);
    EXPECT_EQ(fm.SubstitutedFaces().Count(), 3);
}

TEST_F(FontsTest, HistoryAndFontNames)
{
    TFontManager& fm = GetFontManager();
    TSettingsStorage defaults;
    fm.LoadHistory(defaults);
    EXPECT_EQ(Names(fm.History()), (std::vector<std::string>{"Arial", "Times New Roman", "Verdana"}));

    TStringList names;
    fm.GetFontNames(names);
    // Installed history names first (Verdana is not installed here), then every other family.
    EXPECT_EQ(Names(names), (std::vector<std::string>{"Arial", "Times New Roman", "Courier New", "Symbol"}));
    EXPECT_EQ(names.Objects(1), fm.IndexOfFamily("Times New Roman"));
    CurrentOptions().General.FavFonts = true;
    fm.GetFontNames(names);
    CurrentOptions().General.FavFonts = false;
    EXPECT_EQ(Names(names), (std::vector<std::string>{"Arial", "Times New Roman"}));

    TMemoryStorage store;
    store.WriteLongString("FontHistory", "Symbol||Courier New");
    fm.LoadHistory(store);
    EXPECT_EQ(Names(fm.History()), (std::vector<std::string>{"Courier New", "Symbol"}));
    TMemoryStorage saved;
    fm.SaveHistory(saved);
    EXPECT_EQ(saved.ReadLongString("FontHistory", ""), "Courier New||Symbol");
}

TEST_F(FontsTest, KerningPairs)
{
    TCharFormat f = Format(GetFontManager().RegisterFont("Arial", AnsiCharset, 0));
    Get(f, -80);
    TKerningPairsManager& km = GetKerningPairsManager();
    TSharedKerningPairs* pairs = km.SelectKerningPairs(f, -80, Device.MeasuringDC());
    EXPECT_EQ(pairs->PairCount(), 4);
    EXPECT_EQ(pairs->GetKerning('T', 'o'), -10);
    EXPECT_EQ(pairs->GetKerning('A', 'V'), -8);
    EXPECT_EQ(pairs->GetKerning('A', 'T'), -5);
    EXPECT_EQ(pairs->GetKerning('A', 'U'), 0); // between two pairs of the same first character
    EXPECT_EQ(pairs->GetKerning('A', 'A'), 0); // below the smallest second character
    EXPECT_EQ(pairs->GetKerning('o', 'T'), 0);
    EXPECT_EQ(km.SelectKerningPairs(f, -80, Device.MeasuringDC()), pairs);
    EXPECT_EQ(pairs->UseCount, 2);

    // A font without pairs answers 0 everywhere.
    TCharFormat mono = Format(GetFontManager().RegisterFont("Courier New", AnsiCharset, 0));
    Get(mono, -80);
    TSharedKerningPairs* none = km.SelectKerningPairs(mono, -80, Device.MeasuringDC());
    EXPECT_EQ(none->PairCount(), 0);
    EXPECT_EQ(none->GetKerning('T', 'o'), 0);
    EXPECT_EQ(km.Current(), none);
    km.SortByUse();

    // At most 40 tables: the least used goes first.
    for (int h = 1; h <= 45; ++h) {
        Get(mono, -h);
        km.SelectKerningPairs(mono, -h, Device.MeasuringDC());
    }
    EXPECT_EQ(km.Count(), TKerningPairsManager::MaxCachedTables);
    EXPECT_EQ(km.SelectKerningPairs(f, -80, Device.MeasuringDC()), pairs); // the most used survived
}

TEST_F(FontsTest, ReloadFreesFontsAndTellsTheViews)
{
    static int told = 0;
    told = 0;
    FontsReloadedHandler = [] { ++told; };
    Get(Format(), -16);
    GetKerningPairsManager().SelectKerningPairs(Format(), -16, Device.MeasuringDC());
    GetFontManager().Reload();
    FontsReloadedHandler = nullptr;
    EXPECT_EQ(told, 1);
    EXPECT_EQ(GetFontManager().CachedFontCount(), 0);
    EXPECT_EQ(GetFontManager().CurrentFont(), nullptr);
    EXPECT_EQ(GetKerningPairsManager().Count(), 0);
    EXPECT_EQ(Device.LiveFonts(), 0);
    EXPECT_TRUE(GetFontManager().Font(0).IsInstalled());
}

TEST_F(FontsTest, TypedFontNames)
{
    TFontManager& fm = GetFontManager();
    const bool silent = SilentMessages;
    SilentMessages = true; // every question answers Cancel unseen
    EXPECT_EQ(fm.CheckFontName(""), -1);
    EXPECT_EQ(fm.CheckFontName("Nulle Part"), -1); // not installed, and not confirmed
    const int courier = fm.CheckFontName("courier new");
    SilentMessages = silent;
    ASSERT_GE(courier, 0);
    EXPECT_EQ(fm.FontName(courier), "Courier New");
    EXPECT_EQ(fm.IndexOfFont("Nulle Part"), -1);
}
