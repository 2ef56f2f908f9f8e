// The registry over the system's ANSI registry calls.
#include "classlib/runtime/Registry.h"

#include <windows.h>

#include <vector>

namespace {

std::string Relative(const std::string& path)
{
    size_t start = path.find_first_not_of('\\');
    return start == std::string::npos ? std::string() : path.substr(start);
}

HKEY RootKey(TRegistryRoot root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<unsigned>(root)));
}

// Deletes the subkeys of an open key, depth first, then the key itself.
bool DeleteTree(HKEY parent, const std::string& name)
{
    HKEY key;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return false;
    for (;;) {
        char sub[256];
        DWORD len = sizeof(sub);
        if (RegEnumKeyExA(key, 0, sub, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (!DeleteTree(key, sub))
            break;
    }
    RegCloseKey(key);
    return RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

} // namespace

bool TRegistry::OpenKey(const std::string& path, bool canCreate)
{
    CloseKey();
    HKEY key = nullptr;
    std::string rel = Relative(path);
    LONG rc = canCreate ? RegCreateKeyExA(RootKey(FRoot), rel.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                          nullptr, &key, nullptr)
                        : RegOpenKeyExA(RootKey(FRoot), rel.c_str(), 0, KEY_READ | KEY_WRITE, &key);
    if (rc != ERROR_SUCCESS) {
        if (canCreate)
            throw Exception("Impossible de créer la clé de registre \"" + rel + "\".");
        return false;
    }
    FKey = key;
    FPath = rel;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& path)
{
    CloseKey();
    HKEY key = nullptr;
    std::string rel = Relative(path);
    if (RegOpenKeyExA(RootKey(FRoot), rel.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    FKey = key;
    FPath = rel;
    return true;
}

void TRegistry::CloseKey()
{
    if (FKey)
        RegCloseKey(static_cast<HKEY>(FKey));
    FKey = nullptr;
}

bool TRegistry::KeyExists(const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(RootKey(FRoot), Relative(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool TRegistry::DeleteKey(const std::string& path)
{
    return DeleteTree(RootKey(FRoot), Relative(path));
}

bool TRegistry::ValueExists(const std::string& name)
{
    return FKey && RegQueryValueExA(static_cast<HKEY>(FKey), name.c_str(), nullptr, nullptr, nullptr,
                                    nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name)
{
    if (!FKey)
        return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(static_cast<HKEY>(FKey), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(static_cast<HKEY>(FKey), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return {};
    return std::string(buffer.data());
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    if (!FKey || RegSetValueExA(static_cast<HKEY>(FKey), name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
        throw Exception("Impossible d'écrire la valeur de registre \"" + name + "\" de la clé \"" + FPath +
                        "\".");
}

bool TRegistry::DeleteValue(const std::string& name)
{
    return FKey && RegDeleteValueA(static_cast<HKEY>(FKey), name.c_str()) == ERROR_SUCCESS;
}
