// The pop-up and drop-down menus of the program's resources as the main window shows them: the file
// histories and the search histories they list at run time with the commands that empty them, the
// bookmark menu of the status bar, the recent languages, and the tips asked for by the main form's flag.
#include <windows.h>

#include <algorithm>

#include "classlib/windowing/Menus.h"
#include "classlib/windowing/StdCtrls.h"
#include "core/FileList.h"
#include "core/Languages.h"
#include "shell/AdviseForm.h"
#include "shell/FormatCommands_win.h"
#include "shell/RichViewer.h"
#include "shell/Startup.h"
#include "tests/shell/command_fixture.h"
#include "tools/FindReplace.h"
#include "tools/SpellCheck.h"

namespace {

using ContextMenus = CommandFixture;

std::vector<std::string> Captions(TPopupMenu* menu)
{
    std::vector<std::string> captions;
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        if (item->Visible)
            captions.push_back(item->IsLine() ? "-" : item->Caption);
    }
    return captions;
}

TMenuItem* ItemWithCaption(TPopupMenu* menu, const std::string& caption)
{
    for (int i = 0; i < menu->Items()->Count(); ++i)
        if (menu->Items()->Items(i)->Visible && menu->Items()->Items(i)->Caption == caption)
            return menu->Items()->Items(i);
    ADD_FAILURE() << caption;
    return nullptr;
}

} // namespace

TEST_F(ContextMenus, TheInsertionMenusListTheirHistoriesAndEmptyThem)
{
    ASSERT_TRUE(Dispatcher->NewDocument());
    Pump();
    TFileList& files = Holder->Owners.FileLists[3];
    TFileList& pictures = Holder->Owners.FileLists[5];
    files.Names = {qptest::DataPath("rtf/champs-lo.rtf"), "C:\\absent\\perdu.rtf"};
    pictures.Names = {qptest::DataPath("png/basn2c08.png")};
    CommandManager().DirtyFlags |= cdFileHistory;

    TPopupMenu* insertFile = Form->GetPopupMenu("INSFILE");
    const std::vector<std::string> fileCaptions = Captions(insertFile);
    ASSERT_EQ(fileCaptions.size(), 7u);
    EXPECT_NE(fileCaptions[0].find("champs-lo.rtf"), std::string::npos);
    EXPECT_NE(fileCaptions[1].find("perdu.rtf"), std::string::npos);
    EXPECT_EQ(fileCaptions[2], "-");
    EXPECT_EQ(fileCaptions[3], "Supprimer les entrées &caduques");
    EXPECT_EQ(fileCaptions[4], "Supprimer &toutes les entrées");
    EXPECT_EQ(fileCaptions[6], "Insérer un &fichier");
    const std::vector<std::string> pictureCaptions = Captions(Form->GetPopupMenu("INSPIC"));
    ASSERT_EQ(pictureCaptions.size(), 7u);
    EXPECT_NE(pictureCaptions[0].find("basn2c08.png"), std::string::npos);
    EXPECT_EQ(pictureCaptions[2], "Supprimer les entrées &caduques");
    EXPECT_EQ(pictureCaptions[5], "Insérer une &image");

    // Choosing an inserted file inserts it again into the active document.
    TDocument* document = CommandManager().GetDocument();
    const int32_t paragraphs = document->ParagraphCount();
    ItemWithCaption(insertFile, fileCaptions[0])->Click();
    EXPECT_GT(document->ParagraphCount(), paragraphs);

    // Stale entries go, then all; the picture history stays.
    ItemWithCaption(Form->GetPopupMenu("INSFILE"), "Supprimer les entrées &caduques")->Click();
    EXPECT_EQ(files.Names, std::vector<std::string>{qptest::DataPath("rtf/champs-lo.rtf")});
    ItemWithCaption(Form->GetPopupMenu("INSFILE"), "Supprimer &toutes les entrées")->Click();
    EXPECT_TRUE(files.Names.empty());
    EXPECT_EQ(Captions(Form->GetPopupMenu("INSFILE")), std::vector<std::string>{"Insérer un &fichier"});
    EXPECT_EQ(pictures.Names.size(), 1u);
    EXPECT_TRUE(Unavailable.empty());
}

