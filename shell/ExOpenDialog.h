// The program's open and save dialogs: the system's file dialog with a strip of the program's own below
// its controls, a folder-history list ("Dossiers :") and, on request, a box to open files read-only.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TFileList;

// The child dialog template of a run: without the preview, or with it for a narrow or a wide screen.
const char* OpenDialogTemplate(bool showPreview, int screenWidth);
// The remembered size of the standard controls' area (width * 65536 + height) clamped to the screen's
// range; Stored below 0 stands for none kept yet (half the screen's width by two thirds of its height).
int32_t ClampedOpenDialogSize(int32_t stored, int screenWidth, int screenHeight);
// The folder part of a file name, up to and including the last "\" or ":".
std::string FolderOfFile(const std::string& fileName);

class TExOpenDialog {
public:
    TExOpenDialog() = default;
    virtual ~TExOpenDialog() = default;
    TExOpenDialog(const TExOpenDialog&) = delete;
    TExOpenDialog& operator=(const TExOpenDialog&) = delete;

    // Runs the dialog; true when the user confirmed. The chosen names are in Files (FileName is the
    // first), the filter index in FilterIndex; the folders they lie in go to the front of FolderHistory.
    virtual bool Execute();

    std::string Title;
    std::string Filter; // "description|pattern|description|pattern..."
    std::string InitialDir;
    std::string FileName;
    std::string DefaultExt;
    int32_t FilterIndex = 1;
    bool MultiSelect = false;
    // The file preview beside the standard controls; off, the dialog has its folder strip only.
    bool ShowPreview = false;
    // Set before Execute to offer opening read-only; after it, whether that was offered and ticked.
    bool ReadOnlyChoice = false;
    TFileList* FolderHistory = nullptr; // not owned
    std::vector<std::string> Files;
    // The file type was changed in the dialog.
    std::function<void(TExOpenDialog&)> OnTypeChange;

    // The controls of the running dialog (its child dialog, the strip's list and check box).
    HWND ChildWindow = nullptr;
    HWND FolderLabel = nullptr;
    HWND FolderCombo = nullptr;
    HWND ReadOnlyCheck = nullptr;
    bool LayoutDone = false;
    // Resizable, keeping its size: set at each run when the preview is shown.
    bool SizingEnabled = false;
    bool FileNameSaved = false;
    bool ReadOnlyTicked = false;
    std::string SavedFileName;

    // The hook's steps (public for the shared hook procedure).
    void CreateControls();
    void LayoutControls();
    // The strip follows the standard controls after a move or resize of a resizable dialog.
    void RelayoutControls();
    // The standard controls' area: its right edge (where the preview begins) and its bottom (the strip's
    // top), in the child dialog's coordinates.
    POINT StandardAreaCorner();
    void FillFolderCombo();
    void FolderComboClick();
    void FolderChanged();
    void SelectCurrentFolder();

protected:
    bool Run(bool save);
};

class TExSaveDialog : public TExOpenDialog {
public:
    bool Execute() override;
};

// The picture save dialog: the save dialog with the room of the picture preview beside its controls.
class TSavePictureDialog : public TExSaveDialog {
public:
    TSavePictureDialog() { ShowPreview = true; }
};
