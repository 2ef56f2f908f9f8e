// The RTF reader: text, formats, tables, destinations, and damaged files that must never crash it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "classlib/runtime/DateTime.h"
#include "core/Styles.h"
#include "core/TabTables.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "formats/DocumentDump.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfReader.h"
#include "formats/rtf/RtfTokenizer.h"
#include "tests/formats/field_marks.h"

namespace {

struct TRead {
    std::string Dump;
    TRtfReadResult Result;
    std::unique_ptr<TDocument> Doc;
};

TRead Read(const std::string& rtf, bool whole = false)
{
    TRead r;
    r.Doc = std::make_unique<TDocument>();
    TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
    r.Result = ReadRtfDocument(*r.Doc, input);
    r.Doc->FinishParagraphs();
    r.Dump = DumpDocument(*r.Doc, whole);
    return r;
}

std::string Dump(const std::string& rtf)
{
    return Read(rtf).Dump;
}

} // namespace

TEST(RtfReader, TextAndCharacterFormats)
{
    struct {
        const char* rtf;
        const char* dump;
    } cases[] = {
        {"{\\rtf1 {\\b bold} plain}", "P0: <b=1>bold<b=0> plain<par>\n"},
        {"{\\rtf1 a{\\*\\unknown text}b{\\comment c}d{\\unknownword e}}", "P0: abde<par>\n"},
        {"{\\rtf1 \\u8364?\\u20320?\\uc2\\u233xyz}",
         "P0: \\'80<font=Times New Roman/134>\\'c4\\'e3<font=Times New Roman>\\'e9z<par>\n"},
        // A control word standing for a character is one fallback character; other control words count none.
        {"{\\rtf1 \\uc1\\u8212\\emdash x\\u160\\~y\\u233\\tab z\\uc2\\u233\\b\\'e9?w}",
         "P0: <emdash>x<nbsp>y\\'e9z\\'e9<b=1>w<par>\n"},
        {"{\\rtf1 \\fs1 a\\fs2001 b\\fs20 c\\charscalex700 d\\charscalex50 e}",
         "P0: ab<size=20>cd<scale=50>e<par>\n"},
        {"{\\rtf1 x\\'e9\\'96\\'a0\\'01y\\~\\_\\-\\emdash\\endash\\lquote}",
         "P0: x\\'e9<endash><nbsp>y<nbsp><nbhyphen><opthyphen><emdash><endash>\\'91<par>\n"},
        {"{\\rtf1 a\\tab b\\line c\\page d\\column e\\par f\\\nx}",
         "P0: a<tab>b<line>c<page>d<column>e<par>\nP1: f<par>\nP2: x<par>\n"},
        {"{\\rtf1 \\trowd\\cellx1\\cellx2\\cellx3 a\\cell b\\cell c\\cell\\row d}",
         "P0: a<tab>b<tab>c<par>\nP1: d<par>\n"},
        {"{\\rtf1 a{\\deleted b{c}}d}", "P0: ad<par>\n"},
        {"{\\rtf1 \\ul a\\ulnone b\\uldb c\\ul0 d\\super e\\nosupersub\\up7 f\\dn4 g\\expnd2 h}",
         "P0: <ul=1>a<ul=0>b<ul=3>c<ul=0>d<vpos=1>e<vpos=0><raise=3>f<raise=-2>g<spacing=10>h<par>\n"},
        {"{\\rtf1 {\\i\\b x\\par y}z}", "P0: <i=1><b=1>x<par>\nP1: <i=1><b=1>y<i=0><b=0>z<par>\n"},
        {"{\\rtf1 \\b\\i x\\plain y}", "P0: <b=1><i=1>x<b=0><i=0>y<par>\n"},
    };
    for (auto& c : cases)
        EXPECT_EQ(Dump(c.rtf), c.dump) << c.rtf;
}

TEST(RtfReader, FontAndColourTables)
{
    std::string rtf = "{\\rtf1{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss\\fcharset77 Arial;}"
                      "{\\f2\\fnil ;}{\\*\\generator x;}{\\f3\\fmodern Courier New{\\*\\falt Courier};}}"
                      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                      "\\f1 a\\f2 b\\f0 c\\cf1 d\\cf2 e\\cf9 f\\cf0 g\\f3 h}";
    EXPECT_EQ(
        Dump(rtf),
        "P0: <font=Arial>a<font=Times New Roman>bc<color=6>d<color=2>e<color=0>fg<font=Courier New>h<par>\n");
    // Without a colour table every colour is the automatic one.
    EXPECT_EQ(Dump("{\\rtf1 \\cf3 a}"), "P0: a<par>\n");
    // Fonts without braces around their entries.
    EXPECT_EQ(Dump("{\\rtf1{\\fonttbl\\f0\\fswiss Arial;\\f1\\froman Times New Roman;}\\f1 a\\f0 b}"),
              "P0: a<font=Arial>b<par>\n");
}

