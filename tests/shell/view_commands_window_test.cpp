// The view and window commands as they change the windows, and the menus whose lists follow the open
// documents.
#include <windows.h>

#include "classlib/windowing/Menus.h"
#include "document/Paragraph.h"
#include "document/ParLine.h"
#include "shell/ToolbarManager.h"
#include "tests/shell/command_fixture.h"

namespace {

using ViewCommands = CommandFixture;

// The items of the list that the command manager builds at a place of a menu.
std::vector<std::string> ListAt(TMenuItem* menu, int32_t place)
{
    std::vector<std::string> captions;
    bool inside = false;
    for (int i = 0; i < menu->Count(); ++i) {
        TMenuItem* item = menu->Items(i);
        if (item->Tag == place) {
            inside = true;
            continue;
        }
        if (inside && item->Tag == place + 1)
            break;
        if (inside && item->Visible)
            captions.push_back(item->Caption + (item->Checked ? " *" : ""));
    }
    return captions;
}

TMenuItem* SubMenu(TMenuItem* menu, const std::string& caption)
{
    for (int i = 0; i < menu->Count(); ++i)
        if (menu->Items(i)->Caption == caption)
            return menu->Items(i);
    return nullptr;
}

} // namespace

TEST_F(ViewCommands, ZoomKindsAndStepsChangeTheView)
{
    TDocument* doc = Dispatcher->NewDocument();
    ASSERT_TRUE(doc);
    doc->Window->SetClientSize(600, 400);
    UpdateWindow(doc->Window->Handle()); // painted once: the pages have their size
    TCommandManager& m = CommandManager();
    const struct {
        int32_t Command;
        int Kind;
    } kinds[] = {{6170, 1}, {6171, 2}, {6172, 3}, {6173, 4}, {6174, 0}};
    for (const auto& k : kinds) {
        m.ExecuteCommand(k.Command);
        EXPECT_EQ(doc->ViewState.ZoomKind, k.Kind) << k.Command;
        for (const auto& other : kinds)
            EXPECT_EQ(m.GetCommandState(other.Command), other.Command == k.Command ? csChecked : csUnchecked)
                << k.Command << " " << other.Command;
        // Fitting the page's or the text's width leaves no horizontal scroll bar.
        EXPECT_EQ(doc->Window->HorScrollBar->Visible(), k.Kind != 1 && k.Kind != 2) << k.Command;
    }
    EXPECT_EQ(doc->ViewState.ZoomPercent, 100);
    // A page width zoom fits the window: narrower window, smaller zoom.
    m.ExecuteCommand(6170);
    const int32_t wide = doc->ViewState.ZoomPercent;
    doc->Window->SetClientSize(300, 400);
    m.ExecuteCommand(6174);
    m.ExecuteCommand(6170);
    EXPECT_LT(doc->ViewState.ZoomPercent, wide);
    m.ExecuteCommand(6174);
    m.ExecuteCommand(6196);
    m.ExecuteCommand(6196);
    EXPECT_EQ(doc->ViewState.ZoomPercent, 120);
    EXPECT_EQ(m.GetCommandState(6174), csUnchecked);
    m.ExecuteCommand(6195);
    EXPECT_EQ(doc->ViewState.ZoomPercent, 110);
    m.ExecuteCommandWithArg(206100, 5000); // out of range: the zoom stays
    EXPECT_EQ(doc->ViewState.ZoomPercent, 110);
    m.ExecuteCommandWithArg(206100, 250);
    EXPECT_EQ(doc->ViewState.ZoomPercent, 250);
    EXPECT_TRUE(Unavailable.empty());
}

