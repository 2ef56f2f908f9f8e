// The paragraph, character and page commands run through the command manager on real documents: each
// command over a selection gives the document the dump says, as one undoable step.
#include <gtest/gtest.h>

#include "core/Messages.h"
#include "document/Document.h"
#include "document/Section.h"
#include "editing/OperationManager.h"
#include "shell/CommandManager.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

std::vector<int32_t> Unavailable;

class FormatCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        Unavailable.clear();
        SilentMessages = true;
        CommandManager().OnCommandUnavailable = [](int32_t command) { Unavailable.push_back(command); };
    }
    void TearDown() override
    {
        CommandManager().DocumentOverride = nullptr;
        CommandManager().OnCommandUnavailable = nullptr;
        SilentMessages = false;
    }
};

const char* const Text =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}"
    "\\pard\\plain\\fs24 un {\\b deux} {\\uld trois}\\par\\pard\\plain\\fs24 quatre\\par}";

struct TCommandCase {
    int32_t command;
    int32_t par1, off1, par2, off2; // the selection; an empty one is the caret
    int times;                      // run that many times, each one step
    const char* line;               // paragraph 0 after it
};

std::string RunCommand(TEditDoc& d, int32_t command, int32_t par1, int32_t off1, int32_t par2, int32_t off2)
{
    CommandManager().DocumentOverride = d.Doc.get();
    d.Select(par1, off1, par2, off2);
    CommandManager().ExecuteCommand(command);
    return d.ParLine(0);
}

} // namespace

