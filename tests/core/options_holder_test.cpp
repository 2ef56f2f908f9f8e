// The settings holder: every key with its default and limits, both directions through one store, and
// the corrections made to what older versions stored.
#include <gtest/gtest.h>

#include <fstream>

#include "classlib/runtime/DateTime.h"
#include "core/CmdLine.h"
#include "core/DataFolder.h"
#include "core/IniFile.h"
#include "core/Memory.h"
#include "core/OptionalMessages.h"
#include "core/OptionsHolder.h"
#include "core/PathUtils.h"
#include "core/SystemDefaults.h"
#include "core/Version.h"
#include "tests/common/test_support.h"

using qptest::NativePath;
using qptest::ReadFileBytes;
using qptest::ScratchDir;

namespace {

class OptionsHolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        Saved = SystemDefaults();
        TSystemDefaults d = Saved;
        d.ScreenWidth = 1280;
        d.ScreenHeight = 1024;
        d.UserName = "Claire";
        d.MyDocuments = "C:\\Mes documents";
        SetSystemDefaults(d);
        CurrentOptions() = TOptions();
        OptionalMessageAnswers().SetSize(0);
    }
    void TearDown() override
    {
        SetSystemDefaults(Saved);
        CurrentOptions() = TOptions();
        OptionalMessageAnswers().SetSize(0);
        SetCommandLineParams({});
        SetDataFolder("");
    }
    // The ini text that the holder writes.
    static std::string Written(TOptionsHolder& holder)
    {
        const std::string file = NativePath(ScratchDir() + "/written.ini");
        holder.SaveToIni(file);
        return ReadFileBytes(file);
    }
    // A holder loaded from ini text (the root's sections written in full by the caller).
    static void LoadText(TOptionsHolder& holder, const std::string& text)
    {
        const std::string file = ScratchDir() + "/stored.ini";
        std::ofstream(file, std::ios::binary) << text;
        TIniFile ini(NativePath(file), false);
        holder.Load(ini);
    }
    static std::string Section(const std::string& name)
    {
        return "[" + std::string(SettingsRoot) + name + "]\r\n";
    }
    TSystemDefaults Saved;
};

} // namespace

TEST_F(OptionsHolderTest, WithoutStoredSettingsEveryOptionHasItsDefault)
{
    TOptionsHolder holder;
    TSettingsStorage none;
    holder.Load(none);
    const TOptions& o = holder.Options;
    EXPECT_EQ(o.Internal.OpenDlgSize, (640 << 16) + 682); // half the width, two thirds of the height
    EXPECT_EQ(o.Internal.FloatFmtPlt_x1, 1130);
    EXPECT_EQ(o.Internal.FloatFmtPlt_x2, 1280);
    EXPECT_EQ(o.Internal.FloatFmtPlt_y2, 256 + 184);
    EXPECT_EQ(o.Internal.LastRunVer, CurrentVersionNumber());
    EXPECT_EQ(o.Internal.LastChkForUpd, ApproxDayNumber(Date()));
    EXPECT_EQ(o.Internal.HelpPlacement.ShowCmd, 3);
    EXPECT_EQ(o.Internal.HelpPlacement.Right, 1152);
    EXPECT_EQ(o.Internal.Toc.Title, "Table des matières");
    EXPECT_EQ(o.General.UsrName, "Claire");
    EXPECT_EQ(o.SaveAsWeb.Author, "Claire");
    EXPECT_EQ(o.LoadSave.DocFolder, "C:\\Mes documents\\");
    EXPECT_EQ(o.Print.BookletSize, NoBookletSize);
    EXPECT_EQ(o.SpellCheck.Flags, 0x0D34);
    EXPECT_EQ(o.General.DefaultTemplates.Templates[4], "Plain.rtf");
    EXPECT_EQ(holder.Owners.MainWnd.State, 2);
    EXPECT_EQ(holder.Owners.MainWnd.CX, 1280 * 4 / 6);
    EXPECT_EQ(holder.Owners.OpenDocDlgFilter, 8);
    EXPECT_EQ(holder.Owners.FontHistory, "Arial||Times New Roman||Verdana");
    EXPECT_EQ(holder.PreviewView.ScrollBars, 2);
    EXPECT_FALSE(holder.PreviewView.Bookmarks);
    EXPECT_EQ(holder.PreviewView.MouseMode, 3);
    EXPECT_EQ(holder.DocumentView.MouseMode, 0);
    ASSERT_EQ(holder.FileExtensions.size(), 60u);
    EXPECT_EQ(holder.FileExtensions.front(), "ani");
    EXPECT_EQ(OptionalMessageAnswers().Size(), 23);

    // What the defaults write reads back the same, key for key.
    const std::string first = Written(holder);
    TOptionsHolder again;
    LoadText(again, first);
    again.Options.Internal.RunCount = 0; // each save counts one more run
    const std::string second = Written(again);
    EXPECT_EQ(second, first);
}