TEST(RtfReader, ParagraphFormatsAndTabs)
{
    TRead r =
        Read("{\\rtf1\\deftab567 \\pard\\qc\\li720\\ri360\\fi-360\\sb120\\sa60\\sl0\\keepn a\\par"
             "\\pard\\tx1000\\tqr\\tldot\\tx5000 b\\par\\pard\\sl-300\\slmult1 c\\par\\sl360\\slmult1 d}");
    const TTabManager& tabs = *r.Doc->TabManager;
    EXPECT_EQ(r.Dump, "P0 fi=-360 li=720 ri=360 align=1 keepn=1 sb=120 sa=60: a<par>\n"
                      "P1 tabs=0: b<par>\n"
                      "P2 sl=-300 slrule=0: c<par>\n"
                      "P3 sl=360: d<par>\n");
    ASSERT_EQ(tabs.Count(), 1);
    ASSERT_EQ(tabs.Table(0).Count(), 2);
    EXPECT_EQ(tabs.Table(0)[1], PackTabStop(5000, tkRight, tlDots));
    EXPECT_EQ(tabs.DefaultTabInterval(), 567);
}

TEST(RtfReader, DocumentSettingsAndInformation)
{
    TRead r = Read(
        "{\\rtf1\\viewscale900\\viewzk2\\deflang1036 {\\info{\\title Mon \\'e9t\\u233\\'e9}{\\author Jean}"
        "{\\*\\company ACME}{\\creatim\\yr2020}{\\revtim\\yr2024\\mo3\\dy15\\hr10\\min30}{\\operator "
        "Paul}\\dskparnr3\\dskcharnr7}"
        "{\\*\\autosavedorigfmt MS Word 97}x}");
    EXPECT_EQ(r.Doc->ViewState.ZoomPercent, 500);
    EXPECT_EQ(r.Doc->ViewState.ZoomKind, 1);
    EXPECT_EQ(r.Doc->Info.Title, "Mon été");
    EXPECT_EQ(r.Doc->Info.Author, "Jean");
    EXPECT_EQ(r.Doc->Info.Company, "ACME");
    EXPECT_EQ(r.Doc->Coding, 2);
    EXPECT_EQ(r.Doc->DefaultLanguageId, 1036);
    EXPECT_EQ(r.Doc->Info.LastAuthor, "Paul");
    // A date without month or day is no date; a whole one is a date-time value.
    EXPECT_EQ(r.Doc->Info.CreationDate, 0);
    EXPECT_DOUBLE_EQ(r.Doc->Info.LastSaveDate, EncodeDate(2024, 3, 15) + EncodeTime(10, 30, 0, 0));
    EXPECT_EQ(r.Dump, "P0: <lang=1036>x<par>\n");
    // The caret position saved with the file, forgotten by the next file read.
    EXPECT_EQ(RtfSavedCaret.Paragraph, 3);
    EXPECT_EQ(RtfSavedCaret.Offset, 7);
    Read("{\\rtf1 y}");
    EXPECT_EQ(RtfSavedCaret.Paragraph, 0);
    EXPECT_EQ(RtfSavedCaret.Offset, 0);
    // A Unicode character stands in place of its fallback; a field instruction and a bookmark name
    // read the same way.
    EXPECT_EQ(Dump("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://caf\\uc2\\u233 "
                   "xy\\u232\\'e8\\'e8s\"}{\\fldrslt x}}"
                   "{\\*\\bkmkstart \\u233\\'e9t\\u233?}y}"),
              "P0: <{#0>x<}#0><{#1>y<}#1><par>\n#0: code type=88 \"HYPERLINK "
              "\"http://caf\\'e9\\'e8s\"\"\n#1: bookmark \"\\'e9t\\'e9\"\n");
    // A bare "\\*" is no group's mark: the rest of an instruction or a title is kept.
    const TRead bare =
        Read("{\\rtf1{\\info{\\title a\\*b}}{\\field{\\*\\fldinst PAGE {\\*\\x y}\\* MERGEFORMAT}"
             "{\\fldrslt 1}}}",
             true);
    EXPECT_NE(bare.Dump.find("#0: code type=33 \"PAGE \\'5c* MERGEFORMAT\"\n"), std::string::npos)
        << bare.Dump;
    EXPECT_NE(bare.Dump.find("title=\"ab\"\n"), std::string::npos) << bare.Dump;
}

