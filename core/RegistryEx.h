// The registry store: sections are keys under the current user's hive, values are named registry
// values. Reading never creates a key; the first write into a section creates it.
#pragma once
#include "core/SettingsStorage.h"

class TRegistryEx : public TSettingsStorage {
public:
    TRegistryEx();
    ~TRegistryEx() override;
    TRegistryEx(const TRegistryEx&) = delete;
    TRegistryEx& operator=(const TRegistryEx&) = delete;

    bool SectionExists(const std::string& name) override;
    void OpenSection(const std::string& name) override;
    bool ReadBool(const std::string& name, bool def) override;
    // An absent value gives Default as it is, not clamped.
    int32_t ReadInteger(const std::string& name, int32_t min, int32_t max, int32_t def) override;
    std::string ReadString(const std::string& name, const std::string& def) override;
    // Writes raise Exception when the key cannot be created or the value set.
    void WriteBool(const std::string& name, bool value) override;
    void WriteInteger(const std::string& name, int32_t value) override;
    void WriteString(const std::string& name, const std::string& value) override;

private:
    void CloseKey();
    void OpenForWriting();
    bool ReadDWord(const std::string& name, int32_t& value);

    void* Key = nullptr;     // the current section's key, when it exists
    bool KeyWritable = false; // the key was opened or created for writing
    std::string KeyPath;     // the current section's path under the hive
};
