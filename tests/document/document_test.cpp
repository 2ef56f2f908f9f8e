// The document object: creation, stories, sections and page setups, mode flags and units.
#include "document/Document.h"

#include <gtest/gtest.h>
#include <stdexcept>

#include "core/Styles.h"
#include "core/TabTables.h"
#include "core/Units.h"
#include "document/DocObjects.h"
#include "document/Page.h"
#include "document/Section.h"
#include "document/ZoomScaling.h"
#include "tagged_text.h"

namespace {

// Appends a paragraph to the end of the paragraph list, counted in Story.
TParagraph& AddParagraph(TDocument& doc, int story, const std::string& notation)
{
    doc.Paragraphs.push_back(std::make_unique<TParagraph>(&doc));
    ++doc.StoryLengths[story];
    qptest::SetTaggedText(*doc.Paragraphs.back(), notation);
    return *doc.Paragraphs.back();
}

// A new section placed before the document's last one (the last section ends the main text).
TSection& InsertSection(TDocument& doc, int breakKind)
{
    auto section = std::make_unique<TSection>(&doc);
    section->SetDefaults();
    section->Params[spBreakKind] = breakKind;
    TSection& s = *section;
    doc.Sections.insert(doc.Sections.end() - 1, std::move(section));
    doc.SetModeFlag(mfSectionRangesStale, true);
    return s;
}

std::string SectionMark(const TSection& s)
{
    return "{23:" + std::to_string(s.Handle) + "}";
}

} // namespace

TEST(Document, HiddenDocumentLifecycle)
{
    auto doc = std::make_unique<TDocument>(true);
    ASSERT_EQ(doc->ParagraphCount(), 1);
    EXPECT_EQ(doc->StoryLengths[stMain], 1);
    EXPECT_EQ(doc->StoryLengths[stHeadersFooters], 0);
    ASSERT_EQ(doc->Sections.size(), 1u);
    const TSection& section = *doc->Sections[0];
    EXPECT_EQ(section.BreakKind(), 1);
    EXPECT_EQ(section.Params[spColumnCount], 1);
    EXPECT_EQ(section.Params[spColumnGap], 720);
    EXPECT_EQ(section.PageSetup[psWidth], 11905);
    EXPECT_EQ(section.PageNumberRestart, -1);
    EXPECT_EQ(section.Created, 1);
    EXPECT_EQ(doc->Window, nullptr);
    EXPECT_TRUE(doc->GetModeFlag(mfHidden));
    EXPECT_FALSE(doc->GetModeFlag(mfHasWindow));
    EXPECT_FALSE(doc->GetModeFlag(mfConstructing));
    EXPECT_TRUE(doc->GetModeFlag(mfViewNotReady));
    for (int k : {int(mfSectionRangesStale), int(mfColumnWidthsStale), int(mfFieldsDirty)})
        EXPECT_TRUE(doc->GetModeFlag(k)) << k;
    EXPECT_EQ(doc->StyleList->TabManager, doc->TabManager.get());
    EXPECT_EQ(doc->ViewState.ZoomPercent, 100);
    EXPECT_EQ(doc->PageSetupOwnerSection(0), doc->Sections[0].get());
    // The device fields of the page setup follow the screen.
    EXPECT_EQ(section.PageSetup[psScreenWidth], doc->TwipsToScreen(11905));

    doc->ResetAsNew();
    const TParagraph& first = *doc->Paragraphs[0];
    EXPECT_EQ(qptest::DescribeTagged(first.Text), "{1:20}{22:2}");
    EXPECT_EQ(qptest::Bytes(first.PlainText), "\x02");
    EXPECT_TRUE(doc->GetModeFlag(mfNoOwnFile));
    EXPECT_TRUE(doc->GetModeFlag(mfViewLive));
    EXPECT_FALSE(doc->GetModeFlag(mfViewNotReady));
    // Laid out again with the default styles: its one page, the caret at its start.
    EXPECT_TRUE(doc->GetModeFlag(mfPaginationComplete));
    EXPECT_EQ(doc->Pages.size(), 1u);
    EXPECT_EQ(first.LineCount(), 1);
    EXPECT_EQ(doc->Caret.PageIndex, 0);
    EXPECT_EQ(doc->Caret.Offset, 0);
    ASSERT_EQ(doc->StyleList->Count(), 22);
    EXPECT_EQ(doc->StyleList->StyleOf(10)->DisplayName, "En-tête");
    EXPECT_EQ(doc->StyleList->StyleOf(10)->BuiltInId, 31);
    EXPECT_EQ(doc->StyleList->StyleOf(10)->Owner, doc->StyleList.get());
    EXPECT_EQ(doc->ModeFlagStackDepth(), 0);
    EXPECT_GT(doc->Info.CreationDate, 36526.0); // after 2000
    doc.reset();
}

