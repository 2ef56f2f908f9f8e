// The toolbars' combo box: the list-opening event, the arrows that open the list, and the hint window
// that follows the highlighted entry of the open list (the list is looked at on a short timer).
#include "window/AdvComboBox.h"

#include "core/Events.h"

namespace {

constexpr UINT_PTR kHintTimer = 410;
constexpr UINT kHintPeriod = 50; // milliseconds
constexpr int kListDropEvent = 410;
const char* const kComboProperty = "QuillpadAdvComboBox";

} // namespace

void TComboBoxHint::ShowItem(int item)
{
    Item = item;
    HWND list = Combo->ListHandle();
    if (item < 0 || item >= Combo->Count() || !list) {
        Hide();
        return;
    }
    const std::string text = Combo->OnItemHint ? Combo->OnItemHint(item) : Combo->Items(item);
    if (text.empty()) {
        Hide();
        return;
    }
    RECT bounds, line{};
    GetWindowRect(list, &bounds);
    SendMessageA(list, LB_GETITEMRECT, WPARAM(item), LPARAM(&line));
    POINT top = {0, line.top};
    ClientToScreen(list, &top);
    const SIZE size = CalcHintSize(text);
    // To the right of the list, or to its left when it would leave the screen.
    int left = bounds.right;
    if (left + size.cx > GetSystemMetrics(SM_CXSCREEN))
        left = bounds.left - size.cx;
    ActivateHint(left, top.y, text);
}

TAdvComboBox::TAdvComboBox(TComponent* owner, bool editableText) : TComboBox(owner, editableText) {}

TAdvComboBox::~TAdvComboBox()
{
    ListClosed();
    ReleaseEdit();
}

void TAdvComboBox::ReleaseEdit()
{
    if (FEdit && IsWindow(FEdit)) {
        SetWindowLongPtrA(FEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditProc));
        RemovePropA(FEdit, kComboProperty);
    }
    FEdit = nullptr;
    FEditProc = nullptr;
}

bool TAdvComboBox::DroppedDown()
{
    return HandleAllocated() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

HWND TAdvComboBox::ListHandle()
{
    if (!HandleAllocated())
        return nullptr;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(Handle(), &info) ? info.hwndList : nullptr;
}

void TAdvComboBox::CreateWnd()
{
    TComboBox::CreateWnd();
    // The edit of an editable box takes the keys itself: its arrows are looked at first.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(Handle(), &info) && info.hwndItem && info.hwndItem != Handle()) {
        FEdit = info.hwndItem;
        SetPropA(FEdit, kComboProperty, this);
        FEditProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(FEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TAdvComboBox::EditProc)));
    }
}

void TAdvComboBox::DestroyWnd()
{
    ListClosed();
    ReleaseEdit();
    TComboBox::DestroyWnd();
}

LRESULT CALLBACK TAdvComboBox::EditProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* combo = static_cast<TAdvComboBox*>(GetPropA(wnd, kComboProperty));
    if (!combo)
        return DefWindowProcA(wnd, msg, wp, lp);
    if (msg == WM_KEYDOWN && combo->OpenOnArrow(wp))
        return 0;
    return CallWindowProcA(combo->FEditProc, wnd, msg, wp, lp);
}

bool TAdvComboBox::OpenOnArrow(WPARAM key)
{
    if ((key != VK_UP && key != VK_DOWN) || DroppedDown())
        return false;
    SendMessageA(Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    return true;
}

void TAdvComboBox::ListClosed()
{
    if (HandleAllocated())
        KillTimer(Handle(), kHintTimer);
    Hint.Hide();
    Hint.Item = -1;
}

void TAdvComboBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == CBN_DROPDOWN) {
            TriggerEvent(kListDropEvent);
            Hint.Item = -1;
            SetTimer(Handle(), kHintTimer, kHintPeriod, nullptr);
        } else if (HIWORD(message.WParam) == CBN_CLOSEUP) {
            ListClosed();
        }
        break;
    case WM_TIMER:
        if (message.WParam == kHintTimer) {
            HWND list = ListHandle();
            const int item = list ? static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)) : -1;
            if (!DroppedDown())
                ListClosed();
            else if (item != Hint.Item)
                Hint.ShowItem(item);
            message.Result = 0;
            return;
        }
        break;
    case WM_KEYDOWN:
        if (OpenOnArrow(message.WParam)) {
            message.Result = 0;
            return;
        }
        break;
    default: break;
    }
    TComboBox::WndProc(message);
}
