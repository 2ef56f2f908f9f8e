// The calculator at work on the text: the selected expression, or the one found around the caret,
// calculated into the text or onto the clipboard; and a column of numbers summed.
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "classlib/runtime/StringList.h"
#include "core/InterfaceTexts.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "editing/Builders.h"
#include "editing/Evaluator.h"
#include "editing/Operation.h"

namespace {

constexpr uint8_t CalculationKind = 36;

TCalculatorFormat ResultFormat()
{
    const TCalculatorOptions& options = CurrentOptions().Calculator;
    return TCalculatorFormat{options.DigitsBeforePoint, options.DigitsAfterPoint};
}

std::string ResultText(const TExpressionEvaluationResult& r)
{
    return r.TextResult ? r.Text : FormatEvaluationResult(r.Value, ResultFormat());
}

// The plain text of a paragraph without its mark.
std::string ParagraphText(TDocument& doc, int32_t paragraph)
{
    return doc.GetText(TextPosAt(paragraph, 0),
                       std::max(doc.Paragraphs[size_t(paragraph)]->CharacterCount() - 1, 0));
}

// A number in French notation ("1 234 567,89"): the blanks between groups of thousands taken out, so that
// the calculator does not read them as products. Any other text is left as it is.
std::string WithoutThousandsBlanks(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool blank = c == ' ' || c == '\xA0';
        if (blank && i > 0 && std::isdigit(uint8_t(text[i - 1])) && i + 3 < text.size() &&
            std::all_of(text.begin() + long(i) + 1, text.begin() + long(i) + 4,
                        [](char d) { return std::isdigit(uint8_t(d)); }) &&
            (i + 4 == text.size() || !std::isdigit(uint8_t(text[i + 4]))))
            continue;
        out += c;
    }
    return out;
}

} // namespace

bool DetectExpressionAtCaret(TDocument& doc)
{
    const int32_t paragraph = doc.Caret.ParIndex;
    const std::string text = ParagraphText(doc, paragraph);
    const int32_t caret = std::clamp(doc.Caret.Offset, 0, int32_t(text.size()));
    const int32_t length = int32_t(text.size());
    // Up to 32 characters on each side, a short side lending the other what it does not use.
    int32_t before = std::min(32, caret), after = std::min(32, length - caret);
    if (before < 32)
        after = std::min(64 - before, length - caret);
    if (after < 32)
        before = std::min(64 - after, caret);
    int32_t bestStart = -1, bestEnd = -1;
    for (int32_t k = before; k >= 0; --k)
        for (int32_t m = 0; m <= after; ++m) {
            if (k + m == 0)
                continue;
            int32_t start = caret - k, end = caret + m;
            if (!EvaluateExpression(std::string_view(text).substr(size_t(start), size_t(end - start)), true)
                     .Success)
                continue;
            while (start < end && text[size_t(start)] == ' ')
                ++start;
            while (end > start && text[size_t(end - 1)] == ' ')
                --end;
            if (end - start > bestEnd - bestStart) {
                bestStart = start;
                bestEnd = end;
            }
        }
    if (bestStart < 0)
        return false;
    doc.Select(paragraph, bestStart, paragraph, bestEnd, 0);
    doc.MakeCaretVisible(0);
    return true;
}

void CalculateAutodetected(TDocument& doc, TTextRange range, TChangedRange& changed, TOperation* operation,
                           TCalculationResult* result)
{
    changed = EmptyChangedRange();
    SetCaretFieldsTo(changed, doc.Caret);
    if (result)
        *result = {};
    if (CompareTextPos(range.EndPos, range.StartPos) < 0)
        std::swap(range.StartPos, range.EndPos);
    if (CompareTextPos(range.StartPos, range.EndPos) == 0) {
        if (!CurrentOptions().Calculator.Autodetect) {
            char text[512];
            std::snprintf(
                text, sizeof text,
                "Cette action (\"%s\") ne s'applique qu'à une sélection. Sélectionnez le fragment de "
                "texte visé et recommencez.",
                OperationNames[CalculationKind]);
            ShowInformation(text);
        } else if (!DetectExpressionAtCaret(doc)) {
            ShowWarning(
                "Impossible de détecter une expression à calculer.||S'il vous plaît, veuillez sélectionner "
                "l'expression voulue manuellement, et relancer le calcul.");
        }
        return;
    }
    // Only the first paragraph, never its mark.
    const int32_t paragraph = range.StartPos.ParIndex;
    const int32_t markOffset = std::max(doc.Paragraphs[size_t(paragraph)]->CharacterCount() - 1, 0);
    if (range.EndPos.ParIndex != paragraph || range.EndPos.Offset > markOffset)
        MakeTextPos(paragraph, markOffset, range.EndPos);
    const int32_t start = range.StartPos.Offset;
    const std::string text = doc.GetText(range.StartPos, range.EndPos.Offset - start);
    const TExpressionEvaluationResult r = EvaluateExpression(text, false);
    if (!r.Success) {
        // The faulty part becomes the selection.
        const int32_t from = start + std::clamp(r.ErrorPos, 0, int32_t(text.size()));
        const int32_t to = std::min(from + std::max(r.ErrorLength, 0), range.EndPos.Offset);
        doc.Select(paragraph, from, paragraph, to, 0);
        doc.MakeCaretVisible(0);
        return;
    }
    const std::string value = ResultText(r);
    switch (CurrentOptions().Calculator.ResHandling) {
    case 0: DocumentHost().PutTextOnClipboard(value); break;
    case 1:
        doc.ClearSelection();
        MakeTextPos(range.EndPos.ParIndex, range.EndPos.Offset, doc.Caret);
        doc.Selection = TTextRange{doc.Caret, doc.Caret};
        doc.PrepareInsertFormat(doc.Caret, 1);
        InsertTextAtSelection(doc, "=" + value, 0, changed, operation);
        break;
    default:
        doc.PrepareInsertFormat(range.StartPos, 2);
        ReplaceRange(doc, range.StartPos, range.EndPos, changed, operation, 0, value);
        doc.ClearSelection();
        break;
    }
    if (CurrentOptions().Calculator.Beep)
        DocumentHost().CalculationBeep();
    if (result) {
        result->Value = r.Value;
        result->Success = true;
    }
}

bool SumColumn(const std::vector<std::string>& pieces, long double& sum)
{
    sum = 0;
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
        const std::string piece = WithoutThousandsBlanks(*it);
        if (piece.find_first_not_of(" \t\xA0") == std::string::npos)
            continue;
        const TExpressionEvaluationResult r = EvaluateExpression(piece, true);
        if (!r.Success)
            return false;
        sum += r.Value;
    }
    return true;
}

void SumBlock(TDocument&, const std::string& block, TChangedRange& changed)
{
    changed = EmptyChangedRange();
    TStringList lines;
    lines.SetText(block);
    std::vector<std::string> pieces;
    for (int i = 0; i < lines.Count(); ++i)
        pieces.push_back(lines[i]);
    long double sum = 0;
    // A piece that is no expression ends the command without a result and without a message.
    if (!SumColumn(pieces, sum))
        return;
    DocumentHost().PutTextOnClipboard(FormatEvaluationResult(sum, ResultFormat()));
    if (CurrentOptions().Calculator.Beep)
        DocumentHost().CalculationBeep();
}
