// Note numbering during pagination: references numbered across pages, restarts per page and per
// section, numbering formats, and numbers that move when text is inserted before them.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/FontDevice.h"
#include "core/Fonts.h"
#include "document/FieldCodes.h"
#include "document/Page.h"
#include "document/Field.h"
#include "layout_support.h"
#include "paged_document.h"
#include "tagged_text.h"

using qptest::TPagedDocument;

namespace {

// Documents whose paragraphs are broken by the fixed font device, each holding note references.
class NoteNumbering : public qptest::FixedDeviceTest {
protected:
    // A note's text in story 1 (a footnote) or 2 (an endnote) and its automatic reference.
    TField& NewNote(bool endnote)
    {
        auto text = std::make_unique<TField>();
        text->Kind = fkNoteText;
        text->IsEndnote = endnote;
        auto reference = std::make_unique<TField>();
        reference->Kind = fkNoteReference;
        reference->AutoNumbered = 1;
        reference->Owner = text.get();
        text->Reference = reference.get();
        TField& r = *reference;
        // The note's text goes after the main text, in its story.
        auto p = std::make_unique<TParagraph>(&D.Doc);
        const std::string h = std::to_string(text->Handle);
        qptest::SetTaggedText(*p, "{26:" + h + "}note{22:2}{27:" + h + "}");
        const int32_t at = D.Doc.StoryStart(stFootnotes) + D.Doc.StoryLengths[stFootnotes] +
                           (endnote ? D.Doc.StoryLengths[stEndnotes] : 0);
        D.Doc.Paragraphs.insert(D.Doc.Paragraphs.begin() + at, std::move(p));
        ++D.Doc.StoryLengths[endnote ? stEndnotes : stFootnotes];
        D.Doc.Fields.push_back(std::move(text));
        D.Doc.Fields.push_back(std::move(reference));
        D.Doc.SetModeFlag(mfFieldsDirty, true);
        return r;
    }

    // A main-text paragraph of one line holding the references written as "f" (footnote) and "e"
    // (endnote) in Refs, inserted at paragraph At (-1: at the end of the main text).
    TParagraph& RefPar(const std::string& refs, int32_t at = -1)
    {
        std::string notation = "x";
        for (char c : refs) {
            TField& r = NewNote(c == 'e');
            notation += "{26:" + std::to_string(r.Handle) + "}{22:15}{27:" + std::to_string(r.Handle) + "}";
            Refs.push_back(&r);
        }
        auto p = std::make_unique<TParagraph>(&D.Doc);
        qptest::SetTaggedText(*p, notation + "{22:2}");
        if (at < 0)
            at = D.Doc.StoryLengths[stMain];
        TParagraph& paragraph = *p;
        D.Doc.Paragraphs.insert(D.Doc.Paragraphs.begin() + at, std::move(p));
        ++D.Doc.StoryLengths[stMain];
        D.Doc.SetModeFlag(mfFieldsDirty, true);
        Notations[&paragraph] = notation;
        return paragraph;
    }

    // Ends a section with the last paragraph added (break kind 0 continuous, 1 new page).
    void EndSection(int breakKind)
    {
        TParagraph& p = *D.Doc.Paragraphs[size_t(D.Doc.StoryEnd(stMain))];
        auto section = std::make_unique<TSection>(&D.Doc);
        section->SetDefaults();
        section->Params[spBreakKind] = breakKind;
        qptest::SetTaggedText(p, Notations[&p] + "{23:" + std::to_string(section->Handle) + "}");
        D.Doc.Sections.insert(D.Doc.Sections.end() - 1, std::move(section));
        D.Doc.SetModeFlag(mfSectionRangesStale, true);
    }

