// Applying a style to paragraphs so that hand formatting survives, replacing the style list, and
// redefining a style from the selection.
#include <algorithm>
#include <cstdio>

#include "core/Messages.h"
#include "core/Styles.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Section.h"
#include "document/Field.h"
#include "document/InlineTags.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/StyleSteps.h"

namespace {

enum : int {
    mfStyleProgress = 94,   // ApplyStyles shows its progress
    mfStyleHighlight = 95,  // ApplyStyles also applies the style's highlight and bullets
    mfStyleListPending = 27 // ChangeStyleList leaves mode flag 28 alone
};

// A stretch of a paragraph under one explicit character format.
struct TStyleRun {
    int32_t Start, End;
    TCharFormat Format;
    int32_t Depth; // open hyperlink fields
};

// The on/off formats; the underline kind has several values and follows its own rule.
bool IsToggle(int field)
{
    return field >= cfBold && field <= cfDoubleStrike;
}

bool IsHyperlink(const TField* f)
{
    return f && f->Kind == fkCode && f->FieldType == ftHyperlink;
}

bool IsTableOfContents(const TField* f)
{
    return f && f->Kind == fkCode && f->FieldType == ftTableOfContents;
}

// The runs of a paragraph: a run ends where a format tag or a hyperlink mark stands.
void CollectRuns(TParagraph& p, int32_t depth, std::vector<TStyleRun>& runs)
{
    runs.clear();
    if (!p.GetNormalized())
        p.NormalizeTags();
    TCharFormat current = DefaultCharFormat();
    int32_t counter = 0, lastEnd = 0, toc = 0;
    auto close = [&] {
        if (counter > lastEnd) {
            runs.push_back({lastEnd, counter, current, depth});
            lastEnd = counter;
        }
    };
    const uint8_t* s = p.Text.Data();
    const int32_t size = p.Text.Size();
    for (int32_t pos = 0; pos < size;) {
        if (s[pos] != 0) {
            const int32_t n = PlainRunLength(s + pos, size - pos);
            counter += n;
            pos += n;
            continue;
        }
        if (size - pos < InlineTagSize)
            break;
        const int code = TagCode(s + pos);
        const int32_t value = TagValue(s + pos);
        if (IsFormatTag(code)) {
            close();
            current[code] = value;
        } else if (IsRunEndingTag(code)) {
            ++counter;
        } else if (IsFieldMark(code)) {
            const TField* f = FieldOfTag(value);
            if (IsTableOfContents(f)) {
                toc += code == tcFieldStart ? 1 : -1;
            } else if (IsHyperlink(f) && toc <= 0) {
                close();
                depth = std::max(0, depth + (code == tcFieldStart ? 1 : -1));
            }
        }
        pos += InlineTagSize;
    }
    close();
}

// The value of each field that covers most characters of the runs; on equal weights the later run's.
TCharFormat DominantFormat(const std::vector<TStyleRun>& runs)
{
    TCharFormat dominant;
    for (int f = 0; f < CharFormatFieldCount; ++f) {
        std::vector<std::pair<int32_t, int64_t>> weights; // in the order they entered
        for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
            if (it->Depth > 0 && (f == cfUnderline || f == cfColor))
                continue;
            const int32_t v = it->Format[f];
            auto found =
                std::find_if(weights.begin(), weights.end(), [v](const auto& w) { return w.first == v; });
            if (found == weights.end())
                weights.emplace_back(v, it->End - it->Start);
            else
                found->second += it->End - it->Start;
        }
        dominant[f] = UndefinedField;
        int64_t best = -1;
        for (const auto& w : weights)
            if (w.second > best) {
                best = w.second;
                dominant[f] = w.first;
            }
    }
    return dominant;
}

// The new format of a run: what was the paragraph's own becomes the style's; what stood out stands out
// against the style.
TCharFormat RestyledRun(const TStyleRun& run, const TCharFormat& dominant, const TCharFormat& style)
{
    TCharFormat out = UnsetCharFormat();
    for (int f = 0; f < CharFormatFieldCount; ++f) {
        if (run.Depth > 0 && (f == cfUnderline || f == cfColor))
            continue; // a hyperlink keeps its look
        const int32_t v = run.Format[f];
        if (v == dominant[f]) {
            out[f] = style[f];
        } else if (IsToggle(f)) {
            out[f] = IsFieldSet(style[f]) ? ((style[f] & 0xFF) ^ 1) & 0x7F : UndefinedField;
        } else if (f == cfUnderline) {
            // Underlined against plain text (or the reverse) is turned over against the style; two
            // kinds of underline keep their own kind.
            const bool on = v != 0, dominantOn = IsFieldSet(dominant[f]) && dominant[f] != 0;
            if (!IsFieldSet(style[f]))
                out[f] = UndefinedField;
            else if (on && dominantOn)
                out[f] = v;
            else if (style[f] != 0)
                out[f] = 0;
            else
                out[f] = on ? v : dominant[f];
        } else {
            out[f] = v;
        }
    }
    return out;
}

