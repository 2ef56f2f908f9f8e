// The wizard's own controls: the check list of components with their sizes, the folder chooser of the
// destination page, the busy animation of the installation page and the painted logos.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "classlib/windowing/ExtCtrls.h"

// Entries with a check state each: 0 clear, 1 ticked, 2 greyed; a size drawn at the right. A click on
// the box or the space bar changes the chosen entry, unless it is locked (the program stays greyed).
class TComponentList : public TListBox {
public:
    explicit TComponentList(TComponent* owner);
    void AddEntry(const std::string& caption, int state, bool locked);
    int State(int index) const { return FStates[index]; }
    void SetState(int index, int state);
    std::vector<std::string> Sizes;
    // An entry's state changed through the user.
    TNotifyEvent OnToggle;

protected:
    void WndProc(TMessage& message) override;
    void DrawItem(int index, TCanvas& canvas, const RECT& rect, bool selected) override;

private:
    void Toggle(int index);
    std::vector<int> FStates;
    std::vector<bool> FLocked;
};

// A drive list over a list of the folders of the folder being browsed ("[..]" leads up); choosing a
// folder browses into it and reports its path.
class TFolderChooser {
public:
    TFolderChooser(TComponent* owner, TControl* parent, int left, int top, int width, int height);
    void Browse(const std::string& folder);
    std::function<void(const std::string& path)> OnChoose;
    TComboBox* Drives;
    TListBox* Folders;

private:
    void Fill();
    std::string FFolder;
};

// Squares that light up in turn while the animation runs.
class TBusyAnimation : public TCustomControl {
public:
    explicit TBusyAnimation(TComponent* owner) : TCustomControl(owner) {}
    void Start();
    void Stop();

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;

private:
    int FStep = 0;
    bool FActive = false;
};

// A band in the setup's colours: the large logo at the left of the wizard with the product's name, the
// small one at its top with the page title (the caption).
class TLogoPanel : public TCustomControl {
public:
    TLogoPanel(TComponent* owner, bool small) : TCustomControl(owner), FSmall(small) {}

protected:
    void Paint() override;

private:
    bool FSmall;
};
