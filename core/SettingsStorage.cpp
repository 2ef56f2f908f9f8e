// The base settings store and the long-text and binary helpers shared by every store.
#include "core/SettingsStorage.h"

#include <algorithm>
#include <climits>

#include "classlib/runtime/Format.h"
#include "core/CharClasses.h"

bool TSettingsStorage::SectionExists(const std::string&)
{
    return false;
}

void TSettingsStorage::OpenSection(const std::string&) {}

bool TSettingsStorage::ReadBool(const std::string&, bool def)
{
    return def;
}

int32_t TSettingsStorage::ReadInteger(const std::string&, int32_t, int32_t, int32_t def)
{
    return def;
}

std::string TSettingsStorage::ReadString(const std::string&, const std::string& def)
{
    return def;
}

void TSettingsStorage::WriteBool(const std::string&, bool) {}
void TSettingsStorage::WriteInteger(const std::string&, int32_t) {}
void TSettingsStorage::WriteString(const std::string&, const std::string&) {}

bool TValueStore::ReadBool(const std::string& name, bool def)
{
    TStoredValue value;
    if (!ReadValue(name, value))
        return def;
    if (value.IsNumber)
        return value.Number != 0;
    return NumbersAsText ? value.Text == "1" : def;
}

int32_t TValueStore::ReadInteger(const std::string& name, int32_t min, int32_t max, int32_t def)
{
    TStoredValue value;
    if (ReadValue(name, value) && value.IsNumber)
        return ClampSetting(value.Number, min, max);
    if (!NumbersAsText)
        return def;
    return ClampSetting(StrToIntDef(value.Text, def), min, max); // an absent value's text is empty
}

std::string TValueStore::ReadString(const std::string& name, const std::string& def)
{
    TStoredValue value;
    return ReadValue(name, value) && !value.IsNumber ? value.Text : def;
}

void TValueStore::WriteBool(const std::string& name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

void TValueStore::WriteInteger(const std::string& name, int32_t value)
{
    WriteValue(name, TStoredValue{true, value, std::string()});
}

void TValueStore::WriteString(const std::string& name, const std::string& value)
{
    WriteValue(name, TStoredValue{false, 0, value});
}

namespace {

constexpr size_t PieceLength = 512;

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

void TSettingsStorage::WriteLongString(const std::string& section, const std::string& text)
{
    OpenSection(section);
    const int32_t count = static_cast<int32_t>((text.size() + PieceLength - 1) / PieceLength);
    WriteInteger("Count", count);
    // A piece never ends with, nor is followed by, a blank or control character unless the text ends
    // there: such pieces run on past 512 characters.
    int32_t index = 0;
    size_t p = 0;
    while (p < text.size()) {
        size_t end = std::min(text.size(), p + PieceLength);
        while (end < text.size() && (IsBlankOrControl(text[end]) || IsBlankOrControl(text[end - 1])))
            ++end;
        WriteString(std::to_string(index++), text.substr(p, end - p));
        p = end;
    }
    // Fewer pieces than "Count": the rest are written empty, so that pieces of an earlier, longer
    // text left in the store are not read back as part of this one.
    while (index < count)
        WriteString(std::to_string(index++), "");
}

std::string TSettingsStorage::ReadLongString(const std::string& section, const std::string& def)
{
    OpenSection(section);
    const int32_t n = ReadInteger("Count", -1, INT32_MAX, -1);
    if (n == -1)
        return def;
    // Missing pieces read as empty; the pieces end at the first one missing, so that a damaged
    // "Count" cannot keep the reader asking for two thousand million absent values.
    const std::string absent(1, '\0');
    std::string text;
    for (int32_t i = 0; i < n; ++i) {
        const std::string piece = ReadString(std::to_string(i), absent);
        if (piece == absent)
            break;
        text += piece;
    }
    return text;
}

void TSettingsStorage::WriteBinary(const std::string& section, const void* data, size_t size)
{
    WriteLongString(section, HexBytes(static_cast<const uint8_t*>(data), size, false));
}

std::vector<uint8_t> TSettingsStorage::ReadBinary(const std::string& section)
{
    const std::string text = ReadLongString(section, "");
    std::vector<uint8_t> block(text.size() / 2, 0);
    for (size_t i = 0; i < block.size(); ++i) {
        int high = HexDigitValue(text[2 * i]), low = HexDigitValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            break;
        block[i] = static_cast<uint8_t>(high << 4 | low);
    }
    return block;
}
