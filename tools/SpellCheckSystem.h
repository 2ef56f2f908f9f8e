// A spell-check system: one installed checker for one language, read from its system file (".qsc"), and
// the engine session that serves it once started.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/runtime/StringList.h"
#include "core/SpellCheckOptions.h"

class TSettingsStorage;

// Where a system file named in the settings lies: as named when it has a folder and exists, else under
// "Orthographe\" of the program's folder.
std::string ResolveSystemFile(const std::string& name);

// Installed by the autocorrection options: the entries of the two exception lists of a language (primary
// language number), which a starting system accepts as words.
extern void (*AutocorrectExceptionLists)(int32_t language, std::vector<std::string>& entries);

// Sizes of the buffers handed to the engine.
constexpr int32_t LexiconTextBufferSize = 65536;
constexpr int32_t EngineVersionBufferSize = 1024;
constexpr int16_t MaxSuggestions = 16;

// What Suggest tells of a word.
enum TSuggestKind { skAccepted = 0, skReplace = 1, skRejected = 2 };

// Modes of AddLexicon.
enum TAddLexiconMode { almFixed = 0, almEditable = 1, almEditableCreated = 2 };

class TSpellCheckSystem {
public:
    explicit TSpellCheckSystem(std::string fileName);
    ~TSpellCheckSystem();
    TSpellCheckSystem(const TSpellCheckSystem&) = delete;
    TSpellCheckSystem& operator=(const TSpellCheckSystem&) = delete;

    // --- The engine's operations, each one engine call with the program's additions.
    int OpenSession();
    int CloseSession();
    void ApplyOptions(const TSC_SpellCheckSystemSettings& settings);
    int OpenLex(const std::string& fileName);
    int CreateLex(const std::string& fileName);
    int CreateMemoryLex();
    int CloseLex(int lexicon);
    // The entries of a lexicon as lines, a word and its other word shown "word   --->   other".
    void GetLexiconText(int lexicon, TStringList& lines);
    int AddToLex(int lexicon, int action, const std::string& otherWord, const std::string& word);
    int DelFromLex(int lexicon, const std::string& word);
    // The engine's result bits for a word of a language, with the retries for Swiss German and Canadian
    // French; the other word of a word to replace goes into the buffer when one is given.
    int CheckWord(const std::string& word, int32_t language, char* other = nullptr, int32_t otherSize = 0);
    // The kind of a word (TSuggestKind) or a negative engine error; with a buffer of some size, the other
    // word of a word to replace, or the suggestions for a rejected word as NUL-ended entries.
    int Suggest(const std::string& word, int32_t language, char* buffer, int32_t size);
    static std::string SpellCheckEngineVersionText();

    // --- Life of the system.
    bool LoadSettings(bool reportErrors);
    void SaveSettings();
    void SaveFlags(TSettingsStorage& store);
    void Start();
    void Restart();
    void Stop();
    int AddLexicon(const std::string& fileName, int mode);
    void RemoveLexicon(int index, bool editable);
    static std::string NewPersonalDictionaryName();
    // A word accepted for the rest of the session (the ignore lexicon, made on first use), and a word
    // added to a personal dictionary (-1: a new one, which becomes the current); both leave the rejected
    // words and have every document checked again (SpellCheckCaret.cpp).
    void IgnoreAll(const std::string& word);
    void AddToDictionary(const std::string& word, int index);
    // Where a lexicon named in the system file lies.
    std::string ResolveLexiconFile(const std::string& name) const;

    bool IsCzech() const { return (Language & 0x3FF) == 5; }

    TSC_SpellCheckSystemSettings Settings;
    TStringList TempFiles;
    // The lexicon files opened through the engine (objects: session id times 65,536 plus lexicon id).
    TStringList OpenedLexiconFiles;
    std::string FileName;
    bool SettingsLoaded = false;
    bool Running = false;
    bool Modified = false;
    int32_t Language = 0;
    std::string Description;
    // File names, each with the lexicon id it was opened under (objects).
    TStringList FixedLexicons;
    TStringList EditableLexicons;
    int Session = -1;
    int CurrentPersonalDictionary = 0;
    int ReplacementLexicon = -1;
    int IgnoreLexicon = -1;
    std::string IgnoreLexiconFile;
    int ExceptionLexicon = -1;
    TStringList AcceptedWords;
    TStringList RejectedWords;
    int LanguageRecord = -1;
    int32_t LanguageFlags = 0x7FFFFFFF;

private:
    int OpenCzechLexicon(const std::string& fileName);
    void WriteBackCzechLexicon(int lexicon);
    void ForgetLexiconFile(int lexicon);
    bool OpenListLexicon(TStringList& list, int index, bool editable);
};
