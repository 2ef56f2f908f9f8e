// Picture insertion and the header and footer edits: what they put into the document, and Undo and Redo
// through the dump.
#include <gtest/gtest.h>

#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Streams.h"
#include "core/Messages.h"
#include "document/DocObjects.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/HeaderFooterEditing.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "formats/DocumentMemory.h"
#include "document/Field.h"
#include "document/Page.h"
#include "codecs/PNG.h"
#include "tests/common/test_support.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

std::vector<std::string> Shown;

// Messages are taken down instead of shown.
class Pictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        Shown.clear();
        AfterMessageShown = [] { Shown.push_back(PendingMessage.Text); };
#ifdef _WIN32
        SilentMessages = true;
#endif
    }
    void TearDown() override
    {
        SilentMessages = false;
        AfterMessageShown = nullptr;
    }
};

// A PNG file of a size in pixels, under a name of the scratch folder.
std::string WritePng(const std::string& name, int32_t width, int32_t height)
{
    TPNGImage png;
    png.SetPixelFormat(pf24bit);
    png.SetSize(width, height);
    for (int32_t y = 0; y < height; ++y)
        std::fill(png.ScanLine(y), png.ScanLine(y) + width * 3, uint8_t(y));
    TMemoryStream stream;
    png.SaveToStream(stream);
    const std::string path = ScratchDir() + "/" + name;
    TFileStream file(path, fmCreate);
    file.Write(stream.Memory(), int32_t(stream.GetSize()));
    return path;
}

} // namespace

TEST_F(Pictures, APngNamedAsABitmapStillInserts)
{
    TEditDoc d("{\\rtf1 before after\\par}");
    const std::string before = d.Dump();
    MakeTextPos(0, 7, d.Doc->Caret);
    InsertPictureFromFile(*d.Doc, WritePng("small.bmp", 40, 20), 14);
    EXPECT_TRUE(Shown.empty());
    ASSERT_EQ(d.Doc->ObjectManager->Objects.size(), 1u);
    const TDocObject& object = *d.Doc->ObjectManager->Objects.front();
    EXPECT_EQ(object.Width, 40 * 15);
    EXPECT_EQ(object.ScaleX, 100);
    EXPECT_EQ(d.Doc->Paragraphs[0]->PlainText.Data()[7], 8);
    EXPECT_EQ(d.Doc->UndoList.Count(), 1);
    EXPECT_EQ(d.Doc->OperationManager->OperationAt(0)->Kind, okInsertPicture);
    const std::string after = d.Dump();
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    EXPECT_TRUE(d.Doc->ObjectManager->Objects.empty());
    d.Redo();
    EXPECT_EQ(d.Dump(), after);
}

TEST_F(Pictures, TooLargeAPictureIsScaledDownKeepingItsProportions)
{
    TEditDoc d("{\\rtf1 text\\par}");
    const int32_t textWidth = d.Doc->Sections.back()->PageSetup[psTextWidth];
    struct {
        int32_t width, height, scale;
    } cases[] = {{textWidth / 2, 100, 100}, {textWidth * 2, 100, 50}, {0, 0, 100}, {100, 1000000, 1}};
    for (const auto& c : cases) {
        TDocPicture picture(d.Doc.get());
        picture.Width = c.width;
        picture.Height = c.height;
        GetMaxPictureSize(*d.Doc, picture);
        EXPECT_EQ(picture.ScaleX, c.scale) << c.width;
        EXPECT_EQ(picture.ScaleY, c.scale) << c.width;
    }
}

TEST_F(Pictures, MissingOrUnreadableFilesAreReported)
{
    TEditDoc d("{\\rtf1 text\\par}");
    InsertPictureFromFile(*d.Doc, ScratchDir() + "/none.png", 14);
    const std::string garbage = ScratchDir() + "/garbage.png";
    {
        TFileStream file(garbage, fmCreate);
        file.Write("not a picture at all", 20);
    }
    InsertPictureFromFile(*d.Doc, garbage, 14);
    EXPECT_EQ(d.Doc->UndoList.Count(), 0);
    EXPECT_TRUE(d.Doc->ObjectManager->Objects.empty());
    if (!SilentMessages) {
        ASSERT_EQ(Shown.size(), 2u);
        EXPECT_NE(Shown[0].find("Impossible d'ouvrir le fichier"), std::string::npos);
        EXPECT_NE(Shown[1].find("Impossible d'ouvrir l'image"), std::string::npos);
    }
}

