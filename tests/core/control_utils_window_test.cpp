// Hints of captions that do not fit, and the shared pop-up menu shown on the screen and answered from
// the keyboard as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/windowing/Forms.h"
#include "classlib/windowing/Menus.h"
#include "classlib/windowing/StdCtrls.h"
#include "core/ControlUtils.h"

namespace {

// One system menu as it shows: per item, its type and state, caption, and the item count of its
// sub-menu (-1 for none).
struct TShownItem {
    UINT Type;
    UINT State;
    std::string Caption;
    int SubItems;
    bool operator==(const TShownItem&) const = default;
};

std::vector<TShownItem> ReadMenu(HMENU menu)
{
    std::vector<TShownItem> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back(
            {info.fType, info.fState, text, info.hSubMenu ? GetMenuItemCount(info.hSubMenu) : -1});
    }
    return items;
}

// While the menu shows: reads it from its window and chooses with the keys, once.
std::vector<TShownItem> Shown;
// Keys as (message, code): WM_CHAR for an access key, WM_KEYDOWN for the others.
std::vector<std::pair<UINT, WPARAM>> Keys;
void CALLBACK AnswerMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND menuWnd = FindWindowA("#32768", nullptr);
    if (!menuWnd || !IsWindowVisible(menuWnd))
        return;
    KillTimer(nullptr, id);
    Shown = ReadMenu(reinterpret_cast<HMENU>(SendMessageA(menuWnd, MN_GETHMENU, 0, 0)));
    for (auto [msg, key] : Keys)
        PostMessageA(menuWnd, msg, key, 0);
}
// Closes a menu that the keys did not close, so that a failing test does not hang.
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

} // namespace

TEST(SetHintIfTruncated, OnlyACaptionWiderThanItsControlBecomesTheHint)
{
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetBounds(10, 10, 60, 16);
    form.HandleNeeded();
    struct TCase {
        const char* Caption;
        bool Truncated;
    } cases[] = {
        {"Court", false},
        {"Une légende bien trop longue pour ce contrôle", true},
        {"&&&&&&&&&&", false}, // ten marks show as five ampersands
        {"", false},
    };
    for (const TCase& c : cases) {
        label->SetHint("ancien");
        label->SetCaption(c.Caption);
        SetHintIfTruncated(label);
        EXPECT_EQ(label->Hint(), c.Truncated ? c.Caption : "") << c.Caption;
    }
    // The same caption fits once the control is wide enough.
    label->SetCaption(cases[1].Caption);
    label->SetWidth(600);
    SetHintIfTruncated(label);
    EXPECT_EQ(label->Hint(), "");
}

TEST(PopupMenuItems, ShowsCopiesOfTheItemsAndRunsTheChosenOnesHandler)
{
    TComponent owner;
    auto item = [&](const char* caption, intptr_t tag) {
        auto* i = new TMenuItem(&owner);
        i->Caption = caption;
        i->Tag = tag;
        return i;
    };
    TMenuItem* copy = item("&Copier", 1);
    copy->Default = true;
    TMenuItem* marks = item("&Marques", 2);
    marks->Checked = true;
    TMenuItem* paste = item("Co&ller", 3);
    paste->Enabled = false;
    TMenuItem* hidden = item("Caché", 4);
    hidden->Visible = false;
    TMenuItem* zoom = item("&Zoom", 5);
    zoom->Hint = "Changer le zoom";
    TMenuItem* z100 = item("100 %", 100);
    TMenuItem* z200 = item("200 %", 200);
    z200->Hint = "Zoom à 200 %";
    zoom->Add(z100);
    zoom->Add(z200);

    std::vector<std::pair<TComponent*, intptr_t>> clicks;
    for (TMenuItem* i : {copy, marks, z100, z200})
        i->OnClick = [&](TComponent* sender) { clicks.emplace_back(sender, sender->Tag); };

    // The access key of the zoom opens its sub-menu on its first item; down to 200 %, chosen.
    Keys = {{WM_CHAR, 'z'}, {WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_RETURN}};
    Shown.clear();
    SetTimer(nullptr, 0, 30, AnswerMenu);
    SetTimer(nullptr, 0, 10000, EndStuckMenu);
    PopupMenuItems({copy, nullptr, marks, paste, hidden, zoom}, TPoint{100, 100});
    Application->ProcessMessages();

    const std::vector<TShownItem> expected = {
        {MFT_STRING, MFS_DEFAULT, "&Copier", -1},
        {MFT_SEPARATOR, 0, "", -1},
        {MFT_STRING, MFS_CHECKED, "&Marques", -1},
        {MFT_STRING, MFS_GRAYED, "Co&ller", -1},
        {MFT_STRING, 0, "&Zoom", 2},
    };
    EXPECT_EQ(Shown, expected);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].second, 200);
    EXPECT_NE(clicks[0].first, z200) << "the handler gets the menu's own copy";

    // The copies keep hints and tags; the originals stay as they were.
    TMenuItem* shared = SharedPopupMenuItems();
    ASSERT_EQ(shared->Count(), 6);
    EXPECT_EQ(shared->Items(5)->Hint, "Changer le zoom");
    EXPECT_EQ(shared->Items(5)->Items(1)->Hint, "Zoom à 200 %");
    EXPECT_EQ(shared->Items(5)->Items(1), clicks[0].first);
    EXPECT_EQ(zoom->Count(), 2);
    EXPECT_EQ(owner.ComponentCount(), 7);

    // Shown again with other items, the menu holds only those.
    Keys = {{WM_KEYDOWN, VK_ESCAPE}};
    SetTimer(nullptr, 0, 30, AnswerMenu);
    PopupMenuItems({marks}, TPoint{100, 100});
    Application->ProcessMessages();
    EXPECT_EQ(Shown.size(), 1u);
    EXPECT_EQ(SharedPopupMenuItems()->Count(), 1);
    EXPECT_EQ(clicks.size(), 1u);
}