TEST(RtfReader, UnicodeInTheCodePageOfItsFont)
{
    // Bytes checked against iconv: U+0142 is B3 in CP1250, U+0416 C6 in CP1251, U+03A9 D9 in CP1253,
    // U+4F60 C4 E3 in CP936 (and none in CP932).
    TRead r = Read("{\\rtf1{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset238 Arial CE;}}"
                   "\\f0 a\\u322?b\\u1046?\\u937?\\f1 c\\u322?\\u233?\\u232?\\u20320?}");
    EXPECT_EQ(r.Dump,
              "P0: <font=Arial>a<font=Arial/238>\\'b3<font=Arial>b<font=Arial/204>\\'c6<font=Arial/161>\\'d9"
              "<font=Arial CE/238>c\\'b3\\'e9<font=Arial CE>\\'e8<font=Arial CE/134>\\'c4\\'e3<font=Arial "
              "CE/238><par>\n");
    // Checked the same way: U+05D0 is E0 in CP1255, U+0627 C7 in CP1256, U+01A1 F5 in CP1258, U+0E01 A1
    // in CP874.
    EXPECT_EQ(Dump("{\\rtf1{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0\\u1488?\\u1575?\\u417?\\u3585?}"),
              "P0: "
              "<font=Arial/177>\\'e0<font=Arial/178>\\'c7<font=Arial/163>\\'f5<font=Arial/"
              "222>\\'a1<font=Arial><par>\n");
}

TEST(RtfReader, UnicodeBesideItsEightBitForm)
{
    EXPECT_EQ(Dump("{\\rtf1 {\\upr{a\\'3f}{\\*\\ud{\\u233 e}}}z}"), "P0: \\'e9z<par>\n");
    EXPECT_EQ(Dump("{\\rtf1 {\\upr{\\b ab}{\\*\\ud{\\b a\\u946?c}}}z}"),
              "P0: <b=1>a<font=Times New Roman/161>\\'e2<font=Times New Roman>c<b=0>z<par>\n");
    EXPECT_EQ(Dump("{\\rtf1 {\\upr{\\b ab}{\\*\\ud{\\b a\\u20320?c}}}z}"),
              "P0: <b=1>a<font=Times New Roman/134>\\'c4\\'e3<font=Times New Roman>c<b=0>z<par>\n");
}

