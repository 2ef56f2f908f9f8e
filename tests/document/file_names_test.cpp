// The document's file names: default names of new documents, templates, cleaned-up names.
#include <gtest/gtest.h>

#include "core/Options.h"
#include "document/Document.h"
#include "document/DocumentHost.h"

namespace {

// A host where one document is open and templates live in one folder.
class TNamesHost : public TDocumentHost {
public:
    bool IsDocumentOpen(const std::string& fileName) override { return fileName == OpenName; }
    std::string TemplatesFolder() override { return "C:\\Modeles"; }
    std::string UserDocumentsFolder() override { return "C:\\Mes documents\\"; }
    std::string OpenName;
};

} // namespace

TEST(DocumentFileNames, DefaultNamesCountAndSkipOpenDocuments)
{
    TNamesHost host;
    SetDocumentHost(&host);
    TOptions& options = CurrentOptions();
    const TOptions saved = options;
    options.LoadSave.DocFolder.clear();
    options.NewDocParams.NewDoc_Index = 99;
    TDocument doc;
    EXPECT_EQ(doc.MakeDefaultFileName(), "C:\\Mes documents\\Doc99.rtf");
    EXPECT_EQ(options.NewDocParams.NewDoc_Index, 1);

    host.OpenName = "D:\\Textes\\Doc01.rtf";
    options.LoadSave.DocFolder = "D:\\Textes";
    EXPECT_EQ(doc.MakeDefaultFileName(), "D:\\Textes\\Doc02.rtf");
    EXPECT_EQ(options.NewDocParams.NewDoc_Index, 3);
    options.LoadSave.UseDocFolder = false;
    EXPECT_EQ(doc.MakeDefaultFileName(), "C:\\Mes documents\\Doc03.rtf");
    options = saved;
    SetDocumentHost(nullptr);
}

TEST(DocumentFileNames, TemplatesAndControlCharacters)
{
    TNamesHost host;
    SetDocumentHost(&host);
    TDocument doc;
    doc.FileName = "c:\\modeles\\Lettre.rtf";
    EXPECT_TRUE(doc.IsTemplateFile());
    doc.SetModeFlag(mfNoOwnFile, true); // not saved yet: never a template
    EXPECT_FALSE(doc.IsTemplateFile());
    doc.SetModeFlag(mfNoOwnFile, false);
    doc.FileName = "C:\\Autres\\Lettre.rtf";
    EXPECT_FALSE(doc.IsTemplateFile());
    SetDocumentHost(nullptr);

    EXPECT_EQ(RemoveControlCharacters("\tA:b?\x02 ", false), "A b");
    EXPECT_EQ(RemoveControlCharacters("\tA:b?\x02 ", true), "A:b?");
    EXPECT_EQ(RemoveControlCharacters("\x01\x02", false), "");
}
