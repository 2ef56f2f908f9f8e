// The statistics of a document, a selection or a header or footer, and the message that shows them.
#include "document/Statistics.h"

#include <algorithm>

#include "classlib/runtime/DateTime.h"
#include "classlib/runtime/Format.h"
#include "core/CharClasses.h"
#include "core/Codings.h"
#include "core/Messages.h"
#include "core/TextUtils.h"
#include "document/Document.h"
#include "document/DocumentHost.h"

namespace {

constexpr uint8_t PictureChar = 8;

// A date of the document's information as the message shows it; empty for no date.
std::string DateText(double date)
{
    if (date == 0)
        return {};
    int year, month, day, hour, minute, second, ms;
    DecodeDate(date, year, month, day);
    DecodeTime(date, hour, minute, second, ms);
    return Format("%02d/%02d/%04d %02d:%02d", day, month, year, hour, minute);
}

} // namespace

void StatisticsCountPiece(TDocument& document, int32_t paragraph, int32_t from, int32_t to,
                          TDocStatistics& stats)
{
    DocumentHost().StepProgress(paragraph);
    const TParagraph& par = *document.Paragraphs[size_t(paragraph)];
    const uint8_t* text = par.PlainText.Data();
    to = std::min(to, par.PlainText.Size());
    from = std::clamp(from, 0, to);
    const bool full = !document.GetModeFlag(mfStatisticsCharsOnly);
    if (full) {
        if (par.PlainText.Size() > 1)
            ++stats.Paragraphs;
        const int32_t endLine = par.LineAtOffset(to, 0, 0);
        const int32_t startLine = par.LineAtOffset(from, 2147483647, 0);
        stats.Lines += std::max(endLine - startLine + 1, 1);
    }
    bool inWord = false;
    for (int32_t i = from; i < to; ++i) {
        const uint8_t c = text[i];
        if (IsCharClass(c, ccSeparator)) {
            if (inWord)
                ++stats.Words;
            inWord = false;
        } else {
            inWord = true;
        }
        if ((c >= 10 && c <= 13) || c >= 32) {
            ++stats.CharsWithSpaces;
            if (c != ' ' && c != 10)
                ++stats.CharsWithoutSpaces;
        }
        if (c == PictureChar)
            ++stats.Pictures;
    }
    if (full)
        StatisticsCountSentences(document, paragraph, from, to, stats);
}

void StatisticsCountSentences(TDocument& document, int32_t paragraph, int32_t from, int32_t to,
                              TDocStatistics& stats)
{
    TTextPos pos{paragraph, from, 0, 0, 0, 0};
    int32_t lastStart = -1;
    // Each step moves forward; the count of steps is bounded by the piece's length as a safeguard.
    for (int32_t steps = 0; steps <= to - from; ++steps) {
        const TTextRange sentence = document.GetSentenceRange(pos);
        const TTextPos& s = sentence.StartPos;
        const TTextPos& e = sentence.EndPos;
        if ((s.ParIndex == e.ParIndex && s.Offset == e.Offset) || s.ParIndex > paragraph ||
            (s.ParIndex == paragraph && s.Offset >= to))
            break;
        // From the paragraph's last word the next word lies in the same sentence: it is counted once.
        if (s.ParIndex == paragraph && s.Offset <= lastStart)
            break;
        lastStart = s.ParIndex == paragraph ? s.Offset : lastStart;
        if (!document.GetRangeText(sentence).empty())
            ++stats.Sentences;
        const TTextPos next = document.NextWordPos(e);
        if (next.ParIndex < pos.ParIndex || (next.ParIndex == pos.ParIndex && next.Offset <= pos.Offset))
            break;
        pos = next;
    }
}

