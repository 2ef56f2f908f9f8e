// The command states on real documents: which commands are enabled and which are checked, not checked
// or mixed, for each state of the document and of the main window.
#include <functional>
#include <map>

#include "core/FormatClipboards.h"
#include "editing/HeaderFooterEditing.h"
#include "tests/shell/command_fixture.h"

namespace {

struct TStateRow {
    const char* State;
    int32_t Command;
    bool Enabled;
    int Checked;
};

// Enabled and checked state of each command in each document state.
const TStateRow StateTable[] = {
    // No document: only what needs none.
    {"aucun", 100, true, csUnchecked},
    {"aucun", 120, true, csUnchecked},
    {"aucun", 180, false, csUnchecked},
    {"aucun", 140, false, csUnchecked},
    {"aucun", 9080, false, csUnchecked},
    {"aucun", 12120, false, csUnchecked},
    {"aucun", 3840, false, csUnchecked},
    {"aucun", 6060, false, csChecked}, // the option stands
    {"aucun", 7000, true, csUnchecked},
    {"aucun", 6170, false, csUnchecked},
    {"aucun", 90060, false, csUnchecked},
    {"aucun", 90105, false, csUnchecked},
    {"aucun", 100000, true, csUnchecked},
    {"aucun", 95, true, csUnchecked},
    {"aucun", 200000, true, csUnchecked},
    {"aucun", 206100, false, csUnchecked},
    {"aucun", 212100, false, csUnchecked},
    {"aucun", 250000, true, csUnchecked},
    // A new document: nothing selected, nothing to undo, left aligned, not bold.
    {"nouveau", 180, true, csUnchecked}, // a new document can always be saved
    {"nouveau", 3420, false, csUnchecked},
    {"nouveau", 3340, false, csUnchecked},
    {"nouveau", 3440, false, csUnchecked},
    {"nouveau", 3840, false, csUnchecked},
    {"nouveau", 3860, false, csUnchecked},
    {"nouveau", 3720, true, csUnchecked},
    {"nouveau", 9080, true, csChecked},
    {"nouveau", 9081, true, csUnchecked},
    {"nouveau", 12120, true, csUnchecked},
    {"nouveau", 4510, false, csUnchecked},
    {"nouveau", 7200, true, csUnchecked},
    {"nouveau", 7300, false, csUnchecked},
    {"nouveau", 7340, false, csUnchecked},
    {"nouveau", 9040, false, csUnchecked},
    {"nouveau", 12040, false, csUnchecked},
    {"nouveau", 3511, false, csUnchecked},
    {"nouveau", 6000, true, csUnchecked},
    {"nouveau", 6174, true, csChecked},
    {"nouveau", 6170, true, csUnchecked},
    {"nouveau", 90105, true, csUnchecked},
    {"nouveau", 90106, false, csUnchecked},
    {"nouveau", 90060, true, csUnchecked},
    {"nouveau", 90080, false, csUnchecked},
    {"nouveau", 15650, false, csUnchecked}, // one section: no break to change
    {"nouveau", 700, true, csChecked},
    {"nouveau", 702, true, csUnchecked},
    // Two paragraphs, left and right aligned, one partly bold, all selected.
    {"mixte", 3420, true, csUnchecked},
    {"mixte", 3340, true, csUnchecked},
    {"mixte", 3440, true, csUnchecked},
    {"mixte", 9080, true, csMixed},
    {"mixte", 9082, true, csMixed},
    {"mixte", 9083, true, csMixed},
    {"mixte", 12120, true, csMixed},
    {"mixte", 12140, true, csUnchecked},
    {"mixte", 12160, true, csUnchecked},
    {"mixte", 9270, true, csUnchecked},
    // A real document with a bookmark, headers and two sections, the caret at its start.
    {"rapport", 4510, true, csUnchecked},
    {"rapport", 4511, true, csUnchecked},
    {"rapport", 15650, true, csUnchecked}, // the first section's break ends its paragraph
    {"rapport", 15600, true, csUnchecked},
    {"rapport", 7200, true, csUnchecked},
    // The same while its header is edited.
    {"en-tête", 7200, true, csChecked},
    {"en-tête", 7300, true, csUnchecked},
    {"en-tête", 7350, true, csUnchecked},
    {"en-tête", 7340, false, csUnchecked}, // the first section has no section before it
    {"en-tête", 3002, false, csUnchecked},
    {"en-tête", 3081, false, csUnchecked},
    {"en-tête", 4510, false, csUnchecked},
    {"en-tête", 12310, false, csUnchecked},
    {"en-tête", 15600, false, csUnchecked},
    {"en-tête", 15650, false, csUnchecked},
    // Format painter: the painter's formats count, and the stepping commands are off.
    {"pinceau", 702, true, csChecked},
    {"pinceau", 700, true, csUnchecked},
    {"pinceau", 9100, false, csUnchecked},
    {"pinceau", 12220, false, csUnchecked},
    {"pinceau", 9080, true, csUnchecked},
    {"pinceau", 9082, true, csChecked}, // right aligned in the painter's format
    {"pinceau", 12120, true, csChecked},
    {"pinceau", 9200, true, csChecked},
    {"pinceau", 9180, true, csUnchecked},
    {"pinceau", 12140, true, csMixed}, // not set in the painter's format
    {"pinceau", 9040, true, csUnchecked},
    {"pinceau", 3511, true, csUnchecked},
    // Full screen: the bar commands are off.
    {"plein écran", 7000, true, csChecked},
    {"plein écran", 6060, false, csChecked},
    {"plein écran", 6140, false, csChecked},
    {"plein écran", 6220, false, csUnchecked},
    {"plein écran", 6020, true, csUnchecked},
};

using CommandStates = CommandFixture;

const char* const MixedRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 \\ql Gauche \\b gras\\b0\\par "
                             "\\pard\\qr Droite\\par}";

} // namespace

