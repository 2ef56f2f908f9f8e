// The file and tool commands (100 - 2999): new, open, close, save, print, the tools and their settings.
#include "shell/CommandExecutors.h"

#include <windows.h>
#include <shellapi.h>

#include "classlib/runtime/Files.h"
#include "core/Events.h"
#include "core/OptionsHolder.h"
#include "core/PathUtils.h"
#include "document/Document.h"
#include "formats/save/Backups.h"
#include "formats/save/SaveCommands.h"
#include "shell/CommandManager.h"
#include "shell/DocDisp.h"
#include "shell/DocumentZip.h"
#include "shell/MainForm.h"

namespace {

// Save all (220): every open document in list order; the event fires once when any was saved.
void SaveAll(TDocDispatcher& dispatcher)
{
    bool saved = false;
    for (int i = 0; i < dispatcher.DocumentCount(); ++i)
        saved |= SaveDocumentCommand(*dispatcher.Document(i)) == scSaved;
    if (saved)
        TriggerEvent(2060);
}

// Backup (235): the document as it stands now goes to the backups under its own name, whatever the
// backup options and however recent its last backup.
void BackUpNow(TDocument& document)
{
    TBackupSettings settings = CurrentBackupSettings();
    settings.Create = true;
    settings.MinDiffIndex = -1;
    BackUpCurrentText(document, settings);
}

} // namespace

bool ExecuteFileCommand(int32_t command)
{
    TDocDispatcher* dispatcher = GetDocDispatcher();
    TDocument* document = CommandManager().GetDocument();
    switch (command) {
    case 100:
        if (dispatcher)
            dispatcher->NewDocument();
        return true;
    case 120: ExecuteArgumentCommand(200500, 0); return true;
    case 122:
        if (TOptionsHolder* holder = GetOptionsHolder()) {
            ForceDirectories(holder->BackupFolder);
            ShellExecuteA(MainForm ? MainForm->Handle() : nullptr, "open", holder->BackupFolder.c_str(),
                          nullptr, nullptr, SW_SHOWNORMAL);
        }
        return true;
    case 140:
        if (dispatcher && document)
            dispatcher->CloseDocument(document, false);
        return true;
    case 160:
        while (dispatcher && dispatcher->DocumentCount() > 0)
            dispatcher->CloseDocument(dispatcher->Document(dispatcher->DocumentCount() - 1), false);
        return true;
    case 180:
        if (document && SaveDocumentCommand(*document) == scSaved)
            TriggerEvent(2060);
        return true;
    case 200:
        if (document && SaveDocumentAs(*document, {}, true) == scSaved)
            TriggerEvent(2060);
        return true;
    case 202:
    case 225: ZipCommand(command == 202); return true;
    case 305:
    case 325: ZipAndSendCommand(command == 305); return true;
    case 205:
        if (document && SaveDocumentAsTemplate(*document) == scSaved)
            TriggerEvent(2060);
        return true;
    case 220:
        if (dispatcher)
            SaveAll(*dispatcher);
        return true;
    case 235:
        if (document)
            BackUpNow(*document);
        return true;
    case 360:
        if (MainForm)
            MainForm->Close();
        return true;
    }
    return false;
}
