// The document properties dialog: five texts of at most 2048 characters each, the last on several lines.
#include "dialogs/DocProperties.h"

#include <memory>

#include "classlib/windowing/Edit.h"
#include "classlib/windowing/StdCtrls.h"
#include "window/BaseForms.h"
#include "document/Document.h"

namespace {

constexpr int MaxPropertyLength = 2048;

class TDocPropertiesForm : public TQuillpadForm {
public:
    explicit TDocPropertiesForm(TComponent* owner) : TQuillpadForm(owner)
    {
        SetCaption("Propriétés du document");
        SetBorderStyle(bsDialog);
        Position = poScreenCenter;
        SetClientSize(376, 292);
        static const char* const labels[4] = {"&Titre :", "&Sujet :", "A&uteur :", "M&ots clés :"};
        for (int i = 0; i < 4; ++i)
            Fields[i] = AddField(labels[i], 8 + 30 * i, false);
        Fields[4] = AddField("&Commentaires :", 128, true);
        auto* ok = new TButton(this);
        ok->SetParent(this);
        ok->SetCaption(MsgDlgButtonCaptions[mbOK]);
        ok->SetBounds(212, 260, 75, 23);
        ok->ModalResult = mrOk;
        ok->SetDefault(true);
        auto* cancel = new TButton(this);
        cancel->SetParent(this);
        cancel->SetCaption(MsgDlgButtonCaptions[mbCancel]);
        cancel->SetBounds(293, 260, 75, 23);
        cancel->ModalResult = mrCancel;
        cancel->Cancel = true;
        SetActiveControl(Fields[0]);
    }

    // Title, subject, author, keywords, comments.
    TEdit* Fields[5];

private:
    TEdit* AddField(const char* caption, int top, bool multiLine)
    {
        auto* label = new TLabel(this);
        label->SetParent(this);
        label->SetCaption(caption);
        label->SetBounds(8, top + 4, 90, 16);
        auto* edit = new TEdit(this, multiLine);
        edit->SetParent(this);
        edit->SetMaxLength(MaxPropertyLength);
        edit->SetBounds(100, top, 268, multiLine ? 120 : 21);
        return edit;
    }
};

} // namespace

bool ExecuteDocPropertiesDialog(TDocumentInfo& info)
{
    std::string* const values[5] = {&info.Title, &info.Subject, &info.Author, &info.Keywords, &info.Comments};
    auto form = std::make_unique<TDocPropertiesForm>(nullptr);
    for (int i = 0; i < 5; ++i)
        form->Fields[i]->SetText(*values[i]);
    if (form->ShowModal() != mrOk)
        return false;
    for (int i = 0; i < 5; ++i)
        *values[i] = form->Fields[i]->Text();
    return true;
}
