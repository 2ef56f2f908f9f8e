// A list of texts, each with an associated value, optionally kept sorted without regard to case.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TStream;

// What Add does with a text already in a sorted list.
enum TDuplicates { dupIgnore, dupAccept, dupError };

// Each entry holds a text and an object: a number or a pointer the list does not own (stored as
// intptr_t). Texts are compared by the user's locale, without regard to case unless CaseSensitive.
class TStringList {
public:
    int Count() const { return static_cast<int>(Items.size()); }
    const std::string& operator[](int index) const { return Item(index).String; }
    const std::string& Strings(int index) const { return Item(index).String; }
    void Put(int index, const std::string& text);
    intptr_t Objects(int index) const { return Item(index).Object; }
    void PutObject(int index, intptr_t object) { Item(index).Object = object; }

    // Adds at the end, or at its place in a sorted list; returns the entry's index.
    int Add(const std::string& text, intptr_t object = 0);
    // Inserts at an index (not allowed in a sorted list).
    void Insert(int index, const std::string& text, intptr_t object = 0);
    void Delete(int index);
    void Clear() { Items.clear(); }
    void Exchange(int a, int b);

    int IndexOf(std::string_view text) const;
    int IndexOfObject(intptr_t object) const;
    // Binary search of a sorted list: true when found; Index receives the entry's index or where
    // the text would be inserted. With duplicates accepted, the first equal entry is found.
    bool Find(std::string_view text, int& index) const;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    void Sort();
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool caseSensitive);
    TDuplicates Duplicates = dupIgnore;

    // The texts as lines ended by CR LF; setting splits at CR LF, CR or LF.
    std::string Text() const;
    void SetText(std::string_view text);
    // The texts separated by commas, a text holding a blank, a comma or a double quote quoted with
    // its double quotes doubled; setting splits at commas and blanks outside quotes.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    // Raises EStreamError when the file cannot be read or written.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

private:
    struct TItem {
        std::string String;
        intptr_t Object;
    };
    TItem& Item(int index);
    const TItem& Item(int index) const;
    int Compare(std::string_view a, std::string_view b) const;

    std::vector<TItem> Items;
    bool FSorted = false;
    bool FCaseSensitive = false;
};
