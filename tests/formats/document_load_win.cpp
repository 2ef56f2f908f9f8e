// Opening files that another program holds, or that are read-only, on Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/runtime/FileStream.h"
#include "classlib/windowing/DialogTypes.h"
#include "document/Document.h"
#include "core/Codings.h"
#include "formats/DocumentDump.h"
#include "formats/load/DocumentLoad.h"
#include "formats/save/DocumentSave.h"
#include "tests/common/test_support.h"

namespace {
std::string WriteFile(const std::string& name, const std::string& bytes)
{
    std::string path = qptest::ScratchDir() + "\\" + name;
    TFileStream f(path, fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    return path;
}
int Refuse(const std::string&, uint8_t, uint16_t, uint8_t)
{
    return mrCancel;
}

// Loads a file into Doc, its format detected unless Coding says otherwise.
bool LoadFile(TDocument& doc, const std::string& path, TLoadedDocument& loaded, const TAskUser& ask = Refuse,
              uint8_t openMode = 0, int coding = 7)
{
    TDocOpeningOptions options;
    options.FileName = path;
    options.Coding = coding;
    options.OpenMode = openMode;
    return LoadDocumentFromFile(doc, options, loaded, ask);
}
} // namespace

TEST(DocumentLoadWindows, FileHeldByAnotherProgramStillOpens)
{
    std::string path = WriteFile("occupe.rtf", "{\\rtf1 occup\\'e9}");
    // Another program has the file open for writing.
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    TDocument doc;
    TDocOpeningOptions options;
    options.FileName = path;
    options.Coding = cdRtf;
    options.Quiet = true;
    TLoadedDocument loaded;
    ASSERT_TRUE(LoadDocumentFromFile(doc, options, loaded, Refuse));
    EXPECT_TRUE(loaded.FromCopy);
    EXPECT_EQ(loaded.File, nullptr);
    EXPECT_EQ(DumpDocument(doc), "P0: occup\\'e9<par>\n");
    // Asked, the user may refuse the copy.
    TDocument refused;
    options.Quiet = false;
    TLoadedDocument none;
    EXPECT_FALSE(LoadDocumentFromFile(refused, options, none, Refuse));
    CloseHandle(other);
}

namespace {

std::string EventName(const char* what, DWORD process)
{
    return std::string("QuillpadTest") + what + std::to_string(process);
}

// Runs this test program again as another process that holds the file open until Release is set:
// for reading and writing (letting others read and write it), or for reading only (letting others read).
struct THolder {
    HANDLE Release = nullptr;
    PROCESS_INFORMATION Process{};
    bool Start(const std::string& path, bool forWriting = true)
    {
        const DWORD self = GetCurrentProcessId();
        HANDLE held = CreateEventA(nullptr, TRUE, FALSE, EventName("Held", self).c_str());
        Release = CreateEventA(nullptr, TRUE, FALSE, EventName("Release", self).c_str());
        char program[MAX_PATH];
        GetModuleFileNameA(nullptr, program, MAX_PATH);
        std::string command =
            std::string("\"") + program +
            "\" --gtest_also_run_disabled_tests --gtest_filter=DocumentLoadWindows.DISABLED_HoldFile";
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = nul;
        SetEnvironmentVariableA("QP_HOLD_FILE", path.c_str());
        SetEnvironmentVariableA("QP_HOLD_PARENT", std::to_string(self).c_str());
        SetEnvironmentVariableA("QP_HOLD_WRITING", forWriting ? "1" : "0");
        const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                            nullptr, &startup, &Process);
        SetEnvironmentVariableA("QP_HOLD_FILE", nullptr);
        CloseHandle(nul);
        const bool holding = started && WaitForSingleObject(held, 60000) == WAIT_OBJECT_0;
        CloseHandle(held);
        return holding;
    }
    // Lets the file go; the other process's exit code.
    DWORD Stop()
    {
        DWORD code = 1;
        SetEvent(Release);
        if (Process.hProcess) {
            WaitForSingleObject(Process.hProcess, 60000);
            GetExitCodeProcess(Process.hProcess, &code);
            CloseHandle(Process.hProcess);
            CloseHandle(Process.hThread);
            Process = {};
        }
        CloseHandle(Release);
        return code;
    }
};

} // namespace

