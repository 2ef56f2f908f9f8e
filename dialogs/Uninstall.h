// Uninstallation: the "-ui" switch removes what the installation log lists, restores the file
// associations and deletes the uninstall entry.
#pragma once
#include <string>
#include <vector>

// Asks, then removes the installation of the running program.
void Uninstall();
// Walks the log's lines from the last to the first and deletes what they name, but only inside the
// program's folder and the shortcut folders the log names. The program file itself is left to a batch
// file that deletes it once the program has ended (when SelfRemoval is set).
void RemoveInstalledFiles(const std::vector<std::string>& lines, const std::string& programFile,
                          bool selfRemoval);
