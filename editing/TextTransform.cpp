// Transforming the characters of a range in place: retyping them in another keyboard layout, and the
// changes of case (upper, lower, inverted, sentence capitals, word capitals).
#include <algorithm>
#include <cstdio>

#include "core/CharsetLanguages.h"
#include "core/Fonts.h"
#include "core/InterfaceTexts.h"
#include "core/KeyboardLayouts.h"
#include "core/Messages.h"
#include "core/CharClasses.h"
#include "core/TextUtils.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/ParagraphExchange.h"
#include "editing/SubOperation.h"

namespace {

std::string ActionMessage(const char* format, uint8_t kind)
{
    char text[512];
    std::snprintf(text, sizeof text, format, OperationNames[kind]);
    return text;
}

uint8_t Upper(int32_t language, uint8_t c)
{
    char in = char(c), out = in;
    UpperCaseBufLocale(language, &in, &out, 1);
    return uint8_t(out);
}

uint8_t Lower(int32_t language, uint8_t c)
{
    char in = char(c), out = in;
    LowerCaseBufLocale(language, &in, &out, 1);
    return uint8_t(out);
}

bool IsSeparator(uint8_t c)
{
    return c < 32 || IsCharClass(c, ccSeparator) || IsCharClass(c, ccQuote);
}

bool IsLetterOrDigit(int32_t language, uint8_t c)
{
    return c >= 32 && IsAlphaNumChar(language, char(c));
}

// No character of Plain[From, To) changes under the upper-case mapping.
bool WhollyCapitals(int32_t language, const uint8_t* plain, int32_t from, int32_t to)
{
    for (int32_t k = from; k < to; ++k)
        if (plain[k] >= 32 && Upper(language, plain[k]) != plain[k])
            return false;
    return true;
}

// The new characters of positions From to To of a paragraph for modes 4 and 5 (sentence and word
// capitals), worked out on its plain text with the sentence and word ranges of the document.
void CapitalizeRun(TDocument& doc, int mode, int32_t par, int32_t from, int32_t to, std::vector<uint8_t>& out)
{
    const TMemory& plainMemory = doc.Paragraphs[size_t(par)]->PlainText;
    const uint8_t* plain = plainMemory.Data();
    out.assign(plain, plain + plainMemory.Size());
    int32_t sentenceEnd = -1, sentenceFirst = -1, wordEnd = -1, wordStart = -1;
    bool sentenceCaps = false, wordCaps = false, firstLetterDone = false, wordFirstDone = false;
    int32_t sentenceLanguage = DefaultLanguage;
    for (int32_t k = from; k < to; ++k) {
        if (k >= sentenceEnd) {
            // A new sentence, cut to the range; a range that starts inside a sentence starts one.
            const TTextRange s = doc.GetSentenceRange(TextPosAt(par, k));
            int32_t start = std::max(from, s.StartPos.ParIndex == par ? s.StartPos.Offset : 0);
            int32_t end = s.EndPos.ParIndex == par ? s.EndPos.Offset : plainMemory.Size() - 1;
            if (end <= k)
                end = std::min(to, plainMemory.Size() - 1);
            end = std::min(end, to);
            start = std::min(start, k);
            sentenceEnd = std::max(end, k + 1);
            sentenceFirst = start;
            while (sentenceFirst < sentenceEnd && IsSeparator(plain[sentenceFirst]))
                ++sentenceFirst;
            sentenceLanguage = doc.GetLanguageAt(par, sentenceFirst);
            sentenceCaps = WhollyCapitals(sentenceLanguage, plain, sentenceFirst, sentenceEnd);
            firstLetterDone = false;
        }
        if (k >= wordEnd) {
            const TTextPiece w = doc.GetWordAt(TextPosAt(par, k));
            if (w.Pos.ParIndex == par && w.Length > 0 && w.Pos.Offset <= k && k < w.Pos.Offset + w.Length) {
                wordStart = w.Pos.Offset;
                wordEnd = w.Pos.Offset + w.Length;
            } else {
                wordStart = k;
                wordEnd = k + 1;
            }
            const int32_t language = doc.GetLanguageAt(par, wordStart);
            wordCaps = WhollyCapitals(language, plain, std::max(wordStart, from), std::min(wordEnd, to));
            wordFirstDone = false;
        }
        const uint8_t c = plain[k];
        if (c < 32)
            continue;
        const int32_t language = doc.GetLanguageAt(par, k);
        const bool letter = IsLetterOrDigit(language, c);
        if (mode == 4) {
            if (k < sentenceFirst)
                continue;
            if (!firstLetterDone) {
                if (letter) {
                    out[size_t(k)] = Upper(language, c);
                    firstLetterDone = true;
                }
                continue;
            }
            if (sentenceCaps)
                out[size_t(k)] = Lower(language, c);
            else if (k == wordStart || wordCaps)
                continue;
            else
                out[size_t(k)] = Lower(language, c);
        } else {
            if (wordCaps && !sentenceCaps)
                continue;
            if (!wordFirstDone) {
                if (letter) {
                    out[size_t(k)] = Upper(language, c);
                    wordFirstDone = true;
                }
                continue;
            }
            out[size_t(k)] = Lower(language, c);
        }
    }
}

} // namespace

