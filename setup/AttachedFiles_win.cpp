// Reading the payload of the setup program, queuing its files and extracting them.
#include "setup/AttachedFiles.h"

#include <windows.h>

#include "classlib/runtime/DateTime.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Files.h"
#include "setup/InstallLog.h"
#include "setup/WorkerChannel.h"
#include "setup/ZStream.h"

bool StripFirstFolder = false;
TAttachedFiles* AttachedFiles = nullptr;

const char* const CorruptSetupMessage =
    "Ce fichier d'installation est corrompu. S'il a été téléchargé à partir "
    "d'Internet, veuillez le télécharger à nouveau.";

namespace {

constexpr int32_t CopyBlock = 16384;
constexpr size_t MaxTableSize = 16 * 1024 * 1024;

// Inflates a whole stream of Limit compressed bytes, handing each block to Sink; true when the stream
// ends exactly at its limit.
template<class Sink>
bool InflateExactly(TStream& source, int64_t offset, int64_t limit, Sink sink)
{
    source.SetPosition(offset);
    TZDecompressionStream z(source);
    z.SetLimit(limit);
    std::vector<uint8_t> block(CopyBlock);
    for (;;) {
        int32_t got = z.Read(block.data(), CopyBlock);
        if (got <= 0)
            break;
        if (!sink(block.data(), got))
            return false;
    }
    return z.Finished() && z.CompressedUsed() == limit;
}

} // namespace

bool SameFileName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

uint32_t PayloadDosTime(double time)
{
    SYSTEMTIME st = {};
    int year, month, day, hour, minute, second, ms;
    DecodeDate(time, year, month, day);
    DecodeTime(time, hour, minute, second, ms);
    st.wYear = WORD(year), st.wMonth = WORD(month), st.wDay = WORD(day);
    st.wHour = WORD(hour), st.wMinute = WORD(minute), st.wSecond = WORD(second);
    FILETIME local;
    WORD dosDate = 0, dosTime = 0;
    if (!SystemTimeToFileTime(&st, &local) || !FileTimeToDosDateTime(&local, &dosDate, &dosTime))
        return 0;
    return uint32_t(dosDate) << 16 | dosTime;
}

bool FileDosTime(const std::string& path, uint32_t& dosTime)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    FILETIME local;
    WORD date = 0, time = 0;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToDosDateTime(&local, &date, &time);
    dosTime = uint32_t(date) << 16 | time;
    return true;
}

TAttachedFiles::TAttachedFiles(const std::string& setupPath) : FPath(setupPath)
{
    bool ok = false;
    try {
        FSource = std::make_unique<TFileStream>(setupPath, fmOpenRead | fmShareDenyNone);
        ok = ReadTable();
    } catch (const Exception&) {
        ok = false;
    }
    if (!ok) {
        FFiles.clear();
        FCorrupt = true;
        PlainMessage(CorruptSetupMessage, 1, 1u << 2);
    }
}

TAttachedFiles::~TAttachedFiles() = default;

bool TAttachedFiles::ReadTable()
{
    int64_t size = FSource->GetSize();
    if (size < 8 || size > 0xFFFFFFFFll)
        return false;
    uint8_t trailer[8];
    FSource->SetPosition(size - 8);
    FSource->ReadBuffer(trailer, 8);
    uint32_t first = uint32_t(trailer[0]) | uint32_t(trailer[1]) << 8 | uint32_t(trailer[2]) << 16 |
                     uint32_t(trailer[3]) << 24;
    uint32_t second = uint32_t(trailer[4]) | uint32_t(trailer[5]) << 8 | uint32_t(trailer[6]) << 16 |
                      uint32_t(trailer[7]) << 24;
    if (first != second || first >= size - 8)
        return false;
    std::vector<uint8_t> table;
    if (!InflateExactly(*FSource, first, size - 8 - first, [&](const uint8_t* data, int32_t count) {
            if (table.size() + size_t(count) > MaxTableSize)
                return false;
            table.insert(table.end(), data, data + count);
            return true;
        }))
        return false;
    if (!ParsePayloadTable(table.data(), table.size(), first, FFiles))
        return false;
    // Every file's stream must inflate to its size and end where the next one begins.
    for (const TAttachedFile& entry : FFiles) {
        uint64_t produced = 0;
        if (!InflateExactly(*FSource, entry.StreamOffset, entry.CompressedSize,
                            [&](const uint8_t*, int32_t count) {
                                produced += uint64_t(count);
                                return produced <= entry.Size;
                            }))
            return false;
        if (produced != entry.Size)
            return false;
    }
    return true;
}

const TAttachedFile* TAttachedFiles::FindFile(const std::string& name) const
{
    for (auto it = FFiles.rbegin(); it != FFiles.rend(); ++it)
        if (SameFileName(it->Name, name))
            return &*it;
    return nullptr;
}

