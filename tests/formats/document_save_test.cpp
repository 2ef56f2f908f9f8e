// Saving through the dispatch: what a save changes in the document and what it leaves alone, saves
// under another name, and the question about formatting a format cannot keep.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/runtime/Files.h"
#include "classlib/windowing/DialogTypes.h"
#include "core/Memory.h"
#include "core/Options.h"
#include "core/TabTables.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "core/Codings.h"
#include "formats/load/DocumentLoad.h"
#include "formats/save/DocumentSave.h"
#include "formats/save/FormatLosses.h"
#include "formats/save/SaveCommands.h"
#include "tests/common/test_support.h"

namespace {

struct TAsked {
    int Answer = mrYes;
    std::vector<std::string> Texts;
    std::vector<int> Optional;
    TAskUser Routine()
    {
        return [this](const std::string& text, uint8_t, uint16_t, uint8_t optional) {
            Texts.push_back(text);
            Optional.push_back(optional);
            return Answer;
        };
    }
};

// A document read from RTF in memory, with a file name of its own.
std::unique_ptr<TDocument> FromRtf(const std::string& rtf, const std::string& fileName = "")
{
    auto doc = std::make_unique<TDocument>();
    TDocOpeningOptions options;
    options.SourceKind = 1;
    options.MemoryBlock = rtf.data();
    options.MemorySize = static_cast<int64_t>(rtf.size());
    TLoadedDocument loaded;
    EXPECT_TRUE(LoadDocumentFromFile(*doc, options, loaded));
    doc->Coding = options.Coding;
    doc->FileName = fileName;
    return doc;
}

class TSaveHost : public TDocumentHost {
public:
    std::string Folder;
    std::vector<std::string> Events;
    std::string TemplatesFolder() override { return Folder; }
    void AddToRecentFiles(TDocument* document) override { Events.push_back("recent " + document->FileName); }
    void TemplatesChanged() override { Events.push_back("templates"); }
    void BeginProgress(int64_t total, const std::string& text, const std::string&) override
    {
        Events.push_back("begin " + std::to_string(total) + " " + text);
    }
    void EndProgress(bool filled) override { Events.push_back(filled ? "end filled" : "end"); }
};

TDocSavingOptions WholeDocument(TDocument& doc, int coding, int32_t flags)
{
    TDocSavingOptions options;
    options.Range = doc.GetBodyRange();
    options.Coding = coding;
    options.Flags = flags;
    return options;
}

} // namespace

TEST(FormatLosses, ListedByTargetFormat)
{
    struct TCase {
        const char* Rtf;
        int Coding;
        bool Lost;
        const char* Items; // the list after its heading, or "" for none
    };
    const TCase cases[] = {
        // Word 6.0 names each formatting it cannot keep, once, and only those present.
        {"{\\rtf1 a {\\striked1 b} c\\par d}", cdWord6, true,
         "* les attributs barré double seront convertis en barré simple."},
        {"{\\rtf1{\\colortbl;\\red0\\green0\\blue0;\\red255\\green255\\blue0;}{\\embo x}{\\impr "
         "y}{\\highlight2 z}}",
         cdWord6, true,
         "* Texte à effet de relief (la couleur du texte deviendra grise).||"
         "* Texte à effet d'empreinte (la couleur du texte deviendra grise).||"
         "* Les caractères surlignés perdront leur surlignage."},
        {"{\\rtf1 a{\\charscalex80 b}{\\ulwave c}}", cdWord6, true,
         "* Tout effet d'échelle appliqué à des caractères sera perdu.||"
         "* les soulignages décoratifs seront convertis en soulignages simples."},
        {"{\\rtf1 {\\ul a} {\\uldb b}}", cdWord6, false, ""},
        {"{\\rtf1 voir {\\field{\\*\\fldinst HYPERLINK \"http://exemple.fr\"}{\\fldrslt le site}}}", cdWord6,
         true,
         "* Le soulignage des liens hypertextes sera éventuellement préservé mais le lien sera inactivé."},
        // RTF, Word 97 and the encrypted format keep everything.
        {"{\\rtf1 a {\\striked1 b}{\\b c}}", cdRtf, false, ""},
        {"{\\rtf1 a {\\striked1 b}{\\b c}}", cdWord97, false, ""},
        {"{\\rtf1 a {\\striked1 b}{\\b c}}", cdEncrypted, false, ""},
        // Text keeps what is the same everywhere, and has no list.
        {"{\\rtf1 \\b tout en gras\\par encore}", cdAnsiText, false, ""},
        {"{\\rtf1 un {\\b mot} en gras}", cdAnsiText, true, ""},
        {"{\\rtf1 \\qc centré\\par\\pard \\ql gauche}", cdDosText, true, ""},
    };
    for (const TCase& c : cases) {
        auto doc = FromRtf(c.Rtf);
        bool lost = false;
        const std::string list = ListFormatLosses(*doc, doc->GetBodyRange(), c.Coding, lost);
        EXPECT_EQ(lost, c.Lost) << c.Rtf << " " << c.Coding;
        const std::string expected =
            *c.Items ? std::string("||Les éléments de mise en forme suivants seront perdus :||") + c.Items
                     : "";
        EXPECT_EQ(list, expected) << c.Rtf << " " << c.Coding;
    }
}

