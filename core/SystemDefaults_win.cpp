// The system's screen, locale, user and folders for the settings' defaults, and the install keys.
#include "core/SystemDefaults.h"

#include <windows.h>
#include <shlobj.h>

#include "core/RegistryEx.h"
#include "core/ShellUtils.h"

TSystemDefaults ReadSystemDefaults()
{
    TSystemDefaults d;
    d.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    d.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    d.UserLocale = static_cast<int32_t>(GetUserDefaultLCID());
    char measure[8] = "";
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, sizeof(measure)) > 0)
        d.MetricSystem = measure[0] == '0';
    d.RtfClipboardFormat = static_cast<int32_t>(RegisterClipboardFormatA("Rich Text Format"));
    char name[256] = "";
    DWORD size = sizeof(name);
    if (GetUserNameA(name, &size))
        d.UserName = name;
    d.MyDocuments = GetSpecialFolderPath(CSIDL_PERSONAL);
    char dir[MAX_PATH] = "";
    if (GetCurrentDirectoryA(sizeof(dir), dir)) {
        d.CurrentDir = dir;
        if (!d.CurrentDir.empty() && d.CurrentDir.back() != '\\')
            d.CurrentDir += '\\';
    }
    return d;
}

void FixRegistryFileAssoc(const std::string& root)
{
    TRegistryEx registry;
    registry.OpenSection(root + "Internal");
    std::string value = registry.ReadString("FileAssoc", "");
    static const std::string retired = ".qts .qsc .qsn .qsd .fpl ";
    const size_t at = value.find(retired);
    if (at == std::string::npos)
        return;
    value.erase(at, retired.size());
    registry.WriteString("FileAssoc", value);
}

void FixRegistryIcons(const std::string& root, int32_t runCount, int32_t lastRunVer)
{
    TRegistryEx registry;
    registry.OpenSection(root + "Install");
    if (runCount == 0) {
        registry.WriteInteger("IconsUpdatedForVer", lastRunVer);
        return;
    }
    if (lastRunVer >= 10500001)
        return;
    if (registry.ReadInteger("IconsUpdatedForVer", INT32_MIN, INT32_MAX, 0) >= 10500000)
        return;
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    DeleteFileA((GetWindowsFolder() + "ShellIconCache").c_str());
    registry.WriteInteger("IconsUpdatedForVer", lastRunVer);
}
