// Command-line paths under Windows: documents given by their short names are listed by their long ones.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/CmdLine.h"
#include "core/FileSys.h"
#include "tests/common/test_support.h"

TEST(CmdLineWin, DocumentsAndFileValuesTakeTheirFullLongNames)
{
    const std::string dir = IncludeTrailingPathDelimiter(qptest::ScratchDir());
    const std::string longName = dir + "Un document au nom très long.rtf";
    FileSys::WriteWholeFile(longName, "{\\rtf1}");
    char shortName[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(longName.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortName), longName);
    SetCommandLineParams({shortName, "-ssfn", shortName});
    ParseCommandLine();
    EXPECT_EQ(StartupDocuments, std::vector<std::string>{longName});
    EXPECT_EQ(StartupMode, 1);
    EXPECT_EQ(CmdLineSwitchValue(swSoundSettingsFileName, ""), longName);
}

TEST(CmdLineWin, ParametersComeFromTheProcess)
{
    LoadCommandLine();
    // The test program is started without parameters.
    EXPECT_TRUE(CommandLineParams().empty() || CommandLineParams()[0].rfind("--gtest", 0) == 0);
}
