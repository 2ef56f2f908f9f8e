// Typing in the real document window: on a document of about 1,000 pages, the time from a character
// message to the end of the repaint it causes, over 1,000 characters typed in the middle of the document;
// median and 99th percentile.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/BenchText.h"
#include "classlib/windowing/Forms.h"
#include "core/Messages.h"
#include "document/Page.h"
#include "shell/DocDisp.h"
#include "window/DocForm.h"

using Clock = std::chrono::steady_clock;

int main()
{
    SilentMessages = true;
    TDocDispatcher dispatcher;
    TDocument* doc = dispatcher.AddDocument(std::make_unique<TDocument>(false));
    uint32_t seed = 20261211;
    FillPages(*doc, 1000, seed);
    doc->Relayout();
    TDocumentForm* window = doc->Window;
    window->SetClientSize(1000, 750);
    window->Show();
    SetForegroundWindow(window->Handle());
    window->SetFocus();
    Application->ProcessMessages();
    const int32_t pages = int32_t(doc->Pages.size());

    // The caret in the middle of the document, in view.
    const int32_t middle = doc->ParagraphCount() / 2;
    doc->SetCaret(middle, 10, 0, 4);
    doc->MakeCaretVisible(1);
    Application->ProcessMessages();
    UpdateWindow(window->Handle());

    const char* const text = "Les élèves écrivent à la fenêtre du château, où il fait déjà nuit. ";
    const size_t length = std::char_traits<char>::length(text);
    std::vector<double> times;
    for (int i = 0; i < 1000; ++i) {
        const auto start = Clock::now();
        SendMessageA(window->Handle(), WM_CHAR, WPARAM(uint8_t(text[size_t(i) % length])), 1);
        UpdateWindow(window->Handle());
        GdiFlush();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        // What the message loop would do between two keys (timers, deferred work).
        Application->ProcessMessages();
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "typing in the window: %d pages, %zu characters, character to end of repaint: median %.2f ms, "
        "99th percentile %.2f ms, worst %.2f ms\n",
        pages, times.size(), times[times.size() / 2], times[times.size() * 99 / 100], times.back());
    return 0;
}
