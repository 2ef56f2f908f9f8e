// The settings holder through the registry store, and the upgrade step that corrects a registry key.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include "core/IniFile.h"
#include "core/OptionsHolder.h"
#include "core/RegistryEx.h"
#include "tests/common/test_support.h"

namespace {

const char* const ProgramKey = "Software\\Blue Heron Works, Inc.";

class OptionsRegistry : public testing::Test {
protected:
    void SetUp() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, ProgramKey);
        CurrentOptions() = TOptions();
    }
    void TearDown() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, ProgramKey);
        CurrentOptions() = TOptions();
    }
    static std::string Written(TOptionsHolder& holder)
    {
        const std::string file = qptest::NativePath(qptest::ScratchDir() + "/written.ini");
        holder.SaveToIni(file);
        return qptest::ReadFileBytes(file);
    }
};

} // namespace

TEST_F(OptionsRegistry, EveryKeyRoundTripsThroughTheRegistry)
{
    TOptionsHolder holder;
    TSettingsStorage none;
    holder.Load(none);
    holder.Options.Internal.RunCount = 3;
    holder.Options.Internal.Envelopes.DevMode = {0, 1, 2, 3};
    holder.Options.Internal.Toc.TabLeader = 255;
    holder.Options.SaveAsWeb.BkClr = INT32_MIN;
    holder.Options.Edit.WiseCutPaste = false;
    holder.Owners.MainWnd = {0, -20, -30, 640, 480};
    holder.Owners.FindHistory = {"é", "ü"};
    holder.Owners.FileLists[1].Names = {"C:\\windows\\"};
    holder.UserSchemes = {{"Sombre", TColorScheme()}};
    holder.SaveToRegistry();

    CurrentOptions() = TOptions();
    TOptionsHolder loaded;
    TRegistryEx registry;
    loaded.Load(registry);
    EXPECT_EQ(loaded.Options.Internal.RunCount, 4);
    EXPECT_EQ(loaded.Owners.MainWnd.Y, -30);
    EXPECT_FALSE(loaded.Options.Edit.WiseCutPaste);
    loaded.Options.Internal.RunCount = 3;
    EXPECT_EQ(Written(loaded), Written(holder));
}

TEST_F(OptionsRegistry, UpgradeRemovesRetiredExtensionsFromTheAssociations)
{
    TRegistryEx registry;
    registry.Root = SettingsRoot;
    registry.OpenSection("Internal");
    registry.WriteString("FileAssoc", ".rtf .qts .qsc .qsn .qsd .fpl .doc ");
    registry.WriteInteger("LastRunVer", 10102000);

    TOptionsHolder holder;
    TRegistryEx store;
    holder.Load(store);
    TRegistryEx check;
    check.Root = SettingsRoot;
    check.OpenSection("Internal");
    EXPECT_EQ(check.ReadString("FileAssoc", ""), ".rtf .doc ");
    // The first run records the version whose icons the shell has.
    check.OpenSection("Install");
    EXPECT_EQ(check.ReadInteger("IconsUpdatedForVer", INT32_MIN, INT32_MAX, 0), 10102000);
}
