// The associations dialog and the document formats dialog driven as a user drives them: typing into and
// choosing from their boxes, clicking their buttons, answering the questions they ask, and what the
// registry and the caller's record hold afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "classlib/runtime/Registry.h"
#include "core/Codings.h"
#include "dialogs/FileAssoc.h"
#include "tests/common/test_support.h"
#include "tests/dialogs/dialog_user.h"

namespace {

using namespace dialogtest;

const char* const AssociateCaption = "Types de fichiers associés";
const char* const FormatsCaption = "Formats et modèles de document";

std::string ClassesDefault(const std::string& key)
{
    TRegistry reg(TRegistryRoot::ClassesRoot);
    return reg.OpenKeyReadOnly(key) ? reg.ReadString("") : "<absent>";
}

std::vector<std::string> ComboLines(HWND combo)
{
    std::vector<std::string> lines;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        if (SendMessageA(combo, CB_GETLBTEXTLEN, WPARAM(i), 0) < LRESULT(sizeof text))
            SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
        lines.push_back(text);
    }
    return lines;
}

// Presses a button the way a click does, after whatever input is already on its way.
void Press(HWND dialog, const char* caption)
{
    HWND button = FindWindowExA(dialog, nullptr, nullptr, caption);
    ASSERT_NE(button, nullptr) << caption;
    PostMessageA(button, BM_CLICK, 0, 0);
}

// The typed box (with its own edit) and the list of associated extensions.
HWND TypedBox(HWND dialog)
{
    return Children(dialog, "QuillpadComboBox").at(0);
}
HWND AssociatedBox(HWND dialog)
{
    return Children(dialog, "QuillpadComboList").at(0);
}

class AssociateDialog : public testing::Test {
protected:
    void SetUp() override
    {
        TRegistry reg(TRegistryRoot::ClassesRoot);
        reg.OpenKey(".rtf", true);
        reg.WriteString("", "rtffile");
    }
    void TearDown() override
    {
        RestoreAllAssociations();
        TRegistry(TRegistryRoot::CurrentUser).DeleteKey(FileAssocKey);
        TRegistry reg(TRegistryRoot::ClassesRoot);
        for (const TFileTypeInfo& type : FileTypes)
            reg.DeleteKey(type.ProgId);
    }
};

TEST_F(AssociateDialog, AssociatesATypedExtensionAndGivesItBack)
{
    TUser user;
    std::string duringAssociation;
    user.On(AssociateCaption, [](HWND dialog) {
        EXPECT_EQ(ComboLines(TypedBox(dialog)),
                  (std::vector<std::string>{"cod", "doc", "dot", "ini", "rtf", "txt", "wri"}));
        EXPECT_TRUE(ComboLines(AssociatedBox(dialog)).empty());
        EXPECT_FALSE(IsWindowEnabled(FindWindowExA(dialog, nullptr, nullptr, "Dissocier...")));
        Press(dialog, "Associer..."); // nothing typed yet
    });
    user.On("Information", Answer(user));
    user.On(AssociateCaption, [](HWND dialog) {
        TypeText(Children(TypedBox(dialog), "Edit").at(0), "exe");
        Press(dialog, "Associer...");
    });
    user.On("Erreur", Answer(user));
    user.On(AssociateCaption, [](HWND dialog) {
        TypeText(Children(TypedBox(dialog), "Edit").at(0), ".rtf");
        Press(dialog, "Associer...");
    });
    user.On("Confirmation", Answer(user, "&Oui"));
    user.On("Information", Answer(user));
    user.On(AssociateCaption, [&duringAssociation](HWND dialog) {
        duringAssociation = ClassesDefault(".rtf");
        EXPECT_EQ(ComboLines(AssociatedBox(dialog)), std::vector<std::string>{"rtf"});
        EXPECT_EQ(TextOf(AssociatedBox(dialog)), "rtf");
        EXPECT_TRUE(IsWindowEnabled(FindWindowExA(dialog, nullptr, nullptr, "Dissocier...")));
        // The typed box had the focus again: its button is the default one.
        EXPECT_EQ(GetFocus(), Children(TypedBox(dialog), "Edit").at(0));
        Press(dialog, "Dissocier...");
    });
    // "No" first: nothing changes.
    user.On("Confirmation", Answer(user, "&Non"));
    user.On(AssociateCaption, [](HWND dialog) {
        EXPECT_EQ(ClassesDefault(".rtf"), "Quillpad.Document");
        Press(dialog, "Dissocier...");
    });
    user.On("Confirmation", Answer(user, "&Oui"));
    user.On("Information", Answer(user));
    user.On(AssociateCaption, [](HWND dialog) {
        EXPECT_TRUE(ComboLines(AssociatedBox(dialog)).empty());
        EXPECT_FALSE(IsWindowEnabled(FindWindowExA(dialog, nullptr, nullptr, "Dissocier...")));
        Press(dialog, "Fermer");
    });
    ExecuteAssociateDialog();
    EXPECT_TRUE(user.Done());

    EXPECT_EQ(duringAssociation, "Quillpad.Document");
    EXPECT_EQ(ClassesDefault(".rtf"), "rtffile");
    EXPECT_EQ(ClassesDefault(".exe").find("Quillpad"), std::string::npos);
    ASSERT_EQ(user.Messages.size(), 7u);
    EXPECT_NE(user.Messages[0].find("veuillez préciser une extension"), std::string::npos)
        << user.Messages[0];
    EXPECT_NE(user.Messages[1].find("\"exe\""), std::string::npos) << user.Messages[1];
    EXPECT_NE(
        user.Messages[2].find("Voulez-vous qu'Quillpad soit désormais l'application associée par défaut "
                              "aux fichiers d'extension \"rtf\" ?"),
        std::string::npos)
        << user.Messages[2];
    EXPECT_NE(user.Messages[3].find("Quillpad est désormais associé"), std::string::npos) << user.Messages[3];
    EXPECT_NE(user.Messages[4].find("ne soit plus l'application associée"), std::string::npos)
        << user.Messages[4];
    EXPECT_NE(
        user.Messages[6].find("n'est désormais plus associé par défaut aux fichiers d'extension \"rtf\""),
        std::string::npos)
        << user.Messages[6];
}

