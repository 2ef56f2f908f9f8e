// The dialog "Formats et modèles de document": the template of each document format and the format of
// new documents.
#include <windows.h>

#include <commdlg.h>

#include <memory>

#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/StdCtrls.h"
#include "core/InterfaceTexts.h"
#include "core/Messages.h"
#include "window/BaseForms.h"
#include "dialogs/FileAssoc.h"
#include "core/Codings.h"

namespace {

const char* const FormatNames[6] = {
    "Document RTF",        "Document MS Word 6.0/95", "Document MS Word 97/2000/XP",
    "Document COD crypté", "Document texte pur",      "Document texte pur DOS"};

class TDocFmtAssocForm : public TQuillpadForm {
public:
    TDocFmtAssocForm(const TDefaultDocTemplates& record, const std::string& templatesFolder)
        : TQuillpadForm(nullptr), Record(record), FFolder(IncludeTrailingPathDelimiter(templatesFolder))
    {
        SetCaption("Formats et modèles de document");
        SetBorderStyle(bsDialog);
        Position = poScreenCenter;
        SetHelpTopic(2500);
        SetClientSize(400, 236);
        AddLabel("&Formats de document :", 8, 8);
        Formats = new TListBox(this);
        Formats->SetParent(this);
        Formats->SetBounds(8, 26, 220, 110);
        for (const char* name : FormatNames)
            Formats->Add(name);
        Formats->OnChange = [this](TComponent*) { ShowTemplate(true); };
        AddLabel("Modèle de document :", 240, 26);
        TemplateLabel = AddLabel("", 240, 44);
        auto* change = new TButton(this);
        change->SetParent(this);
        change->SetCaption("&Changer de modèle...");
        change->SetBounds(240, 70, 150, 23);
        change->OnClick = [this](TComponent*) { ChangeTemplate(); };
        AddLabel("Format par &défaut (nouveaux documents) :", 8, 148);
        Defaults = new TComboBox(this, false);
        Defaults->SetParent(this);
        Defaults->SetBounds(8, 166, 220, 200);
        for (int coding = 0; coding < cdCodingCount; ++coding)
            if (TCodingManager::CanSaveCoding(coding)) {
                if (coding == Record.DefDocFmt)
                    Defaults->SetItemIndex(Defaults->Count());
                Defaults->Add(DocumentFormatNames[coding]);
                FCodings.push_back(coding);
            }
        Defaults->OnChange = [this](TComponent*) {
            int i = Defaults->ItemIndex();
            if (i >= 0)
                Record.DefDocFmt = FCodings[size_t(i)];
        };
        auto* ok = AddButton(MsgDlgButtonCaptions[mbOK], 232, mrOk);
        ok->SetDefault(true);
        AddButton(MsgDlgButtonCaptions[mbCancel], 316, mrCancel)->Cancel = true;
        Formats->SetItemIndex(0);
        ShowTemplate(false);
        SetActiveControl(Formats);
    }

    TDefaultDocTemplates Record;
    TListBox* Formats;
    TLabel* TemplateLabel;
    TComboBox* Defaults;

private:
    TLabel* AddLabel(const char* text, int left, int top)
    {
        auto* label = new TLabel(this);
        label->SetParent(this);
        label->SetCaption(text);
        label->SetBounds(left, top, 230, 16);
        label->ShowAccelChar = text[0] != 0;
        return label;
    }

    TButton* AddButton(const char* text, int left, int result)
    {
        auto* button = new TButton(this);
        button->SetParent(this);
        button->SetCaption(text);
        button->SetBounds(left, 204, 80, 23);
        button->ModalResult = result;
        return button;
    }

    void ShowTemplate(bool check)
    {
        int i = Formats->ItemIndex();
        if (i < 0)
            return;
        TemplateLabel->SetCaption(Record.Templates[i]);
        if (check && !FileExists(FFolder + Record.Templates[i]))
            ShowError(Format("Impossible d'ouvrir le fichier \"%s\".", FFolder + Record.Templates[i]));
    }

    void ChangeTemplate()
    {
        int i = Formats->ItemIndex();
        if (i < 0)
            return;
        char file[MAX_PATH] = {};
        lstrcpynA(file, Record.Templates[i].c_str(), MAX_PATH);
        OPENFILENAMEA ofn = {};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = Handle();
        ofn.lpstrFilter = "Modèles de document (*.rtf)\0*.rtf\0";
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrInitialDir = FFolder.c_str();
        ofn.lpstrTitle = "Choisir un modèle de document";
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        if (!GetOpenFileNameA(&ofn))
            return;
        std::string chosen = file;
        // A template of the templates folder is kept by its name, another one by its full path.
        if (chosen.size() > FFolder.size() &&
            lstrcmpiA(chosen.substr(0, FFolder.size()).c_str(), FFolder.c_str()) == 0)
            chosen = chosen.substr(FFolder.size());
        Record.Templates[i] = chosen;
        ShowTemplate(false);
    }

    std::string FFolder;
    std::vector<int> FCodings;
};

} // namespace

bool ExecuteDocFmtAssocDialog(TDefaultDocTemplates& record, const std::string& templatesFolder)
{
    auto form = std::make_unique<TDocFmtAssocForm>(record, templatesFolder);
    if (form->ShowModal() != mrOk)
        return false;
    record = form->Record;
    return true;
}