TEST_F(ViewCommands, MarksRulersAndScrollBarsToggle)
{
    TDocument* doc = OpenData("rtf/structure-lo.rtf");
    ASSERT_TRUE(doc);
    TCommandManager& m = CommandManager();
    m.ExecuteCommand(6000);
    EXPECT_TRUE(doc->GetModeFlag(mfShowMarks));
    EXPECT_EQ(m.GetCommandState(6000), csChecked);
    m.ExecuteCommand(6000);
    EXPECT_FALSE(doc->GetModeFlag(mfShowMarks));

    // The rulers: the option and the saved set of the normal view, the preview's set untouched.
    const bool ruler = CurrentOptions().View.Ruler;
    m.ExecuteCommand(6060);
    EXPECT_EQ(CurrentOptions().View.Ruler, !ruler);
    EXPECT_EQ(Holder->DocumentView.Ruler, !ruler);
    EXPECT_EQ(Holder->PreviewView.Ruler, true);
    EXPECT_EQ(m.GetCommandState(6060), ruler ? csUnchecked : csChecked);
    m.ExecuteCommand(6065);
    EXPECT_EQ(Holder->DocumentView.VerRuler, CurrentOptions().View.VerRuler);

    const struct {
        int32_t Command;
        uint8_t Before, After;
    } bars[] = {{6081, 1, 3}, {6080, 3, 2}, {6080, 2, 3}, {6081, 3, 1}, {6081, 0, 2}};
    for (const auto& b : bars) {
        CurrentOptions().View.ScrollBars = b.Before;
        m.ExecuteCommand(b.Command);
        EXPECT_EQ(CurrentOptions().View.ScrollBars, b.After) << b.Command << " " << int(b.Before);
        EXPECT_EQ(Holder->DocumentView.ScrollBars, b.After);
    }
    // Hiding the status bar gives its room to the documents.
    RECT before, after;
    GetClientRect(Form->ClientHandle(), &before);
    m.ExecuteCommand(6140);
    EXPECT_FALSE(CurrentOptions().View.StatusBar);
    EXPECT_FALSE(IsWindowVisible(Form->StatusBarHandle()));
    GetClientRect(Form->ClientHandle(), &after);
    EXPECT_GT(after.bottom, before.bottom);
    m.ExecuteCommand(6140);
    EXPECT_TRUE(IsWindowVisible(Form->StatusBarHandle()));
}

