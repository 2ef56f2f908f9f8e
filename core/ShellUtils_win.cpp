// Shell, key-state, locale and code-page helpers over the Windows API.
#include "core/ShellUtils.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "classlib/graphics/Graphics.h"
#include "codecs/ScreenResolution.h"
#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/StringList.h"
#include "classlib/runtime/Format.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/PathUtils.h"
#include "core/Codings.h"

std::string GetWindowsFolder()
{
    char path[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? IncludeTrailingPathDelimiter(std::string(path, n)) : std::string();
}

std::string GetSpecialFolderPath(int csidl)
{
    char path[MAX_PATH];
    return SHGetFolderPathA(nullptr, csidl, nullptr, 0, path) == S_OK ? std::string(path) : std::string();
}

namespace {

int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM, LPARAM data)
{
    try {
        if (msg == BFFM_INITIALIZED)
            SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, data);
    } catch (...) {}
    return 0;
}

// COM for the calling thread while it lives.
struct TComScope {
    HRESULT Result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~TComScope()
    {
        if (SUCCEEDED(Result))
            CoUninitialize();
    }
};

std::wstring Widen(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const wchar_t* text, int length, UINT codePage)
{
    const int n = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

bool BrowseForFolder(const std::string& caption, std::string& folder)
{
    TComScope com;
    const std::string current = GetCurrentDir();
    char display[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = GetActiveWindow();
    info.pszDisplayName = display;
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(current.c_str());
    LPITEMIDLIST list = SHBrowseForFolderA(&info);
    if (!list)
        return false;
    char path[MAX_PATH];
    const bool ok = SHGetPathFromIDListA(list, path) != 0;
    CoTaskMemFree(list);
    if (ok)
        folder = path;
    return ok;
}

std::string ResolveShellPath(const std::string& text)
{
    TComScope com;
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop)
        return text;
    std::wstring wide = Widen(text);
    LPITEMIDLIST list = nullptr;
    std::string result = text;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &list, nullptr)) &&
        list) {
        char path[MAX_PATH];
        if (SHGetPathFromIDListA(list, path))
            result = path;
        CoTaskMemFree(list);
    }
    desktop->Release();
    return result;
}

bool RewindFile(void* handle)
{
    LARGE_INTEGER zero = {};
    return SetFilePointerEx(static_cast<HANDLE>(handle), zero, nullptr, FILE_BEGIN) != 0;
}

std::string ShortenPath(TCanvas& canvas, const std::string& path, int maxWidth)
{
    return ShortenPath([&](const std::string& text) { return canvas.TextWidth(text); }, path, maxWidth);
}

int ScaleToScreen(int value)
{
    return MulDiv(value, static_cast<int>(ScreenDotsPerInch(false)), 96);
}

bool IsKeyDown(int key)
{
    return GetKeyState(key) < 0;
}

uint8_t GetShiftStateNow()
{
    uint8_t state = 0;
    if (GetAsyncKeyState(VK_SHIFT) < 0)
        state |= 1;
    if (GetAsyncKeyState(VK_CONTROL) < 0)
        state |= 4;
    if (GetAsyncKeyState(VK_LBUTTON) < 0)
        state |= 8;
    if (GetAsyncKeyState(VK_RBUTTON) < 0)
        state |= 16;
    return state;
}

int32_t LocaleAnsiCodePage(int32_t locale)
{
    char buffer[8] = {};
    if (GetLocaleInfoA(static_cast<LCID>(locale), LOCALE_IDEFAULTANSICODEPAGE, buffer, sizeof(buffer)) <= 0)
        return static_cast<int32_t>(GetACP());
    return atoi(buffer);
}

uint8_t CharsetOfCodePage(int32_t codePage, uint8_t def)
{
    CHARSETINFO info = {};
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<uintptr_t>(codePage)), &info,
                              TCI_SRCCODEPAGE))
        return def;
    return static_cast<uint8_t>(info.ciCharset);
}

int32_t CodePageOfCharset(uint8_t charset, int32_t def)
{
    CHARSETINFO info = {};
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<uintptr_t>(charset)), &info,
                              TCI_SRCCHARSET))
        return def;
    return static_cast<int32_t>(info.ciACP);
}

