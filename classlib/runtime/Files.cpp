// The parts of a path, and the host's file and folder functions.
#include "classlib/runtime/Files.h"

namespace {

// Characters that end the folder part of a path (and, for the extension, the name's start).
#if defined(_WIN32)
constexpr const char* Delimiters = "\\/:";
#else
constexpr const char* Delimiters = "/";
#endif

size_t NameStart(std::string_view fileName)
{
    size_t p = fileName.find_last_of(Delimiters);
    return p == std::string_view::npos ? 0 : p + 1;
}

// Position of the extension's dot, or the length when the name has none.
size_t ExtStart(std::string_view fileName)
{
    size_t start = NameStart(fileName);
    size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos || dot < start ? fileName.size() : dot;
}

bool IsDelimiter(char c)
{
    return c == PathDelim || (PathDelim == '\\' && c == '/');
}

} // namespace

std::string ExtractFilePath(std::string_view fileName)
{
    return std::string(fileName.substr(0, NameStart(fileName)));
}

std::string ExtractFileName(std::string_view fileName)
{
    return std::string(fileName.substr(NameStart(fileName)));
}

std::string ExtractFileExt(std::string_view fileName)
{
    return std::string(fileName.substr(ExtStart(fileName)));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view ext)
{
    return std::string(fileName.substr(0, ExtStart(fileName))) + std::string(ext);
}

std::string IncludeTrailingPathDelimiter(std::string_view dir)
{
    std::string s(dir);
    if (s.empty() || !IsDelimiter(s.back()))
        s += PathDelim;
    return s;
}

std::string ExcludeTrailingPathDelimiter(std::string_view dir)
{
    std::string s(dir);
    if (!s.empty() && IsDelimiter(s.back()))
        s.pop_back();
    return s;
}

#if !defined(_WIN32)
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

bool FileExists(const std::string& fileName)
{
    struct stat st;
    return stat(fileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& dir)
{
    struct stat st;
    return !dir.empty() && stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& dir)
{
    std::string d = ExcludeTrailingPathDelimiter(dir);
    if (d.empty() || DirectoryExists(d))
        return !d.empty() || dir == "/";
    std::string parent = ExtractFilePath(d);
    if (!parent.empty() && !ForceDirectories(parent))
        return false;
    return mkdir(d.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(d));
}

bool DeleteFile(const std::string& fileName)
{
    return FileExists(fileName) && unlink(fileName.c_str()) == 0;
}

std::string GetCurrentDir()
{
    std::string buf(4096, '\0');
    if (!getcwd(buf.data(), buf.size()))
        return std::string();
    buf.resize(buf.find('\0'));
    return buf;
}

bool SetCurrentDir(const std::string& dir)
{
    return chdir(dir.c_str()) == 0;
}
#endif
