// The life of a spell-check system: its system file, starting it with its lexicons, restarting, stopping,
// and the lexicons added to and removed from it.
#include "tools/SpellCheckSystem.h"

#include <memory>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/CharClasses.h"
#include "core/CmdLine.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/PathUtils.h"
#include "core/ProgramFolder.h"
#include "codecs/LexiconEnvelope.h"
#include "tools/SpellCheck.h"
#include "tools/SpellEngine.h"

void (*AutocorrectExceptionLists)(int32_t language, std::vector<std::string>& entries) = nullptr;

namespace {

const char* const SectionNames[2] = {"Fixed Lexicons", "Editable Lexicons"};

std::string QuestionKeepLexicon(const std::string& name)
{
    return Format(
        "Impossible de charger le dictionnaire \"%s\".||Souhaitez-vous conserver ce dictionnaire et "
        "renouveler votre tentative plus tard ?",
        name);
}

// An exception entry without the word delimiters that end it, the hyphen excepted.
std::string TrimExceptionEntry(std::string entry)
{
    while (!entry.empty() && entry.back() != '-' &&
           IsCharClass(static_cast<unsigned char>(entry.back()), ccSeparator))
        entry.pop_back();
    return entry;
}

} // namespace

TSpellCheckSystem::TSpellCheckSystem(std::string fileName) : FileName(std::move(fileName))
{
    AcceptedWords.SetSorted(true);
    RejectedWords.SetSorted(true);
}

TSpellCheckSystem::~TSpellCheckSystem()
{
    try {
        Stop();
        if (Modified && !CmdLineSwitchPresent(swDontSaveSettings))
            SaveSettings();
    } catch (...) {
        // Freeing at exit goes on whatever a system file does.
    }
}

std::string ResolveSystemFile(const std::string& name)
{
    if (!ExtractFilePath(name).empty() && FileExists(name))
        return name;
    return ProgramFolder() + "Orthographe" + PathDelim + ExtractFileName(name);
}

std::string TSpellCheckSystem::ResolveLexiconFile(const std::string& name) const
{
    if (!ExtractFilePath(name).empty() && FileExists(name))
        return name;
    return ExtractFilePath(FileName) + "Lex" + PathDelim + ExtractFileName(name);
}

bool TSpellCheckSystem::LoadSettings(bool reportErrors)
{
    SettingsLoaded = false;
    FileName = ResolveSystemFile(FileName);
    if (!FileExists(FileName)) {
        if (reportErrors)
            ShowError(Format("Impossible d'ouvrir le fichier \"%s\".", FileName));
        return false;
    }
    try {
        TIniFile ini(FileName, false);
        ini.OpenSection("General");
        Language = ini.ReadInteger("Language", 0, 0x7FFFFFFF, 0);
        Description = ini.ReadString("Description", "");
        TStringList* lists[2] = {&FixedLexicons, &EditableLexicons};
        for (int l = 0; l < 2; ++l) {
            lists[l]->Clear();
            ini.OpenSection(SectionNames[l]);
            int count = ini.ReadInteger("Count", 0, 0x7FFFFFFF, 0);
            for (int i = 1; i <= count; ++i)
                lists[l]->Add(ini.ReadString("Lexicon" + std::to_string(i), ""), -1);
        }
        std::unique_ptr<TSettingsStorage> settings = SpellCheckSettings().OpenSettingsForLoad();
        settings->OpenSection("SpellCheck\\" + std::to_string(Language & 0x3FF));
        LanguageFlags = settings->ReadInteger("Flags", 0, 0x7FFFFFFF, 0x7FFFFFFF);
    } catch (const Exception&) {
        return false;
    }
    SettingsLoaded = true;
    Modified = false;
    return true;
}

void TSpellCheckSystem::SaveSettings()
{
    TIniFile ini(FileName, true);
    ini.OpenSection("General");
    ini.WriteInteger("Language", Language);
    ini.WriteString("Description", Description);
    const TStringList* lists[2] = {&FixedLexicons, &EditableLexicons};
    for (int l = 0; l < 2; ++l) {
        ini.OpenSection(SectionNames[l]);
        ini.WriteInteger("Count", lists[l]->Count());
        for (int i = 0; i < lists[l]->Count(); ++i)
            ini.WriteString("Lexicon" + std::to_string(i + 1), (*lists[l])[i]);
    }
    ini.UpdateFile();
    Modified = false;
}

void TSpellCheckSystem::SaveFlags(TSettingsStorage& store)
{
    if (!SettingsLoaded)
        return;
    store.OpenSection("SpellCheck\\" + std::to_string(Language & 0x3FF));
    store.WriteInteger("Flags", LanguageFlags);
}

