// A history list of file or folder names, most recent first, kept in a settings section.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/SettingsStorage.h"

class TFileList {
public:
    enum TKind : uint8_t { flFiles = 0, flFolders = 1 };
    // At most this many entries are stored (values "A" to "^").
    static constexpr int MaxStored = 30;

    explicit TFileList(TKind kind) : Kind(kind) {}

    // Reads the list from the section the caller opened.
    void Load(TSettingsStorage& store);
    // Writes the list (its first MaxStored entries) into the section the caller opened.
    void Save(TSettingsStorage& store);
    // Puts the name at the front (moving it when listed), keeping the history length ("DocsToKeep").
    void Add(const std::string& name);
    // Drops entries from the end until at most n are left.
    void TrimTo(int n);
    // Drops files (or folders) that no longer exist; folders on removable drives are kept untested.
    void RemoveMissing();

    const TKind Kind;
    std::vector<std::string> Names;
    bool Locked = false; // folder lists only: Add and TrimTo leave the list alone
};
