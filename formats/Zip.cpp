// The zip archive writer: local headers, raw deflate data and the central directory, little-endian.
#include "formats/Zip.h"

#include <zlib.h>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/DateTime.h"
#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/Messages.h"
#include "core/PathUtils.h"
#include "document/DocumentHost.h"
#include "codecs/CodePages.h"
#include "codecs/Zlib.h"

namespace {

constexpr uint32_t LocalHeaderSignature = 0x04034B50;
constexpr uint32_t CentralSignature = 0x02014B50;
constexpr uint32_t EndSignature = 0x06054B50;
constexpr uint16_t VersionNeeded = 20;
constexpr uint16_t MethodDeflate = 8;
constexpr int DeflateLevel = 9;
constexpr size_t BufferSize = 16384;

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The general-purpose flags that tell the deflate level.
uint16_t LevelFlags(int level)
{
    return level == 1 ? 6 : level == 2 ? 4 : level >= 8 ? 2 : 0;
}

// The file's last write, local time, as DOS time (low word) and date (high word).
uint32_t DosDateTime(const std::string& path)
{
    int year, month, day, hour, minute, second, ms;
    const double when = GetFileModificationTime(path);
    DecodeDate(when, year, month, day);
    DecodeTime(when, hour, minute, second, ms);
    year = std::clamp(year, 1980, 2107);
    const uint32_t time = uint32_t(hour << 11 | minute << 5 | second / 2);
    const uint32_t date = uint32_t((year - 1980) << 9 | month << 5 | day);
    return date << 16 | time;
}

} // namespace

TZipFile::TZipFile() = default;

TZipFile::~TZipFile()
{
    try {
        Close();
    } catch (...) {
        // A destructor cannot report; callers that must know call Close themselves.
    }
}

void TZipFile::Open(const std::string& archiveName)
{
    FArchiveName = archiveName;
    FEntryCount = 0;
    FNames.clear();
    FDirectory.clear();
    FFailed = false;
    FStream = std::make_unique<TFileStream>(archiveName, fmCreate);
}

void TZipFile::WriteBytes(const void* data, size_t size)
{
    if (FStream->Write(data, int32_t(size)) != int32_t(size)) {
        FFailed = true;
        throw EStreamError(
            Format("Impossible d'écrire le fichier \"%s\". Le disque est peut-être plein.", FArchiveName));
    }
}

std::string TZipFile::StoredName(const std::string& path)
{
    const std::string name = ExtractFileName(path);
    // Names are told apart without regard to case, as the system's file names are.
    auto taken = [&](const std::string& n) { return FNames.count(AnsiUpperCase(n)) != 0; };
    std::string stored = name;
    if (taken(stored)) {
        const std::string ext = ExtractFileExt(name);
        const std::string base = name.substr(0, name.size() - ext.size());
        for (int n = 2; taken(stored); ++n)
            stored = Format("%s (%d)%s", base, n, ext);
    }
    FNames.insert(AnsiUpperCase(stored));
    AnsiToOemBuffer(reinterpret_cast<uint8_t*>(stored.data()), int32_t(stored.size()));
    return stored;
}

