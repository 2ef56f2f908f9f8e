// Fuzz target: a Write document through the program's load.
#include "core/Codings.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzLoadDocument(data, size, cdWrite);
    return 0;
}
