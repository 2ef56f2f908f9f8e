// Random edits, undo and redo interleaved with what the window does between them (painting, scrolling,
// zooming, background pagination, the reformatting queue, repainting a selection): nothing reads a page
// or line that is gone, and every placed line and its page point at each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "document/Document.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/ParReformatingManager.h"
#include "editing/OperationManager.h"
#include "tests/document/recording_view.h"
#include "tests/document/ticking_clock.h"
#include "tests/editing/random_editor.h"

using namespace qptest;

namespace {

// Several pages: two sections (the second in two columns with a rule), a header and footer, a footnote,
// page and column breaks, a field and a bookmark.
std::string LongDocument()
{
    std::string rtf = "{\\rtf1 {\\header head\\par}{\\footer foot\\par}";
    for (int i = 0; i < 40; ++i) {
        rtf += "Paragraph " + std::to_string(i) +
               " with words enough to wrap over more than one line of the "
               "page when the columns are narrow";
        if (i == 5)
            rtf += "{\\super\\chftn}{\\footnote {\\super\\chftn} the note\\par}";
        if (i == 9)
            rtf += "{\\field{\\*\\fldinst HYPERLINK \"http://example.org\"}{\\fldrslt a link}}";
        if (i == 12)
            rtf += "{\\*\\bkmkstart mark}marked{\\*\\bkmkend mark}";
        rtf += i == 14   ? "\\page "
               : i == 20 ? "\\sect\\sbknone\\cols2\\linebetcol "
               : i == 30 ? "\\column "
                         : "\\par ";
    }
    return rtf + "end\\par}";
}

class EditPaintProperty : public ViewHostTest {};

// Every line a page lists is placed on that page, and every placed line of a paragraph is listed by
// its page.
void ExpectPagesAndLinesAgree(TDocument& doc, const std::string& where)
{
    for (const auto& page : doc.Pages) {
        // Pages hold paragraphs of the document only.
        for (const auto& placement : page->Placements)
            ASSERT_TRUE(std::any_of(doc.Paragraphs.begin(), doc.Paragraphs.end(),
                                    [&](const auto& p) { return p.get() == placement->Paragraph; }))
                << where << " page " << page->PageIndex;
        for (const TParLine* line : page->Lines)
            ASSERT_EQ(line->Page, page.get()) << where;
    }
    for (const auto& p : doc.Paragraphs)
        for (const auto& line : p->Lines)
            if (line->Page) {
                bool found = false;
                for (const auto& page : doc.Pages)
                    if (page.get() == line->Page)
                        found = std::find(page->Lines.begin(), page->Lines.end(), line.get()) !=
                                page->Lines.end();
                ASSERT_TRUE(found) << where;
            }
}

} // namespace

TEST_F(EditPaintProperty, EditsAndPaintsKeepPagesAndLinesConsistent)
{
    const std::string rtf = LongDocument();
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        TEditDoc d(rtf);
        TDocument& doc = *d.Doc;
        doc.Window = reinterpret_cast<TDocumentForm*>(&WindowToken);
        doc.SetModeFlag(mfViewNotReady, false);
        doc.SetModeFlag(mfHasWindow, true);
        doc.ViewState.ScreenDpi = 96;
        doc.ViewState.ClientWidth = 700;
        doc.ViewState.ClientHeight = 500;
        doc.UpdatePageLayout();
        TRandomEditor editor(d, seed);
        TTickingClock clock(5);
        for (int step = 0; step < 150; ++step) {
            const int32_t action = editor.Pick(11);
            const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step) +
                                      " action " + std::to_string(action);
            switch (action) {
            case 0:
            case 1:
            case 2: editor.Edit(); break;
            case 3: d.Undo(); break;
            case 4: d.Redo(); break;
            case 5: doc.ReformatingManager->ReformatPending(); break;
            case 6: doc.PaginateSlice(clock); break;
            case 7: doc.SetScrollPos(TPoint{0, editor.Pick(6000)}); break;
            case 8: {
                static const int32_t zooms[] = {50, 100, 150, 75};
                doc.SetZoom(zooms[editor.Pick(4)]);
                doc.UpdatePageLayout();
                break;
            }
            case 9: {
                const TTextPos a = editor.AnyPosition(), b = editor.AnyPosition();
                doc.Select(a.ParIndex, a.Offset, b.ParIndex, b.Offset, 0);
                break;
            }
            default: break;
            }
            ExpectPagesAndLinesAgree(doc, where);
            // The window paints after every message.
            TRecordingSurface surface;
            doc.SetUpdateRegion(TRect{0, 0, 700, 500});
            doc.Paint(surface);
            ExpectPagesAndLinesAgree(doc, where + " painted");
            if (HasFatalFailure())
                return;
        }
    }
}
