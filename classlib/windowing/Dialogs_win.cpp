// The message form and its layout.
#include "classlib/windowing/Dialogs.h"

#include <algorithm>

namespace {

// Width of the check box's square and the gap before its caption.
constexpr int CheckBoxGlyph = 20;
constexpr int IconSize = 32;

std::string WithoutAccelerators(const std::string& caption)
{
    std::string plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        plain += caption[i];
    }
    return plain;
}

} // namespace

TMessageForm::TMessageForm(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                           const std::string& checkBoxCaption)
    : TForm(nullptr)
{
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    Position = poScreenCenter;
    SetCaption(type < mtCustom ? MsgDlgCaptions[type] : Application->Title());

    // Measures on a memory device context with the form's font.
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TCanvas canvas;
    canvas.SetHandle(dc.get());
    canvas.Font() = Font();
    std::string all;
    for (int c = 32; c <= 254; ++c)
        all += static_cast<char>(c);
    SIZE extent = canvas.TextExtent(all);
    const int aveWidth = extent.cx / 223;
    const int aveHeight = extent.cy;
    auto dx = [&](int units) { return MulDiv(units, aveWidth, 4); };
    auto dy = [&](int units) { return MulDiv(units, aveHeight, 8); };
    const int horzMargin = dx(8), vertMargin = dy(8), horzSpacing = dx(10), vertSpacing = dy(10);
    const int buttonWidth = dx(50), buttonHeight = dy(14), buttonSpacing = dx(4);

    RECT textRect = {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    canvas.DrawText(text.empty() ? std::string(" ") : text, textRect,
                    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_LEFT);
    int checkWidth = 0, checkHeight = 0;
    if (!checkBoxCaption.empty()) {
        checkWidth = canvas.TextWidth(WithoutAccelerators(checkBoxCaption)) + CheckBoxGlyph;
        checkHeight = std::max(aveHeight + 4, 17);
    }
    canvas.SetHandle(nullptr);
    dc.reset();

    const bool hasIcon = type < mtCustom;
    const int textLeft = hasIcon ? IconSize + horzSpacing : 0;
    const int textBlockHeight = std::max(hasIcon ? IconSize : 0, static_cast<int>(textRect.bottom));
    int contentWidth = textLeft + std::max(static_cast<int>(textRect.right), checkWidth);
    int contentHeight = textBlockHeight;
    if (checkHeight)
        contentHeight += dy(4) + checkHeight;

    int buttonCount = 0;
    for (int kind = 0; kind < MsgDlgButtonKinds; ++kind)
        if (buttons & MsgDlgButton(static_cast<TMsgDlgBtn>(kind)))
            ++buttonCount;
    const int buttonsWidth = buttonCount * buttonWidth + std::max(buttonCount - 1, 0) * buttonSpacing;
    const int clientWidth = std::max(contentWidth, buttonsWidth) + 2 * horzMargin;
    const int buttonsTop = vertMargin + contentHeight + vertSpacing;
    SetClientSize(clientWidth, buttonsTop + buttonHeight + vertMargin);

    if (hasIcon) {
        static const LPCSTR icons[4] = {IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION};
        Icon = new TImage(this);
        Icon->Name = "Image";
        Icon->Icon().LoadSystem(icons[type]);
        Icon->SetParent(this);
        Icon->SetBounds(horzMargin, vertMargin, IconSize, IconSize);
    }
    Message = new TLabel(this);
    Message->Name = "Message";
    Message->SetParent(this);
    Message->SetCaption(text);
    Message->SetBounds(horzMargin + textLeft, vertMargin, textRect.right, textRect.bottom);
    if (checkHeight) {
        CheckBox = new TCheckBox(this);
        CheckBox->Name = "CheckBox";
        CheckBox->SetParent(this);
        CheckBox->SetCaption(checkBoxCaption);
        CheckBox->SetBounds(horzMargin + textLeft, vertMargin + textBlockHeight + dy(4), checkWidth,
                            checkHeight);
    }

    TMsgDlgBtn defaultKind = (buttons & MsgDlgButton(mbOK)) ? mbOK : mbYes;
    TMsgDlgBtn cancelKind = (buttons & MsgDlgButton(mbCancel)) ? mbCancel
                            : (buttons & MsgDlgButton(mbNo))   ? mbNo
                                                               : mbOK;
    if (!(buttons & MsgDlgButton(defaultKind)))
        for (int kind = MsgDlgButtonKinds - 1; kind >= 0; --kind)
            if (buttons & MsgDlgButton(static_cast<TMsgDlgBtn>(kind)))
                defaultKind = static_cast<TMsgDlgBtn>(kind);
    int x = (clientWidth - buttonsWidth) / 2;
    for (int kind = 0; kind < MsgDlgButtonKinds; ++kind) {
        if (!(buttons & MsgDlgButton(static_cast<TMsgDlgBtn>(kind))))
            continue;
        auto* button = new TButton(this);
        button->Tag = kind;
        button->SetParent(this);
        button->SetCaption(MsgDlgButtonCaptions[kind]);
        button->ModalResult = MsgDlgButtonResults[kind];
        button->SetBounds(x, buttonsTop, buttonWidth, buttonHeight);
        button->OnClick = [this](TComponent* sender) { FClickedKind = static_cast<int>(sender->Tag); };
        if (kind == defaultKind) {
            button->SetDefault(true);
            SetActiveControl(button);
        }
        button->Cancel = kind == cancelKind;
        Buttons.push_back(button);
        x += buttonWidth + buttonSpacing;
    }
}

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    TMessageForm form(text, type, buttons);
    return form.ShowModal();
}
