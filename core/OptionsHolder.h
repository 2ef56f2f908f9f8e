// The settings holder: every program option between start-up and exit, read from and written to the
// store that the command-line switches choose (registry key or ini file).
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Colors.h"
#include "core/FileList.h"
#include "core/Options.h"

class TSettingsStorage;

// Where every store of the program's settings begins.
extern const char* const SettingsRoot;

// The main window's state (0 normal, 2 maximised) and its normal rectangle.
struct TMainWindowPlacement {
    uint8_t State = 2;
    int32_t X = 0, Y = 0, CX = 0, CY = 0;
};

// A user colour scheme and its name.
struct TNamedColorScheme {
    std::string Name;
    TColorScheme Scheme;
};

// Values that the holder reads and writes for other owners: the file dialogs, the main window, the
// find-and-replace form, the document dispatcher, the spell-check settings and the font manager.
struct TOptionsOwnerValues {
    int32_t OpenDocDlgFilter = 8;
    int32_t OpenPictDlgFilter = 14;
    int32_t SavePictDlgFilter = 1;
    TMainWindowPlacement MainWnd;
    std::vector<std::string> FindHistory;
    std::vector<std::string> ReplaceHistory;
    uint8_t FindTextFlags = 0;
    // "RecentDocs", "OpenDoc_Files", "SaveDocAs_Files", "InsertDoc_Files", "InsertPicture_Folders",
    // "InsertPicture_Files".
    TFileList FileLists[6] = {TFileList(TFileList::flFiles),   TFileList(TFileList::flFolders),
                              TFileList(TFileList::flFolders), TFileList(TFileList::flFiles),
                              TFileList(TFileList::flFolders), TFileList(TFileList::flFiles)};
    std::string DocsToReload; // ";"-separated paths
    std::string ReloadDocToActivate;
    std::string SpellCheckSystems; // ";"-separated system files
    std::string FontHistory = "Arial||Times New Roman||Verdana";
    std::vector<uint8_t> HotKeyOverrides; // "HotKeyOverrides_fr" of section "General"
};
extern const char* const FileListSections[6];

class TOptionsHolder {
public:
    // The holder of the options in force (CurrentOptions); the one holder while it exists.
    TOptionsHolder();
    ~TOptionsHolder();
    TOptionsHolder(const TOptionsHolder&) = delete;
    TOptionsHolder& operator=(const TOptionsHolder&) = delete;

    // Reads every key from the store, then runs the upgrade steps.
    void Load(TSettingsStorage& store);
    // Writes every key, section by section.
    void WriteAll(TSettingsStorage& store);
    // Writes into the store that the switches choose; nothing with "-dss".
    void Save();
    void SaveToRegistry();
    // Raises when the file cannot be written.
    void SaveToIni(const std::string& fileName);
    // The upgrade steps for stores written by an older version.
    void FixInstallKeys();

    // One window-elements record in the open section ("View" for documents, "Preview" for preview).
    static void LoadViewSettings(TSettingsStorage& store, TViewElements& view, bool preview);
    static void SaveViewSettings(TSettingsStorage& store, const TViewElements& view, bool preview);
    // Brings the running program in line with the options (after the options editor): the palette takes
    // the colour scheme, the recent documents are cut to "DocsToKeep", then OnApply refreshes the rest.
    void Apply();

    // Copies a window-elements record into the view options; a changed mouse mode goes to OnMouseMode.
    void SetMenuState(const TViewElements& view);

    TOptions& Options;
    uint8_t Flags = 0; // bit 0 while writing to an ini file
    std::string BackupFolder;
    TViewElements DocumentView;
    TViewElements PreviewView{false, true, true, false, 2, true, true, 3};
    TColorScheme ColorScheme;
    std::vector<TNamedColorScheme> UserSchemes;
    std::vector<std::string> FileExtensions; // sorted
    TOptionsOwnerValues Owners;

    // The main window's mouse mode, and what switches it (command 700 + mode); set by the shell.
    std::function<uint8_t()> CurrentMouseMode;
    std::function<void(uint8_t mode)> OnMouseMode;
    // What the shell refreshes when the options are applied: the main window, the bars, the spell checker.
    std::function<void()> OnApply;
    // The upgrade of an older store's autocorrection lists: in the replacement list of the language, the
    // entry Wrong becomes Right when present; the list is marked changed either way.
    std::function<void(int32_t language, const std::string& wrong, const std::string& right)>
        OnFixReplacementEntry;

private:
    void Exchange(TSettingsStorage& store, bool saving);
};

TOptionsHolder* GetOptionsHolder();

// A new store for reading, chosen by the switches (the caller frees it).
std::unique_ptr<TSettingsStorage> OpenSettingsForLoad();