TEST_F(Pictures, PageNumbersAndNewHeadersUndoAsOneStep)
{
    TEditDoc d("{\\rtf1 one\\par two\\par}");
    d.Doc->PaginateAll();
    const std::string before = d.Dump();
    TPageNumberChoice choice;
    choice.InFooter = true;
    InsertPageNumbers(*d.Doc, choice);
    EXPECT_EQ(d.Doc->StoryLengths[stHeadersFooters], HeaderFooterSlotCount);
    ASSERT_EQ(d.Doc->UndoList.Count(), 1);
    EXPECT_EQ(d.Doc->OperationManager->OperationAt(0)->Kind, okInsertPageNumbers);
    const std::string after = d.Dump();
    EXPECT_NE(after.find("PAGE"), std::string::npos);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    EXPECT_EQ(d.Doc->StoryLengths[stHeadersFooters], 0);
    EXPECT_EQ(d.Doc->Sections.front()->HeaderFooter[hfOddFooter], nullptr);
    d.Redo();
    EXPECT_EQ(d.Dump(), after);
    // Entering header and footer editing makes no more of them, only brings their missing styles; on a
    // fresh document it records the new ones.
    ToggleHeaderFooterEditing(*d.Doc, -1, nullptr);
    EXPECT_EQ(d.Doc->StoryLengths[stHeadersFooters], HeaderFooterSlotCount);
    EXPECT_EQ(d.Doc->UndoList.Count(), 2);
    ToggleHeaderFooterEditing(*d.Doc, -1, nullptr);
    TEditDoc e("{\\rtf1 one\\par}");
    e.Doc->PaginateAll();
    const std::string fresh = e.Dump();
    ToggleHeaderFooterEditing(*e.Doc, -1, nullptr);
    ASSERT_EQ(e.Doc->UndoList.Count(), 1);
    EXPECT_EQ(e.Doc->OperationManager->OperationAt(0)->Kind, okHeaderFooter);
    ToggleHeaderFooterEditing(*e.Doc, -1, nullptr);
    e.Undo();
    EXPECT_EQ(e.Dump(), fresh);
}

// Same as previous, both ways: the second section takes a text of its own, copied from the first
// section's header it showed, and gives it up again; each one step that Undo takes back exactly.
TEST_F(Pictures, SameAsPreviousCopiesAndGivesUpASectionsHeader)
{
    InstallRangeCopier();
    TEditDoc d("{\\rtf1 {\\header Titre {\\b gras}\\par}one\\sect two\\par}");
    d.Doc->PaginateAll();
    ASSERT_GE(d.Doc->Pages.size(), 2u);
    ToggleHeaderFooterEditing(*d.Doc, 1, nullptr);
    TField* first = d.Doc->Sections[0]->HeaderFooter[hfOddHeader];
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(d.Doc->EditedHeaderFooter, first);
    TSection& second = *d.Doc->Sections[1];
    ASSERT_EQ(second.HeaderFooter[hfOddHeader], nullptr);
    const int32_t count = d.OperationCount();
    const std::string shared = d.Dump();

    ExecuteOperation(*d.Doc, TSetSameAsPreviousParams{});
    ASSERT_EQ(d.OperationCount(), count + 1);
    EXPECT_EQ(d.Doc->OperationManager->OperationAt(count)->Kind, 55);
    TField* own = second.HeaderFooter[hfOddHeader];
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, first);
    EXPECT_EQ(d.Doc->EditedHeaderFooter, own);
    EXPECT_EQ(d.Doc->Pages[1]->HeaderField, own);
    EXPECT_EQ(d.Doc->Pages[0]->HeaderField, first);
    const int32_t par = d.Doc->GetFieldRange(*own).StartPos.ParIndex;
    EXPECT_EQ(d.Doc->StoryOfParagraph(par), stHeadersFooters);
    EXPECT_EQ(d.Text(par), d.Text(d.Doc->GetFieldRange(*first).StartPos.ParIndex));
    EXPECT_NE(d.Text(par).find("Titre gras"), std::string::npos);
    const std::string separate = d.Dump();
    d.Undo();
    EXPECT_EQ(d.Dump(), shared);
    EXPECT_EQ(second.HeaderFooter[hfOddHeader], nullptr);
    d.Redo();
    EXPECT_EQ(d.Dump(), separate);

    // Its own text given up: the page shows the first section's header again.
    if (d.Doc->EditedHeaderFooter != own) {
        if (d.Doc->EditedHeaderFooter)
            ToggleHeaderFooterEditing(*d.Doc, -1, nullptr);
        ToggleHeaderFooterEditing(*d.Doc, 1, nullptr);
    }
    ASSERT_EQ(d.Doc->EditedHeaderFooter, own);
    ExecuteOperation(*d.Doc, TSetSameAsPreviousParams{});
    EXPECT_EQ(second.HeaderFooter[hfOddHeader], nullptr);
    EXPECT_EQ(d.Doc->EditedHeaderFooter, first);
    EXPECT_EQ(d.Dump(), shared);
    d.Undo();
    EXPECT_EQ(d.Dump(), separate);
    d.Redo();
    EXPECT_EQ(d.Dump(), shared);

    // The first section has no previous one: nothing is recorded.
    const int32_t total = d.OperationCount();
    if (d.Doc->EditedHeaderFooter)
        ToggleHeaderFooterEditing(*d.Doc, -1, nullptr);
    ToggleHeaderFooterEditing(*d.Doc, 0, nullptr);
    ExecuteOperation(*d.Doc, TSetSameAsPreviousParams{});
    EXPECT_EQ(d.OperationCount(), total);
}

