// The program's own ini-file store: a reader that parses a whole file, or a writer that appends lines
// and writes the whole file at the end.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "core/SettingsStorage.h"

class TStringList;

class TIniFile : public TValueStore {
public:
    // A reader parses the file at once (a missing or unreadable file reads as empty); a writer starts
    // with no lines and writes the file when it is destroyed or by UpdateFile.
    TIniFile(const std::string& fileName, bool writing);
    ~TIniFile() override;

    bool SectionExists(const std::string& name) override;
    void OpenSection(const std::string& name) override;

    // Writer: replaces the file with the lines written so far; raises EStreamError when it cannot.
    void UpdateFile();

    const std::string FileName;
    const bool Writing;

protected:
    bool ReadValue(const std::string& name, TStoredValue& value) override;
    void WriteValue(const std::string& name, const TStoredValue& value) override;

private:
    // One section of a read file: its values by upper-cased name.
    struct TIniFileGroup {
        std::map<std::string, std::string> Values;
    };
    void Parse(const TStringList& lines);

    std::map<std::string, TIniFileGroup> Groups; // by upper-cased section name
    TIniFileGroup* CurrentGroup = nullptr;
    std::vector<std::string> Lines;
    bool Saved = false;
};
