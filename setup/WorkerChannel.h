// What the installation worker and the wizard share: the worker's state, its question to the user and
// the progress. The state changes under a lock and wakes whoever waits for it; the window learns of a
// change through a posted message (and its timer), so neither side ever spins or suspends the other.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

enum TWorkerState : uint8_t {
    wsIdle = 0, // no installation running
    wsInstalling = 1,
    wsHeld = 2,     // the wizard shows a dialog: the worker waits between files
    wsFinished = 3, // the worker ended, or the user cancelled
    wsFailed = 4,   // a file failed and the user chose Abort
    wsAsking = 5,   // the worker has a question for the user
    wsAnswered = 6,
};

// Shows a message (dialog type 0 warning, 1 error, 2 information, 3 confirmation; buttons as the
// message dialog's set) and returns the modal result.
using TMessageHandler = std::function<int(const std::string& text, uint8_t type, uint16_t buttons)>;

class TWorkerChannel {
public:
    uint8_t State() const { return FState.load(); }
    void SetState(uint8_t state);
    // Changes the state only when it is From; true when it did.
    bool ChangeState(uint8_t from, uint8_t to);
    // Waits while the worker is held by the wizard.
    void WaitWhileHeld();
    // The window told of every change of state and of progress (a message posted to it).
    void SetWindow(void* window, unsigned message);
    // The wizard is gone: a question asked now is answered Abort at once, and a waiting worker wakes.
    void Close();
    void Reopen();

    // The worker's question: the record is complete before the state becomes wsAsking.
    int Ask(const std::string& text, uint8_t type, uint16_t buttons, bool viaWizard);
    // The wizard's side: the question's record while the state is wsAsking, and the answer.
    std::string QuestionText;
    uint8_t QuestionType = 0;
    uint16_t QuestionButtons = 0;
    bool QuestionViaWizard = false;
    void Answer(int answer);

    // Progress: the component being installed (255 for none yet) and the bytes extracted.
    std::atomic<uint8_t> CurrentComponent{255};
    std::atomic<uint32_t> BytesDone{0};
    void NotifyProgress();

private:
    void Notify();
    std::atomic<uint8_t> FState{wsIdle};
    std::mutex FLock;
    std::condition_variable FChanged;
    void* FWindow = nullptr;
    unsigned FMessage = 0;
    bool FClosed = false;
    int FAnswer = 0;
};

extern TWorkerChannel WorkerChannel;

// The plain message dialog, and the wizard's own routine that keeps it in front (empty: the plain one).
extern TMessageHandler PlainMessage;
extern TMessageHandler WizardMessage;

// The only way for code that may run on the worker to reach the user: on the user-interface thread the
// dialog shows at once; on the worker the wizard shows it and the worker waits for the answer.
int AskUserFromInstallThread(const std::string& text, uint8_t type, uint16_t buttons, bool viaWizard);
// Marks the calling thread as the user-interface thread.
void SetMainThread();
