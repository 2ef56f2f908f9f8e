// Plain text: lines into paragraphs, special bytes, and writing back byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "core/Memory.h"
#include "document/Document.h"
#include "codecs/CodePages.h"
#include "formats/DocumentDump.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/text/PlainText.h"

namespace {

void Read(TDocument& doc, const std::string& text, bool dos = false)
{
    TLoadInput input(text.data(), static_cast<int64_t>(text.size()));
    if (dos)
        input.ConvertChunk = [](uint8_t* p, int32_t n, int64_t) { OemToAnsiBuffer(p, n); };
    int64_t length = 0;
    ReadPlainTextDocument(doc, input, TPlainTextFormats(), length);
    doc.FinishParagraphs();
}

std::string Dump(const std::string& text)
{
    TDocument doc;
    Read(doc, text);
    return DumpDocument(doc);
}

std::string Write(const TDocument& doc, bool compact = false, bool dos = false)
{
    TTextRange all{};
    all.EndPos.ParIndex = static_cast<int32_t>(doc.Paragraphs.size()) - 1;
    all.EndPos.Offset = doc.Paragraphs.back()->CharacterCount();
    TMemory out;
    WritePlainText(doc, all, compact, true, out);
    std::string s(reinterpret_cast<const char*>(out.Data()), static_cast<size_t>(out.Size()));
    if (dos)
        AnsiToOemBuffer(reinterpret_cast<uint8_t*>(s.data()), static_cast<int32_t>(s.size()));
    return s;
}

} // namespace

TEST(PlainText, LinesBecomeParagraphs)
{
    EXPECT_EQ(Dump("a\r\n\r\nb"), "P0: a<par>\nP1: <par>\nP2: b<par>\n");
    // Every line end counts: the blank line of a file with LF line ends survives.
    EXPECT_EQ(Dump("a\n\nb"), "P0: a<par>\nP1: <par>\nP2: b<par>\n");
    EXPECT_EQ(Dump("a\r\rb\n\r"), "P0: a<par>\nP1: <par>\nP2: b<par>\nP3: <par>\nP4: <par>\n");
    EXPECT_EQ(Dump(""), "P0: <par>\n");
    EXPECT_EQ(Dump("{\\rtf1 }"), "P0: {\\'5crtf1 }<par>\n");
    EXPECT_EQ(Dump("a\tb\fc\xa0"
                   "d\x96\x97\x01\x0b"),
              "P0: a<tab>b<page>c<nbsp>d<endash><emdash><line><par>\n");
}

TEST(PlainText, AnsiAndDosRoundTripByteForByte)
{
    // Characters that both code pages hold (those that DOS lacks are the code-page test's).
    std::string ansi = "Première ligne\r\n\r\n\tTabulée ± 50 £ « fin »\xa0!\fPage 2\r\nDernière";
    TDocument doc;
    Read(doc, ansi);
    EXPECT_EQ(Write(doc), ansi);
    std::string dos = ansi;
    AnsiToOemBuffer(reinterpret_cast<uint8_t*>(dos.data()), static_cast<int32_t>(dos.size()));
    ASSERT_NE(dos, ansi);
    TDocument dosDoc;
    Read(dosDoc, dos, true);
    EXPECT_EQ(DumpDocument(dosDoc), DumpDocument(doc));
    EXPECT_EQ(Write(dosDoc, false, true), dos);
    // A file that ends with a line end keeps it.
    TDocument ended;
    Read(ended, "a\r\nb\r\n");
    EXPECT_EQ(Write(ended), "a\r\nb\r\n");
}

TEST(PlainText, CompactWriting)
{
    TDocument doc;
    Read(doc, "a\r\nb\tc\x97\fd");
    EXPECT_EQ(Write(doc, true), "a b c- d");
    // Two paragraphs give one line end; a range inside a paragraph gives only its characters.
    TMemory out;
    TTextRange part{};
    part.StartPos.ParIndex = 1, part.StartPos.Offset = 2;
    part.EndPos.ParIndex = 1, part.EndPos.Offset = 3;
    WritePlainText(doc, part, false, true, out);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.Data()), out.Size()), "c");
}
