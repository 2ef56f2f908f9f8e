// Command-line switches, their values, the start-up document list and the character classes.
#include <gtest/gtest.h>

#include "core/CharClasses.h"
#include "core/CmdLine.h"
#include "core/FileSys.h"

namespace {

std::string InCurrentFolder(const std::string& name)
{
    return IncludeTrailingPathDelimiter(GetCurrentDir()) + name;
}

} // namespace

TEST(CmdLine, EverySwitchInBothFormsBothPrefixesAnyCase)
{
    for (int i = 0; i < SwitchCount; ++i) {
        for (const std::string name : {SwitchShortNames[i], SwitchLongNames[i]}) {
            std::string upper = name, lower = name;
            for (char& c : upper)
                c = static_cast<char>(toupper(c));
            for (char& c : lower)
                c = static_cast<char>(tolower(c));
            for (const std::string& text : {"-" + name, "/" + name, "-" + upper, "/" + lower}) {
                EXPECT_EQ(FindSwitchIndex(text), i) << text;
                SetCommandLineParams({"doc.rtf", text, "value"});
                EXPECT_TRUE(CmdLineSwitchPresent(i)) << text;
                for (int j = 0; j < SwitchCount; ++j) {
                    if (j != i) {
                        EXPECT_FALSE(CmdLineSwitchPresent(j)) << text << " is not " << SwitchLongNames[j];
                    }
                }
                if (i >= swAssociate) {
                    EXPECT_EQ(CmdLineSwitchValue(i, "def"), "value") << text;
                }
            }
        }
    }
    EXPECT_EQ(FindSwitchIndex("--p"), NoSwitch);
    EXPECT_EQ(FindSwitchIndex("-"), NoSwitch);
    EXPECT_EQ(FindSwitchIndex("-prin"), NoSwitch);
    EXPECT_EQ(FindSwitchIndex("p"), swPrint);
    EXPECT_EQ(FindSwitchIndex("-SSFN"), swSoundSettingsFileName);
}

TEST(CmdLine, ShortFormIsSearchedFirst)
{
    SetCommandLineParams({"-SessionName", "long", "/sn", "short"});
    EXPECT_EQ(FindSwitchParam("sn"), 3);
    EXPECT_EQ(FindSwitchParam("SESSIONNAME"), 1);
    EXPECT_EQ(FindSwitchParam("x"), 0);
    EXPECT_EQ(GetSessionName(), "short");
}

TEST(CmdLine, ValuesBecomeFullPathsOnlyForNamesInFolders)
{
    const std::string sub = std::string("sub") + PathDelim + "Quillpad.qts";
    SetCommandLineParams({"-sfn", "my.ini", "-tsfn", sub, "-sn", "Ma session", "-assoc", "rtf_doc", "-iscs",
                          "a.ini;b.ini", "-ui", "x"});
    EXPECT_EQ(CmdLineSwitchValue(swSettingsFileName, "Quillpad.ini"), "my.ini"); // resolved by the settings
    EXPECT_EQ(CmdLineSwitchValue(swToolbarSettingsFileName, ""), InCurrentFolder(sub));
    EXPECT_EQ(GetSessionName(), "Ma session");
    EXPECT_EQ(CmdLineSwitchValue(swAssociate, ""), "rtf_doc");
    EXPECT_EQ(CmdLineSwitchValue(swInstallSpellChecker, ""), "a.ini;b.ini");
    EXPECT_EQ(CmdLineSwitchValue(swSoundSettingsFileName, "Quillpad.qsd"), "Quillpad.qsd");
    SetCommandLineParams({"doc.rtf", "-sfn"});
    EXPECT_EQ(CmdLineSwitchValue(swSettingsFileName, "Quillpad.ini"), "Quillpad.ini");
    EXPECT_EQ(GetSessionName(), "");
}

