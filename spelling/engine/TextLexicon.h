// A text lexicon: words to accept and words to replace, kept in memory or in a text file of one entry a line
// ("word" to accept, "word<tab>other word" to replace).
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

class TTextLexicon {
public:
    struct TEntry {
        int16_t Action; // SSCE_ACTION_ACCEPT or SSCE_ACTION_REPLACE
        std::string Other;
    };

    // A lexicon in memory only (empty file name) or backed by a file whose text is given.
    TTextLexicon(std::string fileName, std::string_view text);

    // The entry of a word, as written or, without case sensitivity, in any case; null when there is none.
    const TEntry* Find(const std::string& word, bool caseSensitive) const;

    // Adds or changes an entry, or removes one, and writes the file; a negative engine error when it fails
    // (the lexicon is then left as it was).
    int16_t Add(const std::string& word, int16_t action, const std::string& other);
    int16_t Delete(const std::string& word);

    // The entries as a list of NUL-ended entries (word, or word, tab and other word); how many fit the
    // buffer.
    int32_t List(char* buffer, int32_t size) const;

    // A word that a lexicon can hold: not empty, on one line, with no tab.
    static bool IsValidWord(const std::string& word);

private:
    int16_t Save() const;
    void Unindex(const std::string& word);

    std::string FileName;
    std::map<std::string, TEntry> Entries;
    std::multimap<std::string, std::string> LowerIndex; // lower-case form -> the word as stored
};
