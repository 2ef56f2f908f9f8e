// Damaged RTF files opened through the load: each gives what could be read, or fails with the load's
// French message, and never crashes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/windowing/DialogTypes.h"
#include "document/Document.h"
#include "core/Codings.h"
#include "formats/DocumentDump.h"
#include "formats/load/DocumentLoad.h"
#include "tests/common/test_support.h"
#include "tests/formats/field_marks.h"

TEST(RtfMalformedFiles, PartialDocumentOrTheLoadsMessage)
{
    const std::string failed = "Une erreur s'est produite lors de l'ouverture du document";
    struct {
        const char* file;
        const char* dump;   // what the document holds; null when the load fails with its message
        bool whole = false; // the dump goes on with the sections and settings
    } cases[] = {
        // Cut inside a picture: the text before it stays, the half picture is dropped.
        {"tronque.rtf", "P0: D\\'e9but du document.<par>\n"
                        "P1: <{#0>1<}#0>, puis <b=1>gras<b=0> et une image : <par>\n"
                        "#0: code type=33 \"PAGE\"\n"},
        // Groups never closed end with the data.
        {"ouvert.rtf", "P0: Premier <b=1>gras<b=0> paragraphe.<par>\n"
                       "P1: <i=1>italique <ul=1>soulign\\'e9 <color=6>rouge<par>\n"
                       "P2: <color=6><ul=1><i=1>sans fin<color=0><ul=0><i=0><par>\n"},
        // A closing brace too many ends the document there.
        {"fermetures-en-trop.rtf", "P0: Texte <b=1>gras<b=0><par>\n"},
        // Numbers beyond any range are brought within the program's, or ignored; broken escapes are
        // text; binary data announced beyond the end of the file end it.
        {"nombres-absurdes.rtf",
         "P0 fi=31680 li=-31680 sl=-31680 slrule=0 sb=31680: <spacing=-32767><raise=16383>Nombres ? ? "
         "absurdeszz\\'e9.<par>\n"
         "P1 fi=31680 li=-31680 sl=-31680 slrule=0 sb=31680: <raise=16383><spacing=-32767><picture#0><par>\n"
         "P2 fi=31680 li=-31680 sl=-31680 slrule=0 sb=31680: "
         "<{#0><raise=16383><spacing=-32767><font=Symbol/2>\\'ff<}#0>"
         "<font=Times New Roman><par>\n"
         "#0: code type=57 \"SYMBOL 99999999999 \\'5cf \"Symbol\"\"\n"
         "picture#0: 31680x31680 twips 1000%x1% bitmap 16x8\n"
         "section0: break=1 cols=64 gap=720 page=1440x31680 margins=576,0,1417,1417 header=720 footer=720 "
         "pgn=0/-1\n"
         "footnotes: position=0 format=0 start=1 restart=0\n"
         "endnotes: position=0 format=0 start=1 restart=0\n"
         "zoom=10/0 widow=0 lang=-1\n",
         true},
        // Well formed but nested five thousand groups deep: the groups past the depth the reader
        // recurses to are read as one.
        {"imbrication-profonde.rtf", "P0: Avant.<b=1>profond<b=0><par>\n"},
        // Each damaged picture is dropped alone (no kind, no data, cut short, damaged check value, a
        // JPEG cut short or without picture, metafile headers cut, stray characters in the digits); the
        // last one's binary data run past the end of the file.
        {"images-cassees.rtf", "P0: Images : 1  2  3  4  5  6  7  8  9  10 <par>\n"},
    };
    for (auto& c : cases) {
        std::vector<std::string> asked;
        TDocument doc;
        TDocOpeningOptions options;
        options.FileName = qptest::DataPath(std::string("rtf/abimes/") + c.file);
        options.Coding = cdRtf;
        TLoadedDocument loaded;
        const bool ok = LoadDocumentFromFile(doc, options, loaded,
                                             [&asked](const std::string& text, uint8_t, uint16_t, uint8_t) {
                                                 asked.push_back(text);
                                                 return static_cast<int>(mrOk);
                                             });
        if (!c.dump) {
            EXPECT_FALSE(ok) << c.file;
            ASSERT_EQ(asked.size(), 1u) << c.file;
            EXPECT_EQ(asked[0].find(failed), 0u) << asked[0];
            continue;
        }
        ASSERT_TRUE(ok) << c.file;
        EXPECT_TRUE(asked.empty()) << c.file << ": " << (asked.empty() ? "" : asked[0]);
        EXPECT_EQ(DumpDocument(doc, c.whole), c.dump) << c.file;
        ExpectFieldMarksPaired(doc, c.file);
    }
}