TEST(FormatLosses, AskedOncePerDocumentAndRefusedFormats)
{
    auto doc = FromRtf("{\\rtf1 a {\\striked1 b}}", "C:\\lettre.doc");
    TAsked asked;
    // No chooses another format; the question is not asked again for the whole document.
    asked.Answer = mrNo;
    EXPECT_TRUE(CheckFormatLosses(*doc, nullptr, cdWord6, asked.Routine()));
    ASSERT_EQ(asked.Texts.size(), 1u);
    EXPECT_EQ(asked.Optional[0], 2);
    EXPECT_EQ(asked.Texts[0].rfind(
                  "Le document \"C:\\lettre.doc\" contient des éléments de mise en forme qui seront "
                  "perdus si le fichier est enregistré sous le format \"MS Word 6.0\".||Les éléments",
                  0),
              0u)
        << asked.Texts[0];
    EXPECT_NE(asked.Texts[0].find(
                  "||||Appuyez sur \"Oui\" pour enregistrer ce document au format \"MS Word 6.0\"."),
              std::string::npos);
    EXPECT_FALSE(CheckFormatLosses(*doc, nullptr, cdWord6, asked.Routine()));
    EXPECT_EQ(asked.Texts.size(), 1u);

    // A range is asked about every time, and Yes goes on with the save.
    auto other = FromRtf("{\\rtf1 a {\\striked1 b}}");
    const TTextRange range = other->GetBodyRange();
    asked.Answer = mrYes;
    EXPECT_FALSE(CheckFormatLosses(*other, &range, cdWord6, asked.Routine()));
    EXPECT_FALSE(CheckFormatLosses(*other, &range, cdWord6, asked.Routine()));
    EXPECT_EQ(asked.Texts.size(), 3u);
    EXPECT_FALSE(other->FormatLossesAccepted);

    // Write documents cannot be saved: refused before any writer.
    asked.Texts.clear();
    EXPECT_TRUE(CheckFormatLosses(*other, nullptr, cdWrite, asked.Routine()));
    ASSERT_EQ(asked.Texts.size(), 1u);
    EXPECT_NE(asked.Texts[0].find("ne peut pas pour le moment enregistrer de document au format"),
              std::string::npos);
}

TEST(DocumentSave, StateFollowsTheSaveUnlessKept)
{
    const std::string folder = qptest::ScratchDir() + PathDelim;
    const std::string path = folder + "etat.txt";
    TSaveHost host;
    SetDocumentHost(&host);
    auto doc = FromRtf("{\\rtf1 Bonjour}", path);
    doc->SetModified(true);
    doc->SetModeFlag(mfNoOwnFile, true);
    TLoadedDocument loaded;
    TAsked asked;

    // Kept state: the file is written, the document is still modified and keeps its coding and dates.
    EXPECT_EQ(SaveDocument(*doc, WholeDocument(*doc, cdAnsiText, sfKeepState), loaded, asked.Routine()),
              kSaveWritten);
    EXPECT_EQ(qptest::ReadFileBytes(path), "Bonjour");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->GetModeFlag(mfNoOwnFile));
    EXPECT_EQ(doc->Coding, cdRtf);
    EXPECT_EQ(doc->Info.LastSaveDate, 0);
    EXPECT_EQ(host.Events,
              (std::vector<std::string>{"begin 1 Enregistrement du document \"%s\" ...", "end filled"}));

    // An ordinary save: the document takes the coding, is saved, dated and listed.
    host.Events.clear();
    EXPECT_EQ(SaveDocument(*doc, WholeDocument(*doc, cdDosText, 0), loaded, asked.Routine()), kSaveWritten);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->GetModeFlag(mfNoOwnFile));
    EXPECT_EQ(doc->Coding, cdDosText);
    EXPECT_GT(doc->Info.LastSaveDate, 0);
    EXPECT_NE(std::find(host.Events.begin(), host.Events.end(), "recent " + path), host.Events.end());
    EXPECT_EQ(std::find(host.Events.begin(), host.Events.end(), "templates"), host.Events.end());
    EXPECT_FALSE(doc->GetModeFlag(mfSaving));

    // Into the templates folder: the interface hears of it.
    host.Folder = folder;
    host.Events.clear();
    EXPECT_EQ(SaveDocument(*doc, WholeDocument(*doc, cdAnsiText, sfKeepState), loaded, asked.Routine()),
              kSaveWritten);
    EXPECT_EQ(host.Events.back(), "templates");

    // No writer for the format: refused, the date and state as they were, the file untouched.
    const double saved = doc->Info.LastSaveDate;
    doc->SetModified(true);
    EXPECT_EQ(SaveDocument(*doc, WholeDocument(*doc, cdWrite, 0), loaded, asked.Routine()), kSaveFailed);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->Info.LastSaveDate, saved);
    EXPECT_EQ(qptest::ReadFileBytes(path), "Bonjour");
    EXPECT_TRUE(asked.Texts.size() == 1u && asked.Texts[0].find("\"Windows Write\"") != std::string::npos);
    SetDocumentHost(nullptr);
}

