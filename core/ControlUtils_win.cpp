// Hints of truncated captions and the shared pop-up menu.
#include "core/ControlUtils.h"

#include <windows.h>

#include "classlib/windowing/Forms.h"
#include "classlib/windowing/Menus.h"
#include "classlib/windowing/StdCtrls.h"

namespace {

TPopupMenu* SharedPopup = nullptr;

// The width of a caption as the control shows it (accelerator marks left out unless shown).
int CaptionWidth(TControl* control, const std::string& caption)
{
    const TScreenDC dc;
    HGDIOBJ oldFont = SelectObject(dc, control->Font().Handle());
    RECT r = {0, 0, 0, 0};
    UINT format = DT_CALCRECT | DT_SINGLELINE;
    if (auto* label = dynamic_cast<TLabel*>(control); label && !label->ShowAccelChar)
        format |= DT_NOPREFIX;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r, format);
    SelectObject(dc, oldFont);
    return r.right - r.left;
}

void CopyItem(const TMenuItem* from, TMenuItem* to)
{
    to->Caption = from->Caption;
    to->Checked = from->Checked;
    to->Enabled = from->Enabled;
    to->Default = from->Default;
    to->Visible = from->Visible;
    to->OnClick = from->OnClick;
    to->Hint = from->Hint;
    to->Tag = from->Tag;
    for (int i = 0; i < from->Count(); ++i) {
        auto* sub = new TMenuItem(SharedPopup);
        to->Add(sub);
        CopyItem(from->Items(i), sub);
    }
}

} // namespace

void SetHintIfTruncated(TControl* control)
{
    const std::string caption = control->Caption();
    control->SetHint(CaptionWidth(control, caption) > control->Width() ? caption : std::string());
}

void PopupMenuItems(const std::vector<TMenuItem*>& items, TPoint point)
{
    if (!SharedPopup)
        SharedPopup = new TPopupMenu(Application);
    TMenuItem* root = SharedPopup->Items();
    root->Clear();
    for (const TMenuItem* item : items) {
        auto* copy = new TMenuItem(SharedPopup);
        root->Add(copy);
        if (item)
            CopyItem(item, copy);
        else
            copy->Caption = "-";
    }
    SharedPopup->Popup(point.X, point.Y);
}

TMenuItem* SharedPopupMenuItems()
{
    return SharedPopup ? SharedPopup->Items() : nullptr;
}
