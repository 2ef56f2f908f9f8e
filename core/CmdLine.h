// The command line: the table of the 22 switches, finding switches and their values, and the list of
// documents to open or print at start-up.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum TCmdLineSwitch {
    swPrint = 0,
    swPrintTo,
    swNoPrintDialog,
    swSystemTray,
    swDontCreateNewDoc,
    swRestored,
    swMaximized,
    swDontLoadSettings,
    swLoadSettingsFromIni,
    swLoadSettingsFromReg,
    swDontSaveSettings,
    swSaveSettingsToIni,
    swSaveSettingsToReg,
    swFullScreen,
    swAssociate, // switches from here on are followed by a value
    swSettingsFileName,
    swToolbarSettingsFileName,
    swSoundSettingsFileName,
    swFormatPaletteFileName,
    swInstallSpellChecker,
    swSessionName,
    swUninstall,
    SwitchCount
};

constexpr int NoSwitch = 255;

extern const char* const SwitchShortNames[SwitchCount];
extern const char* const SwitchLongNames[SwitchCount];

// The parameters after the program's name; taken from the process at start-up (LoadCommandLine) or set.
const std::vector<std::string>& CommandLineParams();
void SetCommandLineParams(std::vector<std::string> params);
// Takes the parameters from this process's command line.
void LoadCommandLine();
// Splits a command line as the system's programs do: blanks separate, double quotes group and are
// dropped. The first item is the program's name.
std::vector<std::string> SplitCommandLine(const std::string& line);

// The index of the switch a parameter names (one leading "-" or "/", the short or the long form, letter
// case ignored), or NoSwitch.
int FindSwitchIndex(const std::string& text);
inline int SwitchIndexByName(const std::string& text)
{
    return FindSwitchIndex(text);
}
// The position (from 1) of the first parameter "-Name" or "/Name" (letter case ignored); 0 when none.
int FindSwitchParam(const std::string& name);
// The switch is given in its short or its long form.
bool CmdLineSwitchPresent(int index);
// The parameter after the switch, when the switch is given and is not the last parameter; otherwise
// Default. A value naming a file in a folder becomes its full path; a bare file name, a session name
// or a list is kept as typed.
std::string CmdLineSwitchValue(int index, const std::string& def);
// The session name that keeps running copies apart (empty when none is given).
std::string GetSessionName();

// The documents given on the command line, in order, and what to do with them: 0 nothing, 1 open them,
// 2 print them. Filled by ParseCommandLine.
extern std::vector<std::string> StartupDocuments;
extern uint8_t StartupMode;
// Builds the document list and the start-up mode from the parameters, and the character classes.
void ParseCommandLine();
