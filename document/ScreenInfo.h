// What the document asks of the screen it is shown on.
#pragma once
#include <cstdint>

// The screen's pixels per inch (96 where no screen is known).
int32_t ScreenPixelsPerInch();
