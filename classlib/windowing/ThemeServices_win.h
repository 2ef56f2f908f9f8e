// The visual styles of the system (uxtheme.dll, bound at run time): whether they are active, and drawing
// an element of a control class in them.
#pragma once
#include <windows.h>

#include <cstdint>

// The element classes, in the order of their theme class names.
enum TThemedElementClass : int {
    teButton,
    teClock,
    teComboBox,
    teEdit,
    teExplorerBar,
    teHeader,
    teListView,
    teMenu,
    tePage,
    teProgress,
    teRebar,
    teScrollBar,
    teSpin,
    teStartPanel,
    teStatus,
    teTab,
    teTaskBand,
    teTaskBar,
    teToolBar,
    teToolTip,
    teTrackBar,
    teTrayNotify,
    teTreeview,
    teWindow,
    ThemedElementClassCount
};

// An element to draw: its class, part and state.
struct TThemedDetails {
    TThemedElementClass Element;
    int Part;
    int State;
};

class TThemeServices {
public:
    TThemeServices();
    ~TThemeServices();
    TThemeServices(const TThemeServices&) = delete;
    TThemeServices& operator=(const TThemeServices&) = delete;

    // The library is bound, visual styles are available and active.
    bool ThemesActive() const;
    // A button element by its detailed value: 2-6 push button, 7-14 radio button, 15-26 check box,
    // 27-28 group box, 29 user button (the state counted from the range's first value).
    static TThemedDetails ButtonDetails(int detail);
    void DrawElement(HDC dc, const TThemedDetails& details, const RECT& rect);
    void DrawText(HDC dc, const TThemedDetails& details, const wchar_t* text, int length, DWORD flags,
                  const RECT& rect);
    RECT ContentRect(HDC dc, const TThemedDetails& details, const RECT& bounds);
    bool HasTransparentParts(const TThemedDetails& details);
    // Draws the parent's background behind a control whose element has transparent parts.
    void DrawParentBackground(HWND window, HDC dc, const TThemedDetails& details, const RECT* rect);
    COLORREF SystemColor(const TThemedDetails& details, int colorId);
    // The system's theme changed: the handles are opened again on next use.
    void ThemeChanged();

private:
    HANDLE Theme(TThemedElementClass element);
    HMODULE Library = nullptr;
    HANDLE Themes[ThemedElementClassCount] = {};
    struct TEntries;
    TEntries* Entries;
};

// The one instance of the program, made on first use.
TThemeServices& ThemeServices();
