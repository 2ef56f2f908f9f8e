// Pages of small RTF documents drawn into bitmaps through the system's graphics: where ink falls, which
// colours appear in a region, that justified lines reach the right margin. The pictures are written as
// PNG files beside the test program for looking at.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "classlib/graphics/Bitmap.h"
#include "classlib/runtime/FileStream.h"
#include "core/DCSurface.h"
#include "classlib/graphics/SharedBitmaps_win.h"
#include "document/Document.h"
#include "document/Page.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "codecs/PNG.h"
#include "tests/common/rtf_document.h"
#include "tests/common/test_support.h"

namespace {

// A document read from RTF text and laid out.
std::unique_ptr<TDocument> Load(const std::string& rtf)
{
    auto doc = std::make_unique<TDocument>(true);
    EXPECT_TRUE(qptest::LoadRtfText(*doc, rtf));
    return doc;
}

std::string Rtf(const std::string& body)
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
           "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
           "\\red0\\green255"
           "\\blue0;\\red255\\green0\\blue255;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}"
           "\\paperw11906\\paperh16838\\margl1440\\margr1440\\margt1440\\margb1440 " +
           body + "}";
}

// A page drawn into a 24-bit bitmap section, the update region the whole bitmap.
class TPageBitmap {
public:
    TPageBitmap(TDocument& doc, int32_t page) : Bitmap(24)
    {
        const TPageSetup& ps = doc.PageSetupSectionOfPage(page)->PageSetup;
        Bitmap.SetSize(ps[psDeviceWidth], ps[psDeviceHeight]);
        doc.SetUpdateRegion(TRect{0, 0, Bitmap.Width(), Bitmap.Height()});
        TDCSurface surface(reinterpret_cast<TDCHandle>(Bitmap.DC()));
        surface.FillRect(TRect{0, 0, Bitmap.Width(), Bitmap.Height()}, 0x808080);
        doc.Pages[size_t(page)]->Draw(surface, 0, 0, INT32_MIN);
        GdiFlush();
    }
    // The colour at (x, y) as 0xBBGGRR.
    uint32_t At(int32_t x, int32_t y) const
    {
        const int32_t stride = (Bitmap.Width() * 3 + 3) & ~3;
        const auto* p = static_cast<const uint8_t*>(Bitmap.Bits()) +
                        size_t(Bitmap.Height() - 1 - y) * size_t(stride) + size_t(x) * 3;
        return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
    // Pixels of a rectangle that pass a test.
    int Count(const TRect& r, const std::function<bool(uint32_t)>& test) const
    {
        int n = 0;
        for (int32_t y = std::max(0, r.Top); y < std::min(r.Bottom, Bitmap.Height()); ++y)
            for (int32_t x = std::max(0, r.Left); x < std::min(r.Right, Bitmap.Width()); ++x)
                n += test(At(x, y)) ? 1 : 0;
        return n;
    }
    int Ink(const TRect& r) const
    {
        return Count(r, [](uint32_t c) { return (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16) < 300; });
    }
    // The rightmost column of a band holding ink, -1 when none.
    int32_t RightmostInk(int32_t top, int32_t bottom) const
    {
        for (int32_t x = Bitmap.Width() - 1; x >= 0; --x)
            if (Ink(TRect{x, top, x + 1, bottom}) > 0)
                return x;
        return -1;
    }
    void SavePng(const std::string& name) const
    {
        TPNGImage png;
        TBitmap copy;
        copy.SetPixelFormat(pf24bit);
        copy.SetSize(Bitmap.Width(), Bitmap.Height());
        for (int32_t y = 0; y < Bitmap.Height(); ++y)
            for (int32_t x = 0; x < Bitmap.Width(); ++x) {
                const uint32_t c = At(x, y);
                uint8_t* p = copy.ScanLine(y) + x * 3;
                p[0] = uint8_t(c >> 16), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c);
            }
        png.Assign(copy);
        TFileStream file(qptest::BuildBinPath("pages-" + name + ".png"), fmCreate);
        png.SaveToStream(file);
    }
    TDIBBitmap Bitmap;
};

