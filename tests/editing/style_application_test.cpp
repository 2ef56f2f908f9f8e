// Styles on real documents: effective formats along based-on chains (loops from a file cut), applying a
// style over hand formatting, replacing and importing style lists and redefining a style from the
// selection, each one step that Undo reverses exactly.
#include <gtest/gtest.h>

#include "core/Messages.h"
#include "core/StyleManager.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "tests/common/test_support.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

void Apply(TEditDoc& d, int32_t par1, int32_t par2, int32_t style)
{
    TApplyStylesParams params;
    params.Range = Range(par1, 0, par2, 1);
    params.Style = style;
    ExecuteOperation(*d.Doc, params);
}

// A style sheet of Normal (10 pt), Strong (bold) and Underlined (single underline).
const char* const Sheet = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}{\\f1 Arial;}}"
                          "{\\stylesheet{\\s0\\fs20 Normal;}{\\s1\\sbasedon0\\snext0\\b Fort;}"
                          "{\\s2\\sbasedon0\\snext0\\ul Souligne;}}";

} // namespace

TEST(StyleChains, EffectiveFormatsAndLoopsFromAFile)
{
    TEditDoc d(ReadFileBytes(DataPath("rtf/styles-boucle.rtf")));
    const TStyleList& list = *d.Doc->StyleList;
    ASSERT_EQ(list.Count(), 7);
    struct {
        const char* name;
        int32_t bold, italic, size, underline, smallCaps, leftIndent;
    } cases[] = {
        {"Normal", 0, 0, 20, 0, 0, 0},
        {"Alpha", 1, 0, 28, 0, 0, 0},
        {"Beta", 1, 1, 28, 0, 0, 0},
        // The file's loop A -> B -> A is cut where it closes: B rests on Normal.
        {"Gamma", 1, 1, 28, 0, 0, 720},
        {"Boucle A", 0, 0, 16, 1, 0, 0},
        {"Boucle B", 0, 0, 16, 0, 0, 0},
        {"Seul", 0, 0, 24, 0, 1, 0},
    };
    for (const auto& c : cases) {
        const int32_t i = list.IndexOfName(c.name);
        ASSERT_GE(i, 0) << c.name;
        TCharFormat cf;
        TParaFormat pf;
        list.StyleOf(i)->ResolveFormat(cf, pf, 0);
        EXPECT_EQ(cf[cfBold], c.bold) << c.name;
        EXPECT_EQ(cf[cfItalic], c.italic) << c.name;
        EXPECT_EQ(cf[cfSize], c.size) << c.name;
        EXPECT_EQ(cf[cfUnderline], c.underline) << c.name;
        EXPECT_EQ(cf[cfSmallCaps], c.smallCaps) << c.name;
        EXPECT_EQ(pf[pfLeftIndent], c.leftIndent) << c.name;
        std::vector<int32_t> chain;
        EXPECT_NE(list.GetBaseChain(i, chain), nullptr);
        EXPECT_LE(chain.size(), 3u) << c.name;
    }
    // Applying a style of the loop ends too, and Undo gives the document back.
    const std::string before = d.Dump();
    Apply(d, 0, 2, list.IndexOfName("Boucle A"));
    EXPECT_EQ(d.Doc->Paragraphs[0]->ParaFormat[pfStyle], 4);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 2)[cfUnderline], 1);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
}

TEST(ApplyStyle, HandFormattingFollowsTheDominanceRules)
{
    struct {
        const char* body;  // one paragraph
        int32_t style;     // applied to it
        const char* after; // its dump line
    } cases[] = {
        // Bold by hand over the whole paragraph: the style's format whole.
        {"\\pard\\s0\\b tout gras\\par", 0, "P0: <size=20>tout gras<par>"},
        // One bold word in plain text, bold style: the word stands out as not bold.
        {"\\pard\\s0 un {\\b mot} fort\\par", 1, "P0 style=1: <size=20><b=1>un <b=0>mot<b=1> fort<par>"},
        // A double-underlined word keeps its kind under a style without underline.
        {"\\pard\\s2 un {\\uldb mot} double\\par", 0, "P0: <size=20>un <ul=3>mot<ul=0> double<par>"},
        // Two fonts over equal lengths: the later run's font is the paragraph's own.
        {"\\pard\\s0 {\\f1 abc}{\\f0 def}\\par", 1, ""},
    };
    for (const auto& c : cases) {
        TEditDoc d(std::string(Sheet) + c.body + "}");
        const std::string before = d.Dump();
        Apply(d, 0, 0, c.style);
        ASSERT_EQ(d.OperationCount(), 1) << c.body;
        if (*c.after)
            EXPECT_EQ(d.ParLine(0), c.after) << c.body;
        const std::string after = d.Dump();
        d.Undo();
        EXPECT_EQ(d.Dump(), before) << c.body;
        d.Redo();
        EXPECT_EQ(d.Dump(), after) << c.body;
    }
}

