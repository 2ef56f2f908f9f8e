// The installation log: the lines "Made Dir: ", "File Copy: " kept in memory during the installation and
// saved as "Install.log" in the destination folder; and the folder helpers that log what they make.
#pragma once
#include <mutex>
#include <string>
#include <vector>

class TInstallLog {
public:
    // Starts the log of an installation into Folder; an existing log there is read first, so that a
    // reinstallation appends to it (a log that cannot be read is ignored).
    void Open(const std::string& folder);
    bool IsOpen() const { return FOpen; }
    const std::string& Path() const { return FPath; }
    // Adds a line unless the log is suspended (or not open).
    void Add(const std::string& line);
    // Nested suspensions: no line is added while one holds.
    void Suspend();
    void Resume();
    bool Suspended() const;
    // Saves the lines as text ended by CR LF; a failure is ignored.
    void Save();
    std::vector<std::string> Lines() const;
    // Forgets everything (a new run).
    void Reset();

private:
    mutable std::mutex FLock;
    std::vector<std::string> FLines;
    std::string FPath;
    bool FOpen = false;
    int FSuspended = 0;
};

extern TInstallLog InstallLog;

// Suspends the log for its lifetime.
class TLogSuspension {
public:
    TLogSuspension() { InstallLog.Suspend(); }
    ~TLogSuspension() { InstallLog.Resume(); }
    TLogSuspension(const TLogSuspension&) = delete;
    TLogSuspension& operator=(const TLogSuspension&) = delete;
};

// Makes a folder and its missing parents, parents first, each logged "Made Dir: "; true when the folder
// exists afterwards.
bool ForceFoldersLogged(const std::string& path);
// Copies every folder and file below Source to Destination, logging what it makes; existing files stay.
void CopyTreeLogged(const std::string& source, const std::string& destination);
// Deletes every file and folder below Path, then Path; failures are ignored.
void RemoveTree(const std::string& path);
