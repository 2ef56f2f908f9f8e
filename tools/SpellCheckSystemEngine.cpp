// The engine's operations on a spell-check system: each one engine call, with error reporting, the options
// taken from the user's spelling options, the Czech character maps, the retries and compound splitting.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/FileSys.h"
#include "core/Messages.h"
#include "core/PathUtils.h"
#include "spelling/engine/LexiconFormat.h"
#include "tools/SpellCheckSystem.h"
#include "tools/SpellEngine.h"
#include "tools/SpellWordRules.h"

namespace {

const TSpellEngine& E()
{
    return SpellEngine();
}

// Key of an opened lexicon file: the session id times 65,536 plus the lexicon id.
intptr_t LexiconKey(int session, int lexicon)
{
    return static_cast<intptr_t>(session) * 65536 + lexicon;
}

bool ReadWholeFile(const std::string& name, std::string& out)
{
    std::ifstream in(name, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream text;
    text << in.rdbuf();
    out = text.str();
    return !in.bad();
}

// The depth of the suggestion search for each suggestion quality.
constexpr int16_t SuggestionDepths[3] = {25, 50, 75};

// Languages whose words may be compounds of other words (primary language ids).
bool IsCompoundLanguage(int32_t language)
{
    switch (language & PrimaryLanguageMask) {
    case 6:
    case 7:
    case 11:
    case 19:
    case 20:
    case 29: return true;
    default: return false;
    }
}

} // namespace

int TSpellCheckSystem::OpenSession()
{
    Session = E().OpenSession();
    return Session;
}

int TSpellCheckSystem::CloseSession()
{
    int result = E().CloseSession(static_cast<int16_t>(Session));
    for (int i = OpenedLexiconFiles.Count() - 1; i >= 0; --i)
        if (OpenedLexiconFiles.Objects(i) / 65536 == Session)
            ForgetLexiconFile(static_cast<int>(OpenedLexiconFiles.Objects(i) % 65536));
    Session = -1;
    return result;
}

void TSpellCheckSystem::ApplyOptions(const TSC_SpellCheckSystemSettings& settings)
{
    const uint8_t b = static_cast<uint8_t>(settings.Flags & 0xFF);
    const int16_t s = static_cast<int16_t>(Session);
    const struct {
        uint32_t Option;
        uint32_t Value;
    } order[] = {
        {SSCE_OPT_IGNORE_CAPPED, b & 1u},
        {SSCE_OPT_IGNORE_ALL_CAPS, (b >> 1) & 1u},
        {SSCE_OPT_IGNORE_DIGITS, (b >> 2) & 1u},
        {SSCE_OPT_RESERVED_2, 0},
        {SSCE_OPT_CASE_SENSITIVE, (b >> 5) & 1u},
        {SSCE_OPT_RESERVED_400, 0},
        {SSCE_OPT_RESERVED_800, 0},
        {SSCE_OPT_RESERVED_1000, 0},
        {SSCE_OPT_SPLIT_WORDS, (b >> 7) & 1u},
        {SSCE_OPT_IGNORE_MIXED_CASE, (b >> 3) & 1u},
        {SSCE_OPT_IGNORE_NUMBERS, (b >> 2) & 1u},
    };
    for (const auto& o : order)
        E().SetOption(s, o.Option, o.Value);
    Settings = settings;
}

int TSpellCheckSystem::OpenLex(const std::string& fileName)
{
    if (IsCzech())
        return OpenCzechLexicon(fileName);
    int lexicon = E().OpenLex(static_cast<int16_t>(Session), fileName.c_str(), 0);
    if (lexicon >= 0)
        OpenedLexiconFiles.Add(fileName, LexiconKey(Session, lexicon));
    return lexicon;
}

// A Czech text lexicon is read, mapped to the engine's form in memory and opened as a temporary copy; the
// file itself is never rewritten in place. A binary lexicon, or one that cannot be read, is opened as it is.
int TSpellCheckSystem::OpenCzechLexicon(const std::string& fileName)
{
    std::string text;
    if (!ReadWholeFile(fileName, text) || !lexformat::IsText(text)) {
        int lexicon = E().OpenLex(static_cast<int16_t>(Session), fileName.c_str(), 0);
        if (lexicon >= 0)
            OpenedLexiconFiles.Add(fileName, LexiconKey(Session, lexicon));
        return lexicon;
    }
    MapToEngineChars(text);
    std::string copy = GetTempFileNameOfKind(tfTmp);
    try {
        FileSys::WriteWholeFile(copy, text);
    } catch (const Exception&) {
        return E().OpenLex(static_cast<int16_t>(Session), fileName.c_str(), 0);
    }
    int lexicon = E().OpenLex(static_cast<int16_t>(Session), copy.c_str(), 0);
    if (lexicon < 0) {
        DeleteFile(copy);
        return lexicon;
    }
    OpenedLexiconFiles.Add(fileName, LexiconKey(Session, lexicon));
    TempFiles.Add(copy, LexiconKey(Session, lexicon));
    return lexicon;
}

// After a change to a Czech lexicon opened as a copy, the file gets the copy's words in the program's code
// page, through a new file that replaces it.
void TSpellCheckSystem::WriteBackCzechLexicon(int lexicon)
{
    const intptr_t key = LexiconKey(Session, lexicon);
    int file = OpenedLexiconFiles.IndexOfObject(key);
    int copy = TempFiles.IndexOfObject(key);
    std::string text, old;
    if (file < 0 || copy < 0 || !ReadWholeFile(TempFiles[copy], text))
        return;
    MapFromEngineChars(text);
    if (ReadWholeFile(OpenedLexiconFiles[file], old) && old == text)
        return;
    try {
        FileSys::WriteWholeFile(OpenedLexiconFiles[file], text);
    } catch (const Exception& e) {
        ShowError(e.Message);
    }
}

void TSpellCheckSystem::ForgetLexiconFile(int lexicon)
{
    const intptr_t key = LexiconKey(Session, lexicon);
    int file = OpenedLexiconFiles.IndexOfObject(key);
    if (file >= 0)
        OpenedLexiconFiles.Delete(file);
    int copy = TempFiles.IndexOfObject(key);
    if (copy >= 0) {
        DeleteFile(TempFiles[copy]);
        TempFiles.Delete(copy);
    }
}

int TSpellCheckSystem::CreateLex(const std::string& fileName)
{
    int lexicon = E().CreateLex(static_cast<int16_t>(Session), fileName.c_str(), SSCE_ANY_LANGUAGE);
    if (lexicon >= 0 && IsCzech()) {
        // Words added go into a copy in the engine's form, like those of any Czech lexicon file.
        E().CloseLex(static_cast<int16_t>(Session), static_cast<int16_t>(lexicon));
        return OpenCzechLexicon(fileName);
    }
    return lexicon;
}

int TSpellCheckSystem::CreateMemoryLex()
{
    return E().CreateLex(static_cast<int16_t>(Session), nullptr, SSCE_ANY_LANGUAGE);
}

int TSpellCheckSystem::CloseLex(int lexicon)
{
    int result = E().CloseLex(static_cast<int16_t>(Session), static_cast<int16_t>(lexicon));
    ForgetLexiconFile(lexicon);
    return result;
}

void TSpellCheckSystem::GetLexiconText(int lexicon, TStringList& lines)
{
    lines.Clear();
    std::vector<char> buffer(LexiconTextBufferSize, '\0');
    int result = E().GetLex(static_cast<int16_t>(Session), static_cast<int16_t>(lexicon), buffer.data(),
                            LexiconTextBufferSize);
    if (SpellCheckEngineError(result))
        return;
    for (std::string& entry : ReadEntryList(buffer.data(), LexiconTextBufferSize)) {
        if (IsCzech())
            MapFromEngineChars(entry);
        size_t tab = entry.find('\t');
        if (tab != std::string::npos)
            entry.replace(tab, 1, "   --->   ");
        lines.Add(entry);
    }
}

int TSpellCheckSystem::AddToLex(int lexicon, int action, const std::string& otherWord,
                                const std::string& word)
{
    std::string w = word, other = otherWord;
    if (IsCzech()) {
        MapToEngineChars(w);
        MapToEngineChars(other);
    }
    int result = E().AddToLex(static_cast<int16_t>(Session), static_cast<int16_t>(lexicon), w.c_str(),
                              static_cast<int16_t>(action), other.empty() ? nullptr : other.c_str());
    if (result >= 0 && IsCzech())
        WriteBackCzechLexicon(lexicon);
    return result;
}

int TSpellCheckSystem::DelFromLex(int lexicon, const std::string& word)
{
    std::string w = word;
    if (IsCzech())
        MapToEngineChars(w);
    int result = E().DelFromLex(static_cast<int16_t>(Session), static_cast<int16_t>(lexicon), w.c_str());
    if (result >= 0 && IsCzech())
        WriteBackCzechLexicon(lexicon);
    return result;
}

int TSpellCheckSystem::CheckWord(const std::string& word, int32_t language, char* other, int32_t otherSize)
{
    char ownBuffer[256];
    if (!other || otherSize <= 0) {
        other = ownBuffer;
        otherSize = sizeof ownBuffer;
    }
    auto check = [&](const std::string& w) {
        return static_cast<int>(E().CheckWord(static_cast<int16_t>(Session), w.c_str(), other, otherSize));
    };
    int result = check(word);
    if ((result & SSCE_WORD_REJECTED) == 0)
        return result;
    if (language == LangSwissGerman) {
        std::string variant;
        if (SwissGermanVariant(word, variant))
            return check(variant);
    } else if (language == LangCanadianFrench && HasCapitals(word)) {
        return CheckAccentedCapitals(word, check);
    }
    return result;
}

int TSpellCheckSystem::Suggest(const std::string& word, int32_t language, char* buffer, int32_t size)
{
    std::string w = word;
    if (IsCzech())
        MapToEngineChars(w);
    int r = CheckWord(w, language, buffer, size);
    if (r < 0)
        return r;
    if ((r & SSCE_WORD_REJECTED) && w.find_first_of("'-") == std::string::npos &&
        ((Settings.Flags & scoSplitInEveryLanguage) || IsCompoundLanguage(language))) {
        const int16_t s = static_cast<int16_t>(Session);
        E().SetOption(s, SSCE_OPT_CASE_SENSITIVE, 0);
        if (SplitsIntoKnownWords(w, [&](const std::string& part) { return CheckWord(part, language); }))
            r = 0;
        E().SetOption(s, SSCE_OPT_CASE_SENSITIVE, (Settings.Flags & scoCaseSensitive) ? 1 : 0);
    }
    int kind;
    if ((r & SSCE_WORD_REJECTED) == 0) {
        kind = (r & SSCE_WORD_REPLACE) ? skReplace : skAccepted;
    } else {
        kind = skRejected;
        if (buffer && size > 0) {
            int16_t scores[MaxSuggestions];
            int16_t depth = SuggestionDepths[std::min<int>(Settings.SuggestQuality, 2)];
            int n = E().Suggest(static_cast<int16_t>(Session), w.c_str(), depth, buffer, size, scores,
                                MaxSuggestions);
            if (n <= 0)
                buffer[0] = '\0';
            if (w.size() >= 2)
                WriteEntryList(TidySuggestions(w, ReadEntryList(buffer, size), language), buffer, size);
        }
    }
    if (IsCzech() && buffer && size > 0)
        MapFromEngineChars(buffer, size);
    return kind;
}

std::string TSpellCheckSystem::SpellCheckEngineVersionText()
{
    char version[EngineVersionBufferSize] = {};
    if (SpellEngineLoaded())
        E().Version(version, EngineVersionBufferSize);
    return Format("Sentry Spelling-Checker Engine (SSCE)\r\nVersion %s\r\n"
                  "Moteur orthographique fondé sur Hunspell (licences MPL 1.1, GPL 2.0 et LGPL 2.1)",
                  version);
}
