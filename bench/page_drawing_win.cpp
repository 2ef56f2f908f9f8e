// Drawing speed: every page of a 100-page document drawn into a bitmap, one screen of the view painted,
// and the repaint of the line that a keystroke changed.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "core/DCSurface.h"
#include "classlib/graphics/SharedBitmaps_win.h"
#include "document/Document.h"
#include "document/Page.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "tests/common/rtf_document.h"

using Clock = std::chrono::steady_clock;

static double Milliseconds(Clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// About a hundred pages of justified paragraphs with a few character formats.
static std::string HundredPages()
{
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
                      "{\\colortbl;\\red0\\green0\\blue255;}";
    for (int i = 0; i < 2500; ++i)
        rtf +=
            "\\pard\\qj Paragraphe " + std::to_string(i) +
            " : un texte {\\b gras}, {\\i italique}, {\\ul souligne} et {\\cf1 en couleur}, assez long pour "
            "occuper deux ou trois lignes de la page et faire travailler le dessin des lignes.\\par ";
    return rtf + "}";
}

int main()
{
    const std::string rtf = HundredPages();
    TDocument doc(true);
    if (!qptest::LoadRtfText(doc, rtf)) {
        std::printf("page drawing: the document did not load\n");
        return 1;
    }
    const int32_t pages = int32_t(doc.Pages.size());
    const TPageSetup& ps = doc.Sections[0]->PageSetup;
    TDIBBitmap bitmap(24);
    bitmap.SetSize(ps[psDeviceWidth], ps[psDeviceHeight]);
    TDCSurface surface(reinterpret_cast<TDCHandle>(bitmap.DC()));
    doc.SetUpdateRegion(TRect{0, 0, bitmap.Width(), bitmap.Height()});

    // Every page once to measure the lines at the zoom, then timed.
    for (int32_t i = 0; i < pages; ++i)
        doc.Pages[size_t(i)]->Draw(surface, 0, 0, INT32_MIN);
    Clock::time_point start = Clock::now();
    for (int32_t i = 0; i < pages; ++i)
        doc.Pages[size_t(i)]->Draw(surface, 0, 0, INT32_MIN);
    GdiFlush();
    const double all = Milliseconds(start);
    std::printf("page drawing: %d pages in %.1f ms, %.2f ms a page\n", pages, all, all / pages);

    // One screen of the view (1280 x 960 around the first page), painted as a window would.
    doc.ViewState.ClientWidth = 1280;
    doc.ViewState.ClientHeight = 960;
    doc.SetModeFlag(mfHidden, false);
    doc.SetModeFlag(mfViewNotReady, false);
    doc.UpdatePageLayout();
    TDIBBitmap screen(24);
    screen.SetSize(1280, 960);
    TDCSurface screenSurface(reinterpret_cast<TDCHandle>(screen.DC()));
    const int rounds = 50;
    doc.SetUpdateRegion(TRect{0, 0, 1280, 960});
    doc.Paint(screenSurface);
    start = Clock::now();
    for (int i = 0; i < rounds; ++i)
        doc.Paint(screenSurface);
    GdiFlush();
    std::printf("screen paint: %.2f ms a screen of 1280 x 960\n", Milliseconds(start) / rounds);

    // A keystroke: the line that holds the caret is painted again, alone.
    TParLine& line = *doc.Paragraphs[3]->Lines[0];
    const TRect lineRect = doc.LineClientRect(line);
    start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        line.MeasuredZoom = INT32_MIN; // its widths measured again, as after an edit
        doc.SetUpdateRegion(lineRect);
        doc.Paint(screenSurface);
    }
    GdiFlush();
    std::printf("keystroke repaint: %.3f ms for one line\n", Milliseconds(start) / rounds);
    return 0;
}
