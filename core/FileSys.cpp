// File-name masks.
#include "core/FileSys.h"

namespace FileSys {

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