TEST_F(OptionsHolderTest, ChangedValuesOfEverySectionRoundTrip)
{
    TOptionsHolder holder;
    TSettingsStorage none;
    holder.Load(none);
    TOptions& o = holder.Options;
    o.Internal.RunCount = 6;
    o.Internal.EditOptions_Tab = 4;
    o.Internal.InsSymbol_Font = "Wingdings";
    o.Internal.DefTimeFmt_Fr = 40;
    o.Internal.FloatFmtPlt_x1 = 12;
    o.Internal.FloatFmtPlt_x2 = 90;
    o.Internal.HelpPlacement.ShowCmd = 1;
    o.Internal.Toc.TabLeader = 255;
    o.Internal.Toc.Title = "Sommaire";
    o.Internal.Envelopes.RetAddr = "Rue||Ville";
    o.Internal.Envelopes.AddrFont = std::string(700, 'f');
    o.Internal.Envelopes.DevMode = {1, 2, 0, 255};
    o.Internal.ShowHotKeys = false;
    holder.Owners.MainWnd = {0, -8, 9, 500, 400};
    holder.Owners.FindHistory = {"chat", "chien"};
    holder.Owners.ReplaceHistory = {"souris"};
    holder.Owners.FindTextFlags = 5;
    holder.Owners.FileLists[0].Names = {"C:\\a.rtf", "C:\\b.doc"};
    holder.Owners.DocsToReload = "C:\\a.rtf;C:\\b.doc";
    holder.Owners.SpellCheckSystems = "Fr.qsc;En.qsc;";
    o.General.DefaultTemplates.Templates[2] = "Lettre.rtf";
    o.NewDocParams.NewDoc_Index = 7;
    o.Preview.ZoomFactor = 250;
    holder.PreviewView.MouseMode = 5;
    o.General.DocsToKeep = 25;
    o.General.ShowSplash = false;
    o.View.SpecSymbTypes = 200;
    holder.DocumentView.Ruler = false;
    o.Edit.GroupUndo = false;
    o.Edit.HLink_Color = 4;
    holder.BackupFolder = "C:\\Sauve\\";
    o.LoadSave.AutoSave = 0;
    o.Print.BookletSize = 32;
    o.Print.DevNames = {9, 8, 7};
    o.Calculator.SelectedFunc = 97;
    o.PageNum.FirstPage = false;
    holder.ColorScheme.Slots[2] = 0x00FF00;
    holder.UserSchemes = {{"Nuit", holder.ColorScheme}, {"Jour", TColorScheme()}};
    o.SpellCheck.SuggestQuality = 2;
    holder.FileExtensions = {"abc", "xyz"};
    o.SaveAsWeb.BkClr = 0x123456;
    o.ClipLib.Visible = true;
    SetOptionalMessageAnswer(4, 0x87);

    const std::string first = Written(holder);
    CurrentOptions() = TOptions();
    OptionalMessageAnswers().SetSize(0);
    TOptionsHolder loaded;
    LoadText(loaded, first);
    EXPECT_EQ(loaded.Options.Internal.RunCount, 7); // written as one more run
    EXPECT_EQ(loaded.Options.Internal.Toc.TabLeader, 255);
    EXPECT_EQ(loaded.Options.Internal.Envelopes.AddrFont, std::string(700, 'f'));
    EXPECT_EQ(loaded.Owners.FindHistory, holder.Owners.FindHistory);
    EXPECT_EQ(loaded.Owners.MainWnd.X, -8);
    EXPECT_EQ(loaded.UserSchemes.size(), 2u);
    EXPECT_EQ(loaded.UserSchemes[0].Name, "Nuit");
    EXPECT_EQ(OptionalMessageAnswer(4), 0x87);
    // Everything else: what the loaded holder writes is what was read, but for the run count and the
    // two keys that the start-up sequence reads itself.
    loaded.Options.Internal.RunCount = 6;
    loaded.Options.General.ShowSplash = false;
    loaded.Options.Internal.ShowHotKeys = false;
    EXPECT_EQ(Written(loaded), first);
}

