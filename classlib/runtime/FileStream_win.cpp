// The file stream over the Windows file functions, with share modes.
#include <windows.h>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/FileStream.h"

TFileStream::TFileStream(const std::string& fileName, uint32_t mode) : FFileName(fileName)
{
    DWORD access, share, disposition;
    if (mode == fmCreate) {
        access = GENERIC_READ | GENERIC_WRITE;
        share = FILE_SHARE_READ;
        disposition = CREATE_ALWAYS;
    } else {
        switch (mode & 3) {
        case fmOpenWrite: access = GENERIC_WRITE; break;
        case fmOpenReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
        default: access = GENERIC_READ; break;
        }
        switch (mode & 0xF0) {
        case fmShareExclusive: share = 0; break;
        case fmShareDenyWrite: share = FILE_SHARE_READ; break;
        default: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
        }
        disposition = OPEN_EXISTING;
    }
    HANDLE h =
        CreateFileA(fileName.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw EStreamError(mode == fmCreate ? "Impossible de créer le fichier \"" + fileName + "\"."
                                            : "Impossible d'ouvrir le fichier \"" + fileName + "\".");
    FHandle = h;
}

TFileStream::~TFileStream()
{
    CloseHandle(FHandle);
}

int32_t TFileStream::Read(void* buffer, int32_t count)
{
    DWORD done = 0;
    if (count <= 0 || !ReadFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr))
        return 0;
    return static_cast<int32_t>(done);
}

int32_t TFileStream::Write(const void* buffer, int32_t count)
{
    DWORD done = 0;
    if (count <= 0 || !WriteFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr))
        return 0;
    return static_cast<int32_t>(done);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    DWORD method = origin == soBeginning ? FILE_BEGIN : origin == soCurrent ? FILE_CURRENT : FILE_END;
    if (!SetFilePointerEx(FHandle, distance, &result, method))
        throw EStreamError("Erreur de positionnement dans le fichier \"" + FFileName + "\".");
    return result.QuadPart;
}

void TFileStream::SetSize(int64_t newSize)
{
    int64_t pos = GetPosition();
    Seek(newSize, soBeginning);
    if (!SetEndOfFile(FHandle))
        throw EStreamError("Impossible de changer la taille du fichier \"" + FFileName + "\".");
    Seek(pos < newSize ? pos : newSize, soBeginning);
}

bool TFileStream::FlushToDisk()
{
    return FlushFileBuffers(FHandle) != 0;
}
