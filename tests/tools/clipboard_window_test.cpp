// The clipboard manager on the real clipboard, with another program (clip_helper) on the other side:
// what a copy offers and that program reads back, pastes of what that program put there (Rich Text
// Format, text, Unicode text, a bitmap, a damaged bitmap), the history and the piggy bank.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/runtime/Exceptions.h"
#include "core/Codings.h"
#include "core/DataFolder.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/Field.h"
#include "document/Section.h"
#include "editing/OperationManager.h"
#include "editing/OperationParams.h"
#include "formats/DocumentDump.h"
#include "formats/DocumentMemory.h"
#include "formats/save/DocumentSave.h"
#include "tests/common/test_support.h"
#include "tests/core/message_robot.h"
#include "tools/ClipboardManager.h"
#include "tools/PiggyBank.h"

using qptest::TEventRecorder;
using qptest::TRobot;

namespace {

std::string HelperPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1) + "clip_helper.exe";
}

std::string TempPath(const char* name)
{
    char dir[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

std::string ReadFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The other program: puts something on the clipboard and stays its owner until Release, or reads the
// clipboard into a file.
class THelper {
public:
    THelper()
    {
        Ready = CreateEventA(nullptr, TRUE, FALSE, "QuillpadClipHelperReady");
        Done = CreateEventA(nullptr, TRUE, FALSE, "QuillpadClipHelperDone");
    }
    ~THelper()
    {
        Release();
        CloseHandle(Ready);
        CloseHandle(Done);
    }
    // Starts the helper with Arguments; a put waits until the clipboard holds the data.
    void Run(const std::string& arguments)
    {
        Release();
        ResetEvent(Ready);
        ResetEvent(Done);
        std::string line = "\"" + HelperPath() + "\" " + arguments;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(
            CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            << line;
        CloseHandle(pi.hThread);
        Process = pi.hProcess;
        if (arguments.rfind("put-", 0) == 0) {
            HANDLE both[2] = {Ready, Process};
            ASSERT_EQ(WaitForMultipleObjects(2, both, FALSE, 10000), WAIT_OBJECT_0) << arguments;
        } else {
            WaitForSingleObject(Process, 10000);
        }
    }
    // Lets the helper go and waits for it.
    void Release()
    {
        if (!Process)
            return;
        SetEvent(Done);
        WaitForSingleObject(Process, 10000);
        CloseHandle(Process);
        Process = nullptr;
    }
    // What the helper reads of the clipboard: a format's bytes, or the list of format names.
    std::string Read(const std::string& format)
    {
        const std::string out = TempPath("qp_clip_helper.out");
        Run((format == "formats" ? std::string("formats") : "read \"" + format + "\"") + " \"" + out + "\"");
        Release();
        return ReadFile(out);
    }

private:
    HANDLE Ready = nullptr;
    HANDLE Done = nullptr;
    HANDLE Process = nullptr;
};

std::unique_ptr<TDocument> FromRtf(const std::string& rtf)
{
    std::unique_ptr<TDocument> doc = LoadDocumentFromMemory(rtf.data(), int64_t(rtf.size()), cdRtf);
    if (!doc)
        return doc;
    // A document that keeps its undo history, as an open one does.
    doc->SetModeFlag(mfHidden, false);
    doc->SetCaret(0, 0, 0, 4);
    return doc;
}

std::string Text(const TDocument& doc, int32_t par)
{
    const TMemory& plain = doc.Paragraphs[size_t(par)]->PlainText;
    return std::string(reinterpret_cast<const char*>(plain.Data()), size_t(std::max(plain.Size() - 1, 0)));
}

std::vector<std::string> Texts(const TDocument& doc)
{
    std::vector<std::string> texts;
    for (int32_t i = 0; i < doc.StoryLengths[stMain]; ++i)
        texts.push_back(Text(doc, i));
    return texts;
}

void SelectAt(TDocument& doc, int32_t p1, int32_t o1, int32_t p2, int32_t o2)
{
    MakeTextPos(p1, o1, doc.Selection.StartPos);
    MakeTextPos(p2, o2, doc.Selection.EndPos);
    doc.Caret = doc.Selection.EndPos;
}

void Paste(TDocument& doc)
{
    ExecuteOperation(doc, TPasteParams{});
}

class ClipboardTest : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        InstallRangeCopier();
        Manager = std::make_unique<TClipboardManager>();
        CurrentOptions().General.DocsToKeep = 10;
    }
    void TearDown() override
    {
        Helper.Release();
        Manager.reset();
        TPiggyBank::AppendCheck = nullptr;
        SilentMessages = false;
    }
    // Copies a range of a document as the copy command does.
    void Copy(TDocument& doc, const TTextRange& range)
    {
        ASSERT_TRUE(Manager->OpenClipboard());
        Manager->CopyRange(doc, range, doc.IsWholeWordRange(range) ? 0 : cfNotWholeWords);
        Manager->CloseClipboard();
    }

    std::unique_ptr<TClipboardManager> Manager;
    THelper Helper;
};

} // namespace

