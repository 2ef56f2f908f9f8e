// What the window commands keep about the document windows, and what the help commands need of the
// system.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TDocumentForm;

// The window was minimised by "Tout réduire" and remembers its former state.
bool IsMinimizedByAll(TDocumentForm* window);
// The Internet library could be loaded (the update check needs it).
bool InternetLibraryLoaded();
// The files that the open command asks for (the argument: the initial file name); empty when the user
// cancels. Tests install their own answer.
extern std::vector<std::string> (*AskFilesToOpen)(const std::string& initialName);
// The argument of the zoom command 206100 for a zoom kind (1 - 4), or for a percentage with kind 0.
constexpr intptr_t ZoomArgument(int percent, int kind)
{
    return static_cast<intptr_t>((static_cast<uint32_t>(kind & 0xFF) << 16) |
                                 (static_cast<uint32_t>(percent) & 0xFFFF));
}