std::string FormatStatisticsMessage(const TDocStatistics& stats, const std::string& codingName,
                                    double creationDate, double lastSaveDate, const std::string& lastAuthor,
                                    double printDate)
{
    auto n = [](int32_t v) { return FormatNumberSpaced(v); };
    std::string text =
        Format("Pages : %s||Mots : %s||Phrases : %s||Car. (espaces non comprises) : %s||Car. (espaces "
               "comprises) : %s||Paragraphes : %s||Lignes : %s||Images : %s||||Informations globales :      "
               "               ||||Taille du fichier : %s||Format du fichier : %s",
               n(stats.Pages), n(stats.Words), n(stats.Sentences), n(stats.CharsWithoutSpaces),
               n(stats.CharsWithSpaces), n(stats.Paragraphs), n(stats.Lines), n(stats.Pictures),
               Format("%s octets", n(stats.FileSize)), codingName);
    std::string dates;
    if (creationDate != 0)
        dates += "||Créé le : " + DateText(creationDate);
    if (lastSaveDate != 0 && lastSaveDate != creationDate) {
        dates += "||Dernier enreg. : " + DateText(lastSaveDate);
        if (!lastAuthor.empty())
            dates += "||Auteur du dernier enreg. : " + lastAuthor;
    }
    if (printDate != 0)
        dates += "||Dernière impression : " + DateText(printDate);
    if (!dates.empty())
        text += "||" + dates;
    return text;
}

void TDocument::ComputeStatistics(TDocStatistics& stats)
{
    stats = {};
    const bool selection = HasSelection();
    TTextRange range = selection ? Selection : GetStoryRange();
    if (range.EndPos.ParIndex < range.StartPos.ParIndex ||
        (range.EndPos.ParIndex == range.StartPos.ParIndex && range.EndPos.Offset < range.StartPos.Offset))
        std::swap(range.StartPos, range.EndPos);
    DocumentHost().BeginProgress(ParagraphCount(), "Création des statistiques...", "");
    try {
        if (!selection) {
            stats.Pages = EditedHeaderFooter ? 1 : int32_t(Pages.size());
            // The story's range ends one past its last end mark.
            const int32_t last =
                std::min(range.EndPos.Offset > 0 ? range.EndPos.ParIndex : range.EndPos.ParIndex - 1,
                         ParagraphCount() - 1);
            for (int32_t p = range.StartPos.ParIndex; p <= last; ++p)
                StatisticsCountPiece(*this, p, 0, Paragraphs[size_t(p)]->PlainText.Size(), stats);
        } else {
            LocateTextPos(range.StartPos);
            LocateTextPos(range.EndPos);
            stats.Pages = range.EndPos.PageIndex - range.StartPos.PageIndex + 1;
            const int32_t first = range.StartPos.ParIndex, last = range.EndPos.ParIndex;
            if (first == last) {
                StatisticsCountPiece(*this, first, range.StartPos.Offset, range.EndPos.Offset, stats);
            } else {
                StatisticsCountPiece(*this, first, range.StartPos.Offset,
                                     Paragraphs[size_t(first)]->PlainText.Size(), stats);
                for (int32_t p = first + 1; p < last; ++p)
                    StatisticsCountPiece(*this, p, 0, Paragraphs[size_t(p)]->PlainText.Size(), stats);
                // A selection that ends at the start of a paragraph holds nothing of it.
                if (last < ParagraphCount() && range.EndPos.Offset > 0)
                    StatisticsCountPiece(*this, last, 0, range.EndPos.Offset, stats);
            }
        }
    } catch (...) {
        DocumentHost().EndProgress(false);
        throw;
    }
    DocumentHost().EndProgress(true);
    stats.FileSize = int32_t(std::min<int64_t>(Info.FileSize, INT32_MAX));
    stats.Coding = Coding;
}

void TDocument::ShowStatistics()
{
    TDocStatistics stats;
    ComputeStatistics(stats);
    const std::string caption = HasSelection()       ? "Statistiques sur la sélection"
                                : EditedHeaderFooter ? "Statistiques sur l'en-tête/pied de page"
                                                     : "Statistiques sur le document";
    // The coding's name once the format list exists.
    const std::string coding =
        CodingManager ? std::string(TCodingManager::GetCodingIdentifier(stats.Coding)) : std::string();
    // The message routines show no caption of their own: it heads the text.
    MessageDlgEx(caption + "||||" +
                     FormatStatisticsMessage(stats, coding, Info.CreationDate, Info.LastSaveDate,
                                             Info.LastAuthor, Info.LastPrintDate),
                 2, 1 << 2);
}