// The other process of the tests of files held by another process.
TEST(DocumentLoadWindows, DISABLED_HoldFile)
{
    char path[MAX_PATH], parent[32], writing[4];
    if (!GetEnvironmentVariableA("QP_HOLD_FILE", path, MAX_PATH))
        GTEST_SKIP() << "started by the tests of held files";
    ASSERT_TRUE(GetEnvironmentVariableA("QP_HOLD_PARENT", parent, sizeof(parent)));
    ASSERT_TRUE(GetEnvironmentVariableA("QP_HOLD_WRITING", writing, sizeof(writing)));
    const DWORD id = static_cast<DWORD>(std::stoul(parent));
    const bool forWriting = writing[0] == '1';
    HANDLE file = CreateFileA(path, forWriting ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
                              forWriting ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, EventName("Held", id).c_str());
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, EventName("Release", id).c_str());
    ASSERT_TRUE(held && release);
    SetEvent(held);
    EXPECT_EQ(WaitForSingleObject(release, 60000), WAIT_OBJECT_0);
    CloseHandle(file);
    CloseHandle(held);
    CloseHandle(release);
}

TEST(DocumentLoadWindows, FileHeldByAnotherProcessStillOpens)
{
    std::string path = WriteFile("autre.txt", "tenu par un autre programme\r\n\xe9t\xe9");
    THolder holder;
    ASSERT_TRUE(holder.Start(path));
    std::vector<std::string> asked;
    auto yes = [&asked](const std::string& text, uint8_t, uint16_t, uint8_t) {
        asked.push_back(text);
        return mrYes;
    };
    TDocument doc, quiet;
    TLoadedDocument loaded, quietLoaded;
    const bool read = LoadFile(doc, path, loaded, yes);
    // The dispatcher may ask for the copy without the question.
    const bool readQuietly = LoadFile(quiet, path, quietLoaded, yes, omCopyInUse);
    EXPECT_EQ(holder.Stop(), 0u);
    ASSERT_TRUE(read);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "Le fichier \"" + path +
                            "\" est en cours d'utilisation par une autre application. Faire une copie ?");
    EXPECT_TRUE(loaded.FromCopy);
    EXPECT_EQ(doc.Coding, cdAnsiText);
    EXPECT_EQ(DumpDocument(doc), "P0: tenu par un autre programme<par>\nP1: \\'e9t\\'e9<par>\n");
    // The copy is gone once read.
    EXPECT_EQ(doc.FileName, path);
    EXPECT_TRUE(readQuietly);
    EXPECT_TRUE(quietLoaded.FromCopy);
    EXPECT_EQ(DumpDocument(quiet), DumpDocument(doc));
}

TEST(DocumentLoadWindows, FileAnotherProcessReadsOpensForReadingOnly)
{
    std::string path = WriteFile("lu-ailleurs.txt", "lu par un autre programme");
    THolder holder;
    ASSERT_TRUE(holder.Start(path, false));
    TDocument doc;
    TLoadedDocument loaded;
    const bool read = LoadFile(doc, path, loaded);
    EXPECT_EQ(holder.Stop(), 0u);
    ASSERT_TRUE(read);
    EXPECT_TRUE(loaded.ReadOnly);
    EXPECT_FALSE(loaded.FromCopy);
    EXPECT_EQ(DumpDocument(doc), "P0: lu par un autre programme<par>\n");
}

TEST(DocumentLoadWindows, OpenModeAsksForReadingOnly)
{
    std::string path = WriteFile("consulter.txt", "texte");
    TDocument doc;
    TLoadedDocument loaded;
    ASSERT_TRUE(LoadFile(doc, path, loaded, Refuse, omReadOnly));
    EXPECT_TRUE(loaded.ReadOnly);
    EXPECT_EQ(loaded.File, nullptr);
    // Nothing of the program holds the file: another program may write it.
    HANDLE other =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(other, INVALID_HANDLE_VALUE);
    CloseHandle(other);
}

TEST(DocumentLoadWindows, ReadOnlyFileOpensForReading)
{
    std::string path = WriteFile("lecture.txt", "seule");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE probe =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        // Running with rights that write read-only files anyway (the administrator under Wine).
        CloseHandle(probe);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "read-only files are writable here";
    }
    TDocument doc;
    TLoadedDocument loaded;
    EXPECT_TRUE(LoadFile(doc, path, loaded));
    EXPECT_TRUE(loaded.ReadOnly);
    EXPECT_FALSE(loaded.FromCopy);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(DocumentLoadWindows, SaveOverAFileThatCannotBeReplacedKeepsIt)
{
    std::string path = WriteFile("tenu.txt", "ancien");
    TDocument doc;
    TLoadedDocument loaded;
    ASSERT_TRUE(LoadFile(doc, WriteFile("source.txt", "nouveau"), loaded));
    // Another program holds the target without letting it be replaced.
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    std::vector<std::string> asked;
    auto cancel = [&asked](const std::string& text, uint8_t, uint16_t, uint8_t) {
        asked.push_back(text);
        return mrCancel;
    };
    EXPECT_EQ(SaveDocumentToFile(doc, path, cdAnsiText, loaded, cancel), kSaveFailed);
    CloseHandle(other);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_NE(asked[1].find("n'a pas été modifié"), std::string::npos);
    EXPECT_EQ(qptest::ReadFileBytes(path), "ancien");
}
