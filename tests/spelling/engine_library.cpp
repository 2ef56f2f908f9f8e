// Loading the engine of the build for the tests.
#include "tests/spelling/engine_library.h"

#include <gtest/gtest.h>

#include "tests/common/test_support.h"
#include "codecs/LexiconEnvelope.h"

TEngineLibrary& TEngineLibrary::Get()
{
    static TEngineLibrary engine = [] {
        TEngineLibrary e;
        e.Module = LoadSpellEngineModule(qptest::BuildBinPath("Orthographe/Bin/ssce5332.dll"), e);
        return e;
    }();
    if (!engine.Module)
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
