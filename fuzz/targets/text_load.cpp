// Fuzz target: a plain-text file through the program's load, in the Windows and in the DOS code page.
#include "fuzz/Fuzzing.h"
#include "core/Codings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzLoadDocument(data, size, cdAnsiText);
    FuzzLoadDocument(data, size, cdDosText);
    return 0;
}