TEST_F(FormatCommands, CommandsOverSelections)
{
    const TCommandCase cases[] = {
        // Bold over text partly bold makes all of it bold; over bold text, plain.
        {12120, 0, 0, 0, 7, 1, "P0: <b=1>un deux<b=0> <ul=4>trois<ul=0><par>"},
        {12120, 0, 3, 0, 7, 1, "P0: un deux <ul=4>trois<ul=0><par>"},
        {12140, 0, 0, 0, 2, 1, "P0: <i=1>un<i=0> <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        // Sizes by half-points and to the nearest size of the list.
        {12240, 0, 0, 0, 2, 1, "P0: <size=26>un<size=24> <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {12220, 0, 0, 0, 2, 1, "P0: <size=22>un<size=24> <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {12280, 0, 0, 0, 2, 1, "P0: <size=28>un<size=24> <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {12260, 0, 0, 0, 2, 1, "P0: <size=22>un<size=24> <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        // Single underline; on a dotted underline it becomes single; on itself it goes.
        {12160, 0, 0, 0, 2, 1, "P0: <ul=1>un<ul=0> <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {12160, 0, 8, 0, 13, 1, "P0: un <b=1>deux<b=0> <ul=1>trois<ul=0><par>"},
        {12163, 0, 8, 0, 13, 1, "P0: un <b=1>deux<b=0> trois<par>"},
        {12180, 0, 0, 0, 2, 1, "P0: <vpos=1>un<vpos=0> <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {12360, 0, 0, 0, 2, 1, "P0: <spacing=20>un<spacing=0> <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        // Paragraphs: the caret's paragraph, or those of the selection.
        {9081, 0, 1, 0, 1, 1, "P0 align=1: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9083, 0, 1, 1, 1, 1, "P0 align=3: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9100, 0, 1, 0, 1, 2, "P0 li=1440: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9140, 0, 1, 0, 1, 1, "P0 fi=-720 li=720: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9170, 0, 1, 0, 1, 1, "P0 fi=720: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9200, 0, 1, 0, 1, 1, "P0 sl=360: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9220, 0, 1, 0, 1, 1, "P0 sl=480: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9240, 0, 1, 0, 1, 1, "P0 sb=240: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9246, 0, 1, 0, 1, 1, "P0 sb=240 sa=240: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9251, 0, 1, 0, 1, 1, "P0 sb=60: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9270, 0, 1, 0, 1, 1, "P0 keepn=1: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9272, 0, 1, 0, 1, 1, "P0 pagebb=1: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
        {9320, 0, 1, 0, 1, 1, "P0 fi=-270 li=270 bullet=1: un <b=1>deux<b=0> <ul=4>trois<ul=0><par>"},
    };
    for (const auto& c : cases) {
        TEditDoc d(Text);
        CommandManager().DocumentOverride = d.Doc.get();
        d.Select(c.par1, c.off1, c.par2, c.off2);
        const std::string before = d.Dump();
        for (int i = 0; i < c.times; ++i)
            CommandManager().ExecuteCommand(c.command);
        EXPECT_EQ(d.ParLine(0), c.line) << c.command;
        EXPECT_EQ(d.OperationCount(), c.times) << c.command;
        EXPECT_TRUE(Unavailable.empty()) << c.command;
        for (int i = 0; i < c.times; ++i)
            d.Undo();
        EXPECT_EQ(d.Dump(), before) << c.command;
    }
}

TEST_F(FormatCommands, TogglesTurnBackAndTheSecondParagraphFollows)
{
    // The same command again takes the format back off, in a second step.
    for (int32_t command : {12120, 12160, 12180, 9240, 9270, 9320}) {
        TEditDoc d(Text);
        const std::string plain = d.ParLine(0);
        RunCommand(d, command, 0, 0, 0, 2);
        EXPECT_NE(d.ParLine(0), plain) << command;
        d.Doc->Caret = d.Doc->Selection.EndPos;
        EXPECT_EQ(RunCommand(d, command, 0, 0, 0, 2), plain) << command;
        EXPECT_EQ(d.OperationCount(), 2) << command;
    }
    TEditDoc d(Text);
    RunCommand(d, 9083, 0, 1, 1, 1);
    EXPECT_EQ(d.ParLine(1), "P1 align=3: quatre<par>");
    EXPECT_EQ(d.OperationCount(), 1);
}

TEST_F(FormatCommands, DialogsOfLaterWorkAndMessages)
{
    TEditDoc d(Text);
    const std::string before = d.Dump();
    // Dialogs that are not there yet reach the manager, which names the command.
    for (int32_t command : {9000, 9300, 12000, 12300, 15500, 15600, 15700}) {
        Unavailable.clear();
        RunCommand(d, command, 0, 0, 0, 2);
        EXPECT_EQ(Unavailable, std::vector<int32_t>{command});
    }
    // A picture command without a picture selected, and a one-page document to shrink, say so (the
    // messages' texts are the engine tests') and change nothing.
    Unavailable.clear();
    RunCommand(d, 15000, 0, 0, 0, 2);
    RunCommand(d, 12310, 0, 0, 0, 2);
    EXPECT_TRUE(Unavailable.empty());
    EXPECT_EQ(d.Dump(), before);
    EXPECT_EQ(d.OperationCount(), 0);
    // With a picture selected the picture's format dialog is asked for.
    TEditDoc picture("{\\rtf1\\ansi un {\\pict\\pngblip\\picw1\\pich1 "
                     "89504e470d0a1a0a0000000d4948445200000001000000010802000000907753de0000000c4944415478"
                     "9c63f8cfc0000003010100c9fe92ef0000000049454e44ae426082} deux\\par}");
    RunCommand(picture, 15000, 0, 3, 0, 4);
    ASSERT_TRUE(picture.Doc->IsObjectSelected());
    EXPECT_EQ(Unavailable, std::vector<int32_t>{15000});
}

TEST_F(FormatCommands, SectionBreakKinds)
{
    TEditDoc d("{\\rtf1\\ansi un\\par deux\\sect\\sectd trois\\par}");
    const auto breakKind = [&d] {
        d.Doc->UpdateSectionRanges();
        return d.Doc->Sections[0]->BreakKind();
    };
    const int32_t first = breakKind();
    const std::string before = d.Dump();
    // The caret in the first section, which a break ends: each kind in turn, one step each; the kind it
    // already has adds no step.
    const struct {
        int32_t command;
        int32_t kind;
        int steps;
    } cases[] = {{15650, 0, 1}, {15653, 3, 2}, {15652, 2, 3}, {15652, 2, 3}, {15651, 1, 4}};
    for (const auto& c : cases) {
        CommandManager().DocumentOverride = d.Doc.get();
        d.Select(0, 1, 0, 1);
        ASSERT_TRUE(CommandManager().IsCommandEnabled(c.command));
        CommandManager().ExecuteCommand(c.command);
        EXPECT_EQ(breakKind(), c.kind) << c.command;
        EXPECT_EQ(d.OperationCount(), c.steps) << c.command;
    }
    EXPECT_TRUE(Unavailable.empty());
    for (int i = 0; i < 4; ++i)
        d.Undo();
    EXPECT_EQ(breakKind(), first);
    EXPECT_EQ(d.Dump(), before);
    // The last section runs to the end of the text: no break to change.
    d.Select(2, 1, 2, 1);
    EXPECT_FALSE(CommandManager().IsCommandEnabled(15650));
}

TEST_F(FormatCommands, FormatsCopiedAndPasted)
{
    TEditDoc d(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\pard\\plain\\qc\\li360\\tx1440\\fs24 un "
        "{\\b\\i deux} trois\\par\\pard\\plain\\fs24 quatre cinq\\par}");
    // The character format of "deux" onto "quatre".
    RunCommand(d, 12020, 0, 3, 0, 7);
    RunCommand(d, 12040, 1, 0, 1, 6);
    EXPECT_EQ(d.ParLine(1), "P1: <b=1><i=1>quatre<b=0><i=0> cinq<par>");
    // The first paragraph's format, tab stops included, onto the second.
    RunCommand(d, 9020, 0, 1, 0, 1);
    RunCommand(d, 9040, 1, 1, 1, 1);
    const TParaFormat& first = d.Doc->Paragraphs[0]->ParaFormat;
    const TParaFormat& second = d.Doc->Paragraphs[1]->ParaFormat;
    EXPECT_EQ(second[pfAlignment], 1);
    EXPECT_EQ(second[pfLeftIndent], 360);
    EXPECT_EQ(second[pfTabTable], first[pfTabTable]);
    EXPECT_GE(second[pfTabTable], 0);
    EXPECT_EQ(d.OperationCount(), 2);
    d.Undo();
    EXPECT_EQ(d.Doc->Paragraphs[1]->ParaFormat[pfAlignment], 0);
}
