// The resource stream: the bytes of a module's resource, read in place.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/ResourceStream.h"

TResourceStream::TResourceStream(void* module, const char* name, const char* type)
{
    HMODULE m = module ? static_cast<HMODULE>(module) : GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(m, name, type);
    HGLOBAL block = info ? LoadResource(m, info) : nullptr;
    FData = block ? static_cast<const uint8_t*>(LockResource(block)) : nullptr;
    if (!FData) {
        std::string what =
            IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
        throw EStreamError("La ressource " + what + " est introuvable.");
    }
    FSize = SizeofResource(m, info);
}

int32_t TResourceStream::Read(void* buffer, int32_t count)
{
    if (count <= 0 || FPos >= FSize)
        return 0;
    int64_t n = std::min<int64_t>(count, FSize - FPos);
    std::memcpy(buffer, FData + FPos, static_cast<size_t>(n));
    FPos += n;
    return static_cast<int32_t>(n);
}

int32_t TResourceStream::Write(const void*, int32_t)
{
    throw EStreamError("Impossible d'écrire dans une ressource.");
}

int64_t TResourceStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? FPos : FSize;
    FPos = std::max<int64_t>(0, base + offset);
    return FPos;
}
