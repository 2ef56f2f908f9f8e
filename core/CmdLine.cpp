// The switch table, switch lookup and the start-up document list.
#include "core/CmdLine.h"

#include "classlib/runtime/AnsiStrings.h"
#include "core/CharClasses.h"
#include "core/FileSys.h"
#include "core/PlatformInfo.h"

const char* const SwitchShortNames[SwitchCount] = {
    "p",   "pt",  "npd", "st",    "n",   "r",    "m",    "dls",   "lsi",  "lsr", "dss",
    "ssi", "ssr", "fs",  "assoc", "sfn", "tsfn", "ssfn", "fplfn", "iscs", "sn",  "ui",
};
const char* const SwitchLongNames[SwitchCount] = {
    "Print",
    "PrintTo",
    "NoPrintDialog",
    "SystemTray",
    "DontCreateNewDoc",
    "Restored",
    "Maximized",
    "DontLoadSettings",
    "LoadSettingsFromIni",
    "LoadSettingsFromReg",
    "DontSaveSettings",
    "SaveSettingsToIni",
    "SaveSettingsToReg",
    "FullScreen",
    "Associate",
    "SettingsFileName",
    "ToolbarSettingsFileName",
    "SoundSettingsFileName",
    "FormatPaletteFileName",
    "InstallSpellChecker",
    "SessionName",
    "Uninstall",
};

std::vector<std::string> StartupDocuments;
uint8_t StartupMode = 0;

namespace {

std::vector<std::string> Params;

bool IsSwitchText(const std::string& text)
{
    return !text.empty() && (text[0] == '-' || text[0] == '/');
}

// The switches whose value names a file.
bool NamesAFile(int index)
{
    return index >= swSettingsFileName && index <= swFormatPaletteFileName;
}

bool HoldsAFolder(const std::string& name)
{
    return name.find_first_of("\\/:") != std::string::npos;
}

} // namespace

const std::vector<std::string>& CommandLineParams()
{
    return Params;
}

void SetCommandLineParams(std::vector<std::string> params)
{
    Params = std::move(params);
}

void LoadCommandLine()
{
    std::vector<std::string> all = SplitCommandLine(ProcessCommandLine());
    if (!all.empty())
        all.erase(all.begin());
    SetCommandLineParams(std::move(all));
}

std::vector<std::string> SplitCommandLine(const std::string& line)
{
    std::vector<std::string> items;
    size_t i = 0;
    while (true) {
        while (i < line.size() && static_cast<unsigned char>(line[i]) <= ' ')
            ++i;
        if (i >= line.size())
            break;
        std::string item;
        bool quoted = false;
        for (; i < line.size() && (quoted || static_cast<unsigned char>(line[i]) > ' '); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
            else
                item += line[i];
        }
        items.push_back(item);
    }
    return items;
}

int FindSwitchIndex(const std::string& text)
{
    const std::string name = IsSwitchText(text) ? text.substr(1) : text;
    for (int i = 0; i < SwitchCount; ++i)
        if (SameText(name, SwitchShortNames[i]) || SameText(name, SwitchLongNames[i]))
            return i;
    return NoSwitch;
}

int FindSwitchParam(const std::string& name)
{
    for (size_t i = 0; i < Params.size(); ++i)
        if (IsSwitchText(Params[i]) && SameText(Params[i].substr(1), name))
            return static_cast<int>(i + 1);
    return 0;
}

bool CmdLineSwitchPresent(int index)
{
    if (index < 0 || index >= SwitchCount)
        return false;
    return FindSwitchParam(SwitchShortNames[index]) != 0 || FindSwitchParam(SwitchLongNames[index]) != 0;
}

std::string CmdLineSwitchValue(int index, const std::string& def)
{
    if (index < 0 || index >= SwitchCount)
        return def;
    int position = FindSwitchParam(SwitchShortNames[index]);
    if (position == 0)
        position = FindSwitchParam(SwitchLongNames[index]);
    if (position == 0 || position >= static_cast<int>(Params.size()))
        return def;
    const std::string& value = Params[static_cast<size_t>(position)];
    if (NamesAFile(index) && HoldsAFolder(value))
        return FileSys::FullPath(value);
    return value;
}

std::string GetSessionName()
{
    return CmdLineSwitchValue(swSessionName, "");
}

void ParseCommandLine()
{
    BuildCharClasses(SystemLocaleIsSpanish());
    StartupDocuments.clear();
    if (CmdLineSwitchPresent(swPrintTo)) {
        if (Params.size() >= 2 && !Params[1].empty())
            StartupDocuments.push_back(Params[1]);
    } else {
        for (size_t i = 0; i < Params.size(); ++i) {
            const std::string& p = Params[i];
            if (IsSwitchText(p)) {
                const int index = FindSwitchIndex(p);
                if (index >= swAssociate && index != NoSwitch)
                    ++i; // the switch's value
                continue;
            }
            StartupDocuments.push_back(FileSys::FullPath(p));
        }
    }
    if (StartupDocuments.empty())
        StartupMode = 0;
    else
        StartupMode = (CmdLineSwitchPresent(swPrint) || CmdLineSwitchPresent(swPrintTo)) ? 2 : 1;
}
