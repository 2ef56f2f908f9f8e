// The stand-in engine's entry points over its state.
#include "tests/tools/stand_in_spell_engine.h"

#include <cstring>
#include <fstream>
#include <sstream>

#include "classlib/runtime/AnsiStrings.h"
#include "spelling/engine/LexiconFormat.h"
#include "tools/SpellEngine.h"

namespace {

TStandInEngine State;

int16_t SSCE_API OpenSession()
{
    State.SessionOpen = true;
    return 3;
}
int16_t SSCE_API CloseSession(int16_t)
{
    State.SessionOpen = false;
    return 0;
}
int16_t SSCE_API SetOption(int16_t, uint32_t option, uint32_t value)
{
    State.Options.emplace_back(option, value);
    if (option == SSCE_OPT_CASE_SENSITIVE)
        State.CaseSensitive = value != 0;
    return 0;
}
int16_t SSCE_API OpenLex(int16_t, const char* name, int32_t)
{
    std::ifstream in(name, std::ios::binary);
    if (!in)
        return SSCE_ERR_FILE;
    std::stringstream text;
    text << in.rdbuf();
    if (text.str().find("DAMAGED") != std::string::npos || !lexformat::IsText(text.str()))
        return SSCE_ERR_FORMAT;
    int id = State.NextLexicon++;
    auto& lex = State.Lexicons[id];
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t tab = line.find('\t');
        if (!line.empty())
            lex[line.substr(0, tab)] = tab == std::string::npos ? "" : line.substr(tab + 1);
    }
    State.LexiconFiles[id] = name;
    return static_cast<int16_t>(id);
}
int16_t SSCE_API CreateLex(int16_t, const char* name, int16_t)
{
    if (name)
        std::ofstream(name, std::ios::binary);
    int id = State.NextLexicon++;
    State.Lexicons[id];
    if (name)
        State.LexiconFiles[id] = name;
    return static_cast<int16_t>(id);
}
int16_t SSCE_API CloseLex(int16_t, int16_t lex)
{
    State.LexiconFiles.erase(lex);
    return State.Lexicons.erase(lex) ? 0 : SSCE_ERR_LEXICON;
}
int16_t SSCE_API GetLex(int16_t, int16_t lex, char* buffer, int32_t size)
{
    std::vector<std::string> entries;
    for (const auto& [word, other] : State.Lexicons[lex])
        entries.push_back(other.empty() ? word : word + "\t" + other);
    int32_t at = 0;
    for (const std::string& e : entries) {
        std::memcpy(buffer + at, e.c_str(), e.size() + 1);
        at += static_cast<int32_t>(e.size()) + 1;
    }
    buffer[at] = '\0';
    (void)size;
    return static_cast<int16_t>(entries.size());
}
// Changes to a lexicon opened from a file go to the file, one entry a line.
void SaveLexicon(int lex)
{
    auto file = State.LexiconFiles.find(lex);
    if (file == State.LexiconFiles.end())
        return;
    std::ofstream out(file->second, std::ios::binary | std::ios::trunc);
    for (const auto& [word, other] : State.Lexicons[lex])
        out << (other.empty() ? word : word + "\t" + other) << "\r\n";
}
int16_t SSCE_API AddToLex(int16_t, int16_t lex, const char* word, int16_t action, const char* other)
{
    if (!State.Lexicons.count(lex))
        return SSCE_ERR_LEXICON;
    State.Lexicons[lex][word] = action == SSCE_ACTION_REPLACE && other ? other : "";
    SaveLexicon(lex);
    return 0;
}
int16_t SSCE_API DelFromLex(int16_t, int16_t lex, const char* word)
{
    if (!State.Lexicons[lex].erase(word))
        return SSCE_ERR_NOT_FOUND;
    SaveLexicon(lex);
    return 0;
}
int16_t SSCE_API CheckWord(int16_t, const char* word, char* other, int32_t size)
{
    State.Checked.push_back(word);
    for (const auto& [id, lex] : State.Lexicons)
        for (const auto& [w, o] : lex)
            if (w == word || (!State.CaseSensitive && AnsiLowerCase(w) == AnsiLowerCase(word))) {
                if (o.empty())
                    return 0;
                std::strncpy(other, o.c_str(), static_cast<size_t>(size) - 1);
                other[size - 1] = '\0';
                return SSCE_WORD_REPLACE;
            }
    return SSCE_WORD_REJECTED;
}
int16_t SSCE_API Suggest(int16_t, const char* word, int16_t depth, char* buffer, int32_t size, int16_t*,
                         int16_t)
{
    State.LastDepth = depth;
    int32_t at = 0;
    int16_t n = 0;
    for (const std::string& s : State.Suggestions[word]) {
        if (at + static_cast<int32_t>(s.size()) + 2 > size)
            break;
        std::memcpy(buffer + at, s.c_str(), s.size() + 1);
        at += static_cast<int32_t>(s.size()) + 1;
        ++n;
    }
    buffer[at] = '\0';
    return n;
}
int16_t SSCE_API Version(char* buffer, int32_t)
{
    std::strcpy(buffer, "9.9");
    return 0;
}

} // namespace

TStandInEngine& UseStandInEngine()
{
    State = TStandInEngine();
    TSpellEngine e;
    e.OpenSession = OpenSession;
    e.CloseSession = CloseSession;
    e.SetOption = SetOption;
    e.OpenLex = OpenLex;
    e.CreateLex = CreateLex;
    e.CloseLex = CloseLex;
    e.GetLex = GetLex;
    e.AddToLex = AddToLex;
    e.DelFromLex = DelFromLex;
    e.CheckWord = CheckWord;
    e.Suggest = Suggest;
    e.Version = Version;
    UseSpellEngine(e);
    return State;
}