// Whether a position lies inside a hyperlink that no table of contents holds.
bool InsideHyperlink(TDocument& doc, const TTextPos& pos)
{
    TTextRange r;
    if (!doc.FindFieldAt(pos, r, nullptr, ftHyperlink, fkCode))
        return false;
    return !doc.FindFieldAt(pos, r, nullptr, ftTableOfContents, fkCode);
}

void ChangedSelectionFields(TChangedRange& range, const TDocument& doc)
{
    range[crSelStartPar] = doc.Selection.StartPos.ParIndex;
    range[crSelStartOffset] = doc.Selection.StartPos.Offset;
    range[crSelEndPar] = doc.Selection.EndPos.ParIndex;
    range[crSelEndOffset] = doc.Selection.EndPos.Offset;
    range[crCaretPar] = doc.Caret.ParIndex;
    range[crCaretOffset] = doc.Caret.Offset;
    range[crCaretLine] = doc.Caret.LineIndex;
}

} // namespace

void ApplyStyles(TDocument& doc, const TTextRange& given, int32_t styleIndex, TChangedRange& changed,
                 TOperation* operation, const TParaFormat* paraOverride, const TCharFormat* charOverride,
                 bool applyCharFormat)
{
    changed = EmptyChangedRange();
    TTextRange range = given;
    if (IsRangeEmpty(range))
        range.StartPos = range.EndPos = doc.Caret;
    if (CompareTextPos(range.EndPos, range.StartPos) < 0)
        std::swap(range.StartPos, range.EndPos);
    const int32_t first = std::clamp(range.StartPos.ParIndex, 0, doc.ParagraphCount() - 1);
    const int32_t last = std::clamp(range.EndPos.ParIndex, first, doc.ParagraphCount() - 1);
    const TTextRange whole = TextRangeOf(TextPosAt(first, 0), TextPosAt(last, doc.ParagraphLength(last)));
    if (!applyCharFormat) {
        TParaFormat format = UnsetParaFormat();
        format[pfStyle] = styleIndex;
        FormatParagraphs(doc, whole, format, changed, operation);
        return;
    }
    const TStyle* style = doc.StyleList ? doc.StyleList->StyleOf(styleIndex) : nullptr;
    if (!style && !(paraOverride && charOverride))
        return;
    TCharFormat s;
    TParaFormat p;
    if (style)
        style->ResolveFormat(s, p, 0);
    if (!doc.GetModeFlag(mfStyleHighlight)) {
        s[cfHighlight] = UndefinedField;
        p[pfBullets] = UndefinedField;
    }
    if (charOverride)
        s = *charOverride;
    if (paraOverride)
        p = *paraOverride;
    p[pfStyle] = styleIndex;

    const bool progress = doc.GetModeFlag(mfStyleProgress) && first == 0;
    if (progress)
        DocumentHost().BeginProgress(doc.ParagraphCount(), "Application des styles ...", "");
    int32_t depth = first > 0 && InsideHyperlink(doc, TextPosAt(first, 0)) ? 1 : 0;
    std::vector<TStyleRun> runs;
    for (int32_t par = first; par <= last; ++par) {
        if (progress)
            DocumentHost().StepProgress(par);
        TParagraph& paragraph = *doc.Paragraphs[size_t(par)];
        const int32_t length = doc.ParagraphLength(par);
        TChangedRange one;
        if (length < 2) {
            FormatText(doc, TextRangeOf(TextPosAt(par, 0), TextPosAt(par, length)), s, one, operation, 1);
            doc.ChangedRanges->UnionChangedRange(changed, one);
            continue;
        }
        CollectRuns(paragraph, depth, runs);
        const int32_t endDepth = runs.empty() ? depth : runs.back().Depth;
        if (runs.size() <= 1 && depth == 0 && endDepth == 0) {
            FormatText(doc, TextRangeOf(TextPosAt(par, 0), TextPosAt(par, length)), s, one, operation, 1);
            doc.ChangedRanges->UnionChangedRange(changed, one);
            continue;
        }
        const TCharFormat dominant = DominantFormat(runs);
        for (const TStyleRun& run : runs) {
            FormatText(doc, TextRangeOf(TextPosAt(par, run.Start), TextPosAt(par, run.End)),
                       RestyledRun(run, dominant, s), one, operation, 1);
            doc.ChangedRanges->UnionChangedRange(changed, one);
        }
        depth = endDepth;
    }
    if (progress && last == doc.ParagraphCount() - 1)
        DocumentHost().EndProgress(true);
    TChangedRange one;
    FormatParagraphs(doc, whole, p, one, operation);
    doc.ChangedRanges->UnionChangedRange(changed, one);
}

