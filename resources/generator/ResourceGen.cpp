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
//   lines   a text of lines (the tips): each line in Windows-1252 followed by a CR.
//   hotkeys the shortcut table: one "<command><TAB><shortcut>" line per row (see tables/HotKeys.txt).
//           Output: the N key codes, then the N commands (32-bit each).
//   images, grayimages, imagecommands
//           pictures drawn as text: a "palette" block of "<character> <RRGGBB>" lines (the first colour
//           is the transparent one), then "image <command>" blocks of equal rows of palette characters.
//           "images" writes the pictures side by side as a 24-bit Windows bitmap file, "grayimages" the
//           same pictures greyed (as disabled buttons show them), "imagecommands" the commands (32-bit
//           each, in the order of the pictures, which must be ascending).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
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

// The virtual-key code of one key name of the shortcut table; -1 for none.
int VirtualKeyOfName(const std::string& name)
{
    static const std::pair<const char*, int> named[] = {
        {"Enter", 13},    {"Tab", 9},       {"Space", 32}, {"Del", 46},    {"Ins", 45},
        {"Backspace", 8}, {"Esc", 27},      {"Left", 37},  {"Up", 38},     {"Right", 39},
        {"Down", 40},     {"Clear", 12},    {"Num/", 111}, {"Num*", 106},  {"Num-", 109},
        {"Num+", 107},    {"OemPlus", 187}, {"Oem4", 219}, {"Oem102", 226}};
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return name[0];
    if (name.size() >= 2 && name[0] == 'F' && name.find_first_not_of("0123456789", 1) == std::string::npos) {
        const int n = std::atoi(name.c_str() + 1);
        return n >= 1 && n <= 24 ? 0x6F + n : -1;
    }
    if (name.size() >= 2 && name[0] == '#' && name.find_first_not_of("0123456789", 1) == std::string::npos) {
        const int n = std::atoi(name.c_str() + 1);
        return n >= 1 && n <= 254 ? n : -1;
    }
    for (const auto& [text, key] : named)
        if (name == text)
            return key;
    return -1;
}

// The key code of a shortcut text: byte 0 the shift keys (1 Shift, 2 Alt, 4 Ctrl), byte 1 the key,
// byte 2 the second stroke's key.
uint32_t KeyCodeOfText(const std::string& text, const std::string& where)
{
    std::string first = text, second;
    const size_t comma = text.find(", ");
    if (comma != std::string::npos) {
        first = text.substr(0, comma);
        second = text.substr(comma + 2);
    }
    uint32_t shift = 0;
    static const std::pair<const char*, uint32_t> modifiers[] = {{"Ctrl+", 4}, {"Shift+", 1}, {"Alt+", 2}};
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, bit] : modifiers) {
            const size_t len = std::char_traits<char>::length(prefix);
            if (first.size() > len && first.compare(0, len, prefix) == 0) {
                shift |= bit;
                first.erase(0, len);
                found = true;
            }
        }
    }
    const int key = VirtualKeyOfName(first);
    const int key2 = second.empty() ? 0 : VirtualKeyOfName(second);
    if (key < 0 || key2 < 0)
        Fail(where, "unknown key in \"" + text + "\"");
    return shift | static_cast<uint32_t>(key) << 8 | static_cast<uint32_t>(key2) << 16;
}

std::string MakeHotKeys(const std::string& path)
{
    std::vector<uint32_t> keys, commands;
    for (const TSourceLine& l : ReadSource(path)) {
        std::string where = path + ":" + std::to_string(l.Number);
        const size_t tab = l.Text.find('\t');
        if (tab == std::string::npos || tab == 0)
            Fail(where, "expected <command><TAB><shortcut>");
        char* end = nullptr;
        const unsigned long long command = std::strtoull(l.Text.c_str(), &end, 10);
        if (end != l.Text.c_str() + tab || command > INT32_MAX)
            Fail(where, "bad command number");
        if (!commands.empty() && command < commands.back())
            Fail(where, "commands must be ascending");
        const uint32_t key = KeyCodeOfText(l.Text.substr(tab + 1), where);
        for (uint32_t k : keys)
            if (k == key)
                Fail(where, "shortcut given twice");
        keys.push_back(key);
        commands.push_back(static_cast<uint32_t>(command));
    }
    std::string out;
    for (uint32_t k : keys)
        PutU32(out, k);
    for (uint32_t c : commands)
        PutU32(out, c);
    return out;
}

// Pictures drawn as text: their commands and their pixels as 0xRRGGBB.
struct TTextImages {
    int Width = 0, Height = 0;
    uint32_t Transparent = 0;
    std::vector<uint32_t> Commands;
    std::vector<std::vector<uint32_t>> Pixels; // one per picture, row after row from the top
};

