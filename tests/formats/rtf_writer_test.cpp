// The RTF writer: what a document written as RTF reads back as (the committed fixtures and random
// documents), the same bytes on a second write, and the exact form of the words the writer is known for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "core/Memory.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "formats/DocumentDump.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfReader.h"
#include "formats/rtf/RtfWriter.h"
#include "tests/common/test_support.h"
#include "tests/formats/field_marks.h"

namespace {

std::unique_ptr<TDocument> ReadRtf(const std::string& rtf)
{
    auto doc = std::make_unique<TDocument>();
    TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
    ReadRtfDocument(*doc, input);
    doc->FinishParagraphs();
    return doc;
}

std::string WriteRtfText(TDocument& doc, bool eightBit)
{
    TMemory out;
    TRtfWriteOptions options;
    options.EightBit = eightBit;
    WriteRtf(doc, doc.GetBodyRange(), options, out);
    return std::string(reinterpret_cast<const char*>(out.Data()), size_t(out.Size()));
}

// Each run of format tags as the changes it makes, in field order: the order of the tags of one run
// means nothing, and a paragraph's formats start from the default.
void CanonicalFormatTags(TDocument& doc)
{
    for (auto& p : doc.Paragraphs) {
        const std::vector<uint8_t> s(p->Text.Data(), p->Text.Data() + p->Text.Size());
        std::vector<uint8_t> out;
        TCharFormat current = DefaultCharFormat();
        size_t pos = 0;
        while (pos < s.size()) {
            if (s[pos] != 0 || s.size() - pos < InlineTagSize || !IsFormatTag(TagCode(&s[pos]))) {
                const size_t n = s[pos] != 0 ? 1 : std::min<size_t>(InlineTagSize, s.size() - pos);
                out.insert(out.end(), s.begin() + long(pos), s.begin() + long(pos + n));
                pos += n;
                continue;
            }
            TCharFormat after = current;
            for (; s.size() - pos >= InlineTagSize && s[pos] == 0 && IsFormatTag(TagCode(&s[pos]));
                 pos += InlineTagSize)
                after[TagCode(&s[pos])] = TagValue(&s[pos]);
            for (int f = 0; f < CharFormatFieldCount; ++f) {
                if (after[f] == current[f])
                    continue;
                uint8_t tag[InlineTagSize] = {0, 0, 0, 0, 0, 0, 0, 1};
                SetTag(tag, f, after[f]);
                out.insert(out.end(), tag, tag + InlineTagSize);
            }
            current = after;
        }
        p->Text.Assign(out.data(), static_cast<int32_t>(out.size()));
    }
}

// The dump (of the canonical tags) without the mark of sections that the file held whole: a property of the
// file read, not of the document.
std::string Dump(TDocument& doc)
{
    CanonicalFormatTags(doc);
    std::string dump = DumpDocument(doc, true);
    for (size_t at; (at = dump.find(" fullysaved")) != std::string::npos;)
        dump.erase(at, 11);
    return dump;
}

// Read, write, read gives the same document; the second write gives the same bytes as the first.
void ExpectRoundTrip(const std::string& rtf, const std::string& context)
{
    for (bool eightBit : {false, true}) {
        auto first = ReadRtf(rtf);
        const std::string written = WriteRtfText(*first, eightBit);
        auto second = ReadRtf(written);
        ExpectFieldMarksPaired(*second, context);
        const std::string again = WriteRtfText(*second, eightBit);
        ASSERT_EQ(Dump(*first), Dump(*second)) << context << (eightBit ? " (8-bit)" : " (7-bit)") << "\n"
                                               << written;
        EXPECT_EQ(written, again) << context;
    }
}

class RtfWriterFixture : public testing::TestWithParam<const char*> {};

} // namespace

TEST_P(RtfWriterFixture, ReadsBackAsTheSameDocument)
{
    std::string name = GetParam();
    ExpectRoundTrip(qptest::ReadFileBytes(qptest::DataPath("rtf/" + name + ".rtf")), name);
}

