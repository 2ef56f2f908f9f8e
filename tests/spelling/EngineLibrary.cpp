// Loading the engine of the build for the tests.
#include "tests/spelling/EngineLibrary.h"

#include <gtest/gtest.h>

#include "tests/common/test_support.h"
#include "tools/LexiconEnvelope.h"

template <typename T>
static void Bind(HMODULE module, T& fn, const char* name)
{
    fn = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TEngineLibrary& TEngineLibrary::Get()
{
    static TEngineLibrary engine = [] {
        TEngineLibrary e;
        e.Module = LoadLibraryA(qptest::BuildBinPath("Orthographe/Bin/ssce5332.dll").c_str());
        if (e.Module) {
            Bind(e.Module, e.OpenSession, "SSCE_OpenSession");
            Bind(e.Module, e.CloseSession, "SSCE_CloseSession");
            Bind(e.Module, e.SetOption, "SSCE_SetOption");
            Bind(e.Module, e.OpenLex, "SSCE_OpenLex");
            Bind(e.Module, e.CreateLex, "SSCE_CreateLex");
            Bind(e.Module, e.CloseLex, "SSCE_CloseLex");
            Bind(e.Module, e.GetLex, "SSCE_GetLex");
            Bind(e.Module, e.AddToLex, "SSCE_AddToLex");
            Bind(e.Module, e.DelFromLex, "SSCE_DelFromLex");
            Bind(e.Module, e.CheckWord, "SSCE_CheckWord");
            Bind(e.Module, e.Suggest, "SSCE_Suggest");
            Bind(e.Module, e.Version, "SSCE_Version");
        }
        return e;
    }();
    if (!engine.Module || !engine.Version)
        ADD_FAILURE() << "the engine of the build cannot be loaded";
    return engine;
}

const std::string& TEngineLibrary::FrenchLexicon()
{
    static const std::string path = [] {
        std::string p = qptest::ScratchDir() + "\\francais.lex";
        if (!InflateLexiconFile(qptest::BuildBinPath("Orthographe/Lex/francais.zlx"), p))
            ADD_FAILURE() << "the French lexicon of the build cannot be inflated";
        return p;
    }();
    return path;
}