bool TAttachedFiles::WriteFile(const TAttachedFile& entry, const std::string& temp)
{
    std::lock_guard<std::mutex> hold(FSourceLock);
    uint64_t written = 0;
    bool complete;
    {
        TFileStream out(temp, fmCreate);
        complete = InflateExactly(*FSource, entry.StreamOffset, entry.CompressedSize,
                                  [&](const uint8_t* data, int32_t count) {
                                      written += uint64_t(count);
                                      if (written > entry.Size)
                                          return false;
                                      out.WriteBuffer(data, count);
                                      return true;
                                  });
    }
    if (!complete || written != entry.Size)
        return false;
    // The time of the payload, at the grain of a DOS date and time.
    uint32_t dos = PayloadDosTime(entry.FileTime);
    FILETIME local, utc;
    if (!DosDateTimeToFileTime(WORD(dos >> 16), WORD(dos), &local) || !LocalFileTimeToFileTime(&local, &utc))
        return false;
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool timed = SetFileTime(file, nullptr, nullptr, &utc) != 0;
    CloseHandle(file);
    return timed;
}

bool TAttachedFiles::ExtractFile(const TAttachedFile* entry, const std::string& name,
                                 const std::string& destination)
{
    if (!entry)
        entry = FindFile(name);
    if (!entry)
        return false;
    for (;;) {
        std::string folder = ExtractFilePath(destination);
        std::string temp;
        bool done = false;
        try {
            if (ForceFoldersLogged(folder)) {
                char tempName[MAX_PATH];
                if (GetTempFileNameA(folder.c_str(), "~qp", 0, tempName)) {
                    temp = tempName;
                    done = WriteFile(*entry, temp) &&
                           MoveFileExA(temp.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
                }
            }
        } catch (const Exception&) {
            done = false;
        }
        if (done) {
            InstallLog.Add("File Copy: " + destination);
            return true;
        }
        if (!temp.empty())
            DeleteFileA(temp.c_str());
        int answer =
            AskUserFromInstallThread("Impossible de créer le fichier \"" + destination +
                                         "\".\rCe fichier est peut-être actuellement utilisé par une "
                                         "autre application.",
                                     1, (1u << 4) | (1u << 5) | (1u << 6), false);
        if (answer == 3) // Abort
            return false;
        if (answer == 5) // Ignore
            return true;
    }
}

bool TAttachedFiles::QueueFiles(const std::string& pattern, const std::string& folder, int mode,
                                int component)
{
    bool prefix = !pattern.empty() && pattern.back() == '\\';
    bool queued = false;
    std::string dir = IncludeTrailingPathDelimiter(folder);
    for (const TAttachedFile& entry : FFiles) {
        if (prefix ? !(entry.Name.size() >= pattern.size() &&
                       SameFileName(entry.Name.substr(0, pattern.size()), pattern))
                   : !SameFileName(entry.Name, pattern))
            continue;
        std::string name = entry.Name;
        if (StripFirstFolder) {
            size_t cut = name.find('\\');
            if (cut != std::string::npos)
                name = name.substr(cut + 1);
        }
        std::string destination = dir + name;
        uint32_t existing = 0;
        bool exists = FileDosTime(destination, existing);
        uint32_t ours = PayloadDosTime(entry.FileTime);
        bool wanted = false;
        switch (mode) {
        case imIfMissing: wanted = !exists; break;
        case imIfOlder: wanted = !exists || existing < ours; break;
        case imIfDifferent: wanted = !exists || existing != ours; break;
        case imIfExists: wanted = exists; break;
        default: wanted = true; break;
        }
        if (wanted) {
            FQueues[component].push_back({&entry, destination, !InstallLog.Suspended()});
            queued = true;
        }
        if (!prefix)
            break;
    }
    return queued;
}

uint32_t TAttachedFiles::TotalQueuedSize() const
{
    uint64_t total = 0;
    for (const auto& queue : FQueues)
        for (const TFileToInstall& file : queue)
            total += file.File->Size;
    return total > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(total);
}

int64_t TAttachedFiles::NamesSize(const std::string& names, const std::string& folder) const
{
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    std::string root = folder.size() >= 2 && folder[1] == ':' ? folder.substr(0, 2) + "\\" : std::string();
    if (!GetDiskFreeSpaceA(root.empty() ? nullptr : root.c_str(), &sectorsPerCluster, &bytesPerSector,
                           &freeClusters, &clusters) &&
        !GetDiskFreeSpaceA(nullptr, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        sectorsPerCluster = 1, bytesPerSector = 4096;
    int64_t cluster = int64_t(sectorsPerCluster) * bytesPerSector;
    if (cluster <= 0)
        cluster = 4096;
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < names.size()) {
        size_t end = names.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = names.size();
        if (end > start)
            lines.push_back(names.substr(start, end - start));
        start = end + 1;
    }
    int64_t total = 0;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        bool prefix = line->back() == '\\';
        for (auto entry = FFiles.rbegin(); entry != FFiles.rend(); ++entry) {
            bool match = prefix ? entry->Name.size() >= line->size() &&
                                      SameFileName(entry->Name.substr(0, line->size()), *line)
                                : SameFileName(entry->Name, *line);
            if (!match)
                continue;
            total += (int64_t(entry->Size) + cluster - 1) / cluster * cluster;
            if (!prefix)
                break;
        }
    }
    return total;
}
