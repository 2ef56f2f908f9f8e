// The program's file types and the associations of extensions in the registry.
#include "dialogs/FileAssoc.h"

#include <windows.h>

#include <vector>

#include "classlib/runtime/Files.h"
#include "classlib/runtime/Registry.h"
#include "core/ShellUtils.h"

const TFileTypeInfo FileTypes[8] = {
    {".rtf", "Quillpad.Document", "Document Quillpad"},
    {".cod", "Quillpad.EncryptedDocument", "Document Quillpad crypté"},
    {".qti", "Quillpad.ToolbarImageSet", "Jeu de boutons pour barre d'outils Quillpad"},
    {".qts", "Quillpad.ToolbarSettings", "Configuration de barre d'outils Quillpad"},
    {".qsc", "Quillpad.SpellCheckSystem", "Vérificateur orthographique Quillpad"},
    {".qsn", "Quillpad.SoundScheme", "Module sonore Quillpad"},
    {".qsd", "Quillpad.SoundSettings", "Configuration sonore Quillpad"},
    {".fpl", "Quillpad.FormatPalette", "Palette de formats Quillpad"},
};

const char* const FileAssocKey = "Software\\Blue Heron Works, Inc.\\Quillpad.1_x\\Internal";
const char* const SpellCheckKey = "Software\\Blue Heron Works, Inc.\\Quillpad.1_x\\SpellCheck";

namespace {

const char* const SavedValue = "Quillpad_Save";
const char* const LastValue = "Quillpad_Last";

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string ReadFileAssoc()
{
    TRegistry reg(TRegistryRoot::CurrentUser);
    return reg.OpenKeyReadOnly(FileAssocKey) ? reg.ReadString("FileAssoc") : std::string();
}

void WriteFileAssoc(const std::string& value)
{
    TRegistry reg(TRegistryRoot::CurrentUser);
    if (value.empty()) {
        if (reg.OpenKey(FileAssocKey, false))
            reg.DeleteValue("FileAssoc");
        return;
    }
    reg.OpenKey(FileAssocKey, true);
    reg.WriteString("FileAssoc", value);
}

std::vector<std::string> SplitAtBlanks(const std::string& text)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// The key's default value, or empty.
std::string DefaultOf(TRegistry& reg)
{
    return reg.ReadString("");
}

} // namespace

std::string NormalizeExtension(const std::string& extension)
{
    std::string ext = extension;
    CharLowerBuffA(ext.data(), static_cast<DWORD>(ext.size()));
    if (ext.empty() || ext[0] != '.')
        ext.insert(0, 1, '.');
    return ext;
}

bool IsRefusedExtension(const std::string& extension)
{
    std::string ext = NormalizeExtension(extension);
    if (ext.size() < 2 || ext.find_first_of("\\/:*?\"<>| ") != std::string::npos ||
        ext.find('.', 1) != std::string::npos)
        return true;
    static const char* const system[] = {".sys", ".dll", ".drv", ".ocx", ".vxd", ".url", ".cpl", ".msc"};
    for (const char* s : system)
        if (ext == s)
            return true;
    return IsExecutableFileType("x" + ext);
}

void RegisterFileTypes(const std::string& programFile)
{
    TRegistry reg(TRegistryRoot::ClassesRoot);
    for (int i = 0; i < 8; ++i) {
        std::string key = std::string("\\") + FileTypes[i].ProgId;
        reg.OpenKey(key, true);
        reg.WriteString("", FileTypes[i].Description);
        reg.OpenKey(key + "\\DefaultIcon", true);
        reg.WriteString("", programFile + "," + std::to_string(i + 1));
        if (i > LastDocumentType)
            continue;
        reg.OpenKey(key + "\\shell\\open\\command", true);
        reg.WriteString("", Quoted(programFile) + " " + Quoted("%1"));
        reg.OpenKey(key + "\\shell\\print\\command", true);
        reg.WriteString("", Quoted(programFile) + " /p " + Quoted("%1"));
        reg.OpenKey(key + "\\shell\\printto\\command", true);
        reg.WriteString("", Quoted(programFile) + " /pt " + Quoted("%1") + " " + Quoted("%2") + " " +
                                Quoted("%3") + " " + Quoted("%4"));
    }
}

