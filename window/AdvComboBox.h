// The combo box of the toolbars: opening its list is a program event, Up and Down open the list, and
// while the list is open a hint window beside it explains the highlighted entry.
#pragma once
#include <functional>
#include <string>

#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/HintWindow.h"

class TAdvComboBox;

// The hint window of a combo box's open list: it follows the highlighted entry (none at first, -1).
class TComboBoxHint : public THintWindow {
public:
    explicit TComboBoxHint(TAdvComboBox* combo) : Combo(combo) {}
    // Shows the hint of the entry beside the open list, or hides it when the entry has none.
    void ShowItem(int item);
    int Item = -1;

private:
    TAdvComboBox* Combo;
};

class TAdvComboBox : public TComboBox {
public:
    explicit TAdvComboBox(TComponent* owner, bool editableText = true);
    ~TAdvComboBox() override;
    // The hint of an entry; without it, the entry's own text.
    std::function<std::string(int item)> OnItemHint;
    bool DroppedDown();
    HWND ListHandle();
    TComboBoxHint Hint{this};

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    static LRESULT CALLBACK EditProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    // Up and Down with the list closed open it; true when the key was taken.
    bool OpenOnArrow(WPARAM key);
    void ListClosed();
    void ReleaseEdit();

    HWND FEdit = nullptr;
    WNDPROC FEditProc = nullptr;
};
