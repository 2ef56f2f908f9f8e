// The one-shot switches of the command line, run before the program hands over to a running copy.
#include "dialogs/OneShotSwitches.h"

#include "classlib/windowing/Forms.h"
#include "core/CmdLine.h"
#include "core/Instance.h"
#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "dialogs/FileAssoc.h"
#include "dialogs/Uninstall.h"

bool RunOneShotSwitches()
{
    bool any = false;
    try {
        if (CmdLineSwitchPresent(swAssociate)) {
            any = true;
            AssociateSwitch(CmdLineSwitchValue(swAssociate, ""), ProgramPath());
        }
        if (CmdLineSwitchPresent(swInstallSpellChecker)) {
            any = true;
            InstallSpellCheckersSwitch(CmdLineSwitchValue(swInstallSpellChecker, ""));
        }
        if (CmdLineSwitchPresent(swUninstall)) {
            any = true;
            Application->SetIcon(12);
            Application->SetTitle("Désinstallation d'Quillpad");
            if (EditionString.empty())
                EditionString = "1.x Bright Ink";
            Uninstall();
        }
    } catch (const Exception& e) {
        ShowError("Anomalie :||" + e.Message + ".");
    }
    return any;
}
