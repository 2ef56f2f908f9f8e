// Sessions: opening lexicon files of either kind, and checking words against every lexicon of the session.
#include "spelling/engine/Session.h"

#include <windows.h>

#include <algorithm>

#include "spelling/SpellEngineApi.h"
#include "spelling/engine/Cp1252.h"
#include "spelling/engine/EntryList.h"
#include "spelling/engine/LexiconFormat.h"
#include "spelling/engine/WordVariants.h"

namespace {

constexpr uint64_t MaxLexiconFileSize = 256u << 20;

// The whole contents of a file (others may read and write it meanwhile); false when it cannot be read.
bool ReadWholeFile(const std::string& name, std::string& out)
{
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(h, &size) && static_cast<uint64_t>(size.QuadPart) <= MaxLexiconFileSize;
    if (ok) {
        out.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = out.empty() ||
             (ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &read, nullptr) && read == out.size());
    }
    CloseHandle(h);
    return ok;
}

bool HasDigit(const std::string& word)
{
    return std::any_of(word.begin(), word.end(), [](unsigned char c) { return cp1252::IsDigit(c); });
}

bool IsNumber(const std::string& word)
{
    return HasDigit(word) && std::all_of(word.begin(), word.end(), [](unsigned char c) {
               return cp1252::IsDigit(c) || c == '.' || c == ',' || c == ':' || c == '-' || c == '/';
           });
}

std::string Capitalised(const std::string& word)
{
    std::string out = cp1252::Lower(word);
    if (!out.empty())
        out[0] = cp1252::ToUpper(out[0]);
    return out;
}

} // namespace

int16_t TSession::SetOption(uint32_t option, uint32_t value)
{
    if (option == 0 || option > 0x8000 || (option & (option - 1)) != 0 || value > 1)
        return SSCE_ERR_ARGUMENT;
    Options = value ? Options | option : Options & ~option;
    return SSCE_OK;
}

TSession::TLexicon* TSession::Lexicon(int16_t id)
{
    if (id < 0 || id >= static_cast<int16_t>(Lexicons.size()) || (!Lexicons[id].Text && !Lexicons[id].Main))
        return nullptr;
    return &Lexicons[id];
}

int16_t TSession::AddLexicon(TLexicon lexicon)
{
    for (size_t i = 0; i < Lexicons.size(); ++i)
        if (!Lexicons[i].Text && !Lexicons[i].Main) {
            Lexicons[i] = std::move(lexicon);
            return static_cast<int16_t>(i);
        }
    if (Lexicons.size() >= MaxLexicons)
        return SSCE_ERR_TOO_MANY;
    Lexicons.push_back(std::move(lexicon));
    return static_cast<int16_t>(Lexicons.size() - 1);
}

int16_t TSession::OpenLexicon(const std::string& fileName)
{
    if (fileName.empty())
        return SSCE_ERR_ARGUMENT;
    if (Lexicons.size() >= MaxLexicons &&
        std::none_of(Lexicons.begin(), Lexicons.end(), [](const TLexicon& l) { return !l.Text && !l.Main; }))
        return SSCE_ERR_TOO_MANY;
    std::string bytes;
    if (!ReadWholeFile(fileName, bytes))
        return SSCE_ERR_FILE;
    TLexicon lexicon;
    std::string_view affixes, words;
    if (lexformat::ParseMain(bytes, affixes, words)) {
        int16_t error = SSCE_OK;
        lexicon.Main = TMainLexicon::Load(affixes, words, error);
        if (!lexicon.Main)
            return error;
    } else if (lexformat::IsText(bytes)) {
        lexicon.Text = std::make_unique<TTextLexicon>(fileName, bytes);
    } else {
        return SSCE_ERR_FORMAT;
    }
    return AddLexicon(std::move(lexicon));
}

int16_t TSession::CreateLexicon(const std::string& fileName)
{
    if (!fileName.empty()) {
        HANDLE h = CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return GetLastError() == ERROR_FILE_EXISTS ? SSCE_ERR_EXISTS : SSCE_ERR_FILE;
        CloseHandle(h);
    }
    TLexicon lexicon;
    lexicon.Text = std::make_unique<TTextLexicon>(fileName, std::string_view());
    int16_t id = AddLexicon(std::move(lexicon));
    if (id < 0 && !fileName.empty())
        DeleteFileA(fileName.c_str());
    return id;
}

int16_t TSession::CloseLexicon(int16_t id)
{
    TLexicon* lexicon = Lexicon(id);
    if (!lexicon)
        return SSCE_ERR_LEXICON;
    *lexicon = TLexicon();
    return SSCE_OK;
}

int16_t TSession::ListLexicon(int16_t id, char* buffer, int32_t size)
{
    TLexicon* lexicon = Lexicon(id);
    if (!lexicon)
        return SSCE_ERR_LEXICON;
    if (!lexicon->Text)
        return SSCE_ERR_MAIN_LEXICON;
    if (!buffer || size < 1)
        return SSCE_ERR_ARGUMENT;
    return static_cast<int16_t>(std::min<int32_t>(lexicon->Text->List(buffer, size), INT16_MAX));
}

