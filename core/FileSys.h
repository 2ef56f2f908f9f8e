// File-system primitives the class library's file functions lack: folder listings, copies, sizes,
// full paths, the temporary folder and whole-file replacement.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/runtime/Files.h"

namespace FileSys {

struct TEntry {
    std::string Name;
    bool IsFolder = false;
};

// The entries of a folder in name order (letter case ignored), without "." and ".."; empty when the
// folder cannot be read.
std::vector<TEntry> ListFolder(const std::string& folder);
void SortEntries(std::vector<TEntry>& entries);
// Each of these answers whether it succeeded.
bool RemoveFolder(const std::string& path);
bool CopyOneFile(const std::string& source, const std::string& dest, bool overwrite);
// The file's size in bytes, -1 when it cannot be opened.
int64_t FileSize(const std::string& path);
// Replaces the file with the data, through a temporary file beside it so that a failure leaves the
// old file whole; raises EStreamError with a French message on failure.
void WriteWholeFile(const std::string& path, const std::string& data);
// The file's creation and last-write times as local dates and times; false when it cannot be read.
bool FileTimes(const std::string& path, double& created, double& modified);
// Bytes per allocation unit of the drive whose root is given (the current drive for an empty root); 0
// when unknown.
int64_t ClusterSize(const std::string& root);
// The full form of a path (folders resolved against the current one, long names).
std::string FullPath(const std::string& path);
// The system's temporary folder as it reports it (with a trailing delimiter).
std::string SystemTempPath();

// Whether a file name matches a mask of "*" and "?" (letter case of ASCII letters ignored).
bool MatchesMask(const std::string& name, const std::string& mask);

} // namespace FileSys
