// File-system primitives for the host build, over POSIX calls.
#include "core/FileSys.h"

#include "classlib/runtime/DateTime.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace FileSys {

std::vector<TEntry> ListFolder(const std::string& folder)
{
    std::vector<TEntry> entries;
    DIR* d = ::opendir(folder.c_str());
    if (!d)
        return entries;
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        entries.push_back({name, DirectoryExists(IncludeTrailingPathDelimiter(folder) + name)});
    }
    ::closedir(d);
    SortEntries(entries);
    return entries;
}

bool RemoveFolder(const std::string& path)
{
    return ::rmdir(path.c_str()) == 0;
}

bool CopyOneFile(const std::string& source, const std::string& dest, bool overwrite)
{
    if (!FileExists(source) || (!overwrite && FileExists(dest)))
        return false;
    std::ifstream in(source, std::ios::binary);
    std::ofstream out(dest, std::ios::binary | std::ios::trunc);
    if (!in || !out)
        return false;
    if (in.peek() != std::ifstream::traits_type::eof())
        out << in.rdbuf();
    return static_cast<bool>(out);
}

int64_t FileSize(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) ? static_cast<int64_t>(st.st_size) : -1;
}

namespace {

double LocalDateTime(time_t t)
{
    struct tm local;
    if (!localtime_r(&t, &local))
        return 0;
    return ComposeDateTime(EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0));
}

} // namespace

bool FileTimes(const std::string& path, double& created, double& modified)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return false;
    // The host keeps no creation time: the time of the last status change stands in for it.
    created = LocalDateTime(st.st_ctime);
    modified = LocalDateTime(st.st_mtime);
    return true;
}

int64_t ClusterSize(const std::string& root)
{
    struct statvfs vfs;
    return ::statvfs(root.empty() ? "." : root.c_str(), &vfs) == 0 ? static_cast<int64_t>(vfs.f_frsize) : 0;
}

std::string FullPath(const std::string& path)
{
    if (path.empty())
        return path;
    std::error_code ec;
    auto p = std::filesystem::absolute(path, ec);
    return ec ? path : p.lexically_normal().string();
}

std::string SystemTempPath()
{
    const char* t = std::getenv("TMPDIR");
    return IncludeTrailingPathDelimiter(t && *t ? t : "/tmp");
}

} // namespace FileSys
