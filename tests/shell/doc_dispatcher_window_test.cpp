// The document dispatcher: document windows, the open list and the decoded pictures of all documents.
#include "shell/DocDisp.h"

#include <gtest/gtest.h>

#include "classlib/graphics/Bitmap.h"
#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/Files.h"
#include "core/Colors.h"
#include "core/DataFolder.h"
#include "core/Codings.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/OptionsHolder.h"
#include "core/OptionalMessages.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "formats/DocumentFiles.h"
#include "formats/load/DocumentLoad.h"
#include "tests/common/test_support.h"
#include "window/DocForm.h"

using qptest::DataPath;

namespace {

TDocObject* AddLivePicture(TDocument& doc)
{
    auto picture = std::make_unique<TDocPicture>(&doc);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(4, 4);
    picture->Width = picture->Height = 60;
    picture->Image->SetBitmap(std::move(bitmap));
    return doc.ObjectManager->AddObject(std::move(picture));
}

} // namespace

TEST(DocDispatcher, DocumentsGetTheirWindows)
{
    TDocDispatcher dispatcher;
    EXPECT_EQ(&DocumentHost(), &dispatcher);
    TDocument* doc = dispatcher.AddDocument(std::make_unique<TDocument>(false));
    ASSERT_NE(doc->Window, nullptr);
    EXPECT_EQ(doc->Window->Document, doc);
    EXPECT_TRUE(doc->GetModeFlag(mfHasWindow));
    EXPECT_FALSE(doc->GetModeFlag(mfHidden));
    EXPECT_FALSE(doc->GetModeFlag(mfViewNotReady));
    doc->Window->SetClientSize(300, 200); // the view: the client area less the rulers and the scroll bars
    EXPECT_EQ(doc->ViewState.ClientWidth, 300 - GetSystemMetrics(SM_CXVSCROLL) - doc->Window->ViewRect.Left);
    EXPECT_EQ(doc->ViewState.ClientHeight, 200 - GetSystemMetrics(SM_CYHSCROLL) - doc->Window->ViewRect.Top);
    EXPECT_GT(doc->Window->ViewRect.Top, 0);

    TDocument* hidden = dispatcher.AddDocument(std::make_unique<TDocument>(true));
    EXPECT_EQ(hidden->Window, nullptr);
    hidden->FileName = "C:\\Docs\\Lettre.rtf";
    EXPECT_EQ(dispatcher.FindDocument("c:\\docs\\LETTRE.RTF"), hidden);
    EXPECT_FALSE(dispatcher.IsOpen("C:\\Docs\\Autre.rtf"));
    EXPECT_EQ(dispatcher.DocumentCount(), 2);

    doc->PreviewMode = true;
    dispatcher.ApplyDocumentColors(doc);
    EXPECT_EQ(GetColorManager()->CurrentPalette(), GetColorManager()->GetDefaultPalette());
    doc->PreviewMode = false;
    dispatcher.ApplyDocumentColors(doc);
    EXPECT_EQ(GetColorManager()->CurrentPalette(), GetColorManager()->UserPalette());
    GetColorManager()->UpdateSchemeColors(TColorScheme()); // repaints the open windows

    dispatcher.CloseDocument(doc, false);
    EXPECT_EQ(dispatcher.DocumentCount(), 1);
}

TEST(DocDispatcher, OldestPictureOfAnyDocumentIsPacked)
{
    TDocDispatcher dispatcher;
    dispatcher.LivePictureLimit = 1;
    TDocument* first = dispatcher.AddDocument(std::make_unique<TDocument>(true));
    TDocument* second = dispatcher.AddDocument(std::make_unique<TDocument>(true));
    TDocObject* old = AddLivePicture(*first);
    old->Image->UseCount = 1;
    TDocObject* recent = AddLivePicture(*second);
    recent->Image->UseCount = 9;
    // The second live picture passed the limit: the least used one of all documents was packed.
    EXPECT_TRUE(old->Image->Packed);
    EXPECT_TRUE(recent->Image->IsLive());
    EXPECT_EQ(dispatcher.LivePictureCount, 1);

    // Decoding the old one again packs the other.
    recent->Image->SetCompressed(true);
    TDocObject* third = AddLivePicture(*second);
    third->Image->UseCount = 20;
    old->Image->SetCompressed(false);
    EXPECT_TRUE(old->Image->IsLive());
    EXPECT_TRUE(third->Image->Packed);
    EXPECT_EQ(dispatcher.LivePictureCount, 1);
}

TEST(DocDispatcher, PicturesOpenAsDocumentsNamedAfterThem)
{
    TDocDispatcher dispatcher;
    const std::string picture = DataPath("png/basn2c08.png");
    ASSERT_TRUE(dispatcher.OpenFile(picture));
    ASSERT_EQ(dispatcher.DocumentCount(), 1);
    TDocument* document = dispatcher.Document(0);
    EXPECT_EQ(document->ObjectManager->Objects.size(), 1u);
    EXPECT_TRUE(SameText(document->FileName, ChangeFileExt(picture, ".rtf"))) << document->FileName;
    EXPECT_EQ(document->Paragraphs[0]->ParaFormat[pfAlignment], 1); // centred
    // Opened again, the picture makes a document of its own name only once.
    ASSERT_TRUE(dispatcher.OpenFile(picture));
    EXPECT_FALSE(SameText(dispatcher.Document(1)->FileName, document->FileName));
    SilentMessages = true;
    EXPECT_FALSE(dispatcher.OpenFile(DataPath("png/absente.png")));
    SilentMessages = false;
    EXPECT_EQ(dispatcher.DocumentCount(), 2);
}

