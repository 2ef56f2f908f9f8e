// What the user is told when the engine or a lexicon cannot be used, answered as a user would answer.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "classlib/runtime/Files.h"
#include "core/Messages.h"
#include "tests/common/test_support.h"
#include "tests/tools/french_system.h"
#include "tools/SpellCheckSystem.h"
#include "tools/SpellEngine.h"

namespace {

// Each message shown is noted and answered with the button of the caption that Answers gives for it
// (the message form of this thread being the enabled window that shows).
std::vector<std::string> Texts;
std::string (*ChooseAnswer)(const std::string& text) = nullptr;

BOOL CALLBACK FindForm(HWND window, LPARAM found)
{
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

struct TButtonSearch {
    std::string Caption;
    HWND Found = nullptr;
};

BOOL CALLBACK FindButton(HWND window, LPARAM search)
{
    auto* s = reinterpret_cast<TButtonSearch*>(search);
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    if (s->Caption == text) {
        s->Found = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerMessage(HWND, UINT, UINT_PTR, DWORD)
{
    HWND form = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindForm, reinterpret_cast<LPARAM>(&form));
    if (!form)
        return;
    Texts.push_back(PendingMessage.Text);
    TButtonSearch search{ChooseAnswer(PendingMessage.Text)};
    EnumChildWindows(form, FindButton, reinterpret_cast<LPARAM>(&search));
    if (search.Found)
        SendMessageA(search.Found, BM_CLICK, 0, 0);
    else
        PostMessageA(form, WM_CLOSE, 0, 0);
}

class SpellMessages : public testing::Test {
protected:
    void SetUp() override
    {
        Texts.clear();
        Timer = SetTimer(nullptr, 0, 50, AnswerMessage);
    }
    void TearDown() override { KillTimer(nullptr, Timer); }
    UINT_PTR Timer = 0;
};

// Questions are answered No, everything else OK.
std::string NoToQuestions(const std::string& text)
{
    return text.find('?') != std::string::npos ? "&Non" : "OK";
}

} // namespace

TEST_F(SpellMessages, AMissingEngineIsReportedInFrench)
{
    ChooseAnswer = NoToQuestions;
    ASSERT_FALSE(SpellEngineLoaded()) << "this test must run before the engine is loaded";
    EXPECT_FALSE(LoadSpellCheckEngine(qptest::ScratchDir() + "\\French.qsc"));
    ASSERT_EQ(Texts.size(), 1u);
    EXPECT_EQ(Texts[0], "Impossible de charger le moteur de vérification orthographique \"ssce5332.dll\".");
    EXPECT_TRUE(LoadBuildSpellEngine());
}

TEST_F(SpellMessages, DamagedAndMissingLexiconsAreReportedAndDroppedOnNo)
{
    ChooseAnswer = NoToQuestions;
    ASSERT_TRUE(LoadBuildSpellEngine());
    const std::string folder = qptest::ScratchDir();
    ForceDirectories(folder + "\\Lex");
    std::ofstream(folder + "\\Lex\\abime.zlx", std::ios::binary) << "\x01\x4C\xE5\xBF pas un flux";
    const std::string file = MakeFrenchSystem(folder, {"abime.zlx", "absent.zlx"});
    DeleteFile(folder + "\\Lex\\perso.tlx");

    TSpellCheckSystem system(file);
    system.Start();
    ASSERT_TRUE(system.Running);
    const std::vector<std::string> expected = {
        "Impossible de charger le dictionnaire \"abime.zlx\".\r\nSouhaitez-vous conserver ce dictionnaire et "
        "renouveler votre tentative plus tard ?",
        "Impossible de charger le dictionnaire \"absent.zlx\".\r\nSouhaitez-vous conserver ce dictionnaire "
        "et "
        "renouveler votre tentative plus tard ?",
        "Votre dictionnaire personnel \"perso.tlx\" est introuvable.\r\nQuillpad en a créé un nouveau, vide, "
        "pour que "
        "vous puissiez continuer d'y ajouter vos propres mots.",
    };
    EXPECT_EQ(Texts, expected);
    // Both dropped on No, the personal dictionary made anew; the system's file is written when it goes.
    EXPECT_EQ(system.FixedLexicons.Count(), 1);
    EXPECT_TRUE(system.Modified);
    EXPECT_TRUE(FileExists(folder + "\\Lex\\perso.tlx"));
    EXPECT_EQ(system.CheckWord("bonjour", 0x40C), 0);
}
