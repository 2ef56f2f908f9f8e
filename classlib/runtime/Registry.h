// The registry: one key at a time under a chosen root, string values read, written and deleted.
#pragma once
#include <string>

#include "classlib/runtime/Exceptions.h"

// Roots of the registry, by the system's numbering.
enum class TRegistryRoot : unsigned {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u
};

// Paths are given without a leading backslash or with one ("\Software\..." and "Software\..." name the
// same key). Writes raise Exception with a French message when the key cannot be made or the value set.
class TRegistry {
public:
    explicit TRegistry(TRegistryRoot root) : FRoot(root) {}
    ~TRegistry() { CloseKey(); }
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Opens a key for reading and writing, making it (and its parents) when asked; false when it does
    // not exist and was not to be made.
    bool OpenKey(const std::string& path, bool canCreate);
    // Opens a key for reading only.
    bool OpenKeyReadOnly(const std::string& path);
    void CloseKey();
    bool KeyExists(const std::string& path);
    // Deletes a key with everything below it; false when it could not be deleted.
    bool DeleteKey(const std::string& path);

    bool ValueExists(const std::string& name);
    // The string value of the open key; empty when it is absent or not a string.
    std::string ReadString(const std::string& name);
    void WriteString(const std::string& name, const std::string& value);
    bool DeleteValue(const std::string& name);

private:
    TRegistryRoot FRoot;
    void* FKey = nullptr;
    std::string FPath;
};