TEST(RtfReader, DamagedFilesNeverCrash)
{
    struct {
        const char* rtf;
        bool complete;
    } cases[] = {
        {"{\\rtf1 abc", false},
        {"{\\rtf1 {\\b abc}}}}}", true},
        {"{\\rtf1 \\fs99999999999999999999 \\li-99999999999999 \\cols999999999 \\u99999999999 x}", true},
        {"{\\rtf1 \\'", false},
        {"{\\rtf1 \\'z", false},
        {"{\\rtf1 {\\fonttbl{\\f0", false},
        {"{\\rtf1 {\\colortbl\\red999;", false},
        {"{\\rtf1 {\\upr{", false},
        {"{\\rtf1 {\\*", false},
        {"{\\rtf1 \\bin999999 ab", false},
        {"", false},
        {"}}}", false},
        {"{\\rtf1 {\\header a{\\footnote b", false},
        {"{\\rtf1 a{\\footnote {\\header h}}{\\footnote{\\footnote x}}}", true},
        {"{\\rtf1 {\\stylesheet{\\s1\\sbasedon1\\snext99999999999 a;}{\\s2{\\*\\keycode", false},
        {"{\\rtf1 {\\field{\\*\\fldinst PAGE", false},
        {"{\\rtf1 {\\header{\\*\\fldinst PAGE}}x}", true},
        {"{\\rtf1 {\\field{\\*\\fldinst SYMBOL 99999999999 \\\\f}}}", true},
        {"{\\rtf1 {\\*\\fldinst PAGE}{\\*\\bkmkend a}{\\*\\bkmkstart}\\chftn\\ftnalt}", true},
        {"{\\rtf1 "
         "\\cols-5\\colno99999\\colw-99999999999\\sbkodd\\sect\\sectd\\sect\\paperw-1\\margl2147483647}",
         true},
        {"{\\rtf1 {\\*\\bkmkstart a}{\\*\\bkmkstart b}{\\field{\\*\\fldinst TOC}{\\fldrslt {\\*\\bkmkend "
         "a}x\\sect y",
         false},
        // A note number in a style's entry; fields and bookmarks left open in headers and notes.
        {"{\\rtf1 {\\stylesheet{\\s1 \\chftn a;}}x}", true},
        {"{\\rtf1 {\\footer {\\*\\fldinst PAGE}x}{\\footnote {\\*\\bkmkstart b}n}y{\\*\\bkmkend b}}", true},
        {"{\\rtf1 {\\field{\\*\\fldinst REF a}{\\fldrslt {\\footnote {\\*\\fldinst PAGE}n}}}z}", true},
        {"{\\rtf1 a{\\footnote n\\par{\\*\\fldinst PAGE}{\\*\\bkmkstart c}}{\\header h\\par{\\*\\fldinst "
         "PAGE}}}",
         true},
        // A field that starts in an empty paragraph ends there; a bookmark ends in the story it starts in.
        {"{\\rtf1 {\\field x{\\*\\bkmkstart a}\\par{\\*\\fldinst PAGE}}}", true},
        {"{\\rtf1 {\\footnote {\\*\\bkmkstart a}n{\\footnote m{\\*\\bkmkend a}}}}", true},
    };
    for (auto& c : cases) {
        TRead r = Read(c.rtf);
        EXPECT_EQ(r.Result.Complete, c.complete) << c.rtf;
        EXPECT_TRUE(r.Result.Error.empty()) << c.rtf;
        ExpectFieldMarksPaired(*r.Doc, c.rtf);
    }
    // Deep nesting ends with the reader's message, and what came before stays.
    std::string deep = "{\\rtf1 avant" + std::string(200000, '{') + "x";
    TRead r = Read(deep);
    EXPECT_FALSE(r.Result.Complete);
    EXPECT_FALSE(r.Result.Error.empty());
    EXPECT_EQ(r.Dump.substr(0, 9), "P0: avant");
}

// Every kind of group nested past the depth the reader reads is skipped there without exhausting the
// stack; the rest of the document is read.
TEST(RtfReader, EveryKindOfGroupNestedToTheLimit)
{
    const char* openings[] = {
        "{\\b ",          "{\\field{\\*\\fldinst ", "{\\field{\\fldrslt ", "{\\footnote ", "{\\header ",
        "{\\*\\ud ",      "{\\upr{x}{\\*\\ud ",     "{\\object{\\result ", "{\\shppict ",  "{\\listtext ",
        "{\\pntext{\\pn "};
    for (const char* opening : openings) {
        std::string rtf = "{\\rtf1 a";
        int groups = 0;
        while (rtf.size() < 40 * kMaxReadDepth) {
            rtf += opening;
            groups += static_cast<int>(std::count(opening, opening + strlen(opening), '{') -
                                       std::count(opening, opening + strlen(opening), '}'));
        }
        TRead r = Read(rtf + "x" + std::string(static_cast<size_t>(groups), '}') + "z}");
        EXPECT_TRUE(r.Result.Error.empty()) << opening;
        // What came before stays, and what comes after.
        EXPECT_NE(r.Dump.substr(0, r.Dump.find('\n')).find('a'), std::string::npos) << opening;
        EXPECT_NE(r.Dump.find('z'), std::string::npos) << opening;
        ExpectFieldMarksPaired(*r.Doc, opening);
    }
}

