// Whole-file replacement and file-name masks.
#include "core/FileSys.h"

#include <algorithm>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/Exceptions.h"
#include "core/SafeSave.h"

namespace FileSys {

namespace {

char Fold(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

void SortEntries(std::vector<TEntry>& entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TEntry& a, const TEntry& b) { return AnsiCompareText(a.Name, b.Name) < 0; });
}

void WriteWholeFile(const std::string& path, const std::string& data)
{
    const std::string message = "Impossible d'écrire le fichier \"" + path + "\".";
    try {
        TSafeSave save(path);
        for (size_t done = 0; done < data.size();) {
            const auto chunk = static_cast<int32_t>(std::min<size_t>(data.size() - done, 1 << 20));
            save.Stream().WriteBuffer(data.data() + done, chunk);
            done += static_cast<size_t>(chunk);
        }
        if (save.Commit())
            return;
    } catch (const EStreamError&) {}
    throw EStreamError(message);
}

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