INSTANTIATE_TEST_SUITE_P(Files, RtfWriterFixture,
                         testing::Values("caracteres-lo", "caracteres-abi", "structure-lo", "structure-abi",
                                         "images-lo", "images-abi", "champs-lo", "champs-abi"));

namespace {

// A small PNG picture, in hexadecimal.
std::string PngHex()
{
    static const std::string hex = [] {
        const std::string png = qptest::ReadFileBytes(qptest::DataPath("png/basn0g01.png"));
        std::string h;
        for (unsigned char c : png) {
            h += "0123456789abcdef"[c >> 4];
            h += "0123456789abcdef"[c & 15];
        }
        return h;
    }();
    return hex;
}

// A random document, given as the RTF text that the reader makes it from: text with accents and
// special characters, every character and paragraph format, tabs, styles, sections with columns,
// headers, footers, notes, fields, bookmarks and pictures.
class TRandomDocument {
public:
    explicit TRandomDocument(unsigned seed) : Random(seed) {}

    std::string Make()
    {
        std::string s =
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}"
            "{\\f2\\fmodern Courier New;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
            "{\\stylesheet{\\s0 Normal;}{\\s1\\sbasedon0\\snext0\\b\\fs32\\sb240\\keepn heading 1;}"
            "{\\s2\\sbasedon0\\snext2\\i\\li720\\tx1440 Citation;}}"
            "{\\info{\\title Titre \\'e9t\\'e9}{\\author Auteur}}\\ftnbj\\aenddoc\\viewscale120\n";
        s += Section(true);
        const int paragraphs = 3 + Pick(12);
        for (int i = 0; i < paragraphs; ++i) {
            s += Paragraph();
            if (i + 1 < paragraphs)
                s += Pick(8) == 0 ? "\\sect\\sectd" + Section(false) + "\n" : "\\par\n";
        }
        return s + "}";
    }

private:
    int Pick(int n) { return static_cast<int>(Random() % unsigned(n)); }

    std::string Section(bool first)
    {
        std::string s;
        if (first)
            s += "\\paperw11906\\paperh16838\\margl1134\\margr1134";
        else if (Pick(2))
            s += "\\sbknone";
        if (Pick(2))
            s += "\\cols" + std::to_string(2 + Pick(2)) + "\\colsx" + std::to_string(360 + Pick(5) * 36);
        if (Pick(3) == 0)
            s += "\\linebetcol";
        if (Pick(2))
            s += "\\pgnrestart\\pgnstarts" + std::to_string(1 + Pick(9)) + "\\pgnlcrm";
        if (Pick(2))
            s += "{\\header \\pard\\qc En-t\\'eate " + Words() + "\\par}";
        if (Pick(2))
            s += "{\\footer \\pard\\qr Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}\\par}";
        return s;
    }

    std::string Words()
    {
        static const char* const words[] = {"texte",
                                            "\\'e9t\\'e9",
                                            "na\\'efve",
                                            "\\'c0 bient\\'f4t",
                                            "\\{accolades\\}",
                                            "barre\\\\oblique",
                                            "\\'9cuvre",
                                            "\\'80 5",
                                            "\\ldblquote cit\\'e9\\rdblquote ",
                                            "\\emdash ",
                                            "\\endash ",
                                            "\\~",
                                            "\\_",
                                            "\\-",
                                            "\\tab ",
                                            "\\line ",
                                            "caf\\'e9"};
        std::string s;
        for (int n = 1 + Pick(4); n > 0; --n) {
            s += words[Pick(std::size(words))];
            s += ' ';
        }
        return s;
    }

    std::string CharFormat()
    {
        static const char* const formats[] = {
            "\\b",          "\\i",        "\\ul",    "\\uldb",      "\\ulwave",
            "\\strike",     "\\striked1", "\\scaps", "\\caps",      "\\shad",
            "\\outl",       "\\embo",     "\\impr",  "\\cf1",       "\\cf2",
            "\\highlight2", "\\ulc1",     "\\super", "\\sub",       "\\charscalex150",
            "\\expndtw30",  "\\up6",      "\\dn4",   "\\kerning12", "\\lang1033",
            "\\f1",         "\\f2",       "\\fs20",  "\\fs36"};
        std::string s;
        for (int n = 1 + Pick(3); n > 0; --n)
            s += formats[Pick(std::size(formats))];
        return s;
    }

