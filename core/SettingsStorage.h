// The abstract settings store: sections of named booleans, integers and strings, with long texts and
// binary blocks built on them. The base class itself stores nothing and answers every read with its
// default.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TSettingsStorage {
public:
    virtual ~TSettingsStorage() = default;

    // Put in front of every section name given to OpenSection and SectionExists.
    std::string Root;

    virtual bool SectionExists(const std::string& name);
    // Selects the section that later reads and writes address.
    virtual void OpenSection(const std::string& name);
    virtual bool ReadBool(const std::string& name, bool def);
    // The stored integer clamped to Min..Max (what an absent value gives depends on the store).
    virtual int32_t ReadInteger(const std::string& name, int32_t min, int32_t max, int32_t def);
    virtual std::string ReadString(const std::string& name, const std::string& def);
    virtual void WriteBool(const std::string& name, bool value);
    virtual void WriteInteger(const std::string& name, int32_t value);
    virtual void WriteString(const std::string& name, const std::string& value);

    // A text of any length, as "Count" and pieces "0", "1", ... in a section of its own.
    void WriteLongString(const std::string& section, const std::string& text);
    // The text written by WriteLongString; Default when the section holds no "Count".
    std::string ReadLongString(const std::string& section, const std::string& def);
    // A block of bytes as lower-case hexadecimal text, through WriteLongString.
    void WriteBinary(const std::string& section, const void* data, size_t size);
    // The block written by WriteBinary (empty when none); bytes after the first pair that is not
    // hexadecimal read as zeros.
    std::vector<uint8_t> ReadBinary(const std::string& section);
};

// One value as a store keeps it: a number or a text.
struct TStoredValue {
    bool IsNumber = false;
    int32_t Number = 0;
    std::string Text;
};

// The common base of the stores that keep values (registry and ini file): the typed reads and writes
// over one read and one write of a stored value. A store that keeps numbers as text reads a boolean as
// true exactly for "1", reads an integer from its decimal text and clamps an absent integer's default
// too; the other kind reads booleans and integers only from numbers and returns absent defaults as
// they are.
class TValueStore : public TSettingsStorage {
public:
    bool ReadBool(const std::string& name, bool def) override;
    int32_t ReadInteger(const std::string& name, int32_t min, int32_t max, int32_t def) override;
    std::string ReadString(const std::string& name, const std::string& def) override;
    void WriteBool(const std::string& name, bool value) override;
    void WriteInteger(const std::string& name, int32_t value) override;
    void WriteString(const std::string& name, const std::string& value) override;

protected:
    explicit TValueStore(bool numbersAsText) : NumbersAsText(numbersAsText) {}
    // The value Name of the current section; false when the store holds none it can read.
    virtual bool ReadValue(const std::string& name, TStoredValue& value) = 0;
    virtual void WriteValue(const std::string& name, const TStoredValue& value) = 0;

    const bool NumbersAsText;
};

// The integer clamped to Min..Max (below Min gives Min, then above Max gives Max).
inline int32_t ClampSetting(int32_t value, int32_t min, int32_t max)
{
    if (value < min)
        value = min;
    if (value > max)
        value = max;
    return value;
}
