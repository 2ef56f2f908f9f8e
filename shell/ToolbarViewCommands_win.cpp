// The toolbar commands of the view range, over the toolbar manager's settings: which toolbars show, the
// display switches and the command set.
#include "shell/ToolbarViewCommands.h"

#include "shell/CommandManager.h"
#include "shell/ToolbarManager.h"

namespace {

// The visibility flag of a toolbar in the current mode (normal view or print preview).
bool& VisibleFlag(TToolbarManager& manager, int toolbar)
{
    TSingleToolbarSettings& settings = manager.Settings.Toolbars[static_cast<size_t>(toolbar)];
    return manager.Preview ? settings.Visible_Preview : settings.Visible;
}

bool* Switch(TToolbarManager& manager, int32_t command)
{
    switch (command) {
    case 6240: return &manager.Settings.FlatButtons;
    case 6250: return &manager.Settings.LargeButtons;
    case 6270: return &manager.Settings.DropDownMenus;
    case 6280: return &manager.Settings.ComboBoxHints;
    }
    return nullptr;
}

// A changed setting is kept for the next start and shown at once.
void Rebuild(TToolbarManager& manager)
{
    manager.Settings.Modified = true;
    manager.RebuildToolbars();
}

} // namespace

int VisibleToolbarCount()
{
    TToolbarManager* manager = ToolbarManager();
    return manager ? manager->Settings.VisibleToolbarCount() : 0;
}

int ToolbarViewCommandState(int32_t command)
{
    TToolbarManager* manager = ToolbarManager();
    if (!manager)
        return csUnchecked;
    bool checked = false;
    if (command >= 6040 && command <= 6043)
        checked = VisibleFlag(*manager, command - 6040);
    else if (bool* setting = Switch(*manager, command))
        checked = *setting;
    else if (command == 6260 || command == 6261)
        checked = manager->Alternative == (command == 6261);
    return checked ? csChecked : csUnchecked;
}

bool ExecuteToolbarViewCommand(int32_t command)
{
    TToolbarManager* manager = ToolbarManager();
    if (!manager)
        return false;
    if (command >= 6040 && command <= 6043) {
        bool& visible = VisibleFlag(*manager, command - 6040);
        visible = !visible;
        Rebuild(*manager);
        return true;
    }
    if (bool* setting = Switch(*manager, command)) {
        *setting = !*setting;
        if (command == 6250)
            manager->GetButtonImages().LoadImages(manager->Settings);
        Rebuild(*manager);
        return true;
    }
    switch (command) {
    case 6160: manager->ActivateCommandControl(206100); return true;
    case 6260:
    case 6261:
        if (manager->Alternative != (command == 6261))
            manager->SwitchCommandSet();
        return true;
    case 6263: manager->SwitchCommandSet(); return true;
    case 6265:
    case 6266:
        for (int i = 0; i < StoredToolbarCount; ++i)
            VisibleFlag(*manager, i) = command == 6266;
        Rebuild(*manager);
        return true;
    }
    return false;
}

void RefreshToolbarButtons()
{
    if (TToolbarManager* manager = ToolbarManager()) {
        manager->UpdateAllToolbars();
        manager->CloseOverflowWindows();
    }
}
