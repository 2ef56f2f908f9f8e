// The visual styles of the system through uxtheme.dll, bound at run time.
#include "classlib/windowing/ThemeServices_win.h"

#include <type_traits>

namespace {

const wchar_t* const ClassNames[ThemedElementClassCount] = {
    L"button",   L"clock",      L"combobox", L"edit",       L"explorerbar", L"header",
    L"listview", L"menu",       L"page",     L"progress",   L"rebar",       L"scrollbar",
    L"spin",     L"startpanel", L"status",   L"tab",        L"taskband",    L"taskbar",
    L"toolbar",  L"tooltip",    L"trackbar", L"traynotify", L"treeview",    L"window"};

} // namespace

struct TThemeServices::TEntries {
    HANDLE(WINAPI* OpenThemeData)(HWND, LPCWSTR) = nullptr;
    HRESULT(WINAPI* CloseThemeData)(HANDLE) = nullptr;
    HRESULT(WINAPI* DrawThemeBackground)(HANDLE, HDC, int, int, const RECT*, const RECT*) = nullptr;
    HRESULT(WINAPI* DrawThemeText)(HANDLE, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) = nullptr;
    HRESULT(WINAPI* GetThemeBackgroundContentRect)(HANDLE, HDC, int, int, const RECT*, RECT*) = nullptr;
    HRESULT(WINAPI* DrawThemeEdge)(HANDLE, HDC, int, int, const RECT*, UINT, UINT, RECT*) = nullptr;
    HRESULT(WINAPI* DrawThemeIcon)(HANDLE, HDC, int, int, const RECT*, HANDLE, int) = nullptr;
    BOOL(WINAPI* IsThemeBackgroundPartiallyTransparent)(HANDLE, int, int) = nullptr;
    COLORREF(WINAPI* GetThemeSysColor)(HANDLE, int) = nullptr;
    BOOL(WINAPI* IsThemeActive)() = nullptr;
    HRESULT(WINAPI* DrawThemeParentBackground)(HWND, HDC, const RECT*) = nullptr;
};

TThemeServices::TThemeServices() : Entries(new TEntries)
{
    Library = LoadLibraryA("uxtheme.dll");
    if (!Library)
        return;
    auto bind = [this](auto& entry, const char* name) {
        entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(
            reinterpret_cast<void*>(GetProcAddress(Library, name)));
    };
    bind(Entries->OpenThemeData, "OpenThemeData");
    bind(Entries->CloseThemeData, "CloseThemeData");
    bind(Entries->DrawThemeBackground, "DrawThemeBackground");
    bind(Entries->DrawThemeText, "DrawThemeText");
    bind(Entries->GetThemeBackgroundContentRect, "GetThemeBackgroundContentRect");
    bind(Entries->DrawThemeEdge, "DrawThemeEdge");
    bind(Entries->DrawThemeIcon, "DrawThemeIcon");
    bind(Entries->IsThemeBackgroundPartiallyTransparent, "IsThemeBackgroundPartiallyTransparent");
    bind(Entries->GetThemeSysColor, "GetThemeSysColor");
    bind(Entries->IsThemeActive, "IsThemeActive");
    bind(Entries->DrawThemeParentBackground, "DrawThemeParentBackground");
    if (!Entries->OpenThemeData || !Entries->CloseThemeData || !Entries->IsThemeActive) {
        FreeLibrary(Library);
        Library = nullptr;
    }
}

TThemeServices::~TThemeServices()
{
    ThemeChanged();
    if (Library)
        FreeLibrary(Library);
    delete Entries;
}

bool TThemeServices::ThemesActive() const
{
    return Library && Entries->IsThemeActive();
}

TThemedDetails TThemeServices::ButtonDetails(int detail)
{
    static const struct {
        int First, Last, Part;
    } ranges[] = {{2, 6, 1}, {7, 14, 2}, {15, 26, 3}, {27, 28, 4}, {29, 29, 5}};
    for (const auto& r : ranges)
        if (detail >= r.First && detail <= r.Last)
            return {teButton, r.Part, detail - r.First + 1};
    return {teButton, 0, 0};
}

HANDLE TThemeServices::Theme(TThemedElementClass element)
{
    if (!ThemesActive())
        return nullptr;
    HANDLE& theme = Themes[element];
    if (!theme)
        theme = Entries->OpenThemeData(nullptr, ClassNames[element]);
    return theme;
}

void TThemeServices::ThemeChanged()
{
    for (HANDLE& theme : Themes) {
        if (theme && Entries->CloseThemeData)
            Entries->CloseThemeData(theme);
        theme = nullptr;
    }
}

void TThemeServices::DrawElement(HDC dc, const TThemedDetails& d, const RECT& rect)
{
    if (HANDLE theme = Theme(d.Element); theme && Entries->DrawThemeBackground)
        Entries->DrawThemeBackground(theme, dc, d.Part, d.State, &rect, nullptr);
}

void TThemeServices::DrawText(HDC dc, const TThemedDetails& d, const wchar_t* text, int length, DWORD flags,
                              const RECT& rect)
{
    if (HANDLE theme = Theme(d.Element); theme && Entries->DrawThemeText)
        Entries->DrawThemeText(theme, dc, d.Part, d.State, text, length, flags, 0, &rect);
}

RECT TThemeServices::ContentRect(HDC dc, const TThemedDetails& d, const RECT& bounds)
{
    RECT content = bounds;
    if (HANDLE theme = Theme(d.Element); theme && Entries->GetThemeBackgroundContentRect)
        Entries->GetThemeBackgroundContentRect(theme, dc, d.Part, d.State, &bounds, &content);
    return content;
}

bool TThemeServices::HasTransparentParts(const TThemedDetails& d)
{
    HANDLE theme = Theme(d.Element);
    return theme && Entries->IsThemeBackgroundPartiallyTransparent &&
           Entries->IsThemeBackgroundPartiallyTransparent(theme, d.Part, d.State);
}

void TThemeServices::DrawParentBackground(HWND window, HDC dc, const TThemedDetails& d, const RECT* rect)
{
    if (HasTransparentParts(d) && Entries->DrawThemeParentBackground)
        Entries->DrawThemeParentBackground(window, dc, rect);
}

COLORREF TThemeServices::SystemColor(const TThemedDetails& d, int colorId)
{
    HANDLE theme = Theme(d.Element);
    return theme && Entries->GetThemeSysColor ? Entries->GetThemeSysColor(theme, colorId)
                                              : GetSysColor(colorId);
}

TThemeServices& ThemeServices()
{
    static TThemeServices services;
    return services;
}
