// The setup payload: what the packaging step writes reads back, files extract with their times and log
// lines, the install modes pick the right files, and every kind of damaged setup file is refused.
#include <gtest/gtest.h>
#include <windows.h>
#include <zlib.h>

#include <cstring>
#include <fstream>
#include <functional>

#include "classlib/windowing/DialogTypes.h"
#include "setup/AttachedFiles.h"
#include "setup/InstallLog.h"
#include "setup/WorkerChannel.h"
#include "tests/common/test_support.h"

namespace {

const std::string Stub = "MZ the setup program's image stands here";

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> MakeSetup(const std::vector<TPayloadItem>& items)
{
    std::vector<uint8_t> setup = Bytes(Stub);
    AppendPayload(setup, items);
    return setup;
}

std::string WriteSetup(const std::vector<uint8_t>& setup)
{
    std::string path = qptest::ScratchDir() + "\\setup.exe";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(setup.data()), std::streamsize(setup.size()));
    return path;
}

// Records the messages shown and answers them from a script.
struct TMessageSpy {
    std::vector<std::string> Shown;
    int Answer = mrOk;
    TMessageSpy()
    {
        PlainMessage = [this](const std::string& text, uint8_t, uint16_t) {
            Shown.push_back(text);
            return Answer;
        };
    }
    ~TMessageSpy() { PlainMessage = nullptr; }
};

uint32_t Offset(const std::vector<uint8_t>& setup)
{
    size_t n = setup.size();
    return uint32_t(setup[n - 8]) | uint32_t(setup[n - 7]) << 8 | uint32_t(setup[n - 6]) << 16 |
           uint32_t(setup[n - 5]) << 24;
}

void PutU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

// Rebuilds a setup file around its table changed by Change (the table stays where it was).
std::vector<uint8_t> RewriteTable(const std::vector<uint8_t>& setup,
                                  const std::function<void(std::vector<uint8_t>&)>& change)
{
    uint32_t offset = Offset(setup);
    std::vector<uint8_t> table(1 << 16);
    uLongf length = table.size();
    EXPECT_EQ(uncompress(table.data(), &length, setup.data() + offset, uLong(setup.size() - 8 - offset)),
              Z_OK);
    table.resize(length);
    change(table);
    std::vector<uint8_t> packed = CompressBlock(table.data(), table.size());
    std::vector<uint8_t> out(setup.begin(), setup.begin() + offset);
    out.insert(out.end(), packed.begin(), packed.end());
    out.resize(out.size() + 8);
    PutU32(&out[out.size() - 8], offset);
    PutU32(&out[out.size() - 4], offset);
    return out;
}

// The table offset of the entry that begins with this name.
size_t EntryAt(const std::vector<uint8_t>& table, const std::string& name)
{
    for (size_t pos = 0; pos < table.size();) {
        if (std::string(table.begin() + long(pos) + 1, table.begin() + long(pos) + 1 + table[pos]) == name)
            return pos;
        pos += 1 + table[pos] + 16;
    }
    ADD_FAILURE() << "no entry " << name;
    return 0;
}

const std::vector<TPayloadItem> Sample = {
    {"Quillpad.exe", Bytes(std::string(70000, 'Q') + "fin"), 45000.5},
    {"xx\\evil.txt", Bytes("pas de sortie"), 45000.25},
    {"Modèles de document\\CV.rtf", Bytes("{\\rtf1 CV}"), 44000.75},
    {"Vide.txt", {}, 43000.0},
};

class PayloadTest : public testing::Test {
protected:
    void SetUp() override { InstallLog.Reset(); }
    void TearDown() override { InstallLog.Reset(); }
    TMessageSpy Messages;
};

