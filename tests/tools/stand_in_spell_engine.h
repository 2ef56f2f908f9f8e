// A stand-in spelling engine for the host tests of the program's side: text lexicons of accepted words
// ("word") and replacements ("word<tab>other"), suggestions given by the test, every call recorded.
#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

struct TStandInEngine {
    // Binary files, and files whose text holds "DAMAGED", cannot be opened.
    std::map<int, std::map<std::string, std::string>> Lexicons; // id -> word -> other word ("" to accept)
    std::map<int, std::string> LexiconFiles;                    // id -> file it was opened from
    std::map<std::string, std::vector<std::string>> Suggestions;
    std::vector<std::pair<uint32_t, uint32_t>> Options; // SetOption calls in order
    std::vector<std::string> Checked;                   // words checked, in order
    int LastDepth = -1;
    bool CaseSensitive = true;
    int NextLexicon = 0;
    bool SessionOpen = false;
};

// Resets the stand-in and makes it the process's engine.
TStandInEngine& UseStandInEngine();
