// The registry store: sections are keys under the current user's hive, values are named registry
// values. Reading never creates a key; the first write into a section creates it.
#pragma once
#include "core/SettingsStorage.h"

class TRegistryEx : public TValueStore {
public:
    TRegistryEx();
    ~TRegistryEx() override;
    TRegistryEx(const TRegistryEx&) = delete;
    TRegistryEx& operator=(const TRegistryEx&) = delete;

    bool SectionExists(const std::string& name) override;
    void OpenSection(const std::string& name) override;

protected:
    // Booleans and integers are registry integers, strings registry strings. Writes raise Exception
    // when the key cannot be created or the value set.
    bool ReadValue(const std::string& name, TStoredValue& value) override;
    void WriteValue(const std::string& name, const TStoredValue& value) override;

private:
    void CloseKey();
    void OpenForWriting();

    void* Key = nullptr;      // the current section's key, when it exists
    bool KeyWritable = false; // the key was opened or created for writing
    std::string KeyPath;      // the current section's path under the hive
};
