// The screen's resolution, which pictures written by the program record as theirs.
#pragma once
#include <cstdint>

// Dots per inch of the screen, across (Horizontal) or down; 96 where there is no screen.
uint32_t ScreenDotsPerInch(bool horizontal);
