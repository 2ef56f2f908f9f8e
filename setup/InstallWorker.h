// The installation: the eight components, the queue of files they need with the upgrade steps of older
// installations, the worker thread that extracts the queue, and the registry values and log saved at
// the end.
#pragma once
#include <cstdint>
#include <string>
#include <thread>

class TAttachedFiles;

struct TComponentInfo {
    const char* Caption;
    const char* Names; // the names counted for its disk space, one a line
};
extern const TComponentInfo SetupComponents[8];

// The choices that the installation key remembers between runs (defaults when absent).
struct TInstallChoices {
    bool CreateGroup = true;
    std::string Group = "Quillpad";
    std::string Destination;
    std::string ComponentLetters = "ABCDEFGH";
    std::string ExtensionLetters = "AB";
    std::string ShortcutLetters = "AB";
    bool Launch = true;
    std::string ClipLibFolder;
};

extern const char* const InstallKey;
extern const char* const UninstallKey;
// The default destination: the system's program files folder followed by "Quillpad".
std::string DefaultDestination();
TInstallChoices ReadInstallChoices();
// Writes the installation key and the uninstall entry, then saves the log.
void SaveInstallation(const TInstallChoices& choices);

// Fills the component lists for the mask (bit i: component i) and carries out the upgrade steps.
void BuildInstallQueue(TAttachedFiles& files, const std::string& destination, uint8_t mask,
                       const std::string& clipLibFolder);

// Extracts the queued files one by one, component by component; sets the state to finished at the end
// (failed when the user chose Abort). Never touches a window.
class TInstallThread {
public:
    explicit TInstallThread(TAttachedFiles& files);
    ~TInstallThread();
    // Waits for the worker to end.
    void Join();

private:
    void Execute();
    TAttachedFiles& FFiles;
    std::thread FThread;
};
