// Path, file and folder helpers that need no system call of their own: temporary names, folder walks,
// shortened paths, captions, code pages and link texts.
#include "core/PathUtils.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/DateTime.h"
#include "classlib/runtime/Format.h"
#include "core/DirUtils.h"
#include "core/FileSys.h"
#include "core/Instance.h"
#include "core/Options.h"

namespace {

bool PathExists(const std::string& path)
{
    return FileExists(path) || DirectoryExists(path);
}

std::string UniqueTempName(const std::string& prefix, const std::string& ext)
{
    const std::string folder = GetTempFolder();
    for (unsigned n = 0;; ++n) {
        std::string name = folder + prefix + std::to_string(n) + ext;
        if (!PathExists(name))
            return name;
    }
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

bool IsExcluded(const std::string& path, const std::vector<std::string>& excluded)
{
    const std::string p = ExcludeTrailingPathDelimiter(path);
    return std::any_of(excluded.begin(), excluded.end(), [&](const std::string& e) {
        return SameFileName(ExcludeTrailingPathDelimiter(e), p);
    });
}

} // namespace

std::string GetUniqueTempFileName(const std::string& ext)
{
    return UniqueTempName("~Quillp", ext);
}

std::string GetUniquePlainTempFileName(const std::string& ext)
{
    return UniqueTempName("Quillp", ext);
}

std::string GetTempFileNameOfKind(TTempFileKind kind)
{
    static const char* const exts[] = {"tmp", "qad", "rtf", "bmp"};
    const int k = (kind >= tfTmp && kind <= tfBmp) ? kind : tfTmp;
    return GetUniqueTempFileName(std::string(".") + exts[k]);
}

bool CanWriteTempFile(const std::string& name)
{
    const std::string path = GetTempFolder() + name;
    // An existing file is never replaced to find out.
    if (PathExists(path))
        return false;
    try {
        FileSys::WriteWholeFile(path, std::string());
    } catch (...) {
        return false;
    }
    DeleteFile(path);
    return true;
}

void DeleteTempFiles()
{
    // Another copy may still use its files.
    if (FindRunningInstance(0))
        return;
    const std::string folder = GetTempFolder();
    for (const FileSys::TEntry& e : FileSys::ListFolder(folder)) {
        if (!StartsWithNoCase(e.Name, "~Quillp"))
            continue;
        if (e.IsFolder)
            DeleteFolderTree(folder + e.Name);
        else
            DeleteFile(folder + e.Name);
    }
}

bool FolderExists(const std::string& folder)
{
    return DirectoryExists(folder);
}

bool IsFolderEmpty(const std::string& folder)
{
    return FileSys::ListFolder(folder).empty();
}

void FindFilesInTree(const std::string& folder, const std::string& mask, std::vector<std::string>& list)
{
    const std::vector<FileSys::TEntry> entries = FileSys::ListFolder(folder);
    for (const FileSys::TEntry& e : entries)
        if (e.IsFolder)
            FindFilesInTree(IncludeTrailingPathDelimiter(folder) + e.Name, mask, list);
    for (const FileSys::TEntry& e : entries)
        if (!e.IsFolder && FileSys::MatchesMask(e.Name, mask))
            list.push_back(IncludeTrailingPathDelimiter(folder) + e.Name);
}

void ListSubfolders(const std::string& folder, std::vector<std::string>& list)
{
    for (const FileSys::TEntry& e : FileSys::ListFolder(folder)) {
        if (!e.IsFolder)
            continue;
        list.push_back(IncludeTrailingPathDelimiter(folder) + e.Name);
        ListSubfolders(IncludeTrailingPathDelimiter(folder) + e.Name, list);
    }
}

void DeleteFolderTree(const std::string& folder)
{
    for (const FileSys::TEntry& e : FileSys::ListFolder(folder)) {
        const std::string path = IncludeTrailingPathDelimiter(folder) + e.Name;
        if (e.IsFolder)
            DeleteFolderTree(path);
        else
            DeleteFile(path);
    }
    FileSys::RemoveFolder(folder);
}

void RemoveEmptySubfolders(const std::string& folder)
{
    for (const FileSys::TEntry& e : FileSys::ListFolder(folder)) {
        const std::string path = IncludeTrailingPathDelimiter(folder) + e.Name;
        if (e.IsFolder && IsFolderEmpty(path))
            FileSys::RemoveFolder(path);
    }
}

void CopyFolderTree(const std::string& source, const std::string& dest, bool overwrite,
                    const std::vector<std::string>& excluded)
{
    // A destination inside the source is never copied into itself.
    std::vector<std::string> skip = excluded;
    skip.push_back(FileSys::FullPath(dest));
    ForceDirectories(dest);
    for (const FileSys::TEntry& e : FileSys::ListFolder(source)) {
        const std::string from = IncludeTrailingPathDelimiter(source) + e.Name,
                          to = IncludeTrailingPathDelimiter(dest) + e.Name;
        if (IsExcluded(from, skip) || IsExcluded(FileSys::FullPath(from), skip))
            continue;
        if (e.IsFolder)
            CopyFolderTree(from, to, overwrite, skip);
        else
            FileSys::CopyOneFile(from, to, overwrite);
    }
}

int64_t GetFileSizeByName(const std::string& name)
{
    return std::max<int64_t>(FileSys::FileSize(name), 0);
}

int64_t GetClusterSize(const std::string& folder)
{
    return FileSys::ClusterSize(GetPathDriveRoot(FileSys::FullPath(folder)));
}

int64_t FileSizeOnDisk(const std::string& name)
{
    const int64_t size = GetFileSizeByName(name);
    const int64_t cluster = GetClusterSize(ExtractFilePath(name));
    if (cluster <= 0)
        return size;
    return (size + cluster - 1) / cluster * cluster;
}

int64_t FolderSizeOnDisk(const std::string& folder)
{
    std::vector<std::string> files;
    FindFilesInTree(folder, "*", files);
    const int64_t cluster = GetClusterSize(folder);
    int64_t total = 0;
    for (const std::string& f : files) {
        const int64_t size = GetFileSizeByName(f);
        total += cluster > 0 ? (size + cluster - 1) / cluster * cluster : size;
    }
    return total;
}

std::string FormatByteSize(int64_t size)
{
    const char saved = FormatSettings.ThousandSeparator;
    FormatSettings.ThousandSeparator = ' ';
    std::string text;
    const auto value = static_cast<long double>(size);
    if (size < 65535)
        text = Format("%.0n", value) + " octets";
    else if (size < 16777215 && size % 1048576 == 0)
        text = Format("%.0n", value / 1048576) + " Mo";
    else if (size < 16777215)
        text = Format("%.0n", value / 1024) + " Ko";
    else
        text = Format("%.2n", value / 1048576) + " Mo";
    FormatSettings.ThousandSeparator = saved;
    return text;
}

std::string FormatFileSize(const std::string& name)
{
    return FormatByteSize(GetFileSizeByName(name));
}

std::string FormatFolderSize(const std::string& folder)
{
    return FormatByteSize(FolderSizeOnDisk(folder));
}

double GetFileDateTime(const std::string& name, TFileTimeKind kind)
{
    double created, modified;
    if (!FileSys::FileTimes(name, created, modified))
        return Now();
    return kind == ftCreation ? created : modified;
}

double GetFileCreationTime(const std::string& name)
{
    return GetFileDateTime(name, ftCreation);
}

double GetFileModificationTime(const std::string& name)
{
    return GetFileDateTime(name, ftModification);
}

int32_t ApproxDayNumber(double date)
{
    return static_cast<int32_t>(std::floor(date));
}

std::string GetPathDriveRoot(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2) + "\\";
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        // "\\server\share\": the root of a network path.
        size_t server = path.find('\\', 2);
        if (server == std::string::npos)
            return path + "\\";
        size_t share = path.find('\\', server + 1);
        return (share == std::string::npos ? path : path.substr(0, share)) + "\\";
    }
    if (!path.empty() && path[0] == '/')
        return "/";
    return std::string();
}

