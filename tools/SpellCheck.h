// The spell-checking service of the program, reached through SpellCheckManager.
#pragma once
#include <cstdint>

class TSpellCheckManager {
public:
    // Raised whenever every document must be checked again; each paragraph remembers the generation
    // its marks were made under and drops them when it changed.
    int32_t CheckGeneration = 1;
};

// The manager, created on first use.
TSpellCheckManager* SpellCheckManager();
// Frees the manager at shutdown.
void FreeSpellCheckManager();
