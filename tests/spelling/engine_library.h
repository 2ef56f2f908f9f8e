// The engine DLL as the tests load it, bound by the program's own binding, and the French main lexicon
// inflated once.
#pragma once
#include <string>

#include "tools/SpellEngine.h"

struct TEngineLibrary : TSpellEngine {
    void* Module = nullptr;

    // The engine of the build, loaded once for the test program.
    static TEngineLibrary& Get();

    // The French main lexicon of the build, inflated once into a scratch file.
    static const std::string& FrenchLexicon();
};