TEST(Document, Stories)
{
    TDocument doc;
    qptest::SetTaggedText(*doc.Paragraphs[0], "a{22:2}");
    AddParagraph(doc, stMain, "b{22:2}");
    AddParagraph(doc, stFootnotes, "n{22:2}");
    AddParagraph(doc, stHeadersFooters, "{22:2}");
    AddParagraph(doc, stHeadersFooters, "{22:2}");
    EXPECT_EQ(doc.StoryStart(stMain), 0);
    EXPECT_EQ(doc.StoryEnd(stMain), 1);
    EXPECT_EQ(doc.StoryStart(stFootnotes), 2);
    EXPECT_EQ(doc.StoryEnd(stFootnotes), 2);
    EXPECT_EQ(doc.StoryStart(stEndnotes), 3);
    EXPECT_EQ(doc.StoryEnd(stEndnotes), 2); // empty
    EXPECT_EQ(doc.StoryStart(stHeadersFooters), 3);
    EXPECT_EQ(doc.StoryEnd(stHeadersFooters), 4);
    const int expected[] = {0, 0, 1, 3, 3, 0, 0};
    const int32_t indexes[] = {0, 1, 2, 3, 4, 5, -1};
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(doc.StoryOfParagraph(indexes[k]), expected[k]) << indexes[k];

    // Headers are outside the edited story until one of them is edited; then the rest is.
    EXPECT_TRUE(doc.IsOutsideEditedStory(3));
    EXPECT_FALSE(doc.IsOutsideEditedStory(0));
    TModeFlagScope printing(doc);
    printing.On(mfPrinting);
    EXPECT_FALSE(doc.IsOutsideEditedStory(3));
}

TEST(Document, SectionRangesAndPageSetupOwner)
{
    TDocument doc;
    TSection& first = InsertSection(doc, 0);  // ends with a continuous break
    TSection& second = InsertSection(doc, 1); // ends with a new page
    TSection& third = *doc.Sections.back();
    first.PageSetup[psWidth] = 15000;
    second.PageSetup[psWidth] = 9000;
    third.PageSetup[psWidth] = 12000;
    qptest::SetTaggedText(*doc.Paragraphs[0], "a{22:2}");
    AddParagraph(doc, stMain, "b" + SectionMark(first));
    AddParagraph(doc, stMain, "c" + SectionMark(second));
    AddParagraph(doc, stMain, "d{22:2}");
    AddParagraph(doc, stMain, "e{22:2}");
    AddParagraph(doc, stHeadersFooters, "{22:2}");

    EXPECT_EQ(doc.SectionOfParagraph(0), &first);
    EXPECT_EQ(first.Number, 0);
    EXPECT_EQ(first.FirstParagraph, 0);
    EXPECT_EQ(first.LastParagraph, 1);
    EXPECT_EQ(second.Number, 1);
    EXPECT_EQ(second.FirstParagraph, 2);
    EXPECT_EQ(second.LastParagraph, 2);
    EXPECT_EQ(third.Number, 2);
    EXPECT_EQ(third.FirstParagraph, 3);
    EXPECT_EQ(third.LastParagraph, 4);
    EXPECT_FALSE(doc.GetModeFlag(mfSectionRangesStale));
    // A paragraph outside every range (a header) gets the last section.
    EXPECT_EQ(doc.SectionOfParagraph(5), &third);

    // The second section shares the first one's page; the third has its own.
    EXPECT_EQ(doc.PageSetupOwnerSection(2), &first);
    EXPECT_EQ(doc.PageSetupOwnerSection(4), &third);
    doc.Caret.ParIndex = 2;
    TPageSetup current;
    doc.GetCurrentPageSetup(current);
    EXPECT_EQ(current[psWidth], 15000);

    // Columns are computed on the owner's page setup.
    second.Params[spColumnCount] = 2;
    first.PageSetup[psTextWidth] = 9071;
    TColumnGeometry column;
    second.GetColumnGeometry(1, column);
    EXPECT_EQ(column.Width, 4175);
    EXPECT_EQ(column.Left, 4895);
    EXPECT_TRUE(doc.HasMultiColumnSection());
    EXPECT_TRUE(doc.SectionsDifferInPageSize());

    std::vector<TSection*> covered;
    TTextRange range{};
    MakeTextPos(1, 0, range.StartPos);
    MakeTextPos(3, 1, range.EndPos);
    doc.SectionsInRange(range, covered);
    EXPECT_EQ(covered, (std::vector<TSection*>{&first, &second, &third}));

    // Over sections of different column layouts the column count is not set.
    doc.Selection = range;
    TSectionParams params;
    doc.SelectionSectionParams(params);
    EXPECT_EQ(params[spColumnCount], UndefinedField);
    EXPECT_EQ(params[spLineBetween], 0);
}