    // The results of the references in document order, separated by blanks; "/" between pages.
    std::string Numbers()
    {
        std::string out;
        int32_t page = -1;
        for (int32_t i = 0; i <= D.Doc.StoryEnd(stMain); ++i) {
            const TParagraph& p = *D.Doc.Paragraphs[i];
            if (p.Lines.empty() || !p.Lines[0]->Page)
                continue;
            if (page >= 0 && p.Lines[0]->Page->PageIndex != page)
                out += " /";
            page = p.Lines[0]->Page->PageIndex;
            const uint8_t* s = p.Text.Data();
            for (int32_t pos = 0; pos + 8 <= p.Text.Size(); ++pos)
                if (s[pos] == 0 && s[pos + 1] == 26)
                    if (const TField* f = FieldOfTag(
                            int32_t(s[pos + 3] | s[pos + 4] << 8 | s[pos + 5] << 16 | s[pos + 6] << 24));
                        f && f->Kind == fkNoteReference)
                        out += (out.empty() ? "" : " ") + f->Result;
        }
        return out;
    }

    void Paginate(bool pageAtATime)
    {
        D.Doc.ClearPageList();
        D.Doc.SetModeFlag(mfPaginationComplete, false);
        if (!pageAtATime) {
            D.Doc.PaginateAll();
            return;
        }
        while (!D.Doc.GetModeFlag(mfPaginationComplete)) {
            const int32_t next = int32_t(D.Doc.Pages.size());
            D.Doc.Paginate(next, next);
            ASSERT_GT(int32_t(D.Doc.Pages.size()), next);
        }
    }

    TPagedDocument D;
    std::vector<TField*> Refs;
    std::map<const TParagraph*, std::string> Notations;
};

} // namespace