    std::string ParaFormat()
    {
        static const char* const formats[] = {"\\qc",
                                              "\\qr",
                                              "\\qj",
                                              "\\li720",
                                              "\\ri360",
                                              "\\fi-360",
                                              "\\sb120",
                                              "\\sa240",
                                              "\\sl360\\slmult1",
                                              "\\keepn",
                                              "\\keep",
                                              "\\pagebb",
                                              "\\s1",
                                              "\\s2",
                                              "\\tqc\\tx2880",
                                              "\\tqr\\tldot\\tx5040",
                                              "\\tb3600"};
        std::string s = "\\pard";
        for (int n = Pick(3); n > 0; --n)
            s += formats[Pick(std::size(formats))];
        return s + " ";
    }

    std::string Paragraph()
    {
        std::string s = ParaFormat();
        for (int n = 1 + Pick(5); n > 0; --n) {
            switch (Pick(9)) {
            case 0: s += "{" + CharFormat() + " " + Words() + "}"; break;
            case 1:
                s += "{\\field{\\*\\fldinst HYPERLINK \"http://exemple.fr/\"}{\\fldrslt " + Words() + "}}";
                break;
            case 2:
                s += "{\\*\\bkmkstart signet" + std::to_string(Bookmark) + "}" + Words() +
                     "{\\*\\bkmkend signet" + std::to_string(Bookmark) + "}";
                ++Bookmark;
                break;
            case 3:
                s += "{\\super\\chftn}{\\footnote" + std::string(Pick(2) ? "\\ftnalt" : "") +
                     " \\pard\\plain {\\super\\chftn} Note " + Words() + "}";
                break;
            case 4:
                s += std::string("{\\pict") +
                     (Pick(2) ? "{\\*\\picprop{\\sp{\\sn fLockAspectRatio}{\\sv 0}}}" : "") +
                     "\\pngblip\\picwgoal600\\pichgoal300 " + PngHex() + "}";
                break;
            case 5:
                s += "{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objname Dessin}\\objw1000\\objh500"
                     "{\\*\\objdata "
                     "01050000020000000e000000}{\\result{\\pict\\pngblip\\picwgoal2000\\pichgoal1000 " +
                     PngHex() + "}}}";
                break;
            default: s += Words(); break;
            }
        }
        return s;
    }

    std::mt19937 Random;
    int Bookmark = 0;
};

std::string WrittenAs(const std::string& rtf, bool eightBit)
{
    auto doc = ReadRtf(rtf);
    return WriteRtfText(*doc, eightBit);
}

} // namespace

TEST(RtfWriter, RandomDocumentsReadBackAsTheSameDocument)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        TRandomDocument random(seed);
        ExpectRoundTrip(random.Make(), "seed " + std::to_string(seed));
        if (HasFatalFailure())
            return;
    }
}

TEST(RtfWriter, EscapesAndSpacesAsTheFormatWants)
{
    const std::string body =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\pard a\\{b\\}c\\\\ \\'e9t\\'e9 "
        "{\\b gras}suite}";
    const std::string seven = WrittenAs(body, false);
    EXPECT_NE(seven.find("a\\{b\\}c\\\\ \\'e9t\\'e9 "), std::string::npos) << seven;
    // A control word followed by text has one space between them; a group's end needs none.
    EXPECT_NE(seven.find(" {\\b gras}suite"), std::string::npos) << seven;
    const std::string eight = WrittenAs(body, true);
    EXPECT_NE(eight.find("\xe9t\xe9 "), std::string::npos) << eight;
    EXPECT_EQ(eight.find("\\'e9"), std::string::npos) << eight;
    EXPECT_EQ(seven.find("\\colortbl"), std::string::npos) << "no colour used, no colour table";
}

