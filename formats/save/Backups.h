// Backup copies of document files: their names, and keeping them by age, count and folder size.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/runtime/DateTime.h"
#include "formats/load/DocumentLoad.h"

// What the backups follow: the settings of the "LoadSave" section and the backup folder.
struct TBackupSettings {
    bool Create = false;
    std::string Folder;
    bool SepFolders = true;    // a sub-folder per document
    int32_t MinDiffIndex = 2;  // index into the minimum ages; negative: no minimum
    int32_t MaxFilesIndex = 5; // index into the maximum counts
    int64_t MaxMegabytes = 10; // size limit of the whole backup folder
};

// The settings in force (the options and the settings holder's backup folder).
TBackupSettings CurrentBackupSettings();

// Minimum age of the newest backup of a document before another is made, in seconds (index clamped).
int32_t BackupMinimumSeconds(int32_t index);
// Maximum number of backups kept per document; 0 for no limit (index clamped).
int32_t BackupMaximumCount(int32_t index);

// " YY-MM-DD HHMM" of a date.
std::string BackupTimeStamp(TDateTime when);
// The backup name of a document's file made at a date: its base name, the stamp, its extension.
std::string BackupFileName(const std::string& documentName, TDateTime when);
// The document's base name a backup name carries; false when the name is not one of the program's
// backup names (a base name, a well-formed stamp, an extension or none).
bool BackupFileBaseName(const std::string& backupName, std::string& baseName, TDateTime* when = nullptr);

// A backup found in the folder, with the date its stamp gives.
struct TBackupFile {
    std::string Path;
    TDateTime When = 0;
    int64_t Size = 0;
};
// The backups in a folder tree, oldest first; only those of DocumentName when it is not empty.
std::vector<TBackupFile> ListBackups(const std::string& folder, const std::string& documentName);
// The folder that holds a document's backups (with a trailing delimiter).
std::string BackupFolderOf(const TBackupSettings& settings, const std::string& documentName);

// Copies FileToCopy into the backup folder under DocumentName's backup name, when backups are on and
// the document's newest backup is old enough: first deleting its oldest backups beyond the maximum
// count, and asking what to do when the folder would pass its size limit. Only files bearing the
// program's backup names are ever deleted. False when the copy failed and the user gave up, so that
// the caller stops too.
bool MakeBackupCopy(const std::string& documentName, const std::string& fileToCopy,
                    const TBackupSettings& settings, TDateTime now, const TAskUser& ask = AskThroughMessages);
// The same with the settings in force and the time now.
bool MakeBackupCopy(const std::string& documentName, const std::string& fileToCopy);