uint8_t LocaleCharset(int32_t locale, bool useSystemDefault)
{
    const uint8_t fallback = useSystemDefault
                                 ? CharsetOfCodePage(static_cast<int32_t>(GetACP()), DEFAULT_CHARSET)
                                 : DEFAULT_CHARSET;
    return CharsetOfCodePage(LocaleAnsiCodePage(locale), fallback);
}

std::string GetLocaleLanguageName(int32_t locale)
{
    char buffer[128] = {};
    const int n = GetLocaleInfoA(static_cast<LCID>(locale), LOCALE_SLANGUAGE, buffer, sizeof(buffer));
    return n > 1 ? std::string(buffer, static_cast<size_t>(n - 1)) : std::string();
}

void SetFontCharsetForLocale(TFont& font, int32_t locale)
{
    font.SetCharset(LocaleCharset(locale, false));
}

std::string WideToAnsiBestCodePage(const std::u16string& text)
{
    const auto* chars = reinterpret_cast<const uint16_t*>(text.data());
    const int32_t codePage =
        BestCodePageForText(chars, static_cast<int>(text.size()), static_cast<int32_t>(GetACP()));
    return Narrow(reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
                  static_cast<UINT>(codePage));
}

std::string WideToAnsiRuns(const std::u16string& text, std::vector<int>& runEnds,
                           std::vector<int32_t>& codePages)
{
    std::string out;
    size_t runStart = 0;
    int32_t runCodePage = 0; // 0: no character of the run has a code page of its own yet
    // Converts the pending run, with the system's code page when it has none.
    auto flush = [&](size_t end) {
        if (end == runStart)
            return;
        const int32_t cp = runCodePage ? runCodePage : static_cast<int32_t>(GetACP());
        out += Narrow(reinterpret_cast<const wchar_t*>(text.data() + runStart),
                      static_cast<int>(end - runStart), static_cast<UINT>(cp));
        runEnds.push_back(static_cast<int>(out.size()));
        codePages.push_back(cp);
        runStart = end;
        runCodePage = 0;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const int32_t cp = CodePageForUnicodeChar(text[i], 0);
        if (cp == 0 || cp == runCodePage)
            continue;
        if (runCodePage != 0)
            flush(i);
        runCodePage = cp;
    }
    flush(text.size());
    return out;
}

char UpperCaseCharIf(char c, int32_t locale, bool upper)
{
    if (!upper)
        return c;
    char out = c;
    LCMapStringA(static_cast<LCID>(locale), LCMAP_UPPERCASE, &c, 1, &out, 1);
    return out;
}

bool IsCasedLetter(char c, int32_t locale)
{
    char lower = c, upper = c;
    LCMapStringA(static_cast<LCID>(locale), LCMAP_LOWERCASE, &c, 1, &lower, 1);
    LCMapStringA(static_cast<LCID>(locale), LCMAP_UPPERCASE, &c, 1, &upper, 1);
    return lower != upper;
}

bool IsUpperCaseLetter(char c, int32_t locale)
{
    return IsCasedLetter(c, locale) && UpperCaseCharIf(c, locale, true) == c;
}

std::string GetShortcutTarget(const std::string& linkName)
{
    TComScope com;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return std::string();
    std::string target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        const std::wstring wide = Widen(linkName);
        char path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        file->Release();
    }
    link->Release();
    return target;
}

bool CreateShortcut(const std::string& linkName, const std::string& target, const std::string& arguments,
                    const std::string& workingFolder)
{
    TComScope com;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    bool ok = SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link->SetArguments(arguments.c_str())) &&
              SUCCEEDED(link->SetWorkingDirectory(workingFolder.c_str()));
    IPersistFile* file = nullptr;
    if (ok && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        const std::wstring wide = Widen(linkName);
        ok = SUCCEEDED(file->Save(wide.c_str(), TRUE));
        file->Release();
    } else {
        ok = false;
    }
    link->Release();
    return ok;
}

std::string ReadInternetShortcutFile(const std::string& fileName)
{
    TStringList lines;
    try {
        lines.LoadFromFile(fileName);
    } catch (...) {
        return std::string();
    }
    return ReadInternetShortcutUrl(lines.Text());
}