TEST_F(ClipboardTest, ACopyOffersEveryFormatAndAnotherProgramReadsThem)
{
    auto doc = FromRtf("{\\rtf1 Bonjour {\\b monde}}");
    ASSERT_TRUE(doc);
    Copy(*doc, TextRangeOf(TextPosAt(0, 0), TextPosAt(0, 13)));
    const std::string formats = Helper.Read("formats");
    EXPECT_NE(formats.find("Rich Text Format\n"), std::string::npos) << formats;
    EXPECT_NE(formats.find("1\n"), std::string::npos) << formats;
    EXPECT_EQ(formats.find("Not Whole Words Selection"), std::string::npos) << formats;
    EXPECT_EQ(formats.find("Rectangular Selection"), std::string::npos) << formats;
    // The text, and the system's Unicode form of it, in the other program.
    const std::string text = Helper.Read("1");
    EXPECT_EQ(std::string(text.c_str()), "Bonjour monde");
    const std::string wide = Helper.Read("13");
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(wide.data())), u"Bonjour monde");
    const std::string rtf = Helper.Read("Rich Text Format");
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u) << rtf;
    EXPECT_NE(rtf.find("\\b"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("monde"), std::string::npos) << rtf;
    EXPECT_EQ(rtf.back(), '\0');

    // The same clip read back here: formatted text is what a paste takes.
    ASSERT_TRUE(Manager->OpenClipboard());
    EXPECT_EQ(Manager->GetPasteKind(), 2);
    EXPECT_EQ(Manager->GetBestFormat(), TClipboardManager::RtfFormat);
    Manager->CloseClipboard();

    // A piece of a word carries the marker that it is not made of whole words.
    Copy(*doc, TextRangeOf(TextPosAt(0, 1), TextPosAt(0, 5)));
    EXPECT_NE(Helper.Read("formats").find("Not Whole Words Selection"), std::string::npos);

    // A rectangular block: one line per range, marked rectangular.
    auto lines = FromRtf("{\\rtf1 abcd\\par efgh\\par ijkl}");
    Manager->CopyBlock(*lines, {TextRangeOf(TextPosAt(0, 1), TextPosAt(0, 3)),
                                TextRangeOf(TextPosAt(1, 1), TextPosAt(1, 3))});
    EXPECT_NE(Helper.Read("formats").find("Rectangular Selection"), std::string::npos);
    EXPECT_EQ(std::string(Helper.Read("1").c_str()), "bc\r\nfg");
}

TEST_F(ClipboardTest, AWholeHyperlinkOrTheLinkMenusCopyGivesTheAddressAsText)
{
    auto doc =
        FromRtf("{\\rtf1 Voir {\\field{\\*\\fldinst HYPERLINK \"http://exemple.fr/page\" \\\\l \"haut\"}"
                "{\\fldrslt le site}} ici.}");
    ASSERT_TRUE(doc);
    SelectAt(*doc, 0, 9, 0, 9);
    TTextRange link{};
    ASSERT_NE(doc->GetFieldAtSelection(link, ftHyperlink), nullptr);

    // The whole link selected: its address, with the bookmark after "#".
    SelectAt(*doc, link.StartPos.ParIndex, link.StartPos.Offset, link.EndPos.ParIndex, link.EndPos.Offset);
    Copy(*doc, link);
    EXPECT_EQ(std::string(Helper.Read("1").c_str()), "http://exemple.fr/page#haut");
    EXPECT_NE(Helper.Read("formats").find("Rich Text Format"), std::string::npos);

    // Part of the link's text: the text itself, unless the link's own menu copies it.
    SelectAt(*doc, 0, 8, 0, 10);
    const TTextRange part = doc->Selection;
    Copy(*doc, part);
    EXPECT_NE(std::string(Helper.Read("1").c_str()), "http://exemple.fr/page#haut");
    Manager->CopyLinkFlag = true;
    Copy(*doc, part);
    Manager->CopyLinkFlag = false;
    EXPECT_EQ(std::string(Helper.Read("1").c_str()), "http://exemple.fr/page#haut");

    // Plain text beside the link is copied as it stands.
    SelectAt(*doc, 0, 0, 0, 4);
    Copy(*doc, doc->Selection);
    EXPECT_EQ(std::string(Helper.Read("1").c_str()), "Voir");
}