TEST(ApplyStyle, EqualFontsTakeTheLaterRunAsDominant)
{
    TEditDoc d(std::string(Sheet) + "\\pard\\s0 {\\f1 abc}{\\f0 def}\\par}");
    const int32_t arial = d.Doc->CharFormatAtOffset(0, 1)[cfFont];
    const int32_t times = d.Doc->CharFormatAtOffset(0, 5)[cfFont];
    ASSERT_NE(arial, times);
    Apply(d, 0, 0, 1);
    // The later run (Times) was the paragraph's own and takes the style's font; Arial stays.
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 1)[cfFont], arial);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 5)[cfFont], times);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 5)[cfBold], 1);
}

TEST(ApplyStyle, HyperlinksKeepTheirLook)
{
    TEditDoc d(std::string(Sheet) +
               "{\\colortbl;\\red0\\green0\\blue255;}"
               "\\pard\\s0 avant {\\field{\\*\\fldinst HYPERLINK \"http://exemple.fr/\"}{\\fldrslt \\ul\\cf1 "
               "lien}} et un long texte apr\\'e8s\\par}");
    const std::string before = d.Dump();
    const int32_t blue = d.Doc->CharFormatAtOffset(0, 8)[cfColor];
    EXPECT_NE(blue, 0);
    // Underlined against plain text, the link would lose its underline under an underlined style.
    Apply(d, 0, 0, 2);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 8)[cfUnderline], 1);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 8)[cfColor], blue);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 3)[cfUnderline], 1);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
}

TEST(StyleList, ReplacingTheListRestylesAndUndoes)
{
    TEditDoc d(std::string(Sheet) +
               "\\pard\\s1 un {\\i mot} fort\\par\\pard\\s2 souligne\\par\\pard\\s0 normal\\par}");
    const std::string before = d.Dump();
    // "Fort" deleted (its paragraphs fall back on Normal), "Souligne" becomes italic.
    auto info = std::make_unique<TFormatStyleListInfo>();
    info->Styles = std::make_unique<TStyleList>(d.Doc.get(), d.Doc->StyleList->TabManager);
    info->Styles->Assign(*d.Doc->StyleList);
    info->Styles->DeleteStyle(1);
    info->Styles->Styles[1]->CharFormat[cfItalic] = 1;
    info->Removed = {1};
    info->Changed = {2};
    TChangeStyleListParams params;
    params.Range = Range(0, 0, 0, 0);
    params.Info = info.release();
    ExecuteOperation(*d.Doc, params);
    ASSERT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(d.Doc->StyleList->Count(), 2);
    EXPECT_EQ(d.Doc->Paragraphs[0]->ParaFormat[pfStyle], 0);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 1)[cfBold], 0);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 5)[cfItalic], 1); // the hand italic word stays
    EXPECT_EQ(d.Doc->Paragraphs[1]->ParaFormat[pfStyle], 1);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(1, 2)[cfItalic], 1);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(1, 2)[cfUnderline], 1);
    EXPECT_EQ(d.Doc->Paragraphs[2]->ParaFormat[pfStyle], 0);
    const std::string after = d.Dump();
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    d.Redo();
    EXPECT_EQ(d.Dump(), after);
}

