// Spelling engine speed: word checks per second on French text, and the time of one suggestion list.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/LexiconEnvelope.h"
#include "tools/SpellEngine.h"

using Clock = std::chrono::steady_clock;

static double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

int main()
{
    char self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::filesystem::path bin =
        std::filesystem::path(self).parent_path().parent_path() / "bin" / "Orthographe";
    TSpellEngine engine;
    if (!LoadSpellEngineModule((bin / "Bin" / SpellEngineFileName).string(), engine)) {
        std::printf("spelling engine: not built\n");
        return 1;
    }
    auto openSession = engine.OpenSession;
    auto openLex = engine.OpenLex;
    auto checkWord = engine.CheckWord;
    auto suggest = engine.Suggest;

    std::string lexicon = (std::filesystem::temp_directory_path() / "qp-bench-francais.lex").string();
    if (!InflateLexiconFile((bin / "Lex" / "francais.zlx").string(), lexicon)) {
        std::printf("spelling engine: no French lexicon\n");
        return 1;
    }
    int16_t session = openSession();
    auto start = Clock::now();
    int16_t lex = openLex(session, lexicon.c_str(), 0);
    std::printf("spelling engine: French lexicon loaded in %.0f ms (id %d)\n", Seconds(start) * 1000, lex);
    DeleteFileA(lexicon.c_str());

    const std::vector<std::string> words = {
        "Le",      "vieux",  "château", "dominait",    "la",          "vallée",
        "où",      "les",    "élèves",  "apprenaient", "l'histoire",  "de",
        "leur",    "région", "avec",    "cœur",        "et",          "patience",
        "pendant", "que",    "l'hiver", "approchait",  "bonjuor",     "chatteau",
        "EDITION", "coeur",  "oeuvre",  "maisonn",     "aujourd'hui", "extraordinairement"};
    char other[256];
    long checks = 0;
    start = Clock::now();
    while (Seconds(start) < 2.0)
        for (int i = 0; i < 100; ++i)
            for (const std::string& w : words) {
                checkWord(session, w.c_str(), other, sizeof other);
                ++checks;
            }
    std::printf("spelling engine: %.0f checks per second (%zu words, 4 of them misspelled)\n",
                checks / Seconds(start), words.size());

    for (const char* w : {"REPRESENTATIVITEE", "ELEVE"}) {
        start = Clock::now();
        int r = 0;
        for (int i = 0; i < 20; ++i)
            r = checkWord(session, w, other, sizeof other);
        std::printf("spelling engine: one check of \"%s\" (capitals without accents, result %d) in %.2f ms\n",
                    w, r, Seconds(start) * 1000 / 20);
    }

    char list[2066];
    int16_t scores[16];
    for (const char* w : {"bonjuor", "chatteau", "extraordinairemant"}) {
        start = Clock::now();
        int16_t n = suggest(session, w, 50, list, sizeof list, scores, 16);
        std::printf("spelling engine: suggestions for \"%s\": %d in %.1f ms (first: %s)\n", w, n,
                    Seconds(start) * 1000, n > 0 ? list : "none");
    }
    return 0;
}