void SaveTextToFile(const std::string& name, const std::string& text)
{
    std::string out;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out.append(text, start, i - start);
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) {
        out.append(text, start, std::string::npos);
        out += "\r\n";
    }
    FileSys::WriteWholeFile(name, out);
}

std::string ShortenPath(const std::function<int(const std::string&)>& textWidth, const std::string& path,
                        int maxWidth)
{
    const bool isFile = path.empty() || path.back() != '\\';
    if (!CurrentOptions().General.FullPaths && isFile) {
        const size_t cut = path.find_last_of('\\');
        return cut == std::string::npos ? path : path.substr(cut + 1);
    }
    if (path.size() <= 3 || std::count(path.begin() + 3, path.end(), '\\') <= 2 ||
        textWidth(path) <= maxWidth)
        return path;
    // Folders after the first three characters, and what follows the last one (the file name, or
    // nothing for a folder path).
    std::vector<std::string> parts;
    size_t start = 3;
    for (size_t i = 3; i < path.size(); ++i) {
        if (path[i] == '\\') {
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    const std::string last = path.substr(start);
    std::string result = path;
    // Drop folders 2, 3, ... from the left until the text fits or two folders are left.
    for (size_t dropped = 1; dropped + 2 <= parts.size(); ++dropped) {
        result = path.substr(0, 3) + parts[0] + "\\...\\";
        for (size_t k = 1 + dropped; k < parts.size(); ++k)
            result += parts[k] + "\\";
        result += last;
        if (textWidth(result) <= maxWidth)
            break;
    }
    return result;
}

std::string EscapeAmpersands(const std::string& text)
{
    if (text == "-")
        return "- ";
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

std::string CaptionWithShortcut(const std::string& caption)
{
    std::string plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            if (caption[i + 1] == '&') {
                plain += '&';
                ++i;
            }
            continue;
        }
        plain += caption[i];
    }
    const size_t tab = plain.find('\t');
    if (tab == std::string::npos)
        return plain;
    const std::string text = plain.substr(0, tab), shortcut = plain.substr(tab + 1);
    return shortcut.empty() ? text : text + " (" + shortcut + ")";
}

int32_t CodePageForUnicodeChar(uint32_t ch, int32_t def)
{
    struct TRange {
        uint32_t First, Last;
        int32_t CodePage;
    };
    static const TRange ranges[] = {
        {128, 255, 1252},  {256, 337, 1250},   {338, 339, 1252},   {340, 383, 1250},   {384, 591, 1257},
        {880, 1023, 1253}, {1024, 1279, 1251}, {1424, 1535, 1255}, {1536, 1791, 1256},
    };
    for (const TRange& r : ranges)
        if (ch >= r.First && ch <= r.Last)
            return r.CodePage;
    return def;
}

int32_t BestCodePageForText(const uint16_t* text, int count, int32_t def)
{
    std::map<int32_t, int> counts;
    for (int i = 0; i < count; ++i) {
        const int32_t cp = CodePageForUnicodeChar(text[i], 0);
        if (cp != 0)
            ++counts[cp];
    }
    int32_t best = def;
    int bestCount = 0;
    for (const auto& [cp, n] : counts) {
        if (n > bestCount) {
            best = cp;
            bestCount = n;
        }
    }
    return best;
}

void CopySymbolChars(const uint16_t* wide, char* ansi, int count)
{
    for (int i = 0; i < count; ++i)
        if (wide[i] >= 0xF000)
            ansi[i] = static_cast<char>(wide[i] & 0xFF);
}

void TranslateBytes(char* buffer, int count, const uint8_t table[256])
{
    for (int i = 0; i < count; ++i)
        buffer[i] = static_cast<char>(table[static_cast<uint8_t>(buffer[i])]);
}

bool IsShortcutFile(const std::string& name)
{
    return name.size() >= 4 && SameText(name.substr(name.size() - 4), ".LNK");
}

std::string ReadInternetShortcutUrl(const std::string& text)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (StartsWithNoCase(line, "URL="))
            return line.substr(4);
        start = end + 1;
    }
    return std::string();
}

bool HasUrlPrefix(const std::string& text)
{
    return StartsWithNoCase(text, "http") || StartsWithNoCase(text, "ftp") || StartsWithNoCase(text, "www");
}

bool IsLinkLikeText(const std::string& text)
{
    return text.find('@') != std::string::npos || HasUrlPrefix(text);
}
