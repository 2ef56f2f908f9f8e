// The one spell-check manager of the program.
#include "tools/SpellCheck.h"

#include <memory>

namespace {

std::unique_ptr<TSpellCheckManager> GSpellCheckManager;

} // namespace

TSpellCheckManager* SpellCheckManager()
{
    if (!GSpellCheckManager)
        GSpellCheckManager = std::make_unique<TSpellCheckManager>();
    return GSpellCheckManager.get();
}

void FreeSpellCheckManager() { GSpellCheckManager.reset(); }