void TSpellCheckSystem::Start()
{
    if (Running)
        Stop();
    if (!SettingsLoaded)
        LoadSettings(true);
    if (!SettingsLoaded)
        return;
    SpellCheckManager();
    try {
        if (!LoadSpellCheckEngine(FileName))
            return;
        Running = true;
        if (OpenSession() < 0)
            Abort();
        TSC_SpellCheckSystemSettings options = CurrentOptions().SpellCheck;
        options.Flags &= ~scoIgnoreMixedCase; // the program tests mixed case itself
        ApplyOptions(options);
        for (int i = 0; i < FixedLexicons.Count();)
            i += OpenListLexicon(FixedLexicons, i, false) ? 1 : 0;
        for (int i = 0; i < EditableLexicons.Count();)
            i += OpenListLexicon(EditableLexicons, i, true) ? 1 : 0;

        if (ExceptionLexicon >= 0)
            CloseLex(ExceptionLexicon);
        ExceptionLexicon = CreateMemoryLex();
        SpellCheckEngineError(ExceptionLexicon);
        std::vector<std::string> entries;
        if (AutocorrectExceptionLists && ExceptionLexicon >= 0)
            AutocorrectExceptionLists(Language & 0x3FF, entries);
        for (const std::string& entry : entries) {
            std::string word = TrimExceptionEntry(entry);
            if (!word.empty())
                SpellCheckEngineError(AddToLex(ExceptionLexicon, SSCE_ACTION_ACCEPT, "", word));
        }
    } catch (...) {
        Stop();
        ShowError(Format("Impossible de charger le moteur de vérification orthographique \"%s\".",
                         SpellEngineFileName));
    }
}

// Opens a lexicon file through the engine; a compressed one through an inflated temporary copy, which the
// system deletes when it stops (the file itself when it cannot be inflated).
static int OpenLexiconFile(TSpellCheckSystem& system, const std::string& file)
{
    if (IsCompressedLexiconFile(file)) {
        std::string copy = GetTempFileNameOfKind(tfTmp);
        if (InflateLexiconFile(file, copy)) {
            system.TempFiles.Add(copy);
            return system.OpenLex(copy);
        }
    }
    return system.OpenLex(file);
}

bool TSpellCheckSystem::OpenListLexicon(TStringList& list, int index, bool editable)
{
    const std::string name = list[index];
    const std::string file = ResolveLexiconFile(name);
    int id = OpenLexiconFile(*this, file);
    if (id < 0 && editable && !FileExists(file)) {
        SaveTextToFile(file, "");
        id = OpenLex(file);
        if (id >= 0)
            ShowWarning(
                Format("Votre dictionnaire personnel \"%s\" est introuvable.||Quillpad en a créé un nouveau, "
                       "vide, pour que vous puissiez continuer d'y ajouter vos propres mots.",
                       name));
    }
    if (id < 0 && MessageDlgEx(QuestionKeepLexicon(name), mtWarning, mbYesNo) == mrNo) {
        list.Delete(index);
        Modified = true;
        return false;
    }
    list.PutObject(index, id);
    return true;
}

void TSpellCheckSystem::Restart()
{
    if (!Running)
        return;
    const bool ignoreOpen = IgnoreLexicon >= 0;
    Start();
    if (ignoreOpen && Running)
        IgnoreLexicon = OpenLex(IgnoreLexiconFile);
    AcceptedWords.Clear();
    RejectedWords.Clear();
}

void TSpellCheckSystem::Stop()
{
    if (!Running)
        return;
    if (Session >= 0)
        CloseSession();
    for (int i = 0; i < TempFiles.Count(); ++i)
        DeleteFile(TempFiles[i]);
    TempFiles.Clear();
    ReplacementLexicon = IgnoreLexicon = ExceptionLexicon = -1;
    AcceptedWords.Clear();
    RejectedWords.Clear();
    Running = false;
}

int TSpellCheckSystem::AddLexicon(const std::string& fileName, int mode)
{
    if (FixedLexicons.IndexOf(fileName) >= 0 || EditableLexicons.IndexOf(fileName) >= 0)
        return -1;
    int id = mode == almEditableCreated && !FileExists(fileName) ? CreateLex(fileName)
                                                                 : OpenLexiconFile(*this, fileName);
    if (id < 0 && MessageDlgEx(QuestionKeepLexicon(fileName), mtWarning, mbYesNo) == mrNo)
        return id;
    (mode == almFixed ? FixedLexicons : EditableLexicons).Add(fileName, id);
    Modified = true;
    return id;
}

void TSpellCheckSystem::RemoveLexicon(int index, bool editable)
{
    TStringList& list = editable ? EditableLexicons : FixedLexicons;
    if (index < 0 || index >= list.Count())
        return;
    const int id = static_cast<int>(list.Objects(index));
    if (Running && id >= 0)
        SpellCheckEngineError(CloseLex(id));
    list.Delete(index);
    Modified = true;
}

std::string TSpellCheckSystem::NewPersonalDictionaryName()
{
    const std::string folder = ProgramFolder() + "Orthographe" + PathDelim + "Lex" + PathDelim;
    for (int n = 1;; ++n) {
        std::string path = folder + Format("Mon dictionnaire %d.%s", n, "tlx");
        if (!FileExists(path))
            return path;
    }
}