TEST(RtfReader, SectionsAndPageSetupWithinBounds)
{
    TRead r = Read("{\\rtf1\\paperw999999\\paperh1000\\margl99999\\margr-5\\viewscale3 \\colw2000 a\\sect"
                   "\\sectd\\sbkodd\\cols3\\colsx200\\linebetcol\\pgnucrm\\pgnrestart b\\sect\\sectd\\sbknone"
                   "\\cols2\\colno9\\colw3000\\colsr400\\colno1\\colw4000\\colsr500\\titlepg c}",
                   true);
    EXPECT_NE(r.Dump.find("P0: a<sect#0>\nP1: b<sect#1>\nP2: c<par>\n"), std::string::npos) << r.Dump;
    // Page sizes and margins within bounds; a width without columns ignored; the break kind of a
    // section is given by the section after it.
    EXPECT_NE(r.Dump.find("section0: break=3 cols=1 page=31680x1440 margins=12672,0,576,576"),
              std::string::npos)
        << r.Dump;
    EXPECT_NE(r.Dump.find(
                  "section1: break=0 cols=3 gap=200 line page=31680x1440 margins=12672,0,576,576 header=576 "
                  "footer=576 pgn=1/1"),
              std::string::npos)
        << r.Dump;
    EXPECT_NE(r.Dump.find("section2: break=1 cols=2 col1=4000+500 col2=3000+400 page=31680x1440"),
              std::string::npos)
        << r.Dump;
    EXPECT_NE(r.Dump.find("titlepage pgn=0/-1"), std::string::npos) << r.Dump;
    EXPECT_EQ(r.Doc->ViewState.ZoomPercent, 10);
    // A section saved whole says so; the one before it did not.
    const std::string saved = Read("{\\rtf1 a\\sect\\sectd\\sectfullsaved b}", true).Dump;
    const size_t second = saved.find("section1:");
    ASSERT_NE(second, std::string::npos) << saved;
    EXPECT_NE(saved.find(" fullysaved", second), std::string::npos) << saved;
    EXPECT_EQ(saved.find(" fullysaved"), saved.find(" fullysaved", second)) << saved;
    // A break before the first section has nothing to end.
    EXPECT_NE(Read("{\\rtf1\\sbkodd a}", true).Dump.find("section0: break=1"), std::string::npos);
}

TEST(RtfReader, StyleSheet)
{
    TRead r = Read("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s3\\fs20\\snext3 normal;}"
                   "{\\s5\\sbasedon3\\snext6\\b\\fs28\\tx720 "
                   "Titre;}{\\s6\\sbasedon5\\b\\keycode{\\*\\keycode \\ctrl\\shift K} Corps;}"
                   "{\\s7\\sbasedon8 A;}{\\s8\\sbasedon7 B;}{\\s9\\sbasedon9\\snext222 Seul;}{\\*\\cs10\\i "
                   "Accent;}{\\*\\generator x;}"
                   "{\\s11\\sbasedon222 Sans base;}{\\s12\\sbasedon6\\ul\\striked Souligne;}}"
                   "\\pard\\s6 x\\par\\pard\\s99 y}",
                   true);
    const char* expected[] = {
        // "normal" is the built-in style, named as the program names it.
        "style0: \"Normal\" base=-1 next=0 size=20 style=0\n",
        "style1: \"Title\" base=0 next=2 size=28 b=1 style=1 tabs=0\n",
        // A toggle without parameter in a style is the opposite of its base.
        "style2: \"Corps\" base=1 next=2 key=327755 b=0 style=2\n",
        // A loop through two styles is cut.
        "style3: \"A\" base=4 next=3 style=3\n",
        "style4: \"B\" base=0 next=4 style=4\n",
        "style5: \"Seul\" base=-1 next=0 style=5\n",
        "style6: \"Accent\" char base=-1 next=6 i=1 style=6\n",
        "style7: \"Sans base\" base=-1 next=7 style=7\n",
        // Double strike is a toggle of the style passes too; "\\ul" is no such toggle and turns underline on.
        "style8: \"Souligne\" base=2 next=8 dstrike=1 ul=1 style=8\n",
        // Paragraphs name styles by the file's number; an unknown number gives the first style.
        "P0 style=2: x<par>\nP1: y<par>\n",
    };
    for (const char* e : expected)
        EXPECT_NE(r.Dump.find(e), std::string::npos) << e << r.Dump;
    EXPECT_TRUE(r.Result.StyleSheetRead);
}

// Built-in styles are recognised by their English or French names in any letter case; headings are
// what tables of contents list.
TEST(RtfReader, BuiltInStyleNames)
{
    TRead r = Read("{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}{\\s2 Titre 2;}{\\s3 HEADING 3;}"
                   "{\\s4 toc 1;}{\\s5 Heading 10;}{\\s6 Mon style;}}\\pard\\s1 x\\par}");
    const TStyleList& list = *r.Doc->StyleList;
    const struct {
        const char* Name;
        int32_t Id;
    } expected[] = {{"Heading 1", 1}, {"Heading 2", 2},   {"Heading 3", 3},
                    {"TOC 1", 19},    {"Heading 10", -1}, {"Mon style", -1}};
    ASSERT_EQ(list.Count(), 7);
    for (int i = 0; i < 6; ++i) {
        const TStyle& style = *list.StyleOf(i + 1);
        EXPECT_EQ(style.Name, expected[i].Name) << i;
        EXPECT_EQ(style.BuiltInId, expected[i].Id) << i;
        EXPECT_EQ(style.IsHeading(), expected[i].Id >= 1 && expected[i].Id <= 9) << i;
    }
    EXPECT_EQ(list.StyleOf(1)->DisplayName, "Titre 1");
}

