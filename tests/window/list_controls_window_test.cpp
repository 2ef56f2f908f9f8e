// The program's own scroll bar, toolbar combo box and string-list editor as a person uses them: the thumb
// dragged with the mouse far past 16 bits, the list opened by its arrow keys with the hint following
// the highlighted entry, and lines added and deleted in the editor through its controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/runtime/StringList.h"
#include "classlib/windowing/Forms.h"
#include "classlib/windowing/ScrollBar.h"
#include "tests/core/message_robot.h"
#include "tests/dialogs/dialog_user.h"
#include "tests/window/key_input.h"
#include "window/AdvComboBox.h"
#include "window/StrListEditDialog.h"

namespace {

// A mouse event at a screen point, in the absolute coordinates the system's input queue takes.
INPUT MouseAt(POINT at, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

// A form shown on the screen at a place of the test's.
struct TShownForm : TForm {
    TShownForm(int left, int top, int width, int height) : TForm(nullptr)
    {
        SetBounds(left, top, width, height);
        Show();
        qptest::PumpFor(50);
    }
};

} // namespace

TEST(ScrollBar95, PageSizeStepsAndTheThumbDraggedPastSixteenBits)
{
    TShownForm form(20, 20, 420, 120);
    auto* bar = new TScrollBar95(&form);
    bar->SetParent(&form);
    EXPECT_EQ(bar->PageSize(), 18);
    bar->SetBounds(10, 10, 380, 20);
    bar->SetRange(0, 200000);
    bar->SetPageSize(1000);
    bar->SmallChange = 16;
    bar->LargeChange = 900;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(bar->Handle(), SB_CTL, &info);
    EXPECT_EQ(info.nPage, 1000u) << "the page size reaches the system's bar";
    EXPECT_EQ(info.nMax, 200000);

    std::vector<int> changes, tracked;
    int cancels = 0;
    bar->OnChange = [&](TComponent*) { changes.push_back(bar->Position()); };
    bar->OnTrackBarDragEvent = [&](TComponent*, int position) { tracked.push_back(position); };
    bar->OnCancelMode = [&](TComponent*) { ++cancels; };
    const struct {
        int Code, Expected;
    } steps[] = {{SB_LINEDOWN, 16},     {SB_PAGEDOWN, 916}, {SB_LINEUP, 900}, {SB_BOTTOM, 200000},
                 {SB_LINEDOWN, 200000}, {SB_TOP, 0},        {SB_PAGEUP, 0}};
    for (const auto& step : steps) {
        SendMessageA(form.Handle(), WM_HSCROLL, MAKEWPARAM(step.Code, 0), LPARAM(bar->Handle()));
        EXPECT_EQ(bar->Position(), step.Expected) << step.Code;
    }
    EXPECT_EQ(changes, (std::vector<int>{16, 916, 900, 200000, 0})) << "no change, no event";
    changes.clear();

    // The thumb dragged with the mouse from the left end to past the right end: the positions come
    // from the system's 32-bit track position, not the 16-bit one of the message.
    POINT pointer;
    GetCursorPos(&pointer); // put back afterwards: other tests read where the pointer is
    RECT r;
    GetWindowRect(bar->Handle(), &r);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL), y = (r.top + r.bottom) / 2;
    std::vector<INPUT> drag = {MouseAt({r.left + arrow + 3, y}, 0),
                               MouseAt({r.left + arrow + 3, y}, MOUSEEVENTF_LEFTDOWN)};
    for (int x = r.left + arrow + 10; x < r.right + 20; x += 30)
        drag.push_back(MouseAt({x, y}, 0));
    drag.push_back(MouseAt({r.right + 20, y}, MOUSEEVENTF_LEFTUP));
    SendInput(UINT(drag.size()), drag.data(), sizeof(INPUT));
    qptest::PumpFor(500);
    SetCursorPos(pointer.x, pointer.y);
    ASSERT_FALSE(tracked.empty()) << "the thumb was not dragged";
    EXPECT_GT(*std::max_element(tracked.begin(), tracked.end()), 65535);
    for (int position : tracked)
        EXPECT_TRUE(position >= 0 && position <= 200000) << position;
    EXPECT_EQ(bar->Position(), tracked.back());
    EXPECT_GT(bar->Position(), 190000);

