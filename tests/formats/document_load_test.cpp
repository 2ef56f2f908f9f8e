// Loading and saving documents through the dispatch: readers by coding, the offer to detect a wrong
// format, and saves that never destroy the old file.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "classlib/runtime/DateTime.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Files.h"
#include "classlib/windowing/DialogTypes.h"
#include "core/PathUtils.h"
#include "core/TabTables.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/InlineTags.h"
#include "document/Paragraph.h"
#include "codecs/CodePages.h"
#include "core/Codings.h"
#include "formats/DocumentDump.h"
#include "formats/DocumentFiles.h"
#include "formats/load/DocumentLoad.h"
#include "formats/save/DocumentSave.h"
#include "tests/common/test_support.h"
#include "tests/formats/progress_host.h"

namespace {

// Answers the questions of a load with a fixed button and remembers them.
struct TAnswers {
    int Answer = mrYes;
    std::vector<std::string> Asked;
    TAskUser Routine()
    {
        return [this](const std::string& text, uint8_t, uint16_t, uint8_t) {
            Asked.push_back(text);
            return Answer;
        };
    }
};

std::string WriteFile(const std::string& name, const std::string& bytes)
{
    std::string path = qptest::ScratchDir() + PathDelim + name;
    TFileStream f(path, fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    return path;
}

struct TLoad {
    bool Ok;
    int Coding;
    std::string Dump;
};

// Loads a file into a document; the coding chosen in the end is returned in Coding.
bool LoadInto(TDocument& doc, const std::string& path, int& coding, TLoadedDocument& loaded,
              TAnswers& answers, bool quiet = false)
{
    TDocOpeningOptions options;
    options.FileName = path;
    options.Coding = coding;
    options.Quiet = quiet;
    bool ok = LoadDocumentFromFile(doc, options, loaded, answers.Routine());
    coding = options.Coding;
    return ok;
}

TLoad Load(const std::string& path, int coding, TAnswers& answers, bool quiet = false)
{
    TDocument doc;
    TLoadedDocument loaded;
    bool ok = LoadInto(doc, path, coding, loaded, answers, quiet);
    return {ok, coding, ok ? DumpDocument(doc) : std::string()};
}

} // namespace

TEST(DocumentLoad, ReadersByCodingAndDetection)
{
    TAnswers answers;
    std::string rtf = WriteFile("lettre.rtf", "{\\rtf1 {\\b Bonjour}}");
    std::string text = WriteFile("notes.txt", "Bonjour\r\n");
    std::string rtfInText = WriteFile("cache.txt", "{\\rtf1 x}");
    EXPECT_EQ(Load(rtf, 7, answers).Dump, "P0: <b=1>Bonjour<b=0><par>\n");
    EXPECT_EQ(Load(rtf, cdRtf, answers).Coding, cdRtf);
    EXPECT_EQ(Load(text, 7, answers).Coding, cdAnsiText);
    // RTF in a file chosen as text passes the text test and reads as text.
    TLoad asText = Load(rtfInText, cdAnsiText, answers);
    EXPECT_EQ(asText.Coding, cdAnsiText);
    EXPECT_EQ(asText.Dump, "P0: {\\'5crtf1 x}<par>\n");
    EXPECT_TRUE(answers.Asked.empty());

    // Text chosen as RTF: the user is offered to detect the real format.
    TLoad detected = Load(text, cdRtf, answers);
    ASSERT_EQ(answers.Asked.size(), 1u);
    EXPECT_NE(answers.Asked[0].find("n'est pas un fichier valide de format \"RTF\""), std::string::npos);
    EXPECT_TRUE(detected.Ok);
    EXPECT_EQ(detected.Coding, cdAnsiText);
    answers.Answer = mrNo;
    TLoad refused = Load(text, cdRtf, answers);
    EXPECT_FALSE(refused.Ok);
    EXPECT_EQ(refused.Coding, -1);
    // A quiet load gives up without asking.
    answers.Asked.clear();
    EXPECT_EQ(Load(text, cdRtf, answers, true).Coding, -1);
    EXPECT_TRUE(answers.Asked.empty());
}

TEST(DocumentLoad, DocumentTakesItsFileNameSizeAndCreationDate)
{
    TAnswers answers;
    std::string dated = WriteFile("date.rtf", "{\\rtf1{\\info{\\creatim\\yr2001\\mo2\\dy3}}x}");
    std::string undated = WriteFile("sans-date.rtf", "{\\rtf1 x}");
    for (const std::string& path : {dated, undated}) {
        TDocument doc;
        TLoadedDocument loaded;
        int coding = cdRtf;
        ASSERT_TRUE(LoadInto(doc, path, coding, loaded, answers));
        // The document takes the name, the coding and the size of its file.
        EXPECT_EQ(doc.FileName, path);
        EXPECT_EQ(doc.Coding, cdRtf);
        EXPECT_EQ(doc.Info.FileSize, static_cast<int64_t>(qptest::ReadFileBytes(path).size()));
        EXPECT_DOUBLE_EQ(doc.Info.CreationDate,
                         path == dated ? EncodeDate(2001, 2, 3) : GetFileCreationTime(path));
        EXPECT_GT(doc.Info.CreationDate, 0);
    }
}

TEST(DocumentLoad, MemoryNeverAsks)
{
    TAnswers answers;
    std::string data = "pas du RTF";
    TDocument doc;
    TDocOpeningOptions options;
    options.SourceKind = 1;
    options.Coding = cdRtf;
    options.MemoryBlock = data.data();
    options.MemorySize = static_cast<int64_t>(data.size());
    TLoadedDocument loaded;
    EXPECT_TRUE(LoadDocumentFromFile(doc, options, loaded, answers.Routine()));
    EXPECT_EQ(options.Coding, cdAnsiText);
    EXPECT_TRUE(answers.Asked.empty());
}

TEST(DocumentLoad, MissingFileAndDamagedRtf)
{
    TAnswers answers;
    answers.Answer = mrCancel;
    EXPECT_FALSE(Load(qptest::ScratchDir() + PathDelim + "absent.rtf", cdRtf, answers).Ok);
    ASSERT_EQ(answers.Asked.size(), 1u);
    EXPECT_NE(answers.Asked[0].find("Impossible d'ouvrir le fichier"), std::string::npos);
    answers.Asked.clear();
    std::string deep = WriteFile("profond.rtf", "{\\rtf1 " + std::string(100000, '{'));
    EXPECT_FALSE(Load(deep, cdRtf, answers).Ok);
    ASSERT_EQ(answers.Asked.size(), 1u);
    EXPECT_NE(answers.Asked[0].find("Une erreur s'est produite lors de l'ouverture du document"),
              std::string::npos);
}

TEST(DocumentLoad, TextSavesRoundTripByteForByte)
{
    TAnswers answers;
    for (int coding : {cdAnsiText, cdDosText}) {
        std::string bytes = coding == cdAnsiText ? "Été — 50 €\r\n\r\n\tfin\xa0!"
                                                 : "\x90t\x82 \x85 l'\x87"
                                                   "a\r\n\r\nfin";
        std::string path = WriteFile("texte.txt", bytes);
        TDocument doc;
        TLoadedDocument loaded;
        int chosen = coding;
        ASSERT_TRUE(LoadInto(doc, path, chosen, loaded, answers));
        EXPECT_NE(loaded.File, nullptr);
        EXPECT_EQ(SaveDocumentToFile(doc, path, coding, loaded, answers.Routine()), kSaveWritten);
        EXPECT_EQ(qptest::ReadFileBytes(path), bytes) << coding;
        EXPECT_NE(loaded.File, nullptr);
    }
    EXPECT_TRUE(answers.Asked.empty());
}

TEST(DocumentLoad, TextFilesWrittenByIconvReadAlikeAndSaveByteForByte)
{
    // One letter written by iconv in each code page, and with LF line ends.
    TAnswers answers;
    struct TFile {
        const char* Name;
        int Coding;
        std::string Path, Dump;
    } files[] = {{"lettre-ansi.txt", cdAnsiText, {}, {}},
                 {"lettre-dos.txt", cdDosText, {}, {}},
                 {"lettre-lf.txt", cdAnsiText, {}, {}}};
    for (TFile& f : files) {
        f.Path = WriteFile(f.Name, qptest::ReadFileBytes(qptest::DataPath(std::string("text/") + f.Name)));
        TDocument doc;
        TLoadedDocument loaded;
        int coding = f.Coding;
        ASSERT_TRUE(LoadInto(doc, f.Path, coding, loaded, answers)) << f.Name;
        f.Dump = DumpDocument(doc);
        // Saved in the coding of the CR LF file of its code page.
        EXPECT_EQ(SaveDocumentToFile(doc, f.Path, f.Coding, loaded, answers.Routine()), kSaveWritten);
        const std::string crlf = f.Coding == cdDosText ? "lettre-dos.txt" : "lettre-ansi.txt";
        EXPECT_TRUE(qptest::ReadFileBytes(f.Path) == qptest::ReadFileBytes(qptest::DataPath("text/" + crlf)))
            << f.Name;
    }
    EXPECT_EQ(files[1].Dump, files[0].Dump);
    EXPECT_EQ(files[2].Dump, files[0].Dump);
    // Blank lines, tabs and the form feed are kept.
    const std::string& dump = files[0].Dump;
    EXPECT_NE(
        dump.find(
            "P0: Objet : r\\'e9union du comit\\'e9<par>\nP1: <par>\nP2: Ch\\'e8re H\\'e9l\\'e8ne,<par>\n"
            "P3: <par>\nP4: <tab>Nous"),
        std::string::npos)
        << dump;
    EXPECT_NE(dump.find("<par>\nP6: <par>\nP7: <par>\nP8: Bien \\'e0 vous.<page>Annexe"), std::string::npos)
        << dump;
    EXPECT_TRUE(answers.Asked.empty());
}

TEST(DocumentLoad, DocumentKeepsItsFileFromLoadToSave)
{
    const std::string path = WriteFile("garde-ouvert.txt", "\xe9t\xe9\r\nfin");
    TDocument doc;
    TDocOpeningOptions options;
    options.FileName = path;
    options.Coding = cdAnsiText;
    ASSERT_TRUE(OpenDocumentFile(doc, options));
    EXPECT_NE(doc.FileStream, nullptr);
    EXPECT_FALSE(doc.OpenedReadOnly || doc.OpenedFromCopy);
    TDocSavingOptions save;
    save.Range = doc.GetBodyRange();
    save.Coding = cdDosText;
    EXPECT_EQ(SaveDocumentFile(doc, save), kSaveWritten);
    EXPECT_EQ(qptest::ReadFileBytes(path), "\x82t\x82\r\nfin");
    EXPECT_EQ(doc.Coding, cdDosText);
    EXPECT_NE(doc.FileStream, nullptr);
    // Asked to open for reading only, the document keeps no file.
    doc.CloseFileHandle();
    TDocument readOnly;
    options.OpenMode = omReadOnly;
    ASSERT_TRUE(OpenDocumentFile(readOnly, options));
    EXPECT_TRUE(readOnly.OpenedReadOnly);
    EXPECT_EQ(readOnly.FileStream, nullptr);
}

TEST(DocumentLoad, LongDosTextConvertsEveryByteOnce)
{
    // Accented letters everywhere, so that every chunk boundary of the input falls among them, and a
    // byte converted twice (or not at all) changes.
    std::string ansi;
    for (int line = 0; ansi.size() < 3 * 65536; ++line)
        ansi += "Ligne " + std::to_string(line) +
                " : \xe9t\xe9 \xe0 l'\xe9"
                "cole, o\xf9 \xe7"
                "a \xe2ge\r\n";
    std::string dos = ansi;
    AnsiToOemBuffer(reinterpret_cast<uint8_t*>(dos.data()), static_cast<int32_t>(dos.size()));
    const std::string path = WriteFile("long-dos.txt", dos);
    TAnswers answers;
    TDocument doc;
    TLoadedDocument loaded;
    int coding = cdDosText;
    ASSERT_TRUE(LoadInto(doc, path, coding, loaded, answers));
    std::string text;
    // Every paragraph ends with its mark; the file's line ends stand between them.
    for (size_t i = 0; i < doc.Paragraphs.size(); ++i) {
        const TMemory& plain = doc.Paragraphs[i]->PlainText;
        ASSERT_EQ(plain.Data()[plain.Size() - 1], scParagraphMark);
        text.append(reinterpret_cast<const char*>(plain.Data()), static_cast<size_t>(plain.Size() - 1));
        if (i + 1 < doc.Paragraphs.size())
            text += "\r\n";
    }
    EXPECT_TRUE(text == ansi);
    EXPECT_EQ(SaveDocumentToFile(doc, path, cdDosText, loaded, answers.Routine()), kSaveWritten);
    EXPECT_TRUE(qptest::ReadFileBytes(path) == dos);
}

TEST(DocumentLoad, FailedSaveKeepsTheOldFileAndSaysSo)
{
    TAnswers answers;
    std::string path = WriteFile("garde.txt", "ancien");
    TDocument doc;
    TDocOpeningOptions options;
    options.FileName = path;
    TLoadedDocument loaded;
    ASSERT_TRUE(LoadDocumentFromFile(doc, options, loaded, answers.Routine()));
    // No writer for Write documents: refused, nothing touched.
    answers.Answer = mrOk;
    EXPECT_EQ(SaveDocumentToFile(doc, path, cdWrite, loaded, answers.Routine()), kSaveFailed);
    EXPECT_EQ(qptest::ReadFileBytes(path), "ancien");
    // A target that cannot be replaced: the user cancels the retry.
    std::string folder = qptest::ScratchDir() + PathDelim + "dossier.txt";
    ASSERT_TRUE(ForceDirectories(folder));
    answers.Answer = mrCancel;
    answers.Asked.clear();
    EXPECT_EQ(SaveDocumentToFile(doc, folder, cdAnsiText, loaded, answers.Routine()), kSaveFailed);
    ASSERT_EQ(answers.Asked.size(), 1u);
    EXPECT_NE(answers.Asked[0].find("Erreur lors de l'écriture du fichier"), std::string::npos);
    EXPECT_TRUE(DirectoryExists(folder));
}

TEST(DocumentLoad, StylesKeepOnlyWhatTheirBaseDoesNotGive)
{
    std::string rtf = "{\\rtf1{\\stylesheet{\\s0\\fs24 Normal;}{\\s1\\sbasedon0\\fs24\\b\\qc Titre;}"
                      "{\\s2\\sbasedon1\\fs24\\b1\\i\\qc Sous-titre;}}\\s2 x}";
    TDocument doc;
    TDocOpeningOptions options;
    options.SourceKind = 1;
    options.MemoryBlock = rtf.data();
    options.MemorySize = static_cast<int64_t>(rtf.size());
    TLoadedDocument loaded;
    ASSERT_TRUE(LoadDocumentFromFile(doc, options, loaded));
    EXPECT_TRUE(loaded.StyleSheetRead);
    std::string dump = DumpDocument(doc, true);
    // The default size is the document's own.
    EXPECT_NE(dump.find("style0: \"Normal\" base=-1 next=0 style=0\n"), std::string::npos) << dump;
    // "Titre" and "Sous-titre" are the built-in styles' French names: stored under their English ones.
    EXPECT_NE(dump.find("style1: \"Title\" base=0 next=1 b=1 align=1 style=1\n"), std::string::npos) << dump;
    EXPECT_NE(dump.find("style2: \"Subtitle\" base=1 next=2 i=1 style=2\n"), std::string::npos) << dump;
}

TEST(DocumentLoad, ProgressFollowsTheFile)
{
    std::string body = "{\\rtf1 ";
    while (body.size() < 200000)
        body += "Une ligne de texte assez longue.\\par\n";
    body += "}";
    std::string path = WriteFile("long.rtf", body);
    TProgressHost host;
    SetDocumentHost(&host);
    TAnswers answers;
    EXPECT_TRUE(Load(path, cdRtf, answers).Ok);
    // A file that is not of the chosen format, and no detection wanted: the bar ends unfilled.
    answers.Answer = mrNo;
    EXPECT_FALSE(Load(WriteFile("faux.rtf", "texte"), cdRtf, answers).Ok);
    SetDocumentHost(nullptr);
    const std::string begin =
        "begin " + std::to_string(body.size()) + " Chargement du document \"%s\" ... " + path;
    ASSERT_EQ(host.Events.size(), 4u);
    EXPECT_EQ(host.Events[0], begin);
    EXPECT_EQ(host.Events[1], "end filled");
    EXPECT_EQ(host.Events[3], "end");
    ASSERT_GE(host.Steps.size(), 3u);
    EXPECT_TRUE(std::is_sorted(host.Steps.begin(), host.Steps.end()));
    EXPECT_LE(host.Steps.back(), static_cast<int64_t>(body.size()));
}

namespace {

class TTemplatesHost : public TDocumentHost {
public:
    std::string Folder;
    std::string TemplatesFolder() override { return Folder; }
};

} // namespace

TEST(DocumentLoad, TextTakesTheFormatsOfItsTemplate)
{
    const std::string dir = qptest::ScratchDir() + PathDelim;
    auto put = [](const std::string& path, const std::string& bytes) {
        TFileStream f(path, fmCreate);
        f.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
        return path;
    };
    TTemplatesHost host;
    host.Folder = dir + "modeles" + PathDelim;
    ASSERT_TRUE(ForceDirectories(host.Folder));
    put(host.Folder + "Plain.rtf",
        "{\\rtf1\\deftab500{\\stylesheet{\\s0\\fs30 Normal;}{\\s1\\tx700 Titre;}}\\paperw12000"
        "\\margl2000\\pard\\qc\\li300\\tx900\\fs30\\b x\\par}");
    const std::string text = put(dir + "lettre.txt", "un\r\ndeux");
    const std::string inFolder = put(host.Folder + "note.txt", "un");
    SetDocumentHost(&host);
    auto load = [](const std::string& path) {
        auto doc = std::make_unique<TDocument>();
        TDocOpeningOptions options;
        options.FileName = path;
        options.Coding = cdAnsiText;
        TLoadedDocument loaded;
        EXPECT_TRUE(LoadDocumentFromFile(*doc, options, loaded));
        return doc;
    };
    auto doc = load(text);
    auto plain = load(inFolder);
    SetDocumentHost(nullptr);
    std::string dump = DumpDocument(*doc, true);
    EXPECT_EQ(dump.substr(0, dump.find("section0")), "P0 li=300 align=1 tabs=1: <size=30><b=1>un<par>\nP1 "
                                                     "li=300 align=1 tabs=1: <size=30><b=1>deux<par>\n");
    EXPECT_NE(dump.find("section0: break=1 cols=1 page=12000x16838 margins=2000,"), std::string::npos)
        << dump;
    EXPECT_NE(dump.find("style1: \"Title\" base=-1 next=1 style=1 tabs=0\n"), std::string::npos) << dump;
    EXPECT_EQ(doc->TabManager->DefaultTabInterval(), 500);
    EXPECT_EQ(doc->TabManager->Table(0)[0], PackTabStop(700, tkLeft, tlNone));
    // A text file of the templates folder keeps the plain formats.
    EXPECT_EQ(DumpDocument(*plain), "P0: un<par>\n");
}