void ChangeStyleList(TDocument& doc, const TTextRange& range, std::unique_ptr<TFormatStyleListInfo> info,
                     TChangedRange& changed, TOperation* operation)
{
    changed = EmptyChangedRange();
    if (!info)
        return;
    const int32_t styleIndex = info->StyleIndex;
    if (info->Styles) {
        auto step = std::make_unique<TFormatStyleListOperation>(&doc, std::move(info));
        ApplyStep(doc, std::move(step), changed, operation);
    }
    if (styleIndex >= 0) {
        TModeFlagScope flags(doc);
        flags.Off(mfViewLive);
        TChangedRange one;
        ApplyStyles(doc, range, styleIndex, one, operation, nullptr, nullptr, true);
        doc.ChangedRanges->UnionChangedRange(changed, one);
    }
    ChangedSelectionFields(changed, doc);
    if (!doc.GetModeFlag(mfStyleListPending))
        doc.SetModeFlag(mfKeepCharFormatState, false);
}

void UpdateStyleFromSelection(TDocument& doc, TChangedRange& changed, TOperation* operation,
                              const std::string& actionName)
{
    changed = EmptyChangedRange();
    TParaFormat paraFormat;
    TCharFormat charFormat;
    if (doc.HasSelection()) {
        TTextRange sel = doc.Selection;
        if (CompareTextPos(sel.EndPos, sel.StartPos) < 0)
            std::swap(sel.StartPos, sel.EndPos);
        TParaFormat state;
        doc.GetParFormatStateOfRange(sel, state, false);
        paraFormat = doc.Paragraphs[size_t(sel.StartPos.ParIndex)]->ParaFormat;
        paraFormat[pfStyle] = state[pfStyle];
        charFormat = doc.CharFormatAtOffset(sel.StartPos.ParIndex, sel.StartPos.Offset + 1);
    } else {
        paraFormat = doc.Paragraphs[size_t(doc.Caret.ParIndex)]->ParaFormat;
        charFormat = doc.GetCharFormatAt(doc.Caret);
    }
    const int32_t index = paraFormat[pfStyle];
    const TStyle* style = IsFieldSet(index) && doc.StyleList ? doc.StyleList->StyleOf(index) : nullptr;
    if (!style) {
        char text[512];
        std::snprintf(
            text, sizeof text,
            "Cette action (\"%s\") ne peut s'appliquer qu'à une sélection de paragraphes relevant du "
            "même style.",
            actionName.c_str());
        ShowInformation(text);
        return;
    }
    // Only what differs from what the style is based on.
    const TStyle* base = doc.StyleList->StyleOf(style->BasedOn);
    if (!base || style->BasedOn == index) {
        RemoveSameCharFormat(charFormat, DefaultCharFormat());
        RemoveSameParaFormat(paraFormat, DefaultParaFormat());
    } else {
        TCharFormat baseChar;
        TParaFormat basePara;
        base->ResolveFormat(baseChar, basePara, 0);
        RemoveSameCharFormat(charFormat, baseChar);
        RemoveSameParaFormat(paraFormat, basePara);
    }
    paraFormat[pfBullets] = UndefinedField;
    paraFormat[pfStyle] = index;
    charFormat[cfHighlight] = UndefinedField;
    charFormat[cfLanguage] = UndefinedField;

    auto info = std::make_unique<TFormatStyleListInfo>();
    info->Styles = std::make_unique<TStyleList>(&doc, doc.StyleList->TabManager);
    info->Styles->Assign(*doc.StyleList);
    TStyle& redefined = *info->Styles->Styles[size_t(index)];
    redefined.CharFormat = charFormat;
    redefined.ParaFormat = paraFormat;
    info->Changed.push_back(index);
    // Styles based on it change with it.
    info->Styles->GetDerivedStyles(index, info->Changed, true);
    ChangeStyleList(doc, doc.Selection, std::move(info), changed, operation);
}
