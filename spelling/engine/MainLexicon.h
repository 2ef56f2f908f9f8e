// A main lexicon: one dictionary of affixes and words, answered by Hunspell in UTF-8.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Hunspell;

class TMainLexicon {
public:
    ~TMainLexicon();

    // Loads a dictionary from its two files' contents; null with an engine error when it cannot be used.
    static std::unique_ptr<TMainLexicon> Load(std::string_view affixes, std::string_view words,
                                              int16_t& error);

    // Whether the dictionary accepts a Windows-1252 word.
    bool Accepts(const std::string& word) const;

    // Its suggestions for a Windows-1252 word, in its order, leaving out those Windows-1252 cannot hold.
    std::vector<std::string> Suggest(const std::string& word) const;

private:
    explicit TMainLexicon(std::unique_ptr<Hunspell> speller);
    std::unique_ptr<Hunspell> Speller;
};
