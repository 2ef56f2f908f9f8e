// The main frame window on its own: its progress bar, its smallest size and the answers it gives to
// the requests of other copies.
#include "shell/MainForm.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "core/Codings.h"
#include "core/Instance.h"
#include "core/Options.h"
#include "shell/DocBar.h"
#include "shell/DocDisp.h"
#include "core/Messages.h"
#include "document/Document.h"

namespace {

struct MainFormTest : testing::Test {
    void SetUp() override
    {
        EditionString = "1.x Bright Ink";
        Form = new TMainForm(nullptr);
        Form->HandleNeeded();
    }
    void TearDown() override
    {
        delete Form;
        EditionString.clear();
        SessionName.clear();
    }
    TMainForm* Form = nullptr;
};

} // namespace

TEST_F(MainFormTest, ProgressMovesOnlyForward)
{
    Form->BeginProgress(10, "Chargement");
    HWND bar = FindWindowExA(Form->StatusBarHandle(), nullptr, PROGRESS_CLASSA, nullptr);
    ASSERT_NE(bar, nullptr);
    std::vector<int> positions;
    for (int step = 1; step <= 10; ++step) {
        Form->StepProgress(step);
        positions.push_back(static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)));
    }
    EXPECT_EQ(positions, (std::vector<int>{2, 5, 7, 10, 12, 15, 17, 20, 22, 24})); // the bar ends at 24
    Form->StepProgress(3);                                                         // backwards: ignored
    EXPECT_EQ(Form->ProgressPosition(), 25);
    Form->EndProgress(true);
    EXPECT_FALSE(Form->Flags & mffProgress);
}

TEST_F(MainFormTest, AnswersTheRequestsOfOtherCopies)
{
    SessionName = "Travail";
    const struct {
        const char* Text;
        intptr_t Answer;
    } sessions[] = {{"Session: Travail", 1}, {"Session: ", 0}, {"Session: travail", 0}};
    for (const auto& s : sessions) {
        ATOM atom = GlobalAddAtomA(s.Text);
        EXPECT_EQ(SendMessageA(Form->Handle(), WM_INSTANCE, 6, atom), s.Answer) << s.Text;
        GlobalDeleteAtom(atom);
    }
    EXPECT_EQ(SendMessageA(Form->Handle(), WM_INSTANCE, 5, 0), 0);
    Form->AddTrayIcon();
    Form->Flags |= mffInTray;
    EXPECT_EQ(SendMessageA(Form->Handle(), WM_INSTANCE, 5 | 0x80, 0), 2); // only the low 7 bits count
    Form->Flags &= ~mffInTray;
    Form->RemoveTrayIcon();
    // Without a dispatcher nothing can be opened.
    EXPECT_EQ(SendMessageA(Form->Handle(), WM_INSTANCE, 2, 0), 1);
}

TEST_F(MainFormTest, RefusesToShrinkBelowItsSmallestSize)
{
    Form->SetBounds(10, 10, 200, 100);
    RECT r;
    GetWindowRect(Form->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 350);
    EXPECT_EQ(r.bottom - r.top, 320);
}

TEST(DocumentBar, CaptionsFitTheirButtons)
{
    // Every character 7 pixels wide; a button of 110 pixels shows 11 characters whole (77 <= 82).
    const auto width = [](const std::string& text) { return static_cast<int>(text.size()) * 7; };
    EXPECT_EQ(FitButtonCaption("lettre.rtf", 110, width), "lettre.rtf");
    EXPECT_EQ(FitButtonCaption("rapport annuel.rtf", 110, width), "rapport...");
    // A doubled "&" goes as a pair, never leaving half an accelerator mark.
    EXPECT_EQ(FitButtonCaption("abcdef&&ghijklm.rtf", 110, width), "abcdef...");
    EXPECT_EQ(FitButtonCaption("nom-tres-long.rtf", 30, width), "...");
}

TEST_F(MainFormTest, TheDocumentBarKeepsItsFirstButtonInRange)
{
    TButtonBar& bar = *Form->DocButtonBar;
    bar.SetBounds(0, 0, 400, 26);
    std::vector<int> documents(12);
    for (int& d : documents)
        bar.AddDocument(reinterpret_cast<TDocument*>(&d), "doc&1.rtf");
    EXPECT_TRUE(bar.ScrollButtonsShown);
    EXPECT_EQ(bar.Button(0).Caption, "doc&&1.rtf");     // the "&" shows as itself
    EXPECT_EQ(bar.FirstVisible + bar.VisibleCount, 12); // the last one added is shown
    while (bar.ButtonCount() > 1)
        bar.RemoveButton(0);
    EXPECT_EQ(bar.FirstVisible, 0);
}