bool AssociateExtension(const std::string& extension, bool record, const std::string& programFile)
{
    if (IsRefusedExtension(extension))
        return false;
    std::string ext = NormalizeExtension(extension);
    const char* progId = FileTypes[0].ProgId;
    for (const TFileTypeInfo& type : FileTypes)
        if (ext == type.Extension)
            progId = type.ProgId;

    TRegistry reg(TRegistryRoot::ClassesRoot);
    reg.OpenKey("\\" + ext, true);
    if (!reg.ValueExists(SavedValue))
        reg.WriteString(SavedValue, DefaultOf(reg));
    reg.WriteString("", progId);
    reg.WriteString(LastValue, progId);
    std::string command = "\\" + ext + "\\shell\\open\\command";
    if (reg.KeyExists(command)) {
        reg.OpenKey(command, false);
        std::string previous = DefaultOf(reg);
        if (!previous.empty() && !reg.ValueExists(SavedValue))
            reg.WriteString(SavedValue, previous);
        reg.WriteString("", Quoted(programFile) + " " + Quoted("%1"));
    }
    if (ext == ".rtf") {
        reg.OpenKey("\\.rtf\\ShellNew", true);
        reg.WriteString("FileName", ExtractFilePath(programFile) + "Modèles de document\\Normal.rtf");
    }
    if (record) {
        std::string list = ReadFileAssoc();
        if ((" " + list).find(" " + ext + " ") == std::string::npos)
            WriteFileAssoc(list + ext + " ");
    }
    return true;
}

void RestoreExtension(const std::string& extension)
{
    std::string ext = NormalizeExtension(extension);
    TRegistry reg(TRegistryRoot::ClassesRoot);
    if (reg.OpenKey("\\" + ext, false) && reg.ValueExists(SavedValue)) {
        if (DefaultOf(reg) == reg.ReadString(LastValue)) {
            std::string saved = reg.ReadString(SavedValue);
            if (saved.empty())
                reg.DeleteValue("");
            else
                reg.WriteString("", saved);
        }
        reg.DeleteValue(LastValue);
        reg.DeleteValue(SavedValue);
        if (reg.OpenKey("\\" + ext + "\\shell\\open\\command", false) && reg.ValueExists(SavedValue)) {
            reg.WriteString("", reg.ReadString(SavedValue));
            reg.DeleteValue(SavedValue);
        }
    }
    std::string list = " " + ReadFileAssoc();
    size_t at = list.find(" " + ext + " ");
    if (at != std::string::npos) {
        list.erase(at + 1, ext.size() + 1);
        WriteFileAssoc(list.substr(1));
    }
}

void RestoreAllAssociations()
{
    std::vector<std::string> recorded = SplitAtBlanks(ReadFileAssoc());
    for (auto it = recorded.rbegin(); it != recorded.rend(); ++it)
        RestoreExtension(*it);
    WriteFileAssoc("");
    for (int i = LastDocumentType + 1; i < 8; ++i)
        RestoreExtension(FileTypes[i].Extension);
}

void AssociateSwitch(const std::string& value, const std::string& programFile)
{
    RegisterFileTypes(programFile);
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find('_', start);
        if (end == std::string::npos)
            end = value.size();
        names.push_back(value.substr(start, end - start));
        start = end + 1;
    }
    bool any = false;
    for (const std::string& name : names)
        if (!name.empty()) {
            AssociateExtension(name, true, programFile);
            any = true;
        }
    for (int i = any ? LastDocumentType + 1 : 0; i < 8; ++i)
        AssociateExtension(FileTypes[i].Extension, i <= LastDocumentType, programFile);
}

void InstallSpellCheckersSwitch(const std::string& value)
{
    TRegistry reg(TRegistryRoot::CurrentUser);
    reg.OpenKey(SpellCheckKey, true);
    std::string systems = reg.ReadString("Systems");
    reg.WriteString("Systems", systems + ";" + value);
}

std::string AssociatedExtensions()
{
    std::string lines;
    TRegistry reg(TRegistryRoot::ClassesRoot);
    for (const std::string& ext : SplitAtBlanks(ReadFileAssoc())) {
        if (!reg.OpenKeyReadOnly("\\" + ext) || DefaultOf(reg).find("Quillpad.") == std::string::npos)
            continue;
        std::string bare;
        for (char c : ext)
            if (c != '.')
                bare += c;
        lines += bare + "\n";
    }
    return lines;
}
