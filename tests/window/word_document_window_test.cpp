// A Word document opened into a document window: its two sections laid out on pages of their own
// sizes. A disabled test shows it for looking at.
#include <gtest/gtest.h>

#include <string>

#include "classlib/windowing/Forms.h"
#include "document/Document.h"
#include "document/Page.h"
#include "document/Section.h"
#include "formats/load/DocumentLoad.h"
#include "shell/DocDisp.h"
#include "tests/common/test_support.h"
#include "window/DocForm.h"

namespace {

class WordDocumentWindow : public testing::Test {
protected:
    void SetUp() override
    {
        Doc = Dispatcher.AddDocument(std::make_unique<TDocument>(false));
        TDocOpeningOptions options;
        options.FileName = qptest::DataPath("word/structure97.doc");
        options.OpenMode = omReadOnly;
        TLoadedDocument loaded;
        Loaded = LoadDocumentFromFile(*Doc, options, loaded,
                                      [](const std::string&, uint8_t, uint16_t, uint8_t) { return 0; });
        Doc->SetModeFlag(mfSectionRangesStale, true);
        Doc->InvalidatePagination();
        Doc->PaginateAll();
        Window = Doc->Window;
        Window->SetClientSize(900, 700);
        Window->Show();
        Application->ProcessMessages();
    }
    TDocDispatcher Dispatcher;
    TDocument* Doc = nullptr;
    TDocumentForm* Window = nullptr;
    bool Loaded = false;
};

TEST_F(WordDocumentWindow, SectionsLayOutOnPagesOfTheirOwn)
{
    ASSERT_TRUE(Loaded);
    EXPECT_EQ(Doc->Coding, 2);
    // The second section starts a new page in landscape.
    ASSERT_GE(Doc->Pages.size(), 2u);
    EXPECT_GT(Doc->Sections[1]->PageSetup[psWidth], Doc->Sections[1]->PageSetup[psHeight]);
    EXPECT_LT(Doc->Sections[0]->PageSetup[psWidth], Doc->Sections[0]->PageSetup[psHeight]);
}

// For looking at the window as a person would:
//   bash scripts/screenshot.sh word.png --title "Document Word" build/win-i686/tests/window_window_tests.exe
//     --gtest_also_run_disabled_tests --gtest_filter=WordDocumentWindow.DISABLED_Screenshot
// (one command line); it ends by itself after 30 s.
TEST_F(WordDocumentWindow, DISABLED_Screenshot)
{
    Window->SetCaption("Document Word");
    Doc->SetZoom(100);
    const DWORD end = GetTickCount() + 30000;
    while (GetTickCount() < end) {
        Application->ProcessMessages();
        Sleep(20);
    }
}

} // namespace
