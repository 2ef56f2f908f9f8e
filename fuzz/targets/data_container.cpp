// Fuzz target: a data-container file (a sound scheme) opened, its elements indexed, their data read and
// each element's range read again as a nested list.
#include <cstdio>
#include <string>
#include <unistd.h>

#include "classlib/runtime/Exceptions.h"
#include "core/DataPlugin.h"
#include "core/Messages.h"
#include "fuzz/Fuzzing.h"

namespace {

void Walk(const TDPElementList& list, TDataPlugin& plugin, int depth)
{
    for (int i = 0; i < list.Count(); ++i) {
        const TDPElement& e = list.Element(i);
        if (e.GetSize() < (1 << 20))
            e.ReadData();
        if (depth < 8) {
            try {
                TDPElementList inner(e.DataStart, e.DataEnd, &plugin);
                Walk(inner, plugin, depth + 1);
            } catch (const EDataPluginError&) {}
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/quillpad-fuzz-" + std::to_string(getpid()) + ".qsn";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    SilentMessages = true;
    try {
        TDataPlugin plugin;
        if (plugin.Open(path, SoundSchemeSignature) && plugin.Elements()) {
            plugin.GetAuthorInfo();
            Walk(*plugin.Elements(), plugin, 0);
        }
    } catch (const Exception&) {}
    return 0;
}
