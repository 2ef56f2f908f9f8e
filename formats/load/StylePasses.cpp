// Settling the style list read from a file.
#include "formats/load/StylePasses.h"

#include <vector>

#include "core/Styles.h"
#include "core/FormatRecords.h"

bool IsStyleToggleField(int field)
{
    return (field >= cfBold && field <= cfDoubleStrike) || (field >= cfSmallCaps && field <= cfEngrave);
}

int32_t FindStyleByNumber(const TStyleList& list, int32_t number)
{
    for (int32_t i = list.Count() - 1; i >= 0; --i)
        if (list.Styles[static_cast<size_t>(i)]->Number == number)
            return i;
    return 0;
}

TStyleNumberIndex::TStyleNumberIndex(const TStyleList& list)
{
    // Later styles of the same number win, as FindStyleByNumber finds the last.
    for (int32_t i = 0; i < list.Count(); ++i)
        Indexes[list.Styles[static_cast<size_t>(i)]->Number] = i;
}

int32_t TStyleNumberIndex::Find(int32_t number) const
{
    const auto it = Indexes.find(number);
    return it == Indexes.end() ? 0 : it->second;
}

void ResolveNextStyles(TStyleList& list, const TStyleNumberIndex& numbers)
{
    for (auto& style : list.Styles)
        style->NextStyle = numbers.Find(style->NextStyle);
}

void ResolveStyleBases(TStyleList& list)
{
    const int32_t count = list.Count();
    auto base = [&](int32_t i) -> int32_t& { return list.Styles[static_cast<size_t>(i)]->BasedOn; };
    for (int32_t i = 0; i < count; ++i)
        if (base(i) == i || base(i) < -1 || base(i) >= count)
            base(i) = -1;
    // A chain that comes back to a style met on the way is a loop: the style that closes it is based
    // on style 0 instead, or on nothing when it is style 0 or the loop runs through style 0. Each
    // style is walked once: a chain reaching a style already settled stops there.
    enum : uint8_t { Unseen, OnWalk, Settled };
    std::vector<uint8_t> state(static_cast<size_t>(count), Unseen);
    std::vector<int32_t> walk;
    for (int32_t i = 0; i < count; ++i) {
        if (state[static_cast<size_t>(i)] != Unseen)
            continue;
        walk.clear();
        int32_t s = i;
        bool throughZero = false;
        for (;;) {
            state[static_cast<size_t>(s)] = OnWalk;
            walk.push_back(s);
            throughZero = throughZero || s == 0;
            const int32_t parent = base(s);
            if (parent < 0 || state[static_cast<size_t>(parent)] == Settled)
                break;
            if (state[static_cast<size_t>(parent)] == OnWalk) {
                base(s) = throughZero ? -1 : 0;
                break;
            }
            s = parent;
        }
        for (int32_t w : walk)
            state[static_cast<size_t>(w)] = Settled;
    }
    // Toggles, from the last style to the first: the opposite of the base's value.
    const TCharFormat& defaults = DefaultCharFormat();
    for (int32_t i = count - 1; i >= 0; --i) {
        TStyle& style = *list.Styles[static_cast<size_t>(i)];
        for (int f = 0; f < CharFormatFieldCount; ++f) {
            if (!IsStyleToggleField(f) || style.CharFormat[f] != kStyleToggle)
                continue;
            int32_t b = style.BasedOn >= 0 ? list.Styles[static_cast<size_t>(style.BasedOn)]->CharFormat[f]
                                           : defaults[f];
            style.CharFormat[f] = (b ^ 1) & 127;
        }
    }
}

void ReduceStylesToDifferences(TStyleList& list)
{
    // The effective formats of every style, each computed once from its base's (bases have no loops
    // once ResolveStyleBases has run; a loop left by another caller is cut where it closes).
    const size_t count = list.Styles.size();
    std::vector<TCharFormat> chars(count);
    std::vector<TParaFormat> paras(count);
    std::vector<uint8_t> done(count, 0); // 0 not yet, 1 under way, 2 done
    std::vector<size_t> pending;
    for (size_t i = 0; i < count; ++i) {
        // Walk up to a style whose formats are known, then settle the walk from the top down.
        pending.clear();
        for (size_t s = i; done[s] == 0;) {
            done[s] = 1;
            pending.push_back(s);
            const int32_t base = list.Styles[s]->BasedOn;
            if (base < 0 || static_cast<size_t>(base) >= count || done[static_cast<size_t>(base)] != 0)
                break;
            s = static_cast<size_t>(base);
        }
        for (size_t k = pending.size(); k-- > 0;) {
            const size_t s = pending[k];
            const TStyle& style = *list.Styles[s];
            const int32_t base = style.BasedOn;
            if (base >= 0 && static_cast<size_t>(base) < count && done[static_cast<size_t>(base)] == 2) {
                chars[s] = chars[static_cast<size_t>(base)];
                paras[s] = paras[static_cast<size_t>(base)];
            } else {
                chars[s] = DefaultCharFormat();
                paras[s] = DefaultParaFormat();
                paras[s][pfWidowControl] = 0;
            }
            MergeCharFormat(chars[s], style.CharFormat);
            MergeParaFormat(paras[s], style.ParaFormat);
            chars[s][cfLanguage] = UndefinedField;
            done[s] = 2;
        }
    }
    for (size_t i = count; i-- > 0;) {
        TStyle& style = *list.Styles[i];
        const int32_t base = style.BasedOn;
        const bool hasBase = base >= 0 && static_cast<size_t>(base) < count;
        const int32_t own = style.ParaFormat[pfStyle];
        RemoveSameCharFormat(style.CharFormat,
                             hasBase ? chars[static_cast<size_t>(base)] : DefaultCharFormat());
        RemoveSameParaFormat(style.ParaFormat,
                             hasBase ? paras[static_cast<size_t>(base)] : DefaultParaFormat());
        style.ParaFormat[pfStyle] = own;
    }
}
