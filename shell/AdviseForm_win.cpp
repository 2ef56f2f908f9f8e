// The advice window with its tips, and the tips manager of the program.
#include "shell/AdviseForm.h"

#include <windows.h>

#include <memory>

#include "classlib/windowing/StdCtrls.h"
#include "core/Events.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "shell/RichViewer.h"

namespace {

std::unique_ptr<TAdviseManager> TheAdviseManager;

std::string TipsText()
{
    HRSRC found = FindResourceA(nullptr, "TIPS", MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    if (!loaded)
        return {};
    return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found));
}

TButton* NewButton(TForm* form, const std::string& caption, int x, int y)
{
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetCaption(caption);
    button->SetBounds(x, y, 150, 25);
    return button;
}

constexpr int HeadingHeight = 40;

} // namespace

TAdviseManager& AdviseManager()
{
    if (!TheAdviseManager)
        TheAdviseManager = std::make_unique<TAdviseManager>(TipsText());
    return *TheAdviseManager;
}

void FreeAdviseManager()
{
    TheAdviseManager.reset();
}

TAdviseForm::TAdviseForm(TComponent* owner) : TForm(owner)
{
    SetBorderStyle(bsDialog);
    SetCaption("Trucs et astuces d'Quillpad");
    Position = poScreenCenter;
    SetClientSize(480, 250);
    RichViewer = new TRichViewer(this);
    RichViewer->SetParent(this);
    RichViewer->SetBounds(12, HeadingHeight + 10, 300, 150);
    NextBtn = NewButton(this, "Astuce &suivante", 320, HeadingHeight + 10);
    PrevBtn = NewButton(this, "Astuce p&récédente", 320, HeadingHeight + 42);
    DetailsBtn = NewButton(this, "Pl&us d'explications...", 320, HeadingHeight + 74);
    CloseBtn = NewButton(this, "Fermer", 320, HeadingHeight + 135);
    CloseBtn->Cancel = true;
    CloseBtn->ModalResult = mrOk;
    CloseBtn->SetDefault(true);
    ShowAtStartUpCheckBox = new TCheckBox(this);
    ShowAtStartUpCheckBox->SetParent(this);
    ShowAtStartUpCheckBox->SetCaption("Afficher les astuces au &démarrage");
    ShowAtStartUpCheckBox->SetBounds(12, HeadingHeight + 170, 290, 20);
    ShowAtStartUpCheckBox->SetChecked(CurrentOptions().Internal.AdviseAtStartUp);
    NextBtn->OnClick = [this](TComponent*) {
        ShowTip(AdviseManager().NextTip(CurrentOptions().Internal.RunCount));
    };
    PrevBtn->OnClick = [this](TComponent*) { ShowTip(AdviseManager().PreviousTip()); };
    DetailsBtn->OnClick = [this](TComponent*) {
        ShowError("L'aide de cette astuce n'est pas disponible dans cette version.");
    };
}

void TAdviseForm::ShowTip(const TTip& tip)
{
    CurrentTip = tip;
    RichViewer->SetText(tip.Text);
    PrevBtn->SetEnabled(AdviseManager().CanGoBack());
    DetailsBtn->SetEnabled(tip.Number != 0);
}

void TAdviseForm::WndProc(TMessage& message)
{
    TForm::WndProc(message);
    if (message.Msg != WM_PAINT || !HandleAllocated())
        return;
    // The heading: a light bulb, "Savez-vous que ..." in bold Arial 12 points, a line below.
    HDC dc = GetDC(Handle());
    HBRUSH bulb = CreateSolidBrush(RGB(255, 255, 0));
    HGDIOBJ oldBrush = SelectObject(dc, bulb);
    Ellipse(dc, 14, 6, 34, 26);
    SelectObject(dc, oldBrush);
    DeleteObject(bulb);
    RECT base{19, 26, 29, 33};
    FillRect(dc, &base, GetSysColorBrush(COLOR_GRAYTEXT));
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    HFONT font = CreateFontA(-12 * dpi / 72, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    TextOutA(dc, 34 + 5, 10, "Savez-vous que ...", 18);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    RECT line{12, HeadingHeight, ClientWidth() - 12, HeadingHeight + 1};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
    ReleaseDC(Handle(), dc);
}

std::function<void(TAdviseForm&)> OnAdviseFormShown;

void ExecuteAdviseDialog()
{
    TriggerEvent(8500);
    TAdviseForm form(nullptr);
    form.ShowTip(AdviseManager().NextTip(CurrentOptions().Internal.RunCount));
    if (OnAdviseFormShown)
        form.OnShow = [&form](TComponent*) { OnAdviseFormShown(form); };
    form.ShowModal();
    CurrentOptions().Internal.AdviseAtStartUp = form.ShowAtStartUpCheckBox->Checked();
}
