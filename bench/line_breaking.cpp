// Line-breaking and pagination speed: about 1,000 pages of mixed French text built in memory and broken
// into lines whole, one paragraph of 2,000 characters broken again through the reformatting queue after
// a one-character change, the pages laid out whole and a page at a time, and the first screen of a
// freshly loaded document.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/ParReformatingManager.h"
#include "document/Paragraph.h"
#include "document/Section.h"

namespace {

using TClockType = std::chrono::steady_clock;

const char* const Words[] = {
    "le",       "la",      "les",     "des",       "une",         "été",      "très",
    "écrivain", "œuvre",   "déjà",    "château",   "forêt",       "où",       "à",
    "élève",    "fenêtre", "naïf",    "Noël",      "garçon",      "français", "théâtre",
    "après",    "qu'il",   "l'hiver", "d'abord",   "aujourd'hui", "mais",     "donc",
    "parce",    "que",     "lorsque", "cependant", "quelquefois", "rivière",  "campagne",
    "souvenir", "lumière", "matin",   "soir",      "chemin",      "maison",
};

void AppendTag(std::string& text, int code, int32_t value)
{
    uint8_t tag[InlineTagSize];
    SetTag(tag, code, value);
    text.append(reinterpret_cast<const char*>(tag), InlineTagSize);
}

// About Chars characters of words, punctuation, an occasional tab, and changes of weight, slant and
// size, ended by the paragraph mark.
std::string ParagraphText(int32_t chars, uint32_t& seed)
{
    std::string text;
    int32_t count = 0;
    while (count < chars) {
        seed = seed * 1103515245u + 12345u;
        const uint32_t r = seed >> 8;
        const std::string word = Words[r % (sizeof Words / sizeof Words[0])];
        switch (r % 29) {
        case 0: AppendTag(text, cfBold, 1); break;
        case 1: AppendTag(text, cfBold, 0); break;
        case 2: AppendTag(text, cfItalic, 1); break;
        case 3: AppendTag(text, cfItalic, 0); break;
        case 4: AppendTag(text, cfSize, 28); break;
        case 5: AppendTag(text, cfSize, 24); break;
        default: break;
        }
        text += word;
        count += static_cast<int32_t>(word.size());
        if (r % 17 == 0) {
            text += ", ";
            count += 2;
        } else if (r % 23 == 0) {
            AppendTag(text, tcSpecial, scTab);
            ++count;
        } else if (r % 13 == 0) {
            text += ". ";
            count += 2;
        } else {
            text += ' ';
            ++count;
        }
    }
    AppendTag(text, tcSpecial, scParagraphMark);
    return text;
}

void AddParagraph(TDocument& doc, const std::string& text, int alignment)
{
    doc.Paragraphs.push_back(std::make_unique<TParagraph>(&doc));
    TParagraph& p = *doc.Paragraphs.back();
    p.Text.Assign(text.data(), static_cast<int32_t>(text.size()));
    p.UpdatePlainText();
    p.ParaFormat[pfAlignment] = alignment;
    p.ParaFormat[pfSpaceAfter] = 120;
    doc.StoryLengths[stMain] = doc.ParagraphCount();
}

double Seconds(TClockType::duration d)
{
    return std::chrono::duration<double>(d).count();
}

} // namespace

