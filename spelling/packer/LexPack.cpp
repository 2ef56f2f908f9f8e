// Build step: packs a dictionary's affix and word files into one compressed main lexicon of the engine.
#include <fstream>
#include <iostream>
#include <sstream>

#include "spelling/engine/LexiconFormat.h"
#include "codecs/LexiconEnvelope.h"

static bool ReadAll(const char* name, std::string& out)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    out = text.str();
    return in.good() || in.eof();
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: qp_lexpack affix-file word-file lexicon.zlx\n";
        return 2;
    }
    std::string affixes, words;
    if (!ReadAll(argv[1], affixes) || !ReadAll(argv[2], words) || affixes.empty() || words.empty()) {
        std::cerr << "qp_lexpack: cannot read " << argv[1] << " or " << argv[2] << "\n";
        return 1;
    }
    // The engine reads dictionaries in UTF-8 only.
    if (affixes.rfind("SET UTF-8", 0) != 0 && affixes.find("\nSET UTF-8") == std::string::npos) {
        std::cerr << "qp_lexpack: " << argv[1] << " is not a UTF-8 dictionary\n";
        return 1;
    }
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out << CompressLexicon(lexformat::BuildMain(affixes, words));
    out.close();
    if (!out) {
        std::cerr << "qp_lexpack: cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}