int16_t TSession::AddToLexicon(int16_t id, const std::string& word, int16_t action, const std::string& other)
{
    TLexicon* lexicon = Lexicon(id);
    if (!lexicon)
        return SSCE_ERR_LEXICON;
    if (!lexicon->Text)
        return SSCE_ERR_MAIN_LEXICON;
    if (!TTextLexicon::IsValidWord(word) || (action != SSCE_ACTION_ACCEPT && action != SSCE_ACTION_REPLACE) ||
        (action == SSCE_ACTION_REPLACE && !TTextLexicon::IsValidWord(other)))
        return SSCE_ERR_ARGUMENT;
    return lexicon->Text->Add(word, action, other);
}

int16_t TSession::DeleteFromLexicon(int16_t id, const std::string& word)
{
    TLexicon* lexicon = Lexicon(id);
    if (!lexicon)
        return SSCE_ERR_LEXICON;
    if (!lexicon->Text)
        return SSCE_ERR_MAIN_LEXICON;
    return lexicon->Text->Delete(word);
}

bool TSession::IgnoredByOptions(const std::string& word) const
{
    int upper = 0, lower = 0;
    for (unsigned char c : word) {
        upper += cp1252::IsUpper(c);
        lower += cp1252::IsLower(c);
    }
    bool firstUpper = cp1252::IsUpper(static_cast<unsigned char>(word[0]));
    return (Option(SSCE_OPT_IGNORE_CAPPED) && firstUpper) ||
           (Option(SSCE_OPT_IGNORE_ALL_CAPS) && upper > 0 && lower == 0) ||
           (Option(SSCE_OPT_IGNORE_DIGITS) && HasDigit(word)) ||
           (Option(SSCE_OPT_IGNORE_NUMBERS) && IsNumber(word)) ||
           (Option(SSCE_OPT_IGNORE_MIXED_CASE) && upper > 0 && lower > 0 && (!firstUpper || upper >= 2));
}

const TTextLexicon::TEntry* TSession::FindEntry(const std::string& word) const
{
    for (const TLexicon& l : Lexicons)
        if (l.Text)
            if (const TTextLexicon::TEntry* e = l.Text->Find(word, Option(SSCE_OPT_CASE_SENSITIVE)))
                return e;
    return nullptr;
}

bool TSession::AcceptsAsWritten(const std::string& word) const
{
    for (const TLexicon& l : Lexicons) {
        if (l.Main && l.Main->Accepts(word))
            return true;
        if (l.Text) {
            const TTextLexicon::TEntry* e = l.Text->Find(word, Option(SSCE_OPT_CASE_SENSITIVE));
            if (e && e->Action == SSCE_ACTION_ACCEPT)
                return true;
        }
    }
    return false;
}

bool TSession::Accepts(const std::string& word) const
{
    if (AcceptsAsWritten(word))
        return true;
    if (Option(SSCE_OPT_CASE_SENSITIVE))
        return false;
    std::string lower = cp1252::Lower(word), capitalised = Capitalised(word);
    return (lower != word && AcceptsAsWritten(lower)) ||
           (capitalised != word && AcceptsAsWritten(capitalised));
}

int16_t TSession::CheckWord(const std::string& word, char* other, int32_t otherSize)
{
    if (word.empty() || IgnoredByOptions(word))
        return 0;
    const TTextLexicon::TEntry* entry = FindEntry(word);
    if (entry && entry->Action == SSCE_ACTION_REPLACE) {
        if (other && otherSize > 0) {
            size_t n = std::min<size_t>(entry->Other.size(), static_cast<size_t>(otherSize) - 1);
            entry->Other.copy(other, n);
            other[n] = '\0';
        }
        return SSCE_WORD_REPLACE;
    }
    if (entry || Accepts(word))
        return 0;
    // Each variant is checked as it is written: the variants already give the cases worth trying.
    return TryWordVariants(word, [this](const std::string& v) { return AcceptsAsWritten(v); })
               ? 0
               : SSCE_WORD_REJECTED;
}

int16_t TSession::Suggest(const std::string& word, int16_t depth, char* buffer, int32_t size, int16_t* scores,
                          int16_t scoreCount)
{
    if (depth < 0 || !buffer || size < 1 || scoreCount < 0)
        return SSCE_ERR_ARGUMENT;
    // The depth chooses how long the list may be: 75 and over gives every place.
    int limit =
        std::clamp(scoreCount * std::min<int>(depth, 75) / 75, std::min<int>(1, scoreCount), int(scoreCount));
    std::vector<std::string> list;
    for (const TLexicon& l : Lexicons) {
        if (!l.Main)
            continue;
        for (std::string& s : l.Main->Suggest(word)) {
            if (static_cast<int>(list.size()) >= limit)
                break;
            if (!Option(SSCE_OPT_SPLIT_WORDS) && s.find(' ') != std::string::npos)
                continue;
            if (std::find(list.begin(), list.end(), s) == list.end())
                list.push_back(std::move(s));
        }
    }
    int16_t count = static_cast<int16_t>(WriteEntryList(list, buffer, size));
    if (scores)
        for (int i = 0; i < scoreCount; ++i)
            scores[i] = static_cast<int16_t>(i < count ? std::max(1, 100 - 5 * i) : 0);
    return count;
}
