// Settling the style list read from a file.
#include "formats/load/StylePasses.h"

#include <vector>

#include "core/Styles.h"
#include "core/FormatRecords.h"

int32_t FindStyleByNumber(const TStyleList& list, int32_t number)
{
    for (int32_t i = list.Count() - 1; i >= 0; --i)
        if (list.Styles[static_cast<size_t>(i)]->Number == number)
            return i;
    return 0;
}

void ResolveNextStyles(TStyleList& list)
{
    for (auto& style : list.Styles)
        style->NextStyle = FindStyleByNumber(list, style->NextStyle);
}

void ResolveStyleBases(TStyleList& list)
{
    const int32_t count = list.Count();
    auto base = [&](int32_t i) -> int32_t& { return list.Styles[static_cast<size_t>(i)]->BasedOn; };
    for (int32_t i = 0; i < count; ++i)
        if (base(i) == i || base(i) < -1 || base(i) >= count)
            base(i) = -1;
    // A chain that comes back to a style met on the way is a loop: the style that closes it is based
    // on style 0 instead, or on nothing when it is style 0 or the loop runs through style 0.
    for (int32_t i = 0; i < count; ++i) {
        std::vector<bool> met(static_cast<size_t>(count), false);
        int32_t s = i;
        met[static_cast<size_t>(s)] = true;
        while (base(s) >= 0) {
            int32_t parent = base(s);
            if (met[static_cast<size_t>(parent)]) {
                base(s) = met[0] ? -1 : 0;
                break;
            }
            met[static_cast<size_t>(parent)] = true;
            s = parent;
        }
    }
    // Toggles, from the last style to the first: the opposite of the base's value.
    static const int toggles[] = {cfBold,    cfItalic, cfStrike,  cfDoubleStrike, cfSmallCaps,
                                  cfAllCaps, cfShadow, cfOutline, cfEmboss,       cfEngrave};
    const TCharFormat& defaults = DefaultCharFormat();
    for (int32_t i = count - 1; i >= 0; --i) {
        TStyle& style = *list.Styles[static_cast<size_t>(i)];
        for (int f : toggles) {
            if (style.CharFormat[f] != kStyleToggle)
                continue;
            int32_t b = style.BasedOn >= 0 ? list.Styles[static_cast<size_t>(style.BasedOn)]->CharFormat[f]
                                           : defaults[f];
            style.CharFormat[f] = (b ^ 1) & 127;
        }
    }
}

void ReduceStylesToDifferences(TStyleList& list)
{
    const size_t count = list.Styles.size();
    std::vector<TCharFormat> chars(count);
    std::vector<TParaFormat> paras(count);
    for (size_t i = 0; i < count; ++i)
        list.Styles[i]->ResolveFormat(chars[i], paras[i], 0);
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
