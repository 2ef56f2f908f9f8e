// The process's spelling engine: its entry points, loading it beside a system file, reporting its errors.
#include "tools/SpellEngine.h"

#include <memory>

#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/Messages.h"
#include "tools/SpellCheck.h"

namespace {

TSpellEngine Engine;

// The library's handle, released when the program ends, after the systems whose sessions it holds.
struct TEngineModule {
    void* Handle = nullptr;
    ~TEngineModule()
    {
        if (Handle) {
            FreeSpellCheckManager();
            FreeSpellEngineModule(Handle);
        }
    }
} Module;

bool Loaded = false;

} // namespace

bool TSpellEngine::Complete() const
{
    return OpenSession && CloseSession && SetOption && OpenLex && CreateLex && CloseLex && GetLex &&
           AddToLex && DelFromLex && CheckWord && Suggest && Version;
}

const TSpellEngine& SpellEngine()
{
    return Engine;
}

bool SpellEngineLoaded()
{
    return Loaded;
}

void UseSpellEngine(const TSpellEngine& entries)
{
    Engine = entries;
    Loaded = entries.Complete();
}

bool LoadSpellCheckEngine(const std::string& systemFile)
{
    if (Loaded)
        return true;
    TSpellEngine entries;
    void* handle =
        LoadSpellEngineModule(ExtractFilePath(systemFile) + "Bin" + PathDelim + SpellEngineFileName, entries);
    if (!handle) {
        ShowError(Format("Impossible de charger le moteur de vérification orthographique \"%s\".",
                         SpellEngineFileName));
        return false;
    }
    Module.Handle = handle;
    Engine = entries;
    Loaded = true;
    return true;
}

bool SpellCheckEngineError(int result)
{
    if (result >= 0)
        return false;
    ShowError(Format("Erreur interne au vérificateur orthographique (%d).", result));
    return true;
}
