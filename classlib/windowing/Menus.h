// Menus: items kept in C++ (caption, states, hint, handler, sub-items) and pop-up menus whose system
// menu is built from them each time they show.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "classlib/windowing/Component.h"

// One menu item. A parent item frees its sub-items; an item freed on its own leaves its parent.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    // "-" makes the item a separator line.
    std::string Caption;
    bool Checked = false;
    bool Enabled = true;
    // Shown in bold: what a double click would do.
    bool Default = false;
    // An invisible item is left out of the system menu.
    bool Visible = true;
    // Shown by the application's hint display while the item is highlighted.
    std::string Hint;
    TNotifyEvent OnClick;

    bool IsLine() const { return Caption == "-"; }
    // The number under which the system menu reports a choice of this item; unique among live items.
    UINT Command() const { return FCommand; }

    TMenuItem* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems[static_cast<size_t>(index)]; }
    // Adds an item at the end, or before Index, taking it from its former parent.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes an item out of this one without freeing it.
    void Remove(TMenuItem* item);
    // Frees every sub-item.
    void Clear();
    // This item or one below it with that command, or null.
    TMenuItem* FindCommand(UINT command);

    // Fires OnClick.
    virtual void Click();

private:
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
    UINT FCommand;
};

// A menu that pops up at a point. Its window receives the system menu's messages: a chosen item's
// OnClick runs from the message loop once the menu has closed, and the highlighted item's hint goes
// to the application's hint display.
class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // The root item: its sub-items are the menu.
    TMenuItem* Items() const { return FItems; }
    // Builds the system menu from the items and shows it with its top left corner at a screen point.
    void Popup(int x, int y);
    // The system menu built from the items as they are now.
    HMENU Handle();
    // The window that the system menu reports to.
    HWND WindowHandle();
    // Runs the item of that command; false when the menu has none.
    bool DispatchCommand(UINT command);

private:
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void DestroySystemMenu();

    TMenuItem* FItems;
    HMENU FMenu = nullptr;
    HWND FWindow = nullptr;
};
