// The uninstaller: the log read back, its files and folders removed last first, the associations and
// the uninstall entry restored.
#include "dialogs/Uninstall.h"

#include <windows.h>

#include "classlib/runtime/DelayedDelete.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "classlib/runtime/Registry.h"
#include "classlib/runtime/StringList.h"
#include "core/Instance.h"
#include "core/Messages.h"
#include "core/PathUtils.h"
#include "core/ProgramFolder.h"
#include "dialogs/FileAssoc.h"

namespace {

const char* const FileCopyLine = "File Copy: ";
const char* const MadeDirLine = "Made Dir: ";
const char* const ShellLinkLine = "Shell Link: ";

bool StartsWith(const std::string& text, const char* start, std::string& rest)
{
    size_t n = strlen(start);
    if (text.compare(0, n, start) != 0)
        return false;
    rest = text.substr(n);
    return true;
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// A full path with a drive and no "." or ".." part.
bool IsPlainFullPath(const std::string& path)
{
    if (path.size() < 4 || path[1] != ':' || path[2] != '\\')
        return false;
    std::string padded = path + "\\";
    return padded.find("\\..\\") == std::string::npos && padded.find("\\.\\") == std::string::npos &&
           path.find('/') == std::string::npos;
}

// Path lies in Folder or is Folder.
bool IsWithin(const std::string& path, const std::string& folder)
{
    std::string dir = ExcludeTrailingPathDelimiter(folder);
    return SameName(path, dir) ||
           (path.size() > dir.size() + 1 && SameName(path.substr(0, dir.size() + 1), dir + "\\"));
}

bool IsShortcut(const std::string& path)
{
    return SameName(ExtractFileExt(path), ".lnk");
}

} // namespace

void RemoveInstalledFiles(const std::vector<std::string>& lines, const std::string& programFile,
                          bool selfRemoval)
{
    const std::string programFolder = ExcludeTrailingPathDelimiter(ExtractFilePath(programFile));
    // The folders that hold the shortcuts the log names.
    std::vector<std::string> shortcutFolders;
    for (const std::string& line : lines) {
        std::string path;
        if ((StartsWith(line, FileCopyLine, path) || StartsWith(line, ShellLinkLine, path)) &&
            IsShortcut(path) && IsPlainFullPath(path))
            shortcutFolders.push_back(ExcludeTrailingPathDelimiter(ExtractFilePath(path)));
    }
    auto inShortcutFolder = [&](const std::string& path) {
        for (const std::string& folder : shortcutFolders)
            if (IsWithin(path, folder) || IsWithin(folder, path))
                return true;
        return false;
    };
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        std::string path;
        if (StartsWith(*it, FileCopyLine, path) || StartsWith(*it, ShellLinkLine, path)) {
            if (!IsPlainFullPath(path) ||
                !(IsWithin(path, programFolder) || (IsShortcut(path) && inShortcutFolder(path))))
                continue;
            if (SameName(ExtractFileName(path), ExtractFileName(programFile)) &&
                SameName(ExtractFilePath(path), ExtractFilePath(programFile))) {
                if (selfRemoval)
                    DeleteFileAfterExit(programFile, GetUniqueTempFileName(".bat"));
                continue;
            }
            DeleteFileA(path.c_str());
        } else if (StartsWith(*it, MadeDirLine, path)) {
            // Only a folder inside the program's (or the program's own), or one that held shortcuts.
            std::string dir = ExcludeTrailingPathDelimiter(path);
            if (IsPlainFullPath(dir) && (IsWithin(dir, programFolder) || inShortcutFolder(dir)))
                RemoveDirectoryA(dir.c_str());
        }
    }
}

void Uninstall()
{
    if (FindRunningInstance(0)) {
        ShowInformation("Il y a des exemplaires d'Quillpad Bright Ink actuellement ouverts sur votre "
                        "ordinateur.\rVeuillez les fermer s'il vous plaît.");
        return;
    }
    if (MessageDlgEx("Êtes-vous sûr(e) de vouloir retirer Quillpad Bright Ink de votre ordinateur ?",
                     mtConfirmation, mbYesNo) != mrYes)
        return;
    std::string logPath = ProgramFolder() + "Install.log";
    TStringList log;
    try {
        log.LoadFromFile(logPath);
    } catch (const Exception&) {
        ShowError(
            Format("Impossible d'ouvrir le fichier d'installation (\"%s\").||Impossible de procéder à la "
                   "désinstallation.",
                   logPath));
        return;
    }
    std::vector<std::string> lines;
    for (int i = 0; i < log.Count(); ++i)
        lines.push_back(log[i]);
    RemoveInstalledFiles(lines, ProgramPath(), true);
    DeleteFileA(logPath.c_str());
    RestoreAllAssociations();
    TRegistry(TRegistryRoot::LocalMachine)
        .DeleteKey("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillpad Bright Ink");
    ShowInformation(
        Format("Désinstallation terminée.||Il sera peut-être nécessaire de supprimer le dossier \"%s\" "
               "manuellement.",
               ProgramFolder()));
}