TEST(StyleList, ImportingReplacesStylesAndKeepsHandFormatting)
{
    TEditDoc d(std::string(Sheet) + "\\pard\\s1 un {\\i mot} fort\\par}");
    TEditDoc source("{\\rtf1{\\stylesheet{\\s0\\fs20 Normal;}{\\s1\\sbasedon0\\snext0\\fs32 Fort;}"
                    "{\\s2\\sbasedon1\\snext0\\caps Nouveau;}}\\pard x\\par}");
    const std::string before = d.Dump();
    auto info = std::make_unique<TFormatStyleListInfo>();
    info->Styles = std::make_unique<TStyleList>(d.Doc.get(), d.Doc->StyleList->TabManager);
    info->Styles->Assign(*d.Doc->StyleList);
    TImportStylesInfo import;
    import.Mode = 1;
    import.Source = source.Doc->StyleList.get();
    import.Requested = {1, 2};
    import.KeepDependencies = 1;
    info->Styles->ImportStyles(import, false);
    EXPECT_EQ(import.Replaced, std::vector<int32_t>{1});
    EXPECT_EQ(import.Added, std::vector<int32_t>{3});
    info->Changed = import.Replaced;
    TChangeStyleListParams params;
    params.Info = info.release();
    ExecuteOperation(*d.Doc, params);
    EXPECT_EQ(d.Doc->StyleList->Count(), 4);
    EXPECT_EQ(d.Doc->StyleList->StyleOf(3)->BasedOn, 1);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 1)[cfSize], 32);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 1)[cfBold], 0); // the imported style is not bold
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 5)[cfItalic], 1);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
}

TEST(StyleList, RedefiningAStyleFromTheSelection)
{
    TEditDoc d(std::string(Sheet) + "\\pard\\plain\\s1\\b\\i premier\\par\\pard\\plain\\s1\\b second\\par"
                                    "\\pard\\plain\\s0 autre\\par}");
    const std::string before = d.Dump();
    d.Select(0, 1, 0, 3);
    TUpdateStyleFromSelectionParams params;
    ExecuteOperation(*d.Doc, params);
    ASSERT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(d.Doc->StyleList->StyleOf(1)->CharFormat[cfItalic], 1);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(1, 2)[cfItalic], 1); // the other paragraph of the style follows
    EXPECT_EQ(d.Doc->CharFormatAtOffset(2, 2)[cfItalic], 0);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);

    // Over two styles: refused with the message naming the action; nothing recorded.
    SilentMessages = true;
    d.Select(1, 1, 2, 2);
    ExecuteOperation(*d.Doc, params);
    EXPECT_EQ(d.CurrentIndex(), -1);
    EXPECT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(d.Dump(), before);
    SilentMessages = false;
}

TEST(ApplyStyle, TheFormatPainterBringsItsStyleAlone)
{
    TEditDoc d(std::string(Sheet) + "\\pard\\s1 fort\\par\\pard\\s0 normal {\\i mot}\\par}");
    const std::string before = d.Dump();
    d.Select(1, 0, 1, 3);
    TFormatPainterParams params;
    params.CharFormat = UnsetCharFormat();
    params.CharFormat[cfUnderline] = 1;
    params.ParaFormat = UnsetParaFormat();
    params.ParaFormat[pfAlignment] = 2;
    params.StyleName = "FORT"; // display names match in any case
    ExecuteOperation(*d.Doc, params);
    ASSERT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(d.Doc->OperationManager->OperationAt(0)->Kind, okFormatPainter);
    EXPECT_EQ(d.Doc->Paragraphs[1]->ParaFormat[pfStyle], 1);
    // The style's formats, not the painter's own.
    EXPECT_EQ(d.Doc->Paragraphs[1]->ParaFormat[pfAlignment], 0);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(1, 2)[cfUnderline], 0);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(1, 2)[cfBold], 1);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(1, 9)[cfItalic], 1); // hand formatting survives
    const std::string after = d.Dump();
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    d.Redo();
    EXPECT_EQ(d.Dump(), after);
    d.Undo();
    // A style the document does not know: nothing changes, nothing is recorded.
    params.StyleName = "Inconnu";
    ExecuteOperation(*d.Doc, params);
    EXPECT_EQ(d.Dump(), before);
    EXPECT_EQ(d.CurrentIndex(), -1);
}
