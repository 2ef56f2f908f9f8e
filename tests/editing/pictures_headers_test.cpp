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
    // Entering header and footer editing makes nothing more; on a fresh document it records the new ones.
    ToggleHeaderFooterEditing(*d.Doc, -1, nullptr);
    EXPECT_EQ(d.Doc->UndoList.Count(), 1);
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
