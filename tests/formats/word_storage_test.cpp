// Word documents told by their storage: a compound file with a "WordDocument" stream of a Word
// document, read through the load's input; damaged storages never read out of bounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Codings.h"
#include "formats/load/FormatDetection.h"
#include "formats/load/LoadInput.h"
#include "formats/load/WordStorage.h"
#include "tests/common/test_support.h"

namespace {

// A Word 97 document of one word, written by LibreOffice.
std::string WordFile()
{
    return qptest::ReadFileBytes(qptest::DataPath("word/bonjour97.doc"));
}

int Detect(const std::string& data)
{
    TLoadInput input(data.data(), static_cast<int64_t>(data.size()));
    return DetectFileFormat(input);
}

bool StreamStart(const std::string& data, const std::string& name, std::vector<uint8_t>& bytes)
{
    TReadAt read = [&data](int64_t offset, uint8_t* into, int32_t count) {
        if (offset < 0 || count < 0 || offset + count > static_cast<int64_t>(data.size()))
            return false;
        std::copy_n(data.data() + offset, count, into);
        return true;
    };
    return ReadCompoundStreamStart(read, static_cast<int64_t>(data.size()), name, kWordStreamStartSize,
                                   bytes);
}

// Where the "WordDocument" stream starts in the file.
size_t WordStreamOffset(const std::string& file)
{
    std::vector<uint8_t> start;
    EXPECT_TRUE(StreamStart(file, "WordDocument", start));
    return file.find(std::string(start.begin(), start.begin() + 64));
}

} // namespace

TEST(WordStorage, WordDocumentIsToldByItsStream)
{
    const std::string file = WordFile();
    ASSERT_FALSE(file.empty());
    TLoadInput input(file.data(), static_cast<int64_t>(file.size()));
    EXPECT_EQ(DetectFileFormat(input), cdWord6);
    EXPECT_EQ(input.WordStorageState, 1);
    ASSERT_EQ(input.WordStreamStart.size(), size_t(kWordStreamStartSize));
    EXPECT_EQ(input.WordStreamStart[0], 0xEC);
    EXPECT_EQ(input.WordStreamStart[1], 0xA5);
    EXPECT_TRUE(IsFileOfFormat(cdWord97, input));

    // A small stream, read from the small-stream area: the storage's class stream opens with its mark.
    std::vector<uint8_t> compObj;
    ASSERT_TRUE(StreamStart(file,
                            "\x01"
                            "CompObj",
                            compObj));
    EXPECT_EQ(std::vector<uint8_t>(compObj.begin(), compObj.begin() + 4),
              (std::vector<uint8_t>{1, 0, 0xFE, 0xFF}));
    // Names compare without regard to case; a name the root does not hold is not found.
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(StreamStart(file, "worddocument", bytes));
    EXPECT_FALSE(StreamStart(file, "WordDocumen", bytes));
}

TEST(WordStorage, OtherStoragesAndStreamsAreNotWord)
{
    const std::string file = WordFile();
    const size_t stream = WordStreamOffset(file);
    ASSERT_NE(stream, std::string::npos);
    std::string version100 = file;
    version100[stream + 2] = 100, version100[stream + 3] = 0;
    std::string version101 = version100;
    version101[stream + 2] = 101;
    std::string otherId = file;
    otherId[stream] = 0;
    std::string renamed = file;
    const std::string name = std::string("W\0o\0r\0d\0D\0o\0c\0u\0m\0e\0n\0t\0", 24);
    renamed[renamed.find(name) + 22] = 'x';
    EXPECT_EQ(Detect(version100), cdAnsiText);
    EXPECT_EQ(Detect(version101), cdWord6);
    EXPECT_EQ(Detect(otherId), cdAnsiText);
    EXPECT_EQ(Detect(renamed), cdAnsiText);
    EXPECT_EQ(Detect(file.substr(0, 512)), cdAnsiText);
    // The answer is kept for the rest of the load.
    TLoadInput input(version100.data(), static_cast<int64_t>(version100.size()));
    EXPECT_FALSE(IsWordStorageFile(input));
    EXPECT_EQ(input.WordStorageState, 2);
    EXPECT_FALSE(IsFileOfFormat(cdWord97, input));
}

TEST(WordStorage, DamagedStoragesNeverReadOutOfBounds)
{
    const std::string file = WordFile();
    for (size_t size = 0; size < file.size(); size += 97) {
        std::vector<uint8_t> bytes;
        StreamStart(file.substr(0, size), "WordDocument", bytes);
    }
    // Every byte of the header and of the tables changed in turn; loops in chains end.
    for (size_t at = 0; at < file.size(); at += (at < 512 ? 1 : 7)) {
        for (uint8_t value : {uint8_t(0xFF), uint8_t(0x00), uint8_t(0x7F)}) {
            std::string damaged = file;
            damaged[at] = static_cast<char>(value);
            std::vector<uint8_t> bytes;
            if (StreamStart(damaged, "WordDocument", bytes)) {
                EXPECT_LE(bytes.size(), size_t(kWordStreamStartSize));
            }
        }
    }
}
