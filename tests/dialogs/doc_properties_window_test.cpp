// The document properties dialog, reached from the document: what the user types goes back into the
// document's information on OK and nowhere on Cancel.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "classlib/windowing/Edit.h"
#include "classlib/windowing/Forms.h"
#include "document/Document.h"
#include "editing/OperationManager.h"
#include "shell/DocDisp.h"

namespace {

// Acts on the dialog once it shows: finds its edit boxes in tab order and hands them to Act.
class TDialogUser {
public:
    explicit TDialogUser(std::function<void(HWND dialog, std::vector<HWND>& edits)> act) : Act(std::move(act))
    {
        Current = this;
        Timer = SetTimer(nullptr, 0, 30, Tick);
    }
    ~TDialogUser()
    {
        KillTimer(nullptr, Timer);
        Current = nullptr;
    }
    bool Acted = false;

private:
    static BOOL CALLBACK CollectEdit(HWND wnd, LPARAM data)
    {
        char name[32];
        GetClassNameA(wnd, name, sizeof name);
        if (std::string(name).find("Edit") != std::string::npos ||
            std::string(name).find("Memo") != std::string::npos)
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(wnd);
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TDialogUser* user = Current;
        if (!user || user->Acted)
            return;
        HWND dialog = FindWindowA(nullptr, "Propri\xE9t\xE9s du document");
        if (!dialog)
            return;
        user->Acted = true;
        std::vector<HWND> edits;
        EnumChildWindows(dialog, CollectEdit, LPARAM(&edits));
        user->Act(dialog, edits);
    }
    static inline TDialogUser* Current = nullptr;
    std::function<void(HWND, std::vector<HWND>&)> Act;
    UINT_PTR Timer = 0;
};

HWND ButtonOf(HWND dialog, const char* caption)
{
    return FindWindowExA(dialog, nullptr, nullptr, caption);
}

TEST(DocProperties, OkWritesTheTextsBackAndMarksTheDocument)
{
    TDocDispatcher dispatcher;
    TDocument* doc = dispatcher.AddDocument(std::make_unique<TDocument>(true));
    doc->Info.Title = "Ancien titre";
    doc->Info.Author = "Claude";
    std::vector<std::string> shown;
    LRESULT limit = 0;
    TDialogUser user([&](HWND dialog, std::vector<HWND>& edits) {
        ASSERT_EQ(edits.size(), 5u);
        for (HWND e : edits) {
            char text[64] = {};
            GetWindowTextA(e, text, sizeof text);
            shown.push_back(text);
        }
        limit = SendMessageA(edits[4], EM_GETLIMITTEXT, 0, 0);
        SetWindowTextA(edits[0], "Rapport annuel");
        SetWindowTextA(edits[3], "bilan; \xE9t\xE9");
        SetWindowTextA(edits[4], "Premi\xE8re ligne\r\nSeconde ligne");
        PostMessageA(ButtonOf(dialog, "OK"), BM_CLICK, 0, 0);
    });
    doc->EditProperties();
    ASSERT_TRUE(user.Acted);
    EXPECT_EQ(shown, (std::vector<std::string>{"Ancien titre", "", "Claude", "", ""}));
    EXPECT_EQ(limit, 2048);
    EXPECT_EQ(doc->Info.Title, "Rapport annuel");
    EXPECT_EQ(doc->Info.Subject, "");
    EXPECT_EQ(doc->Info.Author, "Claude");
    EXPECT_EQ(doc->Info.Keywords, "bilan; \xE9t\xE9");
    EXPECT_EQ(doc->Info.Comments, "Premi\xE8re ligne\r\nSeconde ligne");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->GetModeFlag(mfStatisticsStale));
    EXPECT_EQ(doc->UndoList.SavedMark, INT32_MIN);
}

TEST(DocProperties, CancelLeavesTheDocumentAsItWas)
{
    TDocDispatcher dispatcher;
    TDocument* doc = dispatcher.AddDocument(std::make_unique<TDocument>(true));
    doc->Info.Title = "Titre";
    TDialogUser user([](HWND dialog, std::vector<HWND>& edits) {
        ASSERT_FALSE(edits.empty());
        SetWindowTextA(edits[0], "Autre");
        PostMessageA(ButtonOf(dialog, "Annuler"), BM_CLICK, 0, 0);
    });
    doc->EditProperties();
    ASSERT_TRUE(user.Acted);
    EXPECT_EQ(doc->Info.Title, "Titre");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->GetModeFlag(mfStatisticsStale));
    EXPECT_EQ(doc->UndoList.SavedMark, -1);
}

} // namespace
