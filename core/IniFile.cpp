// The ini-file store: parsing a whole file into sections, and writing lines that read back unchanged.
//
// A line "name=value" holds a value; "[name]" starts a section. There are no comments and no quoting:
// a value keeps its spaces and quotes. A pair that cannot stand as such a line (a line break in it, a
// name holding "=", a line that would look like a section, or too short to count) is written as an
// encoded line: "%", then the name and the value with "%", "=", CR and LF written as "%XX".
#include "core/IniFile.h"

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Format.h"
#include "classlib/runtime/StringList.h"
#include "core/CharClasses.h"
#include "core/FileSys.h"

namespace {

// Names and section names are compared without regard to letter case, as the user's locale has it.
std::string UpperKey(const std::string& text)
{
    return AnsiUpperCase(text);
}

std::string Escape(const std::string& text)
{
    std::string out;
    for (char ch : text) {
        if (ch == '%' || ch == '=' || ch == '\r' || ch == '\n') {
            const auto c = static_cast<uint8_t>(ch);
            out += '%';
            out += HexBytes(&c, 1, true);
        } else {
            out += ch;
        }
    }
    return out;
}

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        int high, low;
        if (text[i] == '%' && i + 2 < text.size() && (high = HexDigitValue(text[i + 1])) >= 0 &&
            (low = HexDigitValue(text[i + 2])) >= 0) {
            out += static_cast<char>(high << 4 | low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool IsSectionLine(const std::string& line)
{
    return line.size() > 2 && line.front() == '[' && line.back() == ']';
}

} // namespace

TIniFile::TIniFile(const std::string& fileName, bool writing)
    : TValueStore(true), FileName(fileName), Writing(writing)
{
    if (writing)
        return;
    TStringList lines;
    try {
        lines.LoadFromFile(fileName);
    } catch (const Exception&) {
        return; // a missing or unreadable file reads as empty
    }
    Parse(lines);
}

TIniFile::~TIniFile()
{
    if (Writing && !Saved) {
        try {
            UpdateFile();
        } catch (...) {
            // A destructor cannot report; callers that must know call UpdateFile first.
        }
    }
}

void TIniFile::Parse(const TStringList& lines)
{
    TIniFileGroup* group = nullptr;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        if (line.size() <= 2 && !(line.size() == 2 && line[0] == '%'))
            continue;
        if (IsSectionLine(line)) {
            group = &Groups[UpperKey(line.substr(1, line.size() - 2))];
            continue;
        }
        if (!group)
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string name = line.substr(0, eq), value = line.substr(eq + 1);
        if (line[0] == '%') {
            name = Unescape(name.substr(1));
            value = Unescape(value);
        }
        // The same name twice in a section: the later line wins.
        group->Values[UpperKey(name)] = value;
    }
}

bool TIniFile::SectionExists(const std::string& name)
{
    return !Writing && Groups.count(UpperKey(Root + name)) > 0;
}

void TIniFile::OpenSection(const std::string& name)
{
    if (Writing) {
        if (!Lines.empty())
            Lines.emplace_back();
        Lines.push_back("[" + Root + name + "]");
        Saved = false;
        return;
    }
    auto it = Groups.find(UpperKey(Root + name));
    CurrentGroup = it == Groups.end() ? nullptr : &it->second;
}

bool TIniFile::ReadValue(const std::string& name, TStoredValue& value)
{
    if (Writing || !CurrentGroup)
        return false;
    auto it = CurrentGroup->Values.find(UpperKey(name));
    if (it == CurrentGroup->Values.end())
        return false;
    value.Text = it->second;
    return true;
}

void TIniFile::WriteValue(const std::string& name, const TStoredValue& stored)
{
    if (!Writing)
        return;
    const std::string value = stored.IsNumber ? std::to_string(stored.Number) : stored.Text;
    std::string line = name + "=" + value;
    const bool plain = name.find_first_of("=\r\n") == std::string::npos &&
                       value.find_first_of("\r\n") == std::string::npos && line.size() > 2 &&
                       line[0] != '%' && !IsSectionLine(line);
    if (!plain)
        line = "%" + Escape(name) + "=" + Escape(value);
    Lines.push_back(line);
    Saved = false;
}

void TIniFile::UpdateFile()
{
    std::string text;
    for (const std::string& line : Lines) {
        text += line;
        text += "\r\n";
    }
    FileSys::WriteWholeFile(FileName, text);
    Saved = true;
}
