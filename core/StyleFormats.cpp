// A style's effective formats: its own merged over those of the styles it is based on.
#include <algorithm>
#include <vector>

#include "core/RecordUtils.h"
#include "core/Styles.h"

void MergeCharFormat(TCharFormat& target, const TCharFormat& source)
{
    for (int i = 0; i < CharFormatFieldCount; ++i)
        if (IsFieldSet(source[i]))
            target[i] = source[i];
}

void MergeParaFormat(TParaFormat& target, const TParaFormat& source)
{
    int32_t& fi = target[pfFirstIndent];
    int32_t& li = target[pfLeftIndent];
    const int32_t sfi = source[pfFirstIndent], sli = source[pfLeftIndent];
    if ((IsFieldSet(sfi) && IsFieldSet(sli)) || (!IsFieldSet(fi) && !IsFieldSet(li))) {
        fi = sfi;
        li = sli;
    } else if (IsFieldSet(sfi)) {
        // The first line's left edge stays where it was.
        if (IsFieldSet(li) && IsFieldSet(fi) && fi < 0)
            li += fi;
        fi = sfi;
        if (IsFieldSet(li) && fi < 0)
            li -= fi;
    } else if (IsFieldSet(sli)) {
        li = sli;
        if (IsFieldSet(fi) && fi < 0)
            li -= fi;
    }
    for (int i = pfLineSpacing; i < ParaFormatFieldCount; ++i)
        if (IsFieldSet(source[i]))
            target[i] = source[i];
}

const TStyle* TStyleList::GetBaseChain(int32_t index, std::vector<int32_t>& chain) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    // A chain that comes back to a style already met (a file can hold one) is cut there.
    std::vector<bool> met(static_cast<size_t>(Count()), false);
    met[static_cast<size_t>(index)] = true;
    const TStyle* style = Styles[static_cast<size_t>(index)].get();
    for (;;) {
        const int32_t parent = style->BasedOn;
        if (parent < 0 || parent >= Count() || met[static_cast<size_t>(parent)])
            return style;
        met[static_cast<size_t>(parent)] = true;
        chain.push_back(parent);
        style = Styles[static_cast<size_t>(parent)].get();
    }
}

void TStyle::ResolveFormat(TCharFormat& charFormat, TParaFormat& paraFormat, uint8_t options) const
{
    // The style and its ancestors, root last, each once.
    std::vector<const TStyle*> chain{this};
    if (Owner) {
        // Marks of the styles met, by index, so that a long chain is walked in one pass.
        std::vector<bool> met(static_cast<size_t>(Owner->Count()), false);
        int32_t index = BasedOn;
        for (const TStyle* s = Owner->StyleOf(index); s && s != this && !met[static_cast<size_t>(index)];
             index = s->BasedOn, s = Owner->StyleOf(index)) {
            met[static_cast<size_t>(index)] = true;
            chain.push_back(s);
        }
    }
    if (options & rfStartUndefined) {
        ClearCharFormatState(charFormat);
        ClearParFormatState(paraFormat);
    } else {
        charFormat = DefaultCharFormat();
        paraFormat = DefaultParaFormat();
        paraFormat[pfWidowControl] = 0;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        MergeCharFormat(charFormat, (*it)->CharFormat);
        MergeParaFormat(paraFormat, (*it)->ParaFormat);
    }
    if (!(options & rfKeepLanguage))
        charFormat[cfLanguage] = UndefinedField;
    if (options & rfStartUndefined) {
        charFormat[cfHighlight] = UndefinedField;
        paraFormat[pfBullets] = UndefinedField;
    }
}
