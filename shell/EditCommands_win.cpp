// The edit commands (3000 - 5999): undo, the clipboard, selection, insertion of characters and fields.
#include "shell/CommandExecutors.h"

#include "shell/MainForm.h"

bool ExecuteEditCommand(int32_t command)
{
    switch (command) {
    case 3720:
        if (MainForm) {
            MainForm->OverwriteMode = MainForm->OverwriteMode ? 0 : 1;
            MainForm->InvalidateCommands();
        }
        return true;
    }
    return false;
}
