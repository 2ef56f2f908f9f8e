// What the setup program asks of the system: its temporary files, the running-copy test, shell links,
// special folders, sizes as the user reads them, starting programs and its own removal.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

extern const char* const SetupTitle;

// The temporary folder (with "\"), and a free temporary name there with the setup's prefix.
std::string SetupTempFolder();
std::string SetupTempPrefix();
std::string SetupTempFileName(const std::string& extension = ".tmp");
// Deletes every file and folder of the temporary folder whose name begins with the prefix.
void DeleteSetupTempFiles();

// True when a window of the word processor is open (its frame carries the property "1.x Bright Ink").
bool ProgramIsRunning();

// The path of a shell special folder (a CSIDL number); empty when it has none.
std::string SpecialFolder(int csidl);
// Makes a shell link (its folder first, logged), then logs it as a copied file; false on failure.
bool MakeShellLink(const std::string& linkPath, const std::string& target, const std::string& arguments,
                   int iconIndex, const std::string& iconPath, const std::string& workingFolder);
// True on systems whose start menu has no place for the start-menu shortcut.
bool IsNewerSystem();

// A size in bytes as "%s Mo" or "%s Ko", thousands separated by a blank.
std::string FormatSize(int64_t bytes);
// The free bytes that the disk of a folder offers to the user (the nearest existing parent is asked).
int64_t FreeDiskSpace(const std::string& folder);

// Starts a command line without waiting; false when it could not start.
bool StartProgram(const std::string& commandLine);
// Starts the hidden batch file that deletes the setup program once it has ended.
void DeleteSetupAfterExit(const std::string& path);
