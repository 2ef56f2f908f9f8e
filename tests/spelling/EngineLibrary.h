// The engine DLL as the tests load it, with its entry points, and the French main lexicon inflated once.
#pragma once
#include <windows.h>

#include <string>

#include "spelling/SpellEngineApi.h"

struct TEngineLibrary {
    HMODULE Module = nullptr;
    TSSCE_OpenSession OpenSession = nullptr;
    TSSCE_CloseSession CloseSession = nullptr;
    TSSCE_SetOption SetOption = nullptr;
    TSSCE_OpenLex OpenLex = nullptr;
    TSSCE_CreateLex CreateLex = nullptr;
    TSSCE_CloseLex CloseLex = nullptr;
    TSSCE_GetLex GetLex = nullptr;
    TSSCE_AddToLex AddToLex = nullptr;
    TSSCE_DelFromLex DelFromLex = nullptr;
    TSSCE_CheckWord CheckWord = nullptr;
    TSSCE_Suggest Suggest = nullptr;
    TSSCE_Version Version = nullptr;

    // The engine of the build, loaded once for the test program.
    static TEngineLibrary& Get();

    // The French main lexicon of the build, inflated once into a scratch file.
    static const std::string& FrenchLexicon();
};