TEST_F(ContextMenus, TheSearchMenusListTheHistoriesAndRunTheSearch)
{
    ASSERT_TRUE(Dispatcher->NewDocument());
    Pump();
    TFindReplaceForm form;
    FindReplaceForm = &form;
    EXPECT_EQ(Captions(Form->GetPopupMenu("FIND")),
              (std::vector<std::string>{"( Vide )", "-", "Supprimer &toutes les entrées"}));
    form.FindHistory = {"chat", "R&D", "chien"};
    form.ReplaceHistory = {"matou", "recherche"};
    EXPECT_EQ(Captions(Form->GetPopupMenu("FIND")),
              (std::vector<std::string>{"chat", "R&&D", "chien", "-", "Supprimer &toutes les entrées"}));
    TPopupMenu* replace = Form->GetPopupMenu("REPLACE");
    EXPECT_EQ(Captions(replace), (std::vector<std::string>{"chat >>> matou", "R&&D >>> recherche", "-",
                                                           "Supprimer &toutes les entrées"}));
    // An entry comes to the top of its history and the search runs (its executor comes later).
    ItemWithCaption(replace, "R&&D >>> recherche")->Click();
    EXPECT_EQ(form.FindHistory, (std::vector<std::string>{"R&D", "chat", "chien"}));
    EXPECT_EQ(form.ReplaceHistory, (std::vector<std::string>{"recherche", "matou"}));
    EXPECT_EQ(Unavailable, std::vector<int32_t>{3646});
    ItemWithCaption(Form->GetPopupMenu("FIND"), "Supprimer &toutes les entrées")->Click();
    EXPECT_TRUE(form.FindHistory.empty());
    EXPECT_EQ(form.ReplaceHistory.size(), 2u);
    FindReplaceForm = nullptr;
}

TEST_F(ContextMenus, EveryItemOfTheContextMenusReachesTheCommandManager)
{
    TDocument* document = OpenData("rtf/champs-lo.rtf");
    ASSERT_TRUE(document);
    document->SelectAll();
    // Each item runs its command: a command of a later part says so, none is silently lost.
    for (const char* name :
         {"BKMRKTABS", "CASE", "CLIPBRD", "CLIPLIB", "FIELD", "HLINK", "HSCRLBAR", "MSPLTWRD",
          "MSPLTWRD_NOSUGG", "NOSPELLCHECKER", "RULER", "SYMBOL", "TOC", "VERRULER"}) {
        TPopupMenu* menu = Form->GetPopupMenu(name);
        ASSERT_GT(menu->Items()->Count(), 0) << name;
        for (int i = 0; i < menu->Items()->Count(); ++i) {
            TMenuItem* item = menu->Items()->Items(i);
            EXPECT_TRUE(item->IsLine() || item->Tag > 0 || item->Count() > 0) << name << " " << item->Caption;
            if (item->Tag > 0)
                EXPECT_TRUE(item->OnClick) << name << " " << item->Caption;
        }
    }
    const int32_t last = CommandManager().GetLastCommand();
    Form->GetPopupMenu("CASE")->Items()->Items(0)->Click(); // upper case, enabled with a selection
    EXPECT_EQ(CommandManager().GetLastCommand(), 3980);
    EXPECT_NE(last, 3980);
    TMenuItem* library = Form->GetPopupMenu("CLIPLIB")->Items()->Items(5);
    EXPECT_EQ(library->Tag, 5215);
    library->Click();
    EXPECT_EQ(Unavailable, std::vector<int32_t>{5215});
}

TEST_F(ContextMenus, ThePositionPanelsListTheBookmarks)
{
    TDocument* document = OpenData("rtf/structure-lo.rtf");
    ASSERT_TRUE(document);
    ASSERT_GT(document->Bookmarks.Count(), 0);
    TPopupMenu* menu = Form->BookmarkMenu(*document);
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->Items()->Count(), document->Bookmarks.Count());
    const std::string name = document->Bookmarks[document->Bookmarks.Count() - 1];
    document->PlaceCaret(TTextPos{0, 0, 0, 0, 0, 0}, 0);
    const TTextPos before = document->Caret;
    menu->Items()->Items(menu->Items()->Count() - 1)->Click();
    EXPECT_FALSE(document->Caret.ParIndex == before.ParIndex && document->Caret.Offset == before.Offset)
        << name;

    TDocument* plain = Dispatcher->NewDocument();
    Pump();
    EXPECT_EQ(Form->BookmarkMenu(*plain), nullptr);
}

