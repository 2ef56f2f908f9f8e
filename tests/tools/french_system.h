// A French spell-check system of the test's own, on the dictionary and the engine of the build: its system
// file in a scratch folder, its personal dictionary beside it. (Shared by two test programs, hence inline.)
#pragma once
#include <fstream>
#include <string>
#include <vector>

#include "classlib/runtime/Files.h"
#include "tests/common/test_support.h"
#include "tools/SpellEngine.h"

// Writes "<folder>\French.qsc" naming the build's French lexicon (full path) and the given extra fixed
// lexicons, and "<folder>\Lex\perso.tlx" as its personal dictionary; returns the system file.
inline std::string MakeFrenchSystem(const std::string& folder, const std::vector<std::string>& moreFixed = {})
{
    ForceDirectories(folder + "\\Lex");
    std::ofstream(folder + "\\Lex\\perso.tlx", std::ios::binary | std::ios::app);
    std::vector<std::string> fixed = {qptest::BuildBinPath("Orthographe/Lex/francais.zlx")};
    fixed.insert(fixed.end(), moreFixed.begin(), moreFixed.end());
    std::string text = "[General]\r\nLanguage=1036\r\nDescription=Fran\xE7"
                       "ais\r\n[Fixed Lexicons]\r\nCount=" +
                       std::to_string(fixed.size()) + "\r\n";
    for (size_t i = 0; i < fixed.size(); ++i)
        text += "Lexicon" + std::to_string(i + 1) + "=" + fixed[i] + "\r\n";
    text += "[Editable Lexicons]\r\nCount=1\r\nLexicon1=perso.tlx\r\n";
    const std::string file = folder + "\\French.qsc";
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

// Loads the engine of the build (once for the program).
inline bool LoadBuildSpellEngine()
{
    return LoadSpellCheckEngine(qptest::BuildBinPath("Orthographe/French.qsc"));
}
