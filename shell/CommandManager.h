// The command manager: every command number of a menu, toolbar, shortcut or message goes through one
// entry, which dispatches it by range to its executor and records it with the time.
#pragma once
#include <cstdint>
#include <functional>

class TDocument;

class TCommandManager {
public:
    // Runs the command through the executor of its range.
    void ExecuteCommand(int32_t command);
    // Runs an argument form (200000 and above) with its argument.
    void ExecuteCommandWithArg(int32_t command, intptr_t argument);
    // The document that commands act on: the override when set, else the active document.
    TDocument* GetDocument() const;
    void StampLastCommand();
    // At least Ms milliseconds have passed since the last command.
    bool LastCommandOlderThan(uint32_t ms) const;
    int32_t GetLastCommand() const { return LastCommand; }

    // Set by the document dispatcher around work on a document that is not the active one.
    TDocument* DocumentOverride = nullptr;
    // Told of a known command that no executor ran (the shell shows its error; tests record it).
    std::function<void(int32_t command)> OnCommandUnavailable;

private:
    void Dispatch(int32_t command, intptr_t argument, bool withArgument);

    uint32_t LastCommandTime = 0;
    int32_t LastCommand = 0;
};

TCommandManager& CommandManager();
