// The real program, started as a person starts it: documents on its command line, a second copy that
// hands its documents over, the settings it writes at exit and reads at the next start, the limit of
// open documents and the recovery copies left behind.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "core/Instance.h"
#include "core/OptionsHolder.h"
#include "core/RegistryEx.h"
#include "tests/common/test_support.h"

using qptest::NativePath;
using qptest::ReadFileBytes;
using qptest::ScratchDir;

namespace {

constexpr UINT InstanceRequest = WM_USER + 1000;
const char* const Edition = "1.x Bright Ink";

struct TWindowSearch {
    DWORD Pid;
    HWND Found;
};

BOOL CALLBACK FindMainWindow(HWND wnd, LPARAM lp)
{
    auto* s = reinterpret_cast<TWindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == s->Pid && GetPropA(wnd, Edition) && IsWindowVisible(wnd)) {
        s->Found = wnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM lp)
{
    char text[1024] = "";
    GetWindowTextA(child, text, sizeof(text));
    *reinterpret_cast<std::string*>(lp) += std::string(text) + "\n";
    return TRUE;
}

// One running Quillpad.exe; ended (by force when it does not close) when the test leaves it.
class TProgram {
public:
    explicit TProgram(const std::string& arguments)
    {
        std::string line = "\"" + qptest::BuildBinPath("Quillpad.exe") + "\" " + arguments;
        STARTUPINFOA si{};
        si.cb = sizeof(si);
        Started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                                 &Info) != 0;
    }
    ~TProgram()
    {
        if (!Started)
            return;
        if (WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT) {
            if (HWND wnd = MainWindow(0))
                PostMessageA(wnd, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(Info.hProcess, 20000) == WAIT_TIMEOUT)
                TerminateProcess(Info.hProcess, 1);
        }
        CloseHandle(Info.hThread);
        CloseHandle(Info.hProcess);
    }
    // The program's main window (found by its edition property) once it shows; null after the wait.
    HWND MainWindow(DWORD waitMs = 60000) const
    {
        const DWORD start = GetTickCount();
        do {
            TWindowSearch search{Info.dwProcessId, nullptr};
            EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
            if (search.Found) {
                DismissTips();
                return search.Found;
            }
            Sleep(100);
        } while (GetTickCount() - start < waitMs);
        return nullptr;
    }
    // A copy started without documents shows its tips once started (they are on by default): closed
    // here, the first time the main window is asked for, so that the frame takes input again.
    void DismissTips() const
    {
        if (TipsDismissed || WaitForSingleObject(Info.hProcess, 0) != WAIT_TIMEOUT)
            return;
        TipsDismissed = true;
        const DWORD start = GetTickCount();
        do {
            for (HWND wnd = FindWindowA(nullptr, "Trucs et astuces d'Quillpad"); wnd;
                 wnd = FindWindowExA(nullptr, wnd, nullptr, "Trucs et astuces d'Quillpad")) {
                DWORD pid = 0;
                GetWindowThreadProcessId(wnd, &pid);
                if (pid == Info.dwProcessId) {
                    PostMessageA(wnd, WM_KEYDOWN, VK_ESCAPE, 0);
                    PostMessageA(wnd, WM_CLOSE, 0, 0);
                    Sleep(500);
                    return;
                }
            }
            Sleep(100);
        } while (GetTickCount() - start < 4000);
    }
    // Waits for the program to end; its exit code, or -1 when it still runs.
    int WaitForExit(DWORD ms)
    {
        if (WaitForSingleObject(Info.hProcess, ms) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(Info.hProcess, &code);
        return static_cast<int>(code);
    }
    // Closes the main window as the user does and waits for the end.
    int Close()
    {
        if (HWND wnd = MainWindow(0))
            PostMessageA(wnd, WM_CLOSE, 0, 0);
        return WaitForExit(30000);
    }
    // A top-level window of the program with that caption whose texts hold What; null when none.
    HWND FindMessage(const std::string& caption, const std::string& what, DWORD waitMs = 30000) const
    {
        const DWORD start = GetTickCount();
        do {
            HWND wnd = nullptr;
            while ((wnd = FindWindowExA(nullptr, wnd, nullptr, caption.c_str())) != nullptr) {
                DWORD pid = 0;
                GetWindowThreadProcessId(wnd, &pid);
                if (pid == Info.dwProcessId && TextsOf(wnd).find(what) != std::string::npos)
                    return wnd;
            }
            Sleep(100);
        } while (GetTickCount() - start < waitMs);
        return nullptr;
    }
    static std::string TextsOf(HWND wnd)
    {
        std::string texts;
        EnumChildWindows(wnd, CollectText, reinterpret_cast<LPARAM>(&texts));
        return texts;
    }
    // Clicks the button of a message form whose caption is Caption.
    static void ClickButton(HWND form, const std::string& caption)
    {
        HWND button = FindWindowExA(form, nullptr, nullptr, caption.c_str());
        ASSERT_NE(button, nullptr) << caption;
        PostMessageA(button, BM_CLICK, 0, 0);
    }

    bool Started = false;
    PROCESS_INFORMATION Info{};
    mutable bool TipsDismissed = false;
};

std::string Caption(HWND wnd)
{
    char text[512] = "";
    GetWindowTextA(wnd, text, sizeof(text));
    return text;
}

// The captions of the document windows inside the main window's MDI client.
std::vector<std::string> DocumentCaptions(HWND main)
{
    std::vector<std::string> captions;
    HWND client = FindWindowExA(main, nullptr, "MDICLIENT", nullptr);
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        captions.push_back(Caption(child));
    return captions;
}

intptr_t Request(HWND wnd, int request, intptr_t lparam = 0)
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(wnd, InstanceRequest, request, lparam, SMTO_BLOCK, 60000, &answer);
    return static_cast<intptr_t>(answer);
}

