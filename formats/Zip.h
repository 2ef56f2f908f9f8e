// Packing document files into a new zip archive, each entry compressed with deflate.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class TFileStream;

class TZipFile {
public:
    TZipFile();
    ~TZipFile();
    TZipFile(const TZipFile&) = delete;
    TZipFile& operator=(const TZipFile&) = delete;

    // Creates the archive file anew; raises the program's stream error when it cannot be created.
    void Open(const std::string& archiveName);
    // Adds one file under its name without folder (numbered when the name is already stored); false,
    // after telling the user, when the file cannot be read or the archive would need the format's
    // 64-bit extensions. A write that fails raises the program's stream error.
    bool AddFile(const std::string& path);
    // Writes the central directory and closes the archive; an archive whose entry or write failed is
    // deleted. Safe to call twice.
    void Close();
    int32_t EntryCount() const { return FEntryCount; }
    bool Failed() const { return FFailed; }

    // The most entries, and the largest file and archive, the format holds without its 64-bit extensions.
    static constexpr int32_t MaxEntries = 65535;
    static constexpr int64_t MaxSize = 0xFFFFFFFFLL;

private:
    std::string StoredName(const std::string& path);
    void WriteBytes(const void* data, size_t size);

    std::string FArchiveName;
    std::unique_ptr<TFileStream> FStream;
    int32_t FEntryCount = 0;
    std::unordered_set<std::string> FNames; // names already stored, in capitals
    std::vector<uint8_t> FDirectory;        // the central directory, written at the end
    bool FFailed = false;
};