TEST_F(ContextMenus, TipsAskedForShowOnceAtTheNextIdlePass)
{
    const bool starting = StartingUp;
    StartingUp = false;
    CurrentOptions().Internal.AdviseAtStartUp = true;
    CurrentOptions().Internal.RunCount = 0;
    std::vector<std::string> shown;
    bool firstCouldGoBack = true;
    OnAdviseFormShown = [&](TAdviseForm& form) {
        shown.push_back(form.RichViewer->LaidOutText());
        firstCouldGoBack = form.PrevBtn->Enabled();
        EXPECT_TRUE(form.DetailsBtn->Enabled()); // the first tip names its help topic
        form.NextBtn->Click();
        shown.push_back(form.RichViewer->LaidOutText());
        EXPECT_TRUE(form.PrevBtn->Enabled());
        form.PrevBtn->Click();
        shown.push_back(form.RichViewer->LaidOutText());
        form.ShowAtStartUpCheckBox->SetChecked(false);
        form.ModalResult = mrOk;
        PostMessageA(form.Handle(), WM_NULL, 0, 0);
    };
    Form->Flags |= mffShowTips;
    bool done = true;
    Application->OnIdle(nullptr, done);
    EXPECT_FALSE(Form->Flags & mffShowTips);
    EXPECT_EQ(CommandManager().GetLastCommand(), 101100);
    ASSERT_EQ(shown.size(), 3u);
    // The first run's tip, its codes not drawn, broken into lines that fit the viewer.
    EXPECT_EQ(shown[0].find('^'), std::string::npos);
    EXPECT_NE(shown[0].find("Ouvrir"), std::string::npos);
    EXPECT_NE(shown[0].find('\n'), std::string::npos);
    EXPECT_FALSE(firstCouldGoBack);
    EXPECT_NE(shown[1], shown[0]);
    EXPECT_EQ(shown[2], shown[0]);
    EXPECT_FALSE(CurrentOptions().Internal.AdviseAtStartUp);
    // A second pass asks for nothing more.
    shown.clear();
    Application->OnIdle(nullptr, done);
    EXPECT_TRUE(shown.empty());
    OnAdviseFormShown = nullptr;
    FreeAdviseManager();
    StartingUp = starting;
}

TEST_F(ContextMenus, ASpellCheckerChangeChecksEveryDocumentAgain)
{
    TDocument* first = Dispatcher->NewDocument();
    TDocument* second = Dispatcher->NewDocument();
    Pump();
    first->SpellState = 2;
    second->SpellState = 4;
    CurrentOptions().SpellCheck.Flags |= scoCheckAsYouType;
    const int32_t generation = SpellCheckManager()->CheckGeneration;
    SpellCheckManager()->RecheckDocuments();
    EXPECT_EQ(SpellCheckManager()->CheckGeneration, generation + 1);
    EXPECT_EQ(first->SpellState, 5);
    EXPECT_EQ(second->SpellState, 5);
    CurrentOptions().SpellCheck.Flags &= ~scoCheckAsYouType;
    SpellCheckManager()->RecheckDocuments();
    EXPECT_EQ(first->SpellState, 0);
}

TEST_F(ContextMenus, TheLanguageMenuListsTheRecentLanguagesAndAppliesOne)
{
    TLanguageManager& languages = LanguageManager();
    const std::vector<int32_t> saved = languages.History;
    languages.History.clear();
    EXPECT_EQ(Captions(Form->GetPopupMenu("LNGHIST")),
              (std::vector<std::string>{"( Vide )", "-", "Supprimer toutes les entrées"}));

    TDocument* document = OpenData("rtf/champs-lo.rtf");
    ASSERT_TRUE(document);
    document->SelectAll();
    languages.History = {0x040C, 0x0407, 0x0809};
    const std::vector<std::string> captions = Captions(Form->GetPopupMenu("LNGHIST"));
    ASSERT_EQ(captions.size(), 5u);
    EXPECT_EQ(captions[0], LanguageName(0x040C));
    EXPECT_EQ(captions[1], LanguageName(0x0407));
    EXPECT_EQ(captions[3], "-");

    // German goes over the selection as one undoable step and to the front of the history.
    ItemWithCaption(Form->GetPopupMenu("LNGHIST"), LanguageName(0x0407))->Click();
    TCharFormat chars;
    TParaFormat paras;
    SelectionFormats(*document, chars, paras);
    EXPECT_EQ(chars[cfLanguage], 0x0407);
    EXPECT_EQ(languages.History, (std::vector<int32_t>{0x0407, 0x040C, 0x0809}));
    CommandManager().ExecuteCommand(3840); // undo
    SelectionFormats(*document, chars, paras);
    EXPECT_NE(chars[cfLanguage], 0x0407);

    // "Supprimer toutes les entrées" empties the history, with or without a document.
    ItemWithCaption(Form->GetPopupMenu("LNGHIST"), "Supprimer toutes les entrées")->Click();
    EXPECT_TRUE(languages.History.empty());
    languages.History = saved;
}
