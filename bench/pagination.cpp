// Pagination speed: a 1,000-page document built in memory, laid out whole and screen by screen.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/Section.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

// A paragraph of Lines lines of 60 characters and 18 pixels, laid out by hand.
void AddParagraph(TDocument& doc, int lines, bool heading)
{
    doc.Paragraphs.push_back(std::make_unique<TParagraph>(&doc));
    ++doc.StoryLengths[stMain];
    TParagraph& p = *doc.Paragraphs.back();
    const int32_t chars = lines * 60;
    std::string text(size_t(chars), 'a');
    uint8_t mark[InlineTagSize];
    SetTag(mark, tcSpecial, scParagraphMark);
    text.append(reinterpret_cast<const char*>(mark), InlineTagSize);
    p.Text.SetSize(int32_t(text.size()));
    std::copy(text.begin(), text.end(), p.Text.Data());
    p.UpdatePlainText();
    p.ParaFormat[pfWidowControl] = 1;
    p.ParaFormat[pfKeepWithNext] = heading ? 1 : 0;
    p.ParaFormat[pfSpaceBefore] = heading ? 240 : 0;
    for (int i = 0; i < lines; ++i) {
        auto line = std::make_unique<TParLine>(&p);
        line->LineIndex = i;
        line->FirstChar = i * 60;
        line->CharCount = i == lines - 1 ? 61 : 60;
        line->Height = heading && i == 0 ? 34 : 18;
        line->Ascent = line->TextAscent = 14;
        line->Descent = 4;
        p.Lines.push_back(std::move(line));
    }
    p.SetLaidOut(true);
}

// About 1,000 A4 pages of 52 lines: headings kept with the paragraph that follows, paragraphs of 3 to
// 11 lines under widow control.
void Build(TDocument& doc)
{
    doc.Paragraphs.clear();
    doc.StoryLengths[stMain] = 0;
    int32_t lines = 0;
    for (int i = 0; lines < 52 * 1000; ++i) {
        const bool heading = i % 12 == 0;
        const int n = heading ? 1 : 3 + (i * 7) % 9;
        AddParagraph(doc, n, heading);
        lines += n;
    }
    doc.SetModeFlag(mfSectionRangesStale, true);
    doc.InvalidatePagination();
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long PeakKilobytes()
{
#ifndef _WIN32
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return -1;
#endif
}

} // namespace

int main()
{
    TDocument doc(true);
    Build(doc);
    std::printf("pagination: %d paragraphs\n", doc.ParagraphCount());

    // The first screen of a freshly loaded document: the pages a window of 1,000 x 800 shows.
    doc.Grid.Compute(zkPercent, doc.LayoutPageCount, doc.PageExtent[4], doc.PageExtent[5], 1000, 800);
    const int32_t lastVisible = doc.Grid.LastVisiblePage(0);
    auto start = std::chrono::steady_clock::now();
    doc.Paginate(0, lastVisible);
    const double firstScreen = Seconds(start);
    std::printf("first screen (%d pages): %.2f ms\n", int(doc.Pages.size()), firstScreen * 1000);

    // The whole document at once, then again a page at a time as the background timer does it.
    start = std::chrono::steady_clock::now();
    doc.Paginate(0, INT32_MAX);
    const double whole = Seconds(start);
    const size_t pages = doc.Pages.size();
    std::printf("whole document: %zu pages in %.1f ms, %.0f pages per second\n", pages, whole * 1000,
                double(pages) / whole);
    doc.ClearPageList();
    doc.SetModeFlag(mfPaginationComplete, false);
    start = std::chrono::steady_clock::now();
    while (!doc.GetModeFlag(mfPaginationComplete)) {
        const int32_t next = int32_t(doc.Pages.size());
        doc.Paginate(next, next);
    }
    const double sliced = Seconds(start);
    std::printf("a page per call: %.0f pages per second\n", double(doc.Pages.size()) / sliced);
    const long peak = PeakKilobytes();
    if (peak >= 0)
        std::printf("peak memory: %.1f MB\n", double(peak) / 1024);
    else
        std::printf("peak memory: not measured on this system\n");
    return 0;
}
