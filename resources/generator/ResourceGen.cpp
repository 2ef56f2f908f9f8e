// The host-side generator that turns the text sources of the program's tables into binary resources.
//
// Usage: qpresgen <kind> <source.txt> <output.bin>
//
// Sources are UTF-8 text; the tables hold Windows-1252 bytes. Lines starting with "#" and empty lines
// are ignored. Kinds:
//   packed  a packed string table: one "<id><TAB><text>" line per string, ids ascending. Output: a 32-bit
//           count N, the N ids, N entries (bits 0-7 the text's length, bits 8-31 its offset from the start
//           of the table), then the texts without terminators; all values little-endian.
//   captions, hints  the two packed tables of one command source: one
//           "<id><TAB><caption><TAB><hint>" line per command, ids ascending, the caption empty for a
//           command without one. "captions" packs the non-empty captions, "hints" every hint.
//   menu    a menu ("_MENU" resource): one "<caption><TAB><command>" line per item, indented by one tab
//           per level below the top. Output: per item its caption's length, the caption and the
//           command (32-bit); 0xFE before an item's sub-items and 0xFF after each level.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "codecs/CodePages.h"

namespace {

struct TSourceLine {
    int Number;
    std::string Text;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what)
{
    throw std::runtime_error(where + ": " + what);
}

// Windows-1252 byte of a Unicode code point, or -1 when the code page has none (the control characters
// 0x80 to 0x9F have none here: a table's text never holds them).
int Cp1252Byte(uint32_t cp)
{
    return cp >= 0x80 && cp < 0xA0 ? -1 : UnicodeToAnsi(cp);
}

// The UTF-8 text in Windows-1252 bytes.
std::string ToCp1252(const std::string& utf8, const std::string& where)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        uint32_t cp;
        size_t len;
        if (c < 0x80) {
            cp = c;
            len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            len = 4;
        } else {
            Fail(where, "invalid UTF-8");
        }
        if (i + len > utf8.size())
            Fail(where, "truncated UTF-8 sequence");
        for (size_t k = 1; k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(utf8[i + k]);
            if ((cc & 0xC0) != 0x80)
                Fail(where, "invalid UTF-8");
            cp = (cp << 6) | (cc & 0x3F);
        }
        int b = Cp1252Byte(cp);
        if (b < 0)
            Fail(where, "character U+" + std::to_string(cp) + " has no Windows-1252 byte");
        out += static_cast<char>(b);
        i += len;
    }
    return out;
}

std::vector<TSourceLine> ReadSource(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail(path, "cannot open");
    std::vector<TSourceLine> lines;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        lines.push_back({number, line});
    }
    return lines;
}

void PutU32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Column 0 is the whole text after the id; columns 1 and 2 split it at its one tab.
std::string MakePackedColumn(const std::string& path, int column)
{
    std::vector<int32_t> ids;
    std::vector<std::string> texts;
    for (const TSourceLine& l : ReadSource(path)) {
        std::string where = path + ":" + std::to_string(l.Number);
        size_t tab = l.Text.find('\t');
        if (tab == std::string::npos || tab == 0)
            Fail(where, "expected <id><TAB><text>");
        std::string rest = l.Text.substr(tab + 1);
        if (column != 0) {
            size_t second = rest.find('\t');
            if (second == std::string::npos || rest.find('\t', second + 1) != std::string::npos)
                Fail(where, "expected <id><TAB><caption><TAB><hint>");
            if (second + 1 == rest.size())
                Fail(where, "every command needs a hint");
            rest = column == 1 ? rest.substr(0, second) : rest.substr(second + 1);
            if (rest.empty())
                continue; // a command without a caption
        }
        std::string idText = l.Text.substr(0, tab);
        char* end = nullptr;
        long long id = std::strtoll(idText.c_str(), &end, 10);
        if (*end != '\0' || id < INT32_MIN || id > INT32_MAX)
            Fail(where, "bad id \"" + idText + "\"");
        if (!ids.empty() && id <= ids.back())
            Fail(where, "ids must be ascending and distinct");
        std::string text = ToCp1252(rest, where);
        if (text.size() > 255)
            Fail(where, "text longer than 255 bytes");
        ids.push_back(static_cast<int32_t>(id));
        texts.push_back(text);
    }
    std::string out;
    uint64_t offset = 4 + 8 * static_cast<uint64_t>(ids.size());
    PutU32(out, static_cast<uint32_t>(ids.size()));
    for (int32_t id : ids)
        PutU32(out, static_cast<uint32_t>(id));
    for (const std::string& t : texts) {
        if (offset + t.size() > 0xFFFFFF)
            Fail(path, "table larger than 16 MB");
        PutU32(out, static_cast<uint32_t>(t.size()) | static_cast<uint32_t>(offset << 8));
        offset += t.size();
    }
    for (const std::string& t : texts)
        out += t;
    return out;
}

std::string MakePacked(const std::string& path)
{
    return MakePackedColumn(path, 0);
}

std::string MakeCaptions(const std::string& path)
{
    return MakePackedColumn(path, 1);
}

std::string MakeHints(const std::string& path)
{
    return MakePackedColumn(path, 2);
}

std::string MakeMenu(const std::string& path)
{
    std::string out;
    int depth = 0;
    bool first = true;
    for (const TSourceLine& l : ReadSource(path)) {
        std::string where = path + ":" + std::to_string(l.Number);
        size_t level = l.Text.find_first_not_of('\t');
        size_t tab = l.Text.rfind('\t');
        if (level == std::string::npos || tab == std::string::npos || tab < level)
            Fail(where, "expected <caption><TAB><command>");
        if (static_cast<int>(level) > depth + 1 || (first && level > 0))
            Fail(where, "an item may be at most one level below the one before");
        if (static_cast<int>(level) == depth + 1)
            out += static_cast<char>(0xFE);
        for (int d = depth; d > static_cast<int>(level); --d)
            out += static_cast<char>(0xFF);
        depth = static_cast<int>(level);
        first = false;
        std::string caption = ToCp1252(l.Text.substr(level, tab - level), where);
        if (caption.size() > 253)
            Fail(where, "caption longer than 253 bytes");
        char* end = nullptr;
        unsigned long long command = std::strtoull(l.Text.c_str() + tab + 1, &end, 10);
        if (*end != '\0' || command > UINT32_MAX)
            Fail(where, "bad command number");
        out += static_cast<char>(caption.size());
        out += caption;
        PutU32(out, static_cast<uint32_t>(command));
    }
    for (; depth > 0; --depth)
        out += static_cast<char>(0xFF);
    out += static_cast<char>(0xFF);
    return out;
}

struct TKind {
    const char* Name;
    std::string (*Make)(const std::string& source);
};

const TKind Kinds[] = {
    {"packed", MakePacked},
    {"captions", MakeCaptions},
    {"hints", MakeHints},
    {"menu", MakeMenu},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: qpresgen <kind> <source.txt> <output.bin>\n";
        return 2;
    }
    const std::string kind = argv[1];
    try {
        for (const TKind& k : Kinds) {
            if (kind != k.Name)
                continue;
            std::string data = k.Make(argv[2]);
            std::string tmp = std::string(argv[3]) + ".tmp";
            {
                std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
                out.write(data.data(), static_cast<std::streamsize>(data.size()));
                if (!out)
                    Fail(tmp, "cannot write");
            }
            if (std::rename(tmp.c_str(), argv[3]) != 0)
                Fail(argv[3], "cannot write");
            return 0;
        }
        std::cerr << "qpresgen: unknown kind \"" << kind << "\"\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "qpresgen: " << e.what() << "\n";
        return 1;
    }
}
