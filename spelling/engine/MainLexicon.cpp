// Main lexicons over Hunspell: loading through two temporary files, checking that the load really worked,
// and converting words between Windows-1252 and the dictionary's UTF-8.
#include "spelling/engine/MainLexicon.h"

#include <windows.h>

#include <hunspell/hunspell.hxx>

#include "spelling/SpellEngineApi.h"
#include "spelling/engine/Cp1252.h"

namespace {

// A file of the temporary folder holding given bytes, deleted with the object.
class TTempFile {
public:
    explicit TTempFile(std::string_view bytes)
    {
        char folder[MAX_PATH + 1];
        char name[MAX_PATH + 1];
        DWORD n = GetTempPathA(sizeof folder, folder);
        if (n == 0 || n > MAX_PATH || !GetTempFileNameA(folder, "qsp", 0, name))
            return;
        Path = name;
        HANDLE h =
            CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return;
        DWORD written = 0;
        Ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
             written == bytes.size();
        Ok = CloseHandle(h) && Ok;
    }
    ~TTempFile()
    {
        if (!Path.empty())
            DeleteFileA(Path.c_str());
    }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    std::string Path;
    bool Ok = false;
};

// The first words of the word file (after its count line), without their flags and descriptions.
std::vector<std::string> FirstWords(std::string_view words, size_t count)
{
    std::vector<std::string> out;
    size_t pos = words.find('\n');
    while (pos != std::string_view::npos && out.size() < count) {
        size_t start = pos + 1;
        pos = words.find('\n', start);
        std::string_view line =
            words.substr(start, pos == std::string_view::npos ? std::string_view::npos : pos - start);
        size_t end = 0;
        while (end < line.size() && line[end] != '/' && line[end] != '\t' && line[end] != ' ' &&
               line[end] != '\r')
            ++end;
        if (end > 0)
            out.emplace_back(line.substr(0, end));
    }
    return out;
}

} // namespace

TMainLexicon::TMainLexicon(std::unique_ptr<Hunspell> speller) : Speller(std::move(speller)) {}

TMainLexicon::~TMainLexicon() = default;

std::unique_ptr<TMainLexicon> TMainLexicon::Load(std::string_view affixes, std::string_view words,
                                                 int16_t& error)
{
    TTempFile aff(affixes), dic(words);
    if (!aff.Ok || !dic.Ok) {
        error = SSCE_ERR_FILE;
        return nullptr;
    }
    auto speller = std::make_unique<Hunspell>(aff.Path.c_str(), dic.Path.c_str());
    // Hunspell reports no failed load: a dictionary in UTF-8 that accepts one of its own first words is one
    // that loaded.
    error = SSCE_ERR_FORMAT;
    if (speller->get_dict_encoding() != "UTF-8")
        return nullptr;
    for (const std::string& word : FirstWords(words, 100))
        if (speller->spell(word)) {
            error = SSCE_OK;
            return std::unique_ptr<TMainLexicon>(new TMainLexicon(std::move(speller)));
        }
    return nullptr;
}

bool TMainLexicon::Accepts(const std::string& word) const
{
    return Speller->spell(cp1252::ToUtf8(word));
}

std::vector<std::string> TMainLexicon::Suggest(const std::string& word) const
{
    std::vector<std::string> out;
    for (const std::string& s : Speller->suggest(cp1252::ToUtf8(word))) {
        std::string text;
        if (cp1252::FromUtf8(s, text) && !text.empty())
            out.push_back(std::move(text));
    }
    return out;
}
