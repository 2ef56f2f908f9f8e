// The associations dialog: an extension chosen or typed is bound to the program, or a bound one given back.
#include <memory>

#include "classlib/runtime/Format.h"
#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/StdCtrls.h"
#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "window/BaseForms.h"
#include "dialogs/FileAssoc.h"

namespace {

std::string WithoutDots(const std::string& text)
{
    std::string bare;
    for (char c : text)
        if (c != '.' && c != ' ')
            bare += c;
    return bare;
}

// A combo box that makes its button the form's default while it has the focus.
class TDefaultingCombo : public TComboBox {
public:
    TDefaultingCombo(TComponent* owner, bool editable, TButton*& button)
        : TComboBox(owner, editable), FButton(button)
    {}

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == CN_COMMAND && FButton) {
            WORD code = HIWORD(message.WParam);
            if (code == CBN_SETFOCUS || code == CBN_KILLFOCUS)
                FButton->SetDefault(code == CBN_SETFOCUS);
        }
        TComboBox::WndProc(message);
    }

private:
    TButton*& FButton;
};

class TAssociateForm : public TQuillpadForm {
public:
    explicit TAssociateForm(TComponent* owner) : TQuillpadForm(owner)
    {
        SetCaption("Types de fichiers associés");
        SetBorderStyle(bsDialog);
        Position = poScreenCenter;
        SetClientSize(352, 170);
        AddLabel("&Associer Quillpad aux fichiers d'extension :", 8);
        Extensions = new TDefaultingCombo(this, true, AssociateButton);
        Extensions->SetParent(this);
        Extensions->SetBounds(8, 26, 240, 200);
        for (const char* ext : {"cod", "doc", "dot", "ini", "rtf", "txt", "wri"})
            Extensions->Add(ext);
        AssociateButton = AddButton("Associer...", 26);
        AssociateButton->OnClick = [this](TComponent*) { Associate(); };
        AddLabel("&Extensions associées à Quillpad :", 64);
        Associated = new TDefaultingCombo(this, false, DissociateButton);
        Associated->SetParent(this);
        Associated->SetBounds(8, 82, 240, 200);
        DissociateButton = AddButton("Dissocier...", 82);
        DissociateButton->OnClick = [this](TComponent*) { Dissociate(); };
        auto* close = new TButton(this);
        close->SetParent(this);
        close->SetCaption("Fermer");
        close->SetBounds(264, 138, 80, 23);
        close->ModalResult = mrOk;
        close->Cancel = true;
        RefreshList();
        SetActiveControl(Extensions);
    }

    TComboBox* Extensions;
    TComboBox* Associated;
    TButton* AssociateButton = nullptr;
    TButton* DissociateButton = nullptr;

private:
    void AddLabel(const char* text, int top)
    {
        auto* label = new TLabel(this);
        label->SetParent(this);
        label->SetCaption(text);
        label->SetBounds(8, top, 330, 16);
    }

    TButton* AddButton(const char* text, int top)
    {
        auto* button = new TButton(this);
        button->SetParent(this);
        button->SetCaption(text);
        button->SetBounds(264, top, 80, 23);
        return button;
    }

    void RefreshList()
    {
        Associated->Clear();
        std::string lines = AssociatedExtensions();
        for (size_t start = 0, end; start < lines.size(); start = end + 1) {
            end = lines.find('\n', start);
            Associated->Add(lines.substr(start, end - start));
        }
        if (Associated->Count() > 0)
            Associated->SetItemIndex(0);
        DissociateButton->SetEnabled(Associated->Count() > 0);
    }

    void Associate()
    {
        std::string ext = WithoutDots(Extensions->Text());
        if (ext.empty()) {
            ShowInformation("S'il vous plaît, veuillez préciser une extension de fichier.");
        } else if (IsRefusedExtension(ext)) {
            ShowError(Format("Quillpad ne peut pas être associé aux fichiers d'extension \"%s\".", ext));
        } else if (MessageDlgEx(
                       Format("Voulez-vous qu'Quillpad soit désormais l'application associée par défaut aux "
                              "fichiers d'extension \"%s\" ?",
                              ext),
                       mtConfirmation, mbYesNo) == mrYes) {
            RegisterFileTypes(ProgramPath());
            AssociateExtension(ext, true, ProgramPath());
            RefreshList();
            ShowInformation(
                Format("Opération terminée. Quillpad est désormais associé par défaut aux fichiers "
                       "d'extension \"%s\".",
                       ext));
        }
        Extensions->SetFocus();
    }

    void Dissociate()
    {
        std::string ext = WithoutDots(Associated->Text());
        if (ext.empty()) {
            ShowInformation("S'il vous plaît, veuillez préciser une extension de fichier.");
            return;
        }
        if (MessageDlgEx(
                Format("Voulez-vous vraiment qu'Quillpad ne soit plus l'application associée par défaut aux "
                       "fichiers d'extension \"%s\" ?",
                       ext),
                mtConfirmation, mbYesNo) != mrYes)
            return;
        RestoreExtension(ext);
        ShowInformation(
            Format("Opération terminée. Quillpad n'est désormais plus associé par défaut aux fichiers "
                   "d'extension \"%s\".",
                   ext));
        RefreshList();
    }
};

} // namespace

void ExecuteAssociateDialog()
{
    auto form = std::make_unique<TAssociateForm>(nullptr);
    form->ShowModal();
}