TEST(NoteNumberFormats, NumbersInEachFormat)
{
    struct {
        int32_t n, format;
        const char* text;
    } const cases[] = {
        {1, 0, "1"},   {14, 1, "XIV"}, {14, 2, "xiv"},  {28, 3, "BB"},      {28, 4, "bb"},
        {1, 5, "*"},   {2, 5, "\x86"}, {5, 5, "**"},    {8, 9, "\xA7\xA7"}, {0, 1, "0"},
        {-3, 4, "-3"}, {0, 5, "0"},    {781, 3, "781"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumberingFormat(c.n, c.format), c.text) << c.n << " " << c.format;
    EXPECT_EQ(FormatPageNumber(28, 1), "bb");
    EXPECT_EQ(FormatPageNumber(4, 3), "iv");
}

TEST_F(NoteNumbering, FootnotesAreNumberedAcrossPagesWhateverTheSlices)
{
    for (int i = 0; i < 12; ++i)
        RefPar("f");
    D.Prepare();
    const int32_t lineHeight = [&] {
        D.Doc.PaginateAll();
        return D.Doc.Paragraphs[0]->Lines[0]->Height;
    }();
    ASSERT_GT(lineHeight, 0);
    const int32_t perPage = 100 / lineHeight;
    ASSERT_LT(perPage, 12);
    std::string expected;
    for (int i = 1; i <= 12; ++i)
        expected += (i == 1 ? "" : (i - 1) % perPage == 0 ? " / " : " ") + std::to_string(i);
    for (bool slices : {false, true}) {
        Paginate(slices);
        EXPECT_EQ(Numbers(), expected) << (slices ? "a page at a time" : "at once");
    }
    EXPECT_EQ(Refs[11]->Number, 11);
}

TEST_F(NoteNumbering, RestartModesAndFormats)
{
    struct {
        const char* Name;
        uint8_t RestartMode;
        int32_t Format, Start;
        const char* Numbers;
    } const cases[] = {
        // Lines of the fixed font are 19 pixels high: five fill a page.
        {"continuous", 0, 0, 1, "1 2 3 4 5 / 6 7 8 9 10 / 11 12"},
        {"each page", 2, 0, 1, "1 2 3 4 5 / 1 2 3 4 5 / 1 2"},
        {"each section: one section", 1, 0, 1, "1 2 3 4 5 / 6 7 8 9 10 / 11 12"},
        {"each page from 5 in capital Roman numerals", 2, 1, 5, "V VI VII VIII IX / V VI VII VIII IX / V VI"},
        {"symbols", 0, 5, 1,
         "* \x86 \x87 \xA7 ** / \x86\x86 \x87\x87 \xA7\xA7 *** \x86\x86\x86 / \x87\x87\x87 \xA7\xA7\xA7"},
    };
    for (int i = 0; i < 12; ++i)
        RefPar("f");
    D.Prepare();
    for (const auto& c : cases) {
        D.Doc.FootnoteSettings.RestartMode = c.RestartMode;
        D.Doc.FootnoteSettings.Format = c.Format;
        D.Doc.FootnoteSettings.StartNumber = c.Start;
        for (bool slices : {false, true}) {
            Paginate(slices);
            EXPECT_EQ(Numbers(), c.Numbers) << c.Name << (slices ? ", a page at a time" : ", at once");
        }
    }
}

TEST_F(NoteNumbering, InsertingAReferenceRenumbersTheOnesAfterAndBreaksTheirLinesAgain)
{
    for (int i = 0; i < 12; ++i)
        RefPar("f");
    D.Prepare();
    D.Doc.PaginateAll();
    ASSERT_EQ(Numbers(), "1 2 3 4 5 / 6 7 8 9 10 / 11 12");
    // A reference inserted on the second page: pagination starts again from there.
    RefPar("f", 6);
    D.Doc.Paginate(1, INT32_MAX);
    EXPECT_EQ(Numbers(), "1 2 3 4 5 / 6 7 8 9 10 / 11 12 13");
    // The lines were broken again for their new numbers: "10" and above are one digit wider than "9".
    auto width = [&](int32_t par) { return D.Doc.Paragraphs[size_t(par)]->Lines[0]->LastX(); };
    EXPECT_EQ(width(9), width(10));
    EXPECT_GT(width(9), width(8));
    // One inserted at the very start moves every number on.
    RefPar("f", 0);
    D.Doc.Paginate(0, INT32_MAX);
    EXPECT_EQ(Numbers(), "1 2 3 4 5 / 6 7 8 9 10 / 11 12 13 14");
    EXPECT_EQ(Refs[0]->Result, "2");
}

TEST_F(NoteNumbering, FootnotesAndEndnotesCountApartAndRestartWithTheirSection)
{
    // Section 1: two paragraphs ending in a continuous break; section 2 goes on the same page.
    RefPar("fe");
    RefPar("fe");
    EndSection(0);
    RefPar("fe");
    RefPar("ef");
    RefPar("f");
    RefPar("fe");
    RefPar("e");
    D.Prepare();
    D.Doc.EndnoteSettings.RestartMode = 1;
    for (bool slices : {false, true}) {
        Paginate(slices);
        // Footnotes run on; endnotes start again with the second section, on the page and the next.
        EXPECT_EQ(Numbers(), "1 1 2 2 3 1 2 4 5 / 6 3 4") << (slices ? "a page at a time" : "at once");
    }
}

TEST_F(NoteNumbering, AKeepWithNextChainMovedOnKeepsItsNumbers)
{
    for (int i = 0; i < 4; ++i)
        RefPar("f");
    RefPar("f").ParaFormat[pfKeepWithNext] = 1;
    RefPar("f");
    RefPar("f");
    D.Prepare();
    for (bool slices : {false, true}) {
        Paginate(slices);
        EXPECT_EQ(Numbers(), "1 2 3 4 / 5 6 7") << (slices ? "a page at a time" : "at once");
    }
    // Into the next column of the same page.
    D.LastSection().Params[spColumnCount] = 2;
    D.Prepare();
    Paginate(false);
    EXPECT_EQ(Numbers(), "1 2 3 4 5 6 7");
    EXPECT_EQ(D.Doc.Paragraphs[4]->Lines[0]->ColumnIndex, 1);
}