TEST_F(OptionsHolderTest, StoredValuesAreClampedAndCorrected)
{
    TOptionsHolder holder;
    LoadText(holder, Section("Internal") + "FloatFmtPlt_x1=500\r\nFloatFmtPlt_x2=20\r\nDefDateFmt_Fr=99\r\n" +
                         "InsSymbol_Symbol=5\r\nOptionalMsgs=0102\r\nLastRunVer=10600000\r\n" +
                         Section("Internal\\TOC") + "TabLeader=-7\r\nLevels=12\r\n" +
                         Section("Internal\\MainWnd") + "State=1\r\ncx=100\r\ncy=99999\r\n" +
                         Section("General") + "NewDocsContNum=0\r\nNewDoc_Index=40\r\nDocsToKeep=31\r\n" +
                         Section("Print") + "BookletSize=500\r\n" + Section("SpellCheck") + "Flags=127\r\n" +
                         Section("Autocorrect") + "FileExts=zip||doc||ani\r\n");
    const TOptions& o = holder.Options;
    EXPECT_EQ(o.Internal.FloatFmtPlt_x2, 500); // raised to x1
    EXPECT_EQ(o.Internal.DefDateFmt_Fr, 35);
    EXPECT_EQ(o.Internal.InsSymbol_Symbol, 32);
    EXPECT_EQ(o.Internal.Toc.TabLeader, 255);
    EXPECT_EQ(o.Internal.Toc.Levels, 9);
    EXPECT_EQ(holder.Owners.MainWnd.State, 0); // a minimised window opens normal
    EXPECT_EQ(holder.Owners.MainWnd.CX, 350);
    EXPECT_EQ(holder.Owners.MainWnd.CY, 1024);
    EXPECT_EQ(o.NewDocParams.NewDoc_Index, 1); // numbering starts again each run
    EXPECT_EQ(o.Internal.SavePict_Index, 1);
    EXPECT_EQ(o.General.DocsToKeep, 30);
    EXPECT_EQ(o.Print.BookletSize, 64);
    EXPECT_EQ(o.SpellCheck.Flags, 127 & ~0x40);
    EXPECT_EQ(holder.FileExtensions, (std::vector<std::string>{"ani", "doc", "zip"}));
    ASSERT_EQ(OptionalMessageAnswers().Size(), 23);
    EXPECT_EQ(OptionalMessageAnswers().Data()[0], 1);
    EXPECT_EQ(OptionalMessageAnswers().Data()[1], 2);
    EXPECT_EQ(OptionalMessageAnswers().Data()[22], 0);

    // Booklet sizes: the "none" marker stays, nothing drops below 4, the 4 bit goes otherwise.
    for (auto [stored, expected] :
         {std::pair{2147483647, 2147483647}, {4, 4}, {12, 8}, {0, 4}, {64, 64}, {20, 16}}) {
        TOptionsHolder booklet;
        LoadText(booklet, Section("Print") + "BookletSize=" + std::to_string(stored) + "\r\n");
        EXPECT_EQ(booklet.Options.Print.BookletSize, expected) << stored;
    }
}

