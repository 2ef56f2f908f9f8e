// The file list of a drop of files: read within its block, damaged blocks refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/DroppedFiles.h"

namespace {

// A DROPFILES block: header, then the names as given (already with their zeros).
std::vector<uint8_t> Block(uint32_t offset, bool wide, const std::vector<uint8_t>& names)
{
    std::vector<uint8_t> block(20, 0);
    for (int i = 0; i < 4; ++i)
        block[size_t(i)] = uint8_t(offset >> (8 * i));
    block[16] = wide ? 1 : 0;
    block.insert(block.end(), names.begin(), names.end());
    return block;
}

std::vector<uint8_t> Bytes(const std::string& s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}

TEST(DroppedFiles, NamesInEightBitsAndInUtf16)
{
    std::vector<std::string> files;
    auto ansi = Block(20, false, Bytes(std::string("C:\\a.rtf\0D:\\\xE9t\xE9.txt\0\0", 22)));
    ASSERT_TRUE(ReadDroppedFiles(ansi.data(), ansi.size(), files));
    EXPECT_EQ(files, (std::vector<std::string>{"C:\\a.rtf", "D:\\\xE9t\xE9.txt"}));

    std::vector<uint8_t> wide;
    for (char16_t c : std::u16string(u"C:\\\u00e9\u4e00.doc"))
        wide.insert(wide.end(), {uint8_t(c & 0xFF), uint8_t(c >> 8)});
    wide.insert(wide.end(), {0, 0, 0, 0});
    auto block = Block(20, true, wide);
    ASSERT_TRUE(ReadDroppedFiles(block.data(), block.size(), files));
    EXPECT_EQ(files, std::vector<std::string>{"C:\\\xE9?.doc"});
}

TEST(DroppedFiles, DamagedBlocksAreRefused)
{
    std::vector<std::string> files{"left over"};
    const auto good = Block(20, false, Bytes(std::string("C:\\a.rtf\0\0", 10)));
    struct Case {
        const char* what;
        std::vector<uint8_t> block;
    } cases[] = {
        {"shorter than its header", std::vector<uint8_t>(good.begin(), good.begin() + 12)},
        {"names offset past the end", Block(4000, false, Bytes(std::string("C:\\a\0\0", 6)))},
        {"names offset inside the header", Block(8, false, Bytes(std::string("C:\\a\0\0", 6)))},
        {"a name without its zero", Block(20, false, Bytes("C:\\a.rtf"))},
        {"no closing zero", Block(20, false, Bytes(std::string("C:\\a.rtf\0", 9)))},
        {"no names", Block(20, false, Bytes(std::string("\0", 1)))},
        {"half a UTF-16 unit at the end", Block(20, true, {'C', 0, 0})},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ReadDroppedFiles(c.block.data(), c.block.size(), files)) << c.what;
        EXPECT_TRUE(files.empty()) << c.what;
    }
    EXPECT_FALSE(ReadDroppedFiles(nullptr, 0, files));
}

} // namespace
