// Searching, deleting and importing styles: every reference renumbered, loops cut, replacements as the
// import's mode says, and Cancel leaving the list as it was.
#include <gtest/gtest.h>

#include "classlib/runtime/Exceptions.h"
#include "core/Messages.h"
#include "core/RecordUtils.h"
#include "core/StyleManager.h"
#include "core/TabTables.h"

namespace {

TStyle& Add(TStyleList& list, const std::string& name, int32_t basedOn, int32_t next)
{
    auto style = std::make_unique<TStyle>(&list);
    ClearCharFormatState(style->CharFormat);
    ClearParFormatState(style->ParaFormat);
    style->Name = style->DisplayName = name;
    style->BasedOn = basedOn;
    style->NextStyle = next;
    return list.AddStyle(std::move(style));
}

// "name base next" for each style, and whether each knows its own index.
std::string Describe(const TStyleList& list)
{
    std::string out;
    for (int32_t i = 0; i < list.Count(); ++i) {
        const TStyle& s = *list.StyleOf(i);
        out += s.Name + " " + std::to_string(s.BasedOn) + " " + std::to_string(s.NextStyle);
        if (s.ParaFormat[pfStyle] != i)
            out += " (index " + std::to_string(s.ParaFormat[pfStyle]) + ")";
        out += "; ";
    }
    return out;
}

} // namespace

TEST(StyleList, SearchesFindTheLastMatch)
{
    TStyleList list(nullptr, nullptr);
    Add(list, "Normal", -1, 0);
    Add(list, "Corps", 0, 1).ShortCut = 0x0431;
    Add(list, "corps", 0, 2).DisplayName = "Shown";
    EXPECT_EQ(list.IndexOfName("CORPS"), 2);
    EXPECT_EQ(list.IndexOfDisplayName("shown"), 2);
    EXPECT_EQ(list.IndexOfDisplayName("absent"), -1);
    EXPECT_TRUE(list.HasShortCut(0x0431));
    EXPECT_FALSE(list.HasShortCut(0));
    EXPECT_EQ(list.IndexOfBuiltIn(5), -1);
}

TEST(StyleList, DeleteRenumbersEveryReference)
{
    struct {
        int32_t deleted;
        std::string after;
    } cases[] = {
        // 5 was based on 3, itself based on 1; next styles that named 3 become Normal.
        {3, "S0 -1 0; S1 0 1; S2 3 0; S4 5 0; S5 1 4; S6 4 1; "},
        // Normal goes: next styles that named it name the style itself.
        {0, "S1 -1 0; S2 3 2; S3 0 2; S4 5 3; S5 2 4; S6 4 0; "},
        // A parent after the deleted style moves down with it.
        {4, "S0 -1 0; S1 0 1; S2 5 3; S3 1 3; S5 3 4; S6 4 1; "},
    };
    for (const auto& c : cases) {
        TStyleList list(nullptr, nullptr);
        Add(list, "S0", -1, 0);
        Add(list, "S1", 0, 1);
        Add(list, "S2", 4, 3);
        Add(list, "S3", 1, 3);
        Add(list, "S4", 6, 0);
        Add(list, "S5", 3, 5);
        Add(list, "S6", 5, 1);
        list.DeleteStyle(c.deleted);
        EXPECT_EQ(Describe(list), c.after) << c.deleted;
    }
}

TEST(StyleList, DeleteInALoopLeavesNoStyleItsOwnParent)
{
    TStyleList list(nullptr, nullptr);
    Add(list, "N", -1, 0);
    Add(list, "A", 2, 1);
    Add(list, "B", 1, 2);
    list.DeleteStyle(1);
    EXPECT_EQ(Describe(list), "N -1 0; B -1 1; ");
    std::vector<int32_t> derived;
    TStyleList loop(nullptr, nullptr);
    Add(loop, "A", 1, 0);
    Add(loop, "B", 0, 0);
    loop.GetDerivedStyles(0, derived, true);
    EXPECT_EQ(derived, std::vector<int32_t>{1});
}

TEST(StyleList, DerivedStylesDepthFirst)
{
    TStyleList list(nullptr, nullptr);
    Add(list, "N", -1, 0);
    Add(list, "A", 0, 1);
    Add(list, "B", 1, 2);
    Add(list, "C", 0, 3);
    Add(list, "D", 2, 4);
    std::vector<int32_t> out;
    list.GetDerivedStyles(0, out, false);
    EXPECT_EQ(out, (std::vector<int32_t>{1, 3}));
    out.clear();
    list.GetDerivedStyles(0, out, true);
    EXPECT_EQ(out, (std::vector<int32_t>{1, 2, 4, 3}));
}

