// The wizard's pages, their steps, the installation's progress and the close protocol.
#include "setup/Wizard.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>

#include "classlib/runtime/Files.h"
#include "setup/AttachedFiles.h"
#include "setup/InstallLog.h"
#include "setup/SetupSystem.h"
#include "setup/WorkerChannel.h"

namespace {

constexpr UINT WM_WORKER = WM_APP + 1;
constexpr int PageLeft = 150, PageTop = 58, PageWidth = 400, PageHeight = 270;

const char* const PageTitles[10] = {
    "Merci de faire confiance à Quillpad",
    "Accord de licence",
    "Installation dans le menu \"démarrer\"",
    "Choix du dossier d'installation",
    "Choix des composants",
    "Lancement de l'installation",
    "Installation",
    "Types de fichiers associés",
    "Création des raccourcis",
    "Fin de l'installation",
};

const char* const WelcomeText =
    "Bienvenue dans le programme d'installation d'Quillpad Bright Ink 1.5, le traitement de texte en "
    "français.\r\n\r\nCe programme va installer Quillpad sur votre ordinateur. Il est conseillé de fermer "
    "toutes les autres applications avant de poursuivre.\r\n\r\nCliquez sur \"Suite\" pour continuer.";
const char* const LegalText =
    "Avertissement : ce programme est protégé par la loi relative au droit d'auteur et par les conventions "
    "internationales. Toute reproduction ou distribution non autorisée de ce programme, ou d'une partie de "
    "ce programme, est interdite.";
const char* const ReadyText =
    "Le programme d'installation dispose maintenant de toutes les informations nécessaires pour copier les "
    "fichiers d'Quillpad sur votre ordinateur.\r\n\r\nCliquez sur \"Suite\" pour lancer l'installation, ou "
    "sur \"< Retour\" pour revoir vos choix.";
const char* const EndText =
    "L'installation d'Quillpad Bright Ink est terminée.\r\n\r\nVous pouvez désormais rédiger vos documents "
    "avec Quillpad. Cliquez sur \"Terminer\" pour quitter le programme d'installation.";

std::string AddQuillpadFolder(std::string path)
{
    if (path.size() >= 8 && lstrcmpiA(path.substr(path.size() - 8).c_str(), "Quillpad") == 0)
        return path;
    if (path.empty() || (path.back() != '\\' && path.back() != '/'))
        path += '\\';
    return path + "Quillpad";
}

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool StartsWithNoCase(const std::string& text, const std::string& start)
{
    return text.size() >= start.size() && lstrcmpiA(text.substr(0, start.size()).c_str(), start.c_str()) == 0;
}

constexpr uint16_t Btn(int kind)
{
    return static_cast<uint16_t>(1u << kind);
}
constexpr int mbYesBit = 0, mbNoBit = 1, mbOKBit = 2, mbAbortBit = 4;

// The licence: read only, its lines wrapped at the box's width.
class TLicenceBox : public TEdit {
public:
    explicit TLicenceBox(TComponent* owner) : TEdit(owner, true) {}

protected:
    void CreateParams(TCreateParams& params) override
    {
        TEdit::CreateParams(params);
        params.Style = (params.Style & ~(ES_AUTOHSCROLL | ES_WANTRETURN)) | ES_READONLY;
    }
};

// An edit that reports every change of its text.
class TChangingEdit : public TEdit {
public:
    using TEdit::TEdit;
    std::function<void()> OnChange;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE && OnChange)
            OnChange();
        TEdit::WndProc(message);
    }
};

} // namespace