TEST_F(MainFormTest, AnExceptionInADelicateOperationClosesThatDocumentOnly)
{
    TDocDispatcher dispatcher;
    TDocument* keep = dispatcher.NewDocument();
    TDocument* broken = dispatcher.NewDocument();
    ASSERT_EQ(dispatcher.DocumentCount(), 2);
    SilentMessages = true; // the notice and the question are answered unseen
    broken->BeginBusy();
    Form->HandleFatalException(Exception("panne"));
    SilentMessages = false;
    ASSERT_EQ(dispatcher.DocumentCount(), 1);
    EXPECT_EQ(dispatcher.Document(0), keep);
    EXPECT_FALSE(dispatcher.InDelicateOperation());
    // Outside a delicate operation nothing is closed.
    SilentMessages = true;
    Form->HandleFatalException(Exception("autre"));
    SilentMessages = false;
    EXPECT_EQ(dispatcher.DocumentCount(), 1);
}

TEST_F(MainFormTest, StatusPanelsShowTheDocumentsStates)
{
    TDocDispatcher dispatcher;
    TDocument* document = dispatcher.NewDocument();
    ASSERT_NE(document, nullptr);
    // The caret at the start of the first line: its distance from the page top is the top margin.
    const std::string position = CaretPositionText(*document);
    EXPECT_EQ(position.rfind("\xE0 ", 0), 0u) << position;
    EXPECT_NE(position.find("Li. 1  Col. 1"), std::string::npos) << position;

    // The state icons and the spell-check picture's frame follow the document.
    const bool checking = CurrentOptions().SpellCheck.Flags & scoCheckAsYouType;
    const struct {
        bool Preview;
        int32_t Coding;
        uint8_t SpellState;
        const char* States;
        int Frame;
    } cases[] = {
        {false, cdRtf, 0, "100000", 0},
        {true, cdRtf, 2, "100010", 2 + 4 * 2},
        {false, cdEncrypted, 4, "100001", 4 * 4},
        {false, cdRtf, 5, "100000", 4 * (5 + 3)}, // checking: the animation's frame 3 is added
    };
    Form->AnimationFrame = 3;
    for (const auto& c : cases) {
        document->PreviewMode = c.Preview;
        document->Coding = c.Coding;
        document->SpellState = c.SpellState;
        EXPECT_EQ(Form->DocumentStates(*document), c.States);
        EXPECT_EQ(Form->SpellCheckStatusFrame(*document), c.Frame + (checking ? 1 : 0));
    }
    document->PreviewMode = false;
    document->SpellState = 0;

    // The panels are found where the status bar placed them.
    Form->SetBounds(0, 0, 900, 600);
    Form->RealignChildren();
    RECT r{};
    SendMessageA(Form->StatusBarHandle(), SB_GETRECT, 3, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(Form->StatusPanelAt(r.left + 2, r.top + 2), 3);
    EXPECT_EQ(Form->StatusPanelAt(-5, -5), -1);
}

TEST(LanguageNames, NoneKnownAndUnknown)
{
    EXPECT_EQ(LanguageName(0x400), "( aucune )");
    EXPECT_EQ(LanguageName(INT32_MIN), "( aucune )");
    EXPECT_EQ(LanguageName(0x040C).rfind("(", 0), std::string::npos)
        << LanguageName(0x040C); // named by the system
    EXPECT_EQ(LanguageName(0x7F3F), "( Autre langue (ID: 32575) )");
}

TEST_F(MainFormTest, TheTimersTurnTheSpellPictureAndEndTimedTexts)
{
    const bool starting = StartingUp;
    StartingUp = false;
    Application->MainForm = Form; // the document window is its child
    Form->SetBounds(0, 0, 900, 700);
    Form->Show();
    TDocDispatcher dispatcher;
    TDocument* document = dispatcher.NewDocument();
    ASSERT_NE(document, nullptr);
    ASSERT_EQ(Form->GetActiveDocument(), document);
    auto tick = [this](UINT id) { SendMessageA(Form->Handle(), WM_TIMER, id, 0); };

    // While the document is being checked, each turn of the picture asks for the status bar again.
    for (uint8_t state : {uint8_t(5), uint8_t(2)}) {
        document->SpellState = state;
        Form->Flags &= ~mffRefreshPending;
        const int frame = Form->AnimationFrame;
        tick(15);
        EXPECT_EQ(Form->AnimationFrame, (frame + 1) % 6);
        EXPECT_EQ((Form->Flags & mffRefreshPending) != 0, state == 5) << int(state);
    }

    // A timed text ends on its timer, unless a document being replaced keeps it.
    Form->SetTimedStatus("Enregistré");
    Form->Flags |= mffKeepStatus;
    tick(6);
    EXPECT_TRUE(Form->Flags & mffTimedStatus);
    Form->Flags &= ~mffKeepStatus;
    tick(6);
    EXPECT_FALSE(Form->Flags & mffTimedStatus);
    StartingUp = starting;
    Application->MainForm = nullptr;
}
