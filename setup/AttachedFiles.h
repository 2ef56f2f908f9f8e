// The files appended to the setup program: the table read and checked once at start-up, the files that
// the chosen components need queued into eight lists, and single files extracted on demand.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "setup/PayloadFormat.h"

class TFileStream;

using TAttachedFile = TPayloadEntry;

// One file queued for installation.
struct TFileToInstall {
    const TAttachedFile* File = nullptr; // not owned
    std::string Destination;             // full path
    bool Logged = true;                  // queued while the log was not suspended
};

constexpr int ComponentCount = 8;

// When a queued destination file is replaced: 0 when missing; 1 missing or older; 2 missing or of
// another time; 3 only when it exists; 4 always.
enum TInstallMode { imIfMissing = 0, imIfOlder = 1, imIfDifferent = 2, imIfExists = 3, imAlways = 4 };

class TAttachedFiles {
public:
    // Reads and checks the payload of a setup file: the trailer, the table, and every file's stream
    // (its inflated size and its end). A damaged payload shows the corruption message, sets Corrupt and
    // leaves the file list empty.
    explicit TAttachedFiles(const std::string& setupPath);
    ~TAttachedFiles();

    bool Corrupt() const { return FCorrupt; }
    const std::vector<TAttachedFile>& Files() const { return FFiles; }
    // The entry of that name (letter case ignored, the last one when several), or null.
    const TAttachedFile* FindFile(const std::string& name) const;

    // Writes one file (found by name when Entry is null) to Destination, through a temporary name in
    // the same folder that replaces the destination only once complete and checked. A failure asks the
    // user Abort, Retry or Ignore: false for Abort (and for a name the table lacks), true otherwise.
    bool ExtractFile(const TAttachedFile* entry, const std::string& name, const std::string& destination);
    // Queues the entry of a name, or every entry under a folder prefix ending in "\", into Folder for a
    // component, by the install mode; true when something was queued.
    bool QueueFiles(const std::string& pattern, const std::string& folder, int mode, int component);
    void ClearComponent(int component) { FQueues[component].clear(); }
    const std::vector<TFileToInstall>& Queue(int component) const { return FQueues[component]; }
    uint32_t TotalQueuedSize() const;
    // The disk space that the listed names (one a line; a folder prefix ends in "\") take in Folder,
    // each file rounded up to whole clusters of that folder's disk.
    int64_t NamesSize(const std::string& names, const std::string& folder) const;

private:
    bool ReadTable();
    bool WriteFile(const TAttachedFile& entry, const std::string& temp);

    std::string FPath;
    std::unique_ptr<TFileStream> FSource;
    std::mutex FSourceLock;
    std::vector<TAttachedFile> FFiles;
    std::vector<TFileToInstall> FQueues[ComponentCount];
    bool FCorrupt = false;
};

// While set, queued files go to their folder without the first folder of their name.
extern bool StripFirstFolder;
// The payload of this setup program (made by the program entry).
extern TAttachedFiles* AttachedFiles;

extern const char* const CorruptSetupMessage;

// Names compared the way the system compares file names.
bool SameFileName(const std::string& a, const std::string& b);
// The file's last-write time at the two-second grain of a DOS date and time, in local time; false when
// there is no such file.
bool FileDosTime(const std::string& path, uint32_t& dosTime);
// A payload time (days since 1899, local) at the same grain.
uint32_t PayloadDosTime(double time);
