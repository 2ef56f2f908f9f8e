// The string-list editor dialog: the list, the entry field, Add and Delete, and the OK and Cancel row.
#include "window/StrListEditDialog.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "classlib/runtime/StringList.h"
#include "classlib/windowing/Edit.h"
#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/StdCtrls.h"
#include "window/DialogButtons.h"

namespace {

class TStrLstEditForm : public TStandardDialogForm {
public:
    TStrLstEditForm(const TStringList& lines, const std::string& caption, const std::string& label,
                    int helpTopic, uint32_t flags, const TStrListEntryValidator& validator,
                    const TStringList* choices)
        : TStandardDialogForm(nullptr), Validator(validator)
    {
        SetCaption(caption);
        SetHelpTopic(helpTopic);
        SetClientSize(360, 262);
        auto* title = new TLabel(this);
        title->SetParent(this);
        title->SetCaption(label);
        title->SetBounds(8, 8, 344, 16);
        if (flags & slfChoiceMode) {
            Choice = new TComboBox(this, false);
            Choice->SetParent(this);
            Choice->SetBounds(8, 28, 254, 200);
            for (int i = 0; choices && i < choices->Count(); ++i)
                Choice->Add((*choices)[i]);
            Choice->OnChange = [this](TComponent*) { EntryChanged(); };
        } else {
            Entry = new TEdit(this);
            Entry->SetParent(this);
            Entry->SetBounds(8, 28, 254, 21);
            Entry->OnChange = [this](TComponent*) { EntryChanged(); };
        }
        AddButton = MakeButton("&Ajouter", 28);
        AddButton->OnClick = [this](TComponent*) { Add(); };
        DeleteButton = MakeButton("&Supprimer", 58);
        DeleteButton->OnClick = [this](TComponent*) { Delete(); };
        List = new TListBox(this);
        List->SetParent(this);
        List->SetBounds(8, 58, 254, 160);
        List->OnChange = [this](TComponent*) { LineClicked(); };
        for (int i = 0; i < lines.Count(); ++i)
            Lines.push_back(lines[i]);
        FillList();
        PlaceButtons();
        EntryChanged();
        SetActiveControl(Entry ? static_cast<TControl*>(Entry) : Choice);
    }

    std::vector<std::string> Lines;

private:
    TButton* MakeButton(const char* caption, int top)
    {
        auto* button = new TButton(this);
        button->SetParent(this);
        button->SetCaption(caption);
        button->SetBounds(272, top, 80, 23);
        return button;
    }

    std::string EntryText() { return Entry ? Entry->Text() : Choice->Text(); }
    void SetEntryText(const std::string& text)
    {
        if (Entry)
            Entry->SetText(text);
        else
            for (int i = 0; i < Choice->Count(); ++i)
                if (Choice->Items(i) == text)
                    Choice->SetItemIndex(i);
    }
    int IndexOf(const std::string& text) const
    {
        auto it = std::find(Lines.begin(), Lines.end(), text);
        return it == Lines.end() ? -1 : static_cast<int>(it - Lines.begin());
    }

    void FillList()
    {
        List->Clear();
        for (const std::string& line : Lines)
            List->Add(line);
    }

    // Typing or choosing an entry selects the line it matches; the buttons follow.
    void EntryChanged()
    {
        const std::string text = EntryText();
        const int at = IndexOf(text);
        if (at >= 0)
            List->SetItemIndex(at);
        AddButton->SetEnabled(!text.empty() && at < 0);
        DeleteButton->SetEnabled(at >= 0);
    }

    void LineClicked()
    {
        const int at = List->ItemIndex();
        if (at >= 0)
            SetEntryText(Lines[size_t(at)]);
        EntryChanged();
    }

    void Add()
    {
        const std::string text = EntryText();
        if (text.empty() || IndexOf(text) >= 0 || (Validator && !Validator(text)))
            return;
        Lines.push_back(text);
        FillList();
        EntryChanged();
    }

    void Delete()
    {
        const int at = IndexOf(EntryText());
        if (at < 0)
            return;
        Lines.erase(Lines.begin() + at);
        FillList();
        // The next line, or the last when the deleted one was last.
        if (!Lines.empty()) {
            List->SetItemIndex(std::min(at, static_cast<int>(Lines.size()) - 1));
            SetEntryText(Lines[size_t(List->ItemIndex())]);
        }
        EntryChanged();
    }

    TStrListEntryValidator Validator;
    TEdit* Entry = nullptr;
    TComboBox* Choice = nullptr;
    TButton* AddButton = nullptr;
    TButton* DeleteButton = nullptr;
    TListBox* List = nullptr;
};

} // namespace

bool ExecuteStrListEditDialog(TStringList& lines, const std::string& caption, const std::string& label,
                              int helpTopic, uint32_t flags, const TStrListEntryValidator& validator,
                              const TStringList* choices)
{
    auto form =
        std::make_unique<TStrLstEditForm>(lines, caption, label, helpTopic, flags, validator, choices);
    if (form->ShowModal() != mrOk)
        return false;
    lines.Clear();
    for (const std::string& line : form->Lines)
        lines.Add(line);
    return true;
}
