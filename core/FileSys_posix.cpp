// File-system primitives for the host build, over POSIX calls.
#include "core/FileSys.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "classlib/runtime/Exceptions.h"

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

void WriteWholeFile(const std::string& path, const std::string& data)
{
    const std::string tmp = path + ".~tmp";
    bool ok;
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        out.flush();
        ok = static_cast<bool>(out);
    }
    if (ok)
        ok = std::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(tmp.c_str());
        throw EStreamError("Impossible d'écrire le fichier \"" + path + "\".");
    }
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
