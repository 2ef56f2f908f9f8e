// The document dispatcher: document windows, the open list and the decoded pictures of all documents.
#include "shell/DocDisp.h"

#include <gtest/gtest.h>

#include "classlib/graphics/Bitmap.h"
#include "core/Colors.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "window/DocForm.h"

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