namespace {

bool ShellExecuteOpen(const std::string& target)
{
    const auto result = reinterpret_cast<intptr_t>(
        ShellExecuteA(GetActiveWindow(), "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

bool ShellOpen(const std::string& target)
{
    return LinkOpeners.ShellOpen ? LinkOpeners.ShellOpen(target) : ShellExecuteOpen(target);
}

const char* const MailError = "Impossible de lancer votre gestionnaire de courrier électronique.";
const char* const BrowserError =
    "Impossible de lancer votre navigateur Internet.||Vous devez le lancer vous-même manuellement et vous "
    "rendre "
    "à l'adresse voulue :||||%s||||Quillpad a placé cette adresse URL dans votre Presse-papiers.";
const char* const OpenFileQuestion =
    "Ouverture de %s||||Certains fichiers peuvent contenir des virus ou bien provoquer des dégâts ||sur "
    "votre PC. "
    "Assurez-vous que ce fichier provient d'une source fiable.||||Voulez-vous toujours ouvrir ce fichier ?";
const char* const OpenFileError =
    "Impossible d'ouvrir \"%s\".||Il est possible que ce lien hypertexte soit associé à "
    "un fichier qui n'est plus présent sur votre système.";
constexpr uint8_t OpenFileOptionalMessage = 15;

} // namespace

TLinkOpeners LinkOpeners;

bool IsExecutableFileType(const std::string& fileName)
{
    // Programs, scripts, installers, shortcuts and documents that carry macros.
    static const char* const types[] = {
        "exe",  "com",    "bat",  "cmd",  "pif",  "scr",  "vbs",         "vbe",    "vb",   "js",
        "jse",  "wsf",    "wsh",  "wsc",  "ws",   "sct",  "msi",         "msp",    "mst",  "hta",
        "cpl",  "msc",    "reg",  "inf",  "lnk",  "url",  "shb",         "shs",    "jar",  "ps1",
        "psm1", "ps1xml", "psc1", "scf",  "chm",  "hlp",  "application", "gadget", "docm", "dotm",
        "xlsm", "xltm",   "xlam", "xlsb", "pptm", "potm", "ppsm",        "ppam",   "sldm"};
    std::string ext = ExtractFileExt(fileName);
    if (ext.size() < 2)
        return false;
    ext.erase(0, 1);
    for (const char* t : types)
        if (SameText(ext, t))
            return true;
    return false;
}

bool PutTextOnClipboard(const std::string& text)
{
    if (!OpenClipboard(nullptr))
        return false;
    bool ok = false;
    EmptyClipboard();
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (void* p = GlobalLock(block)) {
            memcpy(p, text.c_str(), text.size() + 1);
            GlobalUnlock(block);
            ok = SetClipboardData(CF_TEXT, block) != nullptr;
        }
        if (!ok)
            GlobalFree(block);
    }
    CloseClipboard();
    return ok;
}

bool OpenInBrowser(const std::string& link)
{
    if (IsLinkLikeText(link)) {
        if (!HasUrlPrefix(link)) {
            // A mail address.
            const std::string mail =
                link.size() >= 7 && SameText(link.substr(0, 7), "MAILTO:") ? link : "MAILTO:" + link;
            if (ShellOpen(mail))
                return true;
            ShowError(MailError);
            return false;
        }
        if (ShellOpen(link))
            return true;
        PutTextOnClipboard(link);
        ShowError(Format(BrowserError, link));
        return false;
    }
    if (LinkOpeners.ShowOpenDocument && LinkOpeners.ShowOpenDocument(link))
        return true;
    const bool picture = TCodingManager::GetPictureFormat(link) != kNoPictureFormat;
    if (CurrentOptions().LoadSave.OpenHLinksInPlace) {
        if (picture && LinkOpeners.OpenPictureInNewDocument) {
            LinkOpeners.OpenPictureInNewDocument(link);
            return true;
        }
        if (TCodingManager::IsDocumentExt(link) && LinkOpeners.OpenDocument) {
            LinkOpeners.OpenDocument(link);
            return true;
        }
    }
    if (!picture && !TCodingManager::IsWebOrMediaExt(link)) {
        const std::string question = Format(OpenFileQuestion, link);
        // A file that runs code is confirmed every time: its question offers no way to stop asking.
        const int answer =
            IsExecutableFileType(link)
                ? MessageDlgEx(question, mtConfirmation, mbYesNo)
                : MessageDlgWithOption(question, mtConfirmation, mbYesNo, OpenFileOptionalMessage);
        if (answer != mrYes)
            return false;
    }
    if (ShellOpen(link))
        return true;
    ShowError(Format(OpenFileError, link));
    return false;
}
