// One engine session: its options and its lexicons, and the word checks and suggestions made with them.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "spelling/engine/MainLexicon.h"
#include "spelling/engine/TextLexicon.h"

class TSession {
public:
    static constexpr int MaxLexicons = 64;

    int16_t SetOption(uint32_t option, uint32_t value);

    // Lexicon ids are the places in the session's table; each returns the id or a negative engine error.
    int16_t OpenLexicon(const std::string& fileName);
    int16_t CreateLexicon(const std::string& fileName);
    int16_t CloseLexicon(int16_t id);

    int16_t ListLexicon(int16_t id, char* buffer, int32_t size);
    int16_t AddToLexicon(int16_t id, const std::string& word, int16_t action, const std::string& other);
    int16_t DeleteFromLexicon(int16_t id, const std::string& word);

    // The result bits of a check; for a word to replace, the other word goes into the buffer.
    int16_t CheckWord(const std::string& word, char* other, int32_t otherSize);

    // Up to scoreCount suggestions (fewer for a lower depth) written as NUL-ended entries and one more NUL;
    // how many were written.
    int16_t Suggest(const std::string& word, int16_t depth, char* buffer, int32_t size, int16_t* scores,
                    int16_t scoreCount);

private:
    struct TLexicon {
        std::unique_ptr<TTextLexicon> Text;
        std::unique_ptr<TMainLexicon> Main;
    };

    bool Option(uint32_t option) const { return (Options & option) != 0; }
    bool IgnoredByOptions(const std::string& word) const;
    const TTextLexicon::TEntry* FindEntry(const std::string& word) const;
    bool Accepts(const std::string& word) const;
    bool AcceptsAsWritten(const std::string& word) const;
    int16_t AddLexicon(TLexicon lexicon);
    TLexicon* Lexicon(int16_t id);

    uint32_t Options = 0x0200 | 0x2000; // case sensitive, suggestions may split words
    std::vector<TLexicon> Lexicons;
};