TEST(RtfReader, HeadersFootersAndNotes)
{
    TRead r =
        Read("{\\rtf1{\\header\\pard en-t\\'eate\\par}{\\footerf\\pard{\\*\\bkmkstart P}pied}{\\headerl\\par}"
             "a{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} note\\par}b\\chftn{\\footnote\\ftnalt "
             "fin}*{\\footnote x}"
             "\\sect c{\\footer p}}",
             true);
    EXPECT_EQ(
        r.Dump.substr(0, r.Dump.find("section0")),
        "P0: "
        "a<{#0><{#1><vpos=1><noteref><}#1><}#0><vpos=0>b<{#2><{#3><noteref><}#3><}#2><{#4>*<}#4><sect#0>\n"
        "P1: c<par>\n"
        "== footnotes\n"
        "P2: <{#5><{#6><vpos=1><noteref><}#6><vpos=0> note<par><}#5>\n"
        "P3: <{#7>x<par><}#7>\n"
        "== endnotes\n"
        "P4: <{#8>fin<par><}#8>\n"
        "== headers and footers\n"
        "P5: <{#9>en-t\\'eate<par><}#9>\n"
        "P6: <{#10>pied<par><}#10>\n"
        "P7: <{#11><par><}#11>\n"
        "P8: <{#12>p<par><}#12>\n"
        "#0: noteref auto text=#5\n"
        "#1: notenumber\n"
        "#2: noteref auto text=#8\n"
        "#3: notenumber\n"
        "#4: noteref text=#7\n"
        "#5: notetext footnote ref=#0\n"
        "#6: notenumber\n"
        "#7: notetext footnote ref=#4\n"
        "#8: notetext endnote ref=#2\n"
        "#9: headerfooter\n"
        "#10: headerfooter\n"
        "#11: headerfooter\n"
        "#12: headerfooter\n");
    // A bookmark in a header is dropped; the headers go to the slots of their section.
    EXPECT_NE(r.Dump.find("pgn=0/-1 header=#9 evenheader=#11 firstfooter=#10\nsection1:"), std::string::npos)
        << r.Dump;
    EXPECT_NE(r.Dump.find("pgn=0/-1 footer=#12\n"), std::string::npos) << r.Dump;
    // A header read inside a header that holds nothing keeps its place.
    const std::string nested = Read("{\\rtf1 {\\header {\\footer f}}x}", true).Dump;
    EXPECT_NE(nested.find("P1: <{#0>f<par><}#0>\n#0: headerfooter\nsection0: "), std::string::npos) << nested;
    EXPECT_NE(nested.find(" footer=#0\n"), std::string::npos) << nested;
    // Where breaks are forbidden, notes and headers are left out.
    TDocument doc;
    doc.SetModeFlag(mfNoBreaks, true);
    std::string rtf = "{\\rtf1 a{\\header h}{\\footnote n}\\page b\\sect c}";
    TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
    ReadRtfDocument(doc, input);
    doc.FinishParagraphs();
    EXPECT_EQ(DumpDocument(doc), "P0: ab<par>\nP1: c<par>\n");
}

