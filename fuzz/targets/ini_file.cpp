// Fuzz target: a settings file read as the ini store reads it, and values of every kind read back.
#include <cstdio>
#include <string>
#include <unistd.h>

#include "classlib/runtime/Exceptions.h"
#include "core/IniFile.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/quillpad-fuzz-" + std::to_string(getpid()) + ".ini";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    try {
        TIniFile ini(path, false);
        for (const char* section : {"General", "Settings", "Install", ""}) {
            if (!ini.SectionExists(section))
                continue;
            ini.OpenSection(section);
            ini.ReadBool("ShowSplash", true);
            ini.ReadInteger("RunCount", 0, 1000000, 0);
            ini.ReadString("UsrName", "");
            ini.ReadLongString("MainMenu_Fr", "");
        }
    } catch (const Exception&) {}
    return 0;
}
