// File and folder helpers: existence, creation and deletion, and the parts of a path.
#pragma once
#include <string>
#include <string_view>

#ifdef DeleteFile
#undef DeleteFile // the system's macro; Windows code calls DeleteFileA by name
#endif

// The folder separator: '\' on Windows, '/' on the host.
#if defined(_WIN32)
constexpr char PathDelim = '\\';
#else
constexpr char PathDelim = '/';
#endif

bool FileExists(const std::string& fileName);
bool DirectoryExists(const std::string& dir);
// Creates the folder and every missing folder above it; true when it exists afterwards.
bool ForceDirectories(const std::string& dir);
bool DeleteFile(const std::string& fileName);
// The process's current folder, and making one current (false when it does not exist).
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& dir);

// The folder part with its trailing separator ("C:\Docs\a.rtf" gives "C:\Docs\").
std::string ExtractFilePath(std::string_view fileName);
// The name after the folder part.
std::string ExtractFileName(std::string_view fileName);
// The extension with its dot (".rtf"), empty when the name has none.
std::string ExtractFileExt(std::string_view fileName);
// The name with its extension replaced (Ext with its dot, or empty to remove it).
std::string ChangeFileExt(std::string_view fileName, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view dir);
std::string ExcludeTrailingPathDelimiter(std::string_view dir);
