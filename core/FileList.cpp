// The file and folder history lists and their storage as values "A", "B", ... with "Count".
#include "core/FileList.h"

#include "classlib/runtime/Files.h"
#include "core/DirUtils.h"
#include "core/Options.h"
#include "core/PathUtils.h"

namespace {

// The value name of entry i (from 0): "A" for the first, ..., "[", "\", "]" and "^" for 27 to 30.
std::string EntryName(int i)
{
    return std::string(1, static_cast<char>('A' + i));
}

} // namespace

void TFileList::Load(TSettingsStorage& store)
{
    const int n = store.ReadInteger("Count", 0, MaxStored, 0);
    Names.clear();
    std::vector<std::string> loaded;
    for (int i = n - 1; i >= 0; --i) {
        std::string name = store.ReadString(EntryName(i), "");
        if (!name.empty())
            loaded.insert(loaded.begin(), name);
    }
    Names = std::move(loaded);
    if (Kind == flFolders)
        Locked = store.ReadBool("Locked", false);
}

void TFileList::Save(TSettingsStorage& store)
{
    const int n = static_cast<int>(std::min<size_t>(Names.size(), MaxStored));
    store.WriteInteger("Count", n);
    for (int i = 0; i < n; ++i)
        store.WriteString(EntryName(i), Names[i]);
    if (Kind == flFolders)
        store.WriteBool("Locked", Locked);
}

void TFileList::Add(const std::string& name)
{
    if (Locked)
        return;
    bool listed = false;
    for (size_t i = 0; i < Names.size(); ++i) {
        if (SameFileName(Names[i], name)) {
            Names.erase(Names.begin() + static_cast<std::ptrdiff_t>(i));
            listed = true;
            break;
        }
    }
    const int length = CurrentOptions().General.DocsToKeep;
    if (!listed)
        TrimTo(length - 1);
    if (length > 0)
        Names.insert(Names.begin(), name);
}

void TFileList::TrimTo(int n)
{
    if (Locked)
        return;
    while (!Names.empty() && static_cast<int>(Names.size()) > n)
        Names.pop_back();
}

void TFileList::RemoveMissing()
{
    const std::string current = GetCurrentDir();
    for (size_t i = Names.size(); i-- > 0;) {
        const std::string& name = Names[i];
        bool keep;
        if (Kind == flFiles)
            keep = FileExists(name);
        else
            keep = IsRemovableDrive(name) || FolderExists(name);
        if (!keep)
            Names.erase(Names.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (Kind == flFolders)
        SetCurrentDir(current);
}