TEST(RtfReader, FieldsAndBookmarks)
{
    TRead r =
        Read("{\\rtf1{\\fonttbl{\\f0 Arial;}}a{\\field{\\*\\fldinst { page } \\\\* arabe}{\\fldrslt 3}}"
             "b{\\field{\\*\\fldinst SYMBOL 183 \\\\f \"Symbol\"}}{\\field{\\*\\fldinst INCONNU x}{\\fldrslt "
             "texte}}"
             "{\\field{\\*\\fldinst HYPERLINK \"http://a.fr/arabe\"}}"
             "{\\field{\\*\\fldinst TOC \\\\o \"1-3\"}{\\fldrslt{\\pard Titre\\par}}}"
             "{\\field{\\*\\fldinst IF {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} = 1 \"un\"}{\\fldrslt un}}"
             "{\\*\\bkmkstart S}{\\*\\bkmkstart s}c\\par{\\*\\bkmkend S}{\\*\\bkmkend X}{\\*\\bkmkstart Z}d"
             "{\\*\\bkmkstart V}{\\*\\bkmkend V}}");
    EXPECT_EQ(r.Dump,
              // Switch words are translated; a symbol without result shows its character in its font;
              // an unknown keyword leaves its result as plain text; other fields without result show
              // "?"; a field inside an instruction is a field of its own.
              "P0: a<{#0>3<}#0>b<{#1><font=Symbol/2>\\'b7<}#1><font=Times New "
              "Roman>texte<{#2>?<}#2><{#3>Titre<par><}#3>\n"
              "P1: <{#4>1<}#4><{#5>un<}#5><{#6>c<par><}#6>\n"
              "P2: <{#7>d<{#8><}#8><}#7><par>\n"
              "#0: code type=33 \"PAGE  \\'5c* ARABIC\"\n"
              "#1: code type=57 \"SYMBOL 183 \\'5cf \"Symbol\"\"\n"
              "#2: code type=88 \"HYPERLINK \"http://a.fr/arabe\"\"\n"
              "#3: code type=13 \"TOC \\'5co \"1-3\"\"\n"
              "#4: code type=33 \"PAGE\"\n"
              "#5: code type=7 \"IF  = 1 \"un\"\"\n"
              // One bookmark per name whatever its case; an end at a paragraph's start closes the
              // paragraph before; a bookmark never closed ends with the text.
              "#6: bookmark \"S\"\n"
              "#7: bookmark \"Z\"\n"
              "#8: bookmark \"V\"\n");
}

TEST(RtfReader, MacintoshCharacterSet)
{
    // Checked against iconv: MACINTOSH 8e 8f d0 d5 c9 is WINDOWS-1252 e9 e8 96 92 85.
    EXPECT_EQ(Dump("{\\rtf1\\mac \\'8e\\'8f\\'d0\\'d5\\'c9}"), "P0: \\'e9\\'e8<endash>\\'92\\'85<par>\n");
}

// Forms real writers use that a reader of the standard alone gets wrong.
TEST(RtfReader, FilesAsRealWritersWriteThem)
{
    struct {
        const char* rtf;
        const char* dump;
    } cases[] = {
        // Escaped backslash and braces, named and as bytes.
        {"{\\rtf1 x\\\\y \\{z\\} \\'5c\\'7b\\'7d}", "P0: x\\'5cy {z} \\'5c{}<par>\n"},
        // A tab byte in the text is a tab.
        {"{\\rtf1 a\tb}", "P0: a<tab>b<par>\n"},
        // A table in a cell: each inner row a paragraph of cells parted by tabs.
        {"{\\rtf1 \\trowd\\cellx1\\cellx2 x\\par\\itap2 a\\nestcell b\\nestcell{\\*\\nesttableprops\\trowd"
         "\\cellx5\\cellx6\\nestrow}{\\nonesttables\\par a\\tab b}\\itap1 y\\cell z\\cell\\row}",
         "P0: x<par>\nP1: a<tab>b<par>\nP2: y<tab>z<par>\nP3: <par>\n"},
        {"{\\rtf1 \\bullet\\tab item}", "P0: \\'95<tab>item<par>\n"},
        // Blank before the destination word; list-table words outside the list table; newer
        // destinations without their star.
        {"{\\rtf1{ \\fonttbl{\\f0 Arial;}}{\\listtable{\\list{\\listlevel{\\leveltext \\'01\\'95;}}"
         "{\\listname L;}}}{\\listoverridetable{\\listoverride\\ls1}}{\\themedata 0a0b}"
         "{\\colorschememapping 3c3f}{\\datastore 0105}{\\xmlnstbl{\\xmlns1 http://x}}{\\generator W;}"
         "a{ \\b b}}",
         "P0: a <b=1>b<b=0><par>\n"},
        // Word 6 text box: its text is read.
        {"{\\rtf1 a{\\*\\do\\dobxcolumn\\dptxbx{\\dptxbxtext\\pard\\plain box\\par}\\dpx0\\dpy0}b}",
         "P0: abox<par>\nP1: b<par>\n"},
        // "\plain" goes back to the document's default font.
        {"{\\rtf1\\deff1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\f0 a\\plain b}",
         "P0: <font=Arial>a<font=Courier New>b<par>\n"},
        // An object the file leaves open does not swallow the paragraph after it.
        {"{\\rtf1 a{\\object\\objemb{\\*\\objclass P}{\\*\\objdata 0102}\\par next\\par}",
         "P0: a<par>\nP1: next<par>\nP2: <par>\n"},
    };
    for (auto& c : cases)
        EXPECT_EQ(Dump(c.rtf), c.dump) << c.rtf;
}