intptr_t OpenThroughAtom(HWND wnd, const std::string& path, UINT timeout = 60000)
{
    ATOM atom = GlobalAddAtomA(path.c_str());
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(wnd, InstanceRequest, 3, atom, SMTO_BLOCK, timeout, &answer);
    GlobalDeleteAtom(atom);
    return static_cast<intptr_t>(answer);
}

// A full path as the program writes it: backslashes only.
std::string WindowsPath(const std::string& path)
{
    std::string native = NativePath(path);
    for (char& c : native)
        if (c == '/')
            c = '\\';
    return native;
}

// The captions of the document windows once Count of them are open (what there is after the wait).
std::vector<std::string> WaitForDocuments(HWND main, size_t count)
{
    std::vector<std::string> captions;
    for (int i = 0; i < 600; ++i) {
        captions = DocumentCaptions(main);
        // A window is listed before its document has loaded and named it.
        if (captions.size() >= count && std::find(captions.begin(), captions.end(), "") == captions.end())
            break;
        Sleep(100);
    }
    return captions;
}

// A copy of the committed fixture under a name of the test's.
std::string CopyFixture(const std::string& dir, const std::string& name)
{
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << ReadFileBytes(qptest::DataPath("rtf/caracteres-lo.rtf"));
    return WindowsPath(path);
}

std::string IniValue(const std::string& ini, const std::string& section, const std::string& key)
{
    const std::string text = ReadFileBytes(ini);
    const size_t at = text.find("\\" + section + "]");
    if (at == std::string::npos)
        return "(no section)";
    const size_t end = text.find("\n[", at);
    const size_t k = text.find("\n" + key + "=", at);
    if (k == std::string::npos || k > end)
        return "(no key)";
    const size_t from = k + key.size() + 2;
    return text.substr(from, text.find_first_of("\r\n", from) - from);
}

} // namespace

TEST(Program, OpensItsDocumentsTakesASecondCopysAndKeepsThemForTheNextStart)
{
    const std::string dir = ScratchDir();
    const std::string first = CopyFixture(dir, "premier.rtf"), second = CopyFixture(dir, "second.rtf");
    const std::string ini = WindowsPath(dir + "/reglages.ini");
    std::ofstream(dir + "/reglages.ini").flush(); // an empty store: every key has its default
    const std::string settings = "-lsi -ssi -sfn \"" + ini + "\" ";

    {
        TProgram program(settings + "\"" + first + "\"");
        ASSERT_TRUE(program.Started);
        HWND main = program.MainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(Caption(main).rfind("Quillpad 1.5", 0), 0u) << Caption(main);
        ASSERT_EQ(WaitForDocuments(main, 1), std::vector<std::string>{first});
        EXPECT_EQ(Request(main, 5), 0);        // an ordinary window
        EXPECT_EQ(Request(main, 2) & 0xFF, 1); // it can take a document

        // A second copy with another document hands it over and ends.
        TProgram copy("-dls -dss \"" + second + "\"");
        EXPECT_EQ(copy.WaitForExit(60000), 0);
        EXPECT_EQ(WaitForDocuments(main, 2).size(), 2u);
        EXPECT_EQ(program.Close(), 0);
    }
    EXPECT_EQ(IniValue(ini, "LoadSave", "DocsToReload"), first + ";" + second);
    EXPECT_EQ(IniValue(ini, "RecentDocs", "A"), second);
    EXPECT_EQ(IniValue(ini, "RecentDocs", "B"), first);
    EXPECT_EQ(IniValue(ini, "Internal", "RunCount"), "1");

    // The next start reads them back: both documents open again, and the run is counted.
    {
        TProgram program(settings);
        HWND main = program.MainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(WaitForDocuments(main, 2).size(), 2u);
        EXPECT_EQ(program.Close(), 0);
    }
    EXPECT_EQ(IniValue(ini, "Internal", "RunCount"), "2");
    EXPECT_EQ(IniValue(ini, "LoadSave", "DocsToReload"), first + ";" + second);
}

