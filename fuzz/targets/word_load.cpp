// Fuzz target: a Word document (either generation) through the program's load.
#include "core/Codings.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzLoadDocument(data, size, cdWord97);
    return 0;
}
