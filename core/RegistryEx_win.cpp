// The registry store over the current user's hive (ANSI registry calls).
#include "core/RegistryEx.h"

#include <windows.h>

#include "classlib/runtime/Exceptions.h"

namespace {

// A key path as the registry calls take it: no leading or trailing backslashes.
std::string KeyPathOf(const std::string& path)
{
    size_t start = path.find_first_not_of('\\');
    if (start == std::string::npos)
        return std::string();
    size_t end = path.find_last_not_of('\\');
    return path.substr(start, end - start + 1);
}

HKEY AsKey(void* key)
{
    return static_cast<HKEY>(key);
}

} // namespace

TRegistryEx::TRegistryEx() : TValueStore(false) {}

TRegistryEx::~TRegistryEx()
{
    CloseKey();
}

void TRegistryEx::CloseKey()
{
    if (Key)
        RegCloseKey(AsKey(Key));
    Key = nullptr;
    KeyWritable = false;
}

bool TRegistryEx::SectionExists(const std::string& name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPathOf(Root + name).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void TRegistryEx::OpenSection(const std::string& name)
{
    CloseKey();
    KeyPath = KeyPathOf(Root + name);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS)
        Key = key;
}

void TRegistryEx::OpenForWriting()
{
    if (Key && KeyWritable)
        return;
    CloseKey();
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw Exception("Impossible de créer la clé \"" + KeyPath + "\" de la base de registres.");
    Key = key;
    KeyWritable = true;
}

bool TRegistryEx::ReadValue(const std::string& name, TStoredValue& value)
{
    if (!Key)
        return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(AsKey(Key), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    if (type == REG_DWORD) {
        DWORD data = 0;
        size = sizeof(data);
        if (RegQueryValueExA(AsKey(Key), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                             &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof(data))
            return false;
        value.IsNumber = true;
        value.Number = static_cast<int32_t>(data);
        return true;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    std::string data(size, '\0');
    if (size > 0 && RegQueryValueExA(AsKey(Key), name.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    if (!data.empty() && data.back() == '\0')
        data.pop_back();
    value.Text = data;
    return true;
}

void TRegistryEx::WriteValue(const std::string& name, const TStoredValue& value)
{
    OpenForWriting();
    const DWORD number = static_cast<DWORD>(value.Number);
    const LONG result = value.IsNumber
                            ? RegSetValueExA(AsKey(Key), name.c_str(), 0, REG_DWORD,
                                             reinterpret_cast<const BYTE*>(&number), sizeof(number))
                            : RegSetValueExA(AsKey(Key), name.c_str(), 0, REG_SZ,
                                             reinterpret_cast<const BYTE*>(value.Text.c_str()),
                                             static_cast<DWORD>(value.Text.size() + 1));
    if (result != ERROR_SUCCESS)
        throw Exception("Impossible d'enregistrer la valeur \"" + name + "\" dans la base de registres.");
}
