// Saving a part of the active document: the selection or an insert through the save commands of the
// files floor, the selected picture through the program's picture save dialog.
#include "shell/SelectionSaveCommands.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "classlib/runtime/Files.h"
#include "core/Events.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/OptionsHolder.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "formats/save/PictureFiles.h"
#include "formats/save/SaveCommands.h"
#include "shell/CommandManager.h"
#include "shell/ExOpenDialog.h"
#include "shell/FileDialogs.h"

namespace {

// The folder the picture save dialog starts in: the one used last, else the user's pictures folder.
std::string LastPictureFolder;

std::string PicturesFolder()
{
    char path[MAX_PATH] = "";
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, 0, path)))
        return IncludeTrailingPathDelimiter(path);
    return {};
}

} // namespace

bool SavePictureAs(TDocObject& picture)
{
    TInternalOptions& options = CurrentOptions().Internal;
    TOptionsHolder* holder = GetOptionsHolder();
    TSavePictureDialog& dialog = SavePictureDialog();
    int32_t filter = holder ? std::clamp(holder->Owners.SavePictDlgFilter, 1, int32_t(pfFormatCount)) : 1;
    dialog.Title = "Enregistrer l'image sous";
    dialog.Filter = PictureSaveFilter();
    dialog.FilterIndex = filter;
    dialog.InitialDir = LastPictureFolder.empty() ? PicturesFolder() : LastPictureFolder;
    dialog.FileName = ProposedPictureName(options.PictureNamePattern, options.SavePict_Index, filter - 1);
    dialog.DefaultExt = PictureFileExtension(filter - 1);
    if (!dialog.Execute())
        return false;
    filter = std::clamp(dialog.FilterIndex, 1, int32_t(pfFormatCount));
    if (holder)
        holder->Owners.SavePictDlgFilter = filter;
    std::string name = dialog.FileName;
    if (ExtractFileExt(name).empty())
        name += std::string(".") + PictureFileExtension(filter - 1);
    LastPictureFolder = ExtractFilePath(name);
    ContinuePictureNumbering(name, options.PictureNamePattern, options.SavePict_Index);
    return WritePictureFile(picture, name, filter - 1);
}

bool SaveSelectedPicture(TDocument& document)
{
    TDocObject* picture =
        document.IsObjectSelected() ? document.GetObjectAt(document.Selection.StartPos) : nullptr;
    if (!dynamic_cast<TDocPicture*>(picture)) {
        ShowInformation("Cette action (\"Enregistrer l'image sous\") ne s'applique qu'à une sélection.||"
                        "Sélectionnez une image et recommencez.");
        return false;
    }
    return SavePictureAs(*picture);
}

bool ExecuteSelectionSaveCommand(int32_t command)
{
    if (command != 3680 && command != 3700 && command != 5250)
        return false;
    TDocument* document = CommandManager().GetDocument();
    if (!document)
        return true;
    if (command == 3680)
        SaveSelectionToFile(*document, {});
    else if (command == 3700)
        SaveSelectedPicture(*document);
    else
        SaveSelectionAsInsert(*document);
    return true;
}
