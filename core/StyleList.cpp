// Searching a style list, the styles derived from a style, deleting a style, and the saved lists of
// style-list changes.
#include <functional>

#include "classlib/runtime/StringList.h"
#include "core/RecordUtils.h"
#include "core/Styles.h"
#include "core/TextUtils.h"

namespace {

template<typename Pred>
int32_t LastIndexOf(const TStyleList& list, Pred pred)
{
    for (int32_t i = list.Count() - 1; i >= 0; --i)
        if (pred(*list.StyleOf(i)))
            return i;
    return -1;
}

} // namespace

int32_t TStyleList::IndexOfName(std::string_view name) const
{
    return LastIndexOf(*this, [&](const TStyle& s) { return CompareTextLocale(s.Name, name) == 0; });
}

int32_t TStyleList::IndexOfDisplayName(std::string_view name) const
{
    return LastIndexOf(*this, [&](const TStyle& s) { return CompareTextLocale(s.DisplayName, name) == 0; });
}

int32_t TStyleList::IndexOfShortCut(int32_t shortCut) const
{
    return LastIndexOf(*this, [&](const TStyle& s) { return s.ShortCut == shortCut; });
}

int32_t TStyleList::IndexOfBuiltIn(int32_t id) const
{
    return LastIndexOf(*this, [&](const TStyle& s) { return s.BuiltInId == id; });
}

void TStyleList::GetDerivedStyles(int32_t index, std::vector<int32_t>& out, bool recursive) const
{
    // Each style once, so that styles based on each other (a file can hold them) end the walk.
    std::vector<bool> met(static_cast<size_t>(Count()), false);
    if (index >= 0 && index < Count())
        met[static_cast<size_t>(index)] = true;
    std::function<void(int32_t)> walk = [&](int32_t parent) {
        for (int32_t i = 0; i < Count(); ++i) {
            if (Styles[static_cast<size_t>(i)]->BasedOn != parent || met[static_cast<size_t>(i)])
                continue;
            met[static_cast<size_t>(i)] = true;
            out.push_back(i);
            if (recursive)
                walk(i);
        }
    };
    walk(index);
}

void TStyleList::GetDisplayNames(TStringList& names) const
{
    names.Clear();
    for (int32_t i = 0; i < Count(); ++i)
        names.Add(Styles[static_cast<size_t>(i)]->DisplayName, i);
}

int64_t TStyleList::GetMemorySize() const
{
    return static_cast<int64_t>(sizeof(TStyleList)) + static_cast<int64_t>(sizeof(TStyle)) * Count();
}

void TStyleList::DeleteStyle(int32_t index)
{
    if (index < 0 || index >= Count())
        return;
    // A reference past the deleted style moves down with the styles it names.
    auto shifted = [index](int32_t v) { return v > index ? v - 1 : v; };
    const int32_t parent = Styles[static_cast<size_t>(index)]->BasedOn;
    for (int32_t j = 0; j < Count(); ++j) {
        if (j == index)
            continue;
        TStyle& s = *Styles[static_cast<size_t>(j)];
        if (s.BasedOn == index) {
            // The children take the deleted style's parent; one that would become its own parent (the
            // two were based on each other) becomes a root.
            s.BasedOn =
                parent == index || parent == j || parent < 0 || parent >= Count() ? -1 : shifted(parent);
        } else {
            s.BasedOn = shifted(s.BasedOn);
        }
        if (s.NextStyle == index)
            s.NextStyle = index == 0 ? shifted(j) : 0;
        else
            s.NextStyle = shifted(s.NextStyle);
    }
    Styles.erase(Styles.begin() + index);
    for (int32_t j = 0; j < Count(); ++j)
        Styles[static_cast<size_t>(j)]->ParaFormat[pfStyle] = j;
}

int64_t TFormatStyleListInfo::GetMemorySize() const
{
    return static_cast<int64_t>(sizeof(*this)) + 2 * static_cast<int64_t>(sizeof(std::vector<int32_t>)) +
           4 * static_cast<int64_t>(Removed.size() + Changed.size()) + (Styles ? Styles->GetMemorySize() : 0);
}
