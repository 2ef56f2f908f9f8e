// Typing speed: 10,000 characters typed one operation at a time into the middle of a 1,000-page document,
// each with the re-breaking and pagination it causes, then the whole run undone; the time per keystroke and
// per undo (median and 99th percentile) and the undo memory per typed character.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/BenchText.h"
#include "bench/BenchSupport.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "editing/OperationManager.h"
#include "editing/OperationParams.h"

namespace {

using TClockType = std::chrono::steady_clock;

double Microseconds(TClockType::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

void PrintFigures(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    std::printf("%s: %zu, median %.1f microseconds, 99th percentile %.1f, worst %.1f\n", what, times.size(),
                median, p99, times.back());
}

} // namespace

int main()
{
    TDocument doc(true);
    // This document keeps its undo history like one in a window.
    doc.SetModeFlag(mfHidden, false);
    uint32_t seed = 7;
    FillPages(doc, 1000, seed);
    doc.PaginateAll();
    const int32_t middle = doc.ParagraphCount() / 2;
    std::printf("document: %d paragraphs, %zu pages; typing into paragraph %d (%d characters, page %d)\n",
                doc.ParagraphCount(), doc.Pages.size(), middle,
                doc.Paragraphs[size_t(middle)]->PlainText.Size(),
                doc.Paragraphs[size_t(middle)]->Lines.front()->Page->PageIndex);
    doc.SetCaret(middle, doc.ParagraphLength(middle) / 2, 0, 4);

    // French words and spaces, a paragraph break every 400 characters or so.
    std::string typed;
    while (typed.size() < 10000) {
        seed = seed * 1103515245u + 12345u;
        typed += Words[(seed >> 8) % (sizeof Words / sizeof Words[0])];
        typed += (seed >> 4) % 60 == 0 ? '\r' : ' ';
    }
    typed.resize(10000);
    std::vector<double> keystrokes;
    keystrokes.reserve(typed.size());
    TInsertTextParams params;
    params.Text.resize(1);
    for (char c : typed) {
        params.Text[0] = c;
        const auto start = TClockType::now();
        ExecuteOperation(doc, params);
        keystrokes.push_back(Microseconds(TClockType::now() - start));
    }
    PrintFigures("keystrokes", keystrokes);
    const int64_t memory = doc.UndoList.TotalMemory;
    std::printf("undo memory: %lld bytes for %zu characters, %.1f bytes per character (%d operations)\n",
                static_cast<long long>(memory), typed.size(), double(memory) / double(typed.size()),
                doc.UndoList.Count());

    std::vector<double> undos;
    TOperationManager& manager = *doc.OperationManager;
    const auto all = TClockType::now();
    while (manager.CanUndo()) {
        const auto start = TClockType::now();
        manager.Undo();
        undos.push_back(Microseconds(TClockType::now() - start));
    }
    PrintFigures("undo steps (typing groups undone together)", undos);
    std::printf("undo of the whole run: %.1f ms\n", Microseconds(TClockType::now() - all) / 1000);
    const long peak = PeakKilobytes();
    if (peak >= 0)
        std::printf("peak memory: %.1f MB\n", double(peak) / 1024);
    return 0;
}