// The band of a body line on its page: from its top to its bottom at the zoom.
TRect LineBand(TDocument& doc, int32_t par, int32_t line = 0)
{
    const TParLine& l = *doc.Paragraphs[size_t(par)]->Lines[size_t(line)];
    const int32_t top = doc.ApplyZoom(l.Y);
    return TRect{0, top, 10000, top + l.GetDisplayHeight()};
}

int32_t Baseline(TDocument& doc, int32_t par)
{
    const TParLine& l = *doc.Paragraphs[size_t(par)]->Lines[0];
    return doc.ApplyZoom(l.Y + doc.LineSpaceBefore(l) + l.Ascent);
}

TEST(PageBitmaps, UnderlinesFallBelowTheBaselineAndStrikesAcrossTheLetters)
{
    const char* kinds[] = {"\\ul",      "\\uldb",     "\\ulth",   "\\uld",     "\\uldash",
                           "\\uldashd", "\\uldashdd", "\\ulwave", "\\ulhwave", "\\ululdbwave",
                           "\\ulldash", "\\ulw",      "\\ulthd",  "\\ulthdash"};
    auto plainDoc = Load(Rtf("\\fs48 AAAA BBBB\\par"));
    const TPageBitmap plain(*plainDoc, 0);
    const int32_t base = Baseline(*plainDoc, 0);
    const TRect below{0, base + 1, 10000, LineBand(*plainDoc, 0).Bottom};
    EXPECT_EQ(plain.Ink(below), 0);
    for (const char* kind : kinds) {
        auto doc = Load(Rtf(std::string("\\fs48 {") + kind + " AAAA BBBB}\\par"));
        const TPageBitmap page(*doc, 0);
        EXPECT_GT(page.Ink(below), 0) << kind;
        if (std::string(kind) == "\\ulwave")
            page.SavePng("underline-wave");
    }
    // Words only: nothing under the space between the words.
    auto words = Load(Rtf("\\fs48 {\\ulw AAAA    BBBB}\\par"));
    const TPageBitmap w(*words, 0);
    const TParLine& line = *words->Paragraphs[0]->Lines[0];
    const int32_t left = 96 + const_cast<TParLine&>(line).GetZoomedX(5),
                  right = 96 + const_cast<TParLine&>(line).GetZoomedX(7);
    EXPECT_EQ(w.Ink(TRect{left + 1, base + 1, right - 1, LineBand(*words, 0).Bottom}), 0);
    w.SavePng("words-only");
    // A strike adds ink through the middle of the letters.
    auto struck = Load(Rtf("\\fs48 {\\strike AAAA BBBB}\\par"));
    const TPageBitmap s(*struck, 0);
    const TRect middle{0, base - 14, 10000, base - 8};
    EXPECT_GT(s.Ink(middle), plain.Ink(middle));
    s.SavePng("strike");
}

TEST(PageBitmaps, ColoursHighlightAndMarks)
{
    auto doc = Load(Rtf("\\fs40 {\\cf6 Rouge} {\\highlight7 Surligne} Normal\\par Suite\\par"));
    TPageBitmap page(*doc, 0);
    const TRect band = LineBand(*doc, 0);
    EXPECT_GT(page.Count(band, [](uint32_t c) { return c == 0x0000FF; }), 20);  // red text (0xBBGGRR)
    EXPECT_GT(page.Count(band, [](uint32_t c) { return c == 0x00FFFF; }), 200); // yellow highlight
    page.SavePng("colours");
    // Formatting marks: the paragraph mark and the dotted spaces add ink right of the text.
    const int32_t end = page.RightmostInk(band.Top, band.Bottom);
    doc->SetModeFlag(mfShowMarks, true);
    TPageBitmap marks(*doc, 0);
    EXPECT_GT(marks.RightmostInk(band.Top, band.Bottom), end + 5);
    marks.SavePng("marks");
}

