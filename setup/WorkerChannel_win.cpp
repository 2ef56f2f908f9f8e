// The worker's state and question, handed over under a lock with a condition to wait on.
#include "setup/WorkerChannel.h"

#include <windows.h>

#include "classlib/windowing/Dialogs.h"

TWorkerChannel WorkerChannel;

TMessageHandler PlainMessage = [](const std::string& text, uint8_t type, uint16_t buttons) {
    return MessageDlg(text, static_cast<TMsgDlgType>(type), buttons);
};
TMessageHandler WizardMessage;

namespace {
DWORD MainThreadId = GetCurrentThreadId();
}

void SetMainThread()
{
    MainThreadId = GetCurrentThreadId();
}

void TWorkerChannel::Notify()
{
    FChanged.notify_all();
    if (FWindow)
        PostMessageA(static_cast<HWND>(FWindow), FMessage, 0, 0);
}

void TWorkerChannel::SetState(uint8_t state)
{
    {
        std::lock_guard<std::mutex> hold(FLock);
        FState = state;
    }
    Notify();
}

bool TWorkerChannel::ChangeState(uint8_t from, uint8_t to)
{
    {
        std::lock_guard<std::mutex> hold(FLock);
        if (FState != from)
            return false;
        FState = to;
    }
    Notify();
    return true;
}

void TWorkerChannel::WaitWhileHeld()
{
    std::unique_lock<std::mutex> hold(FLock);
    FChanged.wait(hold, [this] { return FState != wsHeld || FClosed; });
}

void TWorkerChannel::SetWindow(void* window, unsigned message)
{
    std::lock_guard<std::mutex> hold(FLock);
    FWindow = window;
    FMessage = message;
}

void TWorkerChannel::Close()
{
    {
        std::lock_guard<std::mutex> hold(FLock);
        FClosed = true;
        FWindow = nullptr;
    }
    FChanged.notify_all();
}

void TWorkerChannel::Reopen()
{
    std::lock_guard<std::mutex> hold(FLock);
    FClosed = false;
    FState = wsIdle;
    CurrentComponent = 255;
    BytesDone = 0;
}

int TWorkerChannel::Ask(const std::string& text, uint8_t type, uint16_t buttons, bool viaWizard)
{
    {
        std::unique_lock<std::mutex> hold(FLock);
        // Nobody is left to answer once the wizard is gone or the user cancelled.
        if (FClosed || FState == wsFinished)
            return 3; // Abort
        QuestionText = text;
        QuestionType = type;
        QuestionButtons = buttons;
        QuestionViaWizard = viaWizard;
        FState = wsAsking;
    }
    Notify();
    std::unique_lock<std::mutex> hold(FLock);
    FChanged.wait(hold, [this] { return FState == wsAnswered || FClosed; });
    if (FState != wsAnswered)
        return 3;
    FState = wsInstalling; // back to work, unless the wizard holds or stops it from now on
    return FAnswer;
}

void TWorkerChannel::Answer(int answer)
{
    {
        std::lock_guard<std::mutex> hold(FLock);
        FAnswer = answer;
        FState = wsAnswered;
    }
    Notify();
}

void TWorkerChannel::NotifyProgress()
{
    std::lock_guard<std::mutex> hold(FLock);
    if (FWindow)
        PostMessageA(static_cast<HWND>(FWindow), FMessage, 1, 0);
}

int AskUserFromInstallThread(const std::string& text, uint8_t type, uint16_t buttons, bool viaWizard)
{
    if (GetCurrentThreadId() == MainThreadId) {
        const TMessageHandler& show = viaWizard && WizardMessage ? WizardMessage : PlainMessage;
        return show(text, type, buttons);
    }
    return WorkerChannel.Ask(text, type, buttons, viaWizard);
}