TEST(CmdLine, StartupDocumentList)
{
    struct TCase {
        std::vector<std::string> Params;
        std::vector<std::string> Docs;
        int Mode;
    };
    const TCase cases[] = {
        {{}, {}, 0},
        {{"doc.rtf"}, {InCurrentFolder("doc.rtf")}, 1},
        {{"-sfn", "my.ini", "doc.rtf"}, {InCurrentFolder("doc.rtf")}, 1},
        {{"-P", "a.rtf", "/nopt", "b.doc"}, {InCurrentFolder("a.rtf"), InCurrentFolder("b.doc")}, 2},
        {{"--p", "a.rtf"}, {InCurrentFolder("a.rtf")}, 1},
        {{"-pt", "doc.rtf", "Imprimante", "pilote", "LPT1:"}, {"doc.rtf"}, 2},
        {{"-pt"}, {}, 0},
        {{"-n", "-m", "-sn", "session.rtf", "-ui"}, {}, 0},
        {{"/print"}, {}, 0},
    };
    for (const TCase& c : cases) {
        SetCommandLineParams(c.Params);
        ParseCommandLine();
        EXPECT_EQ(StartupDocuments, c.Docs) << testing::PrintToString(c.Params);
        EXPECT_EQ(StartupMode, c.Mode) << testing::PrintToString(c.Params);
    }
}

TEST(CmdLine, SplitCommandLine)
{
    EXPECT_EQ(SplitCommandLine("  Quillpad.exe   -p \"C:\\Mes documents\\a b.rtf\"  x\"y z\"w \"\" "),
              (std::vector<std::string>{"Quillpad.exe", "-p", "C:\\Mes documents\\a b.rtf", "xy zw", ""}));
    EXPECT_TRUE(SplitCommandLine(" \t ").empty());
}

TEST(CharClasses, TablesHoldTheirSets)
{
    BuildCharClasses(false);
    auto count = [](TCharClass cls) {
        int n = 0;
        for (int c = 0; c < 256; ++c)
            n += IsCharClass(static_cast<unsigned char>(c), cls);
        return n;
    };
    EXPECT_EQ(count(ccSeparator), 51);
    EXPECT_EQ(count(ccWordRun), 50);
    EXPECT_EQ(count(ccTokenTrim), 35);
    EXPECT_EQ(count(ccStop), 5);
    EXPECT_TRUE(IsCharClass(' ', ccSeparator));
    EXPECT_FALSE(IsCharClass(' ', ccWordRun));
    EXPECT_FALSE(IsCharClass('\'', ccSeparator));
    EXPECT_FALSE(IsCharClass(14, ccSeparator));
    EXPECT_FALSE(IsCharClass(0xA1, ccSeparator));
    EXPECT_TRUE(IsCharClass(0xE9, ccLinkChar));
    EXPECT_FALSE(IsCharClass(0xAB, ccLinkChar));
    EXPECT_FALSE(IsCharClass('"', ccLinkChar));
    EXPECT_TRUE(IsCharClass('?', ccSentenceEnd));
    EXPECT_TRUE(IsCharClass(7, ccSentenceSpace));
    EXPECT_FALSE(IsCharClass(8, ccSentenceSpace));
    EXPECT_TRUE(IsCharClass(8, ccTokenDelimiter));
    EXPECT_EQ(AsciiLowerCase['Q'], 'q');
    EXPECT_EQ(AsciiLowerCase[0xC9], 0xC9);
    EXPECT_EQ(HexDigitValue('f'), 15);
    EXPECT_EQ(HexDigitValue('B'), 11);
    EXPECT_EQ(HexDigitValue('g'), -1);
    EXPECT_EQ(MarkGlyphs[2], 182);
    EXPECT_EQ(MarkGlyphs[14], '-');
    EXPECT_EQ(MarkGlyphs[' '], ' ');
    BuildCharClasses(true);
    EXPECT_EQ(count(ccSeparator), 53);
    EXPECT_TRUE(IsCharClass(0xBF, ccSeparator));
    BuildCharClasses(false);
}