TEST_F(CommandStates, FollowTheDocumentAndTheWindow)
{
    const std::string mixed = WriteFile("mixte.rtf", MixedRtf);
    std::map<std::string, std::function<void()>> states = {
        {"aucun", [] {}},
        {"nouveau", [this] { ASSERT_TRUE(Dispatcher->NewDocument()); }},
        {"mixte",
         [&] {
             TDocument* doc = Open(mixed);
             ASSERT_TRUE(doc);
             doc->SelectAll();
         }},
        {"rapport", [this] { ASSERT_TRUE(OpenData("rtf/structure-lo.rtf")); }},
        {"en-tête",
         [this] {
             TDocument* doc = OpenData("rtf/structure-lo.rtf");
             ASSERT_TRUE(doc);
             ToggleHeaderFooterEditing(*doc, -1, nullptr);
             ASSERT_TRUE(doc->EditedHeaderFooter);
         }},
        {"pinceau",
         [this] {
             ASSERT_TRUE(Dispatcher->NewDocument());
             Form->MouseMode = 2;
             ParFormatClipboard().HasFormat = true;
             ParFormatClipboard().Format[pfAlignment] = 2;
             ParFormatClipboard().Format[pfLineSpacing] = 360;
             ParFormatClipboard().Format[pfSpacingRule] = 1;
             CharFormatClipboard().HasFormat = true;
             CharFormatClipboard().Format[cfBold] = 1;
         }},
        {"plein écran",
         [this] {
             ASSERT_TRUE(Dispatcher->NewDocument());
             Form->FullScreen = true;
         }},
    };
    for (auto& [name, setup] : states) {
        SCOPED_TRACE(name);
        setup();
        for (const TStateRow& row : StateTable) {
            if (name != row.State)
                continue;
            EXPECT_EQ(CommandManager().IsCommandEnabled(row.Command), row.Enabled) << row.Command;
            EXPECT_EQ(CommandManager().GetCommandState(row.Command), row.Checked) << row.Command;
        }
        // Back to no document and the ordinary window.
        while (Dispatcher->DocumentCount() > 0)
            Dispatcher->CloseDocument(Dispatcher->Document(0), false);
        Form->MouseMode = 0;
        Form->FullScreen = false;
        ParFormatClipboard().Clear();
        CharFormatClipboard().Clear();
    }
}

TEST_F(CommandStates, DocumentSwitchesCountTheOpenDocuments)
{
    ASSERT_TRUE(Dispatcher->NewDocument());
    ASSERT_TRUE(Dispatcher->NewDocument());
    EXPECT_FALSE(CommandManager().IsCommandEnabled(90107));
    CommandManager().ExecuteCommand(90107); // disabled: nothing happens
    EXPECT_NE(CommandManager().GetLastCommand(), 90107);
    ASSERT_TRUE(Dispatcher->NewDocument());
    EXPECT_TRUE(CommandManager().IsCommandEnabled(90107));
    EXPECT_FALSE(CommandManager().IsCommandEnabled(90108));
}

TEST_F(CommandStates, PasteFollowsTheClipboard)
{
    ASSERT_TRUE(Dispatcher->NewDocument());
    bool holds = false;
    int asked = 0;
    CommandManager().QueryClipboard = [&](bool& available) {
        ++asked;
        available = holds;
        return true;
    };
    CommandManager().DirtyFlags |= cdClipboard;
    EXPECT_FALSE(CommandManager().IsCommandEnabled(3360));
    holds = true;
    EXPECT_FALSE(CommandManager().IsCommandEnabled(3360)); // kept until the clipboard changes
    EXPECT_EQ(asked, 1);
    CommandManager().DirtyFlags |= cdClipboard;
    EXPECT_TRUE(CommandManager().IsCommandEnabled(3360));
    EXPECT_TRUE(CommandManager().IsCommandEnabled(203500));
    // A clipboard that cannot be opened is asked again later.
    CommandManager().QueryClipboard = [&](bool&) { return false; };
    CommandManager().DirtyFlags |= cdClipboard;
    CommandManager().IsCommandEnabled(3400);
    EXPECT_TRUE(CommandManager().DirtyFlags & cdClipboard);
    CommandManager().QueryClipboard = nullptr;
}
