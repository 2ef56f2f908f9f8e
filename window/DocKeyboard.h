// What the document window keeps between key strokes: the column vertical moves aim at, the caret's place
// across page keys, the last key and the lock keys pressed since the last typed character.
#pragma once
#include <cstdint>

#include "codecs/Geometry.h"

// The goal column is not set.
constexpr int32_t NoGoalX = INT32_MIN;

struct TKeyboardState {
    int32_t GoalX = NoGoalX; // layout units of the line, as TTextPos::X
    TRect PageKeyRect{};     // client; empty when no page key came last
    uint32_t LastKeyCode = 0;
    uint32_t LastTick = 0;         // the millisecond counter at the last key, for the random pool
    bool Repeated = false;         // the key was already down (auto-repeat)
    bool Extending = false;        // Shift with a navigation key: the move extends the selection
    bool ShortcutConsumed = false; // the last key-down ran a shortcut: its character is not typed
    bool CapsLockPressed = false;  // since the last typed character
    bool NumLockPressed = false;
};
