// The toolbar settings, their built-in defaults and the toolbar settings file.
#include "shell/ToolbarSettings.h"

#include <windows.h>

#include <algorithm>

#include "core/CmdLine.h"
#include "core/DataFolder.h"
#include "core/IniFile.h"
#include "shell/ToolbarManager.h"

const char* const ToolbarSectionNames[StoredToolbarCount] = {"STANDARD", "FORMATTING", "EXTENDED", "PREVIEW"};

namespace {

constexpr int32_t S = ToolbarSeparator;
// A command retired from the toolbars: a file that still holds it is rewritten without it.
constexpr int32_t RetiredCommand = 6175;

struct TBuiltInToolbar {
    std::vector<int32_t> Commands;
    std::vector<int32_t> AlternativeCommands; // empty: the same as Commands
};

const TBuiltInToolbar& BuiltIn(int index)
{
    static const TBuiltInToolbar toolbars[ToolbarCount] = {
        {{100,  120,  180,  200,  1260, S, 290,  280,    300, 800,    850,    1200, S,   3840,
          3860, 3420, 3340, 3360, 3640, S, 6000, 206100, S,   100000, 101120, S,    6263},
         {100,  120, 140,  160,   220,   202,   205,   230,   260, 320, 305, S,      3880, 3900, 3200,
          3380, S,   7000, 90000, 90020, 90040, 90060, 90080, S,   640, 641, 100070, S,    6263}},
        {{209050, 212100, 212200, 12120, 12140, 12160, 12180, 12200, 704,  705, 15600,
          S,      9080,   9081,   9082,  9083,  9180,  9200,  9220,  9320, S},
         {12161, 12162, 12166, 12168, 12150, 12170, 12171, S,    12320, 12220, 12240, 12340,
          12360, 12380, 12400, S,     9260,  9240,  9243,  9246, 9120,  9100,  9170,  9140,
          9160,  S,     9270,  9271,  9272,  S,     12000, 9000, 9280,  9300,  9310,  S}},
        {{12020, 12040, 9020, 9040, S,    3980, 4000, 4020, S,   4500, 7200, 4520, 4540,  6450, S,
          3540,  3560,  3580, 3620, 3600, 3680, 3700, S,    701, 702,  S,    600,  12440, S},
         {5250, 3440,  3445,  3460, 3480, 3485, 6400, S,    3630, 5000, 4600, 5100,
          S,    12210, 12215, S,    3920, 3925, S,    6172, 6173, 6170, 6171, 6174,
          S,    6020,  6060,  6065, S,    4100, 4120, S,    3930, 3931, S}},
        {{290, 280, 180,  S,    6172, 6173, 6170, 6171, 6174,  206100, 703,
          701, S,   6000, 6020, 6060, 6065, S,    4500, 12310, S},
         {}},
        {{3570, 3571, 15700, 3630, S, 3540, 3560, S, 260, 7300, S, 7340, S, 7350, 7400, 7401, S}, {}},
    };
    return toolbars[index];
}

void SetBuiltInLists(TSingleToolbarSettings& toolbar, int index)
{
    const TBuiltInToolbar& builtIn = BuiltIn(index);
    toolbar.Commands = builtIn.Commands;
    toolbar.AlternativeCommands =
        builtIn.AlternativeCommands.empty() ? builtIn.Commands : builtIn.AlternativeCommands;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string CommandListToText(const std::vector<int32_t>& list)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (int32_t entry : list) {
        const auto value = static_cast<uint32_t>(entry);
        for (int shift = 28; shift >= 0; shift -= 4)
            text += digits[(value >> shift) & 0xF];
    }
    return text;
}

std::vector<int32_t> CommandListFromText(const std::string& text)
{
    std::vector<int32_t> list;
    // A trailing remainder of fewer than eight characters is ignored, and so is an entry holding a
    // character that is not a hexadecimal digit.
    for (size_t at = 0; at + 8 <= text.size(); at += 8) {
        uint32_t value = 0;
        bool valid = true;
        for (size_t i = 0; i < 8 && valid; ++i) {
            const int digit = HexDigit(text[at + i]);
            valid = digit >= 0;
            value = value << 4 | static_cast<uint32_t>(digit & 0xF);
        }
        if (valid)
            list.push_back(static_cast<int32_t>(value));
    }
    return list;
}

const std::vector<int32_t>& TSingleToolbarSettings::GetCommands() const
{
    return Owner && Owner->AlternativeSet() ? AlternativeCommands : Commands;
}

std::vector<int32_t>& TSingleToolbarSettings::GetCommands()
{
    return Owner && Owner->AlternativeSet() ? AlternativeCommands : Commands;
}

void TSingleToolbarSettings::Load(TSettingsStorage& storage)
{
    Visible = storage.ReadBool("Visible", true);
    Visible_Preview = storage.ReadBool("Visible_Preview", true);
    Commands = CommandListFromText(storage.ReadString("Commands", ""));
    AlternativeCommands = CommandListFromText(storage.ReadString("AlternativeCommands", ""));
    for (std::vector<int32_t>* list : {&Commands, &AlternativeCommands}) {
        const size_t before = list->size();
        std::erase(*list, RetiredCommand);
        if (list->size() != before && Owner)
            Owner->Modified = true;
    }
}

void TSingleToolbarSettings::Save(TSettingsStorage& storage) const
{
    storage.WriteBool("Visible", Visible);
    storage.WriteBool("Visible_Preview", Visible_Preview);
    storage.WriteString("Commands", CommandListToText(Commands));
    storage.WriteString("AlternativeCommands", CommandListToText(AlternativeCommands));
}

TToolbarSettings::TToolbarSettings(TToolbarManager* owner)
    : Owner(owner), Toolbars{TSingleToolbarSettings(this), TSingleToolbarSettings(this),
                             TSingleToolbarSettings(this), TSingleToolbarSettings(this),
                             TSingleToolbarSettings(this)}
{}

bool TToolbarSettings::InPreview() const
{
    return Owner && Owner->Preview;
}

bool TToolbarSettings::AlternativeSet() const
{
    return Owner && Owner->Alternative;
}

void TToolbarSettings::SetDefaults()
{
    FlatButtons = true;
    LargeButtons = false;
    DropDownMenus = ComboBoxHints = ShowHotKeys = true;
    for (int i = 0; i < ToolbarCount; ++i) {
        Toolbars[i].Visible = i < 3;
        Toolbars[i].Visible_Preview = i == 3;
        SetBuiltInLists(Toolbars[i], i);
    }
}

void TToolbarSettings::Load(const std::string& fileName)
{
    TIniFile file(fileName, false);
    // A file without any section of ours (damaged, or not a toolbar settings file at all) would leave
    // every toolbar empty and hidden: it gives the built-in configuration instead.
    bool ours = file.SectionExists("General Settings");
    for (const char* name : ToolbarSectionNames)
        ours = ours || file.SectionExists(name);
    if (!ours) {
        SetDefaults();
        return;
    }
    file.OpenSection("General Settings");
    FlatButtons = VisualStylesActive() ? true : file.ReadBool("FlatButtons", true);
    LargeButtons = file.ReadBool("LargeButtons", false);
    DropDownMenus = file.ReadBool("DropDownMenus", true);
    ComboBoxHints = file.ReadBool("ComboBoxHints", true);
    ShowHotKeys = file.ReadBool("ShowHotKeys", true);
    for (int i = 0; i < StoredToolbarCount; ++i) {
        file.OpenSection(ToolbarSectionNames[i]);
        Toolbars[i].Load(file);
    }
    SetBuiltInLists(Toolbars[4], 4);
}

void TToolbarSettings::Save(const std::string& fileName) const
{
    TIniFile file(fileName, true);
    file.OpenSection("General Settings");
    file.WriteBool("FlatButtons", FlatButtons);
    file.WriteBool("LargeButtons", LargeButtons);
    file.WriteBool("DropDownMenus", DropDownMenus);
    file.WriteBool("ComboBoxHints", ComboBoxHints);
    file.WriteBool("ShowHotKeys", ShowHotKeys);
    for (int i = 0; i < StoredToolbarCount; ++i) {
        file.OpenSection(ToolbarSectionNames[i]);
        Toolbars[i].Save(file);
    }
    file.UpdateFile();
}

void TToolbarSettings::Assign(const TToolbarSettings& source)
{
    FlatButtons = source.FlatButtons;
    LargeButtons = source.LargeButtons;
    DropDownMenus = source.DropDownMenus;
    ComboBoxHints = source.ComboBoxHints;
    ShowHotKeys = source.ShowHotKeys;
    for (int i = 0; i < ToolbarCount; ++i) {
        Toolbars[i].Visible = source.Toolbars[i].Visible;
        Toolbars[i].Visible_Preview = source.Toolbars[i].Visible_Preview;
        Toolbars[i].Commands = source.Toolbars[i].Commands;
        Toolbars[i].AlternativeCommands = source.Toolbars[i].AlternativeCommands;
    }
}

int TToolbarSettings::VisibleToolbarCount() const
{
    const bool preview = InPreview();
    int count = 0;
    for (int i = 0; i < StoredToolbarCount; ++i)
        if (preview ? Toolbars[i].Visible_Preview : Toolbars[i].Visible)
            ++count;
    return count;
}

std::string ToolbarSettingsFileName()
{
    return ResolveSettingsFileName(CmdLineSwitchValue(swToolbarSettingsFileName, "Quillpad.qts"));
}

bool VisualStylesActive()
{
    HMODULE theme = LoadLibraryA("uxtheme.dll");
    if (!theme)
        return false;
    using TQuery = BOOL(WINAPI*)();
    auto themed = reinterpret_cast<TQuery>(reinterpret_cast<void*>(GetProcAddress(theme, "IsAppThemed")));
    auto active = reinterpret_cast<TQuery>(reinterpret_cast<void*>(GetProcAddress(theme, "IsThemeActive")));
    const bool result = themed && active && themed() && active();
    FreeLibrary(theme);
    return result;
}