TEST_F(PayloadTest, ReadsTheTableAndExtractsEveryFileWithItsTimeAndLogLines)
{
    std::vector<uint8_t> setup = MakeSetup(Sample);
    TAttachedFiles files(WriteSetup(setup));
    ASSERT_FALSE(files.Corrupt());
    ASSERT_EQ(files.Files().size(), 4u);
    EXPECT_EQ(files.Files()[2].Name, "Modèles de document\\CV.rtf");
    // The last file's stream ends where the table begins.
    const TAttachedFile& last = files.Files().back();
    EXPECT_EQ(last.StreamOffset + last.CompressedSize, Offset(setup));
    EXPECT_TRUE(Messages.Shown.empty());

    std::string dest = qptest::ScratchDir() + "\\Quillpad";
    InstallLog.Open(dest);
    for (const TAttachedFile& entry : files.Files()) {
        std::string path = dest + "\\" + entry.Name;
        ASSERT_TRUE(files.ExtractFile(&entry, {}, path)) << entry.Name;
        EXPECT_EQ(qptest::ReadFileBytes(path).size(), entry.Size);
        uint32_t time = 0;
        ASSERT_TRUE(FileDosTime(path, time));
        EXPECT_EQ(time, PayloadDosTime(entry.FileTime)) << entry.Name;
    }
    EXPECT_EQ(qptest::ReadFileBytes(dest + "\\Quillpad.exe"), std::string(70000, 'Q') + "fin");
    std::vector<std::string> lines = InstallLog.Lines();
    std::vector<std::string> expected = {"Made Dir: " + dest,
                                         "File Copy: " + dest + "\\Quillpad.exe",
                                         "Made Dir: " + dest + "\\xx",
                                         "File Copy: " + dest + "\\xx\\evil.txt",
                                         "Made Dir: " + dest + "\\Modèles de document",
                                         "File Copy: " + dest + "\\Modèles de document\\CV.rtf",
                                         "File Copy: " + dest + "\\Vide.txt"};
    EXPECT_EQ(lines, expected);
    // By name, case ignored; a name the table lacks writes nothing.
    EXPECT_TRUE(files.ExtractFile(nullptr, "vide.TXT", dest + "\\Encore.txt"));
    EXPECT_FALSE(files.ExtractFile(nullptr, "Absent.txt", dest + "\\Absent.txt"));
    EXPECT_EQ(GetFileAttributesA((dest + "\\Absent.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PayloadTest, AnEmptyTableGivesNoFiles)
{
    TAttachedFiles files(WriteSetup(MakeSetup({})));
    EXPECT_FALSE(files.Corrupt());
    EXPECT_TRUE(files.Files().empty());
}

struct TDamage {
    const char* What;
    std::function<std::vector<uint8_t>(std::vector<uint8_t>)> Apply;
};

TEST_F(PayloadTest, EveryDamagedSetupFileIsRefusedWithTheCorruptionMessage)
{
    auto rename = [](const std::string& to) {
        return [to](std::vector<uint8_t> s) {
            return RewriteTable(s, [&](std::vector<uint8_t>& t) {
                size_t at = EntryAt(t, "xx\\evil.txt");
                std::memcpy(&t[at + 1], to.data(), to.size());
            });
        };
    };
    const TDamage damages[] = {
        {"cut short", [](std::vector<uint8_t> s) { return s.resize(s.size() - 30), s; }},
        {"cut inside the trailer", [](std::vector<uint8_t> s) { return s.resize(5), s; }},
        {"trailer values differ", [](std::vector<uint8_t> s) { return s.back() ^= 1, s; }},
        {"table offset past the end",
         [](std::vector<uint8_t> s) {
             PutU32(&s[s.size() - 8], uint32_t(s.size() + 100));
             PutU32(&s[s.size() - 4], uint32_t(s.size() + 100));
             return s;
         }},
        {"table offset that wraps",
         [](std::vector<uint8_t> s) {
             PutU32(&s[s.size() - 8], 0xFFFFFFF0u);
             PutU32(&s[s.size() - 4], 0xFFFFFFF0u);
             return s;
         }},
        {"table offset inside a file's stream",
         [](std::vector<uint8_t> s) {
             PutU32(&s[s.size() - 8], uint32_t(Stub.size() + 10));
             PutU32(&s[s.size() - 4], uint32_t(Stub.size() + 10));
             return s;
         }},
        {"name length running past the table",
         [](std::vector<uint8_t> s) {
             return RewriteTable(s, [](std::vector<uint8_t>& t) { t[EntryAt(t, "Vide.txt")] = 255; });
         }},
        {"size that wraps",
         [](std::vector<uint8_t> s) {
             return RewriteTable(
                 s, [](std::vector<uint8_t>& t) { PutU32(&t[EntryAt(t, "Vide.txt") + 9], 0xFFFFFFFFu); });
         }},
        {"offsets out of order",
         [](std::vector<uint8_t> s) {
             return RewriteTable(s, [](std::vector<uint8_t>& t) {
                 size_t a = EntryAt(t, "xx\\evil.txt") + 1 + 11 + 12, b = EntryAt(t, "Vide.txt") + 1 + 8 + 12;
                 for (int i = 0; i < 4; ++i)
                     std::swap(t[a + i], t[b + i]);
             });
         }},
        {"offset past the table",
         [](std::vector<uint8_t> s) {
             uint32_t past = Offset(s) + 4;
             return RewriteTable(s, [past](std::vector<uint8_t>& t) {
                 PutU32(&t[EntryAt(t, "Vide.txt") + 1 + 8 + 12], past);
             });
         }},
        {"sentinel missing",
         [](std::vector<uint8_t> s) {
             return RewriteTable(s, [](std::vector<uint8_t>& t) { t.resize(t.size() - 17); });
         }},
        {"name climbing out", rename("..\\evil.txt")},
        {"name with a drive", rename("C:\\evil.tx")},
        {"name from the root", rename("\\x\\evil.txt")},
        {"name climbing out midway", rename("x\\..\\..\\e.t")},
        {"damaged stream", [](std::vector<uint8_t> s) { return s[Stub.size() + 40] ^= 0x55, s; }},
        {"stream that ends early",
         [](std::vector<uint8_t> s) {
             return RewriteTable(s, [](std::vector<uint8_t>& t) {
                 PutU32(&t[EntryAt(t, "Quillpad.exe") + 1 + 12 + 0], 70004);
             });
         }},
    };
    std::vector<uint8_t> good = MakeSetup(Sample);
    for (const TDamage& damage : damages) {
        Messages.Shown.clear();
        TAttachedFiles files(WriteSetup(damage.Apply(good)));
        EXPECT_TRUE(files.Corrupt()) << damage.What;
        EXPECT_TRUE(files.Files().empty()) << damage.What;
        EXPECT_EQ(Messages.Shown, std::vector<std::string>{CorruptSetupMessage}) << damage.What;
    }
}

TEST_F(PayloadTest, InstallModesQueueByTheDestinationFileAndItsTime)
{
    std::vector<TPayloadItem> items = {
        {"Quillpad.exe", Bytes("programme"), 45000.5},
        {"Exemples\\Lettre.rtf", Bytes("lettre"), 45000.5},
        {"Exemples\\Conte.rtf", Bytes("conte"), 45000.5},
        {"Collections d'inserts\\Images\\Coeur.gif", Bytes("GIF89a"), 45000.5},
    };
    TAttachedFiles files(WriteSetup(MakeSetup(items)));
    std::string dest = qptest::ScratchDir();
    // One example already up to date, the program present but older.
    ASSERT_TRUE(files.ExtractFile(nullptr, "Exemples\\Lettre.rtf", dest + "\\Exemples\\Lettre.rtf"));
    TAttachedFile older = files.Files()[0];
    older.FileTime = 44000.5;
    ASSERT_TRUE(files.ExtractFile(&older, {}, dest + "\\Quillpad.exe"));

    struct TCase {
        const char* Pattern;
        int Mode;
        std::vector<std::string> Queued;
    } cases[] = {
        {"Exemples\\", imIfDifferent, {"\\Exemples\\Conte.rtf"}},
        {"exemples\\", imAlways, {"\\Exemples\\Lettre.rtf", "\\Exemples\\Conte.rtf"}},
        {"Exemples\\", imIfExists, {"\\Exemples\\Lettre.rtf"}},
        {"Quillpad.exe", imIfMissing, {}},
        {"QUILLPAD.EXE", imIfOlder, {"\\Quillpad.exe"}},
        {"Quillpad.exe", imIfDifferent, {"\\Quillpad.exe"}},
    };
    for (const TCase& c : cases) {
        files.ClearComponent(3);
        EXPECT_EQ(files.QueueFiles(c.Pattern, dest, c.Mode, 3), !c.Queued.empty()) << c.Pattern << c.Mode;
        std::vector<std::string> got;
        for (const TFileToInstall& f : files.Queue(3))
            got.push_back(f.Destination.substr(dest.size()));
        EXPECT_EQ(got, c.Queued) << c.Pattern << " mode " << c.Mode;
    }
    // The clip library goes to its own folder without its first folder; queued while the log is
    // suspended, it is not logged.
    files.ClearComponent(6);
    StripFirstFolder = true;
    InstallLog.Suspend();
    EXPECT_TRUE(files.QueueFiles("Collections d'inserts\\", dest + "\\Clips", imIfMissing, 6));
    InstallLog.Resume();
    StripFirstFolder = false;
    ASSERT_EQ(files.Queue(6).size(), 1u);
    EXPECT_EQ(files.Queue(6)[0].Destination, dest + "\\Clips\\Images\\Coeur.gif");
    EXPECT_FALSE(files.Queue(6)[0].Logged);
    EXPECT_EQ(files.TotalQueuedSize(), 6u + 9u);
}

TEST_F(PayloadTest, NamesSizeRoundsEachFileUpToWholeClusters)
{
    std::vector<TPayloadItem> items = {{"a.txt", Bytes(std::string(1, 'a')), 45000},
                                       {"Exemples\\b.txt", Bytes(std::string(5000, 'b')), 45000},
                                       {"Exemples\\c.txt", {}, 45000}};
    TAttachedFiles files(WriteSetup(MakeSetup(items)));
    std::string dest = qptest::ScratchDir();
    DWORD spc = 0, bps = 0, freeClusters = 0, total = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA((dest.substr(0, 2) + "\\").c_str(), &spc, &bps, &freeClusters, &total));
    int64_t cluster = int64_t(spc) * bps;
    auto rounded = [&](int64_t n) { return (n + cluster - 1) / cluster * cluster; };
    EXPECT_EQ(files.NamesSize("a.txt\nExemples\\", dest), rounded(1) + rounded(5000));
    EXPECT_EQ(files.NamesSize("A.TXT\nabsent.txt", dest), rounded(1));
}

TEST_F(PayloadTest, AFileThatCannotBeWrittenAsksAbortRetryIgnoreAndLeavesNoTemporaryFile)
{
    TAttachedFiles files(WriteSetup(MakeSetup(Sample)));
    std::string dest = qptest::ScratchDir();
    // A folder stands where the file should go.
    std::string blocked = dest + "\\Quillpad.exe";
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    Messages.Answer = mrIgnore;
    EXPECT_TRUE(files.ExtractFile(nullptr, "Quillpad.exe", blocked));
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0],
              "Impossible de créer le fichier \"" + blocked +
                  "\".\rCe fichier est peut-être actuellement utilisé par une autre application.");
    Messages.Answer = mrAbort;
    EXPECT_FALSE(files.ExtractFile(nullptr, "Quillpad.exe", blocked));
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dest + "\\*").c_str(), &data);
    std::vector<std::string> names;
    do
        names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    EXPECT_EQ(names.size(), 3u) << "only ., .. and the folder";
}

} // namespace
