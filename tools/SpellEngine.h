// The spelling engine library: loaded once for the process from the folder "Bin\" beside a spell-check
// system's file, its twelve entry points bound by name and kept until the program ends.
#pragma once
#include <string>

#include "spelling/SpellEngineApi.h"

struct TSpellEngine {
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

    bool Complete() const;
};

// Loads the library at a path and binds its entry points in their order; the module's handle, or null when
// it cannot be loaded or lacks an entry point (nothing then stays loaded).
void* LoadSpellEngineModule(const std::string& path, TSpellEngine& entries);
void FreeSpellEngineModule(void* module);

// The process's engine: its entry points, all null until it is loaded.
const TSpellEngine& SpellEngine();
bool SpellEngineLoaded();
// Makes these entry points the process's engine without a library (for a stand-in engine).
void UseSpellEngine(const TSpellEngine& entries);

// Loads the engine beside a system file unless it is loaded already; true when it is loaded. A failure
// shows "Impossible de charger le moteur de vérification orthographique "%s"." and is tried again next time.
bool LoadSpellCheckEngine(const std::string& systemFile);

// True, after showing "Erreur interne au vérificateur orthographique (%d).", when Result is negative.
bool SpellCheckEngineError(int result);
