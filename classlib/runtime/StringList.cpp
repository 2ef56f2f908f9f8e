// The string list: entries, sorted insertion and search, and its texts as lines or comma text.
#include "classlib/runtime/StringList.h"

#include <algorithm>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Format.h"
#include "classlib/runtime/Streams.h"

TStringList::TItem& TStringList::Item(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(Format("Indice de liste hors limites (%d).", index));
    return Items[static_cast<size_t>(index)];
}

const TStringList::TItem& TStringList::Item(int index) const
{
    return const_cast<TStringList*>(this)->Item(index);
}

int TStringList::Compare(std::string_view a, std::string_view b) const
{
    return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::Put(int index, const std::string& text)
{
    if (FSorted)
        throw EListError("Opération non autorisée sur une liste triée.");
    Item(index).String = text;
}

int TStringList::Add(const std::string& text, intptr_t object)
{
    int index = Count();
    if (FSorted && Find(text, index)) {
        if (Duplicates == dupIgnore)
            return index;
        if (Duplicates == dupError)
            throw EListError("La liste n'accepte pas les doublons.");
        // Accepted duplicates go after the equal entries.
        while (index < Count() && Compare(Items[static_cast<size_t>(index)].String, text) == 0)
            ++index;
    }
    Items.insert(Items.begin() + index, TItem{text, object});
    return index;
}

void TStringList::Insert(int index, const std::string& text, intptr_t object)
{
    if (FSorted)
        throw EListError("Opération non autorisée sur une liste triée.");
    if (index < 0 || index > Count())
        throw EListError(Format("Indice de liste hors limites (%d).", index));
    Items.insert(Items.begin() + index, TItem{text, object});
}

void TStringList::Delete(int index)
{
    Item(index);
    Items.erase(Items.begin() + index);
}

void TStringList::Exchange(int a, int b)
{
    std::swap(Item(a), Item(b));
}

int TStringList::IndexOf(std::string_view text) const
{
    if (FSorted) {
        int index;
        return Find(text, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (Compare(Items[static_cast<size_t>(i)].String, text) == 0)
            return i;
    return -1;
}

int TStringList::IndexOfObject(intptr_t object) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items[static_cast<size_t>(i)].Object == object)
            return i;
    return -1;
}

bool TStringList::Find(std::string_view text, int& index) const
{
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        int c = Compare(Items[static_cast<size_t>(mid)].String, text);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0)
                found = true;
        }
    }
    index = lo;
    return found;
}

void TStringList::Sort()
{
    std::stable_sort(Items.begin(), Items.end(),
                     [this](const TItem& a, const TItem& b) { return Compare(a.String, b.String) < 0; });
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted && !FSorted)
        Sort();
    FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive)
{
    FCaseSensitive = caseSensitive;
    if (FSorted)
        Sort();
}

std::string TStringList::Text() const
{
    std::string s;
    for (const TItem& item : Items) {
        s += item.String;
        s += "\r\n";
    }
    return s;
}

void TStringList::SetText(std::string_view text)
{
    Clear();
    size_t i = 0;
    while (i < text.size()) {
        size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos)
            end = text.size();
        Add(std::string(text.substr(i, end - i)));
        i = end;
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
}

std::string TStringList::CommaText() const
{
    std::string s;
    for (int i = 0; i < Count(); ++i) {
        const std::string& t = Items[static_cast<size_t>(i)].String;
        if (i > 0)
            s += ',';
        bool quote = t.empty() && Count() == 1;
        for (char c : t)
            if (static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"')
                quote = true;
        if (!quote) {
            s += t;
            continue;
        }
        s += '"';
        for (char c : t) {
            if (c == '"')
                s += '"';
            s += c;
        }
        s += '"';
    }
    return s;
}

void TStringList::SetCommaText(std::string_view text)
{
    Clear();
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    while (i < text.size()) {
        std::string item;
        if (text[i] == '"') {
            for (++i; i < text.size(); ++i) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        item += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i];
            }
        } else {
            while (i < text.size() && text[i] != ',' && !isBlank(text[i]))
                item += text[i++];
        }
        Add(item);
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i < text.size() && text[i] == ',') {
            ++i;
            while (i < text.size() && isBlank(text[i]))
                ++i;
            if (i == text.size())
                Add(std::string());
        }
    }
}

void TStringList::LoadFromStream(TStream& stream)
{
    int64_t size = stream.GetSize() - stream.GetPosition();
    if (size > INT32_MAX)
        throw EStreamError("Fichier trop volumineux.");
    std::string s(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
    stream.ReadBuffer(s.data(), static_cast<int32_t>(s.size()));
    SetText(s);
}

void TStringList::SaveToStream(TStream& stream) const
{
    std::string s = Text();
    stream.WriteBuffer(s.data(), static_cast<int32_t>(s.size()));
}

void TStringList::LoadFromFile(const std::string& fileName)
{
    TFileStream f(fileName, fmOpenRead);
    LoadFromStream(f);
}

void TStringList::SaveToFile(const std::string& fileName) const
{
    TFileStream f(fileName, fmCreate);
    SaveToStream(f);
}
