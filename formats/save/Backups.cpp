// Backup copies: the names the program gives them, and the copy with its pruning by age, count and size.
#include "formats/save/Backups.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <vector>

#include "classlib/runtime/Files.h"
#include "classlib/runtime/FileStream.h"
#include "core/Codings.h"
#include "core/FileSys.h"
#include "core/Options.h"
#include "core/OptionsHolder.h"
#include "core/PathUtils.h"
#include "formats/load/FileMessages.h"

using namespace filemsg;

namespace {

constexpr int32_t MinimumMinutes[] = {1,   2,   5,   10,  15,  20,  30,  45,  60,
                                      120, 180, 240, 300, 360, 540, 720, 1440};
constexpr int32_t MaximumCounts[] = {1, 2, 3, 4, 6, 10, 20, 30, 50, 0};
// " YY-MM-DD HHMM"
constexpr size_t StampLength = 14;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int Digits(const std::string& s, size_t at, size_t count)
{
    int value = 0;
    for (size_t i = 0; i < count; ++i)
        value = value * 10 + (s[at + i] - '0');
    return value;
}

// The stamp's date, false when the text is not a stamp.
bool ParseStamp(const std::string& stamp, TDateTime& when)
{
    if (stamp.size() != StampLength)
        return false;
    static const char Pattern[] = " 00-00-00 0000";
    for (size_t i = 0; i < StampLength; ++i)
        if (Pattern[i] == '0' ? !IsDigit(stamp[i]) : stamp[i] != Pattern[i])
            return false;
    TDateTime date, time;
    if (!TryEncodeDate(2000 + Digits(stamp, 1, 2), Digits(stamp, 4, 2), Digits(stamp, 7, 2), date) ||
        !TryEncodeTime(Digits(stamp, 10, 2), Digits(stamp, 12, 2), 0, 0, time))
        return false;
    when = date + time;
    return true;
}

// The name's extension with its dot, empty when it has none.
std::string DotExtension(const std::string& name)
{
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

// Copies through streams of our own: the document keeps its file open for writing, which the system's
// copy would not share.
bool CopyContents(const std::string& source, const std::string& dest)
{
    std::unique_ptr<TStream> in = TryOpen(source, fmOpenRead | fmShareDenyNone);
    if (!in)
        return false;
    try {
        TFileStream out(dest, fmCreate);
        std::vector<uint8_t> block(65536);
        for (;;) {
            const int32_t n = in->Read(block.data(), int32_t(block.size()));
            if (n <= 0)
                break;
            out.WriteBuffer(block.data(), n);
        }
        if (out.FlushToDisk())
            return true;
    } catch (const EStreamError&) {}
    DeleteFile(dest);
    return false;
}

int64_t TotalSize(const std::string& folder)
{
    std::vector<std::string> files;
    FindFilesInTree(folder, "*", files);
    int64_t total = 0;
    for (const std::string& file : files)
        total += std::max<int64_t>(FileSys::FileSize(file), 0);
    return total;
}

// Deletes the oldest backups of the list until Needed more bytes fit under Limit; true when they fit.
bool MakeRoom(std::vector<TBackupFile> backups, int64_t used, int64_t needed, int64_t limit)
{
    for (const TBackupFile& backup : backups) {
        if (used + needed <= limit)
            break;
        if (DeleteFile(backup.Path))
            used -= backup.Size;
    }
    return used + needed <= limit;
}

} // namespace

TBackupSettings CurrentBackupSettings()
{
    const TLoadSaveOptions& ls = CurrentOptions().LoadSave;
    TBackupSettings settings;
    settings.Create = ls.CreateBackup;
    settings.SepFolders = ls.Backup_SepFolders;
    settings.MinDiffIndex = ls.Backup_MinDiff;
    settings.MaxFilesIndex = ls.Backup_MaxFiles;
    settings.MaxMegabytes = ls.Backup_MaxAmount;
    if (TOptionsHolder* holder = GetOptionsHolder())
        settings.Folder = holder->BackupFolder;
    return settings;
}

int32_t BackupMinimumSeconds(int32_t index)
{
    return MinimumMinutes[std::clamp<int32_t>(index, 0, int32_t(std::size(MinimumMinutes)) - 1)] * 60;
}

int32_t BackupMaximumCount(int32_t index)
{
    return MaximumCounts[std::clamp<int32_t>(index, 0, int32_t(std::size(MaximumCounts)) - 1)];
}

std::string BackupTimeStamp(TDateTime when)
{
    int year, month, day, hour, minute, second, ms;
    DecodeDate(when, year, month, day);
    DecodeTime(when, hour, minute, second, ms);
    char text[32];
    std::snprintf(text, sizeof text, " %02d-%02d-%02d %02d%02d", year % 100, month, day, hour, minute);
    return text;
}

std::string BackupFileName(const std::string& documentName, TDateTime when)
{
    const std::string name = ExtractFileName(documentName);
    const std::string ext = DotExtension(name);
    return name.substr(0, name.size() - ext.size()) + BackupTimeStamp(when) + ext;
}

bool BackupFileBaseName(const std::string& backupName, std::string& baseName, TDateTime* when)
{
    const std::string name = ExtractFileName(backupName);
    const std::string ext = DotExtension(name);
    if (name.size() < ext.size() + StampLength + 1)
        return false;
    const size_t stampAt = name.size() - ext.size() - StampLength;
    TDateTime date;
    if (!ParseStamp(name.substr(stampAt, StampLength), date))
        return false;
    baseName = name.substr(0, stampAt);
    if (when)
        *when = date;
    return true;
}

std::vector<TBackupFile> ListBackups(const std::string& folder, const std::string& documentName)
{
    const std::string document = LowerAscii(ExtractFileName(documentName));
    const std::string ext = DotExtension(document);
    const std::string base = document.substr(0, document.size() - ext.size());
    std::vector<std::string> files;
    FindFilesInTree(folder, "*", files);
    std::vector<TBackupFile> backups;
    for (const std::string& file : files) {
        TBackupFile backup;
        std::string fileBase;
        if (!BackupFileBaseName(file, fileBase, &backup.When))
            continue;
        if (!document.empty() &&
            (LowerAscii(fileBase) != base || LowerAscii(DotExtension(ExtractFileName(file))) != ext))
            continue;
        backup.Path = file;
        backup.Size = std::max<int64_t>(FileSys::FileSize(file), 0);
        backups.push_back(std::move(backup));
    }
    std::stable_sort(backups.begin(), backups.end(), [](const TBackupFile& a, const TBackupFile& b) {
        return a.When != b.When ? a.When < b.When : a.Path < b.Path;
    });
    return backups;
}

std::string BackupFolderOf(const TBackupSettings& settings, const std::string& documentName)
{
    std::string folder = IncludeTrailingPathDelimiter(settings.Folder);
    if (settings.SepFolders && BackupMaximumCount(settings.MaxFilesIndex) != 1) {
        const std::string name = ExtractFileName(documentName);
        folder += IncludeTrailingPathDelimiter(name.substr(0, name.size() - DotExtension(name).size()));
    }
    return folder;
}

bool MakeBackupCopy(const std::string& documentName, const std::string& fileToCopy,
                    const TBackupSettings& settings, TDateTime now, const TAskUser& ask)
{
    if (!settings.Create || settings.Folder.empty() || !FileExists(fileToCopy))
        return true;
    const std::string folder = BackupFolderOf(settings, documentName);
    if (!DirectoryExists(folder) && !ForceDirectories(folder))
        return true;
    std::vector<TBackupFile> own = ListBackups(folder, documentName);
    // A backup younger than the minimum age stands for this one (a negative index asks for a copy now).
    if (settings.MinDiffIndex >= 0 && !own.empty() &&
        (now - own.back().When) * 86400.0 < BackupMinimumSeconds(settings.MinDiffIndex))
        return true;
    const std::string target = folder + BackupFileName(documentName, now);
    if (target.size() >= 256) {
        ask("Quillpad ne peut pas sauvegarder||\"" + documentName +
                "\"||parce que le nom de ce fichier est trop long.||||Veuillez, s'il vous plaît, ou bien "
                "désactiver l'option \"Créer des sauvegardes\" (commandes \"Outils | Options...\", "
                "\"Chargement/Enregistrement\", \"Sauvegardes...\"), ou bien enregistrer ce document avec un "
                "nom plus court (commande \"Fichier | Enregistrer sous...\")",
            mkInformation, btOK, mkNoOption);
        return true;
    }
    // The new copy makes one more: the oldest beyond the maximum go first.
    if (const int32_t most = BackupMaximumCount(settings.MaxFilesIndex); most > 0)
        for (size_t i = 0; i + size_t(most) <= own.size(); ++i)
            DeleteFile(own[i].Path);
    const int64_t limit = settings.MaxMegabytes * 1048576;
    const int64_t needed = std::max<int64_t>(FileSys::FileSize(fileToCopy), 0);
    const int64_t used = TotalSize(settings.Folder);
    if (used + needed > limit) {
        const int answer = ask(
            "Votre dossier de sauvegarde a atteint sa taille limite. Vous pouvez soit supprimer certaines "
            "des sauvegardes les plus anciennes, soit augmenter la taille du dossier de sauvegarde "
            "actuel.||||Cliquez sur \"Oui\" si vous voulez qu'Quillpad supprime automatiquement une "
            "partie des sauvegardes les plus anciennes.||||Cliquez sur \"Non\" si vous voulez augmenter la "
            "taille de votre dossier de sauvegarde.||||Cliquez sur \"Annuler\" si vous voulez revoir les "
            "options de sauvegarde, ou bien supprimer des fichiers de sauvegarde manuellement.",
            mkConfirmation, btYes | btNo | btCancel, 5);
        if (answer != mrYes || !MakeRoom(ListBackups(settings.Folder, {}), used, needed, limit))
            return true;
    }
    while (!CopyContents(fileToCopy, target)) {
        if (ask("Erreur lors de la création d'une copie de sauvegarde (" + target + ") pour le document \"" +
                    documentName + "\". S'il vous plaît, veuillez vérifier que le fichier \"" + target +
                    "\" n'est pas en cours d'utilisation dans une autre application ou qu'il y a assez "
                    "d'espace libre sur le lecteur de destination.",
                mkError, btRetry | btCancel, mkNoOption) != mrRetry)
            return false;
    }
    return true;
}

bool MakeBackupCopy(const std::string& documentName, const std::string& fileToCopy)
{
    return MakeBackupCopy(documentName, fileToCopy, CurrentBackupSettings(), Now());
}