TTextImages ReadTextImages(const std::string& path)
{
    TTextImages images;
    std::map<char, uint32_t> palette;
    bool inPalette = false;
    std::vector<std::string> rows;
    std::string rowsWhere;
    auto finish = [&]() {
        if (images.Commands.size() == images.Pixels.size())
            return;
        if (rows.empty())
            Fail(rowsWhere, "a picture without rows");
        if (images.Width == 0) {
            images.Width = static_cast<int>(rows[0].size());
            images.Height = static_cast<int>(rows.size());
        }
        if (static_cast<int>(rows.size()) != images.Height)
            Fail(rowsWhere, "every picture must have as many rows as the first");
        std::vector<uint32_t> pixels;
        for (const std::string& row : rows) {
            if (static_cast<int>(row.size()) != images.Width)
                Fail(rowsWhere, "every row must be as wide as the first picture's");
            for (char c : row) {
                auto found = palette.find(c);
                if (found == palette.end())
                    Fail(rowsWhere, std::string("character '") + c + "' is not in the palette");
                pixels.push_back(found->second);
            }
        }
        images.Pixels.push_back(std::move(pixels));
        rows.clear();
    };
    for (const TSourceLine& l : ReadSource(path)) {
        std::string where = path + ":" + std::to_string(l.Number);
        if (l.Text == "palette") {
            inPalette = true;
        } else if (l.Text.compare(0, 6, "image ") == 0) {
            finish();
            inPalette = false;
            char* end = nullptr;
            const unsigned long long command = std::strtoull(l.Text.c_str() + 6, &end, 10);
            if (*end != '\0' || command > UINT32_MAX)
                Fail(where, "bad command number");
            if (!images.Commands.empty() && command <= images.Commands.back())
                Fail(where, "pictures must come in ascending command order");
            images.Commands.push_back(static_cast<uint32_t>(command));
            rowsWhere = where;
        } else if (inPalette) {
            if (l.Text.size() != 8 || l.Text[1] != ' ')
                Fail(where, "expected <character> <RRGGBB>");
            char* end = nullptr;
            const unsigned long colour = std::strtoul(l.Text.c_str() + 2, &end, 16);
            if (*end != '\0')
                Fail(where, "bad colour");
            if (palette.empty())
                images.Transparent = static_cast<uint32_t>(colour);
            palette[l.Text[0]] = static_cast<uint32_t>(colour);
        } else if (images.Commands.empty()) {
            Fail(where, "rows before the first \"image\" line");
        } else {
            rows.push_back(l.Text);
        }
    }
    finish();
    if (images.Pixels.empty())
        Fail(path, "no picture");
    return images;
}

// The pictures side by side as a bottom-up 24-bit bitmap file.
std::string WriteBitmapStrip(const TTextImages& images, const std::vector<std::vector<uint32_t>>& pixels)
{
    const int width = images.Width * static_cast<int>(pixels.size());
    const int height = images.Height;
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t imageSize = static_cast<uint32_t>(stride) * static_cast<uint32_t>(height);
    std::string out = "BM";
    PutU32(out, 14 + 40 + imageSize);
    PutU32(out, 0);
    PutU32(out, 14 + 40);
    PutU32(out, 40);
    PutU32(out, static_cast<uint32_t>(width));
    PutU32(out, static_cast<uint32_t>(height));
    PutU32(out, 1 | 24 << 16); // one plane, 24 bits per pixel
    PutU32(out, 0);            // no compression
    PutU32(out, imageSize);
    PutU32(out, 2835); // 72 dpi
    PutU32(out, 2835);
    PutU32(out, 0);
    PutU32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const uint32_t c = pixels[x / images.Width][y * images.Width + x % images.Width];
            row += static_cast<char>(c & 0xFF);
            row += static_cast<char>((c >> 8) & 0xFF);
            row += static_cast<char>((c >> 16) & 0xFF);
        }
        row.resize(stride, '\0');
        out += row;
    }
    return out;
}

std::string MakeImages(const std::string& path)
{
    const TTextImages images = ReadTextImages(path);
    return WriteBitmapStrip(images, images.Pixels);
}

// A disabled button's picture: the dark pixels become a grey shape with a white shadow below and to the
// right of it; light ones vanish.
std::string MakeGrayImages(const std::string& path)
{
    const TTextImages images = ReadTextImages(path);
    const int w = images.Width, h = images.Height;
    std::vector<std::vector<uint32_t>> gray;
    for (const std::vector<uint32_t>& source : images.Pixels) {
        std::vector<uint32_t> out(source.size(), images.Transparent);
        auto drawn = [&](int x, int y) {
            if (x < 0 || y < 0 || x >= w || y >= h || source[y * w + x] == images.Transparent)
                return false;
            const uint32_t c = source[y * w + x];
            const uint32_t luminance = (30 * (c >> 16) + 59 * ((c >> 8) & 0xFF) + 11 * (c & 0xFF)) / 100;
            return luminance < 160;
        };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (drawn(x, y))
                    out[y * w + x] = 0x808080;
                else if (drawn(x - 1, y - 1))
                    out[y * w + x] = 0xFFFFFF;
            }
        gray.push_back(std::move(out));
    }
    return WriteBitmapStrip(images, gray);
}

std::string MakeImageCommands(const std::string& path)
{
    std::string out;
    for (uint32_t command : ReadTextImages(path).Commands)
        PutU32(out, command);
    return out;
}

struct TKind {
    const char* Name;
    std::string (*Make)(const std::string& source);
};

// Each line in Windows-1252, ended by a CR.
std::string MakeLines(const std::string& path)
{
    std::string out;
    for (const TSourceLine& l : ReadSource(path))
        out += ToCp1252(l.Text, path + ":" + std::to_string(l.Number)) + "\r";
    return out;
}

const TKind Kinds[] = {
    {"lines", MakeLines},
    {"packed", MakePacked},
    {"captions", MakeCaptions},
    {"hints", MakeHints},
    {"menu", MakeMenu},
    {"hotkeys", MakeHotKeys},
    {"images", MakeImages},
    {"grayimages", MakeGrayImages},
    {"imagecommands", MakeImageCommands},
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