void ChangeCharacterSet(TDocument& doc, const TTextRange& given, int32_t language, TChangedRange& range,
                        TOperation* operation)
{
    range = EmptyChangedRange();
    TTextRange r = given;
    if (CompareTextPos(r.EndPos, r.StartPos) < 0)
        std::swap(r.StartPos, r.EndPos);
    const int32_t count = doc.ParagraphCount();
    r.StartPos.ParIndex = std::clamp(r.StartPos.ParIndex, 0, count - 1);
    r.EndPos.ParIndex = std::clamp(r.EndPos.ParIndex, r.StartPos.ParIndex, count - 1);
    const int32_t charset = CharsetOfLanguage(language);
    // Each run of one font takes the font's variant for the language's script.
    TChangedRange one;
    for (const TFieldRun& run : CharFormatFieldRuns(doc, r, cfFont)) {
        const int32_t variant = run.Value >= 0 ? GetFontManager().GetFontForCharset(run.Value, charset) : -1;
        if (variant < 0 || variant == run.Value)
            continue;
        TCharFormat format = UnsetCharFormat();
        format[cfFont] = variant;
        FormatText(doc, TextRangeOf(run.Start, run.End), format, one, operation, 1);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    TCharFormat format = UnsetCharFormat();
    format[cfLanguage] = language;
    FormatText(doc, r, format, one, operation, 1);
    doc.ChangedRanges->UnionChangedRange(range, one);
}

void TransformText(TDocument& doc, uint8_t mode, const TTextRange& given, int32_t parameter, uint8_t flags,
                   TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    const uint8_t kind = uint8_t(29 + std::min<uint8_t>(mode, 6));
    if (operation)
        operation->Kind = kind;
    TTextRange r = given;
    if (CompareTextPos(r.EndPos, r.StartPos) < 0)
        std::swap(r.StartPos, r.EndPos);
    if (CompareTextPos(r.StartPos, r.EndPos) == 0) {
        ShowInformation(
            ActionMessage("Cette action (\"%s\") ne s'applique qu'à une sélection. Sélectionnez le "
                          "fragment de texte visé et recommencez.",
                          kind));
        return;
    }
    int32_t sourceLayout = 0, targetLayout = 0;
    if (mode == 0) {
        TLayoutManager& layouts = LayoutManager();
        layouts.UpdateCurrentLayout();
        const int32_t count = int32_t(layouts.Layouts.size());
        if (count < 2) {
            ShowWarning(
                ActionMessage("Cette action (\"%s\") n'est possible que si au moins deux configurations "
                              "clavier sont installées.",
                              kind));
            return;
        }
        const int ask = parameter & 0xFF;
        if (ask == 2) {
            sourceLayout = std::clamp((parameter >> 8) & 0xFF, 0, count - 1);
            targetLayout = std::clamp((parameter >> 16) & 0xFF, 0, count - 1);
        } else {
            sourceLayout = layouts.Current;
            if (ask != 0) {
                const int32_t language = doc.GetLanguageAt(r.StartPos.ParIndex, r.StartPos.Offset);
                if (language != UndefinedField && language != DefaultLanguage)
                    sourceLayout = layouts.IndexOfLanguage(language);
            }
            targetLayout = sourceLayout == 0 ? count - 1 : sourceLayout - 1;
            if (ask == 1)
                return; // the layout dialog belongs to the writing tools' conversion dialog
        }
    } else if (mode > 5) {
        // Without a language the writing tools' language dialog asks for one first.
        if ((parameter & 0xFFFF) != 0)
            ChangeCharacterSet(doc, r, parameter & 0xFFFF, range, operation);
        return;
    }
    // The range: an end after the document's last mark steps back before it; an end just after a
    // paragraph mark becomes the start of the next paragraph.
    const int32_t count = doc.ParagraphCount();
    if (r.EndPos.ParIndex >= count)
        r.EndPos = TextPosAt(count - 1, doc.ParagraphLength(count - 1));
    if (r.EndPos.Offset >= doc.ParagraphLength(r.EndPos.ParIndex)) {
        if (r.EndPos.ParIndex == count - 1)
            r.EndPos.Offset = doc.ParagraphLength(count - 1) - 1;
        else
            r.EndPos = TextPosAt(r.EndPos.ParIndex + 1, 0);
    }
    const int32_t first = r.StartPos.ParIndex;
    int32_t last = r.EndPos.ParIndex;
    if (last > first && r.EndPos.Offset == 0)
        --last;

    std::vector<std::unique_ptr<TParagraph>> made;
    bool changed = false;
    for (int32_t i = first; i <= last; ++i) {
        TParagraph& p = *doc.Paragraphs[size_t(i)];
        if (!p.GetNormalized())
            p.NormalizeTags();
        const int32_t from = i == first ? r.StartPos.Offset : 0;
        const int32_t to = i == r.EndPos.ParIndex ? r.EndPos.Offset : std::max(p.PlainText.Size() - 1, 0);
        std::vector<uint8_t> capitals;
        if (mode == 4 || mode == 5)
            CapitalizeRun(doc, mode, i, from, to, capitals);
        auto q = std::make_unique<TParagraph>(&doc);
        q->ParaFormat = p.ParaFormat;
        const uint8_t* s = p.Text.Data();
        const int32_t size = p.Text.Size();
        int32_t position = 0;
        int32_t language = DefaultCharFormat()[cfLanguage];
        for (int32_t at = 0; at < size;) {
            if (s[at] == 0) {
                if (size - at < InlineTagSize)
                    break;
                const int code = TagCode(s + at);
                if (code == cfLanguage)
                    language = TagValue(s + at);
                if (IsRunEndingTag(code))
                    ++position;
                q->Text.Append(s + at, InlineTagSize);
                at += InlineTagSize;
                continue;
            }
            uint8_t c = s[at];
            if (position >= from && position < to) {
                const int32_t lang = language == UndefinedField ? DefaultLanguage : language;
                switch (mode) {
                case 0: c = LayoutManager().TranslateChar(c, sourceLayout, targetLayout); break;
                case 1: c = Upper(lang, c); break;
                case 2: c = Lower(lang, c); break;
                case 3: c = Lower(lang, c) == c ? Upper(lang, c) : Lower(lang, c); break;
                default: c = capitals.empty() ? c : capitals[size_t(position)]; break;
                }
                if (c < 32)
                    c = ' ';
            }
            changed = changed || c != s[at];
            q->Text.AppendByte(c);
            ++position;
            ++at;
        }
        q->UpdatePlainText();
        q->SetNormalized(true);
        made.push_back(std::move(q));
    }
    if (changed) {
        ApplyStep(doc,
                  std::make_unique<TReplaceParagraphsOperation>(&doc, first, last - first + 1,
                                                                doc.StoryOfParagraph(first), std::move(made)),
                  range, operation);
    }
    if (mode == 0) {
        // The text takes the target layout's language, and that layout becomes the active one.
        TCharFormat format = UnsetCharFormat();
        format[cfLanguage] = LayoutManager().Layouts[size_t(targetLayout)].LanguageId();
        TChangedRange one;
        FormatText(doc, r, format, one, operation, 1);
        doc.ChangedRanges->UnionChangedRange(range, one);
        LayoutManager().ActivateLayout(targetLayout);
    }
    if (flags & ioSelectInserted) {
        range[crSelStartPar] = r.StartPos.ParIndex;
        range[crSelStartOffset] = r.StartPos.Offset;
        range[crSelEndPar] = r.EndPos.ParIndex;
        range[crSelEndOffset] = r.EndPos.Offset;
    }
    range[crCaretPar] = r.EndPos.ParIndex;
    range[crCaretOffset] = r.EndPos.Offset;
    range[crCaretLine] = UndefinedField;
}
