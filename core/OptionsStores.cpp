// Choosing the settings store by the command-line switches, for loading and for saving.
#include "core/OptionsHolder.h"

#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/CmdLine.h"
#include "core/DataFolder.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/PathUtils.h"
#include "core/SettingsStorage.h"

// The registry store where the system has one (a plain store elsewhere).
std::unique_ptr<TSettingsStorage> NewRegistryStore();

namespace {

std::string SettingsFileName()
{
    return ResolveSettingsFileName(CmdLineSwitchValue(swSettingsFileName, "Quillpad.ini"));
}

} // namespace

std::unique_ptr<TSettingsStorage> OpenSettingsForLoad()
{
    std::unique_ptr<TSettingsStorage> store;
    if (CmdLineSwitchPresent(swDontLoadSettings)) {
        store = std::make_unique<TSettingsStorage>();
    } else if (CmdLineSwitchPresent(swLoadSettingsFromIni)) {
        const std::string file = SettingsFileName();
        if (FileExists(file)) {
            store = std::make_unique<TIniFile>(file, false);
        } else {
            ShowError(Format("Impossible d'ouvrir le fichier \"%s\".", file));
            store = std::make_unique<TSettingsStorage>();
        }
    } else if (CmdLineSwitchPresent(swLoadSettingsFromReg)) {
        store = NewRegistryStore();
    } else if (IsProgramOnRemovableDrive() && FileExists(SettingsFileName())) {
        store = std::make_unique<TIniFile>(SettingsFileName(), false);
    } else {
        store = NewRegistryStore();
    }
    store->Root = SettingsRoot;
    return store;
}

void TOptionsHolder::Save()
{
    if (CmdLineSwitchPresent(swDontSaveSettings))
        return;
    if (CmdLineSwitchPresent(swSaveSettingsToIni))
        SaveToIni(SettingsFileName());
    else if (CmdLineSwitchPresent(swSaveSettingsToReg))
        SaveToRegistry();
    else if (IsProgramOnRemovableDrive())
        SaveToIni(SettingsFileName());
    else
        SaveToRegistry();
}

void TOptionsHolder::SaveToRegistry()
{
    std::unique_ptr<TSettingsStorage> store = NewRegistryStore();
    WriteAll(*store);
}
