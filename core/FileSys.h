// The few file-system primitives the core services stand on, for Windows (ANSI calls) and the host.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace FileSys {

#ifdef _WIN32
constexpr char Delim = '\\';
#else
constexpr char Delim = '/';
#endif

struct TEntry {
    std::string Name;
    bool IsFolder = false;
};

// Whether the path names an existing file (not a folder), or an existing folder.
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// The entries of a folder, without "." and ".."; empty when the folder cannot be read.
std::vector<TEntry> ListFolder(const std::string& folder);
// Each of these answers whether it succeeded.
bool MakeFolder(const std::string& path);
bool RemoveFolder(const std::string& path);
bool RemoveFile(const std::string& path);
bool CopyOneFile(const std::string& source, const std::string& dest, bool overwrite);
// The file's size in bytes, -1 when it cannot be opened.
int64_t FileSize(const std::string& path);
// The whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& data);
// Replaces the file with the data, through a temporary file beside it so that a failure leaves the
// old file whole; raises EStreamError with a French message on failure.
void WriteWholeFile(const std::string& path, const std::string& data);
// The full form of a path (folders resolved against the current one, long names).
std::string FullPath(const std::string& path);
std::string CurrentFolder();
bool SetCurrentFolder(const std::string& path);
// The system's temporary folder as it reports it (with a trailing delimiter).
std::string SystemTempPath();

// The path with exactly one trailing delimiter (an empty path stays empty).
std::string WithDelim(const std::string& path);
// The text upper-cased letter by letter (Windows-1252 letters), for comparing names without regard
// to case.
std::string FoldCase(const std::string& text);
// Whether two file names are equal without regard to case.
inline bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}
// Whether a file name matches a mask of "*" and "?" (letter case of ASCII letters ignored).
bool MatchesMask(const std::string& name, const std::string& mask);

} // namespace FileSys