TEST(Document, SectionRangeEndAndAssign)
{
    TDocument doc;
    qptest::SetTaggedText(*doc.Paragraphs[0], "abc{22:2}");
    TSection& section = *doc.Sections[0];
    doc.UpdateSectionRanges();
    TTextRange range{};
    MakeTextPos(0, 4, range.EndPos);
    EXPECT_TRUE(section.RangeReachesEnd(range));
    range.EndPos.Offset = 3;
    EXPECT_FALSE(section.RangeReachesEnd(range));

    TSection other(&doc);
    other.SetDefaults();
    other.Params[spColumnCount] = 3;
    other.PageNumberStyle = 2;
    TField* header = reinterpret_cast<TField*>(&doc);
    section.HeaderFooter[hfEvenFooter] = header;
    section.Assign(other);
    EXPECT_EQ(section.Params[spColumnCount], 3);
    EXPECT_EQ(section.PageNumberStyle, 2);
    EXPECT_EQ(section.HeaderFooter[hfEvenFooter], header);
    section.HeaderFooter[hfEvenFooter] = nullptr;
}

TEST(Document, SectionPageCount)
{
    TDocument doc;
    TSection& first = InsertSection(doc, 1);
    TSection& second = *doc.Sections.back();
    qptest::SetTaggedText(*doc.Paragraphs[0], "a" + SectionMark(first));
    for (int i = 1; i <= 4; ++i)
        AddParagraph(doc, stMain, "x{22:2}");
    doc.UpdateSectionRanges();
    EXPECT_EQ(second.PageCount(), 1); // nothing laid out yet

    // Page 0 shows paragraph 0, pages 1 to 3 paragraphs 1 to 3, page 4 paragraph 4.
    for (int32_t i = 0; i < doc.ParagraphCount(); ++i) {
        TParagraph& p = *doc.Paragraphs[i];
        p.LayoutIndex = i;
        p.Lines.push_back(std::make_unique<TParLine>(&p));
        p.Lines.back()->Height = 10;
        doc.Pages.push_back(std::make_unique<TPage>(&doc, i));
        doc.Pages.back()->AddParagraphLines(&p, 0, 0);
    }
    EXPECT_EQ(first.PageCount(), 1);
    EXPECT_EQ(second.PageCount(), 4);
    // A section ending before the last page: paragraph 4 opens page 4.
    second.LastParagraph = 3;
    EXPECT_EQ(second.PageCount(), 3);
    EXPECT_EQ(doc.PageSetupSectionOfPage(2), &second);
    EXPECT_EQ(doc.Pages[1]->GetSection(), &second);
}

