// The RTF reader: text, formats, tables, destinations, and damaged files that must never crash it.
#include <gtest/gtest.h>

#include <string>

#include "core/TabTables.h"
#include "document/Document.h"
#include "formats/DocumentDump.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfReader.h"

namespace {

struct TRead {
    std::string Dump;
    TRtfReadResult Result;
};

TRead Read(const std::string& rtf, TTabManager* tabs = nullptr) {
    TDocument doc;
    TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
    TRead r;
    r.Result = ReadRtfDocument(doc, input, tabs);
    FinishParagraphs(doc);
    r.Dump = DumpDocument(doc);
    return r;
}

std::string Dump(const std::string& rtf) { return Read(rtf).Dump; }

} // namespace

TEST(RtfReader, TextAndCharacterFormats) {
    struct {
        const char* rtf;
        const char* dump;
    } cases[] = {
        {"{\\rtf1 {\\b bold} plain}", "P0: <b=1>bold<b=0> plain<par>\n"},
        {"{\\rtf1 a{\\*\\unknown text}b{\\comment c}d{\\unknownword e}}", "P0: abde<par>\n"},
        {"{\\rtf1 \\u8364?\\u20320?\\uc2\\u233xyz}", "P0: \\'80?\\'e9z<par>\n"},
        {"{\\rtf1 \\fs1 a\\fs2001 b\\fs20 c\\charscalex700 d\\charscalex50 e}", "P0: ab<size=20>cd<scale=50>e<par>\n"},
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
    for (auto& c : cases) EXPECT_EQ(Dump(c.rtf), c.dump) << c.rtf;
}

TEST(RtfReader, FontAndColourTables) {
    std::string rtf = "{\\rtf1{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss\\fcharset77 Arial;}"
                      "{\\f2\\fnil ;}{\\*\\generator x;}{\\f3\\fmodern Courier New{\\*\\falt Courier};}}"
                      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                      "\\f1 a\\f2 b\\f0 c\\cf1 d\\cf2 e\\cf9 f\\cf0 g\\f3 h}";
    EXPECT_EQ(Dump(rtf), "P0: <font=Arial>a<font=Times New Roman>bc<color=6>d<color=2>e<color=0>fg<font=Courier New>h<par>\n");
    // Without a colour table every colour is the automatic one.
    EXPECT_EQ(Dump("{\\rtf1 \\cf3 a}"), "P0: a<par>\n");
    // Fonts without braces around their entries.
    EXPECT_EQ(Dump("{\\rtf1{\\fonttbl\\f0\\fswiss Arial;\\f1\\froman Times New Roman;}\\f1 a\\f0 b}"),
              "P0: a<font=Arial>b<par>\n");
}

TEST(RtfReader, ParagraphFormatsAndTabs) {
    TTabManager tabs;
    TRead r = Read("{\\rtf1\\deftab567 \\pard\\qc\\li720\\ri360\\fi-360\\sb120\\sa60\\sl0\\keepn a\\par"
                   "\\pard\\tx1000\\tqr\\tldot\\tx5000 b\\par\\pard\\sl-300\\slmult1 c\\par\\sl360\\slmult1 d}",
                   &tabs);
    EXPECT_EQ(r.Dump, "P0 fi=-360 li=720 ri=360 align=1 keepn=1 sb=120 sa=60: a<par>\n"
                      "P1 tabs=0: b<par>\n"
                      "P2 sl=-300 slrule=0: c<par>\n"
                      "P3 sl=360: d<par>\n");
    ASSERT_EQ(tabs.Count(), 1);
    ASSERT_EQ(tabs.Table(0).Count(), 2);
    EXPECT_EQ(tabs.Table(0)[1], PackTabStop(5000, tkRight, tlDots));
    EXPECT_EQ(tabs.DefaultTabInterval(), 567);
    EXPECT_EQ(r.Result.Settings.DefaultTab, 567);
}

TEST(RtfReader, DocumentSettingsAndInformation) {
    TRead r = Read("{\\rtf1\\viewscale900\\viewzk2\\deflang1036 {\\info{\\title Mon \\'e9t\\'e9}{\\author Jean}"
                   "{\\*\\company ACME}{\\creatim\\yr2020}}{\\*\\autosavedorigfmt MS Word 97}x}");
    EXPECT_EQ(r.Result.Settings.ZoomPercent, 500);
    EXPECT_EQ(r.Result.Settings.ZoomKind, 1);
    EXPECT_EQ(r.Result.Settings.Title, "Mon été");
    EXPECT_EQ(r.Result.Settings.Author, "Jean");
    EXPECT_EQ(r.Result.Settings.Company, "ACME");
    EXPECT_EQ(r.Result.Settings.OriginalCoding, 2);
    EXPECT_EQ(r.Dump, "P0: <lang=1036>x<par>\n");
}

TEST(RtfReader, UnicodeBesideItsEightBitForm) {
    EXPECT_EQ(Dump("{\\rtf1 {\\upr{a\\'3f}{\\*\\ud{\\u233 e}}}z}"), "P0: \\'e9z<par>\n");
    EXPECT_EQ(Dump("{\\rtf1 {\\upr{\\b ab}{\\*\\ud{\\b a\\u946?c}}}z}"), "P0: <b=1>a?c<b=0>z<par>\n");
}

TEST(RtfReader, DamagedFilesNeverCrash) {
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
    };
    for (auto& c : cases) {
        TRead r = Read(c.rtf);
        EXPECT_EQ(r.Result.Complete, c.complete) << c.rtf;
        EXPECT_TRUE(r.Result.Error.empty()) << c.rtf;
    }
    // Deep nesting ends with the reader's message, and what came before stays.
    std::string deep = "{\\rtf1 avant" + std::string(200000, '{') + "x";
    TRead r = Read(deep);
    EXPECT_FALSE(r.Result.Complete);
    EXPECT_FALSE(r.Result.Error.empty());
    EXPECT_EQ(r.Dump.substr(0, 9), "P0: avant");
}
