// File-system primitives that need no system call: delimiters and masks.
#include "core/FileSys.h"

namespace FileSys {

std::string WithDelim(const std::string& path)
{
    if (path.empty() || path.back() == Delim || path.back() == '/')
        return path;
    return path + Delim;
}

std::string FoldCase(const std::string& text)
{
    std::string out = text;
    for (char& ch : out) {
        auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
            c = static_cast<unsigned char>(c - 0x20);
        else if (c == 0x9A || c == 0x9C || c == 0x9E)
            c = static_cast<unsigned char>(c - 0x10);
        else if (c == 0xFF)
            c = 0x9F;
        ch = static_cast<char>(c);
    }
    return out;
}

namespace {

char Fold(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool MatchesMask(const std::string& name, const std::string& mask)
{
    // Greedy wildcard match with one back-tracking point for the last "*".
    size_t n = 0, m = 0, starM = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || Fold(mask[m]) == Fold(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    // "*.*" matches names without a dot too, as the system's masks do.
    if (m < mask.size() && mask.compare(m, std::string::npos, ".*") == 0 && m > 0 && mask[m - 1] == '*')
        return true;
    return m == mask.size();
}

} // namespace FileSys