TEST(Document, PagesPlaceAndRemoveLines)
{
    TDocument doc;
    TParagraph& p = *doc.Paragraphs[0];
    p.LayoutIndex = 0;
    for (int i = 0; i < 3; ++i) {
        p.Lines.push_back(std::make_unique<TParLine>(&p));
        p.Lines.back()->Height = 10 + i;
    }
    TPage page(&doc, 0);
    EXPECT_EQ(page.FindParagraph(0), -1);
    page.AddParagraphLines(&p, 0, 2);
    EXPECT_EQ(page.TextHeight, 33);
    EXPECT_EQ(page.FindParagraph(0), 0);
    EXPECT_EQ(p.Lines[2]->Page, &page);
    EXPECT_EQ(p.Lines[2]->PageLineIndex, 2);
    page.RemoveParagraphAt(-1);
    EXPECT_EQ(page.TextHeight, 33);
    page.RemoveParagraphAt(0);
    EXPECT_EQ(page.TextHeight, 0);
    EXPECT_TRUE(page.Lines.empty());
    EXPECT_EQ(p.Lines[0]->Page, nullptr);

    // A page freed before its lines leaves them on no page.
    {
        TPage other(&doc, 1);
        other.AddParagraphLines(&p, 1, 1);
    }
    EXPECT_EQ(p.Lines[1]->Page, nullptr);
}

TEST(Document, ModeFlagsPushSetAndPopBack)
{
    TDocument doc;
    EXPECT_FALSE(doc.GetModeFlag(7));
    EXPECT_EQ(doc.PushModeFlagOn(7), 7);
    EXPECT_TRUE(doc.GetModeFlag(7));
    doc.PopModeFlags(1);
    EXPECT_FALSE(doc.GetModeFlag(7));

    // On then off, popped together: the value before the first push.
    doc.PushModeFlagOn(40);
    doc.PushModeFlagOff(40);
    EXPECT_FALSE(doc.GetModeFlag(40));
    doc.PopModeFlags(2);
    EXPECT_FALSE(doc.GetModeFlag(40));
    doc.SetModeFlag(127, true);
    doc.PushModeFlagOff(127);
    doc.PushModeFlag(127);
    doc.PopModeFlags(2);
    EXPECT_TRUE(doc.GetModeFlag(127));
    // Popping more than was pushed restores what there is and stops.
    doc.PushModeFlagOff(127);
    doc.PopModeFlags(5);
    EXPECT_TRUE(doc.GetModeFlag(127));
    EXPECT_EQ(doc.ModeFlagStackDepth(), 0);

    // A scope restores its flags when an exception leaves it.
    try {
        TModeFlagScope scope(doc);
        scope.On(mfHoldScrolling);
        scope.Off(127);
        throw std::runtime_error("edit failed");
    } catch (const std::runtime_error&) {}
    EXPECT_FALSE(doc.GetModeFlag(mfHoldScrolling));
    EXPECT_TRUE(doc.GetModeFlag(127));
    EXPECT_EQ(doc.ModeFlagStackDepth(), 0);
}

