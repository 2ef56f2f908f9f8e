// The document's file names: default names of new documents, templates, cleaned-up names.
#include <gtest/gtest.h>

#include "core/Options.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "tagged_text.h"

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

TEST(DocumentFileNames, SuggestedFromTheFirstSentence)
{
    const std::string hundred(100, 'x');
    struct {
        std::vector<std::string> Paragraphs;
        bool KeepAll;
        const char* Name;
    } const cases[] = {
        {{"Compte rendu de la réunion. Étaient présents"}, false, "Compte rendu de la réunion.rtf"},
        {{"", "   ", "Lettre à Marie !"}, false, "Lettre à Marie.rtf"},
        {{"Budget 2024/2025: \"final\"? Oui."}, false, "Budget 2024 2025   final.rtf"},
        {{"Budget 2024/2025: \"final\"? Oui."}, true, "Budget 2024/2025: \"final"},
        {{"Texte\tavec tabulation."}, false, "Texte avec tabulation.rtf"},
        {{hundred + "yyy"}, false, nullptr},
        {{"?!... ;"}, false, "C:\\Docs\\Doc01.rtf"},
        {{}, false, "C:\\Docs\\Doc01.rtf"},
    };
    for (const auto& c : cases) {
        TDocument doc;
        doc.Paragraphs.clear();
        doc.StoryLengths[stMain] = 0;
        for (const std::string& text : c.Paragraphs) {
            auto p = std::make_unique<TParagraph>(&doc);
            std::string notation;
            for (char ch : text)
                notation += ch == '\t' ? std::string("{22:7}") : std::string(1, ch);
            qptest::SetTaggedText(*p, notation + "{22:2}");
            doc.Paragraphs.push_back(std::move(p));
            ++doc.StoryLengths[stMain];
        }
        if (doc.Paragraphs.empty()) {
            doc.Paragraphs.push_back(std::make_unique<TParagraph>(&doc));
            qptest::SetTaggedText(*doc.Paragraphs[0], "{22:2}");
            doc.StoryLengths[stMain] = 1;
        }
        const std::string expected = c.Name ? c.Name : hundred + ".rtf";
        EXPECT_EQ(doc.SuggestFileName("C:\\Docs\\Doc01.rtf", c.KeepAll), expected)
            << (c.Paragraphs.empty() ? "" : c.Paragraphs.back());
    }
}
