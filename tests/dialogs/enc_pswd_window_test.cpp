// The password dialogs driven as a user drives them: typing into the edits, clicking the buttons and the
// check box, answering the messages they show.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "core/Options.h"
#include "dialogs/EncPswd.h"
#include "formats/Encryption.h"
#include "tests/dialogs/dialog_user.h"

namespace {

using namespace dialogtest;

// Types into the password edits (in tab order) and presses OK.
TUser::TAct TypeAndAccept(std::vector<std::string> texts)
{
    return [texts](HWND dialog) {
        const std::vector<HWND> edits = Children(dialog, "Edit");
        ASSERT_GE(edits.size(), texts.size());
        for (size_t i = 0; i < texts.size(); ++i)
            SetWindowTextA(edits[i], texts[i].c_str());
        PostMessageA(FindWindowExA(dialog, nullptr, nullptr, "OK"), BM_CLICK, 0, 0);
    };
}

std::string Deciphered(std::string password)
{
    GetEncryptionManager().DecryptString(password);
    return password;
}

} // namespace

TEST(EncPswd, SavingRefusesShortAndDifferentPasswordsThenKeepsOne)
{
    CurrentOptions().LoadSave.ReuseEncPass = 0;
    TUser user;
    const char* dialog = "Mot de passe du document";
    user.On(dialog, TypeAndAccept({"court77", "court77"}));
    user.On("Avertissement", Answer(user));
    user.On(dialog, [](HWND window) {
        // Both edits were emptied.
        for (HWND edit : Children(window, "Edit"))
            EXPECT_EQ(TextOf(edit), "");
        TypeAndAccept({"Motdepasse8", "motdepasse8"})(window);
    });
    user.On("Avertissement", Answer(user));
    user.On(dialog, TypeAndAccept({"", "x"}));
    user.On("Information", Answer(user));
    user.On(dialog, TypeAndAccept({"motdepasse", ""}));
    user.On("Information", Answer(user));
    user.On(dialog, TypeAndAccept({"motdepasse", "motdepasse"}));
    std::string password;
    ASSERT_TRUE(AskPasswordForSaving(password));
    EXPECT_TRUE(user.Done());
    ASSERT_EQ(user.Messages.size(), 4u);
    EXPECT_NE(user.Messages[0].find("moins de 8 caract"), std::string::npos) << user.Messages[0];
    EXPECT_NE(user.Messages[1].find("identiques"), std::string::npos) << user.Messages[1];
    EXPECT_NE(user.Messages[2].find("spécifier un mot de passe"), std::string::npos) << user.Messages[2];
    EXPECT_NE(user.Messages[3].find("ressaisir"), std::string::npos) << user.Messages[3];
    // Handed over enciphered in memory.
    EXPECT_NE(password, "motdepasse");
    EXPECT_EQ(Deciphered(password), "motdepasse");

    // Cancelled: nothing comes back.
    TUser cancel;
    cancel.On(dialog, [](HWND window) { Click(window, "Annuler"); });
    std::string none;
    EXPECT_FALSE(AskPasswordForSaving(none));
    EXPECT_TRUE(none.empty());
}

TEST(EncPswd, OpeningWithTheBoxTickedSuggestsThePasswordAgain)
{
    CurrentOptions().LoadSave.ReuseEncPass = 0;
    TUser user;
    user.On("Mot de passe", [](HWND window) {
        EXPECT_EQ(TextOf(Children(window, "Edit").at(0)), "");
        Click(window, "Essayer d'ouvrir &tous les documents cryptés avec ce mot de passe.");
        // Once ticked, Cancel reads "Fermer".
        EXPECT_NE(FindWindowExA(window, nullptr, nullptr, "Fermer"), nullptr);
        TypeAndAccept({"sésame ouvre-toi"})(window);
    });
    std::string password;
    ASSERT_TRUE(AskPasswordForOpening(password));
    EXPECT_EQ(Deciphered(password), "sésame ouvre-toi");
    EXPECT_EQ(CurrentOptions().LoadSave.ReuseEncPass & 1, 1);

    TUser again;
    std::string shown;
    again.On("Mot de passe", [&shown](HWND window) {
        shown = TextOf(Children(window, "Edit").at(0));
        Click(window, "OK");
    });
    ASSERT_TRUE(AskPasswordForOpening(password));
    EXPECT_EQ(shown, "sésame ouvre-toi");
    CurrentOptions().LoadSave.ReuseEncPass = 0;
}

// With QP_LOOK set, the saving dialog stays on screen for a few seconds, for a screenshot.
TEST(EncPswd, ShownForALook)
{
    if (!std::getenv("QP_LOOK"))
        GTEST_SKIP() << "QP_LOOK not set";
    TUser user;
    user.On("Mot de passe du document", [](HWND window) {
        SetTimer(window, 1, 8000, CloseLater);
        SetWindowTextA(Children(window, "Edit").at(0), "motdepasse");
    });
    std::string password;
    AskPasswordForSaving(password);
}
