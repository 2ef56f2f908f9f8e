// The setup program's entry: reads its payload, runs the wizard from the background window, cleans its
// temporary files and, with "-delete", removes itself once it has ended.
#include <windows.h>

#include <shellapi.h>

#include "classlib/windowing/Forms.h"
#include "setup/AttachedFiles.h"
#include "setup/BackgroundForm.h"
#include "setup/SetupSystem.h"
#include "setup/WorkerChannel.h"

namespace {
std::string OwnPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

bool DeleteSwitchGiven()
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    bool found = false;
    for (int i = 1; args && i < count && !found; ++i)
        found = lstrcmpiW(args[i], L"-delete") == 0;
    LocalFree(args);
    return found;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    SetMainThread();
    Application->SetTitle(SetupTitle);
    Application->Handle();
    Application->SetIcon(1);
    std::string self = OwnPath();
    try {
        AttachedFiles = new TAttachedFiles(self);
        if (!AttachedFiles->Corrupt()) {
            auto* background = new TMainForm(nullptr);
            Application->MainForm = background;
            background->Show();
            EnableWindow(background->Handle(), FALSE);
            Application->Run();
            delete background;
        }
    } catch (const Exception& e) {
        PlainMessage("Anomalie :\r" + e.Message + ".", 1, 1u << 2);
    } catch (...) {}
    delete AttachedFiles;
    AttachedFiles = nullptr;
    DeleteSetupTempFiles();
    if (DeleteSwitchGiven())
        DeleteSetupAfterExit(self);
    return 0;
}
