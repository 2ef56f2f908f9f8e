// The window commands (90000 - 92999), the help commands (100000 - 102999) and the argument forms
// (200000 - 214999).
#include "shell/CommandExecutors.h"

#include <windows.h>

#include "core/Events.h"
#include "core/Instance.h"
#include "shell/MainForm.h"
#include "shell/Splash.h"

bool ExecuteWindowCommand(int32_t command)
{
    if (!MainForm)
        return false;
    switch (command) {
    case 90000: SendMessageA(MainForm->ClientHandle(), WM_MDICASCADE, 0, 0); return true;
    case 90020: SendMessageA(MainForm->ClientHandle(), WM_MDITILE, MDITILE_HORIZONTAL, 0); return true;
    case 90040: SendMessageA(MainForm->ClientHandle(), WM_MDITILE, MDITILE_VERTICAL, 0); return true;
    case 90120:
        if (IsTrayInstanceRunning()) {
            ShowWindow(MainForm->Handle(), SW_MINIMIZE);
        } else {
            MainForm->MinimizeToTray();
            TriggerEvent(4420);
        }
        return true;
    case 90140: MainForm->RestoreFromTray(); return true;
    }
    return false;
}

bool ExecuteHelpCommand(int32_t command)
{
    switch (command) {
    case 101220: ShowAboutBox(); return true;
    }
    return false;
}

bool ExecuteArgumentCommand(int32_t command, intptr_t argument)
{
    (void)command;
    (void)argument;
    return false;
}
