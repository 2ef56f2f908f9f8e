// Radio buttons, panels, progress bars, list boxes and combo boxes over the system's controls.
#include "classlib/windowing/ExtCtrls.h"

#include <commctrl.h>

// ---- TRadioButton

TRadioButton::TRadioButton(TComponent* owner)
    : TButtonControl(owner, "QuillpadRadioButton", BS_RADIOBUTTON, 113)
{}

void TRadioButton::SetChecked(bool value)
{
    TButtonControl::SetChecked(value);
    if (!value || !Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
        if (other && other != this && other->FChecked)
            other->SetChecked(false);
    }
}

void TRadioButton::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == BN_CLICKED) {
            SetChecked(true);
            Click();
        }
        return;
    }
    // Arrow keys move between the buttons of the group and tick the one reached.
    if (message.Msg == WM_SETFOCUS && !FChecked && (GetKeyState(VK_LBUTTON) & 0x8000) == 0 &&
        (GetKeyState(VK_TAB) & 0x8000) == 0) {
        TControl::WndProc(message);
        SetChecked(true);
        Click();
        return;
    }
    TControl::WndProc(message);
}

// ---- TPanel

void TPanel::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.ExStyle |= WS_EX_CONTROLPARENT;
    params.Style |= WS_CLIPCHILDREN;
}

// ---- TProgressBar

TProgressBar::TProgressBar(TComponent* owner) : TControl(owner)
{
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "QuillpadProgressBar";
    params.SystemClass = PROGRESS_CLASSA;
}

void TProgressBar::CreateWnd()
{
    TControl::CreateWnd();
    SendMessageA(Handle(), PBM_SETRANGE32, 0, FMax);
    SendMessageA(Handle(), PBM_SETPOS, FPosition, 0);
}

void TProgressBar::SetMax(int max)
{
    FMax = max > 0 ? max : 1;
    if (HandleAllocated())
        SendMessageA(Handle(), PBM_SETRANGE32, 0, FMax);
}

void TProgressBar::SetPosition(int position)
{
    FPosition = position < 0 ? 0 : position > FMax ? FMax : position;
    if (HandleAllocated())
        SendMessageA(Handle(), PBM_SETPOS, FPosition, 0);
}

// ---- TItemListControl

TItemListControl::TItemListControl(TComponent* owner, const TItemMessages& messages)
    : TControl(owner), FMessages(messages)
{
    SetTabStop(true);
    SetColor(clWindow);
}

void TItemListControl::SendItems()
{
    for (const std::string& item : FItems)
        SendMessageA(Handle(), FMessages.Add, 0, reinterpret_cast<LPARAM>(WindowText(item)));
}

void TItemListControl::DestroyWnd()
{
    FItemIndex = ItemIndex();
    TControl::DestroyWnd();
}

void TItemListControl::Add(const std::string& text)
{
    FItems.push_back(text);
    if (HandleAllocated())
        SendMessageA(Handle(), FMessages.Add, 0, reinterpret_cast<LPARAM>(WindowText(text)));
}

void TItemListControl::Clear()
{
    FItems.clear();
    FItemIndex = -1;
    if (HandleAllocated())
        SendMessageA(Handle(), FMessages.Reset, 0, 0);
}

int TItemListControl::ItemIndex() const
{
    if (HandleAllocated())
        return static_cast<int>(
            SendMessageA(const_cast<TItemListControl*>(this)->Handle(), FMessages.GetSelection, 0, 0));
    return FItemIndex;
}

void TItemListControl::SetItemIndex(int index)
{
    FItemIndex = index;
    if (HandleAllocated())
        SendMessageA(Handle(), FMessages.SetSelection, index, 0);
}

// ---- TListBox

TListBox::TListBox(TComponent* owner, bool ownerDraw)
    : TItemListControl(owner, {LB_ADDSTRING, LB_RESETCONTENT, LB_GETCURSEL, LB_SETCURSEL}),
      FOwnerDraw(ownerDraw)
{
    SetBounds(0, 0, 121, 97);
}

void TListBox::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = FOwnerDraw ? "QuillpadOwnerListBox" : "QuillpadListBox";
    params.SystemClass = "LISTBOX";
    params.ExStyle |= WS_EX_CLIENTEDGE;
    params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (FOwnerDraw)
        params.Style |= LBS_OWNERDRAWFIXED;
}

void TListBox::CreateWnd()
{
    TControl::CreateWnd();
    SendItems();
    if (FOwnerDraw)
        SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, ItemHeight);
    SendMessageA(Handle(), LB_SETCURSEL, FItemIndex, 0);
}

int TListBox::TopIndex() const
{
    return HandleAllocated()
               ? static_cast<int>(SendMessageA(const_cast<TListBox*>(this)->Handle(), LB_GETTOPINDEX, 0, 0))
               : 0;
}

void TListBox::SetTopIndex(int index)
{
    if (HandleAllocated())
        SendMessageA(Handle(), LB_SETTOPINDEX, index, 0);
}

void TListBox::DrawItem(int index, TCanvas& canvas, const RECT& rect, bool selected)
{
    canvas.Brush().SetColor(selected ? clHighlight : clWindow);
    canvas.FillRect(rect);
    canvas.Font().SetColor(selected ? clHighlightText : clWindowText);
    RECT r = rect;
    r.left += 2;
    canvas.DrawText(Items(index), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TListBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == LBN_SELCHANGE && OnChange)
            OnChange(this);
        return;
    case CN_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        int index = static_cast<int>(dis->itemID);
        if (index < 0 || index >= Count())
            return;
        int saved = SaveDC(dis->hDC);
        FItemCanvas.SetHandle(dis->hDC);
        FItemCanvas.Font() = Font();
        DrawItem(index, FItemCanvas, dis->rcItem, (dis->itemState & ODS_SELECTED) != 0);
        if (dis->itemState & ODS_FOCUS)
            DrawFocusRect(dis->hDC, &dis->rcItem);
        FItemCanvas.SetHandle(nullptr);
        RestoreDC(dis->hDC, saved);
        message.Result = 1;
        return;
    }
    }
    TControl::WndProc(message);
}

// ---- TComboBox

TComboBox::TComboBox(TComponent* owner, bool editableText)
    : TItemListControl(owner, {CB_ADDSTRING, CB_RESETCONTENT, CB_GETCURSEL, CB_SETCURSEL}),
      FEditable(editableText)
{
    SetBounds(0, 0, 145, 200);
}

void TComboBox::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = FEditable ? "QuillpadComboBox" : "QuillpadComboList";
    params.SystemClass = "COMBOBOX";
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | (FEditable ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
}

void TComboBox::CreateWnd()
{
    std::string text = Caption();
    TControl::CreateWnd();
    SendItems();
    if (FItemIndex >= 0)
        SendMessageA(Handle(), CB_SETCURSEL, FItemIndex, 0);
    else if (FEditable)
        SetWindowTextA(Handle(), text.c_str());
}

std::string TComboBox::Text()
{
    return Caption();
}

void TComboBox::SetText(const std::string& text)
{
    FItemIndex = -1;
    SetCaption(text);
}

void TComboBox::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND) {
        WORD code = HIWORD(message.WParam);
        if ((code == CBN_SELCHANGE || code == CBN_EDITCHANGE) && OnChange)
            OnChange(this);
        return;
    }
    TControl::WndProc(message);
}