bool TZipFile::AddFile(const std::string& path)
{
    if (!FStream)
        return false;
    if (FEntryCount >= MaxEntries) {
        MessageDlgEx(Format("L'archive \"%s\" ne peut pas contenir plus de 65 535 fichiers.", FArchiveName),
                     1, 4);
        return false;
    }
    std::unique_ptr<TFileStream> source;
    try {
        source = std::make_unique<TFileStream>(path, fmOpenRead | fmShareDenyNone);
    } catch (const Exception&) {
        FFailed = true;
        MessageDlgEx(Format("Impossible d'ouvrir le fichier \"%s\".", path), 1, 4);
        return false;
    }
    const int64_t size = source->Seek(0, soEnd);
    source->Seek(0, soBeginning);
    const int64_t offset = FStream->Seek(0, soCurrent);
    // Without the 64-bit extensions neither a size nor an offset may pass 4 GB; deflate may grow data a
    // little, so a file that nearly fills the limit is refused too.
    if (size > MaxSize - (size >> 8) - 1024 || offset + size + (size >> 8) + 1024 > MaxSize) {
        MessageDlgEx(Format("Le fichier \"%s\" est trop volumineux pour une archive zip.", path), 1, 4);
        return false;
    }
    const uint32_t dosTime = DosDateTime(path);
    const std::string stored = StoredName(path);
    const uint16_t flags = LevelFlags(DeflateLevel);

    std::vector<uint8_t> header;
    Put32(header, LocalHeaderSignature);
    Put16(header, VersionNeeded);
    Put16(header, flags);
    Put16(header, MethodDeflate);
    Put32(header, dosTime);
    Put32(header, 0); // CRC-32 and sizes, patched after the data
    Put32(header, 0);
    Put32(header, 0);
    Put16(header, uint32_t(stored.size()));
    Put16(header, 0);
    header.insert(header.end(), stored.begin(), stored.end());
    WriteBytes(header.data(), header.size());

    z_stream z{};
    if (deflateInit2(&z, DeflateLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw EOutOfMemory();
    struct TDeflateEnd {
        z_stream& Z;
        ~TDeflateEnd() { deflateEnd(&Z); }
    } deflateEnd{z};
    std::vector<uint8_t> in(BufferSize), out(BufferSize);
    uint32_t crc = 0xFFFFFFFF;
    uint64_t packed = 0, total = 0;
    auto drain = [&](int flush) {
        int status;
        do {
            z.next_out = out.data();
            z.avail_out = uInt(out.size());
            status = deflate(&z, flush);
            if (status == Z_STREAM_ERROR)
                throw EStreamError(Format("Impossible de compresser le fichier \"%s\".", path));
            const size_t produced = out.size() - z.avail_out;
            WriteBytes(out.data(), produced);
            packed += produced;
        } while (z.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
    };
    DocumentHost().BeginProgress(size, "Compression du document \"%s\" ...", path);
    try {
        for (;;) {
            const int32_t n = source->Read(in.data(), int32_t(in.size()));
            if (n <= 0)
                break;
            crc = UpdateCrc32(crc, in.data(), size_t(n));
            total += uint64_t(n);
            z.next_in = in.data();
            z.avail_in = uInt(n);
            drain(Z_NO_FLUSH);
            DocumentHost().StepProgress(int64_t(total));
        }
        z.next_in = nullptr;
        z.avail_in = 0;
        drain(Z_FINISH);
    } catch (...) {
        FFailed = true;
        DocumentHost().EndProgress(false);
        throw;
    }
    DocumentHost().EndProgress(true);
    crc ^= 0xFFFFFFFF;
    if (packed > uint64_t(MaxSize) || total > uint64_t(MaxSize)) {
        FFailed = true;
        MessageDlgEx(Format("Le fichier \"%s\" est trop volumineux pour une archive zip.", path), 1, 4);
        return false;
    }

    // The header's CRC and sizes, then back to the end.
    std::vector<uint8_t> patch;
    Put32(patch, crc);
    Put32(patch, uint32_t(packed));
    Put32(patch, uint32_t(total));
    FStream->Seek(offset + 14, soBeginning);
    WriteBytes(patch.data(), patch.size());
    FStream->Seek(0, soEnd);

    Put32(FDirectory, CentralSignature);
    Put16(FDirectory, 0); // version made by
    Put16(FDirectory, VersionNeeded);
    Put16(FDirectory, flags);
    Put16(FDirectory, MethodDeflate);
    Put32(FDirectory, dosTime);
    Put32(FDirectory, crc);
    Put32(FDirectory, uint32_t(packed));
    Put32(FDirectory, uint32_t(total));
    Put16(FDirectory, uint32_t(stored.size()));
    Put16(FDirectory, 0); // extra, comment, disk, internal and external attributes
    Put16(FDirectory, 0);
    Put16(FDirectory, 0);
    Put16(FDirectory, 0);
    Put32(FDirectory, 0);
    Put32(FDirectory, uint32_t(offset));
    FDirectory.insert(FDirectory.end(), stored.begin(), stored.end());
    ++FEntryCount;
    return true;
}

void TZipFile::Close()
{
    if (!FStream)
        return;
    try {
        if (!FFailed) {
            const int64_t offset = FStream->Seek(0, soCurrent);
            WriteBytes(FDirectory.data(), FDirectory.size());
            std::vector<uint8_t> end;
            Put32(end, EndSignature);
            Put16(end, 0);
            Put16(end, 0);
            Put16(end, uint32_t(FEntryCount));
            Put16(end, uint32_t(FEntryCount));
            Put32(end, uint32_t(FDirectory.size()));
            Put32(end, uint32_t(offset));
            Put16(end, 0);
            WriteBytes(end.data(), end.size());
        }
    } catch (...) {
        FStream.reset();
        DeleteFile(FArchiveName);
        throw;
    }
    FStream.reset();
    if (FFailed)
        DeleteFile(FArchiveName);
}
