// Telling a file's real format from its first bytes.
#include <gtest/gtest.h>

#include <string>

#include "core/Codings.h"
#include "formats/load/FormatDetection.h"

namespace {
int Detect(const std::string& data)
{
    TLoadInput input(data.data(), static_cast<int64_t>(data.size()));
    return DetectFileFormat(input);
}
bool Is(int coding, const std::string& data)
{
    TLoadInput input(data.data(), static_cast<int64_t>(data.size()));
    return IsFileOfFormat(coding, input);
}
std::string WriteHeader(size_t size, uint16_t id = 0xBE31, uint16_t at96 = 1)
{
    std::string d(size, '\0');
    d[0] = char(id & 0xFF), d[1] = char(id >> 8);
    d[4] = 0, d[5] = char(0xAB);
    d[96] = char(at96);
    return d;
}
} // namespace

TEST(FormatDetection, EachCoding)
{
    EXPECT_EQ(Detect("{\\rtf1 x}"), cdRtf);
    EXPECT_EQ(Detect("{\\RTF1"), cdRtf);
    EXPECT_EQ(Detect("{\\rtf"), cdAnsiText); // five bytes are not enough
    EXPECT_EQ(Detect(std::string("987D Ttcad") + std::string(49, 'x')), cdEncrypted);
    EXPECT_EQ(Detect(std::string("987D Ttcad") + std::string(48, 'x')), cdAnsiText);
    EXPECT_EQ(Detect(WriteHeader(256)), cdWrite);
    EXPECT_EQ(Detect(WriteHeader(256, 0xBE32)), cdWrite);
    EXPECT_EQ(Detect(WriteHeader(257)), cdAnsiText);
    EXPECT_EQ(Detect(WriteHeader(256, 0xBE33)), cdAnsiText);
    EXPECT_EQ(Detect(WriteHeader(256, 0xBE31, 0)), cdAnsiText);
    EXPECT_EQ(Detect(""), cdAnsiText);
    EXPECT_EQ(Detect("Bonjour\r\n"), cdAnsiText);
}

TEST(FormatDetection, TestOfAChosenCoding)
{
    // RTF in a text file passes the text test; text chosen as RTF does not pass.
    EXPECT_TRUE(Is(cdAnsiText, "{\\rtf1 x}"));
    EXPECT_TRUE(Is(cdDosText, "x"));
    EXPECT_FALSE(Is(cdRtf, "Bonjour tout le monde"));
    EXPECT_FALSE(Is(cdWord97, "{\\rtf1 x}"));
}
