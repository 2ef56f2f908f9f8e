// The main window's document dialogs, kept for the run so that each remembers its last filter.
#include "shell/FileDialogs.h"

#include "core/Codings.h"
#include "core/OptionsHolder.h"
#include "document/DocumentHost.h"
#include "shell/ExOpenDialog.h"

namespace {

// The folder histories of the open and the save dialogs ("OpenDoc_Files", "SaveDocAs_Files").
TFileList* History(int index)
{
    TOptionsHolder* holder = GetOptionsHolder();
    return holder ? &holder->Owners.FileLists[index] : nullptr;
}

} // namespace

TExOpenDialog& OpenDocDialog()
{
    static TExOpenDialog dialog;
    return dialog;
}

TExSaveDialog& SaveAsDialog()
{
    static TExSaveDialog dialog;
    return dialog;
}

TExSaveDialog& SaveAsZipDialog()
{
    static TExSaveDialog dialog;
    return dialog;
}

TSavePictureDialog& SavePictureDialog()
{
    static TSavePictureDialog dialog;
    return dialog;
}

std::vector<std::string> AskDocumentsToOpen(const std::string& initialName, bool& readOnly)
{
    TExOpenDialog& dialog = OpenDocDialog();
    dialog.Title = "Ouvrir un document";
    dialog.Filter = TCodingManager::GetOpenFilter();
    dialog.MultiSelect = true;
    dialog.FileName = initialName;
    dialog.ReadOnlyChoice = true;
    dialog.FolderHistory = History(1);
    TOptionsHolder* holder = GetOptionsHolder();
    if (holder)
        dialog.FilterIndex = holder->Owners.OpenDocDlgFilter;
    readOnly = false;
    if (!dialog.Execute())
        return {};
    if (holder)
        holder->Owners.OpenDocDlgFilter = dialog.FilterIndex;
    readOnly = dialog.ReadOnlyChoice;
    return dialog.Files;
}

bool RunSaveDialog(TSaveDialogRequest& request)
{
    TExSaveDialog& dialog = SaveAsDialog();
    dialog.Title = request.Title;
    dialog.Filter = TCodingManager::GetSaveFilter();
    dialog.FilterIndex = request.FilterIndex;
    dialog.InitialDir = request.Folder;
    dialog.FileName = request.FileName;
    dialog.FolderHistory = History(2);
    if (!dialog.Execute())
        return false;
    request.FileName = dialog.FileName;
    request.FilterIndex = dialog.FilterIndex;
    return true;
}

bool AskZipFileName(std::string& fileName, const std::string& title)
{
    TExSaveDialog& dialog = SaveAsZipDialog();
    dialog.Title = title;
    dialog.Filter = "Archives Zip (*.zip)|*.zip";
    dialog.DefaultExt = "zip";
    dialog.FilterIndex = 1;
    dialog.ShowPreview = false;
    dialog.FileName = fileName;
    dialog.FolderHistory = History(2);
    if (!dialog.Execute())
        return false;
    fileName = dialog.FileName;
    return true;
}
