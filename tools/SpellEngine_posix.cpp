// The host build has no spelling engine library: only a stand-in engine can serve there.
#include "tools/SpellEngine.h"

void* LoadSpellEngineModule(const std::string&, TSpellEngine&)
{
    return nullptr;
}

void FreeSpellEngineModule(void*) {}