TEST(RtfWriter, TemporaryFormatsAreWrittenAsGroups)
{
    const std::string head = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\pard ";
    struct {
        const char* body;
        const char* written; // found in the output
    } cases[] = {
        {"a {\\b gras} b}", "a {\\b gras} b"},
        {"a \\b gras\\b0  b}", "a {\\b gras} b"},
        {"a {\\b\\i deux}{\\b b} c}", "a \\b{\\i deux}b\\b0  c"},
        {"a {\\b x\\tab y} b}", "a {\\b x\\tab y} b"},
        // Not given back, or not all of it (the part given back is), or not before a paragraph mark: no
        // group.
        {"a \\b gras}", "a \\b gras"},
        {"a {\\b\\i x\\i0  y} b}", "a \\b{\\i x} y\\b0  b"},
        {"{\\b a\\par}b}", "\\b a"},
        // A field inside: no group around it.
        {"a {\\b {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}} b}", "a {{\\field"},
    };
    for (auto& c : cases) {
        const std::string out = WrittenAs(head + c.body, false);
        EXPECT_NE(out.find(c.written), std::string::npos) << c.body << "\n" << out;
    }
}

TEST(RtfWriter, WordsWithComputedValues)
{
    const std::string rtf = std::string("{\\rtf1\\ansi{\\fonttbl{\\f0 Times New "
                                        "Roman;}}{\\colortbl;\\red0\\green0\\blue255;}\\pard {\\expndtw30 a}"
                                        "{\\dn6 b}{\\cf1 c}{\\pict\\pngblip\\picwgoal1440\\pichgoal720 ") +
                            PngHex() + "}}";
    const std::string out = WrittenAs(rtf, false);
    EXPECT_NE(out.find("\\expnd6\\expndtw30"), std::string::npos) << out;
    EXPECT_NE(out.find("\\dn6"), std::string::npos) << out;
    EXPECT_NE(out.find("\\picw2540\\pich1270\\picwgoal1440"), std::string::npos) << out;
    EXPECT_NE(out.find("{\\colortbl;"), std::string::npos) << out;
    // Picture data never holds a line break, whatever its length.
    const size_t data = out.find("\\pichgoal720 ");
    ASSERT_NE(data, std::string::npos);
    const size_t end = out.find('}', data);
    EXPECT_EQ(out.substr(data, end - data).find_first_of("\r\n"), std::string::npos);
}

// With QP_TOOL_OUT set, writes RTF files for independent readers (scripts/rtf-tools-check.sh) and, beside
// them, what each reader must find: the text of the main story, of the notes and of the headers, and
// formats as the other program's own ODT files state them.
TEST(RtfToolFiles, WritesFilesForIndependentReaders)
{
    const char* folder = std::getenv("QP_TOOL_OUT");
    if (!folder)
        GTEST_SKIP() << "QP_TOOL_OUT not set";
    const std::string source =
        "{\\rtf1\\ansi\\deflang1036{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
        "\\paperw11906\\paperh16838\\margl1134\\margr1134\\cols2\\colsx567"
        "{\\header \\pard\\qc En-t\\'eate de l\\'92essai\\par}"
        "\\pard\\qc{\\b\\fs32 Titre centr\\'e9 en gras}\\par"
        "\\pard\\li1440 Retrait \\'e0 gauche, {\\i italique} et \\'ab\\~guillemets\\~\\'bb, "
        "50\\~\\'80\\emdash fin."
        "{\\super\\chftn}{\\footnote \\pard\\plain {\\super\\chftn} Note de bas de page \\'e9crite.}\\par"
        "\\pard\\qr Accolades \\{ \\} et barre \\\\ oblique, \\'9cuvre, na\\'efve.\\par"
        "\\pard\\qj{\\f1\\fs20 Petit texte Arial justifi\\'e9 qui continue.}}";
    auto doc = ReadRtf(source);
    std::ofstream checks(std::string(folder) + "/checks.txt", std::ios::binary);
    for (bool eightBit : {false, true}) {
        const std::string name = eightBit ? "essai-8bits.rtf" : "essai-7bits.rtf";
        std::ofstream(std::string(folder) + "/" + name, std::ios::binary) << WriteRtfText(*doc, eightBit);
        for (const char* text :
             {"Titre centré en gras", "Retrait à gauche, italique et «\xa0guillemets\xa0», 50\xa0€—fin.",
              "Accolades { } et barre \\ oblique, œuvre, naïve.", "Petit texte Arial justifié qui continue."})
            checks << name << "\ttext\t" << text << "\n";
        checks << name << "\tnote\tNote de bas de page écrite.\n";
        checks << name << "\theader\tEn-tête de l’essai\n";
        for (const char* format :
             {"fo:font-weight=\"bold\"", "fo:font-style=\"italic\"", "fo:font-size=\"16pt\"",
              "fo:font-size=\"10pt\"", "fo:text-align=\"center\"", "fo:text-align=\"end\"",
              "fo:text-align=\"justify\"", "fo:margin-left=\"1in\"", "fo:page-width=\"8.2681in\"",
              "fo:page-height=\"11.6929in\"", "fo:column-count=\"2\"", "style:font-name=\"Arial\""})
            checks << name << "\todt\t" << format << "\n";
    }
}