TEST_F(OptionsHolderTest, OlderStoresAreUpgraded)
{
    std::vector<std::string> fixed;
    auto fix = [&fixed](int32_t language, const std::string& wrong, const std::string& right) {
        fixed.push_back(std::to_string(language) + " " + wrong + " > " + right);
    };
    TOptionsHolder holder;
    holder.OnFixReplacementEntry = fix;
    LoadText(holder,
             Section("Internal") + "LastRunVer=10102000\r\nOpenPictDlgFilter=3\r\nDefTimeFmt_Fr=40\r\n");
    EXPECT_EQ(holder.Owners.OpenPictDlgFilter, 14);
    EXPECT_EQ(holder.Options.Internal.DefTimeFmt_Fr, 37);
    EXPECT_EQ(fixed,
              std::vector<std::string>{"12 acceuillaient\tpaccueillaient > acceuillaient\taccueillaient"});

    TOptionsHolder recent;
    recent.OnFixReplacementEntry = fix;
    LoadText(recent,
             Section("Internal") + "LastRunVer=10500000\r\nOpenPictDlgFilter=3\r\nDefTimeFmt_Fr=40\r\n");
    EXPECT_EQ(recent.Owners.OpenPictDlgFilter, 3);
    EXPECT_EQ(recent.Options.Internal.DefTimeFmt_Fr, 40);
    EXPECT_EQ(fixed.size(), 2u); // 1.5.0 still had the misspelt entry

    TOptionsHolder current;
    current.OnFixReplacementEntry = fix;
    LoadText(current, Section("Internal") + "LastRunVer=10501000\r\n");
    EXPECT_EQ(fixed.size(), 2u);
}

TEST_F(OptionsHolderTest, SwitchesChooseTheStores)
{
    const std::string dir = ScratchDir();
    SetDataFolder(NativePath(dir + "/"));
    TOptionsHolder holder;
    TSettingsStorage none;
    holder.Load(none);

    // Saving to an ini file without a name writes "Quillpad.ini" in the data folder.
    SetCommandLineParams({"-ssi"});
    holder.Options.General.DocsToKeep = 3;
    holder.Save();
    ASSERT_NE(ReadFileBytes(dir + "/Quillpad.ini").find("DocsToKeep=3"), std::string::npos);

    // Loading from it gives the value back; with "-dls" every read is a default.
    SetCommandLineParams({"-lsi"});
    TOptionsHolder fromIni;
    fromIni.Load(*OpenSettingsForLoad());
    EXPECT_EQ(fromIni.Options.General.DocsToKeep, 3);
    SetCommandLineParams({"-lsi", "-dls"});
    TOptionsHolder defaults;
    defaults.Load(*OpenSettingsForLoad());
    EXPECT_EQ(defaults.Options.General.DocsToKeep, 10);

    // "-dss": nothing is written.
    SetCommandLineParams({"-ssi", "-sfn", "autre.ini", "-dss"});
    holder.Save();
    EXPECT_EQ(ReadFileBytes(dir + "/autre.ini"), "");
}

TEST_F(OptionsHolderTest, ApplyingTheOptionsRefreshesWhatUsesThem)
{
    TOptionsHolder holder;
    TFileList& recent = holder.Owners.FileLists[0];
    for (const char* name : {"C:\\a.rtf", "C:\\b.rtf", "C:\\c.rtf", "C:\\d.rtf"})
        recent.Names.push_back(name);
    holder.Options.General.DocsToKeep = 2;
    holder.ColorScheme.Slots[csPageBackground] = 0x00123456;
    int refreshed = 0;
    holder.OnApply = [&refreshed] { ++refreshed; };
    holder.Apply();
    EXPECT_EQ(recent.Names, (std::vector<std::string>{"C:\\a.rtf", "C:\\b.rtf"}));
    EXPECT_EQ(GetColorManager()->UserPalette()->GetColor(csPageBackground), 0x00123456u);
    EXPECT_EQ(refreshed, 1);
    GetColorManager()->UpdateSchemeColors(TColorScheme());
}
