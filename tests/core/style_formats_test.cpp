// A style's effective formats along its based-on chain, a chain that loops included.
#include <gtest/gtest.h>

#include <memory>

#include "core/RecordUtils.h"
#include "core/Styles.h"

namespace {

TStyle& Add(TStyleList& list, int32_t basedOn)
{
    auto style = std::make_unique<TStyle>(&list);
    ClearCharFormatState(style->CharFormat);
    ClearParFormatState(style->ParaFormat);
    style->BasedOn = basedOn;
    style->ParaFormat[pfStyle] = list.Count();
    list.Styles.push_back(std::move(style));
    return *list.Styles.back();
}

} // namespace

TEST(StyleFormats, ChainMergesRootFirst)
{
    TStyleList list(nullptr, nullptr);
    TStyle& normal = Add(list, -1);
    normal.CharFormat[cfSize] = 20;
    normal.CharFormat[cfLanguage] = 1036;
    normal.ParaFormat[pfLeftIndent] = 720;
    TStyle& heading = Add(list, 0);
    heading.CharFormat[cfBold] = 1;
    heading.ParaFormat[pfLeftIndent] = 360;
    TCharFormat c;
    TParaFormat p;
    heading.ResolveFormat(c, p, 0);
    EXPECT_EQ(c[cfSize], 20);
    EXPECT_EQ(c[cfBold], 1);
    EXPECT_EQ(c[cfLanguage], UndefinedField); // dropped unless kept
    EXPECT_EQ(c[cfScale], 100);               // from the defaults
    EXPECT_EQ(p[pfLeftIndent], 360);          // the child's own
    EXPECT_EQ(p[pfWidowControl], 0);
    heading.ResolveFormat(c, p, rfStartUndefined | rfKeepLanguage);
    EXPECT_EQ(c[cfLanguage], 1036);
    EXPECT_EQ(c[cfScale], UndefinedField);
    EXPECT_EQ(p[pfBullets], UndefinedField);

    std::vector<int32_t> chain;
    EXPECT_EQ(list.GetBaseChain(1, chain), &normal);
    EXPECT_EQ(chain, std::vector<int32_t>{0});
    EXPECT_EQ(list.GetBaseChain(7, chain), nullptr);
}

TEST(StyleFormats, IndentPairKeepsTheFirstLineEdge)
{
    TParaFormat target;
    ClearParFormatState(target);
    target[pfLeftIndent] = 720;
    target[pfFirstIndent] = -360;
    TParaFormat source;
    ClearParFormatState(source);
    source[pfFirstIndent] = -720;
    MergeParaFormat(target, source);
    // The first line started at 360 and still does.
    EXPECT_EQ(target[pfFirstIndent], -720);
    EXPECT_EQ(target[pfLeftIndent], 1080);
    ClearParFormatState(source);
    source[pfLeftIndent] = 100;
    MergeParaFormat(target, source);
    EXPECT_EQ(target[pfLeftIndent], 820);
}

TEST(StyleFormats, LoopingChainIsCutAtTheFirstRepeat)
{
    // A file can make styles based on each other; resolving still ends.
    TStyleList list(nullptr, nullptr);
    TStyle& a = Add(list, 2);
    a.CharFormat[cfItalic] = 1;
    TStyle& b = Add(list, 0);
    b.CharFormat[cfBold] = 1;
    TStyle& c = Add(list, 1);
    c.CharFormat[cfSize] = 30;
    TCharFormat f;
    TParaFormat p;
    c.ResolveFormat(f, p, 0);
    EXPECT_EQ(f[cfSize], 30);
    EXPECT_EQ(f[cfBold], 1);
    EXPECT_EQ(f[cfItalic], 1);
    std::vector<int32_t> chain;
    EXPECT_EQ(list.GetBaseChain(2, chain), &a);
    EXPECT_EQ(chain, (std::vector<int32_t>{1, 0}));
    // A style based on itself.
    a.BasedOn = 0;
    a.ResolveFormat(f, p, 0);
    EXPECT_EQ(f[cfItalic], 1);
    chain.clear();
    EXPECT_EQ(list.GetBaseChain(0, chain), &a);
    EXPECT_TRUE(chain.empty());
}
