// Fuzz target: an RTF file through the program's load.
#include "fuzz/Fuzzing.h"
#include "core/Codings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzLoadDocument(data, size, cdRtf);
    return 0;
}
