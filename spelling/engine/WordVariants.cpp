// Variants of a rejected word: ligatures put back, then accents put back on its capitals.
#include "spelling/engine/WordVariants.h"

#include <algorithm>
#include <vector>

#include "spelling/engine/Cp1252.h"

namespace {

constexpr int MaxLigatures = 4;        // pairs that may each become a ligature (at most 15 variants)
constexpr int MaxAccentedCapitals = 3; // capitals that get an accent in one variant
// Variants with accents tried for one word, all ligature choices together, in lower case and then, for a
// word in capitals, capitalised as a name: a rejected check of a long word in capitals must stay within a
// millisecond, as the background checker's slice is short.
constexpr int MaxAccentTries = 20;
constexpr int MaxNameAccentTries = 6;
constexpr int MaxCost = 6; // of the accents of one variant (below)

struct TLigature {
    char First, Second, Ligature;
};
// "oe" and "ae" in lower case, in capitals, and as the program writes a capital ligature that begins a word.
constexpr TLigature Ligatures[] = {
    {'o', 'e', '\x9C'}, {'a', 'e', '\xE6'}, {'O', 'E', '\x8C'},
    {'A', 'E', '\xC6'}, {'O', 'e', '\x8C'}, {'A', 'e', '\xC6'},
};

// The accented forms of each letter, most frequent in French first; capitals at the same places.
const char* AccentsOf(char c)
{
    switch (c) {
    case 'e': return "\xE9\xE8\xEA\xEB"; // é è ê ë
    case 'a': return "\xE0\xE2\xE4";     // à â ä
    case 'i': return "\xEE\xEF";         // î ï
    case 'o': return "\xF4\xF6";         // ô ö
    case 'u': return "\xF9\xFB\xFC";     // ù û ü
    case 'c': return "\xE7";             // ç
    case 'E': return "\xC9\xC8\xCA\xCB";
    case 'A': return "\xC0\xC2\xC4";
    case 'I': return "\xCE\xCF";
    case 'O': return "\xD4\xD6";
    case 'U': return "\xD9\xDB\xDC";
    case 'C': return "\xC7";
    default: return nullptr;
    }
}

class TAccentSearch {
public:
    // Accents go at the places of the word's capitals (Word is the spelling searched, in any case). Tries
    // counts the variants tried so far, across searches, up to Limit.
    TAccentSearch(const std::string& capitals, std::string word,
                  const std::function<bool(const std::string&)>& accept, int& tries, int limit)
        : Word(std::move(word)), Accept(accept), Tries(tries), Limit(limit)
    {
        for (size_t i = 0; i < capitals.size(); ++i)
            if (cp1252::IsUpper(static_cast<unsigned char>(capitals[i])) && AccentsOf(capitals[i]))
                Places.push_back(i);
    }

    // Variants come in order of cost, an accent costing 1 plus its rank among the letter's accents, so that
    // the likeliest spellings (one "É", then two) are tried before the rarer ones.
    bool Run()
    {
        for (int cost = 1; cost <= MaxCost && Tries < Limit; ++cost)
            if (Choose(0, cost, 0))
                return true;
        return false;
    }

private:
    // Spends exactly `left` on accents at places from index `from` on, `accents` having been placed so far.
    bool Choose(size_t from, int left, int accents)
    {
        if (left == 0)
            return ++Tries <= Limit && Accept(Word);
        if (accents == MaxAccentedCapitals)
            return false;
        for (size_t p = from; p < Places.size() && Tries < Limit; ++p) {
            char plain = Word[Places[p]];
            const char* accented = AccentsOf(plain);
            for (int rank = 0; accented[rank] && rank + 1 <= left; ++rank) {
                Word[Places[p]] = accented[rank];
                bool found = Choose(p + 1, left - 1 - rank, accents + 1);
                Word[Places[p]] = plain;
                if (found)
                    return true;
            }
        }
        return false;
    }

    std::string Word;
    const std::function<bool(const std::string&)>& Accept;
    std::vector<size_t> Places;
    int& Tries;
    int Limit;
};

bool HasCapital(const std::string& word)
{
    for (unsigned char c : word)
        if (cp1252::IsUpper(c))
            return true;
    return false;
}

} // namespace

bool TryWordVariants(const std::string& word, const std::function<bool(const std::string&)>& accept)
{
    struct TPair {
        size_t At;
        char Ligature;
    };
    std::vector<TPair> pairs;
    for (size_t i = 0; i + 1 < word.size() && pairs.size() < MaxLigatures; ++i)
        for (const TLigature& l : Ligatures)
            if (word[i] == l.First && word[i + 1] == l.Second) {
                pairs.push_back({i, l.Ligature});
                ++i;
                break;
            }

    // Each subset of the pairs becomes ligatures (bit i set: pair i), the empty one being the word itself.
    std::vector<std::string> spellings;
    for (unsigned mask = 0; mask < (1u << pairs.size()); ++mask) {
        std::string v;
        size_t from = 0;
        for (size_t i = 0; i < pairs.size(); ++i)
            if (mask & (1u << i)) {
                v.append(word, from, pairs[i].At - from);
                v += pairs[i].Ligature;
                from = pairs[i].At + 2;
            }
        v.append(word, from, std::string::npos);
        if (mask != 0 && accept(v))
            return true;
        spellings.push_back(std::move(v));
    }
    if (!HasCapital(word))
        return false;
    // A word in capitals is searched in lower case, each check then costing the dictionary least, and
    // then capitalised, as a name.
    const bool allCapitals =
        std::none_of(word.begin(), word.end(), [](unsigned char c) { return cp1252::IsLower(c); });
    int tries = 0;
    for (const std::string& s : spellings)
        if (TAccentSearch(s, allCapitals ? cp1252::Lower(s) : s, accept, tries, MaxAccentTries).Run())
            return true;
    if (!allCapitals)
        return false;
    int nameTries = 0;
    for (const std::string& s : spellings) {
        std::string name = cp1252::Lower(s);
        name[0] = cp1252::ToUpper(name[0]);
        if (TAccentSearch(s, name, accept, nameTries, MaxNameAccentTries).Run())
            return true;
    }
    return false;
}