TEST(Document, TwipsConversionRounding)
{
    TDocument doc;
    doc.ViewState.ScreenDpi = doc.ViewState.DeviceDpiX = doc.ViewState.DeviceDpiY = 96;
    EXPECT_EQ(doc.TwipsToScreen(1440), 96);
    EXPECT_EQ(doc.TwipsToScreen(7), 0);    // 672 / 1440
    EXPECT_EQ(doc.TwipsToScreen(8), 1);    // remainder 768 of 1440
    EXPECT_EQ(doc.TwipsToScreen(-8), 0);   // negative values truncate
    EXPECT_EQ(doc.TwipsToScreen(-15), -1); // -1440 / 1440
    EXPECT_EQ(doc.TwipsToScreen(-29), -1);
    EXPECT_EQ(doc.TwipsToDeviceX(15), 1);
    EXPECT_EQ(doc.TwipsToScreenScaled(1440, 50), 48);
    EXPECT_EQ(doc.TwipsToScreenScaled(15, 50), 1); // 72000 of 144000
    EXPECT_EQ(doc.TwipsToScreenScaled(-15, 50), 0);
    EXPECT_EQ(doc.ScreenToTwips(1), 15);
    EXPECT_EQ(doc.ScreenToTwips(-1), -15);
    EXPECT_EQ(doc.DeviceFontHeight(2), -3);
    EXPECT_EQ(doc.DeviceFontHeight(24), -16);
    EXPECT_EQ(doc.FontHeightFromHalfPoints(24), -16);
    EXPECT_EQ(doc.FontHeightFromHalfPoints(1), -1); // 96 / 144 rounds up

    doc.SetZoom(150);
    EXPECT_EQ(doc.ViewState.ZoomPercent, 150);
    EXPECT_EQ(doc.ViewState.DeviceDpiX, 144);
    EXPECT_EQ(doc.ApplyZoom(3), 5);   // 4.5 rounds up
    EXPECT_EQ(doc.ApplyZoom(-3), -4); // truncates
    EXPECT_EQ(doc.TwipsToDeviceY(1440), 144);
    EXPECT_EQ(doc.Sections[0]->PageSetup[psDeviceWidth], doc.TwipsToDeviceX(11905));
    EXPECT_EQ(doc.Sections[0]->PageSetup[psDeviceHeightPlus15], doc.TwipsToDeviceY(16838) + 15);
    doc.SetZoom(5000);
    EXPECT_EQ(doc.ViewState.ZoomPercent, 500);
    EXPECT_THROW(doc.TwipsToDeviceYScaled(INT32_MAX, 500), Exception);
}

TEST(Document, EffectiveZoom)
{
    TDocument doc;
    doc.ViewState.PageExtent[2] = 794;
    doc.ViewState.PageExtent[3] = 1123;
    doc.ViewState.ZoomPercent = 80;
    doc.ViewState.ZoomKind = 1;
    doc.ViewState.ClientWidth = 1020;
    EXPECT_EQ(doc.EffectiveZoom(), 80); // no window: the zoom stands
    doc.SetModeFlag(mfHasWindow, true);
    EXPECT_EQ(doc.EffectiveZoom(), 125);
    doc.ViewState.ClientWidth = 50;
    EXPECT_EQ(doc.EffectiveZoom(), 10);
    doc.ViewState.ZoomKind = 3;
    doc.ViewState.ClientWidth = 1020;
    doc.ViewState.ClientHeight = 600;
    EXPECT_EQ(doc.EffectiveZoom(), 51); // the height decides: 580 × 100 / 1123
    EXPECT_TRUE(doc.GetModeFlag(mfFitsWholePages));
    doc.ViewState.PageExtent[2] = 0; // pages of no size never reach a division
    EXPECT_EQ(doc.EffectiveZoom(), 80);
}

TEST(Document, LineMeasuresFollowTheZoomOnlyWhenAsked)
{
    TDocument doc;
    doc.SetZoom(50);
    EXPECT_EQ(ScaleByZoomPercent(3, &doc), 24); // layout units: eighths of a pixel
    EXPECT_EQ(ScaleByZoomPercent(-1, &doc), -8);
    EXPECT_EQ(ScaleByZoomPercent(5, nullptr), 40);
    EXPECT_EQ(UnscaleByZoomPercent(12, nullptr), 2); // 1.5 rounds up in magnitude
    EXPECT_EQ(UnscaleByZoomPercent(-12, nullptr), -2);
    doc.SetModeFlag(mfMeasureAtZoom, true);
    EXPECT_EQ(ScaleByZoomPercent(3, &doc), 2);
    EXPECT_EQ(ScaleByZoomPercent(-3, &doc), -2);
    EXPECT_EQ(UnscaleByZoomPercent(3, &doc), 6);
    EXPECT_EQ(ScaleBySecondPercent(3, &doc), 2);
    EXPECT_EQ(UnscaleBySecondPercent(-3, &doc), -6);
}