TEST(StyleImport, MissingStylesComeWithTheirParents)
{
    TTabManager targetTabs, sourceTabs;
    TTabTable tabs;
    tabs.AddTab(1440);
    TTabTable other;
    other.AddTab(720);
    TStyleList source(nullptr, &sourceTabs);
    Add(source, "Normal", -1, 0);
    Add(source, "Parent", 0, 1).CharFormat[cfBold] = 1;
    TStyle& child = Add(source, "Child", 1, 1);
    child.CharFormat[cfItalic] = 1;
    sourceTabs.RegisterTabTable(other);
    child.ParaFormat[pfTabTable] = sourceTabs.RegisterTabTable(tabs);
    TStyleList target(nullptr, &targetTabs);
    Add(target, "Normal", -1, 0).CharFormat[cfSize] = 30;
    Add(target, "Other", 0, 1);

    TImportStylesInfo info;
    info.Mode = 0;
    info.Source = &source;
    info.Requested = {2};
    EXPECT_TRUE(target.ImportStyles(info, false));
    EXPECT_EQ(Describe(target), "Normal -1 0; Other 0 1; Child 3 3; Parent 0 3; ");
    EXPECT_EQ(info.Added, (std::vector<int32_t>{2, 3}));
    EXPECT_TRUE(info.Replaced.empty());
    EXPECT_EQ(target.StyleOf(0)->CharFormat[cfSize], 30); // mode 0 never replaces
    EXPECT_EQ(target.StyleOf(2)->CharFormat[cfItalic], 1);
    const int32_t table = target.StyleOf(2)->ParaFormat[pfTabTable];
    ASSERT_GE(table, 0);
    EXPECT_EQ(targetTabs.Table(table), tabs);
}

TEST(StyleImport, ReplacementsByModeAndDependencies)
{
    struct {
        uint8_t mode, keepDependencies;
        std::vector<int32_t> replaced;
        int32_t normalSize, headingBold;
    } cases[] = {{0, 0, {}, 30, UndefinedField}, {1, 0, {1, 0}, 20, 1}, {1, 1, {1}, 30, 1}};
    for (const auto& c : cases) {
        TStyleList source(nullptr, nullptr);
        Add(source, "Normal", -1, 0).CharFormat[cfSize] = 20;
        Add(source, "Heading 1", 0, 0).CharFormat[cfBold] = 1;
        TStyleList target(nullptr, nullptr);
        Add(target, "Normal", -1, 0).CharFormat[cfSize] = 30;
        Add(target, "titre 1", 0, 0); // the French name of the same built-in style
        GetStyleManager().IdentifyBuiltInStyles(target);
        TImportStylesInfo info;
        info.Mode = c.mode;
        info.KeepDependencies = c.keepDependencies;
        info.Source = &source;
        info.Requested = {1};
        target.ImportStyles(info, false);
        EXPECT_EQ(info.Replaced, c.replaced) << int(c.mode) << int(c.keepDependencies);
        EXPECT_EQ(target.StyleOf(0)->CharFormat[cfSize], c.normalSize);
        EXPECT_EQ(target.StyleOf(1)->CharFormat[cfBold], c.headingBold);
        EXPECT_EQ(target.StyleOf(1)->DisplayName, "Titre 1");
        EXPECT_EQ(target.Count(), 2);
    }
}

TEST(StyleImport, LoopingSourceEndsAndCancelLeavesTheList)
{
    TStyleList source(nullptr, nullptr);
    Add(source, "A", 1, 1);
    Add(source, "B", 0, 0);
    TStyleList target(nullptr, nullptr);
    Add(target, "Normal", -1, 0);
    TImportStylesInfo info;
    info.Source = &source;
    info.Requested = {0, 1};
    target.ImportStyles(info, false);
    EXPECT_EQ(Describe(target), "Normal -1 0; A 2 2; B 1 1; ");

    // Asked whether to replace, the silent mode answers Cancel: nothing reaches the list.
    Add(source, "Normal", -1, 2).CharFormat[cfBold] = 1;
    const std::string before = Describe(target);
    info.Mode = 1;
    info.Requested = {2};
    SilentMessages = true;
    EXPECT_THROW(target.ImportStyles(info, true), EAbort);
    EXPECT_EQ(Describe(target), before);
    EXPECT_EQ(target.StyleOf(0)->CharFormat[cfBold], UndefinedField);
    SilentMessages = false;
}

TEST(StyleImport, FindOrCreateStyle)
{
    TStyleList list(nullptr, nullptr);
    Add(list, "Normal", -1, 0);
    Add(list, "Heading 1", 0, 0).DisplayName = "Titre 1";
    Add(list, "Quote", 0, 1);
    TFoundStyle found;
    TParaFormat para;
    TCharFormat chars;
    ClearParFormatState(para);
    ClearCharFormatState(chars);
    EXPECT_TRUE(FindOrCreateStyle(list, "titre 1", para, chars, found));
    EXPECT_EQ(found.Index, 1);
    EXPECT_TRUE(FindOrCreateStyle(list, "HEADING 1", para, chars, found));
    EXPECT_EQ(found.Index, 1);
    EXPECT_FALSE(found.NewList);
    SilentMessages = true; // the error for an empty name, and No to the question
    EXPECT_FALSE(FindOrCreateStyle(list, "", para, chars, found));
    EXPECT_FALSE(FindOrCreateStyle(list, "Nouveau", para, chars, found));
    EXPECT_FALSE(found.NewList);
    SilentMessages = false;
}
