// Helpers over the Windows shell and national-language services: system and special folders, folder
// browsing, key states, locales and code pages, Unicode text to 8-bit text, and shell links.
// Windows only.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TCanvas;
class TFont;

std::string GetWindowsFolder();
// The path of a shell special folder (a CSIDL number); empty when it fails.
std::string GetSpecialFolderPath(int csidl);
// The system's folder-browsing dialog opened at the current folder; true and the chosen folder when
// the user confirms.
bool BrowseForFolder(const std::string& caption, std::string& folder);
// A shell display name turned into a file-system path; unchanged when that fails.
std::string ResolveShellPath(const std::string& text);
// Sets a file's position to its start.
bool RewindFile(void* handle);
// ShortenPath measured on a canvas.
std::string ShortenPath(TCanvas& canvas, const std::string& path, int maxWidth);

// Value x the screen's pixels per inch / 96, rounded.
int ScaleToScreen(int value);
bool IsKeyDown(int key);
// Shift (bit 0), Ctrl (bit 2), left button (bit 3), right button (bit 4), as they are now.
uint8_t GetShiftStateNow();

int32_t LocaleAnsiCodePage(int32_t locale);
// The font character set of the locale's code page; when it has none, the system code page's when
// asked, else the default character set.
uint8_t LocaleCharset(int32_t locale, bool useSystemDefault);
std::string GetLocaleLanguageName(int32_t locale);
void SetFontCharsetForLocale(TFont& font, int32_t locale);
int32_t CodePageOfCharset(uint8_t charset, int32_t def);
uint8_t CharsetOfCodePage(int32_t codePage, uint8_t def);

// The UTF-16 text in the code page that covers most of its characters.
std::string WideToAnsiBestCodePage(const std::u16string& text);
// The text converted run by run, each run in the code page that covers its characters (characters
// of no particular code page join the run they stand in); the end of each run in the result and its
// code page go to the two lists.
std::string WideToAnsiRuns(const std::u16string& text, std::vector<int>& runEnds,
                           std::vector<int32_t>& codePages);

// Case tests and mapping of one character under a locale.
char UpperCaseCharIf(char c, int32_t locale, bool upper);
bool IsCasedLetter(char c, int32_t locale);
bool IsUpperCaseLetter(char c, int32_t locale);

// Shell links.
std::string GetShortcutTarget(const std::string& linkName);
bool CreateShortcut(const std::string& linkName, const std::string& target, const std::string& arguments,
                    const std::string& workingFolder);
// The address of an internet shortcut file.
std::string ReadInternetShortcutFile(const std::string& fileName);

// What the application shell lends OpenInBrowser. Unset members are skipped.
struct TLinkOpeners {
    // Shows the window of the document open from this file; false when no document is.
    std::function<bool(const std::string& path)> ShowOpenDocument;
    // Opens a document file in the program.
    std::function<void(const std::string& path)> OpenDocument;
    // Opens a picture into a new document.
    std::function<void(const std::string& path)> OpenPictureInNewDocument;
    // Starts a link or file with the shell's "open"; true when it started.
    std::function<bool(const std::string& target)> ShellOpen;
};
extern TLinkOpeners LinkOpeners;

// Opens a link (a mail address or an internet address) with the system's programs, or a file the way
// the user expects: in the program when it is a document (or a picture, with the option of opening
// links in place), else with the system's program for it after the user's confirmation (never a
// remembered one for a file that runs code). True when something was opened.
bool OpenInBrowser(const std::string& link);
// File types that run code when opened.
bool IsExecutableFileType(const std::string& fileName);
// Puts the text on the clipboard as plain text.
bool PutTextOnClipboard(const std::string& text);
