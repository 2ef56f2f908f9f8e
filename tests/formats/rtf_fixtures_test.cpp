// RTF files made by independent programs open to the dumps committed beside them. With the variable
// QP_UPDATE_DUMPS set, the dumps are written instead (to be reviewed before committing).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "core/TabTables.h"
#include "document/Document.h"
#include "formats/DocumentDump.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfReader.h"
#include "tests/common/test_support.h"
#include "tests/formats/field_marks.h"

namespace {

std::string DumpOfFile(const std::string& name)
{
    std::string rtf = qptest::ReadFileBytes(qptest::DataPath("rtf/" + name));
    EXPECT_FALSE(rtf.empty()) << name;
    TDocument doc;
    TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
    TRtfReadResult result = ReadRtfDocument(doc, input);
    EXPECT_TRUE(result.Complete) << name;
    doc.FinishParagraphs();
    std::string dump = DumpDocument(doc, true);
    const TTabManager& tabs = *doc.TabManager;
    for (int i = 0; i < tabs.Count(); ++i) {
        dump += "tabs " + std::to_string(i) + ":";
        for (int k = 0; k < tabs.Table(i).Count(); ++k) {
            int32_t position, kind, leader;
            UnpackTabStop(tabs.Table(i)[k], position, kind, leader);
            dump +=
                " " + std::to_string(position) + "/" + std::to_string(kind) + "/" + std::to_string(leader);
        }
        dump += "\n";
    }
    return dump;
}

class RtfFixture : public testing::TestWithParam<const char*> {};

} // namespace

TEST_P(RtfFixture, OpensToItsDump)
{
    std::string name = GetParam();
    std::string dump = DumpOfFile(name + ".rtf");
    std::string expectedPath = qptest::DataPath("rtf/" + name + ".dump");
    if (std::getenv("QP_UPDATE_DUMPS")) {
        std::ofstream(expectedPath, std::ios::binary) << dump;
        return;
    }
    EXPECT_EQ(dump, qptest::ReadFileBytes(expectedPath));
}

INSTANTIATE_TEST_SUITE_P(Files, RtfFixture,
                         testing::Values("caracteres-lo", "caracteres-abi", "structure-lo", "structure-abi",
                                         "images-lo", "images-abi", "champs-lo", "champs-abi", "ecritures-lo",
                                         "ecritures-abi", "ecritures-octets"));

// Every cut of the files with headers, notes, fields and sections reads without fault, and the
// paragraphs and stories always add up.
TEST(RtfFixtureCuts, EveryTruncationReadsCleanly)
{
    for (const char* name : {"structure-lo.rtf", "structure-abi.rtf"}) {
        std::string rtf = qptest::ReadFileBytes(qptest::DataPath(std::string("rtf/") + name));
        for (size_t cut = 0; cut < rtf.size(); cut += 5) {
            TDocument doc;
            TLoadInput input(rtf.data(), static_cast<int64_t>(cut));
            ReadRtfDocument(doc, input);
            doc.FinishParagraphs();
            int32_t total = 0;
            for (int32_t length : doc.StoryLengths)
                total += length;
            ASSERT_EQ(total, doc.ParagraphCount()) << name << " cut at " << cut;
            ASSERT_GE(doc.StoryLengths[stMain], 1);
            doc.UpdateFields();
            ExpectFieldMarksPaired(doc, std::string(name) + " cut at " + std::to_string(cut));
        }
    }
}

// The fixtures changed at random places (groups, destinations and words put in, bytes cut or changed)
// read without fault, and every field keeps its two marks.
TEST(RtfFixtureMutations, ChangedFilesReadCleanly)
{
    static const char* const pieces[] = {"{",
                                         "}",
                                         "\\",
                                         "\\par ",
                                         "\\sect ",
                                         "{\\footnote ",
                                         "{\\header ",
                                         "{\\field{\\*\\fldinst PAGE}",
                                         "{\\*\\bkmkstart a}",
                                         "{\\*\\bkmkend a}",
                                         "\\chftn ",
                                         "{\\pict\\pngblip ",
                                         "{\\object{\\result ",
                                         "\\u233 ",
                                         "\\'e9",
                                         "\\bin5 ",
                                         "{\\stylesheet{\\s1 a;}",
                                         "\\cell ",
                                         "\\row ",
                                         "\\pnlvlblt ",
                                         "{\\*\\ud ",
                                         "{\\upr{",
                                         "\\deleted ",
                                         "{\\fonttbl{\\f1 X;}",
                                         "\\uc0 ",
                                         "\\s5 "};
    std::mt19937 random(12345);
    for (const char* name : {"structure-lo.rtf", "structure-abi.rtf", "champs-lo.rtf", "champs-abi.rtf"}) {
        const std::string original = qptest::ReadFileBytes(qptest::DataPath(std::string("rtf/") + name));
        ASSERT_FALSE(original.empty()) << name;
        for (int round = 0; round < 150; ++round) {
            std::string rtf = original;
            for (int changes = 1 + random() % 6; changes > 0; --changes) {
                const size_t at = random() % rtf.size();
                switch (random() % 3) {
                case 0: rtf.insert(at, pieces[random() % std::size(pieces)]); break;
                case 1: rtf.erase(at, 1 + random() % 20); break;
                default: rtf[at] = static_cast<char>(random()); break;
                }
            }
            TDocument doc;
            TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
            ReadRtfDocument(doc, input);
            doc.FinishParagraphs();
            doc.UpdateFields();
            ExpectFieldMarksPaired(doc, std::string(name) + " change " + std::to_string(round));
            if (HasFailure())
                return;
        }
    }
}
