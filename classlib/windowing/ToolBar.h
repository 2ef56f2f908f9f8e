// Toolbars drawn by the library: a row that holds buttons, separators and other controls, and the
// buttons themselves (a picture of an image list, flat or raised, pressed, mixed, with a drop-down
// arrow), so that they look and measure the same everywhere.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "classlib/windowing/Controls.h"

class TToolButton : public TCustomControl {
public:
    explicit TToolButton(TComponent* owner);

    // The pictures: the image of ImageIndex (none for -1), from the disabled list while disabled.
    HIMAGELIST Images = nullptr;
    HIMAGELIST DisabledImages = nullptr;
    int ImageIndex = -1;
    // A separator draws a groove and does not click.
    bool Separator = false;
    bool Flat = true;
    // A drop-down arrow at the right edge; a click on it fires OnDropDown instead of OnClick.
    bool DropDownArrow = false;
    // A text beside the picture (buttons of the overflow window), empty for none.
    std::string Text;

    bool Down() const { return FDown; }
    void SetDown(bool down);
    // The third state: neither pressed nor not (a selection of mixed formats).
    bool Mixed() const { return FMixed; }
    void SetMixed(bool mixed);
    // Draws over the picture's area (the colour bar of the colour buttons).
    std::function<void(TCanvas& canvas, const RECT& imageArea)> OnDrawImage;
    TNotifyEvent OnDropDown;
    // Clicks the button as the mouse would.
    void Click() override;

    static constexpr int ArrowWidth = 11;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    bool FDown = false;
    bool FMixed = false;
    bool FHot = false;
    bool FPressing = false;
    bool FOnArrow = false;
};

// A row of a toolbar: its children stand side by side where they are placed; the row paints the face.
class TToolBar : public TCustomControl {
public:
    explicit TToolBar(TComponent* owner);
    // A right click on the row or on one of its buttons, at a screen point.
    std::function<void(int x, int y)> OnContextMenu;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;
};
