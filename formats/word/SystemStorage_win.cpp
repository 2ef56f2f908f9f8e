// Word document streams read through the system's structured storage: each stream is read whole, its
// size taken from the system and never more than the file holds.
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <vector>

#include "formats/word/SystemStorage.h"

namespace {

std::wstring Wide(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(n, 1)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

class TSystemStreamSource : public TWordStreamSource {
public:
    TSystemStreamSource(IStorage* storage, uint64_t fileSize) : Storage(storage), FileSize(fileSize) {}
    ~TSystemStreamSource() override { Storage->Release(); }
    TSystemStreamSource(const TSystemStreamSource&) = delete;
    TSystemStreamSource& operator=(const TSystemStreamSource&) = delete;

    bool ReadStream(const char* name, std::vector<uint8_t>& bytes) override
    {
        IStream* stream = nullptr;
        if (FAILED(Storage->OpenStream(Wide(name).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                       &stream)) ||
            !stream)
            return false;
        STATSTG stat{};
        bool ok = SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart <= FileSize;
        if (ok) {
            bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
            size_t done = 0;
            while (ok && done < bytes.size()) {
                ULONG got = 0;
                const ULONG want = static_cast<ULONG>(std::min<size_t>(bytes.size() - done, 1 << 20));
                ok = SUCCEEDED(stream->Read(bytes.data() + done, want, &got)) && got == want;
                done += got;
            }
        }
        stream->Release();
        if (!ok)
            bytes.clear();
        return ok;
    }

private:
    IStorage* Storage;
    uint64_t FileSize;
};

} // namespace

std::unique_ptr<TWordStreamSource> OpenSystemWordStorage(const std::string& fileName)
{
    const std::wstring name = Wide(fileName);
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &attributes))
        return nullptr;
    const uint64_t size = uint64_t(attributes.nFileSizeHigh) << 32 | attributes.nFileSizeLow;
    if (StgIsStorageFile(name.c_str()) != S_OK)
        return nullptr;
    // The program keeps the file open for writing: the storage shares it, read in transacted mode.
    IStorage* storage = nullptr;
    if (FAILED(StgOpenStorage(name.c_str(), nullptr, STGM_READ | STGM_TRANSACTED | STGM_SHARE_DENY_NONE,
                              nullptr, 0, &storage)) ||
        !storage)
        return nullptr;
    return std::make_unique<TSystemStreamSource>(storage, size);
}