    // The bar losing the mouse is told to the owner.
    SetCapture(bar->Handle());
    SetCapture(form.Handle());
    ReleaseCapture();
    SendMessageA(bar->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_GE(cancels, 2);
}

TEST(AdvComboBox, ArrowsOpenTheListAndTheHintFollowsTheHighlightedEntry)
{
    for (int left : {20, GetSystemMetrics(SM_CXSCREEN) - 200}) {
        TShownForm form(left, 20, 180, 260);
        auto* combo = new TAdvComboBox(&form, false);
        combo->SetParent(&form);
        combo->SetBounds(10, 10, 150, 200);
        for (const char* size : {"8", "10", "12", "14"})
            combo->Add(size);
        combo->SetItemIndex(1);
        combo->OnItemHint = [](int item) {
            return item == 3 ? std::string() : "Taille " + std::to_string(item);
        };
        qptest::TEventRecorder events;

        // Down with the list closed opens it and leaves the choice as it was.
        SendMessageA(combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
        qptest::PumpFor(50);
        ASSERT_TRUE(combo->DroppedDown());
        EXPECT_EQ(combo->ItemIndex(), 1);
        EXPECT_EQ(events.Events, std::vector<int32_t>{410});
        HWND list = combo->ListHandle();
        ASSERT_NE(list, nullptr);

        // The hint shows the highlighted entry beside the list: right of it, or left at the screen's edge.
        SendMessageA(list, LB_SETCURSEL, 2, 0);
        qptest::PumpFor(200);
        EXPECT_EQ(combo->Hint.Item, 2);
        ASSERT_TRUE(combo->Hint.Showing());
        EXPECT_EQ(combo->Hint.Text(), "Taille 2");
        RECT listRect, hintRect;
        GetWindowRect(list, &listRect);
        GetWindowRect(combo->Hint.Handle(), &hintRect);
        if (left == 20)
            EXPECT_EQ(hintRect.left, listRect.right);
        else
            EXPECT_EQ(hintRect.right, listRect.left);
        // An entry without a hint hides it.
        SendMessageA(list, LB_SETCURSEL, 3, 0);
        qptest::PumpFor(200);
        EXPECT_FALSE(combo->Hint.Showing());
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        qptest::PumpFor(200);
        EXPECT_TRUE(combo->Hint.Showing());

        // Closing the list hides the hint, and it starts again with no entry.
        SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
        qptest::PumpFor(200);
        EXPECT_FALSE(combo->Hint.Showing());
        EXPECT_EQ(combo->Hint.Item, -1);
        // Up opens it again.
        SendMessageA(combo->Handle(), WM_KEYDOWN, VK_UP, 0);
        qptest::PumpFor(50);
        EXPECT_TRUE(combo->DroppedDown());
        EXPECT_EQ(events.Events, (std::vector<int32_t>{410, 410}));
        SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
        qptest::PumpFor(50);
    }
}

TEST(AdvComboBox, AnEditableBoxOpensOnTheArrowsOfItsText)
{
    TShownForm form(20, 20, 180, 260);
    auto* combo = new TAdvComboBox(&form, true);
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 150, 200);
    combo->Add("Arial");
    combo->Add("Courier New");
    combo->SetText("Arial");
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    SendMessageA(info.hwndItem, WM_KEYDOWN, VK_DOWN, 0);
    qptest::PumpFor(50);
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(combo->Text(), "Arial") << "the arrow opened the list instead of choosing";
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    qptest::PumpFor(50);
}

namespace {

// The editor's controls: its entry (an edit or a drop-down list), its list and buttons.
struct TEditorControls {
    explicit TEditorControls(HWND dialog)
    {
        const std::vector<HWND> edits = dialogtest::Children(dialog, "Edit");
        const std::vector<HWND> combos = dialogtest::Children(dialog, "Combo");
        Entry = !combos.empty() ? combos[0] : edits.empty() ? nullptr : edits[0];
        const std::vector<HWND> lists = dialogtest::Children(dialog, "ListBox");
        List = lists.empty() ? nullptr : lists[0];
        Add = FindWindowExA(dialog, nullptr, nullptr, "&Ajouter");
        Delete = FindWindowExA(dialog, nullptr, nullptr, "&Supprimer");
    }
    HWND Entry = nullptr, List = nullptr, Add = nullptr, Delete = nullptr;
};

void SetEntry(HWND edit, const std::string& text)
{
    SetWindowTextA(edit, text.c_str()); // the edit tells its owner of the change
}

} // namespace

TEST(StrListEditDialog, AddDeleteSelectAndOkAssignTheLines)
{
    TStringList lines;
    for (const char* word : {"bonjour", "merci", "salut"})
        lines.Add(word);
    dialogtest::TUser user;
    std::vector<std::string> seen;
    bool addEnabledForNew = false, addDisabledForKnown = false, deleteDisabledForNew = false;
    user.On("Dictionnaire personnel", [&](HWND dialog) {
        TEditorControls c(dialog);
        ASSERT_TRUE(c.Entry && c.List && c.Add && c.Delete);
        // Typing a known line selects it; Add is off and Delete on for it.
        SetEntry(c.Entry, "merci");
        EXPECT_EQ(SendMessageA(c.List, LB_GETCURSEL, 0, 0), 1);
        addDisabledForKnown = !IsWindowEnabled(c.Add) && IsWindowEnabled(c.Delete);
        // A new text: Add on, Delete off; added at the end and selected.
        SetEntry(c.Entry, "élève");
        addEnabledForNew = IsWindowEnabled(c.Add) != 0;
        deleteDisabledForNew = !IsWindowEnabled(c.Delete);
        SendMessageA(c.Add, BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageA(c.List, LB_GETCURSEL, 0, 0), 3);
        EXPECT_FALSE(IsWindowEnabled(c.Add)) << "the added text is in the list now";
        // Delete the last line: the new last is selected and copied into the field.
        SendMessageA(c.Delete, BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageA(c.List, LB_GETCURSEL, 0, 0), 2);
        EXPECT_EQ(dialogtest::TextOf(c.Entry), "salut");
        // Delete the first: the next one takes its place in the selection.
        SetEntry(c.Entry, "bonjour");
        SendMessageA(c.Delete, BM_CLICK, 0, 0);
        EXPECT_EQ(dialogtest::TextOf(c.Entry), "merci");
        // Clicking a line copies it into the field.
        dialogtest::ClickLine(c.List, 1);
        qptest::PumpFor(50);
        EXPECT_EQ(dialogtest::TextOf(c.Entry), "salut");
        SetEntry(c.Entry, "coucou");
        SendMessageA(c.Add, BM_CLICK, 0, 0);
        seen = dialogtest::ListLines(c.List);
        dialogtest::Click(dialog, "OK");
    });
    EXPECT_TRUE(ExecuteStrListEditDialog(lines, "Dictionnaire personnel", "M&ots :", 0, 0));
    EXPECT_TRUE(user.Done());
    EXPECT_TRUE(addEnabledForNew);
    EXPECT_TRUE(addDisabledForKnown);
    EXPECT_TRUE(deleteDisabledForNew);
    const std::vector<std::string> expected = {"merci", "salut", "coucou"};
    EXPECT_EQ(seen, expected);
    ASSERT_EQ(lines.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lines[i], expected[size_t(i)]);
}

TEST(StrListEditDialog, CancelKeepsTheLinesAndTheValidatorRefuses)
{
    TStringList lines;
    lines.Add("a.rtf");
    dialogtest::TUser user;
    std::vector<std::string> refused;
    user.On("Liste", [&](HWND dialog) {
        TEditorControls c(dialog);
        SetEntry(c.Entry, "faux");
        SendMessageA(c.Add, BM_CLICK, 0, 0);
        EXPECT_EQ(dialogtest::ListLines(c.List), std::vector<std::string>{"a.rtf"});
        SetEntry(c.Entry, "b.rtf");
        SendMessageA(c.Add, BM_CLICK, 0, 0);
        EXPECT_EQ(dialogtest::ListLines(c.List), (std::vector<std::string>{"a.rtf", "b.rtf"}));
        dialogtest::Click(dialog, "Annuler");
    });
    const auto validator = [&](const std::string& entry) {
        if (entry.size() > 4 && entry.substr(entry.size() - 4) == ".rtf")
            return true;
        refused.push_back(entry);
        return false;
    };
    EXPECT_FALSE(ExecuteStrListEditDialog(lines, "Liste", "&Fichiers :", 0, 0, validator));
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(refused, std::vector<std::string>{"faux"});
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines[0], "a.rtf");
}