TEST(Program, SettingsGoToTheRegistryAndComeBack)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Blue Heron Works, Inc.");
    const std::string file = CopyFixture(ScratchDir(), "registre.rtf");
    {
        TProgram program("-lsr -ssr \"" + file + "\"");
        ASSERT_NE(program.MainWindow(), nullptr);
        EXPECT_EQ(program.Close(), 0);
    }
    TRegistryEx registry;
    registry.Root = SettingsRoot;
    registry.OpenSection("LoadSave");
    EXPECT_EQ(registry.ReadString("DocsToReload", ""), file);
    registry.OpenSection("Internal");
    EXPECT_EQ(registry.ReadInteger("RunCount", 0, INT32_MAX, 0), 1);
    // The language history started from the user's language, with no spell checker installed.
    registry.OpenSection("LangHistory");
    EXPECT_EQ(registry.ReadInteger("Count", 0, 8, -1), 1);
    EXPECT_EQ(registry.ReadInteger("A", INT32_MIN, INT32_MAX, 0), 0x040C);
    // A history of the user's own is read at the next start and written back in its order.
    registry.WriteInteger("A", 0x0809);
    registry.WriteInteger("B", 0x0407);
    registry.WriteInteger("Count", 2);
    {
        TProgram program("-lsr -ssr");
        HWND main = program.MainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(WaitForDocuments(main, 1), std::vector<std::string>{file});
        EXPECT_EQ(program.Close(), 0);
    }
    registry.OpenSection("Internal");
    EXPECT_EQ(registry.ReadInteger("RunCount", 0, INT32_MAX, 0), 2);
    registry.OpenSection("LangHistory");
    EXPECT_EQ(registry.ReadInteger("Count", 0, 8, -1), 2);
    EXPECT_EQ(registry.ReadInteger("A", INT32_MIN, INT32_MAX, 0), 0x0809);
    EXPECT_EQ(registry.ReadInteger("B", INT32_MIN, INT32_MAX, 0), 0x0407);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Blue Heron Works, Inc.");
}

TEST(Program, SessionsKeepCopiesApart)
{
    const std::string file = CopyFixture(ScratchDir(), "session.rtf");
    TProgram work("-dls -dss -sn Travail");
    HWND main = work.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Caption(main).rfind("Quillpad 1.5 - <Travail>", 0), 0u) << Caption(main);

    // A copy of no session does not hand its document to the copy of the session "Travail".
    TProgram other("-dls -dss \"" + file + "\"");
    HWND otherMain = other.MainWindow();
    ASSERT_NE(otherMain, nullptr);
    EXPECT_NE(otherMain, main);
    EXPECT_EQ(WaitForDocuments(otherMain, 1), std::vector<std::string>{file});
    EXPECT_EQ(other.WaitForExit(0), -1);
}

TEST(Program, TheFiftyFirstDocumentIsRefused)
{
    const std::string dir = ScratchDir();
    TProgram program("-dls -dss -n");
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(OpenThroughAtom(main, CopyFixture(dir, "doc" + std::to_string(i) + ".rtf")) & 0xFF, 1) << i;
    EXPECT_EQ(DocumentCaptions(main).size(), 50u);
    EXPECT_EQ(Request(main, 2) & 0xFF, 0); // no more documents now

    // Sent anyway, the 51st is refused with the warning.
    const std::string last = CopyFixture(dir, "doc50.rtf");
    EXPECT_EQ(OpenThroughAtom(main, last, 2000), 0);
    HWND warning = program.FindMessage("Avertissement", "Trop de documents sont déjà ouverts");
    ASSERT_NE(warning, nullptr);
    TProgram::ClickButton(warning, "OK");
    Sleep(500);
    EXPECT_EQ(DocumentCaptions(main).size(), 50u);
}

TEST(Program, RecoveryCopiesLeftBehindAreOffered)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string copy = std::string(temp) + "~Quillp917.qad";
    std::ofstream(copy, std::ios::binary) << ReadFileBytes(qptest::DataPath("rtf/caracteres-lo.rtf"));
    const std::string empty = std::string(temp) + "~Quillp918.qad";
    std::ofstream(empty, std::ios::binary).flush();

    TProgram program("-dls -dss");
    HWND question = program.FindMessage("Confirmation", "copies de secours de documents (1)");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(GetFileAttributesA(empty.c_str()), INVALID_FILE_ATTRIBUTES); // an empty copy goes silently
    TProgram::ClickButton(question, "&Oui");
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    const std::vector<std::string> captions = WaitForDocuments(main, 1);
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_NE(captions[0].find("(récupéré)"), std::string::npos) << captions[0];
    EXPECT_EQ(program.Close(), 0);
    DeleteFileA(copy.c_str());
}

