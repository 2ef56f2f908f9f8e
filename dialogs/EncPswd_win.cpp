// The two password dialogs: shared behaviour (random pool fed from keys and mouse, the remembered
// password) and the saving and opening forms.
#include "dialogs/EncPswd.h"

#include <functional>
#include <initializer_list>
#include <memory>

#include "classlib/windowing/Edit.h"
#include "classlib/windowing/StdCtrls.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "window/DialogButtons.h"
#include "formats/Encryption.h"

namespace {

constexpr size_t kMinPasswordLength = 8;

const char* const kMemoryText =
    "Pour une sécurité maximale, ce mot de passe sera crypté puis stocké en mémoire vive pour la présente "
    "session de travail d'Quillpad. Aucun mot de passe ne sera jamais enregistré sur votre disque dur.";

// What both dialogs share: edits that stir the random pool, the mouse that does too, and the check box
// that remembers the password for the run.
class TEncPswdForm : public TStandardDialogForm {
public:
    TEncPswdForm(TComponent* owner, uint8_t optionBit, std::string& remembered)
        : TStandardDialogForm(owner), OptionBit(optionBit), Remembered(remembered)
    {}

    // The password typed, enciphered in memory; the edits are emptied.
    std::string TakePassword()
    {
        std::string password = PasswordEdit->Text();
        GetEncryptionManager().EncryptString(password);
        return password;
    }
    TEdit* PasswordEdit = nullptr;
    TCheckBox* MemChkBx = nullptr;

protected:
    TLabel* AddLabel(const std::string& text, int left, int top, int width, int height)
    {
        auto* label = new TLabel(this);
        label->SetParent(this);
        label->SetCaption(text);
        label->SetBounds(left, top, width, height);
        return label;
    }
    TEdit* AddEdit(int left, int top, int width)
    {
        auto* edit = new TEdit(this);
        edit->SetParent(this);
        edit->SetPasswordMode(true);
        edit->SetBounds(left, top, width, 21);
        edit->OnKeyDown = [this](TComponent*, WORD&, uint32_t) { KeyEntropy(); };
        return edit;
    }
    void AddMemory(const std::string& checkText, int top)
    {
        MemChkBx = new TCheckBox(this);
        MemChkBx->SetParent(this);
        MemChkBx->SetCaption(checkText);
        MemChkBx->SetBounds(12, top, ClientWidth() - 24, 32);
        MemChkBx->SetChecked((CurrentOptions().LoadSave.ReuseEncPass & OptionBit) != 0);
        MemChkBx->OnClick = [this](TComponent*) { MemoryClicked(); };
        AddLabel(kMemoryText, 30, top + 34, ClientWidth() - 42, 44);
    }
    // The remembered password goes into the edits when the option is on.
    std::string RememberedPassword() const
    {
        if (!(CurrentOptions().LoadSave.ReuseEncPass & OptionBit) || Remembered.empty())
            return {};
        std::string password = Remembered;
        GetEncryptionManager().DecryptString(password);
        return password;
    }
    void Remember()
    {
        WipeString(Remembered);
        Remembered = TakePassword();
    }
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_MOUSEMOVE) {
            GetEncryptionManager().AddEntropy(static_cast<short>(LOWORD(message.LParam)));
            GetEncryptionManager().AddEntropy(static_cast<short>(HIWORD(message.LParam)));
        }
        TStandardDialogForm::WndProc(message);
    }
    // The buttons (OK checks before it closes; "Fermer", once the box was ticked, keeps what was typed, an
    // ordinary Cancel nothing), the remembered password in the edits, the focus; the form is ready.
    void Finish(const std::function<void()>& accept, std::initializer_list<TEdit*> edits)
    {
        PlaceButtons();
        Buttons->OnClick = [this](TComponent*) {
            if (Buttons->LastClicked == dbCancel && Closing)
                Remember();
        };
        OKButton()->ModalResult = mrNone;
        OKButton()->OnClick = [accept](TComponent*) { accept(); };
        std::string remembered = RememberedPassword();
        for (TEdit* edit : edits)
            edit->SetText(remembered);
        WipeString(remembered);
        SetActiveControl(PasswordEdit);
        Ready = true;
    }

private:
    void KeyEntropy()
    {
        const uint32_t now = GetTickCount() & 0xFFFF;
        GetEncryptionManager().AddEntropy(static_cast<int32_t>((now - LastKeyTick) & 0xFFFF));
        LastKeyTick = now;
    }
    void MemoryClicked()
    {
        if (!Ready)
            return;
        uint8_t& reuse = CurrentOptions().LoadSave.ReuseEncPass;
        reuse = MemChkBx->Checked() ? uint8_t(reuse | OptionBit) : uint8_t(reuse & ~OptionBit);
        if (MemChkBx->Checked())
            Remember();
        CancelButton()->SetCaption("Fermer");
        Closing = true;
    }

    const uint8_t OptionBit;
    std::string& Remembered;
    uint32_t LastKeyTick = GetTickCount() & 0xFFFF;
    bool Closing = false;
    bool Ready = false; // construction is over: the check box's clicks are the user's
};