TMainDlgForm::TMainDlgForm(TComponent* owner) : TForm(owner)
{
    SetCaption(SetupTitle);
    SetBorderStyle(bsDialog);
    Position = poScreenCenter;
    SetClientSize(560, 380);
    Choices = ReadInstallChoices();
    ProgramRunning = ProgramIsRunning;

    auto* logo = new TLogoPanel(this, false);
    logo->SetParent(this);
    logo->SetBounds(0, 0, 140, 336);
    TitleBand = new TLogoPanel(this, true);
    TitleBand->SetParent(this);
    TitleBand->SetBounds(140, 0, 420, 48);

    for (int i = 0; i < 10; ++i)
        Pages[i] = MakePage(i);

    // 0: welcome.
    MakeLabel(Pages[0], WelcomeText, 0, 0, PageWidth, 150);
    MakeLabel(Pages[0], LegalText, 0, 170, PageWidth, 90);

    // 1: licence.
    LicenceText = new TLicenceBox(this);
    LicenceText->SetParent(Pages[1]);
    LicenceText->SetBounds(0, 0, PageWidth, 206);
    AcceptButton = new TRadioButton(this);
    AcceptButton->SetParent(Pages[1]);
    AcceptButton->SetCaption("J'&accepte l'Accord de licence ci-dessus dans son intégralité.");
    AcceptButton->SetBounds(0, 216, PageWidth, 20);
    AcceptButton->SetChecked(true);
    RefuseButton = new TRadioButton(this);
    RefuseButton->SetParent(Pages[1]);
    RefuseButton->SetCaption("Je &n'accepte pas les termes de l'Accord de licence ci-dessus.");
    RefuseButton->SetBounds(0, 240, PageWidth, 20);

    // 2: start-menu folder.
    GroupBox = MakeCheckBox(Pages[2], "&Ajouter Quillpad au menu \"démarrer\"", 0, 0, PageWidth);
    GroupBox->OnClick = [this](TComponent*) { GroupBoxClicked(); };
    GroupLabel = MakeLabel(Pages[2], "&Nom du dossier dans le menu \"démarrer\" :", 0, 30, PageWidth, 16);
    GroupEdit = new TChangingEdit(this);
    static_cast<TChangingEdit*>(GroupEdit)->OnChange = [this] { GroupEditChanged(); };
    GroupEdit->SetParent(Pages[2]);
    GroupEdit->SetBounds(0, 48, PageWidth, 21);
    GroupList = new TListBox(this);
    GroupList->SetParent(Pages[2]);
    GroupList->SetBounds(0, 74, PageWidth, 190);
    GroupList->OnChange = [this](TComponent*) {
        int i = GroupList->ItemIndex();
        if (i >= 0) {
            FChangeHandlers = false;
            GroupEdit->SetText(GroupList->Items(i));
            FChangeHandlers = true;
        }
    };

    // 3: destination.
    MakeLabel(Pages[3], "Quillpad sera installé dans le dossier suivant :", 0, 0, PageWidth, 16);
    DestinationEdit = new TEdit(this);
    DestinationEdit->SetParent(Pages[3]);
    DestinationEdit->SetBounds(0, 18, PageWidth, 21);
    FolderChooser = std::make_unique<TFolderChooser>(this, Pages[3], 0, 46, PageWidth, 218);
    FolderChooser->OnChoose = [this](const std::string& path) {
        DestinationEdit->SetText(AddQuillpadFolder(path));
    };

    // 4: components.
    MakeLabel(
        Pages[4],
        "Désactivez les cases des &composants que vous ne voulez pas installer ou mettre à jour (l'espace "
        "disque requis est affiché sur la droite) :",
        0, 0, PageWidth, 30);
    ComponentList = new TComponentList(this);
    ComponentList->SetParent(Pages[4]);
    ComponentList->SetBounds(0, 34, PageWidth, 172);
    ComponentList->OnToggle = [this](TComponent*) { UpdateDiskSpace(); };
    MakeLabel(Pages[4], "Espace disque requis :", 0, 216, 200, 16);
    MakeLabel(Pages[4], "Espace disque libre :", 0, 238, 200, 16);
    RequiredLabel = MakeLabel(Pages[4], "", 200, 216, 200, 16);
    FreeLabel = MakeLabel(Pages[4], "", 200, 238, 200, 16);

    // 5: ready.
    MakeLabel(Pages[5], ReadyText, 0, 0, PageWidth, 150);

    // 6: installing.
    Animation = new TBusyAnimation(this);
    Animation->SetParent(Pages[6]);
    Animation->SetBounds(0, 20, 180, 24);
    MakeLabel(Pages[6], "Installation :", 0, 70, 100, 16);
    ProgressLabel = MakeLabel(Pages[6], "", 100, 70, 300, 16);
    ProgressBar = new TProgressBar(this);
    ProgressBar->SetParent(Pages[6]);
    ProgressBar->SetBounds(0, 96, PageWidth, 18);

    // 7: document types.
    const char* const types[3] = {"Documents R&TF", "Documents COD &cryptés", "Documents MS &Word DOC"};
    MakeLabel(Pages[7], "Quillpad ouvrira les documents des types cochés ci-dessous :", 0, 0, PageWidth, 16);
    for (int i = 0; i < 3; ++i)
        TypeBoxes[i] = MakeCheckBox(Pages[7], types[i], 0, 30 + 26 * i, PageWidth);

    // 8: shortcuts.
    const char* const shortcuts[3] = {"Créer un raccourci sur le &Bureau de Windows",
                                      "Créer un raccourci dans le menu \"&Tous les programmes\"",
                                      "Créer un raccourci dans le menu \"démarrer\""};
    for (int i = 0; i < 3; ++i)
        ShortcutBoxes[i] = MakeCheckBox(Pages[8], shortcuts[i], 0, 4 + 26 * i, PageWidth);

    // 9: end.
    MakeLabel(Pages[9], EndText, 0, 0, PageWidth, 120);
    LaunchBox = MakeCheckBox(Pages[9], "&Lancer Quillpad Bright Ink tout de suite", 0, 140, PageWidth);

    BackButton = new TButton(this);
    BackButton->SetParent(this);
    BackButton->SetBounds(302, 348, 80, 23);
    BackButton->OnClick = [this](TComponent*) { ShowPage(FPage, FPage - 1); };
    NextButton = new TButton(this);
    NextButton->SetParent(this);
    NextButton->SetBounds(384, 348, 80, 23);
    NextButton->SetDefault(true);
    NextButton->OnClick = [this](TComponent*) { ShowPage(FPage, FPage + 1); };
    CancelButton = new TButton(this);
    CancelButton->SetParent(this);
    CancelButton->SetCaption("Annuler");
    CancelButton->SetBounds(472, 348, 80, 23);
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;
    OnCloseQuery = [this](TComponent*, bool& canClose) { CloseQueryHandler(canClose); };

    // The state of the last installation.
    for (int i = 0; i < 8; ++i) {
        bool ticked = Choices.ComponentLetters.find(char('A' + i)) != std::string::npos;
        ComponentList->AddEntry(SetupComponents[i].Caption, i == 0 ? 2 : ticked ? 1 : 0, i == 0);
    }
    ComponentList->SetItemIndex(1);
    FillGroupList();
    GroupEdit->SetText(Choices.Group);
    for (int i = 0; i < GroupList->Count(); ++i)
        if (lstrcmpiA(GroupList->Items(i).c_str(), Choices.Group.c_str()) == 0)
            GroupList->SetItemIndex(i);
    GroupBox->SetChecked(Choices.CreateGroup);
    GroupBoxClicked();
    DestinationEdit->SetText(Choices.Destination);
    FolderChooser->Browse(Choices.Destination);
    SetTimer(Handle(), 1, 100, nullptr);
    WorkerChannel.Reopen();
    WorkerChannel.SetWindow(Handle(), WM_WORKER);
    WizardMessage = [this](const std::string& text, uint8_t type, uint16_t buttons) {
        return ShowMessage(text, type, buttons);
    };
    ShowPage(255, 0);
    FChangeHandlers = true;
}

