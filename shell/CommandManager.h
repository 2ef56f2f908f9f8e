// The command manager as far as the shell needs it now: every command number goes through one entry,
// which records when the last command ran; the executors are the main window's.
#pragma once
#include <cstdint>
#include <functional>

class TCommandManager {
public:
    // Runs the command through the executor; false when nothing ran it.
    bool ExecuteCommand(int32_t command);
    // At least Ms milliseconds have passed since the last command.
    bool LastCommandOlderThan(uint32_t ms) const;

    std::function<bool(int32_t command)> Executor;

private:
    uint32_t LastCommandTime = 0;
};

TCommandManager& CommandManager();