// Each byte is read in the code page of where it came from.
TEST(RtfReader, CodePagesOfDocumentAndFonts)
{
    struct {
        const char* rtf;
        const char* dump;
    } cases[] = {
        // A font without character set is in the document's code page; 256 is no character set.
        {"{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset256 Tahoma;}{\\f2\\fcharset0 "
         "Verdana;}}\\f0 \\'c6\\f1 \\'c6\\f2 \\'c6}",
         "P0: <font=Arial/204>\\'c6<font=Tahoma/204>\\'c6<font=Verdana>\\'c6<par>\n"},
        {"{\\rtf1\\ansi\\ansicpg1253{\\fonttbl{\\f0 Arial;}}\\f0 \\'d9}", "P0: <font=Arial/161>\\'d9<par>\n"},
        // Macintosh: raw bytes are remapped, characters given by name or number are already Windows ones.
        {"{\\rtf1\\mac \\'d5\\rquote\\ldblquote\\u233?}", "P0: \\'92\\'92\\'93\\'e9<par>\n"},
        {"{\\rtf1\\ansi\\ansicpg10000 \\'8e}", "P0: \\'e9<par>\n"},
        // Macintosh Cyrillic and Central European bytes become those of the Windows pages (checked
        // against iconv: CP10007 80 E0 is CP1251 C0 E0; MAC-CENTRALEUROPE 80 88 is CP1250 C4 B9).
        {"{\\rtf1\\mac\\ansicpg10007{\\fonttbl{\\f0 Arial;}}\\f0 \\'80\\'e0}",
         "P0: <font=Arial/204>\\'c0\\'e0<par>\n"},
        {"{\\rtf1\\mac\\ansicpg10029{\\fonttbl{\\f0 Arial;}}\\f0 \\'80\\'88}",
         "P0: <font=Arial/238>\\'c4\\'b9<par>\n"},
        // Double-byte text keeps its bytes, trail bytes 0x96, 0x97 and 0xA0 included.
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 \\'82\\'a0\\'83\\'96\\'83\\'97\\'81\\'5c\\tab "
         "x}",
         "P0: <font=MS Mincho/128>\\'82\\'a0\\'83\\'96\\'83\\'97\\'81\\'5c<tab>x<par>\n"},
        // A Unicode character in a double-byte font takes its bytes there (checked against iconv:
        // U+65E5 is 93 FA in CP932, U+5869 89 96, U+4E2D D6 D0 in CP936).
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Mincho;}{\\f1\\fcharset134 SimSun;}}\\f0\\u26085?\\u22633?"
         "\\f1\\u20013?}",
         "P0: <font=MS Mincho/128>\\'93\\'fa\\'89\\'96<font=SimSun/134>\\'d6\\'d0<par>\n"},
        // In a font of no double-byte set, the same font with a double-byte set that holds the
        // character: the language's first (U+4E2D is 92 86 in CP932, D6 D0 in CP936; U+D55C only in
        // CP949, C7 D1); the fallback stands for a character no page holds.
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\uc0\\u26085 \\u20013 a\\lang2052\\u20013 \\u-10916 "
         "\\uc1\\u3713?}",
         "P0: <font=Arial/128>\\'93\\'fa\\'92\\'86<font=Arial>a<lang=2052><font=Arial/134>\\'d6\\'d0"
         "<font=Arial/129>\\'c7\\'d1<font=Arial>?<par>\n"},
        // Macintosh font character sets: bytes in the Macintosh page of the font's script (checked
        // against iconv as above), in a Macintosh document too; double-byte sets keep their bytes.
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset89 Arial;}{\\f1\\fcharset88 Arial;}{\\f2\\fcharset77 Times;}}"
         "\\f0 \\'80\\'e0\\f1 \\'80\\'88\\f2 \\'8e}",
         "P0: <font=Arial/204>\\'c0\\'e0<font=Arial/238>\\'c4\\'b9<font=Times>\\'e9<par>\n"},
        {"{\\rtf1\\mac{\\fonttbl{\\f0\\fcharset89 Arial;}{\\f1 Helvetica;}{\\f2\\fcharset78 Osaka;}}\\f0 "
         "\\'80\\f1 \\'8e\\f2 \\'82\\'a0}",
         "P0: <font=Arial/204>\\'c0<font=Helvetica>\\'e9<font=Osaka/128>\\'82\\'a0<par>\n"},
    };
    for (auto& c : cases)
        EXPECT_EQ(Dump(c.rtf), c.dump) << c.rtf;
}