int main()
{
    TDocument doc(true);
    doc.Paragraphs.clear();
    uint32_t seed = 1;
    int64_t chars = 0;
    // An A4 page holds about 3,400 characters of this 12-point text.
    while (chars < 1000 * 3400) {
        seed = seed * 1103515245u + 12345u;
        const int32_t length = 100 + static_cast<int32_t>((seed >> 8) % 1400);
        AddParagraph(doc, ParagraphText(length, seed), static_cast<int>((seed >> 4) % 4));
        chars += doc.Paragraphs.back()->PlainText.Size();
    }
    // The paragraph to type into: 2,000 characters, justified.
    const int32_t edited = doc.ParagraphCount() / 2;
    {
        const std::string text = ParagraphText(2000, seed);
        TParagraph& p = *doc.Paragraphs[static_cast<size_t>(edited)];
        p.Text.Assign(text.data(), static_cast<int32_t>(text.size()));
        p.UpdatePlainText();
        p.ParaFormat[pfAlignment] = 3;
    }
    const int32_t width = doc.Sections.back()->PageSetup[psTextWidth];

    // Everything broken into lines, twice (the first run also makes the fonts).
    double best = 1e9;
    int64_t lines = 0;
    for (int run = 0; run < 2; ++run) {
        lines = 0;
        const auto start = TClockType::now();
        for (int32_t i = 0; i < doc.ParagraphCount(); ++i) {
            TParagraph& p = *doc.Paragraphs[static_cast<size_t>(i)];
            p.LayoutIndex = i;
            p.SetNormalized(false);
            p.UpdateLayout(true, width);
            lines += p.LineCount();
        }
        best = std::min(best, Seconds(TClockType::now() - start));
    }
    doc.PaginateAll();
    std::printf("line breaking: %d paragraphs, %lld characters, %lld lines, %zu pages\n",
                doc.ParagraphCount(), static_cast<long long>(chars), static_cast<long long>(lines),
                doc.Pages.size());
    std::printf("whole document: %.3f s, %.2f million characters per second\n", best, chars / best / 1e6);

    // One character typed into the middle of the 2,000-character paragraph, again and again.
    TParagraph& p = *doc.Paragraphs[static_cast<size_t>(edited)];
    std::printf("edited paragraph: %d characters, %d lines, on page %d\n", p.PlainText.Size(), p.LineCount(),
                p.IsOnPage() ? p.Lines.front()->Page->PageIndex : -1);
    const int rounds = 200;
    double total = 0, worst = 0;
    int inPlace = 0;
    for (int round = 0; round < rounds; ++round) {
        const int32_t at = p.CharToStreamOffset(p.PlainText.Size() / 2);
        const char c = round % 2 ? 'x' : 'i';
        if (round > 0)
            p.Text.Delete(at, 1);
        p.Text.Insert(&c, at, 1);
        p.UpdatePlainText();
        p.SetNormalized(false);
        const auto start = TClockType::now();
        doc.ReformatingManager->AddParagraph(edited);
        doc.ReformatingManager->ReformatPending();
        const double t = Seconds(TClockType::now() - start);
        total += t;
        worst = std::max(worst, t);
        inPlace += p.IsOnPage() ? 1 : 0;
    }
    std::printf(
        "one paragraph again after a one-character change: %.1f microseconds on average, %.1f at worst "
        "(%d of %d in place)\n",
        total / rounds * 1e6, worst * 1e6, inPlace, rounds);

    // Pagination of the whole document, its lines already broken.
    doc.InvalidatePagination();
    auto start = TClockType::now();
    doc.PaginateAll();
    double t = Seconds(TClockType::now() - start);
    std::printf("pagination: %zu pages in %.3f s, %.0f pages per second\n", doc.Pages.size(), t,
                double(doc.Pages.size()) / t);
    // The same a page at a time, as the background timer lays pages out.
    doc.InvalidatePagination();
    start = TClockType::now();
    while (!doc.GetModeFlag(mfPaginationComplete)) {
        const int32_t next = static_cast<int32_t>(doc.Pages.size());
        doc.Paginate(next, next);
    }
    t = Seconds(TClockType::now() - start);
    std::printf("pagination a page per call: %.0f pages per second\n", double(doc.Pages.size()) / t);
    // A freshly loaded document has no lines: the first screen of a 1,000 x 800 window breaks and
    // places what it shows.
    doc.DiscardLayout();
    doc.InvalidatePagination();
    doc.ViewState.Grid.Compute(zkPercent, doc.LayoutPageCount, doc.ViewState.PageExtent[4],
                               doc.ViewState.PageExtent[5], 1000, 800);
    start = TClockType::now();
    doc.Paginate(0, doc.ViewState.Grid.LastVisiblePage(0));
    t = Seconds(TClockType::now() - start);
    std::printf("first screen of a fresh document: %zu pages in %.2f ms\n", doc.Pages.size(), t * 1e3);
    const long peak = PeakKilobytes();
    if (peak >= 0)
        std::printf("peak memory: %.1f MB\n", double(peak) / 1024);
    else
        std::printf("peak memory: not measured on this system\n");
    return 0;
}