class TEncPswdForSavingForm : public TEncPswdForm {
public:
    explicit TEncPswdForSavingForm(TComponent* owner)
        : TEncPswdForm(owner, 2, CurrentOptions().LoadSave.LastSavingPassword)
    {
        SetCaption("Mot de passe du document");
        SetClientSize(440, 300);
        AddLabel("Veuillez préciser le mot de passe qui sera requis pour ouvrir ce document à l'avenir. "
                 "Important : Quillpad respecte la différence majuscule/minuscule.",
                 12, 10, 416, 30);
        AddLabel("&Mot de passe (1ère saisie) :", 12, 50, 190, 16);
        PasswordEdit = AddEdit(210, 47, 218);
        AddLabel("Mot de passe (&2ème saisie) :", 12, 80, 190, 16);
        RetypePasswordEdit = AddEdit(210, 77, 218);
        AddMemory("&Suggérer le même mot de passe lors de la création d'autres documents cryptés.", 110);
        AddLabel("Attention ! Le cryptage d'Quillpad protège vos documents contre une lecture fortuite, "
                 "pas contre une attaque déterminée. Protégez votre mot de passe très soigneusement. Si vous "
                 "perdiez le mot de passe d'un document, vous ne pourriez plus l'ouvrir, ni accéder à "
                 "l'information qu'il contient. Soyez prudents !",
                 12, 196, 416, 60);
        Finish([this] { Accept(); }, {PasswordEdit, RetypePasswordEdit});
    }
    TEdit* RetypePasswordEdit;

private:
    void Accept()
    {
        std::string first = PasswordEdit->Text(), second = RetypePasswordEdit->Text();
        auto refuse = [&](TEdit* focus) {
            WipeString(first);
            WipeString(second);
            focus->SetFocus();
        };
        if (first.empty()) {
            ShowInformation("S'il vous plaît, veuillez spécifier un mot de passe.");
            RetypePasswordEdit->SetText("");
            return refuse(PasswordEdit);
        }
        if (first.size() < kMinPasswordLength) {
            ShowWarning("Le mot de passe ne peut avoir moins de " + std::to_string(kMinPasswordLength) +
                        " caractères.");
            PasswordEdit->SetText("");
            RetypePasswordEdit->SetText("");
            return refuse(PasswordEdit);
        }
        if (second.empty()) {
            ShowInformation("S'il vous plaît, veuillez ressaisir le mot de passe.");
            return refuse(RetypePasswordEdit);
        }
        if (first != second) {
            ShowWarning("Les mots de passe saisis doivent être identiques.");
            PasswordEdit->SetText("");
            RetypePasswordEdit->SetText("");
            return refuse(PasswordEdit);
        }
        WipeString(first);
        WipeString(second);
        ModalResult = mrOk;
    }
};

class TEncPswdForOpeningForm : public TEncPswdForm {
public:
    explicit TEncPswdForOpeningForm(TComponent* owner)
        : TEncPswdForm(owner, 1, CurrentOptions().LoadSave.LastOpeningPassword)
    {
        SetCaption("Mot de passe");
        SetClientSize(400, 200);
        AddLabel("Le présent document est protégé par mot de passe.", 12, 10, 376, 16);
        AddLabel("Entrez le mot de &passe :", 12, 34, 150, 16);
        PasswordEdit = AddEdit(170, 31, 218);
        AddMemory("Essayer d'ouvrir &tous les documents cryptés avec ce mot de passe.", 64);
        Finish([this] { Accept(); }, {PasswordEdit});
    }

private:
    void Accept()
    {
        if (PasswordEdit->Text().empty()) {
            ShowInformation("S'il vous plaît, veuillez spécifier un mot de passe.");
            PasswordEdit->SetFocus();
            return;
        }
        ModalResult = mrOk;
    }
};

template<class TFormClass>
bool RunPasswordDialog(std::string& password, std::string& remembered)
{
    auto form = std::make_unique<TFormClass>(nullptr);
    if (form->ShowModal() != mrOk)
        return false;
    password = form->TakePassword();
    WipeString(remembered);
    remembered = password;
    form->PasswordEdit->SetText("");
    return true;
}

} // namespace

bool AskPasswordForSaving(std::string& password)
{
    return RunPasswordDialog<TEncPswdForSavingForm>(password, CurrentOptions().LoadSave.LastSavingPassword);
}

bool AskPasswordForOpening(std::string& password)
{
    return RunPasswordDialog<TEncPswdForOpeningForm>(password, CurrentOptions().LoadSave.LastOpeningPassword);
}