namespace {

void PutU32(std::string& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = char(v >> (8 * i));
}

std::string WriteBytes(const std::string& name, const std::string& bytes)
{
    const std::string path = ScratchDir() + "/" + name;
    TFileStream file(path, fmCreate);
    file.Write(bytes.data(), int32_t(bytes.size()));
    return path;
}

// An enhanced metafile of a header (its frame 2540 x 1270 hundredths of a millimetre) and the end record.
std::string EnhancedMetafile()
{
    std::string b(88 + 20, '\0');
    PutU32(b, 0, 1);
    PutU32(b, 4, 88);
    PutU32(b, 32, 2540);
    PutU32(b, 36, 1270);
    PutU32(b, 40, 0x464D4520);
    PutU32(b, 44, 0x10000);
    PutU32(b, 48, uint32_t(b.size()));
    PutU32(b, 52, 2);
    PutU32(b, 88, 14); // EMR_EOF
    PutU32(b, 92, 20);
    return b;
}

// A placeable Windows metafile: a box of 1000 x 500 units at 1000 units an inch, the header, the end.
std::string PlaceableMetafile()
{
    std::string b(22 + 18 + 6, '\0');
    PutU32(b, 0, 0x9AC6CDD7);
    b[10] = char(1000 & 0xFF), b[11] = char(1000 >> 8);
    b[12] = char(500 & 0xFF), b[13] = char(500 >> 8);
    b[14] = char(1000 & 0xFF), b[15] = char(1000 >> 8);
    b[22] = 1, b[24] = 9, b[27] = 3; // type 1, 9 words, version 0x300
    PutU32(b, 28, 23);
    b[40] = 3; // the end record: 3 words, function 0
    return b;
}

} // namespace

TEST_F(Pictures, MetafilesIconsCursorsAndAnimatedCursorsInsertAtTheirSizes)
{
    // The icon made by ImageMagick holds a 32 x 32 and a 16 x 16 image: the larger one is taken.
    const std::string icon = ReadFileBytes(DataPath("pictures/im-circle.ico"));
    ASSERT_FALSE(icon.empty());
    std::string cursor = icon;
    cursor[2] = 2;
    // An animated cursor: the icon as the one frame of a "fram" list.
    std::string ani = "RIFF....ACONLIST....framicon....";
    ani += icon;
    PutU32(ani, 4, uint32_t(ani.size() - 8));
    PutU32(ani, 16, uint32_t(ani.size() - 20));
    PutU32(ani, 28, uint32_t(icon.size()));
    const struct {
        std::string Name, Bytes;
        int32_t Width, Height;
        bool Metafile;
    } cases[] = {
        {"shape.emf", EnhancedMetafile(), 1440, 720, true},
        {"shape.wmf", PlaceableMetafile(), 1440, 720, true},
        {"circle.ico", icon, 32 * 15, 32 * 15, false},
        {"circle.cur", cursor, 32 * 15, 32 * 15, false},
        {"circle.ani", ani, 32 * 15, 32 * 15, false},
        // A metafile named as a bitmap is still found by trying every reader.
        {"shape.bmp", PlaceableMetafile(), 1440, 720, true},
    };
    for (const auto& c : cases) {
        TEditDoc d("{\\rtf1 text\\par}");
        const std::string before = d.Dump();
        InsertPictureFromFile(*d.Doc, WriteBytes(c.Name, c.Bytes), 14);
        EXPECT_TRUE(Shown.empty()) << c.Name;
        ASSERT_EQ(d.Doc->ObjectManager->Objects.size(), 1u) << c.Name;
        const TDocObject& object = *d.Doc->ObjectManager->Objects.front();
        EXPECT_EQ(object.Width, c.Width) << c.Name;
        EXPECT_EQ(object.Height, c.Height) << c.Name;
        EXPECT_EQ(object.Image->Kind == ikMetafile, c.Metafile) << c.Name;
        d.Undo();
        EXPECT_EQ(d.Dump(), before) << c.Name;
    }
}
