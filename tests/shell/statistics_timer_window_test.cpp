// The main window's timer counting again the statistics that headers and footers show, once the user
// has paused.
#include <windows.h>

#include "document/Field.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "tests/shell/command_fixture.h"

namespace {

struct StatisticsTimer : CommandFixture {
    void SetUp() override
    {
        CommandFixture::SetUp();
        KeptStartingUp = StartingUp;
        StartingUp = false;
    }
    void TearDown() override
    {
        StartingUp = KeptStartingUp;
        CommandFixture::TearDown();
    }
    bool KeptStartingUp = true;
};

// The plain text of the footer that shows the word count.
std::string FooterText(TDocument& doc)
{
    doc.UpdateFields();
    const TField* footer = doc.Sections.front()->HeaderFooter[hfOddFooter];
    if (!footer)
        return "(none)";
    const TMemory& plain = doc.Paragraphs[size_t(doc.GetFieldRange(*footer).StartPos.ParIndex)]->PlainText;
    std::string text;
    for (int32_t i = 0; i < plain.Size(); ++i)
        if (plain.Data()[i] >= ' ')
            text += char(plain.Data()[i]);
    return text;
}

} // namespace

// Words typed in the text: the footer's count stays while the user is busy, and follows three seconds
// after the last command, when the timer ticks; the page drawn then shows it.
TEST_F(StatisticsTimer, TheFootersWordCountFollowsAfterAPause)
{
    TDocument* doc =
        Open(WriteFile("pied-mots.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\footer\\pard Mots : "
                                        "{\\field{\\*\\fldinst NUMWORDS}{\\fldrslt 0}}\\par}"
                                        "\\pard Trois mots ici\\par}"));
    ASSERT_NE(doc, nullptr);
    ASSERT_NE(doc->Window, nullptr);
    UpdateWindow(doc->Window->Handle());
    Pump();
    ASSERT_EQ(FooterText(*doc), "Mots : 3");
    for (char c : std::string("Encore deux "))
        SendMessageA(doc->Window->Handle(), WM_CHAR, static_cast<uint8_t>(c), 1);
    Pump();
    ASSERT_TRUE(doc->GetModeFlag(mfStatisticsStale));

    // Too soon after the last command: nothing is counted.
    CommandManager().StampLastCommand();
    SendMessageA(Form->Handle(), WM_TIMER, 1, 0);
    EXPECT_TRUE(doc->GetModeFlag(mfStatisticsStale));
    Sleep(3100);
    SendMessageA(Form->Handle(), WM_TIMER, 1, 0);
    EXPECT_FALSE(doc->GetModeFlag(mfStatisticsStale));
    EXPECT_EQ(doc->FieldStatistics().Words, 5);
    UpdateWindow(doc->Window->Handle());
    Pump();
    EXPECT_EQ(FooterText(*doc), "Mots : 5");
}
