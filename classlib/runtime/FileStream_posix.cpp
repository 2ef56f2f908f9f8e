// The host's file stream over the C runtime (the Windows one calls the system directly).
#include "classlib/runtime/FileStream.h"

#include <cstdio>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "classlib/runtime/Exceptions.h"

namespace {

FILE* File(void* handle)
{
    return static_cast<FILE*>(handle);
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, uint32_t mode) : FFileName(fileName)
{
    const char* how;
    if (mode == fmCreate)
        how = "w+b";
    else if ((mode & 3) == fmOpenRead)
        how = "rb";
    else
        how = "r+b";
    FHandle = std::fopen(fileName.c_str(), how);
    struct stat st;
    if (FHandle && (fstat(fileno(File(FHandle)), &st) != 0 || S_ISDIR(st.st_mode))) {
        std::fclose(File(FHandle));
        FHandle = nullptr;
    }
    if (!FHandle)
        throw EStreamError(mode == fmCreate ? "Impossible de créer le fichier \"" + fileName + "\"."
                                            : "Impossible d'ouvrir le fichier \"" + fileName + "\".");
}

TFileStream::~TFileStream()
{
    std::fclose(File(FHandle));
}

int32_t TFileStream::Read(void* buffer, int32_t count)
{
    if (count <= 0)
        return 0;
    std::fseek(File(FHandle), 0, SEEK_CUR); // a read may follow a write
    return static_cast<int32_t>(std::fread(buffer, 1, static_cast<size_t>(count), File(FHandle)));
}

int32_t TFileStream::Write(const void* buffer, int32_t count)
{
    if (count <= 0)
        return 0;
    std::fseek(File(FHandle), 0, SEEK_CUR); // a write may follow a read
    return static_cast<int32_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), File(FHandle)));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    if (fseeko(File(FHandle), static_cast<off_t>(offset), whence) != 0)
        throw EStreamError("Erreur de positionnement dans le fichier \"" + FFileName + "\".");
    return static_cast<int64_t>(ftello(File(FHandle)));
}

void TFileStream::SetSize(int64_t newSize)
{
    int64_t pos = GetPosition();
    std::fflush(File(FHandle));
    if (ftruncate(fileno(File(FHandle)), static_cast<off_t>(newSize)) != 0)
        throw EStreamError("Impossible de changer la taille du fichier \"" + FFileName + "\".");
    Seek(pos < newSize ? pos : newSize, soBeginning);
}

bool TFileStream::FlushToDisk()
{
    return std::fflush(File(FHandle)) == 0 && fsync(fileno(File(FHandle))) == 0;
}
