// A row of tabs drawn by the library along the bottom of a window, one selected; a click selects a tab
// and a double click asks for its action.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "classlib/windowing/Controls.h"

class TTabSet : public TCustomControl {
public:
    explicit TTabSet(TComponent* owner);

    // Replaces the tabs; the selection goes to none.
    void SetTabs(const std::vector<std::string>& tabs);
    const std::vector<std::string>& Tabs() const { return FTabs; }
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int index);
    // The tab under a client point, -1 for none.
    int TabAt(int x, int y);
    // The client rectangle of a tab (empty beyond the last).
    RECT TabRect(int index);

    std::function<void(TTabSet& sender, int index)> OnTabClick;
    std::function<void(TTabSet& sender, int index)> OnTabDblClick;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    std::vector<std::string> FTabs;
    int FTabIndex = -1;
};