TEST(PageBitmaps, JustifiedLinesEndAtTheRightMargin)
{
    const std::string text =
        "Un texte assez long pour remplir plusieurs lignes de la page, avec des mots de "
        "longueurs diverses qui laissent de la place en fin de ligne quand ils ne sont pas "
        "justifies, et davantage encore pour une deuxieme ligne.";
    auto justified = Load(Rtf("\\qj " + text + "\\par"));
    auto left = Load(Rtf("\\ql " + text + "\\par"));
    ASSERT_GE(justified->Paragraphs[0]->LineCount(), 2);
    const TPageBitmap j(*justified, 0), l(*left, 0);
    const TPageSetup& ps = justified->Sections[0]->PageSetup;
    const int32_t margin = ps[psDeviceWidth] - 96; // the right margin: one inch at 96 dpi
    const TRect first = LineBand(*justified, 0, 0);
    EXPECT_GE(j.RightmostInk(first.Top, first.Bottom), margin - 3);
    EXPECT_LE(j.RightmostInk(first.Top, first.Bottom), margin);
    EXPECT_LT(l.RightmostInk(first.Top, first.Bottom), j.RightmostInk(first.Top, first.Bottom));
    j.SavePng("justified");
}

TEST(PageBitmaps, ColumnsWithALineBetweenHeaderAndFooter)
{
    std::string text;
    for (int i = 0; i < 120; ++i)
        text += "Colonne de texte numero " + std::to_string(i) + ".\\par ";
    auto doc = Load(Rtf("{\\header \\pard En-tete du document\\par}{\\footer \\pard Pied de la page\\par}"
                        "\\cols2\\colsx720\\linebetcol " +
                        text));
    ASSERT_FALSE(doc->Pages.empty());
    TPageBitmap page(*doc, 0);
    const TPageSetup& ps = doc->Sections[0]->PageSetup;
    const int32_t mid = 96 + (ps[psDeviceWidth] - 192) / 2;
    // A rule in the gap's middle over the text's height, and ink in both columns.
    const TRect body{0, 96 + 10, 10000, 96 + 60};
    int ruleColumn = -1;
    for (int32_t x = mid - 3; x <= mid + 3; ++x)
        if (page.Ink(TRect{x, body.Top, x + 1, body.Bottom}) == body.Bottom - body.Top)
            ruleColumn = x;
    EXPECT_GE(ruleColumn, 0);
    EXPECT_GT(page.Ink(TRect{96, body.Top, mid - 30, body.Bottom}), 50);
    EXPECT_GT(page.Ink(TRect{mid + 30, body.Top, ps[psDeviceWidth] - 96, body.Bottom}), 50);
    // The header above the top margin, the footer below the bottom margin.
    // (in silver, outside the story being edited)
    const auto silver = [](uint32_t c) { return c != 0xFFFFFF; };
    EXPECT_GT(page.Count(TRect{96, 0, 600, 96}, silver), 50);
    EXPECT_GT(page.Count(TRect{96, ps[psDeviceHeight] - 96, 600, ps[psDeviceHeight]}, silver), 50);
    page.SavePng("columns");

    // A selection across the two columns inverts text in both.
    doc->Selection = TTextRange{{5, 3, 0, 0, 0, 0}, {100, 8, 0, 0, 0, 0}};
    TPageBitmap selected(*doc, 0);
    const auto dark = [](uint32_t c) { return c == 0; };
    const TRect left{96, body.Top, mid - 30, ps[psDeviceHeight] - 96};
    const TRect right{mid + 30, body.Top, ps[psDeviceWidth] - 96, ps[psDeviceHeight] - 96};
    EXPECT_GT(selected.Count(left, dark), 2 * page.Count(left, dark));
    EXPECT_GT(selected.Count(right, dark), 2 * page.Count(right, dark));
    selected.SavePng("selection");
}

TEST(PageBitmaps, TabLeadersAndPicture)
{
    auto doc =
        Load(Rtf("\\tqr\\tldot\\tx6000 Titre\\tab 12\\par"
                 "{\\pict\\pngblip\\picw2\\pich2\\picwgoal1440\\pichgoal720 "
                 "89504e470d0a1a0a0000000d4948445200000002000000020802000000fdd49a730000001049444154789c"
                 "63f8cfc000440c100a001fee03fd8b5f14d40000000049454e44ae426082}\\par"));
    TPageBitmap page(*doc, 0);
    // Dots between the title and the number.
    const TRect band = LineBand(*doc, 0);
    const TParLine& line = *doc->Paragraphs[0]->Lines[0];
    const int32_t from = 96 + const_cast<TParLine&>(line).GetZoomedX(5);
    const int32_t to = 96 + const_cast<TParLine&>(line).GetZoomedX(6);
    EXPECT_GT(page.Ink(TRect{from + 5, band.Top, to - 5, band.Bottom}), 10);
    // The picture: an inch wide, half an inch high, in red.
    const TRect picture = LineBand(*doc, 1);
    EXPECT_GT(page.Count(TRect{96, picture.Top, 96 + 100, picture.Bottom},
                         [](uint32_t c) { return c == 0x0000FF; }),
              1000);
    page.SavePng("leader-picture");
}

