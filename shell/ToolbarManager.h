// The toolbar manager. For now it has no toolbars to build: the start-up sequence calls it where the
// toolbars will be built and rebuilt.
#pragma once

class TToolbarManager {
public:
    TToolbarManager() = default;
    TToolbarManager(const TToolbarManager&) = delete;
    TToolbarManager& operator=(const TToolbarManager&) = delete;

    void CreatePopupMenus() {}
    void RebuildToolbars() {}
};
