// The toolbar settings: which toolbars show, the commands on each in the main and the alternative set,
// and the display switches; kept in the toolbar settings file (ini text, "Quillpad.qts").
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TSettingsStorage;
class TToolbarManager;
class TToolbarSettings;

// The separator entry of a command list: a gap between groups of buttons.
constexpr int32_t ToolbarSeparator = 0x7FFFFFFF;
constexpr int ToolbarCount = 5;
// Toolbar 4 (headers and footers) is not stored and always holds its built-in lists.
constexpr int StoredToolbarCount = 4;

class TSingleToolbarSettings {
public:
    explicit TSingleToolbarSettings(TToolbarSettings* owner) : Owner(owner) {}

    // The list of the command set in use: the alternative one while the manager shows it.
    const std::vector<int32_t>& GetCommands() const;
    std::vector<int32_t>& GetCommands();
    // The four keys of one section, on a storage whose section is open.
    void Load(TSettingsStorage& storage);
    void Save(TSettingsStorage& storage) const;

    TToolbarSettings* Owner;
    bool Visible = false;
    bool Visible_Preview = false;
    std::vector<int32_t> Commands;
    std::vector<int32_t> AlternativeCommands;
};

class TToolbarSettings {
public:
    // The five toolbars with no flags and empty lists; Owner may be null (normal mode, main set).
    explicit TToolbarSettings(TToolbarManager* owner);
    TToolbarSettings(const TToolbarSettings&) = delete;
    TToolbarSettings& operator=(const TToolbarSettings&) = delete;

    void SetDefaults();
    // Reads the file; sections and keys it lacks take their defaults. Toolbar 4 keeps its built-in lists.
    void Load(const std::string& fileName);
    // Writes the file afresh; raises when it cannot be written.
    void Save(const std::string& fileName) const;
    // Copies the switches, the flags and the lists (not Modified, not the owner).
    void Assign(const TToolbarSettings& source);
    // The toolbars 0 to 3 shown in the current mode.
    int VisibleToolbarCount() const;

    bool InPreview() const;
    bool AlternativeSet() const;

    TToolbarManager* Owner;
    bool FlatButtons = true;
    bool LargeButtons = false;
    bool DropDownMenus = true;
    bool ComboBoxHints = true;
    bool ShowHotKeys = true;
    bool Modified = false;
    std::array<TSingleToolbarSettings, ToolbarCount> Toolbars;
};

// The section names of the stored toolbars.
extern const char* const ToolbarSectionNames[StoredToolbarCount];

// A command list as the file keeps it: eight upper-case hexadecimal digits per entry, and back.
std::string CommandListToText(const std::vector<int32_t>& list);
std::vector<int32_t> CommandListFromText(const std::string& text);

// The settings file's name: the "-tsfn" switch or "Quillpad.qts", in the data folder when it names none.
std::string ToolbarSettingsFileName();
// The system draws controls with visual styles (toolbar buttons are then always flat).
bool VisualStylesActive();