TEST(RtfWriter, PhotoKeepsItsJpegBytesAndObjectsTheirData)
{
    const std::string jpeg = qptest::ReadFileBytes(qptest::DataPath("jpeg/grad16.jpg"));
    ASSERT_FALSE(jpeg.empty());
    std::string hex;
    for (unsigned char c : jpeg) {
        hex += "0123456789abcdef"[c >> 4];
        hex += "0123456789abcdef"[c & 15];
    }
    const std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\pard Photo "
        "{\\pict\\jpegblip\\picwgoal960\\pichgoal960 " +
        hex +
        "} et objet {\\object\\objemb{\\*\\objclass Paint.Picture}\\objw1000\\objh500"
        "{\\*\\objdata 0102abcdef}{\\result{\\pict\\pngblip\\picwgoal2000\\pichgoal1000 " +
        PngHex() + "}}}}";
    for (bool eightBit : {true, false}) {
        auto doc = ReadRtf(rtf);
        const std::string written = WriteRtfText(*doc, eightBit);
        EXPECT_NE(written.find("\\jpegblip"), std::string::npos);
        auto back = ReadRtf(written);
        ASSERT_EQ(back->ObjectManager->Objects.size(), 2u);
        const TDocObject& photo = *back->ObjectManager->Objects[0];
        EXPECT_EQ(std::string(photo.Image->JpegBytes.begin(), photo.Image->JpegBytes.end()), jpeg);
        const auto* object = dynamic_cast<const TDocOLEObject*>(back->ObjectManager->Objects[1].get());
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->Data, (std::vector<uint8_t>{0x01, 0x02, 0xab, 0xcd, 0xef}));
        EXPECT_EQ(object->ClassName, "Paint.Picture");
        EXPECT_EQ(object->Width, 2000);
        EXPECT_EQ(Dump(*doc), Dump(*back));
    }
}

TEST(RtfWriter, RangeCarriesTheFormatsInForceWhereItStarts)
{
    auto doc = ReadRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\pard Un {\\b deux trois}\\par "
                       "\\pard\\qc quatre {\\i cinq}}");
    TTextRange range{};
    range.StartPos.ParIndex = 0;
    range.StartPos.Offset = 5; // inside the bold "deux"
    range.EndPos.ParIndex = 1;
    range.EndPos.Offset = 9; // inside the italic "cinq"
    TMemory out;
    WriteRtf(*doc, range, TRtfWriteOptions{}, out);
    auto part = ReadRtf(std::string(reinterpret_cast<const char*>(out.Data()), size_t(out.Size())));
    ASSERT_EQ(part->StoryLengths[stMain], 2);
    const std::string dump = Dump(*part);
    EXPECT_EQ(dump.substr(0, dump.find("section0")).substr(0, dump.find("\nP1")),
              "P0: <b=1>ux trois<b=0><par>")
        << dump;
    EXPECT_NE(dump.find("P1 align=1: quatre <i=1>ci<par>"), std::string::npos) << dump;
}
