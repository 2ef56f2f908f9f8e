// Menu items and pop-up menus: the system menu built from the items, commands and hints coming back
// through the menu's window, and control hints in the system's tooltip window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "classlib/windowing/Forms.h"
#include "classlib/windowing/Menus.h"
#include "classlib/windowing/StdCtrls.h"

namespace {

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption)
{
    auto* item = new TMenuItem(nullptr);
    item->Caption = caption;
    parent->Add(item);
    return item;
}

std::string ItemCaption(HMENU menu, UINT position)
{
    char text[64] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return text;
}

} // namespace

TEST(MenuItem, ParentsFreeTheirItemsAndFreedItemsLeaveTheirParent)
{
    auto* root = new TMenuItem(nullptr);
    TMenuItem* a = AddItem(root, "a");
    TMenuItem* b = AddItem(root, "b");
    TMenuItem* b1 = AddItem(b, "b1");
    EXPECT_NE(a->Command(), b->Command());
    EXPECT_EQ(root->FindCommand(b1->Command()), b1);
    delete a;
    ASSERT_EQ(root->Count(), 1);
    EXPECT_EQ(root->Items(0), b);
    // Moving an item takes it from its old parent; an item cannot go below itself.
    root->Add(b1);
    EXPECT_EQ(b->Count(), 0);
    EXPECT_EQ(b1->Parent(), root);
    EXPECT_THROW(b1->Add(root), Exception);

    // An owner frees its items too, wherever they hang.
    TComponent owner;
    auto* owned = new TMenuItem(&owner);
    b->Add(owned);
    delete b;
    EXPECT_EQ(owner.ComponentCount(), 0);
    delete root;
}

TEST(PopupMenu, SystemMenuHoldsTheVisibleItemsWithTheirStates)
{
    TPopupMenu popup(nullptr);
    TMenuItem* root = popup.Items();
    TMenuItem* open = AddItem(root, "&Ouvrir\tCtrl+O");
    open->Default = true;
    AddItem(root, "-");
    AddItem(root, "Caché")->Visible = false;
    TMenuItem* marks = AddItem(root, "&Marques");
    marks->Checked = true;
    AddItem(root, "Grisé")->Enabled = false;
    TMenuItem* zoom = AddItem(root, "&Zoom");
    TMenuItem* z100 = AddItem(zoom, "100 %");
    AddItem(zoom, "200 %");

    HMENU menu = popup.Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    struct TExpected {
        UINT Type, State, Id;
        std::string Caption;
        bool SubMenu;
    } expected[] = {
        {MFT_STRING, MFS_DEFAULT, open->Command(), "&Ouvrir\tCtrl+O", false},
        {MFT_SEPARATOR, 0, 0, "", false},
        {MFT_STRING, MFS_CHECKED, marks->Command(), "&Marques", false},
        {MFT_STRING, MFS_GRAYED, 0, "Grisé", false},
        {MFT_STRING, 0, zoom->Command(), "&Zoom", true},
    };
    for (UINT i = 0; i < 5; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &info));
        EXPECT_EQ(info.fType, expected[i].Type) << i;
        EXPECT_EQ(info.fState, expected[i].State) << i;
        if (expected[i].Id) {
            EXPECT_EQ(info.wID, expected[i].Id) << i;
        }
        EXPECT_EQ(ItemCaption(menu, i), expected[i].Caption) << i;
        EXPECT_EQ(info.hSubMenu != nullptr, expected[i].SubMenu) << i;
    }
    HMENU sub = GetSubMenu(menu, 4);
    ASSERT_EQ(GetMenuItemCount(sub), 2);
    EXPECT_EQ(GetMenuItemID(sub, 0), z100->Command());

    // Built again, the menu follows the items.
    marks->Visible = false;
    EXPECT_EQ(GetMenuItemCount(popup.Handle()), 4);
}

TEST(PopupMenu, CommandsRunTheirItemAndHighlightedItemsGiveTheirHint)
{
    TPopupMenu popup(nullptr);
    TMenuItem* zoom = AddItem(popup.Items(), "&Zoom");
    zoom->Hint = "Changer le zoom";
    TMenuItem* z200 = AddItem(zoom, "200 %");
    z200->Hint = "Zoom à 200 %";
    z200->Tag = 200;
    intptr_t clicked = 0;
    z200->OnClick = [&](TComponent* sender) { clicked = sender->Tag; };

    PostMessageA(popup.WindowHandle(), WM_COMMAND, z200->Command(), 0);
    Application->ProcessMessages();
    EXPECT_EQ(clicked, 200);
    EXPECT_FALSE(popup.DispatchCommand(0xFFFF));

    // What the system menu reports while the user moves in it: an item by its command, an item that
    // opens a sub-menu by its position; nothing once the menu closes.
    std::vector<std::string> hints;
    Application->OnHint = [&](TComponent*) { hints.push_back(Application->Hint()); };
    HMENU menu = popup.Handle();
    HMENU sub = GetSubMenu(menu, 0);
    SendMessageA(popup.WindowHandle(), WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP),
                 reinterpret_cast<LPARAM>(menu));
    SendMessageA(popup.WindowHandle(), WM_MENUSELECT, MAKEWPARAM(z200->Command(), 0),
                 reinterpret_cast<LPARAM>(sub));
    SendMessageA(popup.WindowHandle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Application->OnHint = nullptr;
    EXPECT_EQ(hints, (std::vector<std::string>{"Changer le zoom", "Zoom à 200 %", ""}));
}

TEST(ControlHint, TheTooltipWindowHoldsEachControlsHint)
{
    TForm form(nullptr);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 80, 24);
    button->SetHint("Avant la fenêtre");
    form.HandleNeeded();
    HWND tips = Application->HintWindow();
    ASSERT_NE(tips, nullptr);

    auto tipText = [&](HWND wnd) {
        char text[128] = {};
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = GetParent(wnd);
        tool.uId = reinterpret_cast<UINT_PTR>(wnd);
        tool.lpszText = text;
        SendMessageA(tips, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
        return std::string(text);
    };
    const LRESULT before = SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0);
    EXPECT_EQ(tipText(button->Handle()), "Avant la fenêtre");
    button->SetHint("Changé");
    EXPECT_EQ(tipText(button->Handle()), "Changé");
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), before);
    // A window made again keeps its hint; no hint, no tool.
    button->RecreateWnd();
    EXPECT_EQ(tipText(button->Handle()), "Changé");
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), before);
    button->SetHint("");
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), before - 1);
}
