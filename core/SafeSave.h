// Saving without destroying what was there: the new file is written beside the target and takes its
// place only once it is complete.
#pragma once
#include <memory>
#include <string>

#include "classlib/runtime/FileStream.h"

class TSafeSave {
public:
    // Creates the new file beside Target (raises EStreamError when it cannot be created).
    explicit TSafeSave(const std::string& target);
    // Without Commit, the new file is deleted and the target stays as it was.
    ~TSafeSave();
    TSafeSave(const TSafeSave&) = delete;
    TSafeSave& operator=(const TSafeSave&) = delete;

    TStream& Stream() { return *FStream; }
    const std::string& TempName() const { return FTempName; }
    // Writes the new file through to the disk, closes it and puts it in the target's place; false (the
    // target untouched, the new file deleted) when that fails.
    bool Commit();

private:
    std::string FTarget;
    std::string FTempName;
    std::unique_ptr<TFileStream> FStream;
    bool FDone = false;
};

// Replaces Target by Source (renaming Source); false when the system refuses.
bool ReplaceFileWith(const std::string& source, const std::string& target);
