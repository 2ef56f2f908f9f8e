// The toolbar manager: builds the five toolbars of the main window from the toolbar settings (buttons,
// separators, combo boxes, drop-down menus), keeps their states in step with the commands, switches the
// command set (also by tapping Ctrl twice) and owns the button pictures.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/ToolbarSettings.h"

class TCanvas;
class TControl;
class TComboBox;
class TForm;
class TPopupMenu;
class TToolBar;
class TToolButton;
struct TMessage;

// The entry for the further buttons of a toolbar whose first row is full; never executed.
constexpr int32_t MoreCommandsCommand = 2000000000;
// The picture that lists show for a combo-box command.
constexpr int32_t ComboImageCommand = 1000000000;

class TToolbarButtonImages {
public:
    TToolbarButtonImages();
    ~TToolbarButtonImages();
    TToolbarButtonImages(const TToolbarButtonImages&) = delete;
    TToolbarButtonImages& operator=(const TToolbarButtonImages&) = delete;

    // The cell of the command's picture, -1 for none (4900 shares the picture of 5000).
    int IndexOfCommand(int32_t command) const;
    // Fills the image lists (the large ones too when the settings ask for large buttons).
    void LoadImages(const TToolbarSettings& settings);
    // The command's picture on the canvas at (X, Y), over the mask colour.
    void DrawCommandImage(int32_t command, TCanvas& canvas, int x, int y) const;

    std::vector<int32_t> ImageCommands;
    HIMAGELIST Small = nullptr;
    HIMAGELIST SmallDisabled = nullptr;
    HIMAGELIST Large = nullptr;
    HIMAGELIST LargeDisabled = nullptr;
    // The chevron of the more-commands button (resource MORECOMMANDS).
    HIMAGELIST More = nullptr;

private:
    void FreeLists();
};

class TToolbarManager {
public:
    TToolbarManager();
    ~TToolbarManager();
    TToolbarManager(const TToolbarManager&) = delete;
    TToolbarManager& operator=(const TToolbarManager&) = delete;

    void CreatePopupMenus();
    // Rebuilds every toolbar from the settings.
    void RebuildToolbars();
    // Refreshes the states, texts and hints of the controls of every visible toolbar.
    void UpdateAllToolbars();
    void CloseOverflowWindows();
    // Shown in the current mode, with commands, and not hidden by full screen.
    bool IsToolbarVisible(int index) const;
    // The height of the first rows of the shown toolbars.
    int GetToolbarsHeight() const;
    // Places the first rows at the top of the main window's client area (rebuilding them when its
    // width changed); returns their height.
    int PlaceToolbars(int width);
    TToolbarButtonImages& GetButtonImages();
    // The watch of the command-set switch key (Ctrl tapped twice).
    void HandleKeyDown(const TMessage& message);
    void HandleKeyUp(const TMessage& message);
    // The same watch over every key message of the main window and its document windows (the message
    // loop's pre-filter calls it); watching a key twice changes nothing.
    void WatchSwitchKey(const MSG& msg);
    void SwitchCommandSet();
    // Focuses the command's combo box and opens its list, or clicks its button; false when no toolbar
    // holds it.
    bool ActivateCommandControl(int32_t command);
    void RefreshToolbarControls();
    // The control of a command on a shown toolbar (first found), or null.
    TControl* ControlOfCommand(int32_t command) const;
    const std::vector<TToolBar*>& Rows(int toolbar) const { return FRows[static_cast<size_t>(toolbar)]; }

    TToolbarSettings Settings;
    bool Ready = false;
    bool Clicking = false;
    bool Preview = false;
    bool Alternative = false;
    // Bit 0: every control shows enabled and unpressed (while the customisation dialog is open); bit 2:
    // the overflow windows stay open after a command.
    uint8_t Flags = 0;
    std::vector<int32_t> DropDownCommands;
    std::vector<int32_t> FormatPainterCommands;
    // The last colours chosen in the drop-down menus of the colour buttons (704, 705), as indexes into
    // the 17 colours; the not-set marker for none.
    int32_t HighlightColorIndex = INT32_MIN;
    int32_t FontColorIndex = INT32_MIN;

private:
    void BuildToolbar(int index);
    TToolBar* NewRow(TControl* parent);
    TControl* CreateCommandControl(int32_t command, TControl* parent, bool onOverflow);
    int ControlWidth(int32_t command) const;
    void UpdateControl(TControl* control);
    void UpdateComboText(TComboBox* combo, int32_t command);
    void ButtonClicked(int32_t command, TToolButton* button);
    void ShowDropDown(int32_t command, TToolButton* button);
    void ShowOverflow(int toolbar, TToolButton* button);
    void FreeRows(int index);
    void RelayoutMainWindow();

    std::unique_ptr<TToolbarButtonImages> FImages;
    std::array<std::vector<TToolBar*>, ToolbarCount> FRows;
    std::array<TForm*, ToolbarCount> FOverflow{};
    std::vector<TPopupMenu*> FPopups;
    uint8_t FSwitchState = 0;
    uint32_t FSwitchTime = 0;
    int FBuiltWidth = -1;
    bool FPlacing = false;
};

// Offers the download page of a newer common-controls library when the system's is older than 4.71.
void CheckCommonControlsVersion();

// The manager while it exists (start-up creates it before the main window).
TToolbarManager* ToolbarManager();

// The text that a zoom box holds as a percentage (trailing blanks and "%" removed); false with the
// message to show when it is not a number from 10 to 500.
bool ParseZoomText(const std::string& text, int32_t& percent, std::string& error);
// The text that a font-size box holds as half-points (a decimal number with one decimal, the system's
// decimal separator or a point); false with the message to show when it is not a size from 1 to 1000
// points.
bool ParseFontSizeText(const std::string& text, int32_t& halfPoints, std::string& error);