TEST_F(ViewCommands, FullScreenTwiceRestoresTheFrame)
{
    ASSERT_TRUE(Dispatcher->NewDocument());
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(Form->Handle(), &placement);
    const LONG style = GetWindowLongA(Form->Handle(), GWL_STYLE);
    CommandManager().ExecuteCommand(7000);
    EXPECT_TRUE(Form->FullScreen);
    EXPECT_FALSE(GetWindowLongA(Form->Handle(), GWL_STYLE) & WS_CAPTION);
    RECT r;
    GetWindowRect(Form->Handle(), &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_FALSE(IsWindowVisible(Form->StatusBarHandle()));
    EXPECT_EQ(CommandManager().GetCommandState(7000), csChecked);
    CommandManager().ExecuteCommand(7000);
    EXPECT_FALSE(Form->FullScreen);
    EXPECT_EQ(GetWindowLongA(Form->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME),
              style & (WS_CAPTION | WS_THICKFRAME));
    WINDOWPLACEMENT back{};
    back.length = sizeof(back);
    GetWindowPlacement(Form->Handle(), &back);
    EXPECT_EQ(back.rcNormalPosition.left, placement.rcNormalPosition.left);
    EXPECT_EQ(back.rcNormalPosition.right, placement.rcNormalPosition.right);
    EXPECT_EQ(back.rcNormalPosition.bottom, placement.rcNormalPosition.bottom);
    EXPECT_TRUE(IsWindowVisible(Form->StatusBarHandle()));
}

TEST_F(ViewCommands, HeaderAndFooterEditingMovesBetweenThem)
{
    TDocument* doc = OpenData("rtf/structure-lo.rtf");
    ASSERT_TRUE(doc);
    CommandManager().ExecuteCommand(7200);
    ASSERT_TRUE(doc->EditedHeaderFooter);
    TField* header = doc->EditedHeaderFooter;
    CommandManager().ExecuteCommand(7350);
    EXPECT_NE(doc->EditedHeaderFooter, header);
    EXPECT_NE(doc->EditedHeaderFooter, nullptr);
    CommandManager().ExecuteCommand(7350);
    EXPECT_EQ(doc->EditedHeaderFooter, header);
    // The body's text hidden and shown again while the header is edited.
    CommandManager().ExecuteCommand(7300);
    EXPECT_TRUE(doc->GetModeFlag(mfHideBodyText));
    EXPECT_TRUE(doc->IsTextHidden(doc->StoryStart(stMain)));
    EXPECT_EQ(CommandManager().GetCommandState(7300), csChecked);
    CommandManager().ExecuteCommand(7300);
    EXPECT_FALSE(doc->GetModeFlag(mfHideBodyText));
    EXPECT_EQ(CommandManager().GetCommandState(7300), csUnchecked);
    CommandManager().ExecuteCommand(7200);
    EXPECT_EQ(doc->EditedHeaderFooter, nullptr);
    EXPECT_TRUE(Unavailable.empty());
}

TEST_F(ViewCommands, WindowsMinimisedTogetherComeBackTogether)
{
    TDocument* first = Dispatcher->NewDocument();
    TDocument* second = Dispatcher->NewDocument();
    ASSERT_TRUE(first && second);
    SendMessageA(Form->ClientHandle(), WM_MDIRESTORE, WPARAM(second->Window->Handle()), 0);
    EXPECT_FALSE(CommandManager().IsCommandEnabled(90080));
    CommandManager().ExecuteCommand(90060);
    EXPECT_TRUE(IsIconic(first->Window->Handle()));
    EXPECT_TRUE(IsIconic(second->Window->Handle()));
    EXPECT_TRUE(CommandManager().IsCommandEnabled(90080));
    CommandManager().ExecuteCommand(90080);
    EXPECT_FALSE(IsIconic(first->Window->Handle()));
    EXPECT_FALSE(IsIconic(second->Window->Handle()));
    EXPECT_FALSE(CommandManager().IsCommandEnabled(90080));
    // Activating by position.
    CommandManager().ExecuteCommand(90105);
    EXPECT_EQ(CommandManager().GetDocument(), first);
    CommandManager().ExecuteCommand(90162);
    EXPECT_TRUE(IsZoomed(first->Window->Handle()));
    EXPECT_FALSE(CommandManager().IsCommandEnabled(90162));
    EXPECT_TRUE(CommandManager().IsCommandEnabled(90160));
    CommandManager().ExecuteCommand(90161);
    EXPECT_TRUE(IsIconic(first->Window->Handle()));
}

TEST_F(ViewCommands, RunTimeMenusFollowTheOpenDocuments)
{
    TMenuItem* window = BarMenu("Fe&nêtre");
    TMenuItem* recent = SubMenu(BarMenu("&Fichier"), "Documents &récents");
    ASSERT_TRUE(window && recent);
    Holder->Owners.FileLists[0].Names.clear();
    CommandManager().RebuildMenuLists(Form->MainMenuItems(), true);
    EXPECT_EQ(ListAt(window, WindowListPlace), std::vector<std::string>{});
    EXPECT_EQ(ListAt(recent, HistoryPlace), std::vector<std::string>{});

    const std::string path = WriteFile("Liste & menus.rtf", "{\\rtf1 Texte\\par}");
    TDocument* opened = Open(path);
    ASSERT_TRUE(opened);
    TDocument* created = Dispatcher->NewDocument();
    ASSERT_TRUE(created);
    Form->UpdateInterface();
    EXPECT_EQ(Form->RefreshMenuPopup(nullptr), nullptr); // not a menu of the bar
    CommandManager().RebuildMenuLists(Form->MainMenuItems(), false);
    const std::string openedName = opened->Window->Caption();
    const std::string createdName = created->Window->Caption();
    std::string doubled;
    for (char c : openedName)
        doubled += c == '&' ? std::string("&&") : std::string(1, c);
    EXPECT_EQ(ListAt(window, WindowListPlace),
              (std::vector<std::string>{"-", "&1 " + doubled, "&2 " + createdName + " *", "-"}));
    const std::vector<std::string> history = ListAt(recent, HistoryPlace);
    ASSERT_EQ(history.size(), 5u);
    EXPECT_NE(history[0].find("menus.rtf"), std::string::npos);
    EXPECT_EQ(history[2], "Supprimer les entrées caduques");

    // Choosing an entry runs its command: the first document comes to the front.
    for (int i = 0; i < window->Count(); ++i)
        if (window->Items(i)->Tag == 90105)
            window->Items(i)->Click();
    EXPECT_EQ(CommandManager().GetDocument(), opened);
    CommandManager().UpdateMenu(window); // the check mark follows the active document
    EXPECT_EQ(ListAt(window, WindowListPlace),
              (std::vector<std::string>{"-", "&1 " + doubled + " *", "&2 " + createdName, "-"}));

    // Closing a document rebuilds the list at the next refresh.
    Dispatcher->CloseDocument(created, false);
    Form->UpdateInterface();
    CommandManager().RebuildMenuLists(Form->MainMenuItems(), false);
    EXPECT_EQ(ListAt(window, WindowListPlace), (std::vector<std::string>{"-", "&1 " + doubled + " *", "-"}));
    Dispatcher->CloseDocument(opened, false);
    Form->UpdateInterface();
    CommandManager().RebuildMenuLists(Form->MainMenuItems(), false);
    EXPECT_EQ(ListAt(window, WindowListPlace), std::vector<std::string>{});
    // The recent document, clicked, opens again.
    for (int i = 0; i < recent->Count(); ++i)
        if (recent->Items(i)->Tag == -1)
            recent->Items(i)->Click();
    Pump();
    EXPECT_EQ(Dispatcher->DocumentCount(), 1);
}

TEST_F(ViewCommands, ToolbarCommandsChangeTheToolbarSettings)
{
    TToolbarManager toolbars;
    toolbars.Settings.SetDefaults();
    toolbars.RebuildToolbars();
    TCommandManager& m = CommandManager();
    EXPECT_EQ(m.GetCommandState(6040), csChecked);
    EXPECT_EQ(m.GetCommandState(6043), csUnchecked);
    EXPECT_FALSE(m.IsCommandEnabled(6265) && !m.IsCommandEnabled(6266));
    m.ExecuteCommand(6041); // the formatting toolbar goes
    EXPECT_FALSE(toolbars.Settings.Toolbars[1].Visible);
    EXPECT_TRUE(toolbars.Rows(1).empty());
    EXPECT_TRUE(toolbars.Settings.Modified);
    m.ExecuteCommand(6265);
    EXPECT_EQ(toolbars.Settings.VisibleToolbarCount(), 0);
    EXPECT_FALSE(m.IsCommandEnabled(6265));
    m.ExecuteCommand(6266);
    EXPECT_EQ(toolbars.Settings.VisibleToolbarCount(), 4);
    EXPECT_FALSE(m.IsCommandEnabled(6266));
    m.ExecuteCommand(6250);
    EXPECT_TRUE(toolbars.Settings.LargeButtons);
    EXPECT_EQ(m.GetCommandState(6250), csChecked);
    EXPECT_EQ(m.GetCommandState(6260), csChecked);
    m.ExecuteCommand(6263);
    EXPECT_TRUE(toolbars.Alternative);
    EXPECT_EQ(m.GetCommandState(6261), csChecked);
    m.ExecuteCommand(6261); // already the set in use
    EXPECT_TRUE(toolbars.Alternative);
    m.ExecuteCommand(6260);
    EXPECT_FALSE(toolbars.Alternative);
    EXPECT_TRUE(Unavailable.empty());
}

TEST_F(ViewCommands, FavouritesAreShortcutsListedInTheirMenu)
{
    CurrentOptions().Internal.FavFolder = qptest::ScratchDir() + "\\Favoris";
    const std::string path = WriteFile("Lettre & co.rtf", "{\\rtf1 Texte\\par}");
    CommandManager().ExecuteCommandWithArg(200600, reinterpret_cast<intptr_t>(path.c_str()));
    EXPECT_NE(GetFileAttributesA((CurrentOptions().Internal.FavFolder + "\\Lettre & co.rtf.lnk").c_str()),
              INVALID_FILE_ATTRIBUTES);
    TMenuItem* menu = Form->GetPopupMenu("FAVORITES")->Items();
    EXPECT_EQ(ListAt(menu, FavoritesPlace), std::vector<std::string>{"Lettre && co.rtf"});
    // Chosen, the favourite opens its document.
    for (int i = 0; i < menu->Count(); ++i)
        if (menu->Items(i)->Caption == "Lettre && co.rtf")
            menu->Items(i)->Click();
    Pump();
    ASSERT_EQ(Dispatcher->DocumentCount(), 1);
    EXPECT_NE(Dispatcher->Document(0)->FileName.find("Lettre & co.rtf"), std::string::npos);
    // The open button's menu lists it among the recent documents.
    TMenuItem* open = Form->GetPopupMenu("OPEN")->Items();
    const std::vector<std::string> recent = ListAt(open, HistoryPlace);
    ASSERT_FALSE(recent.empty());
    EXPECT_NE(recent[0].find("Lettre && co.rtf"), std::string::npos);
}

TEST_F(ViewCommands, ViewOptionsLayEveryDocumentOutAgain)
{
    TDocument* first = OpenData("rtf/structure-lo.rtf");
    TDocument* second = Dispatcher->NewDocument();
    ASSERT_TRUE(first && second);
    first->SetCaret(1, 3, 0, 4);
    const TTextPos caret = first->Caret;
    // A stale height stands for a line laid out under the old settings.
    for (TDocument* doc : {first, second}) {
        ASSERT_FALSE(doc->Paragraphs[0]->Lines.empty());
        doc->Paragraphs[0]->Lines[0]->Height = 999;
    }
    CommandManager().ExecuteCommand(6060); // the ruler shown or hidden
    for (TDocument* doc : {first, second}) {
        ASSERT_FALSE(doc->Paragraphs[0]->Lines.empty());
        EXPECT_NE(doc->Paragraphs[0]->Lines[0]->Height, 999);
        EXPECT_FALSE(doc->Pages.empty());
    }
    EXPECT_EQ(first->Caret.ParIndex, caret.ParIndex);
    EXPECT_EQ(first->Caret.Offset, caret.Offset);
    CommandManager().ExecuteCommand(6060);
}