TEST(StrListEditDialog, ChoiceModeOffersOnlyTheChoices)
{
    TStringList lines, choices;
    for (const char* c : {"Français", "Anglais", "Allemand"})
        choices.Add(c);
    lines.Add("Anglais");
    dialogtest::TUser user;
    user.On("Langues", [&](HWND dialog) {
        TEditorControls c(dialog);
        char cls[32] = "";
        GetClassNameA(c.Entry, cls, sizeof cls);
        EXPECT_NE(std::string(cls).find("Combo"), std::string::npos) << cls;
        EXPECT_EQ(SendMessageA(c.Entry, CB_GETCOUNT, 0, 0), 3);
        // Choosing an entry as the user does: the selection changes and the box says so.
        SendMessageA(c.Entry, CB_SETCURSEL, 2, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c.Entry), CBN_SELCHANGE), LPARAM(c.Entry));
        SendMessageA(c.Add, BM_CLICK, 0, 0);
        // The chosen line is the one Delete removes.
        SendMessageA(c.Entry, CB_SETCURSEL, 1, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c.Entry), CBN_SELCHANGE), LPARAM(c.Entry));
        EXPECT_EQ(SendMessageA(c.List, LB_GETCURSEL, 0, 0), 0);
        SendMessageA(c.Delete, BM_CLICK, 0, 0);
        dialogtest::Click(dialog, "OK");
    });
    EXPECT_TRUE(
        ExecuteStrListEditDialog(lines, "Langues", "&Langues :", 0, slfChoiceMode, nullptr, &choices));
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines[0], "Allemand");
}