TEST_F(ClipboardTest, PastesWhatAnotherProgramPutThere)
{
    struct TCase {
        const char* Put;
        std::vector<std::string> Expected; // the target's paragraphs after the paste
    } cases[] = {
        {"put-rtf \"{\\rtf1 {\\b gras} normal}\"", {"[gras normal]"}},
        {"put-text \"un\r\ndeux\"", {"[un", "deux]"}},
        // The letter no Western code page has is written as its nearest one.
        {"put-unicode",
         {"[Gr\xfc\xdf"
          "e w]"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Put);
        Helper.Run(c.Put);
        auto doc = FromRtf("{\\rtf1 []}");
        SelectAt(*doc, 0, 1, 0, 1);
        const std::string before = DumpDocument(*doc, true);
        Paste(*doc);
        EXPECT_EQ(Texts(*doc), c.Expected);
        EXPECT_EQ(doc->UndoList.Count(), 1);
        doc->OperationManager->Undo();
        EXPECT_EQ(DumpDocument(*doc, true), before);
        Helper.Release();
    }
    // The formatted paste keeps the bold of "gras".
    Helper.Run("put-rtf \"{\\rtf1 {\\b gras} normal}\"");
    auto doc = FromRtf("{\\rtf1 x}");
    Paste(*doc);
    EXPECT_EQ(doc->CharFormatAtOffset(0, 2)[cfBold], 1);
    EXPECT_NE(doc->CharFormatAtOffset(0, 6)[cfBold], 1);
}

TEST_F(ClipboardTest, PastesABitmapOfAnotherProgram)
{
    Helper.Run("put-dib");
    auto doc = FromRtf("{\\rtf1 ab}");
    SelectAt(*doc, 0, 1, 0, 1);
    Paste(*doc);
    ASSERT_EQ(doc->ObjectManager->Objects.size(), 1u);
    TDocObject& picture = *doc->ObjectManager->Objects.front();
    EXPECT_EQ(Text(*doc, 0), "a\x08"
                             "b");
    ASSERT_TRUE(picture.Image);
    picture.Image->SetCompressed(false);
    ASSERT_TRUE(picture.Image->Bitmap);
    const TBitmap& bitmap = *picture.Image->Bitmap;
    EXPECT_EQ(bitmap.GetWidth(), 3);
    EXPECT_EQ(bitmap.GetHeight(), 2);
    EXPECT_EQ(bitmap.GetPixelColor(0, 1), (TRGBEntry{255, 0, 0}));
    EXPECT_EQ(bitmap.GetPixelColor(2, 1), (TRGBEntry{0, 0, 255}));
    EXPECT_EQ(bitmap.GetPixelColor(0, 0), (TRGBEntry{255, 255, 255}));
    EXPECT_EQ(picture.Width, doc->ScreenToTwips(3));
}

TEST_F(ClipboardTest, ADamagedBitmapLeavesTheDocumentAsItWasAndSaysSo)
{
    Helper.Run("put-bad-dib");
    auto doc = FromRtf("{\\rtf1 ab}");
    SelectAt(*doc, 0, 0, 0, 1); // the paste would replace "a"
    const std::string before = DumpDocument(*doc, true);
    SilentMessages = false;
    TEventRecorder recorder;
    TRobot robot(recorder);
    robot.Then(TRobot::Click(mbOK));
    try {
        Paste(*doc);
    } catch (const EAbort&) {}
    SilentMessages = true;
    ASSERT_EQ(robot.Seen.size(), 1u);
    EXPECT_EQ(robot.Seen[0].Text.rfind("Erreur lors de l'insertion du contenu du Presse-papiers.", 0), 0u);
    EXPECT_EQ(DumpDocument(*doc, true), before);
    EXPECT_EQ(doc->UndoList.Count(), 0);
    EXPECT_TRUE(doc->ObjectManager->Objects.empty());
}

TEST_F(ClipboardTest, HistoryKeepsTheLastEntriesInOrderAndPastesAnyOfThem)
{
    CurrentOptions().General.DocsToKeep = 3;
    std::string oldest;
    for (const char* text : {"un", "deux", "trois", "quatre"}) {
        Helper.Run(std::string("put-text ") + text);
        Manager->ClipboardChanged();
        Helper.Release();
        if (oldest.empty() && !Manager->History.empty())
            oldest = Manager->History.front()->FileName;
    }
    ASSERT_EQ(Manager->History.size(), 3u);
    EXPECT_EQ(Manager->History[0]->Caption, "\"quatre\"");
    EXPECT_EQ(Manager->History[1]->Caption, "\"trois\"");
    EXPECT_EQ(Manager->History[2]->Caption, "\"deux\"");
    // The dropped entry's file is gone.
    EXPECT_EQ(GetFileAttributesA(oldest.c_str()), INVALID_FILE_ATTRIBUTES);

    // Pasting the oldest entry kept puts its text in and brings it to the front.
    auto doc = FromRtf("{\\rtf1 <>}");
    SelectAt(*doc, 0, 1, 0, 1);
    Manager->RunCommand = [&](int32_t command) {
        ASSERT_EQ(command, 3360);
        Paste(*doc);
    };
    Manager->PasteHistoryItem(2);
    EXPECT_EQ(Text(*doc, 0), "<deux>");
    EXPECT_EQ(Manager->History[0]->Caption, "\"deux\"");
    EXPECT_EQ(Manager->PastingHistoryItem, nullptr);

    // A long text's caption: its first line within 75 bytes, marked as cut.
    Helper.Run("put-text \"  " + std::string(200, 'x') + "\"");
    Manager->ClipboardChanged();
    Helper.Release();
    EXPECT_EQ(Manager->History[0]->Caption, "\"" + std::string(73, 'x') + "...\"");
    // A picture has a numbered caption; with no history kept nothing is captured.
    Helper.Run("put-dib");
    Manager->ClipboardChanged();
    Helper.Release();
    EXPECT_EQ(Manager->History[0]->Caption, "Insert 1 (image)");
    CurrentOptions().General.DocsToKeep = 0;
    Helper.Run("put-text cinq");
    Manager->ClipboardChanged();
    EXPECT_EQ(Manager->History[0]->Caption, "Insert 1 (image)");
}

TEST_F(ClipboardTest, PiggyBankCollectsClipsAndPastesThemAsOneInsert)
{
    auto source = FromRtf("{\\rtf1 un\\par {\\i deux}\\par trois}");
    TPiggyBank& bank = Manager->GetPiggyBank();
    EXPECT_TRUE(bank.IsEmpty());
    for (int32_t i = 0; i < 3; ++i)
        ASSERT_TRUE(bank.Append(
            *source, TextRangeOf(TextPosAt(i, 0), TextPosAt(i, int32_t(Text(*source, i).size())))));
    EXPECT_EQ(Texts(*bank.Document), (std::vector<std::string>{"un", "deux", "trois"}));
    EXPECT_EQ(bank.Document->UndoList.Count(), 3);

    // An append that fails takes back only itself and says so.
    const std::string collected = DumpDocument(*bank.Document, true);
    TPiggyBank::AppendCheck = [](TDocument&) { throw Exception("Le disque est plein."); };
    SilentMessages = false;
    {
        TEventRecorder recorder;
        TRobot robot(recorder);
        robot.Then(TRobot::Click(mbOK));
        EXPECT_FALSE(bank.Append(*source, TextRangeOf(TextPosAt(0, 0), TextPosAt(0, 2))));
        ASSERT_EQ(robot.Seen.size(), 1u);
        EXPECT_NE(robot.Seen[0].Text.find("Le disque est plein."), std::string::npos);
    }
    SilentMessages = true;
    TPiggyBank::AppendCheck = nullptr;
    EXPECT_EQ(DumpDocument(*bank.Document, true), collected);
    EXPECT_EQ(bank.Document->UndoList.Count(), 3);

    // The whole content goes into another document as one insert, the italics kept.
    auto target = FromRtf("{\\rtf1 AB}");
    SelectAt(*target, 0, 1, 0, 1);
    const std::string before = DumpDocument(*target, true);
    ExecuteOperation(*target, TPastePiggyBankParams{});
    EXPECT_EQ(Texts(*target), (std::vector<std::string>{"Aun", "deux", "troisB"}));
    EXPECT_EQ(target->CharFormatAtOffset(1, 2)[cfItalic], 1);
    EXPECT_EQ(target->UndoList.Count(), 1);
    target->OperationManager->Undo();
    EXPECT_EQ(DumpDocument(*target, true), before);
    // Not into the piggy bank itself.
    ExecuteOperation(*bank.Document, TPastePiggyBankParams{});
    EXPECT_EQ(Texts(*bank.Document), (std::vector<std::string>{"un", "deux", "trois"}));

    // Collecting everything: a copy in another program is appended; the history is not fed.
    Manager->CollectEverything = true;
    const size_t history = Manager->History.size();
    Helper.Run("put-text externe");
    Manager->ClipboardChanged();
    Helper.Release();
    EXPECT_EQ(Texts(*bank.Document), (std::vector<std::string>{"un", "deux", "trois", "externe"}));
    EXPECT_EQ(Manager->History.size(), history);

    // Leaving the program: the piggy bank is offered for saving; what is saved opens again after a
    // restart, where the piggy bank starts empty and collects nothing by itself.
    const std::string saved = TempPath("qp_piggy_bank.rtf");
    DeleteFileA(saved.c_str());
    Manager->SaveDocumentAs = [&](TDocument& d) {
        TLoadedDocument loaded;
        return SaveDocumentToFile(d, saved, cdRtf, loaded) == kSaveWritten;
    };
    SilentMessages = false;
    {
        TEventRecorder recorder;
        TRobot robot(recorder);
        robot.Then(TRobot::Click(mbYes));
        EXPECT_TRUE(Manager->QueryCloseApp());
        ASSERT_EQ(robot.Seen.size(), 1u);
        EXPECT_EQ(
            robot.Seen[0].Text,
            "Le Pique-notes contient des éléments. Désirez-vous enregistrer son contenu dans un fichier ?");
    }
    SilentMessages = true;
    Manager = std::make_unique<TClipboardManager>();
    EXPECT_FALSE(Manager->HasPiggyBank());
    EXPECT_FALSE(Manager->CollectEverything);
    EXPECT_TRUE(Manager->GetPiggyBank().IsEmpty());
    const std::string bytes = ReadFile(saved);
    auto reopened = LoadDocumentFromMemory(bytes.data(), int64_t(bytes.size()), cdRtf);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(Texts(*reopened), (std::vector<std::string>{"un", "deux", "trois", "externe"}));
}

TEST(PiggyBankPage, ThePiggyBankTakesThePageOfTheDefaultTemplate)
{
    const std::string data = qptest::ScratchDir() + "\\Données";
    CreateDirectoryA(data.c_str(), nullptr);
    CreateDirectoryA((data + "\\Modèles de document").c_str(), nullptr);
    std::ofstream(data + "\\Modèles de document\\Normal.rtf", std::ios::binary)
        << "{\\rtf1\\paperw8000\\paperh9000\\margl700\\margr800 \\par}";
    SetDataFolder(data);
    TPiggyBank bank;
    SetDataFolder("");
    const TPageSetup& page = bank.Document->Sections[0]->PageSetup;
    EXPECT_EQ(page[psWidth], 8000);
    EXPECT_EQ(page[psHeight], 9000);
    EXPECT_EQ(page[psLeftMargin], 700);
    EXPECT_EQ(page[psRightMargin], 800);
    EXPECT_TRUE(bank.IsEmpty());
    EXPECT_EQ(bank.Document->Info.Title, "Pique-notes");
}
