// Text lexicons: parsing their lines, looking words up and writing the file anew after each change.
#include "spelling/engine/TextLexicon.h"

#include <windows.h>

#include "spelling/SpellEngineApi.h"
#include "spelling/engine/Cp1252.h"
#include "spelling/engine/EntryList.h"

TTextLexicon::TTextLexicon(std::string fileName, std::string_view text) : FileName(std::move(fileName))
{
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        size_t tab = line.find('\t');
        std::string word(line.substr(0, tab));
        if (word.empty() || Entries.count(word))
            continue;
        if (tab == std::string_view::npos) {
            Entries[word] = {SSCE_ACTION_ACCEPT, {}};
        } else {
            std::string other(line.substr(tab + 1));
            if (other.empty() || other.find('\t') != std::string::npos)
                continue;
            Entries[word] = {SSCE_ACTION_REPLACE, other};
        }
        LowerIndex.emplace(cp1252::Lower(word), word);
    }
}

bool TTextLexicon::IsValidWord(const std::string& word)
{
    return !word.empty() && word.find_first_of("\t\r\n") == std::string::npos;
}

const TTextLexicon::TEntry* TTextLexicon::Find(const std::string& word, bool caseSensitive) const
{
    auto it = Entries.find(word);
    if (it != Entries.end())
        return &it->second;
    if (caseSensitive)
        return nullptr;
    auto range = LowerIndex.equal_range(cp1252::Lower(word));
    return range.first == range.second ? nullptr : &Entries.at(range.first->second);
}

int16_t TTextLexicon::Add(const std::string& word, int16_t action, const std::string& other)
{
    auto old = Entries.find(word);
    bool existed = old != Entries.end();
    TEntry previous = existed ? old->second : TEntry{};
    Entries[word] = {action, action == SSCE_ACTION_REPLACE ? other : std::string()};
    if (!existed)
        LowerIndex.emplace(cp1252::Lower(word), word);
    int16_t r = Save();
    if (r < 0) {
        if (existed) {
            Entries[word] = previous;
        } else {
            Entries.erase(word);
            Unindex(word);
        }
    }
    return r;
}

int16_t TTextLexicon::Delete(const std::string& word)
{
    auto it = Entries.find(word);
    if (it == Entries.end())
        return SSCE_ERR_NOT_FOUND;
    TEntry previous = it->second;
    Entries.erase(it);
    int16_t r = Save();
    if (r < 0) {
        Entries[word] = previous;
        return r;
    }
    Unindex(word);
    return SSCE_OK;
}

void TTextLexicon::Unindex(const std::string& word)
{
    auto range = LowerIndex.equal_range(cp1252::Lower(word));
    for (auto it = range.first; it != range.second; ++it)
        if (it->second == word) {
            LowerIndex.erase(it);
            return;
        }
}

int32_t TTextLexicon::List(char* buffer, int32_t size) const
{
    std::vector<std::string> lines;
    for (const auto& [word, entry] : Entries)
        lines.push_back(entry.Action == SSCE_ACTION_REPLACE ? word + '\t' + entry.Other : word);
    return WriteEntryList(lines, buffer, size);
}

// The new text goes to a file beside the old one, which it then replaces: a failure half-way leaves the old
// file whole.
int16_t TTextLexicon::Save() const
{
    if (FileName.empty())
        return SSCE_OK;
    std::string text;
    for (const auto& [word, entry] : Entries) {
        text += word;
        if (entry.Action == SSCE_ACTION_REPLACE)
            text += '\t' + entry.Other;
        text += "\r\n";
    }
    std::string temp = FileName + ".~new";
    HANDLE h =
        CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return SSCE_ERR_FILE;
    DWORD written = 0;
    bool ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    ok = FlushFileBuffers(h) && ok;
    CloseHandle(h);
    if (!ok ||
        !MoveFileExA(temp.c_str(), FileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return SSCE_ERR_FILE;
    }
    return SSCE_OK;
}
