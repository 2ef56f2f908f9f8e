// The program's additions to the engine's answers: Czech character maps, retries, compound splitting and
// the tidying of suggestion lists.
#include "tools/SpellWordRules.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>

#include "classlib/runtime/AnsiStrings.h"
#include "core/TextUtils.h"

namespace {

// The two Czech tables, built when the program starts: identity but for five pairs.
struct TCzechMaps {
    uint8_t ToEngine[256];
    uint8_t FromEngine[256];
    TCzechMaps()
    {
        for (int i = 0; i < 256; ++i)
            ToEngine[i] = FromEngine[i] = static_cast<uint8_t>(i);
        const uint8_t pairs[5][2] = {{0x9E, 0xEE}, {0x8E, 0xCE}, {0x9D, 0xE7}, {0x8A, 0xC6}, {0x9A, 0xE6}};
        for (const auto& p : pairs) {
            ToEngine[p[0]] = p[1];
            FromEngine[p[1]] = p[0];
        }
    }
};
const TCzechMaps CzechMaps;

void MapThrough(char* text, int32_t length, const uint8_t table[256])
{
    for (int32_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(table[static_cast<uint8_t>(text[i])]);
}

bool SameText(const std::string& a, const std::string& b)
{
    return CompareTextLocale(a, b) == 0;
}

char LowerChar(char c)
{
    return AnsiLowerCase(std::string(1, c))[0];
}

// Whether the entry equals the word but for case, or does after one edit of the entry: two neighbours
// swapped, one character removed, one character of code 97 to 255 inserted or put in place of another.
bool IsNear(const std::string& entry, const std::string& word)
{
    if (SameText(entry, word))
        return true;
    for (size_t i = 0; i + 1 < entry.size(); ++i) {
        std::string e = entry;
        std::swap(e[i], e[i + 1]);
        if (SameText(e, word))
            return true;
    }
    for (size_t i = 0; i < entry.size(); ++i)
        if (SameText(std::string(entry).erase(i, 1), word))
            return true;
    // Only a character equal to the word's at that place, but for case, can make the two equal.
    if (entry.size() + 1 == word.size())
        for (size_t i = 0; i <= entry.size(); ++i) {
            char c = LowerChar(word[i]);
            if (static_cast<uint8_t>(c) >= 97 && SameText(std::string(entry).insert(i, 1, c), word))
                return true;
        }
    if (entry.size() == word.size())
        for (size_t i = 0; i < entry.size(); ++i) {
            char c = LowerChar(word[i]);
            std::string e = entry;
            e[i] = c;
            if (static_cast<uint8_t>(c) >= 97 && SameText(e, word))
                return true;
        }
    return false;
}

struct TAccentedVowel {
    char Plain;
    char Accented[3];
};
constexpr TAccentedVowel AccentedCapitals[] = {
    {'A', {'\xC0', '\xC1', '\xC2'}}, {'E', {'\xC8', '\xC9', '\xCA'}}, {'I', {'\xCC', '\xCD', '\xCE'}},
    {'O', {'\xD2', '\xD3', '\xD4'}}, {'U', {'\xD9', '\xDA', '\xDB'}},
};
constexpr int MaxVariedVowels = 4;

const TAccentedVowel* AccentedFormsOf(char c)
{
    for (const TAccentedVowel& v : AccentedCapitals)
        if (v.Plain == c)
            return &v;
    return nullptr;
}

} // namespace

void MapToEngineChars(char* text, int32_t length)
{
    MapThrough(text, length, CzechMaps.ToEngine);
}

void MapFromEngineChars(char* text, int32_t length)
{
    MapThrough(text, length, CzechMaps.FromEngine);
}

void MapToEngineChars(std::string& text)
{
    MapToEngineChars(text.data(), static_cast<int32_t>(text.size()));
}

void MapFromEngineChars(std::string& text)
{
    MapFromEngineChars(text.data(), static_cast<int32_t>(text.size()));
}

bool HasCapitals(const std::string& word)
{
    return AnsiLowerCase(word) != word;
}

bool SwissGermanVariant(const std::string& word, std::string& variant)
{
    variant = word;
    bool replaced = false;
    for (size_t at = variant.find("ss"); at != std::string::npos && at >= 1; at = variant.find("ss")) {
        variant = variant.substr(0, at) + '\xDF' + variant.substr(at + 2);
        replaced = true;
    }
    return replaced;
}

int CheckAccentedCapitals(const std::string& word, const TWordCheck& check)
{
    std::vector<size_t> places;
    for (size_t i = 0; i < word.size() && places.size() < MaxVariedVowels; ++i)
        if (AccentedFormsOf(word[i]))
            places.push_back(i);
    std::string variant = word;
    int last = 0;
    // Each place takes its plain vowel, then its three accented forms, the later places varying fastest.
    std::function<bool(size_t)> walk = [&](size_t k) {
        if (k == places.size()) {
            last = check(variant);
            return (last & 1) == 0;
        }
        const TAccentedVowel* forms = AccentedFormsOf(word[places[k]]);
        for (int choice = 0; choice < 4; ++choice) {
            variant[places[k]] = choice == 0 ? forms->Plain : forms->Accented[choice - 1];
            if (walk(k + 1))
                return true;
        }
        variant[places[k]] = word[places[k]];
        return false;
    };
    walk(0);
    return last;
}

bool SplitsIntoKnownWords(const std::string& word, const TWordCheck& check)
{
    constexpr size_t MaxSplitLength = 100;
    if (word.size() < 2 || word.size() > MaxSplitLength)
        return false;
    // Whether the rest of the word from a place on splits (pieces below the whole word); each place once.
    std::map<size_t, bool> known;
    std::function<bool(size_t)> restSplits = [&](size_t from) {
        auto it = known.find(from);
        if (it != known.end())
            return it->second;
        size_t length = word.size() - from;
        bool ok = false;
        if (length >= 3) {
            ok = check(word.substr(from)) == 0;
            for (size_t k = 3; !ok && k + 3 <= length; ++k)
                ok = check(word.substr(from, k)) == 0 && restSplits(from + k);
        }
        known[from] = ok;
        return ok;
    };
    for (size_t k = 3; k + 3 <= word.size(); ++k)
        if (check(word.substr(0, k)) == 0 && restSplits(k))
            return true;
    return false;
}

std::vector<std::string> ReadEntryList(const char* buffer, int32_t size)
{
    std::vector<std::string> out;
    int32_t at = 0;
    while (at < size && buffer[at]) {
        const void* end = std::memchr(buffer + at, '\0', static_cast<size_t>(size - at));
        int32_t length =
            end ? static_cast<int32_t>(static_cast<const char*>(end) - (buffer + at)) : size - at;
        out.emplace_back(buffer + at, static_cast<size_t>(length));
        at += length + 1;
    }
    return out;
}

std::vector<std::string> TidySuggestions(const std::string& word, std::vector<std::string> list,
                                         int32_t language)
{
    if (word.size() < 2)
        return list;
    std::vector<std::string> near, others;
    for (std::string& entry : list)
        (IsNear(entry, word) ? near : others).push_back(std::move(entry));
    list = std::move(near);
    list.insert(list.end(), std::make_move_iterator(others.begin()), std::make_move_iterator(others.end()));

    const bool wordHasCapitals = HasCapitals(word);
    for (size_t i = list.size(); i-- > 1;)
        if (SameText(list[i], list[i - 1])) {
            if (HasCapitals(list[i]) == wordHasCapitals && HasCapitals(list[i - 1]) != wordHasCapitals)
                list[i - 1] = list[i];
            list.erase(list.begin() + static_cast<ptrdiff_t>(i));
        }

    if (language == LangCanadianFrench)
        for (size_t i = list.size(); i-- > 0;) {
            std::string plain = StripCapitalAccents(list[i]);
            if (plain != list[i])
                list.insert(list.begin() + static_cast<ptrdiff_t>(i) + 1, plain);
        }
    return list;
}