TEST(DocDispatcher, OpeningAnOpenDocumentAgainOffersItsOriginal)
{
    TDocDispatcher dispatcher;
    const std::string file = DataPath("rtf/champs-lo.rtf");
    ASSERT_TRUE(dispatcher.OpenFile(file));
    dispatcher.Document(0)->SetModified(true);
    // "No", remembered: the changed copy stays.
    SetOptionalMessageAnswer(3, OptionalMessageOff | 1);
    EXPECT_FALSE(dispatcher.OpenFile(file));
    ASSERT_EQ(dispatcher.DocumentCount(), 1);
    EXPECT_TRUE(dispatcher.Document(0)->IsModified());
    // "Yes": the changed copy gives way to the file as it is.
    SetOptionalMessageAnswer(3, OptionalMessageOff | 0);
    EXPECT_TRUE(dispatcher.OpenFile(file));
    ASSERT_EQ(dispatcher.DocumentCount(), 1);
    EXPECT_FALSE(dispatcher.Document(0)->IsModified());
    SetOptionalMessageAnswer(3, 0);
}

TEST(DocDispatcher, NewDocumentsStartFromTheDefaultTemplate)
{
    TDefaultDocTemplates& defaults = CurrentOptions().General.DefaultTemplates;
    const TDefaultDocTemplates kept = defaults;
    const size_t entry = static_cast<size_t>(TCodingManager::TemplateEntryForCoding(defaults.DefDocFmt));
    const std::string templateFile = DataPath("rtf/champs-lo.rtf");
    defaults.Templates[entry] = templateFile;
    TDocDispatcher dispatcher;
    TDocument* fromTemplate = dispatcher.NewDocument();
    ASSERT_NE(fromTemplate, nullptr);
    TDocument model(true);
    TDocOpeningOptions load;
    load.FileName = templateFile;
    ASSERT_TRUE(OpenDocumentFile(model, load));
    // The template's text, in a new document of its own name, unchanged.
    EXPECT_EQ(fromTemplate->ParagraphCount(), model.ParagraphCount());
    EXPECT_FALSE(fromTemplate->IsModified());
    EXPECT_TRUE(dispatcher.IsNewDocument(fromTemplate));
    EXPECT_FALSE(SameText(fromTemplate->FileName, templateFile));
    EXPECT_TRUE(fromTemplate->GetModeFlag(mfNoOwnFile));
    // A template that cannot be read gives a blank document.
    defaults.Templates[entry] = DataPath("rtf/absent.rtf");
    TDocument* blank = dispatcher.NewDocument();
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->ParagraphCount(), 1);
    defaults = kept;
}

TEST(DocDispatcher, EachKindOfViewShowsItsOwnWindowElements)
{
    TOptionsHolder holder;
    holder.DocumentView.Ruler = true;
    holder.DocumentView.ScrollBars = 3;
    holder.PreviewView.Ruler = false;
    holder.PreviewView.ScrollBars = 2;
    TDocDispatcher dispatcher;
    TDocument* normal = dispatcher.NewDocument();
    TDocument* preview = dispatcher.NewDocument();
    ASSERT_TRUE(normal && preview);
    preview->PreviewMode = true;
    dispatcher.ApplyDocumentViewSettings(preview);
    EXPECT_FALSE(CurrentOptions().View.Ruler);
    EXPECT_EQ(CurrentOptions().View.ScrollBars, 2);
    dispatcher.ApplyDocumentViewSettings(normal);
    EXPECT_TRUE(CurrentOptions().View.Ruler);
    EXPECT_EQ(CurrentOptions().View.ScrollBars, 3);
    preview->PreviewMode = false;
}

TEST(DocDispatcher, TheDefaultTemplatesComeFromTheProgramWhenMissing)
{
    const std::string data = qptest::ScratchDir() + "\\donnees";
    SetDataFolder(data);
    TDocDispatcher dispatcher;
    const std::string folder = dispatcher.TemplatesFolder();
    DeleteFileA((folder + "Normal.rtf").c_str());
    DeleteFileA((folder + "Brouillon.rtf").c_str());
    // With no file, a new document still takes the default template's page (margins of 2.5 cm).
    TDocument* document = dispatcher.NewDocument();
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Paragraphs.size(), 1u);
    EXPECT_EQ(document->PageSetupOwnerSection(0)->PageSetup[psLeftMargin], 1418);

    // Written when missing, left alone when present.
    ASSERT_TRUE(ForceDirectories(folder));
    {
        FILE* own = fopen((folder + "Brouillon.rtf").c_str(), "wb");
        fputs("{\\rtf1 mien}", own);
        fclose(own);
    }
    dispatcher.WriteDefaultTemplates();
    EXPECT_NE(qptest::ReadFileBytes(folder + "Normal.rtf").find("Times New Roman"), std::string::npos);
    EXPECT_EQ(qptest::ReadFileBytes(folder + "Brouillon.rtf"), "{\\rtf1 mien}");
    DeleteFileA((folder + "Brouillon.rtf").c_str());
    dispatcher.WriteDefaultTemplates();
    EXPECT_NE(qptest::ReadFileBytes(folder + "Brouillon.rtf").find("Courier New"), std::string::npos);
    SetDataFolder("");
}
