// The file and tool commands (100 - 2999): new, open, close, save, print, the tools and their settings.
#include "shell/CommandExecutors.h"

#include "shell/CommandManager.h"
#include "shell/DocDisp.h"
#include "shell/MainForm.h"

bool ExecuteFileCommand(int32_t command)
{
    TDocDispatcher* dispatcher = GetDocDispatcher();
    switch (command) {
    case 100:
        if (dispatcher)
            dispatcher->NewDocument();
        return true;
    case 140:
        if (TDocument* document = CommandManager().GetDocument(); dispatcher && document)
            dispatcher->CloseDocument(document, false);
        return true;
    case 160:
        while (dispatcher && dispatcher->DocumentCount() > 0)
            dispatcher->CloseDocument(dispatcher->Document(dispatcher->DocumentCount() - 1), false);
        return true;
    case 360:
        if (MainForm)
            MainForm->Close();
        return true;
    }
    return false;
}