TEST(DocumentSave, IntoMemoryAppends)
{
    auto doc = FromRtf("{\\rtf1 un\\par deux}");
    TMemory block;
    block.Append("> ", 2);
    TDocSavingOptions options = WholeDocument(*doc, cdAnsiText, sfKeepState);
    options.ToMemory = 1;
    options.MemoryBlock = &block;
    TLoadedDocument loaded;
    TAsked asked;
    EXPECT_EQ(SaveDocument(*doc, options, loaded, asked.Routine()), kSaveWritten);
    // Unlike a file, memory gets the line end of the final paragraph mark; compact text has none.
    options.Flags |= sfCompact;
    EXPECT_EQ(SaveDocument(*doc, options, loaded, asked.Routine()), kSaveWritten);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.Data()), static_cast<size_t>(block.Size())),
              "> un\r\ndeux\r\nun deux ");
    // Into memory nobody is asked, not even for a format without a writer.
    options.Coding = cdWrite;
    EXPECT_EQ(SaveDocument(*doc, options, loaded, asked.Routine()), kSaveFailed);
    EXPECT_TRUE(asked.Texts.empty());
}

TEST(DocumentSave, UnderAnotherNameLeavesTheDocumentAlone)
{
    const std::string folder = qptest::ScratchDir() + PathDelim;
    const std::string own = folder + "propre.txt";
    const std::string copy = folder + "copie.txt";
    auto doc = FromRtf("{\\rtf1 Texte}", own);
    doc->Coding = cdAnsiText;
    doc->SetModified(true);
    TAsked asked;
    EXPECT_EQ(SaveDocumentToNamedFile(*doc, copy, 0, asked.Routine()), kSaveWritten);
    EXPECT_EQ(qptest::ReadFileBytes(copy), "Texte");
    EXPECT_EQ(doc->FileName, own);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(FileExists(own));

    // A web page has no writer yet: refused, and no file is left behind.
    const std::string page = folder + "page.htm";
    EXPECT_EQ(SaveDocumentToNamedFile(*doc, page, 1, asked.Routine()), kSaveFailed);
    EXPECT_FALSE(FileExists(page));
    EXPECT_EQ(doc->FileName, own);

    // A file that cannot be created: the user is told and may cancel.
    asked.Texts.clear();
    asked.Answer = mrCancel;
    const std::string nowhere = folder + "absent" + PathDelim + "x.txt";
    EXPECT_EQ(SaveDocumentToNamedFile(*doc, nowhere, 0, asked.Routine()), kSaveFailed);
    ASSERT_EQ(asked.Texts.size(), 1u);
    EXPECT_EQ(asked.Texts[0], "Impossible de créer le fichier \"" + nowhere + "\".");
}

// The summary is asked for only when the options want it, for a formatted document, and on a forced
// prompt or once for a document that still has it to ask.
TEST(DocumentSave, SummaryAskedOnlyWhenDue)
{
    class TSummaryHost : public TDocumentHost {
    public:
        int Shown = 0;
        bool Answer = true;
        std::string Title;
        bool EditDocumentProperties(TDocumentInfo& info) override
        {
            ++Shown;
            Title = info.Title;
            return Answer;
        }
    } host;
    SetDocumentHost(&host);
    TOptions& options = CurrentOptions();
    const bool offered = options.General.OfferDocProp;
    auto doc = FromRtf("{\\rtf1 Rapport annuel\\par Suite}");
    doc->Coding = cdRtf;
    doc->SummaryAsked = true;

    options.General.OfferDocProp = false;
    EXPECT_TRUE(AskSummaryBeforeSaving(*doc, true));
    options.General.OfferDocProp = true;
    doc->Coding = cdAnsiText;
    EXPECT_TRUE(AskSummaryBeforeSaving(*doc, true));
    EXPECT_EQ(host.Shown, 0);

    // Due once: the title is suggested from the text, a cancel is the answer, and it is not asked again.
    doc->Coding = cdRtf;
    host.Answer = false;
    EXPECT_FALSE(AskSummaryBeforeSaving(*doc, false));
    EXPECT_EQ(host.Shown, 1);
    EXPECT_FALSE(host.Title.empty());
    EXPECT_FALSE(doc->SummaryAsked);
    EXPECT_TRUE(AskSummaryBeforeSaving(*doc, false));
    EXPECT_EQ(host.Shown, 1);
    // Forced: asked whatever the flag.
    host.Answer = true;
    EXPECT_TRUE(AskSummaryBeforeSaving(*doc, true));
    EXPECT_EQ(host.Shown, 2);

    options.General.OfferDocProp = offered;
    SetDocumentHost(nullptr);
}
