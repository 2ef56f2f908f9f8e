// Loading the spelling engine library and binding its entry points by name.
#include <windows.h>

#include "tools/SpellEngine.h"

namespace {

template<typename T>
void Bind(HMODULE module, T& entry, const char* name)
{
    entry = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

void* LoadSpellEngineModule(const std::string& path, TSpellEngine& entries)
{
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module)
        return nullptr;
    Bind(module, entries.OpenSession, "SSCE_OpenSession");
    Bind(module, entries.CloseSession, "SSCE_CloseSession");
    Bind(module, entries.SetOption, "SSCE_SetOption");
    Bind(module, entries.OpenLex, "SSCE_OpenLex");
    Bind(module, entries.CreateLex, "SSCE_CreateLex");
    Bind(module, entries.CloseLex, "SSCE_CloseLex");
    Bind(module, entries.GetLex, "SSCE_GetLex");
    Bind(module, entries.AddToLex, "SSCE_AddToLex");
    Bind(module, entries.DelFromLex, "SSCE_DelFromLex");
    Bind(module, entries.CheckWord, "SSCE_CheckWord");
    Bind(module, entries.Suggest, "SSCE_Suggest");
    Bind(module, entries.Version, "SSCE_Version");
    if (!entries.Complete()) {
        FreeLibrary(module);
        entries = TSpellEngine();
        return nullptr;
    }
    return module;
}

void FreeSpellEngineModule(void* module)
{
    FreeLibrary(static_cast<HMODULE>(module));
}
