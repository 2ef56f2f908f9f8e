// The installation wizard: ten pages from the welcome text to the end, with the licence, the start-menu
// folder, the destination, the components and their disk space, the installation itself, the document
// types to associate, the shortcuts and the final launch.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "classlib/windowing/Edit.h"
#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/Forms.h"
#include "classlib/windowing/StdCtrls.h"
#include "setup/InstallWorker.h"
#include "setup/WizardControls.h"

class TMainDlgForm : public TForm {
public:
    explicit TMainDlgForm(TComponent* owner);
    ~TMainDlgForm() override;

    // Leaves page From for page To, running the step of the page entered (which may stay).
    void ShowPage(int from, int to);
    int Page() const { return FPage; }
    // The program's command line of the associate and spell-checker switches ("" when none).
    std::string ProgramArguments() const;
    // The wizard's message routine: the background window steps aside while the message shows.
    int ShowMessage(const std::string& text, uint8_t type, uint16_t buttons);

    TInstallChoices Choices;
    uint8_t Mask = 1;
    bool InstallationStarted() const { return FStarted; }
    // Waits for the worker (after the wizard has closed).
    void JoinWorker();
    // The window to step aside while a message shows.
    TForm* Background = nullptr;
    // Whether a copy of the word processor runs (pages 1 and 6 wait for it to end).
    std::function<bool()> ProgramRunning;

    // The controls, by page.
    TButton *BackButton, *NextButton, *CancelButton;
    TLogoPanel* TitleBand; // shows the page title
    TPanel* Pages[10];
    TEdit* LicenceText;
    TRadioButton *AcceptButton, *RefuseButton;
    TCheckBox* GroupBox;
    TLabel* GroupLabel;
    TEdit* GroupEdit;
    TListBox* GroupList;
    TEdit* DestinationEdit;
    std::unique_ptr<TFolderChooser> FolderChooser;
    TComponentList* ComponentList;
    TLabel *RequiredLabel, *FreeLabel;
    TBusyAnimation* Animation;
    TLabel* ProgressLabel;
    TProgressBar* ProgressBar;
    TCheckBox* TypeBoxes[3];
    TCheckBox* ShortcutBoxes[3];
    TCheckBox* LaunchBox;

protected:
    void WndProc(TMessage& message) override;

private:
    TPanel* MakePage(int index);
    TLabel* MakeLabel(TControl* parent, const std::string& text, int left, int top, int width, int height);
    TCheckBox* MakeCheckBox(TControl* parent, const std::string& text, int left, int top, int width);
    void FillGroupList();
    void GroupBoxClicked();
    void GroupEditChanged();
    void UpdateDiskSpace();
    void StartInstallation();
    void HandleWorkerState();
    void CreateGroupShortcuts();
    void CreateChosenShortcuts();
    void RememberTypes();
    void CloseQueryHandler(bool& canClose);
    void Finish(int result);
    void FocusControl(TControl* control);

    int FPage = 255;
    bool FClosingAllowed = false;
    bool FChangeHandlers = false;
    bool FStarted = false;
    bool FQuestionShowing = false;
    std::string FLastProgress;
    int64_t FKeptSizes[8] = {};
    std::unique_ptr<TInstallThread> FWorker;
};
