// Menu items, their command numbers, and pop-up menus built into system menus when they show.
#include "classlib/windowing/Menus.h"

#include <algorithm>
#include <bitset>

#include "classlib/runtime/Exceptions.h"
#include "classlib/windowing/Forms.h"

namespace {

// Command numbers of live items: a system menu reports 16 bits, and 0 means no item.
std::bitset<0x10000> CommandsInUse;
UINT NextCommand = 1;

UINT AllocateCommand()
{
    for (UINT tries = 0; tries < 0xFFFF; ++tries) {
        const UINT command = NextCommand;
        NextCommand = NextCommand == 0xFFFF ? 1 : NextCommand + 1;
        if (!CommandsInUse[command]) {
            CommandsInUse[command] = true;
            return command;
        }
    }
    throw Exception("Trop d'éléments de menu.");
}

const char* const PopupWindowClass = "QuillpadPopupMenu";

HMENU BuildSystemMenu(const TMenuItem* parent)
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        throw Exception("Impossible de créer le menu.");
    UINT position = 0;
    for (int i = 0; i < parent->Count(); ++i) {
        const TMenuItem* item = parent->Items(i);
        if (!item->Visible)
            continue;
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        if (item->IsLine()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE;
            info.fType = MFT_STRING;
            info.dwTypeData = const_cast<char*>(item->Caption.c_str());
            info.wID = item->Command();
            info.fState = (item->Checked ? MFS_CHECKED : 0u) | (item->Enabled ? 0u : MFS_GRAYED) |
                          (item->Default ? MFS_DEFAULT : 0u);
            if (item->Count() > 0) {
                info.fMask |= MIIM_SUBMENU;
                try {
                    info.hSubMenu = BuildSystemMenu(item);
                } catch (...) {
                    DestroyMenu(menu);
                    throw;
                }
            }
        }
        if (!InsertMenuItemA(menu, position++, TRUE, &info)) {
            if (info.hSubMenu)
                DestroyMenu(info.hSubMenu);
            DestroyMenu(menu);
            throw Exception("Impossible de créer le menu.");
        }
    }
    return menu;
}

} // namespace

// ---- TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(AllocateCommand()) {}

TMenuItem::~TMenuItem()
{
    while (!FItems.empty())
        delete FItems.back(); // each leaves this list as it goes
    if (FParent)
        FParent->Remove(this);
    CommandsInUse[FCommand] = false;
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item)
            throw Exception("Un élément de menu ne peut pas se contenir lui-même.");
    if (item->FParent)
        item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    item->FParent = nullptr;
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        delete FItems.back();
}

TMenuItem* TMenuItem::FindCommand(UINT command)
{
    if (FCommand == command)
        return this;
    for (TMenuItem* item : FItems)
        if (TMenuItem* found = item->FindCommand(command))
            return found;
    return nullptr;
}

void TMenuItem::Click()
{
    // A handler may free this item (by rebuilding its menu): it runs from a copy, and nothing of the
    // item is used afterwards.
    TNotifyEvent handler = OnClick;
    if (handler)
        handler(this);
}

// ---- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(this)) {}

TPopupMenu::~TPopupMenu()
{
    DestroySystemMenu();
    if (FWindow) {
        SetWindowLongPtrA(FWindow, GWLP_USERDATA, 0);
        DestroyWindow(FWindow);
    }
}

void TPopupMenu::DestroySystemMenu()
{
    if (FMenu)
        DestroyMenu(FMenu); // with its sub-menus
    FMenu = nullptr;
}

HMENU TPopupMenu::Handle()
{
    DestroySystemMenu();
    FMenu = BuildSystemMenu(FItems);
    return FMenu;
}

HWND TPopupMenu::WindowHandle()
{
    if (!FWindow) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc = {};
        if (!GetClassInfoA(instance, PopupWindowClass, &wc)) {
            wc.lpfnWndProc = WndProc;
            wc.hInstance = instance;
            wc.lpszClassName = PopupWindowClass;
            if (!RegisterClassA(&wc))
                throw Exception(std::string("Impossible d'enregistrer la classe ") + PopupWindowClass);
        }
        // A hidden top-level window: the system menu needs an owner that can come to the front.
        FWindow = CreateWindowExA(WS_EX_TOOLWINDOW, PopupWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, instance, nullptr);
        if (!FWindow)
            throw Exception(std::string("Impossible de créer la fenêtre ") + PopupWindowClass);
        SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    return FWindow;
}

void TPopupMenu::Popup(int x, int y)
{
    HMENU menu = Handle();
    HWND window = WindowHandle();
    // The menu closes when the user clicks elsewhere only while its owner is in front; the message
    // posted afterwards lets the system finish closing it.
    SetForegroundWindow(window);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
}

bool TPopupMenu::DispatchCommand(UINT command)
{
    TMenuItem* item = command ? FItems->FindCommand(command) : nullptr;
    if (!item || item == FItems)
        return false;
    item->Click();
    return true;
}

LRESULT CALLBACK TPopupMenu::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TPopupMenu*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(wnd, msg, wParam, lParam);
    try {
        switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) == 0 && lParam == 0 && self->DispatchCommand(LOWORD(wParam)))
                return 0;
            break;
        case WM_MENUSELECT: {
            // The highlighted item's hint; none once the menu closes. An item that opens a sub-menu
            // is reported by its position.
            HMENU menu = reinterpret_cast<HMENU>(lParam);
            std::string hint;
            if (menu && HIWORD(wParam) != 0xFFFF) {
                UINT command = LOWORD(wParam);
                if (HIWORD(wParam) & MF_POPUP) {
                    MENUITEMINFOA info = {};
                    info.cbSize = sizeof(info);
                    info.fMask = MIIM_ID;
                    command = GetMenuItemInfoA(menu, LOWORD(wParam), TRUE, &info) ? info.wID : 0;
                }
                if (TMenuItem* item = command ? self->FItems->FindCommand(command) : nullptr)
                    hint = item->Hint;
            }
            Application->SetHint(hint);
            return 0;
        }
        }
    } catch (...) {
        Application->HandleException(self);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}
