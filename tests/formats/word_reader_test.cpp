// The Word and Write readers: Word 97 files written by LibreOffice open to the dumps committed beside
// them and hold the text antiword and catdoc extract; the format helpers and the property decoding;
// damaged files of both formats, opened through the real load, end cleanly. With the variable
// QP_UPDATE_DUMPS set, the dumps are written instead (to be reviewed before committing).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "classlib/runtime/Streams.h"
#include "core/Fonts.h"
#include "core/TabTables.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/Section.h"
#include "document/Field.h"
#include "formats/DocumentDump.h"
#include "codecs/PNG.h"
#include "formats/load/DocumentLoad.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/load/StylePasses.h"
#include "formats/load/WordStorage.h"
#include "formats/word/WinWord.h"
#include "formats/word/WordPictures.h"
#include "formats/word/WordProps.h"
#include "formats/word/WordReader.h"
#include "formats/write/WriteReader.h"
#include "tests/common/test_support.h"
#include "tests/formats/word_text.h"

namespace {

std::string Fixture(const std::string& name)
{
    return qptest::ReadFileBytes(qptest::DataPath("word/" + name));
}

TWordReadResult ReadBytes(TDocument& doc, const std::string& bytes)
{
    TWordReadResult r =
        ReadWordDocumentBytes(doc, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    doc.FinishParagraphs();
    return r;
}

// Where a stream of the file starts (its first sectors lie one after the other in these small files).
size_t StreamOffset(const std::string& file, const char* stream)
{
    TReadAt read = [&file](int64_t offset, uint8_t* into, int32_t count) {
        if (offset < 0 || count < 0 || offset + count > static_cast<int64_t>(file.size()))
            return false;
        std::copy_n(file.data() + offset, count, into);
        return true;
    };
    std::vector<uint8_t> start;
    if (!ReadCompoundStreamStart(read, static_cast<int64_t>(file.size()), stream, 512, start))
        return std::string::npos;
    return file.find(std::string(start.begin(), start.end()));
}

// Where the main stream's information block lies in the file.
size_t WordStreamOffset(const std::string& file)
{
    return StreamOffset(file, "WordDocument");
}

uint32_t Get32(const std::string& file, size_t at)
{
    return uint32_t(uint8_t(file[at])) | uint32_t(uint8_t(file[at + 1])) << 8 |
           uint32_t(uint8_t(file[at + 2])) << 16 | uint32_t(uint8_t(file[at + 3])) << 24;
}

void Put(std::string& file, size_t at, uint32_t value, int bytes)
{
    for (int b = 0; b < bytes; ++b)
        file[at + size_t(b)] = static_cast<char>(value >> (8 * b));
}

} // namespace

class WordFixture : public testing::TestWithParam<const char*> {};

TEST_P(WordFixture, OpensToItsDumpAndHoldsTheToolsText)
{
    // A font named in the file whose alternate name is used only while the main one is unknown: known
    // here (as in a program that has read other files), whatever other tests registered before.
    for (const char* font : {"Liberation Serif", "Liberation Sans", "Liberation Mono"})
        GetFontManager().RegisterFont(font, 0, 0);
    const std::string name = GetParam();
    const std::string bytes = Fixture(name + ".doc");
    ASSERT_FALSE(bytes.empty());
    TDocument doc;
    TWordReadResult r = ReadBytes(doc, bytes);
    ASSERT_TRUE(r.Read) << r.Error;
    EXPECT_TRUE(r.Word97);
    const std::string dump = DumpDocument(doc, true);
    const std::string expectedPath = qptest::DataPath("word/" + name + ".dump");
    if (std::getenv("QP_UPDATE_DUMPS"))
        std::ofstream(expectedPath, std::ios::binary) << dump;
    else
        EXPECT_EQ(dump, qptest::ReadFileBytes(expectedPath));
    // The tools print in UTF-8 and mark notes and pictures their own way; their words are ours.
    for (const char* tool : {".antiword.txt", ".catdoc.txt"}) {
        std::string text = Fixture(name + tool);
        for (const char* mark : {"[pic]", "[?]", "[1]", "[i]"})
            for (size_t at; (at = text.find(mark)) != std::string::npos;)
                text.erase(at, std::string(mark).size());
        std::string ours = wordtest::MainText(doc);
        // Notes and headers are in the stories after the main text.
        for (size_t i = size_t(doc.StoryLengths[stMain]); i < doc.Paragraphs.size(); ++i) {
            const TMemory& plain = doc.Paragraphs[i]->PlainText;
            std::string line;
            for (int32_t k = 0; k < plain.Size(); ++k)
                if (plain.Data()[k] >= 32)
                    line.push_back(static_cast<char>(plain.Data()[k]));
            ours += line + "\n";
        }
        // catdoc also prints the codes of fields beside their results.
        EXPECT_GE(wordtest::WordRecall(ours, text), std::string(tool) == ".catdoc.txt" ? 0.85 : 0.97)
            << name << tool;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, WordFixture, testing::Values("caracteres97", "structure97", "image97"));

TEST(WordReader, StructureFixtureHasItsSectionsNotesFieldsAndHeaders)
{
    TDocument doc;
    ASSERT_TRUE(ReadBytes(doc, Fixture("structure97.doc")).Read);
    ASSERT_EQ(doc.Sections.size(), 2u);
    const TSection& second = *doc.Sections[1];
    EXPECT_EQ(second.PageSetup[psOrientation], 1);
    EXPECT_EQ(second.Params[spColumnCount], 2);
    EXPECT_EQ(second.Params[spLineBetween], 1);
    EXPECT_EQ(doc.Sections[0]->Params[spBreakKind], 1);
    int notes = 0, endnotes = 0, bookmarks = 0, links = 0;
    for (const auto& f : doc.Fields) {
        notes += f->Kind == fkNoteText;
        endnotes += f->Kind == fkNoteText && f->IsEndnote;
        bookmarks += f->Kind == fkBookmark && f->Code == "signet";
        links += f->Kind == fkCode && f->FieldType == ftHyperlink;
    }
    EXPECT_EQ(notes, 2);
    EXPECT_EQ(endnotes, 1);
    EXPECT_EQ(bookmarks, 1);
    EXPECT_EQ(links, 1);
    EXPECT_NE(doc.Sections[0]->HeaderFooter[hfOddHeader], nullptr);
    EXPECT_EQ(doc.StoryLengths[stFootnotes], 1);
    EXPECT_EQ(doc.StoryLengths[stEndnotes], 1);
    EXPECT_GE(doc.StoryLengths[stHeadersFooters], 2);
}

TEST(WordReader, ImageFixtureHoldsItsPicture)
{
    TDocument doc;
    ASSERT_TRUE(ReadBytes(doc, Fixture("image97.doc")).Read);
    ASSERT_EQ(doc.ObjectManager->Objects.size(), 1u);
    const TDocObject& picture = *doc.ObjectManager->Objects.front();
    EXPECT_NEAR(picture.Width * picture.ScaleX / 100, 1440, 30);
    EXPECT_NEAR(picture.Height * picture.ScaleY / 100, 720, 30);
    EXPECT_TRUE(picture.KeepProportions);
}

TEST(WordReader, ShapeProtectionDecidesWhetherThePictureKeepsItsProportions)
{
    // The shape's property table: its first property becomes the protection property.
    const std::string file = Fixture("image97.doc");
    const size_t table = file.find(std::string("\xb3\x00\x0b\xf0", 4));
    ASSERT_NE(table, std::string::npos);
    for (auto [value, keep] : {std::pair{0x00800000u, false}, {0x00800080u, true}, {0x0000007Fu, false}}) {
        std::string patched = file;
        Put(patched, table + 8, 127, 2);
        Put(patched, table + 10, value, 4);
        TDocument doc;
        ASSERT_TRUE(ReadBytes(doc, patched).Read);
        ASSERT_EQ(doc.ObjectManager->Objects.size(), 1u);
        EXPECT_EQ(doc.ObjectManager->Objects.front()->KeepProportions, keep) << std::hex << value;
    }
}

TEST(WordReader, KeepsTheDocumentPropertiesWordAtOffset18)
{
    std::string file = Fixture("structure97.doc");
    const size_t fib = WordStreamOffset(file);
    const bool table1 = (uint8_t(file[fib + 11]) & 2) != 0;
    const size_t table = StreamOffset(file, table1 ? "1Table" : "0Table");
    ASSERT_NE(table, std::string::npos);
    const uint32_t dop = Get32(file, fib + 402);
    ASSERT_GE(Get32(file, fib + 406), 20u);
    Put(file, table + dop + 18, 0xBEEF, 2);
    TDocument doc;
    ASSERT_TRUE(ReadBytes(doc, file).Read);
    EXPECT_EQ(doc.WordDopValue, 0xBEEF);
    // The dates beside it are read as before.
    TDocument original;
    ASSERT_TRUE(ReadBytes(original, Fixture("structure97.doc")).Read);
    EXPECT_EQ(doc.Info.CreationDate, original.Info.CreationDate);
}

TEST(WordHelpers, DatesAndPageNumberFormats)
{
    EXPECT_EQ(WordDateToDateTime(0), 0);
    EXPECT_EQ(DateTimeToWordDate(0), 0u);
    const uint32_t packed = (126u << 20) | (12u << 16) | (8u << 11) | (1u << 6) | 40u;
    const double date = WordDateToDateTime(packed);
    EXPECT_EQ(DateTimeToWordDate(date + 43.0 / 86400), packed);
    // Month 13 or day 0 name no date: the current one is taken.
    for (uint32_t bad : {(126u << 20) | (13u << 16) | (8u << 11), (126u << 20) | (12u << 16)})
        EXPECT_GT(WordDateToDateTime(bad), 40000);
    EXPECT_EQ(PageNumberStyleToWordNfc(1), 4);
    EXPECT_EQ(WordNfcToPageNumberStyle(4), 1);
    EXPECT_EQ(WordNfcToPageNumberStyle(7), 1);
    EXPECT_EQ(WordNfcToPageNumberStyle(1), 4);
    EXPECT_EQ(DefaultWordSectionProps()[wsPageWidth], 12240);
}

TEST(WordProps, TabChangesColumnsAndLengths)
{
    TDocument doc;
    TWordDecodeContext c;
    c.Document = &doc;
    TTabTable start;
    for (int32_t p : {700, 710, 720, 730, 740})
        start.AddTab(PackTabStop(p, tkLeft, tlNone));
    const int32_t table = doc.TabManager->RegisterTabTable(start);
    auto tabsAfter = [&](const std::vector<uint8_t>& group) {
        TWordParaProps para;
        ClearWordRecord(para);
        para[pfTabTable] = table;
        DecodeParaSprms(c, group.data(), static_cast<int32_t>(group.size()), para, false);
        std::vector<int32_t> positions;
        for (int i = 0; i < doc.TabManager->Table(para[pfTabTable]).Count(); ++i)
            positions.push_back(TabStopPosition(doc.TabManager->Table(para[pfTabTable])[i]));
        return positions;
    };
    // Tolerance 10 at 720 deletes 710 to 730; the exact form deletes 720 only (and a trailing byte
    // ends the second generation's groups).
    EXPECT_EQ(tabsAfter({0x15, 0xC6, 6, 1, 0xD0, 0x02, 10, 0, 0, 0}), (std::vector<int32_t>{700, 740}));
    EXPECT_EQ(tabsAfter({0x0D, 0xC6, 4, 1, 0xD0, 0x02, 0, 0}), (std::vector<int32_t>{700, 710, 730, 740}));
    // A length byte of 255 is measured from the counts: one deletion, one addition, then the style.
    const uint8_t measured[] = {0x15, 0xC6, 255, 1, 0xD0, 0x02, 0, 0, 1, 0x20, 0x03, 2};
    EXPECT_EQ(WordSprmLength(true, measured, sizeof measured), 2 + 4 + 2 + 3 + 1);
    // A length that runs past the group is refused.
    const uint8_t cut[] = {0x15, 0xC6, 20, 1};
    EXPECT_EQ(WordSprmLength(true, cut, sizeof cut), 0);

    TWordSectionProps sec = DefaultWordSectionProps();
    // One column more than the operand; a column index beyond the table is dropped.
    const uint8_t group[] = {0x0B, 0x50, 1, 0, 0x03, 0xF2, 200, 0x10, 0x00, 0x03, 0xF2, 1, 0x20, 0x03, 0};
    DecodeSectionSprms(c, group, sizeof group, sec);
    EXPECT_EQ(sec[wsColumnCount], 2);
    EXPECT_EQ(sec[kWordSectionScalars + 1 * kWordColumnEntrySize + 1], 800);
}

// Toggles follow the paragraph's style: 128 takes the style's value, 129 its opposite; in a style's own
// definition 129 is left for the style list to settle against the base.
TEST(WordProps, TogglesFollowTheParagraphStyle)
{
    TWordDecodeContext c;
    TCharFormat bold = DefaultCharFormat();
    bold[cfBold] = 1;
    c.StyleChars = {bold};
    c.ParagraphStyle = 0;
    auto boldAfter = [&c](uint8_t operand, bool styleMode) {
        const uint8_t group[] = {0x35, 0x08, operand, 0};
        TWordCharProps chars;
        ClearWordRecord(chars);
        DecodeCharSprms(c, group, sizeof group, chars, styleMode);
        return chars[cfBold];
    };
    EXPECT_EQ(boldAfter(129, false), 0);
    EXPECT_EQ(boldAfter(128, false), 1);
    EXPECT_EQ(boldAfter(0, false), 0);
    EXPECT_EQ(boldAfter(129, true), kStyleToggle);
    EXPECT_EQ(boldAfter(128, true), kWordUnset);
}

TEST(WordReader, EncryptedFileIsRefused)
{
    std::string bytes = Fixture("caracteres97.doc");
    const size_t fib = WordStreamOffset(bytes);
    ASSERT_NE(fib, std::string::npos);
    bytes[fib + 11] = static_cast<char>(bytes[fib + 11] | 1);
    TDocument doc;
    TWordReadResult r =
        ReadWordDocumentBytes(doc, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_TRUE(r.Encrypted);
    EXPECT_FALSE(r.Read);
}

// Cut short, every field of the information block set to 0, its largest value and past the stream,
// and bit flips swept over the files: each loads or is refused cleanly.
TEST(WordDamaged, DamagedFilesEndCleanly)
{
    for (const char* name : {"caracteres97.doc", "structure97.doc", "image97.doc"}) {
        const std::string file = Fixture(name);
        ASSERT_FALSE(file.empty());
        for (size_t cut = 0; cut < file.size(); cut += 509)
            wordtest::ExpectLoadsCleanly(file.substr(0, cut),
                                         std::string(name) + " cut " + std::to_string(cut));
        const size_t fib = WordStreamOffset(file);
        ASSERT_NE(fib, std::string::npos);
        for (size_t at = 10; at < 900; at += 2)
            for (uint32_t value : {0u, 0xFFFFFFFFu, 0x7FFFFFF0u, uint32_t(file.size() + 1)}) {
                std::string bad = file;
                for (int b = 0; b < 4; ++b)
                    bad[fib + at + size_t(b)] = static_cast<char>(value >> (8 * b));
                wordtest::ExpectLoadsCleanly(bad, std::string(name) + " field " + std::to_string(at));
            }
        std::mt19937 random(17);
        for (int i = 0; i < 300; ++i) {
            std::string bad = file;
            for (int k = 0; k < 8; ++k) {
                const size_t at = random() % bad.size();
                bad[at] = static_cast<char>(bad[at] ^ (1 << (random() % 8)));
            }
            wordtest::ExpectLoadsCleanly(bad, std::string(name) + " flips " + std::to_string(i));
        }
    }
}

namespace {

// A Write file made from the format's description: a header page, the text, a character run page, a
// paragraph run page and a font table.
std::string MakeWriteFile(const std::string& text, uint8_t bold, uint16_t fontEntryLength = 0)
{
    std::string f(128, '\0');
    auto put16 = [&f](size_t at, uint16_t v) {
        f[at] = static_cast<char>(v & 0xFF);
        f[at + 1] = static_cast<char>(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, static_cast<uint16_t>(v));
        put16(at + 2, static_cast<uint16_t>(v >> 16));
    };
    put16(0, 0xBE31);
    put16(4, 0xAB00);
    const uint32_t fcMac = 128 + static_cast<uint32_t>(text.size());
    put32(14, fcMac);
    f += text;
    f.resize((f.size() + 127) / 128 * 128, '\0');
    const uint16_t charPage = static_cast<uint16_t>(f.size() / 128);
    std::string page(128, '\0');
    // One character run with bold and font 1, size 12 points.
    page[0] = static_cast<char>(128);
    page[4] = static_cast<char>(fcMac & 0xFF);
    page[5] = static_cast<char>(fcMac >> 8);
    page[8] = 20;
    page[24] = 3;
    page[25] = static_cast<char>(bold | (1 << 2));
    page[26] = 24;
    page[127] = 1;
    f += page;
    const uint16_t paraPage = static_cast<uint16_t>(f.size() / 128);
    std::string para(128, '\0');
    para[0] = static_cast<char>(128);
    para[4] = static_cast<char>(fcMac & 0xFF);
    para[5] = static_cast<char>(fcMac >> 8);
    para[8] = static_cast<char>(0xFF);
    para[9] = static_cast<char>(0xFF);
    para[127] = 1;
    f += para;
    const uint16_t fontPage = static_cast<uint16_t>(f.size() / 128);
    std::string fonts(128, '\0');
    fonts[0] = 2;
    size_t at = 2;
    for (const char* name : {"Arial", "Courier New"}) {
        const uint16_t length =
            fontEntryLength ? fontEntryLength : static_cast<uint16_t>(std::string(name).size() + 2);
        fonts[at] = static_cast<char>(length & 0xFF);
        fonts[at + 1] = static_cast<char>(length >> 8);
        fonts[at + 2] = 0x20;
        std::copy_n(name, std::string(name).size(), fonts.begin() + static_cast<std::ptrdiff_t>(at + 3));
        at += 2 + std::string(name).size() + 2;
    }
    f += fonts;
    put16(18, paraPage);
    put16(28, fontPage);
    put16(96, static_cast<uint16_t>(f.size() / 128));
    (void)charPage;
    return f;
}

} // namespace

TEST(WriteReader, TextRunsAndFontsOfAGeneratedFile)
{
    const std::string file = MakeWriteFile("Bonjour\r\nle monde\r\n", 1);
    TDocument doc;
    TWriteReadResult r = ReadWriteDocument(doc, reinterpret_cast<const uint8_t*>(file.data()), file.size());
    ASSERT_TRUE(r.Read) << r.Error;
    doc.FinishParagraphs();
    EXPECT_EQ(wordtest::MainText(doc), "Bonjour\nle monde\n");
    TCharFormat format;
    doc.Paragraphs[0]->GetLeadingCharFormat(format);
    EXPECT_EQ(format[cfBold], 1);
    EXPECT_EQ(format[cfSize], 24);
}

TEST(WriteDamaged, DamagedFilesEndCleanly)
{
    const std::string file = MakeWriteFile("Un texte\r\nsur deux paragraphes\r\n", 1);
    for (size_t cut = 0; cut < file.size(); cut += 7)
        wordtest::ExpectLoadsCleanly(file.substr(0, cut), "cut " + std::to_string(cut));
    for (size_t at = 0; at < file.size(); ++at)
        for (uint8_t value : {0x00, 0xFF, 0x7F}) {
            std::string bad = file;
            bad[at] = static_cast<char>(value);
            wordtest::ExpectLoadsCleanly(bad, "byte " + std::to_string(at));
        }
    // A font entry that claims to run past the table and the file.
    wordtest::ExpectLoadsCleanly(MakeWriteFile("Texte\r\n", 0, 0x7FFF), "font length");
}

// Bitmaps of drawing records become PNG pictures: rows bottom up, palette colours looked up; a bitmap
// whose rows its data do not hold is none.
TEST(WordPictures, BitmapsBecomePngPictures)
{
    auto header = [](int32_t width, int32_t height, uint16_t bits, uint32_t colors) {
        std::vector<uint8_t> h(40, 0);
        auto put32 = [&h](size_t at, uint32_t v) {
            for (int b = 0; b < 4; ++b)
                h[at + size_t(b)] = static_cast<uint8_t>(v >> (8 * b));
        };
        put32(0, 40);
        put32(4, static_cast<uint32_t>(width));
        put32(8, static_cast<uint32_t>(height));
        h[12] = 1;
        h[14] = static_cast<uint8_t>(bits);
        put32(32, colors);
        return h;
    };
    auto decode = [](const std::vector<uint8_t>& png, TPNGImage& image) {
        TMemoryStream stream;
        stream.WriteBuffer(png.data(), static_cast<int32_t>(png.size()));
        stream.SetPosition(0);
        image.LoadFromStream(stream);
    };
    // 2 x 2, 8 bits, two colours (blue, red); the bottom row first in the data.
    std::vector<uint8_t> dib = header(2, 2, 8, 2);
    for (uint8_t b : {255, 0, 0, 0, 0, 0, 255, 0})
        dib.push_back(b);
    for (uint8_t b : {0, 1, 0, 0, 1, 1, 0, 0})
        dib.push_back(b);
    std::vector<uint8_t> png = DibAsPng(dib.data(), dib.size());
    ASSERT_FALSE(png.empty());
    TPNGImage image;
    decode(png, image);
    ASSERT_EQ(image.GetWidth(), 2);
    ASSERT_EQ(image.GetHeight(), 2);
    // Top row: red, red; bottom row: blue, red (bitmap memory is blue, green, red).
    EXPECT_EQ(image.ScanLine(0)[2], 255);
    EXPECT_EQ(image.ScanLine(1)[0], 255);
    EXPECT_EQ(image.ScanLine(1)[5], 255);
    // 24 bits, one row of one pixel, top down.
    std::vector<uint8_t> rgb = header(1, -1, 24, 0);
    for (uint8_t b : {10, 20, 30, 0})
        rgb.push_back(b);
    png = DibAsPng(rgb.data(), rgb.size());
    ASSERT_FALSE(png.empty());
    decode(png, image);
    EXPECT_EQ(image.ScanLine(0)[1], 20);
    // Rows cut short, a width of 0 and a compressed bitmap give nothing.
    EXPECT_TRUE(DibAsPng(dib.data(), dib.size() - 1).empty());
    std::vector<uint8_t> empty = header(0, 2, 8, 2);
    EXPECT_TRUE(DibAsPng(empty.data(), empty.size()).empty());
    dib[16] = 1;
    EXPECT_TRUE(DibAsPng(dib.data(), dib.size()).empty());
}