TEST(PageBitmaps, FootnoteNumberAndAnOleObjectsPicture)
{
    // A footnote whose number follows "Texte", then an embedded object shown by its red picture.
    auto doc =
        Load(Rtf("Texte{\\super\\chftn{\\footnote \\pard{\\super\\chftn} La note.\\par}} suite.\\par "
                 "{\\object\\objemb\\objw1440\\objh720{\\*\\objclass Paint.Picture}{\\*\\objdata 0102}"
                 "{\\result{\\pict\\pngblip\\picw2\\pich2\\picwgoal1440\\pichgoal720 "
                 "89504e470d0a1a0a0000000d4948445200000002000000020802000000fdd49a730000001049444154789c"
                 "63f8cfc000440c100a001fee03fd8b5f14d40000000049454e44ae426082}}}\\par"));
    ASSERT_FALSE(doc->Pages.empty());
    TPageBitmap page(*doc, 0);
    TParLine& line = *doc->Paragraphs[0]->Lines[0];
    const TRect band = LineBand(*doc, 0);
    // The number's cell, between "Texte" and " suite", holds ink above the baseline's middle.
    const int32_t from = 96 + line.GetZoomedX(5), to = 96 + line.GetZoomedX(6);
    ASSERT_GT(to, from);
    EXPECT_GT(page.Ink(TRect{from, band.Top, to, Baseline(*doc, 0)}), 3);
    const TRect object = LineBand(*doc, 1);
    EXPECT_GT(
        page.Count(TRect{96, object.Top, 96 + 100, object.Bottom}, [](uint32_t c) { return c == 0x0000FF; }),
        1000);
    page.SavePng("footnote-object");

    // A rectangular selection an inch wide over the first line inverts that band only.
    TBlockSelection block;
    block.Active = true;
    block.WholeChars = false;
    block.Page = 0;
    block.Top = line.Y;
    block.Bottom = line.Y + 1;
    block.X2 = 96 * 8;
    doc->BlockSelection = block;
    TPageBitmap blocked(*doc, 0);
    const auto paper = [](uint32_t c) { return c == 0xFFFFFF; };
    const TRect inside{96, band.Top, 96 + 96, band.Bottom}, after{96 + 100, band.Top, 96 + 300, band.Bottom};
    EXPECT_LT(blocked.Count(inside, paper), page.Count(inside, paper) / 4);
    EXPECT_EQ(blocked.Count(after, paper), page.Count(after, paper));
    blocked.SavePng("block-selection");
}

} // namespace

namespace {

TEST(PageBitmaps, DescendersOfLinesLowerThanTheirTextReachTheBandBelow)
{
    // Exactly 10 points for 14-point text: the descenders hang into the next line's band, whose own line
    // holds only the paragraph mark.
    auto doc = Load(Rtf("\\sl-200\\slmult0\\fs28 gjpqy gjpqy gjpqy gjpqy\\line\\par"));
    TParagraph& p = *doc->Paragraphs[0];
    ASSERT_EQ(p.LineCount(), 2);
    ASSERT_EQ(p.Lines[1]->SharedBandLines, 1);
    const TRect below = LineBand(*doc, 0, 1);
    const TPageBitmap page(*doc, 0);
    EXPECT_GT(page.Ink(below), 20);
    page.SavePng("shared-band");
    // Drawn alone, the second line's paper would cut them.
    p.Lines[1]->SharedBandLines = 0;
    const TPageBitmap alone(*doc, 0);
    EXPECT_EQ(alone.Ink(below), 0);
}

} // namespace
