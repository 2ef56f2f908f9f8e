// The templates folder: inside the data folder, and what makes a document a template.
#include <gtest/gtest.h>

#include "document/Document.h"
#include "core/DataFolder.h"
#include "shell/DocDisp.h"

TEST(TemplatesFolder, LiesInTheDataFolderAndMakesTemplates)
{
    TDocDispatcher dispatcher;
    EXPECT_EQ(dispatcher.TemplatesFolder(), ""); // no data folder yet: no templates folder
    SetDataFolder("C:\\Donn\xE9"
                  "es\\Quillpad");
    EXPECT_EQ(DataFolder(), "C:\\Donn\xE9"
                            "es\\Quillpad\\");
    EXPECT_EQ(dispatcher.TemplatesFolder(), "C:\\Donn\xE9"
                                            "es\\Quillpad\\Mod\xE8les de document\\");

    TDocument* doc = dispatcher.AddDocument(std::make_unique<TDocument>(true));
    doc->FileName = "c:\\donn\xE9"
                    "es\\quillpad\\mod\xE8les de document\\Lettre.rtf";
    EXPECT_TRUE(doc->IsTemplateFile());
    doc->SetModeFlag(mfNoOwnFile, true); // a new document has no file yet
    EXPECT_FALSE(doc->IsTemplateFile());
    doc->SetModeFlag(mfNoOwnFile, false);
    doc->FileName = "C:\\Donn\xE9"
                    "es\\Quillpad\\Lettre.rtf";
    EXPECT_FALSE(doc->IsTemplateFile());
    SetDataFolder("");
}