// The formats dialog on a templates folder that holds "Normal.rtf" and "Lettre.rtf" but no "Plain.rtf".
class FormatsDialog : public testing::Test {
protected:
    void SetUp() override
    {
        Folder = qptest::ScratchDir() + "\\Modèles";
        CreateDirectoryA(Folder.c_str(), nullptr);
        for (const char* name : {"Normal.rtf", "Lettre.rtf"})
            std::ofstream(Folder + "\\" + name) << "{\\rtf1 }";
    }
    std::string Folder;
};

// The coding that follows the first one the formats dialog offers for new documents.
int SecondSavedCoding()
{
    int seen = 0;
    for (int coding = 0; coding < cdCodingCount; ++coding)
        if (TCodingManager::CanSaveCoding(coding) && ++seen == 2)
            return coding;
    return -1;
}

TEST_F(FormatsDialog, ChoosesATemplateAndTheFormatOfNewDocuments)
{
    TUser user;
    user.On(FormatsCaption, [](HWND dialog) {
        HWND list = Children(dialog, "QuillpadListBox").at(0);
        EXPECT_EQ(ListLines(list),
                  (std::vector<std::string>{"Document RTF", "Document MS Word 6.0/95",
                                            "Document MS Word 97/2000/XP", "Document COD crypté",
                                            "Document texte pur", "Document texte pur DOS"}));
        EXPECT_NE(FindWindowExA(dialog, nullptr, nullptr, "Normal.rtf"), nullptr);
        ClickLine(list, 4); // "Plain.rtf", missing from the folder
    });
    user.On("Erreur", Answer(user));
    user.On(FormatsCaption, [](HWND dialog) {
        EXPECT_NE(FindWindowExA(dialog, nullptr, nullptr, "Plain.rtf"), nullptr);
        HWND formats = Children(dialog, "QuillpadComboList").at(0);
        SetFocus(formats);
        PostMessageA(formats, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(formats, WM_KEYUP, VK_DOWN, 0);
        Press(dialog, "&Changer de modèle...");
    });
    user.On("Choisir un modèle de document", [this](HWND chooser) {
        SetWindowTextA(GetDlgItem(chooser, 0x47C), (Folder + "\\Lettre.rtf").c_str());
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    });
    user.On(FormatsCaption, [](HWND dialog) {
        EXPECT_NE(FindWindowExA(dialog, nullptr, nullptr, "Lettre.rtf"), nullptr);
        Press(dialog, "OK");
    });
    TDefaultDocTemplates record;
    ASSERT_TRUE(ExecuteDocFmtAssocDialog(record, Folder));
    EXPECT_TRUE(user.Done());
    ASSERT_EQ(user.Messages.size(), 1u);
    EXPECT_NE(user.Messages[0].find("Impossible d'ouvrir le fichier \"" + Folder + "\\Plain.rtf\"."),
              std::string::npos)
        << user.Messages[0];
    EXPECT_EQ(record.Templates[4], "Lettre.rtf");
    EXPECT_EQ(record.Templates[0], "Normal.rtf");
    EXPECT_EQ(record.DefDocFmt, SecondSavedCoding());

    // Cancel hands nothing back.
    TUser cancel;
    cancel.On(FormatsCaption, [](HWND dialog) {
        ClickLine(Children(dialog, "QuillpadListBox").at(0), 1);
        Press(dialog, "Annuler");
    });
    TDefaultDocTemplates kept = record;
    EXPECT_FALSE(ExecuteDocFmtAssocDialog(record, Folder));
    EXPECT_TRUE(cancel.Done());
    EXPECT_EQ(record.Templates[4], kept.Templates[4]);
    EXPECT_EQ(record.DefDocFmt, kept.DefDocFmt);
}

// With QP_LOOK set, each dialog stays on screen for a few seconds, for a screenshot.
TEST_F(AssociateDialog, ShownForALook)
{
    if (!std::getenv("QP_LOOK"))
        GTEST_SKIP() << "QP_LOOK not set";
    AssociateExtension("doc", true, "C:\\Quillpad\\Quillpad.exe");
    TUser user;
    user.On(AssociateCaption, [](HWND dialog) {
        SetWindowTextA(TypedBox(dialog), "rtf");
        SetTimer(dialog, 1, 6000, CloseLater);
    });
    ExecuteAssociateDialog();
}

TEST_F(FormatsDialog, ShownForALook)
{
    if (!std::getenv("QP_LOOK"))
        GTEST_SKIP() << "QP_LOOK not set";
    TUser user;
    user.On(FormatsCaption, [](HWND dialog) { SetTimer(dialog, 1, 6000, CloseLater); });
    TDefaultDocTemplates record;
    ExecuteDocFmtAssocDialog(record, Folder);
}

} // namespace