TMainDlgForm::~TMainDlgForm()
{
    WizardMessage = nullptr;
    JoinWorker();
}

void TMainDlgForm::JoinWorker()
{
    WorkerChannel.Close();
    if (FWorker)
        FWorker->Join();
}

TPanel* TMainDlgForm::MakePage(int index)
{
    auto* page = new TPanel(this);
    page->SetParent(this);
    page->SetBounds(PageLeft, PageTop, PageWidth, PageHeight);
    page->Tag = index;
    page->SetVisible(false);
    return page;
}

TLabel* TMainDlgForm::MakeLabel(TControl* parent, const std::string& text, int left, int top, int width,
                                int height)
{
    auto* label = new TLabel(this);
    label->SetParent(parent);
    label->SetCaption(text);
    label->SetBounds(left, top, width, height);
    return label;
}

TCheckBox* TMainDlgForm::MakeCheckBox(TControl* parent, const std::string& text, int left, int top, int width)
{
    auto* box = new TCheckBox(this);
    box->SetParent(parent);
    box->SetCaption(text);
    box->SetBounds(left, top, width, 20);
    return box;
}

void TMainDlgForm::FillGroupList()
{
    std::vector<std::string> names;
    for (int csidl : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
        std::string folder = SpecialFolder(csidl);
        if (folder.empty())
            continue;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((IncludeTrailingPathDelimiter(folder) + "*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do {
            std::string name = data.cFileName;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    auto less = [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    };
    std::sort(names.begin(), names.end(), less);
    names.erase(std::unique(names.begin(), names.end(),
                            [](const std::string& a, const std::string& b) {
                                return lstrcmpiA(a.c_str(), b.c_str()) == 0;
                            }),
                names.end());
    for (const std::string& name : names)
        GroupList->Add(name);
}

void TMainDlgForm::GroupBoxClicked()
{
    bool on = GroupBox->Checked();
    GroupLabel->SetVisible(on);
    GroupEdit->SetVisible(on);
    GroupList->SetVisible(on);
    if (on && FChangeHandlers)
        FocusControl(GroupEdit);
}

void TMainDlgForm::GroupEditChanged()
{
    if (!FChangeHandlers)
        return;
    std::string text = GroupEdit->Text();
    for (int i = 0; i < GroupList->Count(); ++i) {
        if (!StartsWithNoCase(GroupList->Items(i), text))
            continue;
        if (lstrcmpiA(GroupList->Items(i).c_str(), text.c_str()) == 0)
            GroupList->SetItemIndex(i);
        else {
            GroupList->SetItemIndex(-1);
            GroupList->SetTopIndex(i);
        }
        return;
    }
    GroupList->SetItemIndex(-1);
}

void TMainDlgForm::UpdateDiskSpace()
{
    int64_t required = 0;
    for (int i = 0; i < ComponentList->Count(); ++i)
        if (ComponentList->State(i) != 0)
            required += FKeptSizes[i];
    int64_t available = FreeDiskSpace(Choices.Destination);
    RequiredLabel->SetCaption(FormatSize(required));
    FreeLabel->SetCaption(FormatSize(available));
    NextButton->SetEnabled(available >= required);
}

int TMainDlgForm::ShowMessage(const std::string& text, uint8_t type, uint16_t buttons)
{
    if (!Background || !Background->HandleAllocated())
        return PlainMessage(text, type, buttons);
    ShowWindow(Background->Handle(), SW_HIDE);
    int answer = PlainMessage(text, type, buttons);
    ShowWindow(Background->Handle(), SW_SHOW);
    if (HandleAllocated() && IsWindowVisible(Handle()))
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return answer;
}

std::string TMainDlgForm::ProgramArguments() const
{
    std::string d = IncludeTrailingPathDelimiter(Choices.Destination);
    std::string args;
    if (TypeBoxes[0]->Checked() || TypeBoxes[1]->Checked() || TypeBoxes[2]->Checked()) {
        args = "-assoc ";
        if (TypeBoxes[0]->Checked())
            args += "rtf";
        if (TypeBoxes[1]->Checked())
            args += "_cod";
        if (TypeBoxes[2]->Checked())
            args += "_doc";
    }
    if (Mask & 12) {
        args += " -iscs \"";
        if (Mask & 8)
            args += d + "Orthographe\\English (American).qsc;" + d + "Orthographe\\English (British).qsc;";
        if (Mask & 4)
            args += d + "Orthographe\\French.qsc";
        args += "\"";
    }
    return args;
}

void TMainDlgForm::StartInstallation()
{
    InstallLog.Open(Choices.Destination);
    Mask = 0;
    std::string letters;
    for (int i = 0; i < ComponentList->Count(); ++i)
        if (ComponentList->State(i) != 0)
            Mask |= uint8_t(1u << i);
    Mask |= 1;
    Animation->Start();
    BuildInstallQueue(*AttachedFiles, Choices.Destination, Mask, Choices.ClipLibFolder);
    ProgressBar->SetMax(static_cast<int>(std::min<uint32_t>(AttachedFiles->TotalQueuedSize(), 0x7FFFFFFF)));
    ProgressBar->SetPosition(0);
    FStarted = true;
    WorkerChannel.Reopen();
    WorkerChannel.SetWindow(Handle(), WM_WORKER);
    WorkerChannel.SetState(wsInstalling);
    FWorker = std::make_unique<TInstallThread>(*AttachedFiles);
}

void TMainDlgForm::HandleWorkerState()
{
    switch (WorkerChannel.State()) {
    case wsInstalling: {
        uint8_t component = WorkerChannel.CurrentComponent;
        if (component >= 8)
            return;
        ProgressBar->SetPosition(static_cast<int>(std::min<uint32_t>(WorkerChannel.BytesDone, 0x7FFFFFFF)));
        std::string caption;
        for (const char* p = SetupComponents[component].Caption; *p; ++p)
            caption += *p == '&' ? std::string("&&") : std::string(1, *p);
        if (caption == "-")
            caption = "- ";
        if (caption != FLastProgress) {
            FLastProgress = caption;
            ProgressLabel->SetCaption(caption);
        }
        return;
    }
    case wsAsking: {
        if (FQuestionShowing)
            return;
        FQuestionShowing = true;
        std::string text = WorkerChannel.QuestionText;
        int answer = WorkerChannel.QuestionViaWizard
                         ? ShowMessage(text, WorkerChannel.QuestionType, WorkerChannel.QuestionButtons)
                         : PlainMessage(text, WorkerChannel.QuestionType, WorkerChannel.QuestionButtons);
        FQuestionShowing = false;
        WorkerChannel.Answer(answer);
        return;
    }
    case wsFinished:
        if (FPage != 6)
            return;
        WorkerChannel.SetState(wsIdle);
        ShowPage(6, 7);
        return;
    case wsFailed: Finish(mrCancel); return;
    }
}

void TMainDlgForm::Finish(int result)
{
    FClosingAllowed = true;
    ModalResult = result;
}

void TMainDlgForm::CloseQueryHandler(bool& canClose)
{
    if (FClosingAllowed)
        return;
    canClose = false;
    if (FQuestionShowing || WorkerChannel.State() == wsAsking)
        return; // the worker's question comes first
    bool held = WorkerChannel.ChangeState(wsInstalling, wsHeld);
    int answer =
        ShowMessage("L'installation n'est pas terminée!\r\rSi vous interrompez le programme "
                    "d'installation\rmaintenant, Quillpad ne sera pas correctement installé.\r\rVous "
                    "pourrez relancer ce programme plus tard\rafin de terminer l'installation "
                    "d'Quillpad.\r\rPour pousuivre l'installation maintenant,\rcliquez sur "
                    "\"Non\".\r\rPour interrompre l'installation,\rcliquez sur \"Abandonner\".",
                    3, Btn(mbNoBit) | Btn(mbAbortBit));
    if (answer == mrAbort) {
        FClosingAllowed = true;
        canClose = true;
        WorkerChannel.ChangeState(wsHeld, wsFinished);
        WorkerChannel.ChangeState(wsInstalling, wsFinished);
    } else if (held) {
        WorkerChannel.ChangeState(wsHeld, wsInstalling);
    }
}

void TMainDlgForm::RememberTypes()
{
    Choices.ExtensionLetters.clear();
    for (int i = 0; i < 3; ++i)
        if (TypeBoxes[i]->Checked())
            Choices.ExtensionLetters += char('A' + i);
}

void TMainDlgForm::CreateGroupShortcuts()
{
    std::string programs = SpecialFolder(CSIDL_COMMON_PROGRAMS);
    if (programs.empty())
        programs = SpecialFolder(CSIDL_PROGRAMS);
    if (programs.empty())
        return;
    std::string f = IncludeTrailingPathDelimiter(programs) + Choices.Group + "\\";
    std::string d = IncludeTrailingPathDelimiter(Choices.Destination);
    MakeShellLink(f + "Quillpad.lnk", d + "Quillpad.exe", "", 0, "", Choices.Destination);
    if (Mask & 2)
        MakeShellLink(f + "Aide d'Quillpad.lnk", d + "Quillpad.chm", "", 0, "", Choices.Destination);
    MakeShellLink(f + "Désinstallation.lnk", d + "Quillpad.exe", "-ui", 11, d + "Quillpad.exe",
                  Choices.Destination);
}

void TMainDlgForm::CreateChosenShortcuts()
{
    std::string d = IncludeTrailingPathDelimiter(Choices.Destination);
    auto folderOf = [](int common, int user) {
        std::string folder = SpecialFolder(common);
        return folder.empty() ? SpecialFolder(user) : folder;
    };
    Choices.ShortcutLetters.clear();
    const std::string folders[3] = {SpecialFolder(CSIDL_DESKTOPDIRECTORY),
                                    folderOf(CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS),
                                    folderOf(CSIDL_COMMON_STARTMENU, CSIDL_STARTMENU)};
    for (int i = 0; i < 3; ++i) {
        if (!ShortcutBoxes[i]->Checked() || (i == 2 && IsNewerSystem()))
            continue;
        Choices.ShortcutLetters += char('A' + i);
        if (!folders[i].empty())
            MakeShellLink(IncludeTrailingPathDelimiter(folders[i]) + "Quillpad.lnk", d + "Quillpad.exe", "",
                          0, "", Choices.Destination);
    }
}

void TMainDlgForm::ShowPage(int from, int to)
{
    TControl* focus = nullptr;
    switch (to) {
    case 0: break;
    case 1:
        if (from == 0 && LicenceText->Text().empty()) {
            if (ProgramRunning && ProgramRunning()) {
                ShowMessage(
                    "Un exemplaire d'Quillpad Bright Ink est en cours d'exécution sur votre système.\r"
                    "Veuillez fermer tous les exemplaires d'Quillpad Bright Ink actuellement ouverts\r"
                    "avant de cliquer sur le bouton \"OK\" ci-dessous.",
                    2, Btn(mbOKBit));
                return;
            }
            NextButton->SetEnabled(false);
            CancelButton->SetEnabled(false);
            std::string temp = SetupTempFileName();
            bool extracted;
            {
                TLogSuspension suspended;
                extracted = AttachedFiles && AttachedFiles->ExtractFile(nullptr, "Licence.txt", temp);
            }
            std::string text;
            if (HANDLE file = CreateFileA(temp.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          0, nullptr);
                file != INVALID_HANDLE_VALUE) {
                char buffer[16384];
                DWORD got = 0;
                while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0 &&
                       text.size() < 4000000)
                    text.append(buffer, got);
                CloseHandle(file);
            }
            DeleteFileA(temp.c_str());
            std::string shown;
            for (size_t i = 0; i < text.size(); ++i) {
                if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
                    shown += '\r';
                shown += text[i];
            }
            LicenceText->SetText(shown);
            if (!extracted && AttachedFiles && AttachedFiles->FindFile("Licence.txt")) {
                Finish(mrCancel);
                return;
            }
        }
        focus = LicenceText;
        break;
    case 2:
        if (from == 1 && RefuseButton->Checked()) {
            if (ShowMessage(
                    "Pour pouvoir installer ce programme, vous devez accepter\rtous les termes de l'Accord "
                    "de licence d'Quillpad Bright Ink.\rVoulez-vous vraiment annuler l'installation "
                    "d'Quillpad ?",
                    2, Btn(mbYesBit) | Btn(mbNoBit)) == mrYes)
                Finish(mrCancel);
            return;
        }
        focus = GroupEdit;
        break;
    case 3:
        if (from == 2 && GroupBox->Checked()) {
            std::string name = Trim(GroupEdit->Text());
            if (name.empty()) {
                ShowMessage(
                    "Veuillez spécifier un nom de dossier,\rou bien désactivez la case \"Installation dans "
                    "le menu 'démarrer'\".",
                    0, Btn(mbOKBit));
                FocusControl(GroupEdit);
                return;
            }
            std::string probe = SetupTempFolder() + name;
            bool existed = GetFileAttributesA(probe.c_str()) != INVALID_FILE_ATTRIBUTES;
            HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, 0, nullptr);
            bool valid = file != INVALID_HANDLE_VALUE && name.find_first_of("\\/") == std::string::npos;
            if (file != INVALID_HANDLE_VALUE) {
                CloseHandle(file);
                if (!existed)
                    DeleteFileA(probe.c_str());
            }
            if (!valid) {
                ShowMessage(
                    "Le nom choisi pour le dossier\rcontient des caractères non autorisés.\rVeuillez choisir "
                    "un autre nom pour le dossier.",
                    0, Btn(mbOKBit));
                FocusControl(GroupEdit);
                return;
            }
            Choices.Group = name;
        }
        Choices.CreateGroup = GroupBox->Checked();
        focus = DestinationEdit;
        break;
    case 4:
        if (from == 3)
            Choices.Destination = ExcludeTrailingPathDelimiter(Trim(DestinationEdit->Text()));
        for (int i = 0; i < ComponentList->Count(); ++i) {
            int component = i;
            FKeptSizes[component] = AttachedFiles ? AttachedFiles->NamesSize(SetupComponents[component].Names,
                                                                             Choices.Destination)
                                                  : 0;
            ComponentList->Sizes[i] = FormatSize(FKeptSizes[component]);
        }
        ComponentList->Invalidate();
        focus = ComponentList;
        break;
    case 5: focus = NextButton; break;
    case 6:
        if (ProgramRunning && ProgramRunning()) {
            ShowMessage("Un exemplaire d'Quillpad Bright Ink est en cours d'exécution sur votre système.\r"
                        "Veuillez fermer tous les exemplaires d'Quillpad Bright Ink actuellement ouverts\r"
                        "avant de cliquer sur le bouton \"OK\" ci-dessous.",
                        2, Btn(mbOKBit));
            return;
        }
        Choices.ComponentLetters.clear();
        for (int i = 0; i < ComponentList->Count(); ++i)
            if (ComponentList->State(i) != 0)
                Choices.ComponentLetters += char('A' + i);
        std::sort(Choices.ComponentLetters.begin(), Choices.ComponentLetters.end());
        StartInstallation();
        break;
    case 7:
        ProgressBar->SetPosition(ProgressBar->Max());
        for (int i = 0; i < 3; ++i)
            TypeBoxes[i]->SetChecked(Choices.ExtensionLetters.find(char('A' + i)) != std::string::npos);
        Animation->Stop();
        focus = TypeBoxes[0];
        break;
    case 8: {
        RememberTypes();
        std::string args = ProgramArguments();
        if (!args.empty())
            StartProgram("\"" + IncludeTrailingPathDelimiter(Choices.Destination) + "Quillpad.exe\" " + args);
        if (GroupBox->Checked())
            CreateGroupShortcuts();
        for (int i = 0; i < 3; ++i)
            ShortcutBoxes[i]->SetChecked(Choices.ShortcutLetters.find(char('A' + i)) != std::string::npos);
        if (IsNewerSystem())
            ShortcutBoxes[2]->SetVisible(false);
        focus = ShortcutBoxes[0];
        break;
    }
    case 9:
        CreateChosenShortcuts();
        LaunchBox->SetChecked(Choices.Launch);
        focus = LaunchBox;
        break;
    case 10:
        Choices.Launch = LaunchBox->Checked();
        if (Choices.Launch)
            StartProgram("\"" + IncludeTrailingPathDelimiter(Choices.Destination) + "Quillpad.exe\"");
        Finish(mrOk);
        return;
    default: return;
    }

    BackButton->SetVisible(to != 0);
    BackButton->SetEnabled(to < 6);
    BackButton->SetCaption("< &Retour");
    NextButton->SetEnabled(to != 6);
    NextButton->SetCaption(to == 9 ? "&Terminer" : "&Suite >");
    CancelButton->SetEnabled(to != 9);
    TitleBand->SetCaption(PageTitles[to]);
    TitleBand->Invalidate();
    for (int i = 0; i < 10; ++i)
        Pages[i]->SetVisible(i == to);
    FPage = to;
    if (to == 4)
        UpdateDiskSpace();
    if (focus)
        FocusControl(focus);
}

void TMainDlgForm::FocusControl(TControl* control)
{
    // A hidden or disabled control is skipped; a wizard not shown yet focuses it when it shows.
    if (control->Visible() && control->Enabled() && HandleAllocated() && IsWindowVisible(Handle()))
        control->SetFocus();
    else
        SetActiveControl(control);
}

void TMainDlgForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_TIMER:
        if (message.WParam == 1)
            HandleWorkerState();
        return;
    case WM_WORKER: HandleWorkerState(); return;
    case WM_ACTIVATEAPP:
        if (message.WParam && FPage == 4)
            UpdateDiskSpace();
        break;
    }
    TForm::WndProc(message);
}