// The temporary folder's recovery copies.
std::vector<std::string> RecoveryCopies()
{
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    std::vector<std::string> copies;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(temp) + "*.qad").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return copies;
    do
        copies.push_back(std::string(temp) + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return copies;
}

// The first document window inside the main window's MDI client.
HWND FirstDocumentWindow(HWND main)
{
    HWND client = FindWindowExA(main, nullptr, "MDICLIENT", nullptr);
    return client ? GetWindow(client, GW_CHILD) : nullptr;
}

TEST(Program, ASafetyCopyOnTheTimerIsOfferedAfterTheProgramIsKilled)
{
    for (const std::string& copy : RecoveryCopies())
        DeleteFileA(copy.c_str());
    const std::string path = CopyFixture(ScratchDir(), "secours.rtf");
    {
        TProgram program("-dls -dss \"" + path + "\"");
        HWND main = program.MainWindow();
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(WaitForDocuments(main, 1).size(), 1u);
        // An unchanged document needs no safety copy.
        PostMessageA(main, WM_TIMER, 9, 0);
        Sleep(1000);
        EXPECT_TRUE(RecoveryCopies().empty());
        // A word typed into the document window, then the autosave timer ticks.
        HWND window = FirstDocumentWindow(main);
        ASSERT_NE(window, nullptr);
        for (char c : std::string("Sauvé "))
            PostMessageA(window, WM_CHAR, static_cast<uint8_t>(c), 1);
        Sleep(500);
        PostMessageA(main, WM_TIMER, 9, 0);
        std::vector<std::string> copies;
        for (int i = 0; i < 100 && copies.empty(); ++i) {
            Sleep(100);
            copies = RecoveryCopies();
        }
        ASSERT_EQ(copies.size(), 1u);
        // The copy holds what was typed (the accent as the program's files keep it: 8-bit or escaped).
        std::string copy;
        for (int i = 0; i < 50 && copy.find("Sauv\xE9 ") == std::string::npos &&
                        copy.find("Sauv\\'e9 ") == std::string::npos;
             ++i) {
            Sleep(100);
            copy = ReadFileBytes(copies[0]);
        }
        EXPECT_TRUE(copy.find("Sauv\xE9 ") != std::string::npos ||
                    copy.find("Sauv\\'e9 ") != std::string::npos)
            << copy.substr(std::min(copy.find("\\pard"), copy.size()), 100);
        // The program dies without closing anything.
        TerminateProcess(program.Info.hProcess, 1);
        ASSERT_EQ(program.WaitForExit(10000), 1);
    }
    TProgram program("-dls -dss");
    HWND question = program.FindMessage("Confirmation", "copies de secours de documents (1)");
    ASSERT_NE(question, nullptr);
    TProgram::ClickButton(question, "&Oui");
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    const std::vector<std::string> captions = WaitForDocuments(main, 1);
    ASSERT_EQ(captions.size(), 1u);
    // The document comes back under its own name, marked as recovered.
    EXPECT_NE(captions[0].find("secours.rtf (récupéré)"), std::string::npos) << captions[0];
    EXPECT_EQ(program.Close(), 0);
    // Closed normally, it leaves no recovery copy behind.
    EXPECT_TRUE(RecoveryCopies().empty());
}

TEST(Program, TrayCopiesStayAlone)
{
    TProgram tray("-dls -dss -st");
    ASSERT_TRUE(tray.Started);
    // In the notification area the main window is hidden: it is found by its property alone.
    HWND main = nullptr;
    for (int i = 0; i < 600 && !main; ++i) {
        HWND wnd = nullptr;
        while ((wnd = FindWindowExA(nullptr, wnd, nullptr, nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(wnd, &pid);
            if (pid == tray.Info.dwProcessId && GetPropA(wnd, Edition) && Request(wnd, 5) == 2)
                main = wnd;
        }
        if (!main)
            Sleep(100);
    }
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main));

    // A second tray copy ends at once, silently.
    TProgram second("-dls -dss -st");
    EXPECT_EQ(second.WaitForExit(60000), 0);
    // A plain second start joins the copy in the tray: it comes back with a new document.
    TProgram plain("-dls -dss");
    EXPECT_EQ(plain.WaitForExit(60000), 0);
    EXPECT_EQ(Request(main, 5), 0);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(WaitForDocuments(main, 1).size(), 1u);
}
